#include "ui/masters/BikouMasWnd.h"

#include <QCloseEvent>
#include <QVBoxLayout>

#include "ui/masters/BikouMasAView.h"
#include "ui/masters/BikouMasBView.h"

namespace rk::ui {

BikouMasWnd::BikouMasWnd(AppContext& ctx, Dialogs& dialogs, QWidget* parent) : QWidget(parent) {
    setObjectName("BikouMasWnd");
    setWindowTitle("　備考マスター登録");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    header_ = new BikouMasAView(ctx, this);
    grid_ = new BikouMasBView(ctx, dialogs, this);
    layout->addWidget(header_);
    layout->addWidget(grid_, 1);
    setFocusProxy(grid_);
}

void BikouMasWnd::closeEvent(QCloseEvent* e) {
    grid_->closeEditor();
    e->accept();
}

}  // namespace rk::ui
