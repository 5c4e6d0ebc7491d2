// The buyer totals window ("　買参人集計"): date range, customer and buyer (BaisanView), the
// sort item (BaisanBView) and the lines by buyer (BaisanCView); the buyer CSV file through a
// save dialog; printing.
#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "base/dialogs.h"
#include "printing/page_plan.h"
#include "tables/buyer_totals.h"
#include "ui/app/CommandTarget.h"
#include "ui/printing/PlanPrinter.h"

namespace rk::ui {

class BaisanView;
class BaisanBView;
class BaisanCView;

class BaisanWnd : public QWidget, public CommandTarget {
    Q_OBJECT
public:
    BaisanWnd(AppContext& ctx, Dialogs& dialogs, QWidget* parent = nullptr);
    // The window area opens the window at the size it was given.
    QSize sizeHint() const override { return size(); }

    AppContext& context() { return ctx_; }
    Dialogs& dialogs() { return dialogs_; }
    tables::BuyerRange& range() { return range_; }
    const tables::BuyerTotals& totals() const { return totals_; }
    const std::vector<std::string>& names() const { return names_; }  // UTF-8 product names
    BaisanView* header() const { return header_; }
    BaisanBView* sortList() const { return sort_; }
    BaisanCView* list() const { return list_; }
    PrintOutput& output() { return output_; }

    void run();
    void setSort(tables::BuyerSort by);
    // Asks for a file name (or takes `chosen`), then writes the CSV file.
    bool exportCsv(const QString& chosen = {});
    printing::Document plan(const printing::PageArea& area) const;
    void print(bool preview);
    void setGuideOpener(std::function<void(const std::string&)> open) { guideOpener_ = std::move(open); }
    void openGuide();
    bool onCommand(int command) override;

protected:
    // The window given the focus passes it on to the field being edited.
    void focusInEvent(QFocusEvent*) override;

private:
    AppContext& ctx_;
    Dialogs& dialogs_;
    tables::BuyerRange range_;
    tables::BuyerTotals totals_;
    std::vector<std::string> names_;
    BaisanView* header_ = nullptr;
    BaisanBView* sort_ = nullptr;
    BaisanCView* list_ = nullptr;
    PrintOutput output_;
    std::function<void(const std::string&)> guideOpener_;
};

}  // namespace rk::ui
