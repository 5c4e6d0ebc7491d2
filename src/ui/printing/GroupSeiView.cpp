#include "ui/printing/GroupSeiView.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>

#include "base/format.h"
#include "masters/master_io.h"
#include "printing/conventions.h"
#include "printing/messages.h"
#include "ui/controls/CDataEdit.h"
#include "ui/controls/QtKeys.h"
#include "ui/printing/DocumentArchiver.h"

namespace rk::ui {

using controls::Key;
namespace msg = printing::msg;

namespace {

constexpr int kFieldX = 150, kFieldY = 20, kFieldStep = 32;

}  // namespace

GroupSeiView::GroupSeiView(AppContext& ctx, Dialogs& dialogs, QWidget* parent)
    : PrintSelectionView(ctx, dialogs, parent) {
    setObjectName("GroupSeiView");
    const int32_t date = printing::lastSlipDate(ctx);
    selection_ = {date, date, 1, ctx.env.customerCount, date, ""};
    printForm_ = printing::loadPrintForm(ctx.files, ctx.programFolder()).value_or(printing::defaultPrintForm());

    int32_t* values[4] = {&selection_.from, &selection_.to, &representative_, &selection_.issueDate};
    for (int i = 0; i < 4; ++i) {
        int32_t* v = values[i];
        const bool date = i != kRepresentative;
        addNumberField(QRect(kFieldX, kFieldY + i * kFieldStep, 110, 26), v, 4, date,
                       [this, i](int value) { setValue(static_cast<Field>(i), value); });
    }
    members_ = new QListWidget(this);
    members_->setObjectName("MemberList");
    members_->setGeometry(420, 40, 300, 240);
    members_->setFocusPolicy(Qt::NoFocus);

    setFunctionKeys([this] { collect(); }, [this] { print(); }, kIssueDate);
    addBillButtons(250, buttons_, [this] { preview(); });
    showMembers();
}

void GroupSeiView::setValue(Field f, int value) {
    switch (f) {
        case kFrom:
            selection_.from = monthday::normalise(value, monthday::kFirstDay);
            break;
        case kTo:
            selection_.to = monthday::normalise(value, monthday::kLastDay);
            break;
        case kIssueDate:
            selection_.issueDate = monthday::normalise(value, monthday::kFirstDay);
            break;
        case kRepresentative:
            representative_ = value;
            showMembers();
            break;
    }
    bill_.reset();
    update();
}

void GroupSeiView::showMembers() {
    members_->clear();
    CustomerRecord rep{};
    masters::readCustomer(ctx_.files, ctx_.fileSet[kCustomers], representative_, rep);
    if (rep.groupLink < 0) {
        members_->addItem(QString::fromUtf8(msg::kSelfMember));
        return;
    }
    const std::vector<int> members = printing::groupMembers(rep, ctx_.env.customerCount);
    if (members.empty()) members_->addItem(QString::fromUtf8(msg::kNoMembers));
    for (int m : members) {
        CustomerRecord c{};
        masters::readCustomer(ctx_.files, ctx_.fileSet[kCustomers], m, c);
        members_->addItem(QString::asprintf("%4d  ", m) + QString::fromStdString(printing::fieldText(c.name)));
    }
}

bool GroupSeiView::collect() {
    commit();
    bill_.reset();
    files_ = std::make_unique<printing::SlipSnapshot>(ctx_);
    printing::GroupBill g = printing::collectGroupBill(ctx_, *files_, representative_, selection_);
    update();
    if (g.status == printing::GroupBill::Status::NotRepresentative) {
        dialogs_.message(msg::kNotRepresentative);
        return false;
    }
    if (g.status == printing::GroupBill::Status::NoSlips) {
        dialogs_.message(msg::kNoSlips);
        return false;
    }
    bill_ = std::move(g);
    update();
    return true;
}

printing::Document GroupSeiView::plan(const printing::PageArea& area) const {
    if (!bill_ || !files_) return {};
    return printing::planBills({bill_->bill}, *files_, ctx_, printForm_, area, options());
}

bool GroupSeiView::send(bool previewOnly) {
    commit();
    if (!bill_ && !collect()) return false;
    const Planner planner = [this](const printing::PageArea& area) { return plan(area); };
    const bool sent = sendPages(planner, previewOnly);
    // The group bill that went to the printer is kept in the archive of issued documents.
    if (sent && !previewOnly)
        archiveIssued(ctx_, dialogs_, billsIssued(ctx_, {bill_->bill}, *files_, printForm_, options()));
    return sent;
}

void GroupSeiView::print() { send(false); }
void GroupSeiView::preview() { send(true); }

void GroupSeiView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xF0, 0xF0, 0xE8));
    const bool sales = ctx_.edition != Edition::Purchase;
    const char* labels[4] = {"集計開始月日", "集計終了月日", "代表得意先Ｎｏ", sales ? "請求書発行日" : "支払書印刷日"};
    for (int i = 0; i < 4; ++i)
        p.drawText(QRect(20, kFieldY + i * kFieldStep, 125, 26), Qt::AlignVCenter, QString::fromUtf8(labels[i]));
    paintFields(p);
    p.drawText(QRect(420, 12, 300, 24), Qt::AlignVCenter, QString::fromUtf8(msg::kGroupMembers));
    p.drawText(QRect(20, 160, 400, 22), Qt::AlignVCenter, QString::fromUtf8(msg::kFormFixedNote));
    p.drawText(QRect(20, 184, 400, 22), Qt::AlignVCenter, QString::fromUtf8(msg::kThirdInchNote));
    if (bill_) {
        const printing::Bill& b = bill_->bill;
        p.drawText(QRect(20, 290, 700, 22), Qt::AlignVCenter,
                   QString::fromStdString(b.name + "   " + msg::kPreviousBalance + " " + printing::number(b.previous) +
                                          "   " + (sales ? msg::kBillTotal : msg::kStatementTotal) + " " +
                                          printing::number(b.total())));
    }
}

}  // namespace rk::ui
