#include "ui/tables/JyuchuuSWnd.h"

#include <QVBoxLayout>

#include "app/command_table.h"
#include "base/cp932.h"
#include "tables/key_names.h"
#include "tables/list_print.h"
#include "tables/messages.h"
#include "tables/search_messages.h"
#include "tables/search_print.h"
#include "tables/table_engine.h"
#include "ui/controls/CDataEdit.h"
#include "ui/tables/BusyNote.h"
#include "ui/tables/JyuchuuSAView.h"
#include "ui/tables/JyuchuuSBView.h"

namespace rk::ui {

namespace msg = tables::msg;

JyuchuuSWnd::JyuchuuSWnd(AppContext& ctx, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent),
      ctx_(ctx),
      dialogs_(dialogs),
      from_(tables::defaultStartDate(ctx.settings.firstMonth)),
      to_(tables::defaultEndDate(ctx.settings.firstMonth)) {
    setObjectName("JyuchuuSWnd");
    setWindowTitle(QString::fromUtf8(msg::kOrderTitle[ctx.edition == Edition::Sales ? 0 : 1]));
    QFont f("IPAGothic");
    f.setPixelSize(13);
    setFont(f);
    resize(860, 560);
    const auto sjis = tables::keyNames(ctx_, tables::kByProduct, 1000);
    for (const std::string& n : sjis) names_.push_back(cp932::toUtf8(n));
    header_ = new JyuchuuSAView(*this);
    list_ = new JyuchuuSBView(*this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(header_);
    layout->addWidget(list_, 1);
    run();
    header_->enterField(1);
}

void JyuchuuSWnd::run() {
    {
        BusyNote note(this, msg::kWorking);
        totals_ = tables::runOrderTotals(ctx_, from_, to_);
    }
    if (!totals_.read) dialogs_.message(msg::kSlipFilesUnreadable, Icon::Stop);
    list_->reset();
    header_->update();
}

void JyuchuuSWnd::setRange(int from, int to) {
    if (from == from_ && to == to_) return;
    from_ = from;
    to_ = to;
    run();
}

void JyuchuuSWnd::toggleListing() {
    byProduct_ = !byProduct_;
    list_->reset();
    header_->update();
}

bool JyuchuuSWnd::exportCsv() {
    if (dialogs_.ask(msg::kOrderAsk, Buttons::YesNo, Answer::No) != Answer::Yes) return false;
    BusyNote note(this, msg::kWriting);
    if (tables::writeOrderTotalsCsv(ctx_, totals_, byProduct_, ctx_.programFolder() / msg::kOrderCsvName)) return true;
    dialogs_.message(msg::kCsvWriteFailed, Icon::Stop);
    return false;
}

printing::Document JyuchuuSWnd::plan(const printing::PageArea& area) const {
    printing::Document d =
        tables::listDocument(ctx_.files, ctx_.programFolder(), windowTitle().trimmed().toStdString(), false);
    tables::planOrderTotals(d, ctx_, totals_, byProduct_, names_, area);
    return d;
}

void JyuchuuSWnd::print(bool preview) {
    const Planner planner = [this](const printing::PageArea& area) { return plan(area); };
    if (preview)
        output_.preview(planner, this);
    else
        (void)output_.print(planner, this);
}

void JyuchuuSWnd::openGuide() {
    if (guideOpener_) guideOpener_("");
}

bool JyuchuuSWnd::onCommand(int command) {
    if (command != cmd::kPrint) return false;
    print(false);
    return true;
}

void JyuchuuSWnd::focusInEvent(QFocusEvent*) {
    if (header_->edit()) header_->edit()->setFocus(Qt::OtherFocusReason);
}

}  // namespace rk::ui
