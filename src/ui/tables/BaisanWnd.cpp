#include "ui/tables/BaisanWnd.h"

#include <QFileDialog>
#include <QGridLayout>

#include "app/command_table.h"
#include "base/cp932.h"
#include "tables/key_names.h"
#include "tables/list_print.h"
#include "tables/messages.h"
#include "tables/search_messages.h"
#include "tables/search_print.h"
#include "tables/table_engine.h"
#include "ui/controls/CDataEdit.h"
#include "ui/tables/BaisanBView.h"
#include "ui/tables/BaisanCView.h"
#include "ui/tables/BaisanView.h"
#include "ui/tables/BusyNote.h"

namespace rk::ui {

namespace msg = tables::msg;

BaisanWnd::BaisanWnd(AppContext& ctx, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), ctx_(ctx), dialogs_(dialogs) {
    setObjectName("BaisanWnd");
    setWindowTitle(QString::fromUtf8(msg::kBuyerTitle));
    QFont f("IPAGothic");
    f.setPixelSize(13);
    setFont(f);
    resize(900, 580);
    range_.from = tables::defaultStartDate(ctx.settings.firstMonth);
    range_.to = tables::defaultEndDate(ctx.settings.firstMonth);
    for (const std::string& n : tables::keyNames(ctx_, tables::kByProduct, 1000)) names_.push_back(cp932::toUtf8(n));
    header_ = new BaisanView(*this);
    sort_ = new BaisanBView(*this);
    list_ = new BaisanCView(*this);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(header_, 0, 0);
    layout->addWidget(sort_, 0, 1);
    layout->addWidget(list_, 1, 0, 1, 2);
    layout->setRowStretch(1, 1);
    layout->setColumnStretch(0, 1);
    run();
}

void BaisanWnd::run() {
    {
        BusyNote note(this, msg::kWorking);
        totals_ = tables::runBuyerTotals(ctx_, range_);
    }
    if (!totals_.read) dialogs_.message(msg::kSlipFilesUnreadable, Icon::Stop);
    list_->reset();
    header_->update();
}

void BaisanWnd::setSort(tables::BuyerSort by) {
    range_.sort = by;
    tables::sortBuyerRows(totals_.rows, by, ctx_.settings.firstMonth);
    list_->reset();
}

bool BaisanWnd::exportCsv(const QString& chosen) {
    QString path = chosen;
    if (path.isEmpty()) {
        const QString start = QString::fromStdString((ctx_.programFolder() / msg::kBuyerCsvName).string());
        path = QFileDialog::getSaveFileName(this, QString(), start, "Csv (*.Csv *.csv)");
        if (path.isEmpty()) return false;
    }
    const QString name = QFileInfo(path).fileName();
    if (name.count('.') > 1) {
        dialogs_.message(msg::kTooManyPeriods);
        return false;
    }
    if (!name.contains('.')) path += ".Csv";
    BusyNote note(this, msg::kWriting);
    if (tables::writeBuyerCsv(ctx_, totals_, path.toStdString())) return true;
    dialogs_.message(msg::kCsvWriteFailed, Icon::Stop);
    return false;
}

printing::Document BaisanWnd::plan(const printing::PageArea& area) const {
    printing::Document d =
        tables::listDocument(ctx_.files, ctx_.programFolder(), windowTitle().trimmed().toStdString(), false);
    tables::planBuyerTotals(d, ctx_, range_, totals_, names_, area);
    return d;
}

void BaisanWnd::print(bool preview) {
    const Planner planner = [this](const printing::PageArea& area) { return plan(area); };
    if (preview)
        output_.preview(planner, this);
    else
        (void)output_.print(planner, this);
}

void BaisanWnd::openGuide() {
    if (guideOpener_) guideOpener_("");
}

bool BaisanWnd::onCommand(int command) {
    if (command != cmd::kPrint) return false;
    print(false);
    return true;
}

void BaisanWnd::focusInEvent(QFocusEvent*) {
    if (header_->edit()) header_->edit()->setFocus(Qt::OtherFocusReason);
}

}  // namespace rk::ui
