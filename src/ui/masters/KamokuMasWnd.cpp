#include "ui/masters/KamokuMasWnd.h"

#include <QCloseEvent>
#include <QVBoxLayout>

#include "masters/messages.h"
#include "ui/masters/KamokuMasAView.h"
#include "ui/masters/KamokuMasBView.h"
#include "ui/masters/MasterUi.h"

namespace rk::ui {

KamokuMasWnd::KamokuMasWnd(AppContext& ctx, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), ctx_(ctx), dialogs_(dialogs) {
    setObjectName("KamokuMasWnd");
    setWindowTitle("　科目マスター登録");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    grid_ = new KamokuMasBView(ctx, dialogs, this);
    header_ = new KamokuMasAView(ctx, grid_, this);
    layout->addWidget(header_);
    layout->addWidget(grid_, 1);
    setFocusProxy(grid_);
}

void KamokuMasWnd::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_F1) {
        openGuide(this, ctx_, "");
        return;
    }
    QWidget::keyPressEvent(e);
}

void KamokuMasWnd::closeEvent(QCloseEvent* e) {
    grid_->closeEditor();
    ctx_.settings.accountWindowSetting = header_->linesPerPage();
    if (!grid_->totals().agree()) dialogs_.message(msg::kAccountTotalsMismatch, Icon::Warning);
    e->accept();
}

}  // namespace rk::ui
