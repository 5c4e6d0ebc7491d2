#include "ui/tables/UriNenreiWnd.h"

#include "tables/aging_messages.h"
#include "ui/tables/UriNenreiView.h"

namespace rk::ui {

UriNenreiWnd::UriNenreiWnd(AppContext& ctx, Dialogs& dialogs, GuideOpener guide, QWidget* parent)
    : PrintViewWnd("UriNenreiWnd", tables::msg::kAgingTitle[ctx.edition == Edition::Purchase], std::move(guide),
                   tables::msg::kAgingTopic, parent),
      view_(new UriNenreiView(ctx, dialogs, this)) {
    setView(view_, {900, 520}, [this] { view_->print(); });
    connect(view_, &UriNenreiView::helpRequested, this, &PrintViewWnd::openGuide);
    view_->setCurrent(UriNenreiView::kAsOf);
}

}  // namespace rk::ui
