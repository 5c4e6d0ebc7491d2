#include "ui/printing/TakuDenWnd.h"

#include "printing/messages.h"
#include "ui/printing/TakuDenView.h"

namespace rk::ui {

TakuDenWnd::TakuDenWnd(AppContext& ctx, Dialogs& dialogs, GuideOpener guide, QWidget* parent)
    : PrintViewWnd("TakuDenWnd", "　宅配伝票印刷", std::move(guide), printing::msg::kHomeDeliveryTopic, parent),
      view_(new TakuDenView(ctx, dialogs, this)) {
    setView(view_, {760, 420}, [this] { view_->printAll(); });
    connect(view_, &TakuDenView::helpRequested, this, &PrintViewWnd::openGuide);
    view_->setCurrent(TakuDenView::kDate);
}

}  // namespace rk::ui
