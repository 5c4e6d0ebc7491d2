// The list-table entry window ("  一覧表入力"): the delivery slips of one day as one table.
// The column-header view runs across the top, the row-header view down the left and the cell
// view fills the rest; the three scroll together by whole columns and rows and share one
// cursor and one entry field. The window owns the day table and moves the cursor; the views
// draw and pass clicks on.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "app/app_context.h"
#include "controls/keys.h"
#include "listtable/day_table.h"
#include "printing/page_plan.h"
#include "slips/packing_tables.h"
#include "ui/app/CommandTarget.h"
#include "ui/listtable/PackInsMenuWnd.h"

class QPushButton;
class QScrollBar;

namespace rk::ui {

class CDataEdit;
class CMojiList;
class PackInsAView;
class PackInsBView;
class PackInsCView;

class PackInsWnd : public QWidget, public CommandTarget {
    Q_OBJECT
public:
    static constexpr int kWidth = 1010, kHeight = 690;
    static constexpr int kHeaderHeight = 200, kRowHeadWidth = 191;
    static constexpr int kColumnWidth = 140, kRowHeight = 70, kSubRow = 22, kLinePitch = 20;

    enum class Area { Day, Header, RowHead, Cell };

    PackInsWnd(AppContext& ctx, Dialogs& dialogs, QWidget* parent = nullptr);
    ~PackInsWnd() override;

    AppContext& context() { return ctx_; }
    Dialogs& dialogs() { return dialogs_; }
    listtable::DayTable& table() { return table_; }
    const listtable::DayTable& table() const { return table_; }

    // --- the cursor ---
    Area area() const { return area_; }
    int column() const { return column_; }
    int row() const { return row_; }
    int headerLine() const { return line_; }
    int subRow() const { return sub_; }
    CDataEdit* edit() const { return edit_; }
    void toDay();
    void toHeader(int column, int line);
    void toRowHead(int row);
    void toCell(int column, int row, int sub);

    // --- scrolling: the first column and row on screen ---
    int firstColumn() const;
    int firstRow() const;
    int visibleColumns() const;
    int visibleRows() const;

    // --- the buttons ---
    void explain();
    void recordTable();
    void printSheet();
    void previewSheet();
    void exportCsv();
    // The sorting sheet for a printable area, with the print form's settings.
    printing::Document plan(const printing::PageArea& area) const;

    // The small menu window for a column; right-dragging a column onto another moves it.
    void openMenu(int column, const QPoint& at);
    void dragColumn(int from, int to);
    PackInsMenuWnd* menu() const { return menu_; }
    // What the small menu window offers.
    void deleteColumnData();
    void pasteColumn();
    void sortColumns();

    void setGuideOpener(std::function<void(const std::string&)> opener);
    // Asks for the CSV file, starting from the proposed name; empty when cancelled.
    using FileChooser = std::function<QString(const QString& proposed)>;
    void setFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }

    bool onCommand(int command) override;
    QSize sizeHint() const override { return {kWidth, kHeight}; }

protected:
    void resizeEvent(QResizeEvent* e) override;
    // The table's own keys on the entry field: Shift+Up/Down/Left and, on the headers, the
    // column and row clipboard keys.
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void finished(controls::Key k);
    bool store();
    void enter();
    void leave();
    void openPick();
    void picked(const controls::ListResult& r);
    void scrollToCursor();
    void refresh();
    void moveCell(int column, int row, int sub);
    QWidget* cursorView() const;
    QRect cursorRect() const;

    AppContext& ctx_;
    Dialogs& dialogs_;
    listtable::DayTable table_;
    std::unique_ptr<PackingTables> packing_;
    PackInsAView* aView_;
    PackInsBView* bView_;
    PackInsCView* cView_;
    QScrollBar* hBar_;
    QScrollBar* vBar_;
    QPushButton* explainButton_;
    QPointer<PackInsMenuWnd> menu_;
    int menuColumn_ = 0;
    CDataEdit* edit_ = nullptr;
    CMojiList* pick_ = nullptr;
    Area area_ = Area::Day;
    int column_ = 1, row_ = 1, line_ = 1, sub_ = 0;
    std::function<void(const std::string&)> guide_;
    FileChooser chooseFile_;
};

}  // namespace rk::ui
