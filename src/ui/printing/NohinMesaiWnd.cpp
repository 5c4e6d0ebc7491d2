#include "ui/printing/NohinMesaiWnd.h"

#include "printing/messages.h"
#include "ui/printing/NohinMesaiView.h"

namespace rk::ui {

NohinMesaiWnd::NohinMesaiWnd(AppContext& ctx, Dialogs& dialogs, bool details, GuideOpener guide, QWidget* parent)
    : PrintViewWnd("NohinMesaiWnd", ctx.edition == Edition::Purchase ? "　支払い明細書印刷" : "　請求書印刷",
                   std::move(guide), printing::msg::kBillTopic, parent),
      view_(new NohinMesaiView(ctx, dialogs, details, this)) {
    setView(view_, {770, 380}, [this] { view_->print(); });
    connect(view_, &NohinMesaiView::helpRequested, this, &PrintViewWnd::openGuide);
    view_->setCurrent(NohinMesaiView::kFrom);
}

}  // namespace rk::ui
