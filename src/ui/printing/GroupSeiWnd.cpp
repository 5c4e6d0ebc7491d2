#include "ui/printing/GroupSeiWnd.h"

#include "printing/messages.h"
#include "ui/printing/GroupSeiView.h"

namespace rk::ui {

GroupSeiWnd::GroupSeiWnd(AppContext& ctx, Dialogs& dialogs, GuideOpener guide, QWidget* parent)
    : PrintViewWnd("GroupSeiWnd",
                   ctx.edition == Edition::Purchase ? "　グループ代表支払書印刷" : "　グループ代表請求書印刷",
                   std::move(guide), printing::msg::kGroupBillTopic, parent),
      view_(new GroupSeiView(ctx, dialogs, this)) {
    setView(view_, {770, 380}, [this] { view_->print(); });
    connect(view_, &GroupSeiView::helpRequested, this, &PrintViewWnd::openGuide);
    view_->setCurrent(GroupSeiView::kFrom);
}

}  // namespace rk::ui
