#include "ui/tables/GraSyuWnd.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>

#include "app/command_table.h"
#include "base/cp932.h"
#include "settings/messages.h"
#include "tables/key_names.h"
#include "tables/messages.h"
#include "tables/table_csv.h"
#include "ui/printing/PlanPrinter.h"
#include "ui/tables/BusyNote.h"
#include "ui/tables/GBlockSyuWnd.h"
#include "ui/tables/GraPWnd.h"
#include "ui/tables/GraSyuBView.h"
#include "ui/tables/GraSyuCView.h"
#include "ui/tables/GraSyuView.h"
#include "ui/tables/JyoukenSetWnd.h"

namespace rk::ui {

GraSyuWnd::GraSyuWnd(AppContext& ctx, Dialogs& dialogs, int kind, QWidget* parent)
    : QWidget(parent), ctx_(ctx), dialogs_(dialogs), kind_(tables::tableKind(kind).kind) {
    setObjectName("GraSyuWnd");
    setWindowTitle(QString::fromStdString(tables::tableTitle(kind_, ctx.edition)));
    QFont f("IPAGothic");
    f.setPixelSize(13);
    setFont(f);
    resize(900, 560);
    range_ = tables::defaultRange(kind_, ctx);
    const int stored = ctx.settings.tableKeyColumns;
    columnsPerPage_ = stored == 0 ? 8 : std::clamp(stored, 8, 18);

    header_ = new GraSyuView(*this);
    grid_ = new GraSyuCView(*this);
    labels_ = new GraSyuBView(*this);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(header_, 0, 0, 1, 2);
    layout->addWidget(labels_, 1, 0);
    layout->addWidget(grid_, 1, 1);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(1, 1);
    aggregate();
    header_->enterField(1);
}

GraSyuWnd::~GraSyuWnd() {
    // The graph and the period-by-month display close with their table.
    closeOwned(graph_);
    closeOwned(block_);
    if (ctx_.settings.tableKeyColumns != columnsPerPage_) {
        ctx_.settings.tableKeyColumns = columnsPerPage_;
        const WriteResult r = ctx_.storeSettings();
        if (!r.ok()) dialogs_.message(r.message(rk::msg::kSettingsWriteFailed), Icon::Stop);
    }
}

void GraSyuWnd::aggregate() {
    {
        BusyNote note(this, tables::msg::kWorking);
        result_ = tables::runTable(ctx_, kind_, range_, conditions_);
        result_.orderPeriods(byMonth_);
        const auto sjis = tables::keyNames(ctx_, tableKind().dimension, result_.codeSlots);
        names_.assign(sjis.size(), {});
        for (size_t i = 0; i < sjis.size(); ++i) names_[i] = cp932::toUtf8(sjis[i]);
    }
    grid_->resetScroll();
    header_->update();
    labels_->update();
    grid_->viewport()->update();
    emit redrawn();
}

void GraSyuWnd::cycleMeasure() {
    measure_ = static_cast<tables::Measure>((static_cast<int>(measure_) + 1) % 3);
    header_->update();
    labels_->update();
    grid_->viewport()->update();
}

void GraSyuWnd::setByMonth(bool on) {
    byMonth_ = on;
    result_.orderPeriods(on);
    labels_->update();
    grid_->viewport()->update();
    emit redrawn();
}

void GraSyuWnd::showConditions() {
    if (!conditionsWnd_) {
        conditionsWnd_ = new JyoukenSetWnd(ctx_, dialogs_, tableKind().dimension, tableKind().month, conditions_, this);
        connect(conditionsWnd_, &JyoukenSetWnd::settingEnded, this, [this](const tables::ConditionSet& c) {
            conditions_ = c;
            aggregate();
        });
    }
    conditionsWnd_->setRange(range_.from, range_.to);
    conditionsWnd_->show();
    conditionsWnd_->raise();
    conditionsWnd_->activateWindow();
    conditionsWnd_->setFocus();
}

void GraSyuWnd::swapColumns(int a, int b) {
    const auto& keys = result_.keys;
    if (a == b || a < 0 || b < 0 || static_cast<size_t>(a) >= keys.size() || static_cast<size_t>(b) >= keys.size())
        return;
    auto name = [&](int code) {
        return static_cast<size_t>(code) < names_.size() ? names_[static_cast<size_t>(code)] : "";
    };
    char first[64], second[96];
    std::snprintf(first, sizeof first, tables::msg::kSwapFirst, keys[static_cast<size_t>(a)]);
    std::snprintf(second, sizeof second, tables::msg::kSwapMiddle, keys[static_cast<size_t>(b)]);
    const std::string text = first + name(keys[static_cast<size_t>(a)]) + second + name(keys[static_cast<size_t>(b)]) +
                             tables::msg::kSwapLast;
    if (dialogs_.ask(text, Buttons::YesNo, Answer::No) != Answer::Yes) return;
    result_.swapKeys(static_cast<size_t>(a), static_cast<size_t>(b));
    grid_->viewport()->update();
}

bool GraSyuWnd::exportCsv(const QString& chosen) {
    QString path = chosen;
    if (path.isEmpty()) {
        const QString start = QString::fromStdString((ctx_.fileSet.dataFolder / tables::msg::kTableCsvName).string());
        path = QFileDialog::getSaveFileName(this, QString(), start, "Csv (*.Csv *.csv)");
        if (path.isEmpty()) return false;
    }
    std::vector<std::string> sjis(names_.size());
    for (size_t i = 0; i < names_.size(); ++i) sjis[i] = cp932::fromUtf8(names_[i]);
    BusyNote note(this, tables::msg::kWriting);
    return tables::writeTableCsv(ctx_.files, path.toStdString(), result_, sjis, dialogs_);
}

printing::Document GraSyuWnd::plan(const printing::PageArea& area) const {
    printing::Document d =
        tables::listDocument(ctx_.files, ctx_.programFolder(), windowTitle().trimmed().toStdString(), true);
    tables::planTable(d, ctx_, result_, names_, {measure_, mixedPrint_, columnsPerPage_}, area);
    return d;
}

void GraSyuWnd::print(bool preview) {
    auto planner = [this](const printing::PageArea& area) { return plan(area); };
    if (preview)
        showPreview(planner, this);
    else
        (void)printWithDialog(planner, this);
}

void GraSyuWnd::showOwned(QWidget* w) {
    auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
    QMdiArea* area = sub ? sub->mdiArea() : nullptr;
    if (area && !qobject_cast<QMdiSubWindow*>(w->parentWidget())) {
        QMdiSubWindow* own = area->addSubWindow(w);
        own->setAttribute(Qt::WA_DeleteOnClose);
        own->show();
    } else if (!area && !w->isWindow()) {
        w->setParent(this, Qt::Window);
    }
    w->show();
    if (auto* own = qobject_cast<QMdiSubWindow*>(w->parentWidget()); own && area)
        area->setActiveSubWindow(own);
    else
        w->activateWindow();
    w->setFocus(Qt::OtherFocusReason);
}

void GraSyuWnd::closeOwned(QWidget* w) {
    if (!w) return;
    if (auto* own = qobject_cast<QMdiSubWindow*>(w->parentWidget()))
        delete own;
    else
        delete w;
}

GraPWnd* GraSyuWnd::graphWindow() const { return graph_; }
GBlockSyuWnd* GraSyuWnd::blockWindow() const { return block_; }

void GraSyuWnd::openGraph() {
    if (graph_) return;  // a second press is ignored while it is open
    graph_ = new GraPWnd(*this, dialogs_);
    connect(this, &GraSyuWnd::redrawn, graph_, &GraPWnd::refresh);
    showOwned(graph_);
}

void GraSyuWnd::openBlock() {
    if (!tableKind().month) return;
    if (block_) return showOwned(block_);
    block_ = new GBlockSyuWnd(*this);
    connect(this, &GraSyuWnd::redrawn, block_, &GBlockSyuWnd::refresh);
    showOwned(block_);
}

void GraSyuWnd::openGuide() {
    if (guideOpener_) guideOpener_("");
}

bool GraSyuWnd::onCommand(int command) {
    if (command == cmd::kPrint) {
        print(false);
        return true;
    }
    return false;
}

}  // namespace rk::ui
