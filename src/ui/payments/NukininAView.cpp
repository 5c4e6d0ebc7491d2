#include "ui/payments/NukininAView.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>

#include "base/cp932.h"
#include "base/format.h"
#include "masters/account_items.h"
#include "masters/customer_master.h"
#include "payments/list_print.h"
#include "payments/messages.h"
#include "printing/print_form.h"
#include "ui/controls/CDataEdit.h"
#include "ui/controls/CMojiList.h"
#include "ui/controls/QtKeys.h"
#include "ui/printing/PlanPrinter.h"

namespace rk::ui {

using controls::Key;
using payments::Account;

namespace {

constexpr int kTop = 12, kRow = 30;
constexpr int kPeriodLabel = 16, kPeriodCell = 116, kPeriodEnd = 236;
// Amount block: label, amount, debit code, debit name, credit code, credit name, end.
constexpr int kX[] = {250, 430, 566, 614, 760, 808, 974};
constexpr int kSearchCommand = 134;  // the list's id in the list result

int rowY(int row) { return kTop + row * kRow; }

QString money(double v) { return QString::fromStdString(fmt::grouped(static_cast<int64_t>(v), 14)).trimmed(); }

QString sjis(std::string_view s) { return QString::fromStdString(cp932::toUtf8(s)); }

Account accountOf(NukininAView::Cell c) {
    switch (c) {
        case NukininAView::kFeeDebit:
            return Account::FeeDebit;
        case NukininAView::kFeeCredit:
            return Account::FeeCredit;
        case NukininAView::kPaidDebit:
            return Account::PaidDebit;
        default:
            return Account::PaidCredit;
    }
}

}  // namespace

NukininAView::NukininAView(AppContext& ctx, Dialogs& dialogs, payments::PaymentEntry& entry, QWidget* parent)
    : QWidget(parent), ctx_(ctx), dialogs_(dialogs), entry_(entry) {
    setObjectName("NukininAView");
    QFont f("IPAGothic");
    f.setPixelSize(15);
    setFont(f);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    setMinimumSize(kWidth, kHeight);

    members_ = new QListWidget(this);
    members_->setGeometry(kPeriodLabel, rowY(3) + 4, kPeriodEnd - kPeriodLabel, 5 * kRow - 8);
    members_->setFocusPolicy(Qt::NoFocus);
    // A click leaves that member out of this payment.
    connect(members_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const int row = members_->row(item);
        if (entry_.chosenIsMember() || row < 0) return;
        entry_.removeMember(static_cast<size_t>(row));
        refreshMembers();
        openField();
    });

    const bool sales = ctx.edition != Edition::Purchase;
    auto* help = new QPushButton("解説", this);
    recordButton_ = new QPushButton(sales ? "入金記録(f7)" : "出金記録(f7)", this);
    auto* print = new QPushButton("一覧印刷", this);
    auto* preview = new QPushButton("ﾌﾟﾚﾋﾞｭｰ", this);
    help->setGeometry(kPeriodLabel, rowY(8) + 8, 100, 30);
    recordButton_->setGeometry(kX[0], rowY(8) + 8, 140, 30);
    print->setGeometry(kX[2], rowY(8) + 8, 120, 30);
    preview->setGeometry(kX[4], rowY(8) + 8, 120, 30);
    for (QPushButton* b : {help, recordButton_, print, preview}) b->setFocusPolicy(Qt::NoFocus);
    help->setEnabled(false);  // no help topic yet
    connect(recordButton_, &QPushButton::clicked, this, [this] { record(); });
    const Planner planner = [this](const printing::PageArea& area) { return planList(area); };
    connect(print, &QPushButton::clicked, this, [this, planner] { printWithDialog(planner, this); });
    connect(preview, &QPushButton::clicked, this, [this, planner] { showPreview(planner, this); });
    openField();
}

printing::Document NukininAView::planList(const printing::PageArea& area) const {
    const auto form = printing::loadPrintForm(ctx_.files, ctx_.programFolder()).value_or(printing::defaultPrintForm());
    const auto customers = masters::readCustomers(ctx_.files, ctx_.fileSet[kCustomers], ctx_.env.customerCount);
    return payments::planBillingList(ctx_, form, area, entry_.table(), customers, entry_.periodStart(),
                                     entry_.periodEnd());
}

QRect NukininAView::rect(Cell c) const {
    auto box = [](int left, int right, int row) { return QRect(left + 2, rowY(row) + 2, right - left - 4, kRow - 4); };
    switch (c) {
        case kStart:
            return box(kPeriodCell, kPeriodEnd, 0);
        case kEnd:
            return box(kPeriodCell, kPeriodEnd, 1);
        case kCustomer:
            return box(kX[1], kX[2], 0);
        case kSearch:
            return box(kX[4], kX[6], 0);
        case kFee:
            return box(kX[1], kX[2], 4);
        case kPaid:
            return box(kX[1], kX[2], 5);
        case kDate:
            return box(kX[1], kX[2], 7);
        case kFeeDebit:
            return box(kX[2], kX[3], 4);
        case kFeeCredit:
            return box(kX[4], kX[5], 4);
        case kPaidDebit:
            return box(kX[2], kX[3], 5);
        case kPaidCredit:
            return box(kX[4], kX[5], 5);
    }
    return {};
}

QString NukininAView::amountText(int row) const {
    switch (row) {
        case 1:
            return money(entry_.previousBalance());
        case 2:
            return money(entry_.periodAmount());
        case 3:
            return money(entry_.billed());
        case 4:
            return money(entry_.fee());
        case 5:
            return money(entry_.paid());
        case 6:
            return money(entry_.remainder());
        case 7: {
            const int d = entry_.date();
            if (d <= 100) return {};
            const int year = monthday::calendarYear(d, ctx_.settings.businessYear, ctx_.settings.firstMonth);
            return QString::asprintf("%d年%2d月%2d日", year, d / 100, d % 100);
        }
        default:
            return {};
    }
}

QString NukininAView::accountName(int32_t code) const {
    if (!payments::validAccount(code)) return {};
    auto name = masters::accountName(ctx_.files, ctx_.fileSet[kAccounts], code);
    return name ? sjis(*name).trimmed() : QString();
}

void NukininAView::closeField() {
    if (!field_) return;
    // Gone from the screen at once; deleted once its own signal has returned.
    field_->removeEventFilter(this);
    field_->hide();
    if (field_->label()) field_->label()->hide();
    field_->deleteLater();
    field_ = nullptr;
}

void NukininAView::openField() {
    closeField();
    controls::EntryConfig c;
    c.mode = 1;
    switch (cell_) {
        case kStart:
            c.length = 4;
            c.value = entry_.periodStart();
            break;
        case kEnd:
            c.length = 4;
            c.value = entry_.periodEnd();
            break;
        case kCustomer:
            c.length = 4;
            c.value = entry_.customer();
            break;
        case kSearch:
            c.mode = 0;
            c.length = 20;
            c.text = std::span<char>(searchText_, 20);
            break;
        case kFee:
        case kPaid:
            c.mode = 2;
            c.length = 11;
            c.value = static_cast<int32_t>(cell_ == kFee ? entry_.fee() : entry_.paid());
            break;
        case kDate:
            c.length = 4;
            c.value = entry_.date();
            break;
        default:
            c.length = 3;
            c.value = entry_.account(accountOf(cell_));
            break;
    }
    field_ = CDataEdit::create(this, c, rect(cell_), dialogs_);
    if (!field_) return;
    field_->installEventFilter(this);
    connect(field_, &CDataEdit::finished, this, &NukininAView::fieldDone);
    update();
}

void NukininAView::focusCell(Cell c) {
    cell_ = c;
    openField();
}

// Stores what the field holds into the entry; false when the value is refused and the
// field must stay.
bool NukininAView::store(Key key) {
    if (!field_) return true;
    const int32_t v = field_->value();
    switch (cell_) {
        case kStart:
            entry_.setStart(v);
            break;
        case kEnd:
            if (key == Key::Esc) break;  // left without completing it: no aggregation
            entry_.setEnd(v);
            refreshMembers();
            emit tableChanged();
            break;
        case kCustomer:
            if (key == Key::Up || key == Key::Esc || key == Key::Right) break;
            if (v == entry_.customer() && v > 0) break;
            if (!entry_.choose(v)) {
                dialogs_.beep();
                return false;
            }
            refreshMembers();
            emit tableChanged();
            break;
        case kSearch:
            break;
        case kFee:
            if (field_->field().edited()) entry_.feeTyped(v);
            break;
        case kPaid:
            if (field_->field().edited()) entry_.paidTyped(v, key == Key::Up);
            break;
        case kDate:
            entry_.setDate(v);
            break;
        default:
            entry_.setAccount(accountOf(cell_), v);
            break;
    }
    update();
    return true;
}

void NukininAView::fieldDone(Key key) {
    if (!store(key)) {
        openField();
        return;
    }
    if (cell_ == kSearch && key == Key::Enter) {
        openSearchList();
        return;
    }
    if (cell_ == kCustomer && key != Key::Up && key != Key::Esc && key != Key::Right && entry_.customer() > 0) {
        cell_ = kFee;
        openField();
        return;
    }
    move(key);
    openField();
}

void NukininAView::move(Key key) {
    const bool up = key == Key::Up || key == Key::Esc;
    const bool down = key == Key::Enter || key == Key::Down || key == Key::Tab;
    switch (cell_) {
        case kStart:
            if (down) cell_ = kEnd;
            break;
        case kEnd:
            if (down) cell_ = kCustomer;
            if (up) cell_ = kStart;
            break;
        case kCustomer:
            if (down) cell_ = kFee;
            if (up) cell_ = kEnd;
            if (key == Key::Right) cell_ = kSearch;
            break;
        case kSearch:
            if (key == Key::Left || up || down) cell_ = kCustomer;
            break;
        case kFee:
            if (down) cell_ = kPaid;
            if (up) cell_ = kCustomer;
            if (key == Key::Right) cell_ = kFeeDebit;
            break;
        case kPaid:
            if (down) cell_ = kDate;
            if (up) cell_ = kFee;
            if (key == Key::Right) cell_ = kPaidDebit;
            break;
        case kDate:
            if (down) cell_ = kFee;
            if (up) cell_ = kPaid;
            break;
        case kFeeDebit:
        case kFeeCredit:
            if (down) cell_ = cell_ == kFeeDebit ? kPaidDebit : kPaidCredit;
            if (up) cell_ = kCustomer;
            if (key == Key::Right && cell_ == kFeeDebit) cell_ = kFeeCredit;
            if (key == Key::Left) cell_ = cell_ == kFeeCredit ? kFeeDebit : kFee;
            break;
        case kPaidDebit:
        case kPaidCredit:
            if (down) cell_ = kDate;
            if (up) cell_ = cell_ == kPaidDebit ? kFeeDebit : kFeeCredit;
            if (key == Key::Right && cell_ == kPaidDebit) cell_ = kPaidCredit;
            if (key == Key::Left) cell_ = cell_ == kPaidCredit ? kPaidDebit : kPaid;
            break;
    }
}

void NukininAView::openSearchList() {
    const std::string text = cp932::toUtf8(searchText_, sizeof searchText_ - 1);
    found_ = entry_.search(text);
    const auto all = masters::readCustomers(ctx_.files, ctx_.fileSet[kCustomers], ctx_.env.customerCount);
    QStringList lines;
    for (int n : found_) lines << sjis(masters::customerListLine(n, all[static_cast<size_t>(n)]));
    search_ = new CMojiList(kSearchCommand, this);
    search_->setLines(lines);
    search_->setGeometry(kX[4], rowY(1), kX[6] - kX[4], 7 * kRow);
    search_->show();
    search_->setFocus();
    connect(search_, &CMojiList::chosen, this, [this](const controls::ListResult& r) {
        search_->hide();
        search_->deleteLater();
        search_ = nullptr;
        cell_ = kCustomer;
        if (r.key != Key::Esc && r.value >= 0 && static_cast<size_t>(r.value) < found_.size()) {
            takeCustomer(found_[static_cast<size_t>(r.value)]);
            return;
        }
        openField();
    });
}

void NukininAView::takeCustomer(int n) {
    closeField();
    cell_ = kCustomer;
    if (!entry_.choose(n)) {
        openField();
        return;
    }
    refreshMembers();
    emit tableChanged();
    cell_ = kFee;
    openField();
}

void NukininAView::refreshMembers() {
    members_->clear();
    if (entry_.chosenIsMember()) {
        members_->addItem(msg::kIsMember);
        return;
    }
    const auto& numbers = entry_.members();
    const auto& records = entry_.memberRecords();
    for (size_t k = 0; k < numbers.size(); ++k)
        members_->addItem(sjis(masters::customerListLine(numbers[k], records[k])));
}

bool NukininAView::record() {
    if (field_ && field_->field().edited() && !store(Key::None)) return false;
    const bool ok = entry_.record() == payments::Outcome::Ok;
    if (ok) {
        refreshMembers();
        emit tableChanged();
        emit recorded();
        cell_ = kCustomer;
    }
    openField();
    return ok;
}

bool NukininAView::eventFilter(QObject* watched, QEvent* e) {
    if (watched == field_ && e->type() == QEvent::KeyPress && toKey(static_cast<QKeyEvent*>(e)) == Key::F7) {
        record();
        return true;
    }
    return QWidget::eventFilter(watched, e);
}

void NukininAView::keyPressEvent(QKeyEvent* e) {
    if (toKey(e) == Key::F7) {
        record();
        return;
    }
    if (field_) field_->setFocus();
}

void NukininAView::mousePressEvent(QMouseEvent* e) {
    for (Cell c :
         {kStart, kEnd, kCustomer, kSearch, kFee, kPaid, kDate, kFeeDebit, kFeeCredit, kPaidDebit, kPaidCredit}) {
        if (!rect(c).contains(e->pos())) continue;
        if (!store(Key::None)) return;
        cell_ = c;
        openField();
        return;
    }
}

void NukininAView::paintEvent(QPaintEvent*) {
    QPainter g(this);
    g.setFont(font());
    const QColor rule(0x80, 0x80, 0x80), shade(0xE8, 0xF0, 0xE0);
    const bool sales = ctx_.edition != Edition::Purchase;
    auto text = [&](int left, int right, int row, const QString& s, int align = Qt::AlignLeft) {
        g.drawText(QRect(left + 4, rowY(row), right - left - 10, kRow), align | Qt::AlignVCenter, s);
    };
    auto period = [](int d) { return QString::asprintf("%2d 月 %2d日", d / 100, d % 100); };

    // The period.
    g.fillRect(QRect(kPeriodLabel, rowY(0), kPeriodCell - kPeriodLabel, 2 * kRow), shade);
    text(kPeriodLabel, kPeriodCell, 0, "集計開始日");
    text(kPeriodLabel, kPeriodCell, 1, "集計終了日");
    text(kPeriodCell, kPeriodEnd, 0, period(entry_.periodStart()), Qt::AlignRight);
    text(kPeriodCell, kPeriodEnd, 1, period(entry_.periodEnd()), Qt::AlignRight);
    g.setPen(rule);
    g.drawRect(QRect(kPeriodLabel, rowY(0), kPeriodEnd - kPeriodLabel, 2 * kRow));
    g.drawLine(kPeriodLabel, rowY(1), kPeriodEnd, rowY(1));
    g.setPen(Qt::black);
    text(kPeriodLabel, kPeriodEnd, 2, "ﾒﾝﾊﾞｰ (ｸﾘｯｸで除外)");

    // The customer and the amounts.
    static const char* const kSalesLabels[] = {"得意先ｺｰﾄﾞ･名前･ﾒﾝﾊﾞｰ", "前回 未収 残高", "今 期 集 計 額",
                                               "今期 請求 合計",        "送 金 手 数 料", "実  入  金  額",
                                               "今回 未収 残高",        "入 金 年 月 日"};
    g.fillRect(QRect(kX[0], rowY(0), kX[1] - kX[0], 8 * kRow), shade);
    for (int row = 0; row < 8; ++row) {
        QString label = kSalesLabels[row];
        if (!sales && row == 1) label = "前回 未払 残高";
        if (!sales && row == 5) label = "実  出  金  額";
        if (!sales && row == 6) label = "今回支払い残高";
        if (!sales && row == 7) label = "出 金 年 月 日";
        g.setPen(Qt::black);
        text(kX[0], kX[1], row, label);
        if (row > 0) text(kX[1], kX[2], row, amountText(row), Qt::AlignRight);
        g.setPen(rule);
        g.drawLine(kX[0], rowY(row), kX[2], rowY(row));
    }
    g.drawLine(kX[0], rowY(8), kX[2], rowY(8));
    g.drawLine(kX[0], rowY(0), kX[0], rowY(8));
    g.drawLine(kX[1], rowY(0), kX[1], rowY(8));
    g.drawLine(kX[2], rowY(0), kX[2], rowY(8));
    g.setPen(Qt::black);
    text(kX[1], kX[2], 0, entry_.customer() > 0 ? QString::number(entry_.customer()) : QString(), Qt::AlignRight);
    const CustomerRecord& c = entry_.customerRecord();
    if (entry_.customer() > 0) text(kX[2], kX[4], 0, sjis(masters::customerName(c)).trimmed());
    g.setPen(rule);
    g.drawRect(rect(kSearch).adjusted(-1, -1, 1, 1));
    if (!field_ || cell_ != kSearch) {
        g.setPen(QColor(0x90, 0x90, 0x90));
        const std::string typed = cp932::toUtf8(searchText_, sizeof searchText_ - 1);
        text(kX[4], kX[6], 0, typed.empty() ? QString("名前検索") : QString::fromStdString(typed));
    }

    // The account pairs of the fee and the payment.
    g.setPen(Qt::black);
    text(kX[2], kX[4], 3, "借り方科目", Qt::AlignCenter);
    text(kX[4], kX[6], 3, "貸し方科目", Qt::AlignCenter);
    for (int row : {4, 5}) {
        const Cell debit = row == 4 ? kFeeDebit : kPaidDebit, credit = row == 4 ? kFeeCredit : kPaidCredit;
        const int32_t d = entry_.account(accountOf(debit)), k = entry_.account(accountOf(credit));
        text(kX[2], kX[3], row, QString::number(d), Qt::AlignRight);
        text(kX[3], kX[4], row, accountName(d));
        text(kX[4], kX[5], row, QString::number(k), Qt::AlignRight);
        text(kX[5], kX[6], row, accountName(k));
        g.setPen(rule);
        g.drawRect(QRect(kX[2], rowY(row), kX[6] - kX[2], kRow));
        g.drawLine(kX[4], rowY(row), kX[4], rowY(row + 1));
        g.setPen(Qt::black);
    }

    if (entry_.table().cutOff) {
        g.setPen(Qt::red);
        g.drawText(QRect(kPeriodLabel, rowY(9) + 12, kX[6], kRow), Qt::AlignLeft | Qt::AlignVCenter,
                   QString(msg::kReferenceOnly).simplified());
    }
    if (!field_) {
        g.setPen(QPen(Qt::blue, 2));
        g.drawRect(rect(cell_));
    }
}

}  // namespace rk::ui
