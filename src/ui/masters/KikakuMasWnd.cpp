#include "ui/masters/KikakuMasWnd.h"

#include <QCloseEvent>
#include <QVBoxLayout>

#include "ui/masters/KikakuMasAView.h"
#include "ui/masters/KikakuMasBView.h"

namespace rk::ui {

KikakuMasWnd::KikakuMasWnd(AppContext& ctx, Dialogs& dialogs, QWidget* parent) : QWidget(parent) {
    setObjectName("KikakuMasWnd");
    setWindowTitle("　規格マスター登録");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    header_ = new KikakuMasAView(ctx, this);
    grid_ = new KikakuMasBView(ctx, dialogs, this);
    layout->addWidget(header_);
    layout->addWidget(grid_, 1);
    setFocusProxy(grid_);
}

void KikakuMasWnd::closeEvent(QCloseEvent* e) {
    grid_->closeEditor();
    e->accept();
}

}  // namespace rk::ui
