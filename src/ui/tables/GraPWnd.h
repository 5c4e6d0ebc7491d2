// The line graph of a table window ("　グラフ表示"): seven series fields with their colours
// and the data choice on the left, the graph of fourteen periods on the right, drawn from the
// same page plan the printer gets. It belongs to its table window, redraws after each run of
// the table and closes with it.
#pragma once

#include <QWidget>

#include "tables/table_graph.h"
#include "ui/printing/PlanPrinter.h"
#include "ui/tables/TableFieldsView.h"

class QScrollBar;

namespace rk::ui {

class GraSyuWnd;
class GraPWnd;

// The series fields ("表示Ｎｏ" １ to ７): a code of the table's keys, 0 for the totals.
class GraPSeriesView : public TableFieldsView {
    Q_OBJECT
public:
    explicit GraPSeriesView(GraPWnd& wnd);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    void finished(controls::Key k) override;
    QRect valueRect(int field) const override;
    int fieldValue(int field) const override;
    QString fieldText(int field) const override;

    GraPWnd& wnd_;
};

class GraPWnd : public QWidget {
    Q_OBJECT
public:
    GraPWnd(GraSyuWnd& table, Dialogs& dialogs);
    // The window area opens the window at the size it was given.
    QSize sizeHint() const override { return size(); }

    GraSyuWnd& table() { return table_; }
    const tables::GraphView& view() const { return view_; }
    tables::GraphView& view() { return view_; }
    GraPSeriesView* series() const { return series_; }
    QScrollBar* periods() const { return scroll_; }
    PrintOutput& output() { return output_; }

    // Sets line 1..7 to a code (a key of the table or 0), anything else empties it.
    void setSeries(int line, int code);
    void clearGraph();
    void cycleData();
    // The table ran again: the periods and scales are taken anew.
    void refresh();
    printing::Document plan(const printing::PageArea& area) const;
    void print();

protected:
    // The window given the focus passes it on to the series field being edited.
    void focusInEvent(QFocusEvent*) override;
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;

private:
    QRect plotRect() const;

    GraSyuWnd& table_;
    tables::GraphView view_ = tables::defaultGraphView();
    GraPSeriesView* series_ = nullptr;
    QScrollBar* scroll_ = nullptr;
    PrintOutput output_;
};

}  // namespace rk::ui
