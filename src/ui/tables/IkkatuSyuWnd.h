// The bulk totals window ("　コード別一括集計"): date range and stage selection
// (IkkatuSyuAView) over the per-customer figures of the selected stages (IkkatuSyuBView).
// The conditions window limits sales method, product, grades and remark code; its F3 runs
// the totals.
#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "base/dialogs.h"
#include "printing/page_plan.h"
#include "tables/bulk_totals.h"
#include "ui/app/CommandTarget.h"

namespace rk::ui {

class IkkatuSyuAView;
class IkkatuSyuBView;
class JyoukenSetWnd;

class IkkatuSyuWnd : public QWidget, public CommandTarget {
    Q_OBJECT
public:
    IkkatuSyuWnd(AppContext& ctx, Dialogs& dialogs, QWidget* parent = nullptr);

    AppContext& context() { return ctx_; }
    Dialogs& dialogs() { return dialogs_; }
    const tables::BulkTotals& totals() const { return totals_; }
    const tables::StageSelection& stages() const { return stages_; }
    // Customers with figures in the selected stages, in number order.
    const std::vector<int>& shownCustomers() const { return shown_; }
    const std::vector<std::string>& names() const { return names_; }
    int from() const { return from_; }
    int to() const { return to_; }
    IkkatuSyuAView* header() const { return header_; }
    IkkatuSyuBView* list() const { return list_; }
    JyoukenSetWnd* conditionsWindow() const { return conditionsWnd_; }

    void setRange(int from, int to);
    // An empty selection keeps the previous one.
    void setStages(const tables::StageSelection& s);
    void showConditions();
    void run(const tables::ConditionSet& conditions);
    bool exportCsv();
    printing::Document plan(const printing::PageArea& area) const;
    void print(bool preview);
    void setGuideOpener(std::function<void(const std::string&)> open) { guideOpener_ = std::move(open); }
    void openGuide();
    bool onCommand(int command) override;

private:
    void refreshShown();

    AppContext& ctx_;
    Dialogs& dialogs_;
    int from_, to_;
    tables::StageSelection stages_{false, true, true, true};
    tables::ConditionSet conditions_;
    tables::BulkTotals totals_;
    std::vector<int> shown_;
    std::vector<std::string> names_;
    IkkatuSyuAView* header_ = nullptr;
    IkkatuSyuBView* list_ = nullptr;
    JyoukenSetWnd* conditionsWnd_ = nullptr;
    std::function<void(const std::string&)> guideOpener_;
};

}  // namespace rk::ui
