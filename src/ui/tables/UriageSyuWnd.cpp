#include "ui/tables/UriageSyuWnd.h"

#include <QVBoxLayout>

#include "app/command_table.h"
#include "base/cp932.h"
#include "masters/customer_master.h"
#include "tables/messages.h"
#include "tables/report_print.h"
#include "tables/table_engine.h"
#include "ui/printing/PlanPrinter.h"
#include "ui/tables/BusyNote.h"
#include "ui/tables/UriageSyuAView.h"
#include "ui/tables/UriageSyuBView.h"

namespace rk::ui {

namespace msg = tables::msg;

UriageSyuWnd::UriageSyuWnd(AppContext& ctx, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent),
      ctx_(ctx),
      dialogs_(dialogs),
      from_(tables::defaultStartDate(ctx.settings.firstMonth)),
      to_(tables::defaultEndDate(ctx.settings.firstMonth)) {
    setObjectName("UriageSyuWnd");
    setWindowTitle(QString::fromUtf8(msg::kSalesTotalsTitle[ctx.edition == Edition::Sales ? 0 : 1]));
    QFont f("IPAGothic");
    f.setPixelSize(13);
    setFont(f);
    resize(860, 580);
    header_ = new UriageSyuAView(*this);
    list_ = new UriageSyuBView(*this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(header_);
    layout->addWidget(list_, 1);
    run();
    header_->enterField(1);
}

void UriageSyuWnd::run() {
    BusyNote note(this, msg::kWorking);
    totals_ = tables::runSalesTotals(ctx_, from_, to_);
    const size_t count = totals_.of(tables::SlipSelection::All).size();
    auto all = masters::readCustomers(ctx_.files, ctx_.fileSet[kCustomers], static_cast<int>(count) - 1);
    names_.assign(count, {});
    for (size_t n = 1; n < count && n < all.size(); ++n) names_[n] = cp932::toUtf8(masters::customerName(all[n]));
    list_->reset();
    header_->update();
}

void UriageSyuWnd::setRange(int from, int to) {
    if (from == from_ && to == to_) return;
    from_ = from;
    to_ = to;
    run();
}

void UriageSyuWnd::setSelection(bool processed, bool settled) {
    if (!processed && !settled) {
        // The line just cleared stays selected.
        processed = processed_ && !settled_;
        settled = !processed;
    }
    processed_ = processed;
    settled_ = settled;
    header_->showSelection();
    list_->viewport()->update();
}

bool UriageSyuWnd::exportTotals() {
    if (dialogs_.ask(msg::kSalesTotalsAsk, Buttons::YesNo, Answer::No) != Answer::Yes) return false;
    BusyNote note(this, msg::kWriting);
    return tables::writeSalesTotalsCsv(ctx_, totals_, selection(), ctx_.programFolder() / msg::kSalesTotalsCsvName);
}

bool UriageSyuWnd::exportAccountCodes() {
    const int ed = ctx_.edition == Edition::Sales ? 0 : 1;
    if (dialogs_.ask(msg::kAccountCodesAsk[ed], Buttons::YesNo, Answer::No) != Answer::Yes) return false;
    BusyNote note(this, msg::kWriting);
    return tables::writeAccountCodeFiles(ctx_, from_, to_, ctx_.programFolder());
}

printing::Document UriageSyuWnd::plan(const printing::PageArea& area) const {
    printing::Document d =
        tables::listDocument(ctx_.files, ctx_.programFolder(), windowTitle().trimmed().toStdString(), false);
    tables::planSalesTotals(d, ctx_, totals_, selection(), area);
    return d;
}

void UriageSyuWnd::print(bool preview) {
    auto planner = [this](const printing::PageArea& area) { return plan(area); };
    if (preview)
        showPreview(planner, this);
    else
        (void)printWithDialog(planner, this);
}

void UriageSyuWnd::openGuide() {
    if (guideOpener_) guideOpener_("");
}

bool UriageSyuWnd::onCommand(int command) {
    if (command != cmd::kPrint) return false;
    print(false);
    return true;
}

}  // namespace rk::ui
