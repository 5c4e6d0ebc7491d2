#include "ui/slips/FUrikakeWnd.h"

#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPushButton>
#include <cmath>

#include "app/command_table.h"
#include "base/cp932.h"
#include "base/format.h"
#include "masters/account_items.h"
#include "masters/master_io.h"
#include "payments/slip_payment.h"
#include "receivables/messages.h"
#include "receivables/processing.h"
#include "slips/lan_slip_locks.h"
#include "ui/controls/CDataEdit.h"
#include "ui/controls/CMojiList.h"
#include "ui/controls/QtKeys.h"
#include "ui/payments/AccountPickLines.h"
#include "ui/payments/FSNukinWnd.h"

namespace rk::ui {

using controls::Key;
namespace rv = receivables;

namespace {

constexpr int kRows = 11;
constexpr int kTop = 44, kRowHeight = 30, kLeft = 16;
// Column edges: label, value, debit code, debit name, credit code, credit name.
constexpr int kX[] = {kLeft, 176, 336, 392, 546, 602, 756};

bool accountRow(int row) { return row == 2 || (row >= 5 && row <= 10); }
bool valueRow(int row) { return row == 2 || (row >= 4 && row <= 10); }

// Debit (column 2) or credit (column 4) account code of a row.
int32_t* accountOf(rv::Processing& p, int row, int column) {
    const bool debit = column == FUrikakeWnd::kDebitColumn;
    if (row == 2) return debit ? &p.taxDebit : &p.taxCredit;
    if (row == 5) return debit ? &p.commissionDebit : &p.commissionCredit;
    if (row >= 6 && row <= 10) return debit ? &p.deductionDebit[row - 6] : &p.deductionCredit[row - 6];
    return nullptr;
}

int nameSlot(int row, int column) {
    return (row == 2 ? 0 : row - 4) * 2 + (column == FUrikakeWnd::kDebitColumn ? 0 : 1);
}

QString money(double v) { return QString::fromStdString(fmt::grouped(static_cast<int64_t>(v), 14)).trimmed(); }

QFont gridFont() {
    QFont f("IPAGothic");
    f.setPixelSize(16);
    return f;
}

}  // namespace

FUrikakeWnd* FUrikakeWnd::process(AppContext& ctx, Dialogs& dialogs, CFq7Doc& doc, int inputMode, QWidget* parent) {
    if (!rv::mayOpen(doc, inputMode, flagOpen(ctx, kReceivableFlag), dialogs)) return nullptr;
    return new FUrikakeWnd(ctx, dialogs, &doc, nullptr, false, parent);
}

FUrikakeWnd* FUrikakeWnd::reference(AppContext& ctx, Dialogs& dialogs, const CFq7Doc& doc, QWidget* parent) {
    if (!rv::mayReference(doc.header, flagOpen(ctx, kReceivableReferenceFlag), dialogs)) return nullptr;
    // The reference only reads: a copy of the slip is all it needs.
    auto copy = std::make_unique<CFq7Doc>(ctx, dialogs);
    copy->header = doc.header;
    CFq7Doc* shown = copy.get();
    return new FUrikakeWnd(ctx, dialogs, shown, std::move(copy), true, parent);
}

FUrikakeWnd* FUrikakeWnd::processRecord(AppContext& ctx, Dialogs& dialogs, int slipNumber, int inputMode,
                                        QWidget* parent) {
    auto doc = std::make_unique<CFq7Doc>(ctx, dialogs);
    doc->setInputMode(inputMode);
    if (!doc->loadRecord(slipNumber) || !liveDate(doc->header.date)) return nullptr;
    // What the slip entry's totals keep in the header while a slip is open.
    const int n = std::clamp(doc->header.lineCount, 0, kMaxSlipLines);
    doc->header.amount = rv::slipTotal(std::span(&doc->lines[1], static_cast<size_t>(n)));
    if (!rv::mayOpen(*doc, inputMode, flagOpen(ctx, kReceivableFlag), dialogs)) return nullptr;
    auto locks = std::make_unique<LanSlipLocks>(ctx, dialogs);
    if (locks->lockSlip(doc->header.date, doc->header.customer) != 0) return nullptr;
    doc->setSlipLocks(locks.get());
    CFq7Doc* d = doc.get();
    auto* w = new FUrikakeWnd(ctx, dialogs, d, std::move(doc), false, parent);
    w->ownLocks_ = std::move(locks);
    return w;
}

FUrikakeWnd::FUrikakeWnd(AppContext& ctx, Dialogs& dialogs, CFq7Doc* doc, std::unique_ptr<CFq7Doc> own, bool reference,
                         QWidget* parent)
    : QWidget(parent), ctx_(ctx), dialogs_(dialogs), doc_(doc), own_(std::move(own)), reference_(reference) {
    setObjectName("FUrikakeWnd");
    const bool sales = ctx.edition != Edition::Purchase;
    setWindowTitle(reference ? (sales ? "　売り掛け参照" : "　買い掛け参照")
                             : (sales ? "　売り掛け処理" : "　買い掛け処理"));
    setFont(gridFont());
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    resize(kWidth, kHeight);
    ctx_.windowFlags[reference ? kReceivableReferenceFlag : kReceivableFlag] = 1;
    buildButtons();
    start();
}

FUrikakeWnd::~FUrikakeWnd() {
    // The payment window works on this window's slip: it goes with it.
    if (payment_) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(payment_->parentWidget())) {
            delete sub;
        } else {
            delete payment_.data();
        }
    }
    ctx_.windowFlags[reference_ ? kReceivableReferenceFlag : kReceivableFlag] = 0;
    // A slip the window locked for itself is released when it is left unrecorded.
    if (ownLocks_ && own_->recordNumber() > 0)
        (void)ownLocks_->unlockSlip(std::abs(own_->header.date), own_->header.customer, nullptr);
}

void FUrikakeWnd::buildButtons() {
    const bool sales = ctx_.edition != Edition::Purchase;
    helpButton_ = new QPushButton("解説", this);
    recordButton_ = new QPushButton(sales ? "売掛記録(F5)" : "買掛記録(F5)", this);
    paymentButton_ = new QPushButton(sales ? "入金処理(F7)" : "出金処理(F7)", this);
    helpButton_->setGeometry(kX[0], 470, 100, 32);
    recordButton_->setGeometry(kX[3], 470, 150, 32);
    paymentButton_->setGeometry(kX[5], 470, 150, 32);
    for (QPushButton* b : {helpButton_, recordButton_, paymentButton_}) b->setFocusPolicy(Qt::NoFocus);
    // No help topic yet.
    helpButton_->setEnabled(false);
    paymentButton_->setEnabled(!reference_);
    recordButton_->setEnabled(!reference_);
    connect(recordButton_, &QPushButton::clicked, this, [this] { recordSlip(); });
    connect(paymentButton_, &QPushButton::clicked, this, [this] { openPayment(); });
}

void FUrikakeWnd::start() {
    const SlipHeader& h = doc_->header;
    taxPercent_ = rv::taxPercent(ctx_.settings);
    if (reference_) {
        values_ = rv::fromHeader(h);
        refreshNames();
        return;
    }
    doc_->readCustomer(h.customer);
    method_ = doc_->customer.commissionRounding;
    rv::Start s = rv::start(h, doc_->loadedAmount(), doc_->customer, ctx_.settings, ctx_.env);
    values_ = s.values;
    amountNote_ = s.amountChanged;
    settledLock_ = h.stage == kStageSettled;
    row_ = h.stage >= kStageProcessed ? 5 : 4;
    column_ = settledLock_ ? kDebitColumn : kValueColumn;
    changed();
    refreshNames();
    openField();
}

QRect FUrikakeWnd::cell(int row, int column) const {
    const int y = kTop + row * kRowHeight;
    const int left = column == kValueColumn ? kX[1] : column == kDebitColumn ? kX[2] : kX[4];
    const int right = column == kValueColumn ? kX[2] - 8 : column == kDebitColumn ? kX[3] - 4 : kX[5] - 4;
    return QRect(left + 2, y + 2, right - left - 4, kRowHeight - 4);
}

QString FUrikakeWnd::rowLabel(int row) const {
    const bool sales = ctx_.edition != Edition::Purchase;
    switch (row) {
        case 1:
            return sales ? "  売  上  額 -" : "  仕 入れ 額 -";
        case 2:
            return "  消費税  額 -";
        case 3:
            return sales ? "1.税込み売上 -" : "1.税込み買額 -";
        case 4:
            return sales ? "2.市場手数率 -" : "2.手料利益率 -";
        case 5:
            return sales ? "3.市場手数料 -" : "3.手数料利益 -";
        case 11:
            return sales ? "9.売り掛け額 -" : "9.買い掛け額 -";
        default:
            break;
    }
    if (row < 6 || row > 10) return {};
    const auto& name = ctx_.env.costNames[row - 6];
    return QString("%1.%2").arg(row - 2).arg(
        QString::fromStdString(cp932::toUtf8(std::string_view(name, strnlen(name, sizeof name)))));
}

QString FUrikakeWnd::rowValue(int row) const {
    const rv::Processing& p = values_;
    switch (row) {
        case 1:
            return money(p.amount);
        case 2:
            return money(p.tax);
        case 3:
            return money(p.taxIncluded());
        case 4:
            return QString::number(p.rate, 'f', 2);
        case 5:
            return money(p.commission);
        case 11:
            return money(p.receivable());
        default:
            return row >= 6 && row <= 10 ? money(p.deductions[row - 6]) : QString();
    }
}

void FUrikakeWnd::refreshNames() {
    const auto items = masters::readAccountItems(ctx_.files, ctx_.fileSet[kAccounts]);
    for (int row = 2; row <= 10; ++row) {
        if (!accountRow(row)) continue;
        for (int column : {kDebitColumn, kCreditColumn}) {
            const int32_t code = *accountOf(values_, row, column);
            const size_t i = static_cast<size_t>(code - 100);
            QString name;
            if (code == kProfitAccountCode) {
                name = masters::kProfitAccountName;
            } else if (code >= 100 && code <= masters::kLastAccountCode && i < items.size()) {
                name = QString::fromStdString(cp932::toUtf8(items[i].name, masters::kAccountNameLimit));
            }
            names_[nameSlot(row, column)] = name.trimmed();
        }
    }
}

// The receivable amount and every value go into the open slip's header at once; recording
// writes them.
void FUrikakeWnd::changed() {
    if (!reference_) rv::store(values_, doc_->header);
    update();
}

void FUrikakeWnd::openField() {
    if (reference_) return;
    if (field_) {
        // Gone from the screen at once; deleted once its own signal has returned.
        field_->removeEventFilter(this);
        field_->hide();
        if (field_->label()) field_->label()->hide();
        field_->deleteLater();
    }
    field_ = nullptr;
    controls::EntryConfig c;
    if (column_ == kValueColumn) {
        if (row_ == 4) {
            c.mode = 3;
            c.length = 6;
            c.decimals = 2;
            c.number = values_.rate;
        } else {
            c.mode = 2;
            c.length = 11;
            const double v = row_ == 2 ? values_.tax : row_ == 5 ? values_.commission : values_.deductions[row_ - 6];
            c.value = static_cast<int32_t>(v);
        }
    } else {
        c.mode = 1;
        c.length = 3;
        c.value = *accountOf(values_, row_, column_);
    }
    field_ = CDataEdit::create(this, c, cell(row_, column_), dialogs_);
    if (!field_) return;
    field_->installEventFilter(this);
    connect(field_, &CDataEdit::finished, this, &FUrikakeWnd::fieldDone);
    update();
}

void FUrikakeWnd::fieldDone(Key key) {
    if (!field_) return;
    const double v = column_ == kValueColumn && row_ == 4 ? field_->number() : field_->value();
    store(row_, column_, v, key);
    if (key == Key::F5) {
        recordSlip();
        return;
    }
    if (key == Key::F12 && column_ != kValueColumn) {
        openAccountList();
        return;
    }
    move(key);
    openField();
}

// F12 in an account column: the account items 100..599 to choose from.
void FUrikakeWnd::openAccountList() {
    const int left = column_ == kDebitColumn ? kX[2] : kX[4];
    list_ = openAccountPickList(ctx_, this, cmd::kReceivable, *accountOf(values_, row_, column_),
                                QRect(left, kTop + kRowHeight, 280, 9 * kRowHeight), [this](std::optional<int> code) {
                                    list_ = nullptr;
                                    if (code) {
                                        *accountOf(values_, row_, column_) = *code;
                                        refreshNames();
                                        changed();
                                    }
                                    openField();
                                });
}

void FUrikakeWnd::store(int row, int column, double v, Key key) {
    if (column != kValueColumn) {
        *accountOf(values_, row, column) = static_cast<int32_t>(v);
        refreshNames();
    } else if (row == 2) {
        values_.tax = v;
    } else if (row == 4) {
        // Only Enter prices the commission; other keys keep the rate as typed.
        if (key == Key::Enter) {
            rv::rateTyped(values_, v, method_);
        } else {
            values_.rate = v;
        }
    } else if (row == 5) {
        rv::commissionTyped(values_, v);
    } else if (row >= 6 && row <= 10) {
        values_.deductions[row - 6] = v;
    }
    changed();
}

void FUrikakeWnd::move(Key key) {
    const bool values = column_ == kValueColumn;
    switch (key) {
        case Key::Enter:
        case Key::Down:
            if (row_ == 2) {
                row_ = key == Key::Enter || !values ? 5 : 4;
            } else if (row_ < 10) {
                ++row_;
            }
            break;
        case Key::Up:
        case Key::Esc:
            if (row_ == 5 && !values) {
                row_ = 2;
            } else if (row_ == 4) {
                row_ = 2;
            } else if (row_ > 2) {
                --row_;
            }
            break;
        case Key::Right:
            column_ = column_ == kValueColumn ? kDebitColumn : kCreditColumn;
            break;
        case Key::Left:
            column_ = column_ == kCreditColumn ? kDebitColumn : (settledLock_ ? kDebitColumn : kValueColumn);
            break;
        default:
            break;
    }
    // The rate row has no account pair.
    if (column_ != kValueColumn && !accountRow(row_)) row_ = 5;
    if (column_ == kValueColumn && settledLock_) column_ = kDebitColumn;
}

// Keys with modifiers the entry field would take for plain ones.
bool FUrikakeWnd::special(const QKeyEvent* e) {
    const auto mods = e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const int k = e->key();
    if ((mods == Qt::ControlModifier && k == Qt::Key_Z) || (mods == Qt::AltModifier && k == Qt::Key_Backspace)) {
        if (settledLock_) {
            dialogs_.message(msg::kLiftSettledLock);
            settledLock_ = false;
        }
        return true;
    }
    if (mods == Qt::NoModifier && toKey(e) == Key::F7 && !reference_) {
        openPayment();
        return true;
    }
    if (mods == (Qt::ControlModifier | Qt::AltModifier) && k == Qt::Key_1 && !reference_) {
        openPayment(true);
        return true;
    }
    if (mods == Qt::ShiftModifier && k == Qt::Key_Down) {
        if (doc_->header.stage == kStageSettled &&
            rv::cancelSettlement(*doc_, values_, ctx_, dialogs_) == rv::Recorded::Ok) {
            emit recorded();
            closeWindow();
        }
        return true;
    }
    return false;
}

bool FUrikakeWnd::eventFilter(QObject* watched, QEvent* e) {
    if (watched == field_ && e->type() == QEvent::KeyPress && special(static_cast<QKeyEvent*>(e))) return true;
    return QWidget::eventFilter(watched, e);
}

void FUrikakeWnd::keyPressEvent(QKeyEvent* e) {
    if (reference_ || special(e)) return;
    if (toKey(e) == Key::F5) {
        recordSlip();
        return;
    }
    if (field_) field_->setFocus();
}

void FUrikakeWnd::mousePressEvent(QMouseEvent* e) {
    if (reference_) return;
    for (int row = 2; row <= 10; ++row) {
        for (int column : {kValueColumn, kDebitColumn, kCreditColumn}) {
            const bool allowed = column == kValueColumn ? valueRow(row) && !settledLock_ : accountRow(row);
            if (!allowed || !cell(row, column).contains(e->pos())) continue;
            if (field_)
                store(row_, column_, column_ == kValueColumn && row_ == 4 ? field_->number() : field_->value(),
                      Key::None);
            row_ = row;
            column_ = column;
            openField();
            return;
        }
    }
}

// Back from the slip's lines with another amount: tax and commission follow it.
void FUrikakeWnd::followAmount() {
    if (reference_ || doc_->header.amount == values_.amount) return;
    rv::amountChanged(values_, doc_->header.amount, taxPercent_, method_);
    changed();
    openField();
}

bool FUrikakeWnd::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) followAmount();
    return QWidget::event(e);
}

bool FUrikakeWnd::onCommand(int command) {
    if (command == cmd::kReceivable) return recordSlip();
    if (command == cmd::kFunctionF7 && !reference_) {
        openPayment();
        return true;
    }
    return false;
}

bool FUrikakeWnd::recordSlip() {
    if (reference_) return false;
    if (field_ && field_->field().edited())
        store(row_, column_, column_ == kValueColumn && row_ == 4 ? field_->number() : field_->value(), Key::None);
    if (rv::record(*doc_, values_, ctx_, dialogs_) != rv::Recorded::Ok) {
        if (field_) field_->setFocus();
        return false;
    }
    emit recorded();
    closeWindow();
    return true;
}

FSNukinWnd* FUrikakeWnd::openPayment(bool forced) {
    if (reference_) return nullptr;
    if (payment_) {
        payment_->activateWindow();
        return nullptr;
    }
    if (field_ && field_->field().edited())
        store(row_, column_, column_ == kValueColumn && row_ == 4 ? field_->number() : field_->value(), Key::None);
    if (forced) {
        if (doc_->header.stage == kStageSettled) dialogs_.message(msg::kForcedPayment, Icon::Warning);
    } else if (!payments::mayPaySlip(doc_->header, flagOpen(ctx_, kCustomerMasterFlag), ctx_, dialogs_)) {
        return nullptr;
    }
    rv::store(values_, doc_->header);
    auto* w = new FSNukinWnd(ctx_, dialogs_, *doc_, values_);
    w->setForced(forced);
    payment_ = w;
    connect(w, &FSNukinWnd::paid, this, [this] {
        emit recorded();
        closeWindow();
    });
    auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (sub && sub->mdiArea()) {
        QMdiSubWindow* s = sub->mdiArea()->addSubWindow(w);
        s->setAttribute(Qt::WA_DeleteOnClose);
        s->show();
    } else {
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->show();
    }
    return w;
}

void FUrikakeWnd::closeWindow() {
    if (field_) field_->removeEventFilter(this);
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        sub->close();
    } else {
        close();
    }
}

void FUrikakeWnd::paintEvent(QPaintEvent*) {
    QPainter g(this);
    g.setFont(font());
    const QColor rule(0x80, 0x80, 0x80);
    const QColor shade(0xE8, 0xF0, 0xE0);
    const int bottom = kTop + (kRows + 1) * kRowHeight;

    // Heads.
    g.fillRect(QRect(kX[0], kTop, kX[6] - kX[0], kRowHeight), shade);
    g.drawText(QRect(kX[0], kTop, kX[1] - kX[0], kRowHeight), Qt::AlignCenter, "データ項目");
    g.drawText(QRect(kX[1], kTop, kX[2] - kX[1], kRowHeight), Qt::AlignCenter, "金額or率");
    g.drawText(QRect(kX[2], kTop, kX[4] - kX[2], kRowHeight), Qt::AlignCenter, " 借り方科目 ");
    g.drawText(QRect(kX[4], kTop, kX[6] - kX[4], kRowHeight), Qt::AlignCenter, " 貸し方科目 ");

    for (int row = 1; row <= kRows; ++row) {
        const int y = kTop + row * kRowHeight;
        if (row == 3 || row == 11) g.fillRect(QRect(kX[0], y, kX[2] - kX[0], kRowHeight), QColor(0xF4, 0xF4, 0xF4));
        g.setPen(Qt::black);
        g.drawText(QRect(kX[0] + 4, y, kX[1] - kX[0] - 4, kRowHeight), Qt::AlignLeft | Qt::AlignVCenter, rowLabel(row));
        g.drawText(QRect(kX[1], y, kX[2] - kX[1] - 12, kRowHeight), Qt::AlignRight | Qt::AlignVCenter, rowValue(row));
        if (row == 4 && !reference_) {
            const bool sales = ctx_.edition != Edition::Purchase;
            g.setPen(QColor(0x00, 0x00, 0xA0));
            g.drawText(
                QRect(kX[2], y, kX[6] - kX[2], kRowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                sales ? "％ （入力後エンターキーのみ手数料計算します）" : "％（入力後エンターキーのみ料計算します）");
            g.setPen(Qt::black);
        }
        if (accountRow(row)) {
            for (int column : {kDebitColumn, kCreditColumn}) {
                const int code = *accountOf(values_, row, column);
                const int left = column == kDebitColumn ? kX[2] : kX[4];
                const int nameLeft = column == kDebitColumn ? kX[3] : kX[5];
                const int nameRight = column == kDebitColumn ? kX[4] : kX[6];
                g.drawText(QRect(left, y, nameLeft - left - 8, kRowHeight), Qt::AlignRight | Qt::AlignVCenter,
                           QString::number(code));
                g.drawText(QRect(nameLeft, y, nameRight - nameLeft, kRowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                           names_[nameSlot(row, column)]);
            }
        }
        g.setPen(rule);
        g.drawLine(kX[0], y, kX[6], y);
    }
    g.drawLine(kX[0], kTop, kX[6], kTop);
    g.drawLine(kX[0], bottom, kX[6], bottom);
    // The rate's hint runs across the account columns of its row: their borders stop there.
    const int hintTop = kTop + 4 * kRowHeight, hintBottom = hintTop + kRowHeight;
    for (int x : kX) {
        const bool crossed = !reference_ && x > kX[2] && x < kX[6];
        if (!crossed) {
            g.drawLine(x, kTop, x, bottom);
            continue;
        }
        g.drawLine(x, kTop, x, hintTop);
        g.drawLine(x, hintBottom, x, bottom);
    }

    if (!reference_ && !field_) {
        g.setPen(QPen(Qt::blue, 2));
        g.drawRect(cell(row_, column_));
    }
    if (amountNote_) {
        g.setPen(Qt::red);
        g.drawText(QPoint(kX[0], bottom + 24), msg::kTaxRecomputed1);
        g.drawText(QPoint(kX[0], bottom + 46), msg::kTaxRecomputed2);
    }
    if (doc_->header.stage == kStageSettled) {
        g.setPen(QColor(0xA0, 0x00, 0x00));
        g.drawText(QRect(kX[3], 8, kX[6] - kX[3], 28), Qt::AlignRight | Qt::AlignVCenter,
                   ctx_.edition != Edition::Purchase ? "入金済み伝票" : "出金済み伝票");
    }
    g.setPen(Qt::black);
    const SlipHeader& h = doc_->header;
    g.drawText(
        QRect(kX[0], 8, kX[3] - kX[0], 28), Qt::AlignLeft | Qt::AlignVCenter,
        QString("%1  %2  %3")
            .arg(QString::fromStdString(monthday::japanese(std::abs(h.date))))
            .arg(h.customer, 4)
            .arg(QString::fromStdString(cp932::toUtf8(std::string_view(h.customerName, strnlen(h.customerName, 32))))
                     .trimmed()));
}

}  // namespace rk::ui
