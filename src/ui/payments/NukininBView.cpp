#include "ui/payments/NukininBView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include "base/cp932.h"
#include "base/format.h"
#include "masters/customer_master.h"

namespace rk::ui {

namespace {

// Column edges: number, attribute and name; slips; sales; commission; costs; billed; balance; attribute.
constexpr int kX[] = {8, 250, 320, 440, 550, 660, 780, 900, 960};

QString money(double v) { return QString::fromStdString(fmt::grouped(static_cast<int64_t>(v), 13)).trimmed(); }

}  // namespace

NukininBView::NukininBView(AppContext& ctx, const payments::BillingTable& table, QWidget* parent)
    : QAbstractScrollArea(parent), ctx_(ctx), table_(table) {
    setObjectName("NukininBView");
    QFont f("IPAGothic");
    f.setPixelSize(14);
    setFont(f);
    viewport()->setAutoFillBackground(true);
    QPalette p = viewport()->palette();
    p.setColor(QPalette::Window, Qt::white);
    viewport()->setPalette(p);
    setFocusPolicy(Qt::NoFocus);
    verticalScrollBar()->setSingleStep(kRowHeight);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, viewport(), qOverload<>(&QWidget::update));
    refresh();
}

void NukininBView::refresh() {
    customers_ = masters::readCustomers(ctx_.files, ctx_.fileSet[kCustomers], ctx_.env.customerCount);
    updateBar();
    viewport()->update();
}

void NukininBView::updateBar() {
    const int rows = static_cast<int>(customers_.size()) - 1;
    const int content = kHeadHeight + std::max(rows, 0) * kRowHeight;
    verticalScrollBar()->setRange(0, std::max(0, content - viewport()->height()));
    verticalScrollBar()->setPageStep(viewport()->height());
}

void NukininBView::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    updateBar();
}

QStringList NukininBView::rowTexts(int n) const {
    if (n < 1 || static_cast<size_t>(n) >= customers_.size()) return {};
    const CustomerRecord& c = customers_[static_cast<size_t>(n)];
    const char* attribute = c.groupLink > 0 ? "代表 " : c.groupLink < 0 ? "ﾒﾝﾊﾞ " : "　   ";
    const std::string_view name = masters::customerName(c);
    const std::string head = cp932::toUtf8(name.substr(0, cp932::cutAtCharBoundary(name, 14)));
    const payments::CustomerBill& b = table_.of(n);
    return {QString::asprintf("%4d ", n) + attribute + QString::fromStdString(head),
            QString::asprintf("%3d  ", b.count()),
            money(b.sums.sales),
            money(b.sums.commission),
            money(b.sums.costs),
            money(b.sums.billed),
            money(c.balance),
            QString(attribute).trimmed()};
}

int NukininBView::customerAt(int y) const {
    const int top = y + verticalScrollBar()->value() - kHeadHeight;
    if (top < 0) return 0;
    const int n = top / kRowHeight + 1;
    return static_cast<size_t>(n) < customers_.size() ? n : 0;
}

void NukininBView::showCustomer(int n) {
    marked_ = n;
    verticalScrollBar()->setValue((n - 1) * kRowHeight);
    viewport()->update();
}

void NukininBView::mousePressEvent(QMouseEvent* e) {
    marked_ = customerAt(e->pos().y());
    viewport()->update();
}

void NukininBView::mouseDoubleClickEvent(QMouseEvent* e) {
    const int n = customerAt(e->pos().y());
    if (n < 1) return;
    marked_ = n;
    viewport()->update();
    emit customerPicked(n);
}

void NukininBView::paintEvent(QPaintEvent*) {
    QPainter g(viewport());
    g.setFont(font());
    const bool sales = ctx_.edition != Edition::Purchase;
    const int scroll = verticalScrollBar()->value();
    const int height = viewport()->height();
    const int first = std::max(1, scroll / kRowHeight);
    for (int n = first; static_cast<size_t>(n) < customers_.size(); ++n) {
        const int y = kHeadHeight + (n - 1) * kRowHeight - scroll;
        if (y > height) break;
        if (y + kRowHeight < kHeadHeight) continue;
        if (n == marked_) g.fillRect(QRect(kX[0], y, kX[8] - kX[0], kRowHeight), QColor(0xC8, 0xDC, 0xFF));
        const QStringList t = rowTexts(n);
        g.setPen(Qt::black);
        g.drawText(QRect(kX[0] + 2, y, kX[1] - kX[0], kRowHeight), Qt::AlignLeft | Qt::AlignVCenter, t[0]);
        for (int col = 1; col < 7; ++col)
            g.drawText(QRect(kX[col], y, kX[col + 1] - kX[col] - 6, kRowHeight), Qt::AlignRight | Qt::AlignVCenter,
                       t[col]);
        g.drawText(QRect(kX[7] + 6, y, kX[8] - kX[7], kRowHeight), Qt::AlignLeft | Qt::AlignVCenter, t[7]);
        g.setPen(QColor(0xD0, 0xD0, 0xD0));
        g.drawLine(kX[0], y + kRowHeight - 1, kX[8], y + kRowHeight - 1);
    }
    // Column titles stay on top.
    g.fillRect(QRect(0, 0, viewport()->width(), kHeadHeight), QColor(0xE8, 0xF0, 0xE0));
    const char* titles[] = {"No.    得意先名",
                            "  伝票数",
                            sales ? "  売上額" : "  買上額",
                            "  手数料",
                            sales ? "販売費計" : "仕入益計",
                            "  集計額",
                            "前回残高",
                            "属性"};
    g.setPen(Qt::black);
    for (int col = 0; col < 8; ++col)
        g.drawText(QRect(kX[col] + 2, 0, kX[col + 1] - kX[col] - 4, kHeadHeight),
                   (col == 0 || col == 7 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter, titles[col]);
    g.setPen(QColor(0x80, 0x80, 0x80));
    g.drawLine(0, kHeadHeight - 1, viewport()->width(), kHeadHeight - 1);
    for (int x : kX) g.drawLine(x, 0, x, height);
}

}  // namespace rk::ui
