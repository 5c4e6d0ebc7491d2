#include "ui/slips/GaitouListView.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "base/cp932.h"
#include "ui/controls/QtKeys.h"

namespace rk::ui {

using controls::Key;

GaitouListView::GaitouListView(AppContext& ctx, int32_t date, int mode, int selected, QWidget* parent)
    : QAbstractScrollArea(parent), rows_(dateCustomerList(ctx, date, mode)) {
    setObjectName("GaitouListView");
    setFont(QFont("IPAGothic", 11));
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    verticalScrollBar()->setSingleStep(kRowHeight);
    selected_ = std::clamp(selected, 0, std::max(0, count() - 1));
}

QColor GaitouListView::stageColour(int stage) {
    switch (stage) {
        case 0:
            return {0, 0, 255};
        case 1:
            return {0, 128, 0};
        case 2:
            return {255, 128, 0};
        case 3:
            return {255, 0, 255};
        default:
            return {0, 0, 0};
    }
}

void GaitouListView::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    // The scroll height is one row more than the rows hold.
    verticalScrollBar()->setRange(0, std::max(0, count() * kRowHeight + kRowHeight - viewport()->height()));
    verticalScrollBar()->setPageStep(viewport()->height());
    select(selected_);
}

int GaitouListView::rowAt(int y) const { return (y + verticalScrollBar()->value()) / kRowHeight; }

void GaitouListView::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), Qt::white);
    const int offset = verticalScrollBar()->value();
    for (int i = rowAt(0); i < count() && i * kRowHeight - offset < viewport()->height(); ++i) {
        const QRect r(0, i * kRowHeight - offset, viewport()->width(), kRowHeight);
        if (i == selected_) p.fillRect(r, QColor(0, 255, 255));
        const DateCustomer& c = rows_[static_cast<size_t>(i)];
        p.setPen(stageColour(c.stage));
        p.drawText(QRect(30, r.top(), 70, r.height()), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::asprintf("%4d      ", c.customer));
        p.drawText(QRect(100, r.top(), r.width() - 100, r.height()), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::fromStdString(cp932::toUtf8(c.name.data(), c.name.size())));
    }
}

void GaitouListView::select(int row) {
    if (count() == 0) return;
    selected_ = std::clamp(row, 0, count() - 1);
    const int top = selected_ * kRowHeight, offset = verticalScrollBar()->value();
    if (top < offset)
        verticalScrollBar()->setValue(top);
    else if (top + kRowHeight > offset + viewport()->height())
        verticalScrollBar()->setValue(top + kRowHeight - viewport()->height());
    viewport()->update();
}

void GaitouListView::keyPressEvent(QKeyEvent* e) {
    const Key k = toKey(e);
    if (controls::isPadDigit(k)) {
        if (typed_.size() >= 3) return QApplication::beep();
        const QString digit = QString::number(controls::code(k) - controls::code(Key::Pad0));
        typed_ += digit;
        emit typedCharacter(digit);
        return;
    }
    switch (k) {
        case Key::Up:
        case Key::Down:
            typed_.clear();
            select(selected_ + (k == Key::Up ? -1 : 1));
            return;
        case Key::PageUp:
        case Key::PageDown: {
            const int page = std::max(1, viewport()->height() / kRowHeight);
            select(selected_ + (k == Key::PageUp ? -page : page));
            return;
        }
        case Key::Delete:
        case Key::Backspace:
            if (!typed_.isEmpty()) typed_.chop(1);
            emit typedKey(k);
            return;
        case Key::Home:
            typed_.clear();
            return;
        case Key::Enter:
            if (!typed_.isEmpty()) return emit chosen(typed_.toInt());
            if (count() > 0) emit chosen(rows_[static_cast<size_t>(selected_)].customer);
            return;
        case Key::Esc:
            return emit chosen(-1);
        default:
            QAbstractScrollArea::keyPressEvent(e);
    }
}

void GaitouListView::mousePressEvent(QMouseEvent* e) {
    const int row = rowAt(e->position().toPoint().y());
    if (row < count())
        select(row);
    else
        QApplication::beep();
}

void GaitouListView::mouseDoubleClickEvent(QMouseEvent* e) {
    const int row = rowAt(e->position().toPoint().y());
    if (row >= count()) return;
    select(row);
    emit chosen(rows_[static_cast<size_t>(row)].customer);
}

}  // namespace rk::ui
