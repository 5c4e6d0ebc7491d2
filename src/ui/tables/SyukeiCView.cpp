#include "ui/tables/SyukeiCView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include "base/format.h"
#include "ui/tables/RowListView.h"
#include "ui/tables/SyukeiBView.h"
#include "ui/tables/SyukeiView.h"
#include "ui/tables/SyukeiWnd.h"

namespace rk::ui {

SyukeiCView::SyukeiCView(SyukeiWnd& wnd) : QAbstractScrollArea(&wnd), wnd_(wnd) {
    setObjectName("SyukeiCView");
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setSingleStep(1);
}

QColor SyukeiCView::stageColour(int stage) {
    switch (stage) {
        case 0:
            return QColor(0xC0, 0xFF, 0xFF);  // order: light cyan
        case 1:
            return QColor(0x80, 0xE0, 0x80);  // delivery: green
        case 2:
            return QColor(0xFF, 0xFF, 0x80);  // on credit: yellow
        default:
            return QColor(0xFF, 0xC0, 0xD0);  // settled: pink
    }
}

int SyukeiCView::firstRow() const { return verticalScrollBar()->value(); }
int SyukeiCView::firstColumn() const { return horizontalScrollBar()->value(); }

int SyukeiCView::firstDate() const {
    const auto& d = wnd_.grid().dates;
    return d.empty() ? 0 : d[static_cast<size_t>(std::min<int>(firstRow(), static_cast<int>(d.size()) - 1))];
}

int SyukeiCView::firstCustomer() const {
    const auto& c = wnd_.grid().customers;
    return c.empty() ? 0 : c[static_cast<size_t>(std::min<int>(firstColumn(), static_cast<int>(c.size()) - 1))];
}

void SyukeiCView::scrollToDate(int monthDay) {
    const auto& d = wnd_.grid().dates;
    const int m = wnd_.context().settings.firstMonth;
    int row = 0;
    while (static_cast<size_t>(row) < d.size() &&
           monthday::businessKey(d[static_cast<size_t>(row)], m) < monthday::businessKey(monthDay, m))
        ++row;
    verticalScrollBar()->setValue(row);
}

void SyukeiCView::scrollToCustomer(int customer) {
    const auto& c = wnd_.grid().customers;
    horizontalScrollBar()->setValue(static_cast<int>(std::lower_bound(c.begin(), c.end(), customer) - c.begin()));
}

void SyukeiCView::updateRanges() {
    const auto& g = wnd_.grid();
    const int rows = std::max(1, viewport()->height() / kRowHeight);
    const int columns = std::max(1, (viewport()->width() - kHeadWidth) / kColumnWidth);
    verticalScrollBar()->setRange(0, std::max(0, static_cast<int>(g.dates.size()) - rows));
    verticalScrollBar()->setPageStep(rows);
    horizontalScrollBar()->setRange(0, std::max(0, static_cast<int>(g.customers.size()) - columns));
    horizontalScrollBar()->setPageStep(columns);
}

void SyukeiCView::reset() {
    updateRanges();
    const int rows = static_cast<int>(wnd_.grid().dates.size());
    verticalScrollBar()->setValue(rows > 15 ? rows - 15 : 0);
    viewport()->update();
}

void SyukeiCView::resizeEvent(QResizeEvent*) { updateRanges(); }

void SyukeiCView::scrollContentsBy(int, int) {
    viewport()->update();
    wnd_.heads()->update();
    wnd_.header()->update();
}

QRect SyukeiCView::cellRect(size_t row, size_t column) const {
    return QRect(kHeadWidth + (static_cast<int>(column) - firstColumn()) * kColumnWidth,
                 (static_cast<int>(row) - firstRow()) * kRowHeight, kColumnWidth, kRowHeight);
}

bool SyukeiCView::cellAt(QPoint p, size_t& row, size_t& column) const {
    if (p.x() < kHeadWidth || p.y() < 0) return false;
    const int r = firstRow() + p.y() / kRowHeight, c = firstColumn() + (p.x() - kHeadWidth) / kColumnWidth;
    const auto& g = wnd_.grid();
    if (r >= static_cast<int>(g.dates.size()) || c >= static_cast<int>(g.customers.size())) return false;
    row = static_cast<size_t>(r);
    column = static_cast<size_t>(c);
    return true;
}

QString SyukeiCView::cellText(size_t row, size_t column) const {
    const tables::ShippingCell& c = wnd_.grid().cell(row, column);
    return c.slip == 0 ? QString::fromUtf8("･") : QString::asprintf(" %3d", c.lines);
}

void SyukeiCView::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), Qt::white);
    const auto& g = wnd_.grid();
    for (size_t r = static_cast<size_t>(firstRow()); r < g.dates.size(); ++r) {
        const int y = (static_cast<int>(r) - firstRow()) * kRowHeight;
        if (y > viewport()->height()) break;
        // The date's head on the colour of its lowest stage.
        const QRect head(0, y, kHeadWidth - 2, kRowHeight - 1);
        p.fillRect(head, stageColour(g.lowestStage[r]).darker(110));
        p.setPen(Qt::black);
        p.drawText(head, Qt::AlignCenter, QString::fromStdString(monthday::dashed(g.dates[r])));
        for (size_t c = static_cast<size_t>(firstColumn()); c < g.customers.size(); ++c) {
            const QRect cell = cellRect(r, c);
            if (cell.left() > viewport()->width()) break;
            const tables::ShippingCell& x = g.cell(r, c);
            p.fillRect(cell.adjusted(0, 0, -1, -1), x.slip ? stageColour(x.stage) : QColor(Qt::white));
            p.setPen(QColor(0xC8, 0xC8, 0xC8));
            p.drawRect(cell.adjusted(0, 0, -1, -1));
            p.setPen(Qt::black);
            p.drawText(cell, Qt::AlignCenter, cellText(r, c));
        }
    }
}

void SyukeiCView::mouseDoubleClickEvent(QMouseEvent* e) {
    size_t r = 0, c = 0;
    if (e->button() == Qt::LeftButton && cellAt(e->position().toPoint(), r, c)) wnd_.openSlip(r, c);
}

void SyukeiCView::mousePressEvent(QMouseEvent* e) {
    size_t r = 0, c = 0;
    if (e->button() == Qt::RightButton && cellAt(e->position().toPoint(), r, c)) wnd_.deleteSlip(r, c);
}

void SyukeiCView::keyPressEvent(QKeyEvent* e) {
    if (!scrollByKey(*this, e->key(), true)) QAbstractScrollArea::keyPressEvent(e);
}

}  // namespace rk::ui
