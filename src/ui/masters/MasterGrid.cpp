#include "ui/masters/MasterGrid.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>

#include "ui/controls/CDataEdit.h"

namespace rk::ui {

MasterGrid::MasterGrid(AppContext& ctx, Dialogs& dialogs, int firstRow, int lastRow, int rowHeight, QWidget* parent)
    : QAbstractScrollArea(parent),
      ctx_(ctx),
      dialogs_(dialogs),
      firstRow_(firstRow),
      lastRow_(lastRow),
      rowHeight_(rowHeight),
      row_(firstRow) {
    setFont(gridFont());
    viewport()->setFont(gridFont());
    setFocusPolicy(Qt::StrongFocus);
    verticalScrollBar()->setSingleStep(rowHeight_);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    updateRange();
}

QFont MasterGrid::gridFont() {
    QFont f("IPAGothic");
    f.setPixelSize(14);
    return f;
}

void MasterGrid::updateRange() {
    int height = (lastRow_ - firstRow_ + 1) * rowHeight_ + rowHeight_;
    verticalScrollBar()->setRange(0, std::max(0, height - viewport()->height()));
    verticalScrollBar()->setPageStep(viewport()->height());
}

void MasterGrid::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    updateRange();
}

QRect MasterGrid::rowRect(int row) const {
    return {0, (row - firstRow_) * rowHeight_ - verticalScrollBar()->value(), viewport()->width(), rowHeight_};
}

int MasterGrid::rowAt(int y) const { return firstRow_ + (y + verticalScrollBar()->value()) / rowHeight_; }

int MasterGrid::firstVisibleRow() const { return rowAt(0); }

int MasterGrid::visibleRows() const { return std::max(1, viewport()->height() / rowHeight_); }

void MasterGrid::scrollToRow(int row) { verticalScrollBar()->setValue((row - firstRow_) * rowHeight_); }

int MasterGrid::stepRow(int delta) const { return std::clamp(row_ + delta, firstRow_, lastRow_); }

void MasterGrid::moveTo(int row, int column) {
    row = std::clamp(row, firstRow_, lastRow_);
    started_ = true;
    row_ = row;
    column_ = column;
    // Keep the row inside the view: one row of scrolling at the edges, a jump when far away.
    int first = firstVisibleRow(), count = visibleRows();
    if (row < first)
        scrollToRow(row);
    else if (row >= first + count)
        scrollToRow(row - count + 1);
    loadRow(row);
    viewport()->update();
    openCell(row, column);
}

CDataEdit* MasterGrid::editField(const controls::EntryConfig& config, const QRect& cell) {
    CDataEdit* edit = CDataEdit::create(viewport(), config, cell, dialogs_);
    if (!edit) return nullptr;
    edit->setFont(gridFont());
    adoptEditor(edit);
    connect(edit, &CDataEdit::finished, this, [this](controls::Key k) { finishEditor(k); });
    return edit;
}

namespace {

// An editor that is done: out of sight at once (with the value label of a number field).
void retire(QWidget* e, QObject* owner) {
    e->disconnect(owner);
    e->removeEventFilter(owner);
    if (auto* edit = qobject_cast<CDataEdit*>(e); edit && edit->label()) edit->label()->hide();
    e->hide();
    e->deleteLater();
}

}  // namespace

void MasterGrid::adoptEditor(QWidget* control) {
    if (editor_ && editor_ != control) retire(editor_, this);
    editor_ = control;
    control->installEventFilter(this);
    control->show();
    control->setFocus(Qt::OtherFocusReason);
}

void MasterGrid::finishEditor(controls::Key key) {
    QWidget* e = editor_;
    editor_ = nullptr;
    closed_ = e;
    if (e) retire(e, this);
    cellClosed(key);
    closed_ = nullptr;
}

void MasterGrid::discardEditor() {
    if (QWidget* e = editor_) {
        editor_ = nullptr;
        retire(e, this);
    }
}

void MasterGrid::closeEditor() {
    if (!editor_) return;
    // A field writes what was typed when it loses the focus.
    if (editor_->hasFocus()) setFocus(Qt::OtherFocusReason);
    finishEditor(controls::Key::None);
}

bool MasterGrid::eventFilter(QObject* watched, QEvent* e) {
    if (watched == editor_ && e->type() == QEvent::KeyPress && editorKey(static_cast<QKeyEvent*>(e))) return true;
    return QAbstractScrollArea::eventFilter(watched, e);
}

void MasterGrid::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), Qt::white);
    int first = firstVisibleRow(), last = std::min(lastRow_, first + visibleRows() + 1);
    prepareRows(first, last);
    for (int row = first; row <= last; ++row) paintRow(p, row, rowRect(row));
}

void MasterGrid::mousePressEvent(QMouseEvent* e) {
    int row = rowAt(e->position().toPoint().y());
    if (row > lastRow_) row = lastRow_;
    rowClicked(row, e->position().toPoint().x(), e->button());
}

void MasterGrid::mouseDoubleClickEvent(QMouseEvent* e) {
    int row = rowAt(e->position().toPoint().y());
    if (row <= lastRow_) rowDoubleClicked(row, e->position().toPoint().x());
}

void MasterGrid::rowClicked(int row, int, Qt::MouseButton button) {
    if (button != Qt::LeftButton) return;
    closeEditor();
    moveTo(row, 1);
}

void MasterGrid::focusInEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusInEvent(e);
    // The focus goes on to the open editor once the focus change is over.
    QTimer::singleShot(0, this, [this] {
        if (!hasFocus()) return;
        if (!started_)
            firstFocus();
        else if (editor_)
            editor_->setFocus(Qt::OtherFocusReason);
    });
}

void MasterGrid::scrollContentsBy(int dx, int dy) { viewport()->scroll(dx, dy); }

}  // namespace rk::ui
