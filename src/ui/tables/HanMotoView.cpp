#include "ui/tables/HanMotoView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include "base/format.h"
#include "ui/controls/CDataEdit.h"
#include "ui/tables/HanMotoWnd.h"

namespace rk::ui {

using controls::Key;

HanMotoView::HanMotoView(HanMotoWnd& wnd) : TableFieldsView(&wnd, wnd.dialogs(), 3), wnd_(wnd) {
    setObjectName("HanMotoView");
    setFixedHeight(kHeight);
    int x = 520;
    for (auto [caption, action] : std::initializer_list<std::pair<const char*, std::function<void()>>>{
             {"ﾌﾟﾚﾋﾞｭｰ", [&wnd] { wnd.print(true); }}, {"印 刷", [&wnd] { wnd.print(false); }}, {"解 説", [&wnd] {
                                                                                                     wnd.openGuide();
                                                                                                 }}}) {
        addButton(caption, QRect(x, 42, 80, 26), action);
        x += 86;
    }
}

QRect HanMotoView::valueRect(int field) const {
    switch (field) {
        case 1:
            return QRect(96, 8, 60, 24);
        case 2:
            return QRect(96, 42, 110, 24);
        default:
            return QRect(330, 42, 110, 24);
    }
}

int HanMotoView::fieldValue(int field) const {
    return field == 1 ? customer_ : field == 2 ? wnd_.printFrom() : wnd_.printTo();
}

QString HanMotoView::fieldText(int field) const {
    const int customer = wnd_.ledger().customer;
    return field == 1 ? (customer ? QString::number(customer) : QString()) : dateText(fieldValue(field));
}

void HanMotoView::finished(Key k) {
    const int v = edit_->value();
    const int was = field_;
    if (k == Key::Esc) return enterField(field_);
    enterField(k == Key::Up || k == Key::Left ? field_ - 1 : field_ + 1);
    switch (was) {
        case 1:
            if (v != customer_ || wnd_.ledger().customer != v) {
                customer_ = v;
                wnd_.chooseCustomer(v);
            }
            break;
        case 2:
            wnd_.setPrintRange(monthday::normalise(v, monthday::kFirstDay), wnd_.printTo());
            break;
        case 3:
            wnd_.setPrintRange(wnd_.printFrom(), monthday::normalise(v, monthday::kLastDay));
            break;
    }
    update();
}

void HanMotoView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xE8, 0xE8, 0xF0));
    const tables::Ledger& l = wnd_.ledger();
    auto label = [&](int x, int y, const char* text) {
        p.drawText(QRect(x, y, 90, 24), Qt::AlignVCenter, QString::fromUtf8(text));
    };
    label(8, 8, "得意先No");
    label(170, 8, "得意先名");
    label(480, 8, "期首残高");
    label(8, 42, "印刷開始日");
    label(230, 42, "印刷終了日");
    paintFields(p);
    if (l.customer == 0) return;
    p.drawText(QRect(240, 8, 230, 24), Qt::AlignVCenter, QString::fromStdString(l.name));
    p.drawText(QRect(560, 8, 120, 24), Qt::AlignVCenter | Qt::AlignRight,
               QString::fromStdString(fmt::grouped(static_cast<int64_t>(l.opening), 14)).trimmed());
}

}  // namespace rk::ui
