#include "ui/masters/TokuisakiMsView.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <cstring>

#include "app/messages.h"
#include "base/format.h"
#include "masters/account_items.h"
#include "masters/customer_csv.h"
#include "masters/customer_master.h"
#include "masters/master_io.h"
#include "masters/messages.h"
#include "ui/controls/CDataEdit.h"
#include "ui/controls/CMojiList.h"
#include "ui/masters/MasterGrid.h"
#include "ui/masters/MasterUi.h"
#include "ui/masters/TokuisakiGroupView.h"

namespace rk::ui {

using controls::Key;
namespace m = rk::masters;

namespace {

constexpr int kLabelX = 12, kBoxX = 120, kRowH = 30, kSearchListId = 1611;

struct FieldSpec {
    int row;  // form line (y = 12 + row x 30)
    int x, width;
};
// Field boxes in input order.
constexpr FieldSpec kFields[TokuisakiMsView::kFieldCount] = {
    {0, kBoxX, 44},  {1, kBoxX, 220},     {1, kBoxX + 230, 50}, {2, kBoxX, 230},  {3, kBoxX, 230},
    {4, kBoxX, 34},  {4, kBoxX + 52, 44}, {5, kBoxX, 290},      {6, kBoxX, 130},  {9, kBoxX, 220},
    {10, kBoxX, 64}, {11, kBoxX, 34},     {12, kBoxX, 100},     {13, kBoxX, 100}, {0, 640, 160},
};
const char* const kLabels[] = {"得意先 番 号", "得 意 先  名", nullptr,        "部   所   名", "電 話  番 号",
                               "郵 便  番 号", nullptr,        "所   在   地", "手数料計算法", "生産者コード",
                               "手 数 料  率", nullptr,        nullptr,        "期首 　〃",    "検索文字"};

}  // namespace

TokuisakiMsView::TokuisakiMsView(AppContext& ctx, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), ctx_(ctx), dialogs_(dialogs), count_(std::clamp(ctx.env.customerCount, 1, 2999)) {
    setObjectName("TokuisakiMsView");
    setFont(MasterGrid::gridFont());
    setFocusPolicy(Qt::StrongFocus);
    groups_ = std::make_unique<m::CustomerGroupTable>(count_);

    rounding_ = new QListWidget(this);
    rounding_->setObjectName("roundingList");
    for (int i = 0; i < 3; ++i) rounding_->addItem(utf8(m::roundingMethodLine(i)));
    rounding_->setGeometry(fieldRect(8).left(), fieldRect(8).top(), 130, 84);
    rounding_->setFocusPolicy(Qt::ClickFocus);
    rounding_->installEventFilter(this);

    customers_ = new QListWidget(this);
    customers_->setObjectName("customerList");
    customers_->setGeometry(560, 72, 360, 300);
    customers_->setFocusPolicy(Qt::ClickFocus);
    connect(customers_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        switchTo(customers_->row(item) + 1);
        enterField(1);
    });

    QPushButton* run = masterButton("検索実行", this);
    run->setObjectName("runSearch");
    run->setGeometry(820, 40, 100, 26);
    connect(run, &QPushButton::clicked, this, &TokuisakiMsView::runSearch);

    groupView_ = new TokuisakiGroupView(ctx, dialogs, *groups_, this);
    groupView_->setGeometry(4, 12 + 14 * kRowH, 500, 200);
    connect(groupView_, &TokuisakiGroupView::groupChanged, this, [this] { groups_->storeInto(customer_, rec_); });

    if (!m::growCustomerFile(ctx_.files, ctx_.fileSet[kCustomers], count_))
        dialogs_.message(msg::kCustomerWriteFailed, Icon::Stop);
    fillLists();
    load(1);
}

QRect TokuisakiMsView::fieldRect(int i) const {
    const FieldSpec& f = kFields[i];
    return {f.x, 12 + f.row * kRowH, f.width, 24};
}

QString TokuisakiMsView::listLine(int n) const { return fromSjis(m::customerListLine(n, rec_)); }

void TokuisakiMsView::fillLists() {
    auto all = m::readCustomers(ctx_.files, ctx_.fileSet[kCustomers], count_);
    all.resize(static_cast<size_t>(count_) + 1);
    QStringList lines;
    for (int n = 1; n <= count_; ++n) {
        lines << fromSjis(m::customerListLine(n, all[static_cast<size_t>(n)]));
        groups_->load(n, all[static_cast<size_t>(n)]);
    }
    customers_->addItems(lines);
    groupView_->setLines(lines);
}

void TokuisakiMsView::load(int n) {
    customer_ = n;
    rec_ = CustomerRecord{};
    m::readCustomer(ctx_.files, ctx_.fileSet[kCustomers], n, rec_);
    read_ = rec_;
    // The group table, not the file, holds the group data while the window is open.
    groups_->storeInto(n, rec_);
    rounding_->setCurrentRow(std::clamp(rec_.commissionRounding, 0, 2));
    refreshAccountName();
    {
        QSignalBlocker block(customers_);
        customers_->setCurrentRow(n - 1);
    }
    groupView_->showCustomer(n);
    update();
}

void TokuisakiMsView::refreshAccountName() {
    if (!requireAccountFile(this, ctx_, dialogs_)) return;
    accountName_ = fromSjis(m::accountName(ctx_.files, ctx_.fileSet[kAccounts], rec_.paymentAccount).value_or(""));
}

void TokuisakiMsView::storeRounding() { rec_.commissionRounding = std::max(0, rounding_->currentRow()); }

bool TokuisakiMsView::saveCurrent() {
    storeRounding();
    groups_->storeInto(customer_, rec_);
    m::tidyGroupArea(rec_, count_);
    // Only what was changed here is written, into the live record: a balance another
    // station moved meanwhile (a payment, a deletion) stays as it left it.
    if (std::memcmp(&rec_, &read_, sizeof rec_) == 0) return true;
    CustomerRecord now{};
    const WriteResult r =
        m::saveCustomerChanges(ctx_.files, ctx_.fileSet[kCustomers], customer_, read_, rec_, dialogs_, &now);
    if (!r.ok()) return false;
    rec_ = read_ = now;
    groups_->storeInto(customer_, rec_);
    const QString line = listLine(customer_);
    if (QListWidgetItem* item = customers_->item(customer_ - 1)) item->setText(line);
    groupView_->replaceLine(customer_, line);
    update();
    return true;
}

void TokuisakiMsView::showLiveRecord() {
    if (std::memcmp(&rec_, &read_, sizeof rec_) != 0) return;  // the operator's edit stays
    CustomerRecord live{};
    m::readCustomer(ctx_.files, ctx_.fileSet[kCustomers], customer_, live);
    if (std::memcmp(&live, &read_, sizeof live) == 0) return;
    rec_ = read_ = live;
    groups_->storeInto(customer_, rec_);
    rounding_->setCurrentRow(std::clamp(rec_.commissionRounding, 0, 2));
    refreshAccountName();
    update();
}

bool TokuisakiMsView::switchTo(int n) {
    if (n < 1 || n > count_) {
        QApplication::beep();
        return false;
    }
    if (n == customer_) return true;
    if (!saveCurrent()) return false;  // the failure was shown; the customer stays open
    load(n);
    return true;
}

void TokuisakiMsView::enterField(int index) {
    if (edit_) {
        edit_->disconnect(this);
        if (edit_->label()) edit_->label()->hide();
        edit_->hide();
        edit_->deleteLater();
        edit_ = nullptr;
    }
    field_ = std::clamp(index, 0, kFieldCount - 1);
    showLiveRecord();
    update();
    if (field_ == 8) {
        rounding_->setFocus(Qt::OtherFocusReason);
        return;
    }
    controls::EntryConfig c;
    auto text = [&](std::span<char> buffer, int limit) {
        c.mode = 0;
        c.length = limit;
        c.text = buffer;
    };
    switch (field_) {
        case 0:
            c.mode = 1, c.length = 4, c.value = customer_;
            break;
        case 1:
            text(rec_.name, m::kCustomerNameLimit);
            break;
        case 2:
            m::presetHonorific(rec_);
            text(rec_.honorific, m::kHonorificLimit);
            break;
        case 3:
            text(rec_.department, m::kDepartmentLimit);
            break;
        case 4:
            text(rec_.phone, m::kPhoneLimit);
            break;
        case 5:
            c.mode = 1, c.length = 3, c.value = rec_.postalFirst;
            break;
        case 6:
            c.mode = 1, c.length = 4, c.value = rec_.postalSecond;
            break;
        case 7:
            text(rec_.address, m::kAddressLimit);
            break;
        case 9:
            text(rec_.producerCode, m::kProducerCodeLimit);
            break;
        case 10:
            c.mode = 3, c.length = 5, c.decimals = 2, c.number = rec_.commissionRate;
            break;
        case 11:
            c.mode = 1, c.length = 3, c.value = rec_.paymentAccount;
            break;
        case 12:
            c.mode = 3, c.length = 11, c.decimals = 0, c.number = rec_.balance;
            break;
        case 13:
            c.mode = 3, c.length = 11, c.decimals = 0, c.number = rec_.openingBalance;
            break;
        default:
            text(search_, m::kCustomerSearchLimit + 1);
            break;
    }
    edit_ = CDataEdit::create(this, c, fieldRect(field_), dialogs_);
    if (!edit_) return;
    edit_->setFont(MasterGrid::gridFont());
    connect(edit_, &CDataEdit::finished, this, &TokuisakiMsView::fieldClosed);
}

void TokuisakiMsView::leaveField() {
    if (!edit_) return;
    edit_->clearFocus();  // the field keeps what was typed
    takeField();
}

bool TokuisakiMsView::takeField() {
    CDataEdit* e = edit_;
    if (!e) return true;
    switch (field_) {
        case 0:
            return e->value() == customer_ || switchTo(e->value());
        case 5:
            rec_.postalFirst = e->value();
            break;
        case 6:
            rec_.postalSecond = e->value();
            break;
        case 10:
            rec_.commissionRate = e->number();
            break;
        case 11:
            rec_.paymentAccount = e->value();
            refreshAccountName();
            break;
        case 12:
            rec_.balance = e->number();
            break;
        case 13:
            rec_.openingBalance = e->number();
            break;
        default:
            break;  // text fields write straight into the record
    }
    return true;
}

void TokuisakiMsView::fieldClosed(Key key) {
    if (!takeField()) {
        enterField(0);
        return;
    }
    if (field_ == kSearchField) {
        if (key == Key::Enter)
            runSearch();
        else
            enterField(kSearchField);
        return;
    }
    int next = field_;
    if (key == Key::Enter || key == Key::Right || key == Key::Down)
        next = std::min(field_ + 1, 13);
    else if (key == Key::Esc || key == Key::Up)
        next = std::max(field_ - 1, 0);
    enterField(next);
}

bool TokuisakiMsView::eventFilter(QObject* watched, QEvent* e) {
    if (watched != rounding_) return QWidget::eventFilter(watched, e);
    if (e->type() == QEvent::FocusIn && field_ != 8) {
        leaveField();
        enterField(8);
    }
    if (e->type() != QEvent::KeyPress) return false;
    auto* k = static_cast<QKeyEvent*>(e);
    if (k->key() >= Qt::Key_1 && k->key() <= Qt::Key_3) {
        rounding_->setCurrentRow(k->key() - Qt::Key_1);
        storeRounding();
        return true;
    }
    if (k->key() == Qt::Key_Up || k->key() == Qt::Key_Escape) {
        storeRounding();
        enterField(7);
        return true;
    }
    if (k->key() == Qt::Key_Down || k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
        storeRounding();
        enterField(9);
        return true;
    }
    return false;
}

void TokuisakiMsView::runSearch() {
    if (results_) return;
    std::string_view text(search_, cp932::fieldLength(search_, m::kCustomerSearchLimit));
    auto all = m::readCustomers(ctx_.files, ctx_.fileSet[kCustomers], count_);
    results_ = new CMojiList(kSearchListId, this);
    results_->setObjectName("searchResults");
    QStringList lines;
    for (int n : m::searchCustomers(all, text)) lines << fromSjis(m::customerListLine(n, all[static_cast<size_t>(n)]));
    results_->setLines(lines);
    results_->setFont(MasterGrid::gridFont());
    results_->setGeometry(560, 72, 360, 300);
    results_->show();
    results_->raise();
    results_->setFocus(Qt::OtherFocusReason);
    connect(results_, &CMojiList::chosen, this, [this](const controls::ListResult& r) {
        CMojiList* list = results_;
        results_ = nullptr;
        QListWidgetItem* item = r.key == Key::Enter || r.key == Key::None ? list->item(r.value) : nullptr;
        list->hide();
        list->deleteLater();
        if (item && switchTo(item->text().left(4).trimmed().toInt()))
            enterField(1);
        else
            enterField(kSearchField);
    });
}

bool TokuisakiMsView::exportTo(const QString& file) {
    leaveField();
    if (!saveCurrent()) return false;
    auto all = m::readCustomers(ctx_.files, ctx_.fileSet[kCustomers], count_);
    if (all.empty()) return false;
    for (int n = 1; n <= count_; ++n) groups_->storeInto(n, all[static_cast<size_t>(n)]);
    std::string text = m::customerCsv(all);
    return ctx_.files.replaceWhole(file.toStdString(), std::as_bytes(std::span(text.data(), text.size())));
}

bool TokuisakiMsView::closeAll() {
    leaveField();
    if (!saveCurrent()) return false;  // the failure was shown; the window stays open
    groups_->checkAtClose(dialogs_);
    const WriteResult r = groups_->writeBack(ctx_.files, ctx_.fileSet[kCustomers]);
    m::showWriteFailure(r, msg::kCustomerWriteFailed, dialogs_);
    return r.ok();
}

QString TokuisakiMsView::shownValue(int i) const {
    switch (i) {
        case 0:
            return QString::number(customer_);
        case 1:
            return fieldText(rec_.name);
        case 2:
            return fieldText(rec_.honorific);
        case 3:
            return fieldText(rec_.department);
        case 4:
            return fieldText(rec_.phone);
        case 5:
            return QString::asprintf("%03d", rec_.postalFirst);
        case 6:
            return QString::asprintf("%04d", rec_.postalSecond);
        case 7:
            return fieldText(rec_.address);
        case 9:
            return fieldText(rec_.producerCode);
        case 10:
            return utf8(fmt::decimal(rec_.commissionRate, 3, 2, false));
        case 11:
            return QString::asprintf("%3d", rec_.paymentAccount);
        case 12:
            return utf8(fmt::grouped(static_cast<int64_t>(rec_.balance), 11));
        case 13:
            return utf8(fmt::grouped(static_cast<int64_t>(rec_.openingBalance), 11));
        case kSearchField:
            return fieldText(search_);
        default:
            return {};
    }
}

void TokuisakiMsView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xF0, 0xF0, 0xF0));
    p.setFont(MasterGrid::gridFont());
    const bool purchase = ctx_.edition == Edition::Purchase;
    for (int i = 0; i < kFieldCount; ++i) {
        QRect box = fieldRect(i);
        const char* label = i == 11   ? (purchase ? "出金科目ｺｰﾄﾞ" : "入金科目ｺｰﾄﾞ")
                            : i == 12 ? (purchase ? "前回支払残高" : "前回未収残高")
                                      : kLabels[i];
        if (label) drawCell(p, QRect(i == kSearchField ? 560 : kLabelX, box.top(), 100, 24), label);
        if (i == 8) continue;
        p.fillRect(box, i == field_ ? QColor(0xFF, 0xFF, 0xE0) : Qt::white);
        p.setPen(QColor(0x80, 0x80, 0x80));
        p.drawRect(box.adjusted(0, 0, -1, -1));
        p.setPen(Qt::black);
        const bool number = i == 0 || i == 5 || i == 6 || (i >= 10 && i <= 13);
        drawCell(p, box, shownValue(i), number ? Qt::AlignRight : Qt::AlignLeft);
    }
    p.drawText(QPoint(fieldRect(5).right() + 5, fieldRect(5).top() + 17), "-");
    p.drawText(QPoint(fieldRect(8).right() + 16, fieldRect(8).top() + 30), "手数料計算法は");
    p.drawText(QPoint(fieldRect(8).right() + 16, fieldRect(8).top() + 52), "数値ｷｰで選択してください");
    p.drawText(QPoint(fieldRect(10).right() + 6, fieldRect(10).top() + 17), "％");
    QRect account = fieldRect(11);
    p.drawText(QPoint(account.right() + 12, account.top() + 17), "科目名");
    drawCell(p, QRect(account.right() + 70, account.top(), 180, 24), accountName_);
    p.drawText(QPoint(560, fieldRect(kSearchField).top() + 46), utf8(msg::kCustomerSearchHint));
}

void TokuisakiMsView::focusInEvent(QFocusEvent* e) {
    QWidget::focusInEvent(e);
    // The focus belongs to the open field (or the rounding list) once the change is over.
    QTimer::singleShot(0, this, [this] {
        if (!hasFocus()) return;
        if (field_ == 8)
            rounding_->setFocus(Qt::OtherFocusReason);
        else if (edit_)
            edit_->setFocus(Qt::OtherFocusReason);
    });
}

void TokuisakiMsView::mousePressEvent(QMouseEvent* e) {
    for (int i = 0; i < kFieldCount; ++i) {
        if (i != 8 && fieldRect(i).contains(e->position().toPoint())) {
            leaveField();
            enterField(i);
            return;
        }
    }
}

}  // namespace rk::ui
