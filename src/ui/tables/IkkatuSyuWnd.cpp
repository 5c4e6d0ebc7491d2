#include "ui/tables/IkkatuSyuWnd.h"

#include <QVBoxLayout>

#include "app/command_table.h"
#include "base/cp932.h"
#include "masters/customer_master.h"
#include "tables/messages.h"
#include "tables/report_print.h"
#include "tables/table_engine.h"
#include "ui/printing/PlanPrinter.h"
#include "ui/tables/BusyNote.h"
#include "ui/tables/IkkatuSyuAView.h"
#include "ui/tables/IkkatuSyuBView.h"
#include "ui/tables/JyoukenSetWnd.h"

namespace rk::ui {

namespace msg = tables::msg;

IkkatuSyuWnd::IkkatuSyuWnd(AppContext& ctx, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent),
      ctx_(ctx),
      dialogs_(dialogs),
      from_(tables::defaultStartDate(ctx.settings.firstMonth)),
      to_(tables::defaultEndDate(ctx.settings.firstMonth)) {
    setObjectName("IkkatuSyuWnd");
    setWindowTitle(QString::fromUtf8(msg::kBulkTitle));
    QFont f("IPAGothic");
    f.setPixelSize(13);
    setFont(f);
    resize(900, 580);
    header_ = new IkkatuSyuAView(*this);
    list_ = new IkkatuSyuBView(*this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(header_);
    layout->addWidget(list_, 1);
    auto all = masters::readCustomers(ctx.files, ctx.fileSet[kCustomers], ctx.env.customerCount);
    names_.assign(all.size(), {});
    for (size_t n = 1; n < all.size(); ++n) names_[n] = cp932::toUtf8(masters::customerName(all[n]));
    run({});
    header_->enterField(1);
}

void IkkatuSyuWnd::setRange(int from, int to) {
    from_ = from;
    to_ = to;
    header_->update();
}

void IkkatuSyuWnd::setStages(const tables::StageSelection& s) {
    if (s != tables::StageSelection{}) stages_ = s;
    header_->showStages();
    refreshShown();
}

void IkkatuSyuWnd::refreshShown() {
    shown_.clear();
    for (size_t c = 1; c < totals_.stages[0].size(); ++c)
        if (!tables::bulkFigures(totals_, stages_, static_cast<int>(c)).empty()) shown_.push_back(static_cast<int>(c));
    list_->updateHeads();
    list_->reset();
}

void IkkatuSyuWnd::showConditions() {
    if (!conditionsWnd_) {
        conditionsWnd_ = new JyoukenSetWnd(ctx_, dialogs_, tables::kByCustomer, false, conditions_, this);
        connect(conditionsWnd_, &JyoukenSetWnd::settingEnded, this, [this](const tables::ConditionSet& c) {
            run(c);
            raise();
        });
    }
    conditionsWnd_->setRange(from_, to_);
    conditionsWnd_->show();
    conditionsWnd_->raise();
    conditionsWnd_->activateWindow();
}

void IkkatuSyuWnd::run(const tables::ConditionSet& conditions) {
    conditions_ = conditions;
    {
        BusyNote note(this, msg::kWorking);
        totals_ = tables::runBulkTotals(ctx_, from_, to_, conditions_);
    }
    refreshShown();
}

bool IkkatuSyuWnd::exportCsv() {
    if (dialogs_.ask(msg::kBulkAsk, Buttons::YesNo, Answer::No) != Answer::Yes) return false;
    return tables::writeBulkCsv(ctx_, totals_, stages_, ctx_.programFolder() / msg::kBulkCsvName);
}

printing::Document IkkatuSyuWnd::plan(const printing::PageArea& area) const {
    printing::Document d =
        tables::listDocument(ctx_.files, ctx_.programFolder(), windowTitle().trimmed().toStdString(), false);
    tables::planBulkTotals(d, ctx_, totals_, stages_, area);
    return d;
}

void IkkatuSyuWnd::print(bool preview) {
    auto planner = [this](const printing::PageArea& area) { return plan(area); };
    if (preview)
        showPreview(planner, this);
    else
        (void)printWithDialog(planner, this);
}

void IkkatuSyuWnd::openGuide() {
    if (guideOpener_) guideOpener_("");
}

bool IkkatuSyuWnd::onCommand(int command) {
    if (command != cmd::kPrint) return false;
    print(false);
    return true;
}

}  // namespace rk::ui
