#include "ui/printing/MstPrntWnd.h"

#include "printing/messages.h"
#include "ui/printing/MstPrntView.h"

namespace rk::ui {

MstPrntWnd::MstPrntWnd(AppContext& ctx, Dialogs& dialogs, GuideOpener guide, QWidget* parent)
    : PrintViewWnd("MstPrntWnd", "　各種マスター印刷", std::move(guide), printing::msg::kMasterListTopic, parent),
      view_(new MstPrntView(ctx, dialogs, this)) {
    setView(view_, {480, 290}, [this] { view_->print(); });
    connect(view_, &MstPrntView::helpRequested, this, &PrintViewWnd::openGuide);
    view_->setCurrent(MstPrntView::kMaster);
}

}  // namespace rk::ui
