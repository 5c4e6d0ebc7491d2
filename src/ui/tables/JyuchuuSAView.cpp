#include "ui/tables/JyuchuuSAView.h"

#include <QPainter>

#include "base/format.h"
#include "tables/search_messages.h"
#include "tables/search_print.h"
#include "ui/controls/CDataEdit.h"
#include "ui/tables/JyuchuuSWnd.h"

namespace rk::ui {

using controls::Key;
namespace msg = tables::msg;

JyuchuuSAView::JyuchuuSAView(JyuchuuSWnd& wnd) : TableFieldsView(&wnd, wnd.dialogs(), 2), wnd_(wnd) {
    setObjectName("JyuchuuSAView");
    setFixedHeight(kHeight);
    int x = 8;
    for (auto [caption, action] : std::initializer_list<std::pair<const char*, std::function<void()>>>{
             {"ﾓｰﾄﾞ替", [&wnd] { wnd.toggleListing(); }},
             {"ﾌﾟﾚﾋﾞｭｰ", [&wnd] { wnd.print(true); }},
             {"印 刷", [&wnd] { wnd.print(false); }},
             {"文字列", [&wnd] { (void)wnd.exportCsv(); }},
             {"解 説", [&wnd] { wnd.openGuide(); }}}) {
        addButton(caption, QRect(x, 46, 76, 26), action);
        x += 80;
    }
}

QRect JyuchuuSAView::valueRect(int field) const { return QRect(field == 1 ? 96 : 300, 10, 100, 26); }

int JyuchuuSAView::fieldValue(int field) const { return field == 1 ? wnd_.from() : wnd_.to(); }

QString JyuchuuSAView::fieldText(int field) const { return dateText(fieldValue(field)); }

void JyuchuuSAView::finished(Key k) {
    const int was = field_;
    const int v = edit_->value();
    if (k == Key::Esc) return enterField(was);
    enterField(k == Key::Up || k == Key::Left ? 1 : k == Key::Down || k == Key::Right || k == Key::Enter ? 2 : was);
    if (was == 1) wnd_.setRange(monthday::normalise(v, monthday::kFirstDay), wnd_.to());
    if (was == 2) wnd_.setRange(wnd_.from(), monthday::normalise(v, monthday::kLastDay));
}

void JyuchuuSAView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xE8, 0xE8, 0xF0));
    for (int f = 1; f <= 2; ++f) {
        const QRect v = valueRect(f);
        p.drawText(QRect(v.left() - 92, v.top(), 88, v.height()), Qt::AlignVCenter | Qt::AlignRight,
                   QString::fromUtf8(f == 1 ? " 集計開始日" : " 集計終了日"));
    }
    paintFields(p);
    const int ed = wnd_.context().edition == Edition::Sales ? 0 : 1;
    p.setPen(QColor(0x00, 0x00, 0xA0));
    p.drawText(QRect(430, 10, 200, 26), Qt::AlignVCenter,
               QString::fromUtf8(wnd_.byProduct() ? msg::kOrderByProduct[ed] : msg::kOrderByDate[ed]));
    p.setPen(Qt::black);
    p.drawText(QRect(640, 10, 200, 26), Qt::AlignVCenter | Qt::AlignRight,
               QString::fromUtf8("合計数量 ") + QString::fromStdString(tables::quantityText(wnd_.totals().quantity)));
}

}  // namespace rk::ui
