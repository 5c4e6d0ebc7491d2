// The name search totals window ("　名前検索集計"): date range and search name
// (NameSyuAView) over the matching slips (NameSyuBView); the lines of the listed slips as
// "詳細Data.Csv"; printing with the sales-totals headings.
#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "app/app_context.h"
#include "base/dialogs.h"
#include "printing/page_plan.h"
#include "tables/name_search.h"
#include "ui/app/CommandTarget.h"
#include "ui/printing/PlanPrinter.h"

namespace rk::ui {

class NameSyuAView;
class NameSyuBView;

class NameSyuWnd : public QWidget, public CommandTarget {
    Q_OBJECT
public:
    NameSyuWnd(AppContext& ctx, Dialogs& dialogs, QWidget* parent = nullptr);
    // The window area opens the window at the size it was given.
    QSize sizeHint() const override { return size(); }

    AppContext& context() { return ctx_; }
    Dialogs& dialogs() { return dialogs_; }
    const tables::NameSearch& result() const { return result_; }
    int from() const { return from_; }
    int to() const { return to_; }
    void setRange(int from, int to);
    NameSyuAView* header() const { return header_; }
    NameSyuBView* list() const { return list_; }
    PrintOutput& output() { return output_; }

    // Runs the search with the text typed in the name field (Shift-JIS).
    void search(const std::string& text, tables::NameMatch how);
    // Asks, then writes "詳細Data.Csv" into the program folder.
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
    AppContext& ctx_;
    Dialogs& dialogs_;
    int from_, to_;
    tables::NameSearch result_;
    NameSyuAView* header_ = nullptr;
    NameSyuBView* list_ = nullptr;
    PrintOutput output_;
    std::function<void(const std::string&)> guideOpener_;
};

}  // namespace rk::ui
