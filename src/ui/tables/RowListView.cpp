#include "ui/tables/RowListView.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

namespace rk::ui {

RowListView::RowListView(QWidget* parent, int pageRows) : QAbstractScrollArea(parent), pageRows_(pageRows) {
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(true);
    QPalette p = viewport()->palette();
    p.setColor(QPalette::Window, Qt::white);
    viewport()->setPalette(p);
    verticalScrollBar()->setSingleStep(1);
}

int RowListView::topRow() const { return verticalScrollBar()->value(); }

void RowListView::scrollToRow(int row) {
    updateRange();
    verticalScrollBar()->setValue(row);
}

void RowListView::updateRange() {
    const int visible = std::max(1, (viewport()->height() - kHeadHeight) / kRowHeight);
    verticalScrollBar()->setRange(0, std::max(0, rowCount() - visible));
    verticalScrollBar()->setPageStep(pageRows_ > 0 ? pageRows_ : visible);
}

void RowListView::reset() {
    updateRange();
    verticalScrollBar()->setValue(0);
    viewport()->update();
}

void RowListView::resizeEvent(QResizeEvent*) { updateRange(); }

bool scrollByKey(QAbstractScrollArea& area, int key, bool sideways) {
    using Action = QAbstractSlider::SliderAction;
    auto step = [](QScrollBar* bar, Action a) {
        bar->triggerAction(a);
        return true;
    };
    switch (key) {
        case Qt::Key_Up:
            return step(area.verticalScrollBar(), QAbstractSlider::SliderSingleStepSub);
        case Qt::Key_Down:
            return step(area.verticalScrollBar(), QAbstractSlider::SliderSingleStepAdd);
        case Qt::Key_PageUp:
            return step(area.verticalScrollBar(), QAbstractSlider::SliderPageStepSub);
        case Qt::Key_PageDown:
            return step(area.verticalScrollBar(), QAbstractSlider::SliderPageStepAdd);
        case Qt::Key_Left:
            return sideways && step(area.horizontalScrollBar(), QAbstractSlider::SliderSingleStepSub);
        case Qt::Key_Right:
            return sideways && step(area.horizontalScrollBar(), QAbstractSlider::SliderSingleStepAdd);
        default:
            return false;
    }
}

void RowListView::keyPressEvent(QKeyEvent* e) {
    if (!scrollByKey(*this, e->key(), false)) QAbstractScrollArea::keyPressEvent(e);
}

void RowListView::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    const int w = viewport()->width();
    p.fillRect(QRect(0, 0, w, kHeadHeight), QColor(0xE0, 0xE0, 0xE0));
    int x = 4;
    for (const Column& c : columns_) {
        p.drawText(QRect(x, 0, c.width - 8, kHeadHeight), Qt::AlignVCenter | (c.right ? Qt::AlignRight : Qt::AlignLeft),
                   c.head);
        x += c.width;
    }
    const int rows = rowCount();
    for (int r = topRow(); r < rows; ++r) {
        const int y = kHeadHeight + (r - topRow()) * kRowHeight;
        if (y > viewport()->height()) break;
        const QStringList cells = rowTexts(r);
        x = 4;
        p.setPen(Qt::black);
        for (size_t c = 0; c < columns_.size(); ++c) {
            const Column& col = columns_[c];
            if (static_cast<int>(c) < cells.size())
                p.drawText(QRect(x, y, col.width - 8, kRowHeight),
                           Qt::AlignVCenter | (col.right ? Qt::AlignRight : Qt::AlignLeft), cells[static_cast<int>(c)]);
            x += col.width;
        }
        p.setPen(QColor(0xD8, 0xD8, 0xD8));
        p.drawLine(0, y + kRowHeight - 1, w, y + kRowHeight - 1);
    }
}

}  // namespace rk::ui
