#include "ui/app/InfoView.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

#include "app/guide.h"

#ifndef RAKURENA_SHARE_DIR
#define RAKURENA_SHARE_DIR ""
#endif

namespace rk::ui {

std::vector<std::filesystem::path> resourceFolders() {
    const std::filesystem::path app = QCoreApplication::applicationDirPath().toStdString();
    std::vector<std::filesystem::path> out{app, app / ".." / "share" / "rakurena"};
    if (std::string_view(RAKURENA_SHARE_DIR).size()) out.emplace_back(RAKURENA_SHARE_DIR);
    return out;
}

InfoView::InfoView(AppContext& ctx, QWidget* parent) : QAbstractScrollArea(parent) {
    setObjectName("InfoView");
    setFocusPolicy(Qt::StrongFocus);
    QFont f("IPAGothic");
    f.setPixelSize(16);
    setFont(f);
    viewport()->setAutoFillBackground(true);
    QPalette p = viewport()->palette();
    p.setColor(QPalette::Window, Qt::white);
    viewport()->setPalette(p);
    // The 800-pixel lines fit the window; only a long section scrolls.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    verticalScrollBar()->setSingleStep(kLineHeight);
    load(ctx);
}

void InfoView::load(AppContext& ctx) {
    // A guide that cannot be read leaves the window empty.
    auto text = readGuide(ctx.files, guideCandidates(ctx.edition, ctx.programFolder(), resourceFolders()));
    if (!text) return;
    for (const std::string& line : guideSection(splitLines(*text), ctx.topic)) lines_ << QString::fromStdString(line);
    updateScrollBars();
}

void InfoView::updateScrollBars() {
    // Decided on the whole inner height, so showing the bar does not change the decision.
    const int inner = height() - 2 * frameWidth();
    setVerticalScrollBarPolicy(scrollHeight() > inner ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    verticalScrollBar()->setRange(0, std::max(0, scrollHeight() - inner));
    verticalScrollBar()->setPageStep(inner);
}

void InfoView::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    updateScrollBars();
}

void InfoView::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    p.setPen(Qt::black);
    const int dy = verticalScrollBar()->value();
    const int first = std::max(0, (dy - 14) / kLineHeight);
    const int visible = viewport()->height() / kLineHeight + 2;
    const QFontMetrics fm(font());
    for (int i = first; i < lines_.size() && i < first + visible; ++i) {
        p.drawText(10, 14 + i * kLineHeight - dy + fm.ascent(), lines_[i]);
    }
}

void InfoView::keyPressEvent(QKeyEvent* e) {
    QScrollBar* bar = verticalScrollBar();
    switch (e->key()) {
        case Qt::Key_Up:
        case Qt::Key_PageUp:
            bar->setValue(bar->value() - kLineHeight);
            break;
        case Qt::Key_Down:
        case Qt::Key_PageDown:
            bar->setValue(bar->value() + kLineHeight);
            break;
        case Qt::Key_Escape:
            emit closeRequested();
            break;
        default:
            QAbstractScrollArea::keyPressEvent(e);
    }
}

void InfoView::focusOutEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusOutEvent(e);
    if (e->reason() != Qt::PopupFocusReason) emit closeRequested();
}

}  // namespace rk::ui
