#include "ui/masters/HinMasWnd.h"

#include <QCloseEvent>
#include <QMdiSubWindow>
#include <QVBoxLayout>

#include "app/app_context.h"
#include "ui/app/MainFrame.h"
#include "ui/app/WindowRegistry.h"
#include "ui/masters/GaitouDrowWnd.h"
#include "ui/masters/HinMasAView.h"
#include "ui/masters/HinMasBView.h"

namespace rk::ui {

HinMasWnd::HinMasWnd(AppContext& ctx, Dialogs& dialogs, QWidget* parent) : QWidget(parent), ctx_(ctx) {
    setObjectName("HinMasWnd");
    setWindowTitle("　商品マスター登録");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    grid_ = new HinMasBView(ctx, dialogs, this);
    header_ = new HinMasAView(ctx, grid_, this);
    layout->addWidget(header_);
    layout->addWidget(grid_, 1);
    setFocusProxy(grid_);
    connect(grid_, &HinMasBView::matchListWanted, this, &HinMasWnd::showMatchList);
}

void HinMasWnd::showMatchList() {
    auto* frame = qobject_cast<MainFrame*>(window());
    if (frame && frame->registry()) {
        // One match list at a time: the last search replaces the list of the one before.
        for (QMdiSubWindow* sub : frame->registry()->area()->subWindowList())
            if (qobject_cast<GaitouDrowWnd*>(sub->widget())) sub->close();
        frame->registry()->open(330);
        return;
    }
    // Outside a main frame the list is a window of its own.
    delete ownList_;
    ownList_ = new GaitouDrowWnd(ctx_, grid_->matches());
    ownList_->setAttribute(Qt::WA_DeleteOnClose);
    connect(ownList_, &GaitouDrowWnd::chosen, grid_, &HinMasBView::productChosen);
    ownList_->show();
}

GaitouDrowWnd* HinMasWnd::matchList() const {
    if (ownList_) return ownList_;
    auto* frame = qobject_cast<MainFrame*>(window());
    if (!frame || !frame->registry()) return nullptr;
    for (QMdiSubWindow* sub : frame->registry()->area()->subWindowList())
        if (auto* list = qobject_cast<GaitouDrowWnd*>(sub->widget())) return list;
    return nullptr;
}

void HinMasWnd::closeEvent(QCloseEvent* e) {
    grid_->closeEditor();
    e->accept();
}

}  // namespace rk::ui
