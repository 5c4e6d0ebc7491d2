// The scrolling grid the master windows share: fixed-height rows painted by the window,
// one current row and column, and at most one open cell editor over the current cell. The
// editor hands its closing key back through cellClosed(); the window stores the value,
// writes the record and calls moveTo() for the next cell.
#pragma once

#include <QAbstractScrollArea>
#include <QFont>
#include <QPointer>

#include "app/app_context.h"
#include "base/dialogs.h"
#include "controls/entry_field.h"
#include "controls/keys.h"

namespace rk::ui {

class CDataEdit;

class MasterGrid : public QAbstractScrollArea {
    Q_OBJECT
public:
    MasterGrid(AppContext& ctx, Dialogs& dialogs, int firstRow, int lastRow, int rowHeight, QWidget* parent = nullptr);

    int currentRow() const { return row_; }
    int currentColumn() const { return column_; }
    int rowHeight() const { return rowHeight_; }
    Dialogs& dialogs() const { return dialogs_; }
    // The open cell editor (a CDataEdit or a list), nullptr when none.
    QWidget* editor() const { return editor_; }
    // Loads the record of `row`, scrolls it into view and opens the editor on `column`.
    void moveTo(int row, int column);
    // Closes the open editor as if Enter ended it elsewhere (used before the window closes).
    void closeEditor();
    // Scrolls so that `row` is the first visible one.
    void scrollToRow(int row);
    int firstVisibleRow() const;
    int visibleRows() const;

    static QFont gridFont();

protected:
    AppContext& ctx_;
    Dialogs& dialogs_;

    // The window's part: read the row's record, paint a row, open the cell's editor, and
    // take the key that closed it.
    virtual void loadRow(int row) = 0;
    virtual void paintRow(QPainter& p, int row, const QRect& r) = 0;
    // Before a paint: the rows first..last about to be painted (read them in one block).
    virtual void prepareRows(int /*first*/, int /*last*/) {}
    virtual void openCell(int row, int column) = 0;
    virtual void cellClosed(controls::Key key) = 0;
    // A left click at x (viewport coordinates) on `row`; the default opens column 1.
    virtual void rowClicked(int row, int x, Qt::MouseButton button);
    virtual void rowDoubleClicked(int /*row*/, int /*x*/) {}
    // A key pressed in the open editor before the editor sees it; true when the window took it.
    virtual bool editorKey(QKeyEvent* /*e*/) { return false; }
    bool eventFilter(QObject* watched, QEvent* e) override;
    // The first focus opens the first cell.
    virtual void firstFocus() { moveTo(firstRow_, 1); }

    // Opens an entry field over the cell rectangle (viewport coordinates).
    CDataEdit* editField(const controls::EntryConfig& config, const QRect& cell);
    // Adopts another control as the cell editor; `done` is what the window calls with its key.
    void adoptEditor(QWidget* control);
    // The control closed with `key`: forget it and let the window go on.
    void finishEditor(controls::Key key);
    // Drops the open editor without storing its value.
    void discardEditor();
    // The editor that just closed, while cellClosed() runs (its value is still there).
    QWidget* closedEditor() const { return closed_; }
    QRect rowRect(int row) const;
    // Moves the current row by `delta` within the rows, scrolling one row at the edges.
    int stepRow(int delta) const;

    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    void resizeEvent(QResizeEvent* e) override;

    int firstRow_, lastRow_;

private:
    void updateRange();
    int rowAt(int y) const;

    int rowHeight_;
    int row_ = 0, column_ = 1;
    bool started_ = false;
    QPointer<QWidget> editor_;
    QPointer<QWidget> closed_;
};

}  // namespace rk::ui
