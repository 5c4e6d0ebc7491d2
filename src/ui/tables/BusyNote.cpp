#include "ui/tables/BusyNote.h"

#include <QApplication>

namespace rk::ui {

BusyNote::BusyNote(QWidget* over, const char* text) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (!over || !over->isVisible()) return;
    label_ = std::make_unique<QLabel>(QString::fromUtf8(text).trimmed(), over);
    label_->setAlignment(Qt::AlignCenter);
    label_->setStyleSheet("QLabel { background: #FFFFE0; border: 1px solid #808080; padding: 12px; }");
    label_->adjustSize();
    label_->move((over->width() - label_->width()) / 2, (over->height() - label_->height()) / 2);
    label_->show();
    label_->repaint();
}

BusyNote::~BusyNote() { QApplication::restoreOverrideCursor(); }

}  // namespace rk::ui
