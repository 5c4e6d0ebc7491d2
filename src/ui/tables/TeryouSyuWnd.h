// The commission totals window ("　手数料集計"): date and customer range and a search text,
// the sums of the slips' commission and deductions and of the payments' remittance fees,
// and, with its box checked, "手数料.Csv" written by each run.
#pragma once

#include <functional>
#include <string>

#include "app/app_context.h"
#include "tables/commission_totals.h"
#include "ui/app/CommandTarget.h"
#include "ui/printing/PlanPrinter.h"
#include "ui/tables/TableFieldsView.h"

class QCheckBox;

namespace rk::ui {

class TeryouSyuWnd : public TableFieldsView, public CommandTarget {
    Q_OBJECT
public:
    static constexpr int kSearchBytes = 20;
    TeryouSyuWnd(AppContext& ctx, Dialogs& dialogs, QWidget* parent = nullptr);

    const tables::CommissionRange& range() const { return range_; }
    const tables::CommissionTotals& totals() const { return totals_; }
    QCheckBox* csvBox() const { return csv_; }
    PrintOutput& output() { return output_; }

    // Runs the totals (and writes the CSV file when the box is checked).
    void run();
    printing::Document plan(const printing::PageArea& area) const;
    void print(bool preview);
    void setGuideOpener(std::function<void(const std::string&)> open) { guideOpener_ = std::move(open); }
    bool onCommand(int command) override;

protected:
    void paintEvent(QPaintEvent*) override;
    void focusInEvent(QFocusEvent*) override;

private:
    void finished(controls::Key k) override;
    QRect valueRect(int field) const override;
    int fieldValue(int field) const override;
    QString fieldText(int field) const override;
    controls::EntryConfig fieldConfig(int field) const override;

    AppContext& ctx_;
    Dialogs& dialogs_;
    tables::CommissionRange range_;
    tables::CommissionTotals totals_;
    mutable char search_[kSearchBytes + 1] = {};
    QCheckBox* csv_ = nullptr;
    PrintOutput output_;
    std::function<void(const std::string&)> guideOpener_;
};

}  // namespace rk::ui
