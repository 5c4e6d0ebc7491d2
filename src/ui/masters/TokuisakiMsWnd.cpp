#include "ui/masters/TokuisakiMsWnd.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/command_table.h"
#include "masters/messages.h"
#include "ui/controls/CDataEdit.h"
#include "ui/masters/MasterUi.h"
#include "ui/masters/TokuisakiMsView.h"

namespace rk::ui {

TokuisakiMsWnd::TokuisakiMsWnd(AppContext& ctx, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), ctx_(ctx), dialogs_(dialogs) {
    setObjectName("TokuisakiMsWnd");
    setWindowTitle("　得意先マスター登録");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    view_ = new TokuisakiMsView(ctx, dialogs, this);
    layout->addWidget(view_);
    setFocusProxy(view_);
    QPushButton* help = masterButton("解説", view_);
    help->setGeometry(560, 390, 100, 26);
    connect(help, &QPushButton::clicked, this, [this] { openGuide(this, ctx_, ""); });
    QPushButton* csv = masterButton("ﾃｷｽﾄｱｳﾄ", view_);
    csv->setObjectName("exportCsv");
    csv->setGeometry(670, 390, 100, 26);
    connect(csv, &QPushButton::clicked, this, &TokuisakiMsWnd::exportCsv);
}

void TokuisakiMsWnd::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (started_) return;
    started_ = true;
    view_->enterField(0);
}

void TokuisakiMsWnd::exportCsv() {
    const QString proposed = QString::fromStdString((ctx_.programFolder() / msg::kCustomerCsvName).string());
    const QString file = QFileDialog::getSaveFileName(this, QString(), proposed, "CSV (*.Csv *.csv)");
    if (file.isEmpty()) return;
    if (!view_->exportTo(file)) dialogs_.message(msg::kCustomerWriteFailed, Icon::Stop);
}

bool TokuisakiMsWnd::onCommand(int command) {
    CDataEdit* edit = view_->edit();
    if (!edit || edit->field().mode() != controls::EntryMode::Text) return false;
    if (command == cmd::kCopy)
        edit->copy();
    else if (command == cmd::kPaste)
        edit->paste();
    else
        return false;
    return true;
}

void TokuisakiMsWnd::closeEvent(QCloseEvent* e) {
    if (view_->closeAll())
        e->accept();
    else
        e->ignore();
}

}  // namespace rk::ui
