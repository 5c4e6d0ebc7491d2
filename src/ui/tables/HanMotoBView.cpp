#include "ui/tables/HanMotoBView.h"

#include <QPainter>
#include <QScrollBar>

#include "base/format.h"
#include "tables/messages.h"
#include "ui/tables/HanMotoWnd.h"

namespace rk::ui {

namespace {

constexpr int kX[] = {4, 110, 220, 330, 420, 540, 650, 770};

QString yen(double v) { return QString::fromStdString(fmt::grouped(static_cast<int64_t>(v), 14)).trimmed(); }

}  // namespace

HanMotoBView::HanMotoBView(HanMotoWnd& wnd) : QAbstractScrollArea(&wnd), wnd_(wnd) {
    setObjectName("HanMotoBView");
    setFrameShape(QFrame::NoFrame);
    viewport()->setAutoFillBackground(true);
    QPalette p = viewport()->palette();
    p.setColor(QPalette::Window, Qt::white);
    viewport()->setPalette(p);
    verticalScrollBar()->setSingleStep(1);
}

void HanMotoBView::updateRange() {
    const int visible = std::max(1, (viewport()->height() - kHeadHeight) / kRowHeight);
    verticalScrollBar()->setRange(0, std::max(0, static_cast<int>(wnd_.ledger().entries.size()) - visible));
    verticalScrollBar()->setPageStep(visible);
}

void HanMotoBView::reset() {
    updateRange();
    verticalScrollBar()->setValue(0);
    viewport()->update();
}

void HanMotoBView::resizeEvent(QResizeEvent*) { updateRange(); }

QStringList HanMotoBView::rowTexts(int entry) const {
    const tables::LedgerEntry& e = wnd_.ledger().entries[static_cast<size_t>(entry)];
    const int date = e.date > 1231 ? e.date - 1200 : e.date;
    return {QString("%1  %2").arg(entry + 1, 4).arg(QString::fromStdString(monthday::dashed(date))),
            yen(e.amount),
            yen(e.paid),
            yen(e.fee),
            yen(e.balance),
            yen(e.receivable),
            yen(e.group)};
}

void HanMotoBView::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    const int w = viewport()->width();
    const auto& heads = tables::msg::kLedgerColumns[wnd_.context().edition == Edition::Sales ? 0 : 1];
    p.fillRect(QRect(0, 0, w, kHeadHeight), QColor(0xE0, 0xE0, 0xE0));
    for (int c = 0; c < 7; ++c)
        p.drawText(QRect(kX[c], 0, kX[c + 1] - kX[c] - 8, kHeadHeight),
                   Qt::AlignVCenter | (c == 0 ? Qt::AlignLeft : Qt::AlignRight), QString::fromUtf8(heads[c]));
    const auto& entries = wnd_.ledger().entries;
    const int top = verticalScrollBar()->value();
    for (int i = top; i < static_cast<int>(entries.size()); ++i) {
        const int y = kHeadHeight + (i - top) * kRowHeight;
        if (y > viewport()->height()) break;
        const QStringList cells = rowTexts(i);
        p.setPen(entries[static_cast<size_t>(i)].payment ? QColor(0x00, 0x60, 0x00) : QColor(Qt::black));
        for (int c = 0; c < 7; ++c)
            p.drawText(QRect(kX[c], y, kX[c + 1] - kX[c] - 8, kRowHeight),
                       Qt::AlignVCenter | (c == 0 ? Qt::AlignLeft : Qt::AlignRight), cells[c]);
        p.setPen(QColor(0xD8, 0xD8, 0xD8));
        p.drawLine(0, y + kRowHeight - 1, w, y + kRowHeight - 1);
    }
}

}  // namespace rk::ui
