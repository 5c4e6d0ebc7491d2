#include "ui/payments/NukinChkBView.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

#include "base/cp932.h"
#include "ui/controls/QtKeys.h"

namespace rk::ui {

using controls::Key;

namespace {

// Column edges: entry, customer, name; slips; date; fee; amount.
constexpr int kX[] = {8, 56, 110, 390, 470, 560, 700, 860};

}  // namespace

NukinChkBView::NukinChkBView(AppContext& ctx, Dialogs& dialogs, payments::PaymentList& list, QWidget* parent)
    : QAbstractScrollArea(parent), ctx_(ctx), dialogs_(dialogs), list_(list) {
    setObjectName("NukinChkBView");
    QFont f("IPAGothic");
    f.setPixelSize(14);
    setFont(f);
    viewport()->setAutoFillBackground(true);
    QPalette p = viewport()->palette();
    p.setColor(QPalette::Window, Qt::white);
    viewport()->setPalette(p);
    setFocusPolicy(Qt::StrongFocus);
    verticalScrollBar()->setSingleStep(kRowHeight);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, viewport(), qOverload<>(&QWidget::update));
}

void NukinChkBView::refresh() {
    const int n = static_cast<int>(list_.entries().size());
    if (selected_ >= n) selected_ = n - 1;
    updateBar();
    viewport()->update();
}

void NukinChkBView::updateBar() {
    const int rows = static_cast<int>(list_.entries().size()) + 2;
    verticalScrollBar()->setRange(0, std::max(0, kHeadHeight + rows * kRowHeight - viewport()->height()));
    verticalScrollBar()->setPageStep(viewport()->height());
}

void NukinChkBView::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    updateBar();
}

void NukinChkBView::select(int index) {
    const int n = static_cast<int>(list_.entries().size());
    if (n == 0) return;
    selected_ = std::clamp(index, 0, n - 1);
    // Scrolled along at the edges.
    const int top = selected_ * kRowHeight, bar = verticalScrollBar()->value();
    const int visible = viewport()->height() - kHeadHeight;
    if (top < bar) verticalScrollBar()->setValue(top);
    if (top + kRowHeight > bar + visible) verticalScrollBar()->setValue(top + kRowHeight - visible);
    viewport()->update();
}

QStringList NukinChkBView::rowTexts(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= list_.entries().size()) return {};
    const payments::ListEntry& e = list_.entries()[static_cast<size_t>(index)];
    const std::string name = cp932::toUtf8(e.name);
    if (e.deleted())
        return {QString::asprintf("%4d", index + 1),
                QString::asprintf("%4d", e.customer),
                QString::fromStdString(name),
                {},
                {},
                {},
                {}};
    return {QString::asprintf("%4d", index + 1),
            QString::asprintf("%4d", e.customer),
            QString::fromStdString(name).trimmed(),
            QString::asprintf("%3d", e.slipCount),
            QString::asprintf("%2d-%2d", e.date / 100, e.date % 100),
            QString::asprintf("%9ld", static_cast<long>(e.fee)),
            QString::asprintf("%9ld", static_cast<long>(e.paid))};
}

QString NukinChkBView::totalsText() const {
    return QString::asprintf("%9ld       %9ld", static_cast<long>(list_.feeTotal()),
                             static_cast<long>(list_.paidTotal()));
}

int NukinChkBView::indexAt(int y) const {
    const int top = y + verticalScrollBar()->value() - kHeadHeight;
    if (top < 0) return -1;
    const int i = top / kRowHeight;
    return static_cast<size_t>(i) < list_.entries().size() ? i : -1;
}

bool NukinChkBView::deleteSelected() {
    if (selected_ < 0) return false;
    const bool done = list_.remove(static_cast<size_t>(selected_)) == payments::Outcome::Ok;
    viewport()->update();
    if (done) emit deleted();
    return done;
}

void NukinChkBView::mousePressEvent(QMouseEvent* e) {
    const int i = indexAt(e->pos().y());
    if (e->button() == Qt::RightButton) {
        if (i >= 0 && i == selected_) deleteSelected();
        return;
    }
    if (i >= 0) select(i);
}

void NukinChkBView::mouseDoubleClickEvent(QMouseEvent* e) {
    const int i = indexAt(e->pos().y());
    if (i < 0) return;
    select(i);
    emit editRequested(i);
}

void NukinChkBView::keyPressEvent(QKeyEvent* e) {
    switch (toKey(e)) {
        case Key::Up:
            select(selected_ - 1);
            break;
        case Key::Down:
            select(selected_ + 1);
            break;
        case Key::Enter:
            if (selected_ >= 0) emit editRequested(selected_);
            break;
        case Key::Delete:
            deleteSelected();
            break;
        case Key::F2:
        case Key::F3:
            if (selected_ >= 0 && !list_.entries()[static_cast<size_t>(selected_)].deleted())
                emit receiptRequested(selected_, toKey(e) == Key::F3);
            break;
        default:
            QAbstractScrollArea::keyPressEvent(e);
    }
}

void NukinChkBView::focusInEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusInEvent(e);
    emit focusedBack();
}

void NukinChkBView::paintEvent(QPaintEvent*) {
    QPainter g(viewport());
    g.setFont(font());
    const int scroll = verticalScrollBar()->value();
    const int count = static_cast<int>(list_.entries().size());
    auto draw = [&](int y, const QStringList& t) {
        g.drawText(QRect(kX[0], y, kX[1] - kX[0] - 6, kRowHeight), Qt::AlignRight | Qt::AlignVCenter, t[0]);
        g.drawText(QRect(kX[1], y, kX[2] - kX[1] - 6, kRowHeight), Qt::AlignRight | Qt::AlignVCenter, t[1]);
        g.drawText(QRect(kX[2] + 6, y, kX[3] - kX[2] - 6, kRowHeight), Qt::AlignLeft | Qt::AlignVCenter, t[2]);
        for (int c = 3; c < 7; ++c)
            g.drawText(QRect(kX[c], y, kX[c + 1] - kX[c] - 8, kRowHeight), Qt::AlignRight | Qt::AlignVCenter, t[c]);
    };
    for (int i = std::max(0, scroll / kRowHeight - 1); i < count; ++i) {
        const int y = kHeadHeight + i * kRowHeight - scroll;
        if (y > viewport()->height()) break;
        if (i == selected_) g.fillRect(QRect(kX[0], y, kX[7] - kX[0], kRowHeight), QColor(0xC8, 0xDC, 0xFF));
        g.setPen(list_.entries()[static_cast<size_t>(i)].deleted() ? QColor(0x90, 0x90, 0x90) : QColor(Qt::black));
        draw(y, rowTexts(i));
        g.setPen(QColor(0xD0, 0xD0, 0xD0));
        g.drawLine(kX[0], y + kRowHeight - 1, kX[7], y + kRowHeight - 1);
    }
    // The totals under the list.
    const int y = kHeadHeight + count * kRowHeight - scroll + 4;
    g.setPen(Qt::black);
    draw(y, {{},
             {},
             "合　計",
             {},
             {},
             QString::asprintf("%9ld", static_cast<long>(list_.feeTotal())),
             QString::asprintf("%9ld", static_cast<long>(list_.paidTotal()))});

    const bool sales = ctx_.edition != Edition::Purchase;
    g.fillRect(QRect(0, 0, viewport()->width(), kHeadHeight), QColor(0xE8, 0xF0, 0xE0));
    g.drawText(QRect(kX[0], 0, kX[3] - kX[0], kHeadHeight), Qt::AlignLeft | Qt::AlignVCenter, "No. No. 得 意 先 名");
    const char* titles[] = {"  伝票数", sales ? "  入金日" : "  出金日", "  送金料", sales ? "  入金額" : "  出金額"};
    for (int c = 3; c < 7; ++c)
        g.drawText(QRect(kX[c], 0, kX[c + 1] - kX[c] - 8, kHeadHeight), Qt::AlignRight | Qt::AlignVCenter,
                   titles[c - 3]);
    g.setPen(QColor(0x80, 0x80, 0x80));
    g.drawLine(0, kHeadHeight - 1, viewport()->width(), kHeadHeight - 1);
}

}  // namespace rk::ui
