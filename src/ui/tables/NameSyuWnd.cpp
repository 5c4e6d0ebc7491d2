#include "ui/tables/NameSyuWnd.h"

#include <QVBoxLayout>

#include "app/command_table.h"
#include "tables/list_print.h"
#include "tables/messages.h"
#include "tables/search_messages.h"
#include "tables/search_print.h"
#include "tables/table_engine.h"
#include "ui/controls/CDataEdit.h"
#include "ui/tables/BusyNote.h"
#include "ui/tables/NameSyuAView.h"
#include "ui/tables/NameSyuBView.h"

namespace rk::ui {

namespace msg = tables::msg;

NameSyuWnd::NameSyuWnd(AppContext& ctx, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent),
      ctx_(ctx),
      dialogs_(dialogs),
      from_(tables::defaultStartDate(ctx.settings.firstMonth)),
      to_(tables::defaultEndDate(ctx.settings.firstMonth)) {
    setObjectName("NameSyuWnd");
    setWindowTitle(QString::fromUtf8(msg::kNameSearchTitle));
    QFont f("IPAGothic");
    f.setPixelSize(13);
    setFont(f);
    resize(900, 560);
    header_ = new NameSyuAView(*this);
    list_ = new NameSyuBView(*this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(header_);
    layout->addWidget(list_, 1);
    header_->enterField(1);
}

void NameSyuWnd::setRange(int from, int to) {
    from_ = from;
    to_ = to;
}

void NameSyuWnd::search(const std::string& text, tables::NameMatch how) {
    {
        BusyNote note(this, msg::kWorking);
        result_ = tables::runNameSearch(ctx_, from_, to_, text, how);
    }
    if (!result_.read) dialogs_.message(msg::kSlipFilesUnreadable, Icon::Stop);
    list_->reset();
}

bool NameSyuWnd::exportCsv() {
    if (dialogs_.ask(msg::kDetailAsk, Buttons::YesNo, Answer::No) != Answer::Yes) return false;
    BusyNote note(this, msg::kWriting);
    if (tables::writeNameSearchCsv(ctx_, result_, ctx_.programFolder() / msg::kDetailCsvName)) return true;
    dialogs_.message(msg::kCsvWriteFailed, Icon::Stop);
    return false;
}

printing::Document NameSyuWnd::plan(const printing::PageArea& area) const {
    printing::Document d =
        tables::listDocument(ctx_.files, ctx_.programFolder(), windowTitle().trimmed().toStdString(), true);
    tables::planNameSearch(d, ctx_, result_, area);
    return d;
}

void NameSyuWnd::print(bool preview) {
    const Planner planner = [this](const printing::PageArea& area) { return plan(area); };
    if (preview)
        output_.preview(planner, this);
    else
        (void)output_.print(planner, this);
}

void NameSyuWnd::openGuide() {
    if (guideOpener_) guideOpener_("");
}

bool NameSyuWnd::onCommand(int command) {
    if (command != cmd::kPrint) return false;
    print(false);
    return true;
}

void NameSyuWnd::focusInEvent(QFocusEvent*) {
    if (header_->edit()) header_->edit()->setFocus(Qt::OtherFocusReason);
}

}  // namespace rk::ui
