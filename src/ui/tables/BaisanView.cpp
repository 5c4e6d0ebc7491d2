#include "ui/tables/BaisanView.h"

#include <QPainter>

#include "base/format.h"
#include "tables/search_messages.h"
#include "tables/search_print.h"
#include "ui/controls/CDataEdit.h"
#include "ui/tables/BaisanWnd.h"

namespace rk::ui {

using controls::Key;
namespace msg = tables::msg;

BaisanView::BaisanView(BaisanWnd& wnd) : TableFieldsView(&wnd, wnd.dialogs(), 4), wnd_(wnd) {
    setObjectName("BaisanView");
    setFixedHeight(kHeight);
    int x = 8;
    for (auto [caption, action] : std::initializer_list<std::pair<const char*, std::function<void()>>>{
             {"集計実行", [&wnd] { wnd.run(); }},
             {"ﾌﾟﾚﾋﾞｭｰ", [&wnd] { wnd.print(true); }},
             {"印 刷", [&wnd] { wnd.print(false); }},
             {"文字列", [&wnd] { (void)wnd.exportCsv(); }},
             {"解 説", [&wnd] { wnd.openGuide(); }}}) {
        addButton(caption, QRect(x, 46, 76, 26), action);
        x += 80;
    }
    enterField(1);
}

QRect BaisanView::valueRect(int field) const {
    switch (field) {
        case 1:
            return QRect(96, 10, 100, 26);
        case 2:
            return QRect(290, 10, 100, 26);
        case 3:
            return QRect(500, 10, 56, 26);
        default:
            return QRect(660, 10, 56, 26);
    }
}

int BaisanView::fieldValue(int field) const {
    const tables::BuyerRange& r = wnd_.range();
    return field == 1 ? r.from : field == 2 ? r.to : field == 3 ? r.customer : std::max(r.buyer, 0);
}

QString BaisanView::fieldText(int field) const {
    if (field <= 2) return dateText(fieldValue(field));
    return fieldValue(field) == 0 ? QString::fromUtf8("全") : QString("%1 ").arg(fieldValue(field), 4);
}

void BaisanView::finished(Key k) {
    tables::BuyerRange& r = wnd_.range();
    const int was = field_;
    const int v = edit_->value();
    switch (was) {
        case 1:
            r.from = monthday::normalise(v, monthday::kFirstDay);
            break;
        case 2:
            r.to = monthday::normalise(v, monthday::kLastDay);
            break;
        case 3:
            r.customer = std::max(v, 0);
            break;
        default:
            r.buyer = v > 0 ? v : -1;
    }
    if (k == Key::Esc) return enterField(was);
    if (was == 4 && k == Key::Enter) {
        enterField(1);
        return wnd_.run();
    }
    enterField(k == Key::Up || k == Key::Left ? was - 1 : was + 1);
}

void BaisanView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xE8, 0xE8, 0xF0));
    for (int f = 1; f <= 4; ++f) {
        const QRect v = valueRect(f);
        p.drawText(QRect(v.left() - 96, v.top(), 92, v.height()), Qt::AlignVCenter | Qt::AlignRight,
                   QString::fromUtf8(msg::kBuyerFields[f - 1]));
    }
    paintFields(p);
    const auto& t = wnd_.totals();
    p.drawText(QRect(420, 46, 300, 26), Qt::AlignVCenter | Qt::AlignRight,
               QString::fromUtf8("数量 ") + QString::fromStdString(tables::quantityText(t.quantity)) +
                   QString::fromUtf8("  金額 ") + QString::fromStdString(tables::yenText(t.amount, 12)).trimmed());
}

}  // namespace rk::ui
