#include "ui/printing/NouhinPrnWnd.h"

#include "printing/messages.h"
#include "ui/printing/NouhinPrnView.h"

namespace rk::ui {

NouhinPrnWnd::NouhinPrnWnd(AppContext& ctx, Dialogs& dialogs, GuideOpener guide, QWidget* parent)
    : PrintViewWnd("NouhinPrnWnd", ctx.edition == Edition::Purchase ? "　受領書印刷" : "　納品書印刷", std::move(guide),
                   printing::msg::kDeliveryTopic, parent),
      view_(new NouhinPrnView(ctx, dialogs, this)) {
    setView(view_, {760, 420}, [this] { view_->printAll(); });
    connect(view_, &NouhinPrnView::helpRequested, this, &PrintViewWnd::openGuide);
    view_->setCurrent(NouhinPrnView::kDate);
}

}  // namespace rk::ui
