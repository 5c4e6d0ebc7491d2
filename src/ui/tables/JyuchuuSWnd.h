// The order totals window ("　受注集計"; purchase "　発注集計"): date range and buttons
// (JyuchuuSAView) over the order lines by date and product or summed by product
// (JyuchuuSBView); "A集計.Csv" of the listing shown; printing.
#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "base/dialogs.h"
#include "printing/page_plan.h"
#include "tables/order_totals.h"
#include "ui/app/CommandTarget.h"
#include "ui/printing/PlanPrinter.h"

namespace rk::ui {

class JyuchuuSAView;
class JyuchuuSBView;

class JyuchuuSWnd : public QWidget, public CommandTarget {
    Q_OBJECT
public:
    JyuchuuSWnd(AppContext& ctx, Dialogs& dialogs, QWidget* parent = nullptr);
    // The window area opens the window at the size it was given.
    QSize sizeHint() const override { return size(); }

    AppContext& context() { return ctx_; }
    Dialogs& dialogs() { return dialogs_; }
    const tables::OrderTotals& totals() const { return totals_; }
    const std::vector<std::string>& names() const { return names_; }  // UTF-8 product names
    bool byProduct() const { return byProduct_; }
    int from() const { return from_; }
    int to() const { return to_; }
    JyuchuuSAView* header() const { return header_; }
    JyuchuuSBView* list() const { return list_; }
    PrintOutput& output() { return output_; }

    // A new range runs the totals again.
    void setRange(int from, int to);
    // Switches between the listing by date and product and the one by product.
    void toggleListing();
    bool exportCsv();
    printing::Document plan(const printing::PageArea& area) const;
    void print(bool preview);
    void setGuideOpener(std::function<void(const std::string&)> open) { guideOpener_ = std::move(open); }
    void openGuide();
    bool onCommand(int command) override;

protected:
    // The window given the focus passes it on to the field being edited.
    void focusInEvent(QFocusEvent*) override;

private:
    void run();

    AppContext& ctx_;
    Dialogs& dialogs_;
    int from_, to_;
    bool byProduct_ = false;
    tables::OrderTotals totals_;
    std::vector<std::string> names_;
    JyuchuuSAView* header_ = nullptr;
    JyuchuuSBView* list_ = nullptr;
    PrintOutput output_;
    std::function<void(const std::string&)> guideOpener_;
};

}  // namespace rk::ui
