#include "ui/payments/FSNukinWnd.h"

#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPushButton>

#include "app/command_table.h"
#include "base/cp932.h"
#include "base/format.h"
#include "masters/account_items.h"
#include "ui/controls/CDataEdit.h"
#include "ui/controls/CMojiList.h"
#include "ui/controls/QtKeys.h"
#include "ui/payments/AccountPickLines.h"

namespace rk::ui {

using controls::Key;

namespace {

constexpr int kTop = 44, kRowHeight = 30;
// Column edges: label, value, debit code, debit name, credit code, credit name.
constexpr int kX[] = {16, 176, 336, 392, 546, 602, 756};

QString money(double v) { return QString::fromStdString(fmt::grouped(static_cast<int64_t>(v), 14)).trimmed(); }

}  // namespace

FSNukinWnd::FSNukinWnd(AppContext& ctx, Dialogs& dialogs, CFq7Doc& doc, const receivables::Processing& processing,
                       QWidget* parent)
    : QWidget(parent),
      ctx_(ctx),
      dialogs_(dialogs),
      doc_(doc),
      processing_(processing),
      sales_(ctx.edition != Edition::Purchase) {
    setObjectName("FSNukinWnd");
    setWindowTitle(sales_ ? "　売掛処理からの入金データ入力" : "　買掛処理からの出金データ入力");
    QFont f("IPAGothic");
    f.setPixelSize(16);
    setFont(f);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    resize(kWidth, kHeight);

    doc_.readCustomer(doc_.header.customer);
    v_ = payments::startSlipPayment(doc_.header, doc_.customer, ctx.env, ctx.edition);
    row_ = sales_ ? 4 : 5;

    auto* help = new QPushButton("解 説", this);
    recordButton_ = new QPushButton(sales_ ? "入金記録(F8)" : "出金記録(F8)", this);
    help->setGeometry(kX[0], kTop + 8 * kRowHeight + 12, 100, 32);
    recordButton_->setGeometry(kX[3], kTop + 8 * kRowHeight + 12, 150, 32);
    help->setEnabled(false);  // no help topic yet
    for (QPushButton* b : {help, recordButton_}) b->setFocusPolicy(Qt::NoFocus);
    connect(recordButton_, &QPushButton::clicked, this, [this] { record(); });
    refreshNames();
    openField();
}

QRect FSNukinWnd::cell(int row, int column) const {
    const int y = kTop + row * kRowHeight;
    const int left = column == kValueColumn ? kX[1] : column == kDebitColumn ? kX[2] : kX[4];
    const int right = column == kValueColumn ? kX[2] - 8 : column == kDebitColumn ? kX[3] - 4 : kX[5] - 4;
    return QRect(left + 2, y + 2, right - left - 4, kRowHeight - 4);
}

int32_t* FSNukinWnd::account(int row, int column) {
    const bool debit = column == kDebitColumn;
    if (row == 4) return debit ? &v_.feeDebit : &v_.feeCredit;
    if (row == 5) return debit ? &v_.paidDebit : &v_.paidCredit;
    return nullptr;
}

QString FSNukinWnd::rowValue(int row) const {
    switch (row) {
        case 1:
            return money(0);
        case 2:
        case 3:
            return money(v_.billed);
        case 4:
            return money(v_.fee);
        case 5:
            return money(v_.paid);
        case 6:
            return money(v_.remainder);
        case 7:
            return QString::asprintf("%ld月%ld日 ", static_cast<long>(v_.date / 100), static_cast<long>(v_.date % 100));
        default:
            return {};
    }
}

void FSNukinWnd::refreshNames() {
    const int32_t codes[] = {v_.feeDebit, v_.feeCredit, v_.paidDebit, v_.paidCredit};
    for (size_t i = 0; i < 4; ++i) {
        auto name = payments::validAccount(codes[i])
                        ? masters::accountName(ctx_.files, ctx_.fileSet[kAccounts], codes[i])
                        : std::nullopt;
        names_[i] = name ? QString::fromStdString(cp932::toUtf8(*name)).trimmed() : QString();
    }
}

void FSNukinWnd::openField() {
    if (field_) {
        field_->removeEventFilter(this);
        field_->hide();
        if (field_->label()) field_->label()->hide();
        field_->deleteLater();
    }
    controls::EntryConfig c;
    c.mode = 1;
    if (column_ != kValueColumn) {
        c.length = 3;
        c.value = *account(row_, column_);
    } else if (row_ == 7) {
        c.length = 4;
        c.value = v_.date;
    } else {
        c.mode = 2;
        c.length = 11;
        c.value = static_cast<int32_t>(row_ == 4 ? v_.fee : v_.paid);
    }
    field_ = CDataEdit::create(this, c, cell(row_, column_), dialogs_);
    if (!field_) return;
    field_->installEventFilter(this);
    connect(field_, &CDataEdit::finished, this, &FSNukinWnd::fieldDone);
    update();
}

void FSNukinWnd::store(Key key) {
    if (!field_ || !field_->field().edited()) return;
    const int32_t v = field_->value();
    if (column_ != kValueColumn) {
        if (payments::validAccount(v)) *account(row_, column_) = v;
        refreshNames();
    } else if (row_ == 4) {
        v_.feeTyped(v);
    } else if (row_ == 5) {
        v_.paidTyped(v, sales_ && key == Key::Up);
    } else if (row_ == 7) {
        v_.date = payments::paymentDate(v);
    }
    update();
}

void FSNukinWnd::fieldDone(Key key) {
    store(key);
    if (key == Key::F5) {
        record();
        return;
    }
    if (key == Key::F12 && column_ != kValueColumn) {
        openAccountList();
        return;
    }
    move(key);
    openField();
}

// F12 in an account column: the account items to choose from, item 100 first.
void FSNukinWnd::openAccountList() {
    constexpr int kListCommand = 208;
    const int left = column_ == kDebitColumn ? kX[2] : kX[4];
    // Item 100 comes first, whatever the cell holds.
    list_ = openAccountPickList(ctx_, this, kListCommand, 0, QRect(left, kTop + kRowHeight, 280, 6 * kRowHeight),
                                [this](std::optional<int> code) {
                                    list_ = nullptr;
                                    if (code) {
                                        *account(row_, column_) = *code;
                                        refreshNames();
                                    }
                                    openField();
                                });
}

void FSNukinWnd::move(Key key) {
    const int top = sales_ ? 4 : 5;
    const bool values = column_ == kValueColumn;
    switch (key) {
        case Key::Enter:
        case Key::Down:
            if (values) {
                row_ = row_ == 5 ? 7 : std::min(row_ + 1, 7);
            } else {
                row_ = std::min(row_ + 1, 5);
            }
            break;
        case Key::Up:
        case Key::Esc:
            row_ = row_ == 7 ? 5 : std::max(row_ - 1, top);
            break;
        case Key::Right:
            if (row_ == 7) {
                column_ = kValueColumn;
            } else {
                column_ = column_ == kValueColumn ? kDebitColumn : kCreditColumn;
            }
            break;
        case Key::Left:
            column_ = column_ == kCreditColumn ? kDebitColumn : kValueColumn;
            break;
        default:
            break;
    }
}

bool FSNukinWnd::record() {
    store(Key::None);
    int number = 0;
    if (payments::paySlip(doc_, processing_, v_, ctx_, dialogs_, &number) != payments::Outcome::Ok) {
        openField();
        return false;
    }
    emit paid();
    if (field_) field_->removeEventFilter(this);
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        sub->close();
    } else {
        close();
    }
    return true;
}

bool FSNukinWnd::onCommand(int command) {
    if (command != cmd::kDirectPayment) return false;
    record();
    return true;
}

bool FSNukinWnd::eventFilter(QObject* watched, QEvent* e) {
    if (watched == field_ && e->type() == QEvent::KeyPress && toKey(static_cast<QKeyEvent*>(e)) == Key::F8) {
        record();
        return true;
    }
    return QWidget::eventFilter(watched, e);
}

void FSNukinWnd::keyPressEvent(QKeyEvent* e) {
    const Key k = toKey(e);
    if (k == Key::F8 || k == Key::F5) {
        record();
        return;
    }
    if (field_) field_->setFocus();
}

void FSNukinWnd::paintEvent(QPaintEvent*) {
    QPainter g(this);
    g.setFont(font());
    const QColor rule(0x80, 0x80, 0x80), shade(0xE8, 0xF0, 0xE0);
    const int bottom = kTop + 8 * kRowHeight;
    g.fillRect(QRect(kX[0], kTop, kX[6] - kX[0], kRowHeight), shade);
    g.drawText(QRect(kX[0], kTop, kX[1] - kX[0], kRowHeight), Qt::AlignCenter, "データ項目");
    g.drawText(QRect(kX[1], kTop, kX[2] - kX[1], kRowHeight), Qt::AlignCenter, "金額or月日");
    g.drawText(QRect(kX[2], kTop, kX[4] - kX[2], kRowHeight), Qt::AlignCenter, " 借り方科目 ");
    g.drawText(QRect(kX[4], kTop, kX[6] - kX[4], kRowHeight), Qt::AlignCenter, " 貸し方科目 ");
    const char* labels[] = {"",           "前 期 残 高",
                            "今期集計額", "今期請求額",
                            "送金手数料", sales_ ? "実 入 金 額" : "実 出 金 額",
                            "今期残高額", sales_ ? "入 金 月 日" : "出 金 月 日"};
    for (int row = 1; row <= 7; ++row) {
        const int y = kTop + row * kRowHeight;
        g.setPen(Qt::black);
        if (row != 4 || sales_) {
            g.drawText(QRect(kX[0] + 4, y, kX[1] - kX[0] - 4, kRowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                       labels[row]);
            g.drawText(QRect(kX[1], y, kX[2] - kX[1] - 12, kRowHeight), Qt::AlignRight | Qt::AlignVCenter,
                       rowValue(row));
        }
        if ((row == 4 && sales_) || row == 5) {
            const size_t slot = row == 4 ? 0 : 2;
            const int32_t debit = row == 4 ? v_.feeDebit : v_.paidDebit;
            const int32_t credit = row == 4 ? v_.feeCredit : v_.paidCredit;
            g.drawText(QRect(kX[2], y, kX[3] - kX[2] - 8, kRowHeight), Qt::AlignRight | Qt::AlignVCenter,
                       QString::number(debit));
            g.drawText(QRect(kX[3], y, kX[4] - kX[3], kRowHeight), Qt::AlignLeft | Qt::AlignVCenter, names_[slot]);
            g.drawText(QRect(kX[4], y, kX[5] - kX[4] - 8, kRowHeight), Qt::AlignRight | Qt::AlignVCenter,
                       QString::number(credit));
            g.drawText(QRect(kX[5], y, kX[6] - kX[5], kRowHeight), Qt::AlignLeft | Qt::AlignVCenter, names_[slot + 1]);
        }
        g.setPen(rule);
        g.drawLine(kX[0], y, kX[6], y);
    }
    g.drawLine(kX[0], kTop, kX[6], kTop);
    g.drawLine(kX[0], bottom, kX[6], bottom);
    for (int x : kX) g.drawLine(x, kTop, x, bottom);
    if (!field_) {
        g.setPen(QPen(Qt::blue, 2));
        g.drawRect(cell(row_, column_));
    }
    g.setPen(Qt::black);
    const SlipHeader& h = doc_.header;
    g.drawText(QRect(kX[0], 8, kX[6] - kX[0], 28), Qt::AlignLeft | Qt::AlignVCenter,
               QString("%1  %2  %3")
                   .arg(QString::fromStdString(monthday::japanese(std::abs(h.date))))
                   .arg(h.customer, 4)
                   .arg(QString::fromStdString(cp932::toUtf8(h.customerName)).trimmed()));
}

}  // namespace rk::ui
