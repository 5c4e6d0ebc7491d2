#include "ui/tables/GBlockSyuAView.h"

#include <QPainter>

#include "tables/search_messages.h"
#include "ui/controls/CDataEdit.h"
#include "ui/tables/GBlockSyuWnd.h"
#include "ui/tables/GraSyuWnd.h"

namespace rk::ui {

GBlockSyuAView::GBlockSyuAView(GBlockSyuWnd& wnd) : TableFieldsView(&wnd, wnd.table().dialogs(), 1), wnd_(wnd) {
    setObjectName("GBlockSyuAView");
    setFixedHeight(48);
    int x = 560;
    for (auto [caption, action] : std::initializer_list<std::pair<const char*, std::function<void()>>>{
             {"ﾓｰﾄﾞ替", [&wnd] { wnd.cycleMeasure(); }},
             {"ﾌﾟﾚﾋﾞｭｰ", [&wnd] { wnd.print(true); }},
             {"印 刷", [&wnd] { wnd.print(false); }}}) {
        addButton(caption, QRect(x, 11, 76, 26), action);
        x += 80;
    }
}

QRect GBlockSyuAView::valueRect(int) const { return QRect(80, 12, 60, 24); }

int GBlockSyuAView::fieldValue(int) const { return wnd_.code(); }

QString GBlockSyuAView::fieldText(int) const { return QString("%1 ").arg(wnd_.code(), 4); }

void GBlockSyuAView::finished(controls::Key k) {
    if (k != controls::Key::Esc) wnd_.setCode(edit_->value());
    enterField(1);
}

void GBlockSyuAView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xE8, 0xE8, 0xF0));
    p.drawText(QRect(8, 12, 70, 24), Qt::AlignVCenter, QString::fromUtf8("表示No."));
    paintFields(p);
    p.setPen(QColor(0x00, 0x00, 0xA0));
    p.drawText(QRect(150, 12, 110, 24), Qt::AlignVCenter,
               QString::fromUtf8(tables::msg::kBlockModes[static_cast<int>(wnd_.measure())]));
    p.setPen(Qt::black);
    p.drawText(QRect(264, 12, 290, 24), Qt::AlignVCenter, QString::fromStdString(wnd_.codeName()));
}

}  // namespace rk::ui
