#include "ui/masters/GaitouDrowView.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

#include "masters/master_io.h"
#include "ui/masters/MasterGrid.h"
#include "ui/masters/MasterUi.h"

namespace rk::ui {

GaitouDrowView::GaitouDrowView(AppContext& ctx, std::vector<int> products, QWidget* parent)
    : QAbstractScrollArea(parent), ctx_(ctx), products_(std::move(products)) {
    setObjectName("GaitouDrowView");
    setFont(MasterGrid::gridFont());
    setFocusPolicy(Qt::StrongFocus);
    if (products_.size() > 999) products_.resize(999);
    auto all = readRows<ProductRecord>(ctx_.files, ctx_.fileSet[kProducts], 0, 999);
    for (int n : products_)
        names_.push_back(n >= 0 && n < static_cast<int>(all.size()) ? cp932::toUtf8(all[n].name) : "");
    verticalScrollBar()->setSingleStep(kRowHeight);
}

void GaitouDrowView::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    verticalScrollBar()->setRange(0, std::max(0, count() * kRowHeight + kRowHeight - viewport()->height()));
    verticalScrollBar()->setPageStep(viewport()->height());
}

int GaitouDrowView::rowAt(int y) const { return (y + verticalScrollBar()->value()) / kRowHeight; }

void GaitouDrowView::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), Qt::white);
    const int offset = verticalScrollBar()->value();
    for (int i = rowAt(0); i < count() && i * kRowHeight - offset < viewport()->height(); ++i) {
        QRect r(0, i * kRowHeight - offset, viewport()->width(), kRowHeight);
        if (i == selected_) p.fillRect(r, QColor(0, 0xFF, 0xFF));
        drawCell(p, QRect(20, r.top(), 56, r.height()), QString::asprintf(" %4d", products_[i]));
        drawCell(p, QRect(80, r.top(), r.width() - 80, r.height()), QString::fromStdString(names_[i]));
    }
}

void GaitouDrowView::select(int row) {
    if (count() == 0) return;
    selected_ = std::clamp(row, 0, count() - 1);
    const int top = selected_ * kRowHeight, offset = verticalScrollBar()->value();
    if (top < offset)
        verticalScrollBar()->setValue(top);
    else if (top + kRowHeight > offset + viewport()->height())
        verticalScrollBar()->setValue(top + kRowHeight - viewport()->height());
    viewport()->update();
}

void GaitouDrowView::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
        case Qt::Key_Up:
            select(selected_ - 1);
            break;
        case Qt::Key_Down:
            select(selected_ + 1);
            break;
        case Qt::Key_PageUp:
            select(selected_ - viewport()->height() / kRowHeight);
            break;
        case Qt::Key_PageDown:
            select(selected_ + viewport()->height() / kRowHeight);
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (count() > 0) emit chosen(products_[static_cast<size_t>(selected_)], controls::Key::Enter);
            break;
        case Qt::Key_Escape:
            emit escaped();
            break;
        default:
            QAbstractScrollArea::keyPressEvent(e);
    }
}

void GaitouDrowView::mousePressEvent(QMouseEvent* e) {
    int row = rowAt(e->position().toPoint().y());
    if (row < count())
        select(row);
    else
        QApplication::beep();
}

void GaitouDrowView::mouseDoubleClickEvent(QMouseEvent* e) {
    int row = rowAt(e->position().toPoint().y());
    if (row < count()) {
        select(row);
        emit chosen(products_[static_cast<size_t>(row)], controls::Key::Enter);
    }
}

}  // namespace rk::ui
