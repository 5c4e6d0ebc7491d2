#include "ui/tables/UriageSyuAView.h"

#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include "base/format.h"
#include "tables/messages.h"
#include "ui/controls/CDataEdit.h"
#include "ui/tables/UriageSyuBView.h"
#include "ui/tables/UriageSyuWnd.h"

namespace rk::ui {

using controls::Key;

UriageSyuAView::UriageSyuAView(UriageSyuWnd& wnd) : TableFieldsView(&wnd, wnd.dialogs(), 3), wnd_(wnd) {
    setObjectName("UriageSyuAView");
    setFixedHeight(kHeight);
    const int ed = wnd.context().edition == Edition::Sales ? 0 : 1;
    selection_ = new QListWidget(this);
    selection_->setGeometry(400, 6, 130, 48);
    selection_->setStyleSheet("QListWidget::item { height: 21px; }");
    selection_->setSelectionMode(QAbstractItemView::MultiSelection);
    selection_->setFocusPolicy(Qt::NoFocus);
    for (const char* line : tables::msg::kSlipSelectionLines[ed]) selection_->addItem(QString::fromUtf8(line));
    showSelection();
    connect(selection_, &QListWidget::itemSelectionChanged, this,
            [this] { wnd_.setSelection(selection_->item(0)->isSelected(), selection_->item(1)->isSelected()); });
    int i = 0;
    for (auto [caption, action] : std::initializer_list<std::pair<const char*, std::function<void()>>>{
             {"ﾌﾟﾚﾋﾞｭｰ", [&wnd] { wnd.print(true); }},
             {"印 刷", [&wnd] { wnd.print(false); }},
             {"文字列", [&wnd] { (void)wnd.exportTotals(); }},
             {"科目ｺｰﾄﾞ", [&wnd] { (void)wnd.exportAccountCodes(); }},
             {"解 説", [&wnd] { wnd.openGuide(); }}}) {
        addButton(caption, QRect(548 + (i % 3) * 86, 6 + (i / 3) * 30, 80, 24), action);  // two rows
        ++i;
    }
}

void UriageSyuAView::showSelection() {
    const QSignalBlocker block(selection_);
    selection_->item(0)->setSelected(wnd_.processedLine());
    selection_->item(1)->setSelected(wnd_.settledLine());
}

QRect UriageSyuAView::valueRect(int field) const {
    switch (field) {
        case 1:
            return QRect(104, 8, 110, 24);
        case 2:
            return QRect(104, 40, 110, 24);
        default:
            return QRect(300, 8, 60, 24);
    }
}

int UriageSyuAView::fieldValue(int field) const {
    return field == 1 ? wnd_.from() : field == 2 ? wnd_.to() : customer_;
}

QString UriageSyuAView::fieldText(int field) const {
    return field == 3 ? QString("%1 ").arg(customer_, 4) : dateText(fieldValue(field));
}

void UriageSyuAView::finished(Key k) {
    const int v = edit_->value();
    const int was = field_;
    if (k == Key::Esc) return enterField(field_);
    enterField(k == Key::Up || k == Key::Left ? field_ - 1 : field_ + 1);
    switch (was) {
        case 1:
            wnd_.setRange(monthday::normalise(v, monthday::kFirstDay), wnd_.to());
            break;
        case 2:
            wnd_.setRange(wnd_.from(), monthday::normalise(v, monthday::kLastDay));
            break;
        case 3:
            customer_ = v;
            wnd_.list()->scrollToRow(v);
            break;
    }
    update();
}

void UriageSyuAView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xE8, 0xE8, 0xF0));
    p.drawText(QRect(8, 8, 92, 24), Qt::AlignVCenter, QString::fromUtf8(" 集計開始日"));
    p.drawText(QRect(8, 40, 92, 24), Qt::AlignVCenter, QString::fromUtf8(" 集計終了日"));
    p.drawText(QRect(230, 8, 70, 24), Qt::AlignVCenter, QString::fromUtf8("得意先No"));
    p.drawText(QRect(400, 56, 130, 24), Qt::AlignVCenter, QString::fromUtf8("表示データ"));
    paintFields(p);
}

}  // namespace rk::ui
