#include "ui/printing/NohinMesaiView.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>

#include "base/cp932.h"
#include "base/format.h"
#include "printing/conventions.h"
#include "printing/messages.h"
#include "ui/controls/CDataEdit.h"
#include "ui/controls/QtKeys.h"
#include "ui/printing/DocumentArchiver.h"

namespace rk::ui {

using controls::EntryConfig;
using controls::Key;
namespace msg = printing::msg;

namespace {

constexpr int kFieldX = 150, kFieldY = 20, kFieldStep = 32;

}  // namespace

NohinMesaiView::NohinMesaiView(AppContext& ctx, Dialogs& dialogs, bool details, QWidget* parent)
    : PrintSelectionView(ctx, dialogs, parent), details_(details) {
    setObjectName("NohinMesaiView");
    const int32_t date = printing::lastSlipDate(ctx);
    selection_ = {date, date, 1, ctx.env.customerCount, date, ""};
    printForm_ = printing::loadPrintForm(ctx.files, ctx.programFolder()).value_or(printing::defaultPrintForm());

    int32_t* values[5] = {&selection_.from, &selection_.to, &selection_.firstCustomer, &selection_.lastCustomer,
                          &selection_.issueDate};
    for (int i = 0; i < 5; ++i) {
        int32_t* v = values[i];
        const bool date = i == kFrom || i == kTo || i == kIssueDate;
        addNumberField(QRect(kFieldX, kFieldY + i * kFieldStep, 110, 26), v, 4, date,
                       [this, i](int value) { setValue(static_cast<Field>(i), value); });
    }
    addField({QRect(kFieldX, kFieldY + 5 * kFieldStep, 170, 26),
              [this] {
                  EntryConfig c;
                  c.mode = 0;
                  c.length = 20;
                  c.text = std::span<char>(search_, 20);
                  return c;
              },
              [this](const CDataEdit&) { selection_.search = printing::fieldText(search_); },
              [this] { return QString::fromStdString(selection_.search); }});

    list_ = new QListWidget(this);
    list_->setObjectName("BillList");
    list_->setGeometry(420, 40, 330, 300);
    list_->setFocusPolicy(Qt::NoFocus);

    setFunctionKeys([this] { collect(); }, [this] { print(); }, kSearch);
    addBillButtons(300, buttons_, [this] { preview(); });
}

void NohinMesaiView::setValue(Field f, int value) {
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
        case kFirstCustomer:
            selection_.firstCustomer = value;
            break;
        case kLastCustomer:
            selection_.lastCustomer = value;
            break;
        case kSearch:
            break;
    }
    update();
}

void NohinMesaiView::setSearch(const std::string& utf8) {
    cp932::assign(search_, utf8);
    search_[20] = '\0';
    selection_.search = printing::fieldText(search_);
    update();
}

printing::BillOptions NohinMesaiView::options() const { return {details_, false, selection_.issueDate}; }

void NohinMesaiView::collect() {
    commit();
    collecting_ = true;
    repaint();
    files_ = std::make_unique<printing::SlipSnapshot>(ctx_);
    bills_ = printing::collectBills(ctx_, *files_, selection_);
    printForm_ = printing::loadPrintForm(ctx_.files, ctx_.programFolder()).value_or(printing::defaultPrintForm());
    pages_ = printing::billPageCount(bills_, *files_, printForm_, options());
    collecting_ = false;
    list_->clear();
    for (const printing::Bill& b : bills_)
        list_->addItem(QString::asprintf("%4d  ", b.customer) + QString::fromStdString(b.name) +
                       QString::fromStdString("  " + printing::number(b.total())));
    update();
}

printing::Document NohinMesaiView::plan(const printing::PageArea& area) const {
    if (!files_) return {};
    return printing::planBills(bills_, *files_, ctx_, printForm_, area, options());
}

bool NohinMesaiView::send(bool previewOnly) {
    commit();
    if (!files_) collect();
    // The lines per page are read from the form file each time printing is prepared.
    printForm_ = printing::loadPrintForm(ctx_.files, ctx_.programFolder()).value_or(printing::defaultPrintForm());
    pages_ = printing::billPageCount(bills_, *files_, printForm_, options());
    update();
    if (bills_.empty()) {
        dialogs_.message(msg::kNoSlips);
        return false;
    }
    if (pages_ > msg::kMaxPages) {
        dialogs_.message(QString::asprintf(msg::kTooManyPages, pages_, msg::kMaxPages).toStdString());
        return false;
    }
    const Planner planner = [this](const printing::PageArea& area) { return plan(area); };
    const bool sent = sendPages(planner, previewOnly);
    // Every bill that went to the printer is kept in the archive of issued documents.
    if (sent && !previewOnly) archiveIssued(ctx_, dialogs_, billsIssued(ctx_, bills_, *files_, printForm_, options()));
    return sent;
}

void NohinMesaiView::print() { send(false); }
void NohinMesaiView::preview() { send(true); }

void NohinMesaiView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xF0, 0xF0, 0xE8));
    const bool sales = ctx_.edition != Edition::Purchase;
    const char* labels[6] = {"集計開始月日",   "集計終了月日", "開始得意先Ｎｏ",
                             "終了得意先Ｎｏ", "請求書発行日", "名前検索"};
    for (int i = 0; i < 6; ++i)
        p.drawText(QRect(20, kFieldY + i * kFieldStep, 125, 26), Qt::AlignVCenter, QString::fromUtf8(labels[i]));
    paintFields(p);
    p.drawText(QRect(326, kFieldY + 5 * kFieldStep, 90, 26), Qt::AlignVCenter,
               QString::fromUtf8(selection_.search.empty() ? msg::kSearchOff : msg::kSearchOn));
    p.drawText(QRect(20, 224, 400, 22), Qt::AlignVCenter, QString::fromUtf8(msg::kSearchNote));
    p.drawText(QRect(20, 248, 400, 22), Qt::AlignVCenter, QString::fromUtf8(msg::kThirdInchNote));
    const char* kind = details_ ? (sales ? "納品明細付き" : "受領明細付き") : (sales ? "納品明細無し" : "受領明細無し");
    p.drawText(QRect(420, 12, 150, 24), Qt::AlignVCenter, QString::fromUtf8(kind));
    p.drawText(QRect(420, 345, 300, 22), Qt::AlignVCenter, QString::asprintf(msg::kBillPageCount, pages_));
    if (collecting_) {
        p.setPen(Qt::blue);
        p.drawText(QRect(420, 60, 330, 80), Qt::AlignLeft | Qt::AlignTop, QString::fromUtf8(msg::kCollecting));
    }
}

}  // namespace rk::ui
