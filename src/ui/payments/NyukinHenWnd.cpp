#include "ui/payments/NyukinHenWnd.h"

#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include "base/cp932.h"
#include "base/format.h"
#include "masters/account_items.h"
#include "payments/payment_file.h"
#include "slips/slip_index.h"
#include "ui/controls/CDataEdit.h"

namespace rk::ui {

using controls::Key;

namespace {

constexpr int kTop = 12, kRowHeight = 32;
// Label, amount, debit code, debit name, credit code, credit name, end.
constexpr int kX[] = {12, 112, 222, 282, 432, 492, 640};

}  // namespace

NyukinHenWnd::NyukinHenWnd(AppContext& ctx, Dialogs& dialogs, payments::PaymentList& list, int index, QWidget* parent)
    : QWidget(parent), ctx_(ctx), dialogs_(dialogs), list_(list), index_(index) {
    setObjectName("NyukinHenWnd");
    const bool sales = ctx.edition != Edition::Purchase;
    setWindowTitle(sales ? "　入金データ変更" : "　出金データ変更");
    QFont f("IPAGothic");
    f.setPixelSize(15);
    setFont(f);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    resize(kWidth, kHeight);

    const auto& entries = list.entries();
    if (index < 0 || static_cast<size_t>(index) >= entries.size() || entries[static_cast<size_t>(index)].deleted())
        return;
    valid_ =
        payments::readPayment(ctx.files, ctx.fileSet[kPayments], entries[static_cast<size_t>(index)].record, record_) &&
        !record_.deleted();
    if (!valid_) return;
    booking_ = {record_.feeDebit, record_.feeCredit, record_.paidDebit, record_.paidCredit, record_.date};

    auto* cancel = new QPushButton("キャンセル", this);
    auto* update = new QPushButton("更　　新", this);
    auto* slips = new QPushButton(sales ? "売り日参照" : "仕入日参照", this);
    int x = kX[0];
    for (QPushButton* b : {cancel, update, slips}) {
        b->setGeometry(x, kTop + 4 * kRowHeight + 16, 130, 30);
        b->setFocusPolicy(Qt::NoFocus);
        x += 150;
    }
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
    connect(update, &QPushButton::clicked, this, [this] { save(); });
    connect(slips, &QPushButton::clicked, this, &NyukinHenWnd::showSlips);
    openField();
}

QRect NyukinHenWnd::cell(int row, int column) const {
    const int y = kTop + row * kRowHeight;
    const int left = column == kDebit ? kX[2] : kX[4];
    return QRect(left + 2, y + 2, kX[3] - kX[2] - 4, kRowHeight - 4);
}

int32_t& NyukinHenWnd::value(int row, int column) {
    if (row == 3) return booking_.date;
    if (row == 1) return column == kDebit ? booking_.feeDebit : booking_.feeCredit;
    return column == kDebit ? booking_.paidDebit : booking_.paidCredit;
}

void NyukinHenWnd::openField() {
    if (field_) {
        field_->hide();
        if (field_->label()) field_->label()->hide();
        field_->deleteLater();
    }
    controls::EntryConfig c;
    c.mode = 1;
    c.length = 4;
    c.value = value(row_, column_);
    field_ = CDataEdit::create(this, c, cell(row_, column_), dialogs_);
    if (!field_) return;
    connect(field_, &CDataEdit::finished, this, &NyukinHenWnd::fieldDone);
    update();
}

void NyukinHenWnd::fieldDone(Key key) {
    // A date is normalised as a period start: a bare month is its first day.
    value(row_, column_) = row_ == 3 ? monthday::normalise(field_->value(), monthday::kFirstDay) : field_->value();
    switch (key) {
        case Key::Enter:
        case Key::Down:
            row_ = std::min(row_ + 1, column_ == kDebit ? 3 : 2);
            break;
        case Key::Up:
        case Key::Esc:
            row_ = std::max(row_ - 1, 1);
            break;
        case Key::Right:
            if (row_ <= 2) column_ = kCredit;
            break;
        case Key::Left:
            column_ = kDebit;
            break;
        default:
            break;
    }
    openField();
}

bool NyukinHenWnd::save() {
    if (!valid_) return false;
    if (list_.edit(static_cast<size_t>(index_), booking_) != payments::Outcome::Ok) return false;
    payments::readPayment(ctx_.files, ctx_.fileSet[kPayments], list_.entries()[static_cast<size_t>(index_)].record,
                          record_);
    booking_ = {record_.feeDebit, record_.feeCredit, record_.paidDebit, record_.paidCredit, record_.date};
    openField();
    emit saved();
    return true;
}

void NyukinHenWnd::showSlips() {
    if (!slips_) {
        slips_ = new QListWidget(this);
        slips_->setGeometry(kX[6] + 8, kTop, kWidth - kX[6] - 16, kHeight - 2 * kTop);
        slips_->setFocusPolicy(Qt::NoFocus);
    }
    slips_->clear();
    slips_->addItem("   月日   対象得意先名");
    for (int32_t n : payments::settledSlips(record_)) {
        SlipHeader h{};
        if (n < 1 || !ctx_.files.readZeroFilled(ctx_.fileSet[kSlipHeaders], static_cast<uint64_t>(n) * kSlipHeaderSize,
                                                bytesOf(h)))
            continue;
        const int d = std::abs(h.date);
        const std::string_view name(
            h.customerName,
            cp932::cutAtCharBoundary(std::string_view(h.customerName, cp932::fieldLength(h.customerName, 32)), 16));
        slips_->addItem(QString::asprintf(" %2d-%2d      ", d / 100, d % 100) +
                        QString::fromStdString(cp932::toUtf8(name)));
    }
    slips_->show();
}

void NyukinHenWnd::mousePressEvent(QMouseEvent* e) {
    for (int row = 1; row <= 3; ++row) {
        for (int column : {kDebit, kCredit}) {
            if ((row == 3 && column == kCredit) || !cell(row, column).contains(e->pos())) continue;
            row_ = row;
            column_ = column;
            openField();
            return;
        }
    }
}

void NyukinHenWnd::paintEvent(QPaintEvent*) {
    QPainter g(this);
    g.setFont(font());
    if (!valid_) return;
    const bool sales = ctx_.edition != Edition::Purchase;
    auto text = [&](int left, int right, int row, const QString& s, int align = Qt::AlignLeft) {
        g.drawText(QRect(left + 4, kTop + row * kRowHeight, right - left - 8, kRowHeight), align | Qt::AlignVCenter, s);
    };
    auto name = [&](int32_t code) {
        if (code < 100) return QString();
        auto n = masters::accountName(ctx_.files, ctx_.fileSet[kAccounts], code);
        return n ? QString::fromStdString(cp932::toUtf8(*n)).trimmed() : QString();
    };
    g.fillRect(QRect(kX[0], kTop, kX[6] - kX[0], kRowHeight), QColor(0xE8, 0xF0, 0xE0));
    text(kX[2], kX[4], 0, "借り方科目", Qt::AlignCenter);
    text(kX[4], kX[6], 0, "貸し方科目", Qt::AlignCenter);
    text(kX[0], kX[1], 1, "送金手数料");
    text(kX[1], kX[2], 1, QString::asprintf("%10ld", static_cast<long>(record_.fee)), Qt::AlignRight);
    text(kX[0], kX[1], 2, sales ? "実入金科目" : "実出金科目");
    text(kX[1], kX[2], 2, QString::asprintf("%10ld", static_cast<long>(record_.paid)), Qt::AlignRight);
    text(kX[0], kX[1], 3, sales ? "入　金　日" : "出　金　日");
    for (int row : {1, 2}) {
        for (int column : {kDebit, kCredit}) {
            const int32_t code = value(row, column);
            const int left = column == kDebit ? kX[2] : kX[4];
            text(left, left + 60, row, QString::asprintf("%d ", code), Qt::AlignRight);
            text(left + 60, left + 210, row, name(code));
        }
    }
    const int d = booking_.date;
    text(kX[2], kX[4], 3, QString::asprintf("%2d 月 %2d 日 ", d / 100, d % 100));
    g.setPen(QColor(0x80, 0x80, 0x80));
    for (int row = 0; row <= 4; ++row) g.drawLine(kX[0], kTop + row * kRowHeight, kX[6], kTop + row * kRowHeight);
    for (int x : {kX[0], kX[1], kX[2], kX[4], kX[6]}) g.drawLine(x, kTop, x, kTop + 4 * kRowHeight);
}

}  // namespace rk::ui
