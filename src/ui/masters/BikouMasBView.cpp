#include "ui/masters/BikouMasBView.h"

#include "masters/grade_remark.h"
#include "masters/master_fields.h"
#include "masters/master_io.h"
#include "masters/messages.h"
#include "ui/controls/CDataEdit.h"
#include "ui/masters/MasterUi.h"

namespace rk::ui {

using controls::Key;

BikouMasBView::BikouMasBView(AppContext& ctx, Dialogs& dialogs, QWidget* parent)
    : MasterGrid(ctx, dialogs, 1, masters::kLastRemark, kRowHeight, parent) {
    setObjectName("BikouMasBView");
}

void BikouMasBView::loadRow(int row) {
    rec_ = RemarkRecord{};
    (void)masters::readRecord(ctx_.files, ctx_.fileSet[kRemarks], row, rec_);
    read_ = rec_;
}

void BikouMasBView::prepareRows(int first, int last) {
    shownFirst_ = first;
    shown_ = readRows<RemarkRecord>(ctx_.files, ctx_.fileSet[kRemarks], first, last);
}

void BikouMasBView::paintRow(QPainter& p, int row, const QRect& r) {
    size_t i = static_cast<size_t>(row - shownFirst_);
    const RemarkRecord& rec = row == currentRow() || i >= shown_.size() ? rec_ : shown_[i];
    if (row == currentRow()) p.fillRect(r, QColor(0xFF, 0xFF, 0xE0));
    p.setPen(QColor(0xC0, 0xC0, 0xC0));
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.setPen(row >= masters::kFirstLongRemark ? QColor(0, 0, 0x80) : QColor(Qt::black));
    drawCell(p, QRect(0, r.top(), 40, r.height()), QString::asprintf("%4d", row), Qt::AlignRight);
    drawCell(p, QRect(kTextX, r.top(), kLongWidth, r.height()), fieldText(rec.text));
}

void BikouMasBView::openCell(int row, int) {
    QRect r = rowRect(row);
    controls::EntryConfig c;
    c.mode = 0;
    c.length = masters::remarkLimit(row);
    c.text = std::span<char>(rec_.text);
    editField(c, QRect(kTextX, r.top(), row >= masters::kFirstLongRemark ? kLongWidth : kShortWidth, r.height()));
}

void BikouMasBView::cellClosed(Key key) {
    (void)saveChangedRecord(ctx_, dialogs_, ctx_.fileSet[kRemarks], currentRow(), read_, rec_, masters::kRemarkFields,
                            msg::kRemarkWriteFailed);
    viewport()->update();
    if (key == Key::None) return;
    int row = currentRow();
    if (key == Key::Down)
        row = stepRow(1);
    else if (key == Key::Up)
        row = stepRow(-1);
    moveTo(row, 1);
}

}  // namespace rk::ui
