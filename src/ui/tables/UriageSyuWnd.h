// The sales totals window ("　売り上げ集計"): date range, customer and slip selection fields
// (UriageSyuAView) over the per-customer totals (UriageSyuBView); CSV of the totals with the
// balances, the three account-code files, printing.
#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "base/dialogs.h"
#include "printing/page_plan.h"
#include "tables/sales_totals.h"
#include "ui/app/CommandTarget.h"

namespace rk::ui {

class UriageSyuAView;
class UriageSyuBView;

class UriageSyuWnd : public QWidget, public CommandTarget {
    Q_OBJECT
public:
    UriageSyuWnd(AppContext& ctx, Dialogs& dialogs, QWidget* parent = nullptr);

    AppContext& context() { return ctx_; }
    Dialogs& dialogs() { return dialogs_; }
    const tables::SalesTotals& totals() const { return totals_; }
    tables::SlipSelection selection() const { return tables::selectionOf(processed_, settled_); }
    bool processedLine() const { return processed_; }
    bool settledLine() const { return settled_; }
    const std::vector<std::string>& names() const { return names_; }
    int from() const { return from_; }
    int to() const { return to_; }
    UriageSyuAView* header() const { return header_; }
    UriageSyuBView* list() const { return list_; }

    // A new range runs the totals again.
    void setRange(int from, int to);
    // Lines 1 and 2 of the slip selection; clearing both keeps the one just cleared.
    void setSelection(bool processed, bool settled);
    // Asks, then writes into the program folder. False when declined or failed.
    bool exportTotals();
    bool exportAccountCodes();
    printing::Document plan(const printing::PageArea& area) const;
    void print(bool preview);
    void setGuideOpener(std::function<void(const std::string&)> open) { guideOpener_ = std::move(open); }
    void openGuide();
    bool onCommand(int command) override;

private:
    void run();

    AppContext& ctx_;
    Dialogs& dialogs_;
    int from_, to_;
    bool processed_ = true, settled_ = true;
    tables::SalesTotals totals_;
    std::vector<std::string> names_;
    UriageSyuAView* header_ = nullptr;
    UriageSyuBView* list_ = nullptr;
    std::function<void(const std::string&)> guideOpener_;
};

}  // namespace rk::ui
