// A day or month table window (one per table kind): the header view with the range fields
// and buttons (GraSyuView), the period labels (GraSyuBView) and the grid of key columns
// (GraSyuCView), over one engine result held for the window's life. The conditions window
// (JyoukenSetWnd) belongs to it and closes with it.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "base/dialogs.h"
#include "tables/conditions.h"
#include "tables/report_print.h"
#include "tables/table_engine.h"
#include "ui/app/CommandTarget.h"

namespace rk::ui {

class GraSyuView;
class GraSyuBView;
class GraSyuCView;
class JyoukenSetWnd;
class GraPWnd;
class GBlockSyuWnd;

class GraSyuWnd : public QWidget, public CommandTarget {
    Q_OBJECT
public:
    GraSyuWnd(AppContext& ctx, Dialogs& dialogs, int kind, QWidget* parent = nullptr);
    ~GraSyuWnd() override;

    AppContext& context() { return ctx_; }
    Dialogs& dialogs() { return dialogs_; }
    int kind() const { return kind_; }
    const tables::TableKind& tableKind() const { return tables::tableKind(kind_); }
    const tables::TableResult& result() const { return result_; }
    const std::vector<std::string>& names() const { return names_; }  // UTF-8, index = code
    tables::TableRange& range() { return range_; }
    tables::ConditionSet& conditions() { return conditions_; }
    tables::Measure measure() const { return measure_; }
    bool byMonth() const { return byMonth_; }
    bool mixedPrint() const { return mixedPrint_; }
    int columnsPerPage() const { return columnsPerPage_; }

    GraSyuView* header() const { return header_; }
    GraSyuBView* labels() const { return labels_; }
    GraSyuCView* grid() const { return grid_; }
    JyoukenSetWnd* conditionsWindow() const { return conditionsWnd_; }

    // Runs the engine with the current range and conditions and redraws.
    void aggregate();
    void cycleMeasure();
    void setByMonth(bool on);
    void setMixedPrint(bool on) { mixedPrint_ = on; }
    // Opens (or brings forward) the conditions window.
    void showConditions();
    // Asks, then exchanges the display places of key columns a and b (indexes in the key list).
    void swapColumns(int a, int b);
    // "文字列": asks for a file name, then writes the four files. With `chosen` no dialog opens.
    bool exportCsv(const QString& chosen = {});
    void print(bool preview);
    printing::Document plan(const printing::PageArea& area) const;

    void setGuideOpener(std::function<void(const std::string&)> open) { guideOpener_ = std::move(open); }
    void openGuide();
    bool onCommand(int command) override;

    // "線ｸﾞﾗﾌ" and "個別表": the line graph and the period-by-month display of this table, each
    // opened once and closed with it.
    void openGraph();
    void openBlock();
    GraPWnd* graphWindow() const;
    GBlockSyuWnd* blockWindow() const;

signals:
    // The table was aggregated again or its periods were reordered.
    void redrawn();

private:
    // Shows a window of this table beside it (in the same window area when there is one).
    void showOwned(QWidget* w);
    static void closeOwned(QWidget* w);

    AppContext& ctx_;
    Dialogs& dialogs_;
    const int kind_;
    tables::TableRange range_;
    tables::ConditionSet conditions_;
    tables::TableResult result_;
    std::vector<std::string> names_;
    tables::Measure measure_ = tables::Measure::Quantity;
    bool byMonth_ = false;
    bool mixedPrint_ = false;
    int columnsPerPage_ = 8;
    GraSyuView* header_ = nullptr;
    GraSyuBView* labels_ = nullptr;
    GraSyuCView* grid_ = nullptr;
    JyoukenSetWnd* conditionsWnd_ = nullptr;
    QPointer<GraPWnd> graph_;
    QPointer<GBlockSyuWnd> block_;
    std::function<void(const std::string&)> guideOpener_;
};

}  // namespace rk::ui
