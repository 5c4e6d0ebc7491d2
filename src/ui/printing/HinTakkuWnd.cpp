#include "ui/printing/HinTakkuWnd.h"

#include "printing/messages.h"
#include "ui/printing/HinTakkuView.h"

namespace rk::ui {

HinTakkuWnd::HinTakkuWnd(AppContext& ctx, Dialogs& dialogs, GuideOpener guide, QWidget* parent)
    : PrintViewWnd("HinTakkuWnd", "  商品タック印刷", std::move(guide), printing::msg::kTagTopic, parent),
      view_(new HinTakkuView(ctx, dialogs, this)) {
    setView(view_, {480, 320}, [this] { view_->print(); });
    connect(view_, &HinTakkuView::helpRequested, this, &PrintViewWnd::openGuide);
    view_->setCurrent(HinTakkuView::kDate);
}

}  // namespace rk::ui
