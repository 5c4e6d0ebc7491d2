#include "ui/tables/IkkatuSyuBView.h"

#include "base/format.h"
#include "base/money.h"
#include "tables/messages.h"
#include "ui/tables/IkkatuSyuWnd.h"

namespace rk::ui {

namespace {

QString number(double v, int width) {
    return QString::fromStdString(fmt::grouped(static_cast<int64_t>(money::yen(v)), width)).trimmed();
}

}  // namespace

IkkatuSyuBView::IkkatuSyuBView(IkkatuSyuWnd& wnd) : RowListView(&wnd), wnd_(wnd) {
    setObjectName("IkkatuSyuBView");
    updateHeads();
}

void IkkatuSyuBView::updateHeads() {
    namespace msg = tables::msg;
    const int ed = wnd_.context().edition == Edition::Sales ? 0 : 1;
    setColumns({{QString::fromUtf8("  No.   得意先名"), 300, false},
                {QString::fromUtf8(msg::kBulkFirstHead[ed][tables::onlyOrders(wnd_.stages()) ? 1 : 0]), 110},
                {QString::fromUtf8(msg::kBulkHeads[ed][0]), 110},
                {QString::fromUtf8(msg::kBulkHeads[ed][1]), 90},
                {QString::fromUtf8(msg::kBulkHeads[ed][2]), 110},
                {QString::fromUtf8(msg::kBulkHeads[ed][3]), 140}});
}

int IkkatuSyuBView::rowCount() const { return static_cast<int>(wnd_.shownCustomers().size()) + 1; }

QStringList IkkatuSyuBView::rowTexts(int row) const {
    const int customer = row == 0 ? 0 : wnd_.shownCustomers()[static_cast<size_t>(row - 1)];
    const tables::BulkFigures f = tables::bulkFigures(wnd_.totals(), wnd_.stages(), customer);
    const QString label = customer == 0 ? QString::fromUtf8("      合計")
                                        : QString("%1  ").arg(customer, 4) +
                                              QString::fromStdString(static_cast<size_t>(customer) < wnd_.names().size()
                                                                         ? wnd_.names()[static_cast<size_t>(customer)]
                                                                         : std::string());
    return {label,
            number(f.first, 11),
            number(f.quantity, 11),
            number(f.difference, 9),
            number(f.price(), 11),
            number(f.amount, 14)};
}

}  // namespace rk::ui
