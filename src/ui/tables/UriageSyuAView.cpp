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

namespace {

QString dateText(int v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%2d 月 %2d 日", v / 100, v % 100);
    return QString::fromUtf8(buf);
}

}  // namespace

UriageSyuAView::UriageSyuAView(UriageSyuWnd& wnd) : QWidget(&wnd), wnd_(wnd) {
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
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setGeometry(548 + (i % 3) * 86, 6 + (i / 3) * 30, 80, 24);  // two rows of buttons
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QPushButton::clicked, this, action);
        ++i;
    }
}

QPushButton* UriageSyuAView::button(const QString& caption) const {
    for (QPushButton* b : findChildren<QPushButton*>())
        if (b->text() == caption) return b;
    return nullptr;
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

void UriageSyuAView::enterField(int field) {
    if (edit_) {
        edit_->disconnect(this);
        edit_->hide();
        if (edit_->label()) edit_->label()->hide();
        edit_->deleteLater();
        edit_ = nullptr;
    }
    field_ = std::clamp(field, 1, 3);
    controls::EntryConfig c;
    c.mode = 1;
    c.length = 4;
    c.value = field_ == 1 ? wnd_.from() : field_ == 2 ? wnd_.to() : customer_;
    edit_ = CDataEdit::create(this, c, valueRect(field_), wnd_.dialogs());
    if (edit_) connect(edit_, &CDataEdit::finished, this, &UriageSyuAView::finished);
    update();
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

void UriageSyuAView::mousePressEvent(QMouseEvent* e) {
    for (int f = 1; f <= 3; ++f)
        if (valueRect(f).contains(e->pos())) return enterField(f);
}

void UriageSyuAView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xE8, 0xE8, 0xF0));
    p.drawText(QRect(8, 8, 92, 24), Qt::AlignVCenter, QString::fromUtf8(" 集計開始日"));
    p.drawText(QRect(8, 40, 92, 24), Qt::AlignVCenter, QString::fromUtf8(" 集計終了日"));
    p.drawText(QRect(230, 8, 70, 24), Qt::AlignVCenter, QString::fromUtf8("得意先No"));
    p.drawText(QRect(400, 56, 130, 24), Qt::AlignVCenter, QString::fromUtf8("表示データ"));
    for (int f = 1; f <= 3; ++f) {
        const QRect r = valueRect(f);
        p.fillRect(r, Qt::white);
        p.drawRect(r.adjusted(0, 0, -1, -1));
        if (f == field_ && edit_) continue;
        const QString text = f == 1   ? dateText(wnd_.from())
                             : f == 2 ? dateText(wnd_.to())
                                      : QString("%1 ").arg(customer_, 4);
        p.drawText(r.adjusted(2, 0, -4, 0), Qt::AlignVCenter | Qt::AlignRight, text);
    }
}

}  // namespace rk::ui
