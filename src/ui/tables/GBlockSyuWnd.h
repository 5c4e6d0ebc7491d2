// The period-by-month display of a month table ("　個別表示（期別Ｘ月別表示）"): the
// "表示No." field and buttons (GBlockSyuAView) over the grid of business years by months of
// one code (GBlockSyuBView). It belongs to its table window, redraws after each run of the
// table and closes with it.
#pragma once

#include <QWidget>
#include <string>

#include "tables/period_grid.h"
#include "ui/printing/PlanPrinter.h"

namespace rk::ui {

class GraSyuWnd;
class GBlockSyuAView;
class GBlockSyuBView;

class GBlockSyuWnd : public QWidget {
    Q_OBJECT
public:
    explicit GBlockSyuWnd(GraSyuWnd& table);
    // The window area opens the window at the size it was given.
    QSize sizeHint() const override { return size(); }

    GraSyuWnd& table() { return table_; }
    const tables::PeriodGrid& grid() const { return grid_; }
    int code() const { return code_; }
    tables::Measure measure() const { return measure_; }
    // The code's name (customer, product, grade) for the kinds that have names, UTF-8.
    std::string codeName() const;
    GBlockSyuAView* header() const { return header_; }
    GBlockSyuBView* cells() const { return cells_; }
    PrintOutput& output() { return output_; }

    void setCode(int code);
    void cycleMeasure();
    void refresh();
    printing::Document plan(const printing::PageArea& area) const;
    void print(bool preview);

protected:
    // The window given the focus passes it on to the field being edited.
    void focusInEvent(QFocusEvent*) override;

private:
    GraSyuWnd& table_;
    int code_ = 0;
    tables::Measure measure_ = tables::Measure::Quantity;
    tables::PeriodGrid grid_;
    GBlockSyuAView* header_ = nullptr;
    GBlockSyuBView* cells_ = nullptr;
    PrintOutput output_;
};

}  // namespace rk::ui
