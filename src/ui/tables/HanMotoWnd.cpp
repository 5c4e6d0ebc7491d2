#include "ui/tables/HanMotoWnd.h"

#include <QVBoxLayout>

#include "app/command_table.h"
#include "base/money.h"
#include "tables/messages.h"
#include "tables/report_print.h"
#include "ui/printing/PlanPrinter.h"
#include "ui/tables/BusyNote.h"
#include "ui/tables/HanMotoBView.h"
#include "ui/tables/HanMotoView.h"

namespace rk::ui {

HanMotoWnd::HanMotoWnd(AppContext& ctx, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent),
      ctx_(ctx),
      dialogs_(dialogs),
      from_(tables::defaultStartDate(ctx.settings.firstMonth)),
      to_(tables::defaultEndDate(ctx.settings.firstMonth)) {
    setObjectName("HanMotoWnd");
    setWindowTitle(QString::fromUtf8(tables::msg::kLedgerTitle[ctx.edition == Edition::Sales ? 0 : 1]));
    QFont f("IPAGothic");
    f.setPixelSize(13);
    setFont(f);
    resize(820, 560);
    header_ = new HanMotoView(*this);
    list_ = new HanMotoBView(*this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(header_);
    layout->addWidget(list_, 1);
    header_->enterField(1);
}

void HanMotoWnd::setPrintRange(int from, int to) {
    from_ = from;
    to_ = to;
    list_->viewport()->update();
}

void HanMotoWnd::chooseCustomer(int n) {
    if (n < 1 || n > ctx_.env.customerCount) return;
    {
        BusyNote note(this, tables::msg::kWorking);
        ledger_ = tables::runLedger(ctx_, n, dialogs_);
    }
    header_->update();
    list_->reset();
    if (tables::offerCorrection(ctx_, ledger_, dialogs_) == tables::Correction::Written) {
        ledger_.stored = money::yen(ledger_.computed());
        header_->update();
    }
}

printing::Document HanMotoWnd::plan(const printing::PageArea& area) const {
    printing::Document d =
        tables::listDocument(ctx_.files, ctx_.programFolder(), windowTitle().trimmed().toStdString(), false);
    tables::planLedger(d, ctx_, ledger_, from_, to_, area);
    return d;
}

void HanMotoWnd::print(bool preview) {
    auto planner = [this](const printing::PageArea& area) { return plan(area); };
    if (preview)
        showPreview(planner, this);
    else
        (void)printWithDialog(planner, this);
}

void HanMotoWnd::openGuide() {
    if (guideOpener_) guideOpener_("");
}

bool HanMotoWnd::onCommand(int command) {
    if (command != cmd::kPrint) return false;
    print(false);
    return true;
}

}  // namespace rk::ui
