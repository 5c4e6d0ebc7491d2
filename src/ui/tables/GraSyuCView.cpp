#include "ui/tables/GraSyuCView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include "base/format.h"
#include "ui/tables/GraSyuBView.h"
#include "ui/tables/GraSyuWnd.h"
#include "ui/tables/RowListView.h"

namespace rk::ui {

GraSyuCView::GraSyuCView(GraSyuWnd& wnd) : QAbstractScrollArea(&wnd), wnd_(wnd) {
    setObjectName("GraSyuCView");
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(true);
    QPalette p = viewport()->palette();
    p.setColor(QPalette::Window, Qt::white);
    viewport()->setPalette(p);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setSingleStep(1);
}

std::vector<int> GraSyuCView::rows() const {
    std::vector<int> out;
    const tables::TableResult& r = wnd_.result();
    for (int e : r.order)
        if (r.labels[static_cast<size_t>(e)] != 0) out.push_back(e);
    return out;
}

int GraSyuCView::topRow() const { return verticalScrollBar()->value(); }
int GraSyuCView::firstColumn() const { return horizontalScrollBar()->value(); }

void GraSyuCView::resetScroll() {
    updateRanges();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
}

void GraSyuCView::updateRanges() {
    const int visibleRows = std::max(1, (viewport()->height() - kHeadHeight) / kRowHeight);
    const int visibleColumns = std::max(1, viewport()->width() / kColumnWidth);
    verticalScrollBar()->setRange(0, std::max(0, static_cast<int>(rows().size()) - visibleRows));
    verticalScrollBar()->setPageStep(visibleRows);
    horizontalScrollBar()->setRange(0, std::max(0, static_cast<int>(wnd_.result().keys.size()) - visibleColumns));
    horizontalScrollBar()->setPageStep(visibleColumns);
}

void GraSyuCView::resizeEvent(QResizeEvent*) { updateRanges(); }

void GraSyuCView::scrollContentsBy(int, int) {
    viewport()->update();
    wnd_.labels()->update();
}

QString GraSyuCView::cellText(int period, int code) const {
    const tables::Sum& s = wnd_.result().cell(period, code);
    if (s.amount == 0) return QStringLiteral("･");
    return QString::fromStdString(fmt::grouped(static_cast<int64_t>(tables::measureOf(s, wnd_.measure())), 11));
}

int GraSyuCView::columnAt(int x) const {
    const int c = firstColumn() + x / kColumnWidth;
    return c < static_cast<int>(wnd_.result().keys.size()) ? c : -1;
}

void GraSyuCView::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    const tables::TableResult& r = wnd_.result();
    const std::vector<int> shown = rows();
    const int w = viewport()->width(), h = viewport()->height();
    p.fillRect(QRect(0, 0, w, kHeadHeight), QColor(0xE0, 0xE0, 0xE0));
    const int lastColumn = std::min<int>(static_cast<int>(r.keys.size()), firstColumn() + w / kColumnWidth + 1);
    for (int c = firstColumn(); c < lastColumn; ++c) {
        const int x = (c - firstColumn()) * kColumnWidth;
        const int code = r.keys[static_cast<size_t>(c)];
        const auto& names = wnd_.names();
        p.setPen(Qt::black);
        p.drawText(QRect(x + 2, 2, kColumnWidth - 6, 20), Qt::AlignRight | Qt::AlignVCenter, QString::number(code));
        p.drawText(
            QRect(x + 4, 22, kColumnWidth - 6, 20), Qt::AlignLeft | Qt::AlignVCenter,
            static_cast<size_t>(code) < names.size() ? QString::fromStdString(names[static_cast<size_t>(code)]) : "");
        p.setPen(QColor(0xA0, 0xA0, 0xA0));
        p.drawLine(x + kColumnWidth - 1, 0, x + kColumnWidth - 1, h);
    }
    p.drawLine(0, kHeadHeight - 1, w, kHeadHeight - 1);
    const bool month = wnd_.tableKind().month;
    for (int row = topRow(); row < static_cast<int>(shown.size()); ++row) {
        const int y = kHeadHeight + (row - topRow()) * kRowHeight;
        if (y > h) break;
        const int e = shown[static_cast<size_t>(row)];
        const bool yearTotal = month && e < tables::kYearTotals;
        const bool empty = tables::measureOf(r.periods[static_cast<size_t>(e)], wnd_.measure()) == 0;
        const QColor ink = empty ? Qt::white : yearTotal ? Qt::magenta : Qt::black;
        for (int c = firstColumn(); c < lastColumn; ++c) {
            const int x = (c - firstColumn()) * kColumnWidth;
            const int code = r.keys[static_cast<size_t>(c)];
            const QRect cell(x, y, kColumnWidth - 1, kRowHeight - 1);
            if (r.cell(e, code).amount != 0) p.fillRect(cell, QColor(0xE4, 0xF4, 0xF4));
            p.setPen(ink);
            p.drawText(cell.adjusted(0, 0, -4, 0), Qt::AlignRight | Qt::AlignVCenter, cellText(e, code));
        }
        p.setPen(QColor(0xD0, 0xD0, 0xD0));
        p.drawLine(0, y + kRowHeight - 1, w, y + kRowHeight - 1);
    }
}

void GraSyuCView::keyPressEvent(QKeyEvent* e) {
    if (!scrollByKey(*this, e->key(), true)) QAbstractScrollArea::keyPressEvent(e);
}

void GraSyuCView::mousePressEvent(QMouseEvent* e) {
    pressedColumn_ = e->position().y() < kHeadHeight ? columnAt(static_cast<int>(e->position().x())) : -1;
}

void GraSyuCView::mouseReleaseEvent(QMouseEvent* e) {
    const int released = e->position().y() < kHeadHeight ? columnAt(static_cast<int>(e->position().x())) : -1;
    if (pressedColumn_ >= 0 && released >= 0 && released != pressedColumn_) wnd_.swapColumns(pressedColumn_, released);
    pressedColumn_ = -1;
}

}  // namespace rk::ui
