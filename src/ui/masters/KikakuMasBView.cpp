#include "ui/masters/KikakuMasBView.h"

#include "masters/grade_remark.h"
#include "masters/master_fields.h"
#include "masters/master_io.h"
#include "masters/messages.h"
#include "ui/controls/CDataEdit.h"
#include "ui/masters/MasterUi.h"

namespace rk::ui {

using controls::Key;

KikakuMasBView::KikakuMasBView(AppContext& ctx, Dialogs& dialogs, QWidget* parent)
    : MasterGrid(ctx, dialogs, 1, masters::kLastGrade, kRowHeight, parent) {
    setObjectName("KikakuMasBView");
}

void KikakuMasBView::loadRow(int row) {
    rec_ = GradeRecord{};
    (void)masters::readRecord(ctx_.files, ctx_.fileSet[kGrades], row, rec_);
    read_ = rec_;
}

void KikakuMasBView::prepareRows(int first, int last) {
    shownFirst_ = first;
    shown_ = readRows<GradeRecord>(ctx_.files, ctx_.fileSet[kGrades], first, last);
}

void KikakuMasBView::paintRow(QPainter& p, int row, const QRect& r) {
    size_t i = static_cast<size_t>(row - shownFirst_);
    const GradeRecord& g = row == currentRow() ? rec_ : i < shown_.size() ? shown_[i] : rec_;
    if (row == currentRow()) p.fillRect(r, QColor(0xFF, 0xFF, 0xE0));
    p.setPen(QColor(0xC0, 0xC0, 0xC0));
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.setPen(Qt::black);
    auto cell = [&](int c, int w) { return QRect(kColumnX[c], r.top(), w, r.height()); };
    drawCell(p, cell(0, 40), QString::asprintf("%4d", row), Qt::AlignRight);
    drawCell(p, cell(1, 96), fieldText(g.grade1Name));
    drawCell(p, cell(2, 82), fieldText(g.grade2Name));
    drawCell(p, cell(3, 30), QString::asprintf("%2d", g.spareA), Qt::AlignRight);
    drawCell(p, cell(4, 30), QString::asprintf("%2d", g.spareB), Qt::AlignRight);
}

void KikakuMasBView::openCell(int row, int column) {
    QRect r = rowRect(row);
    controls::EntryConfig c;
    if (column <= 2) {
        c.mode = 0;
        c.length = masters::kGradeNameLimit;
        c.text = column == 1 ? std::span<char>(rec_.grade1Name) : std::span<char>(rec_.grade2Name);
        editField(c, QRect(kColumnX[column], r.top(), column == 1 ? 96 : 82, r.height()));
    } else {
        c.mode = 1;
        c.length = 2;
        c.value = column == 3 ? rec_.spareA : rec_.spareB;
        editField(c, QRect(kColumnX[column], r.top(), 30, r.height()));
    }
}

void KikakuMasBView::cellClosed(Key key) {
    if (auto* edit = qobject_cast<CDataEdit*>(closedEditor()); edit && currentColumn() >= 3)
        (currentColumn() == 3 ? rec_.spareA : rec_.spareB) = edit->value();
    (void)saveChangedRecord(ctx_, dialogs_, ctx_.fileSet[kGrades], currentRow(), read_, rec_, masters::kGradeFields,
                            msg::kGradeWriteFailed);
    viewport()->update();
    int row = currentRow(), column = currentColumn();
    switch (key) {
        case Key::None:
            return;
        case Key::Enter:
        case Key::Down:
            row = stepRow(1);
            break;
        case Key::Up:
            row = stepRow(-1);
            break;
        case Key::Right:
            column = std::min(column + 1, 4);
            break;
        case Key::Left:
            column = std::max(column - 1, 1);
            break;
        default:
            break;
    }
    moveTo(row, column);
}

void KikakuMasBView::rowClicked(int row, int x, Qt::MouseButton button) {
    if (button != Qt::LeftButton) return;
    closeEditor();
    // A click opens a name, never a spare value.
    moveTo(row, x <= 174 ? 1 : 2);
}

}  // namespace rk::ui
