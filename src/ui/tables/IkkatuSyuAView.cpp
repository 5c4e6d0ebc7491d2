#include "ui/tables/IkkatuSyuAView.h"

#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include "base/format.h"
#include "tables/messages.h"
#include "ui/controls/CDataEdit.h"
#include "ui/tables/IkkatuSyuWnd.h"

namespace rk::ui {

using controls::Key;

IkkatuSyuAView::IkkatuSyuAView(IkkatuSyuWnd& wnd) : TableFieldsView(&wnd, wnd.dialogs(), 2), wnd_(wnd) {
    setObjectName("IkkatuSyuAView");
    setFixedHeight(kHeight);
    const int ed = wnd.context().edition == Edition::Sales ? 0 : 1;
    stages_ = new QListWidget(this);
    stages_->setGeometry(330, 6, 110, 92);
    stages_->setStyleSheet("QListWidget::item { height: 21px; }");
    stages_->setSelectionMode(QAbstractItemView::MultiSelection);
    stages_->setFocusPolicy(Qt::NoFocus);
    for (const char* line : tables::msg::kBulkStageLines[ed]) stages_->addItem(QString::fromUtf8(line));
    showStages();
    connect(stages_, &QListWidget::itemSelectionChanged, this, [this] {
        tables::StageSelection s{};
        for (int i = 0; i < tables::kSlipStages; ++i) s[static_cast<size_t>(i)] = stages_->item(i)->isSelected();
        wnd_.setStages(s);
    });
    int i = 0;
    for (auto [caption, action] : std::initializer_list<std::pair<const char*, std::function<void()>>>{
             {"ﾌﾟﾚﾋﾞｭｰ", [&wnd] { wnd.print(true); }},
             {"印 刷", [&wnd] { wnd.print(false); }},
             {"文字列", [&wnd] { (void)wnd.exportCsv(); }},
             {"条 件", [&wnd] { wnd.showConditions(); }},
             {"解 説", [&wnd] { wnd.openGuide(); }}}) {
        addButton(caption, QRect(460 + (i % 3) * 86, 6 + (i / 3) * 30, 80, 24), action);
        ++i;
    }
}

void IkkatuSyuAView::showStages() {
    const QSignalBlocker block(stages_);
    for (int i = 0; i < tables::kSlipStages; ++i) stages_->item(i)->setSelected(wnd_.stages()[static_cast<size_t>(i)]);
}

QRect IkkatuSyuAView::valueRect(int field) const { return QRect(112, field == 1 ? 8 : 40, 110, 24); }
int IkkatuSyuAView::fieldValue(int field) const { return field == 1 ? wnd_.from() : wnd_.to(); }
QString IkkatuSyuAView::fieldText(int field) const { return dateText(fieldValue(field)); }

void IkkatuSyuAView::finished(Key k) {
    const int v = edit_->value();
    const int was = field_;
    if (k == Key::Esc) return enterField(field_);
    if (was == 1)
        wnd_.setRange(monthday::normalise(v, monthday::kFirstDay), wnd_.to());
    else
        wnd_.setRange(wnd_.from(), monthday::normalise(v, monthday::kLastDay));
    const bool confirmedEnd = was == 2 && (k == Key::Enter || k == Key::Down);
    enterField(k == Key::Up || k == Key::Left ? 1 : 2);
    if (confirmedEnd) wnd_.showConditions();
}

void IkkatuSyuAView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xE8, 0xE8, 0xF0));
    p.drawText(QRect(8, 8, 100, 24), Qt::AlignVCenter, QString::fromUtf8(" 集計開始日"));
    p.drawText(QRect(8, 40, 100, 24), Qt::AlignVCenter, QString::fromUtf8(" 集計終了日"));
    p.drawText(QRect(240, 6, 86, 24), Qt::AlignVCenter, QString::fromUtf8("表示データ"));
    paintFields(p);
}

}  // namespace rk::ui
