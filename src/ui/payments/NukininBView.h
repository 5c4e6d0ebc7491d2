// The list view of payment entry: one 22-pixel row per customer with its attribute (group
// representative, member or single), its name, the period's slip count and sums and its
// current balance. A click marks a row; a double click takes the customer into the entry.
#pragma once

#include <QAbstractScrollArea>
#include <vector>

#include "app/app_context.h"
#include "masters/master_records.h"
#include "payments/billing.h"

namespace rk::ui {

class NukininBView : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int kRowHeight = 22, kHeadHeight = 26;

    NukininBView(AppContext& ctx, const payments::BillingTable& table, QWidget* parent = nullptr);

    // Rereads the customers (names, groups, balances) and redraws.
    void refresh();
    int marked() const { return marked_; }
    // The texts of customer n's row, column by column.
    QStringList rowTexts(int n) const;
    // Brings customer n's row into view and marks it.
    void showCustomer(int n);

signals:
    void customerPicked(int n);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    int customerAt(int y) const;
    void updateBar();

    AppContext& ctx_;
    const payments::BillingTable& table_;
    std::vector<CustomerRecord> customers_;
    int marked_ = 0;
};

}  // namespace rk::ui
