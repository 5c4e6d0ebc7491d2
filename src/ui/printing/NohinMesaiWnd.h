// The bill window ("　請求書印刷"; purchase edition "　支払い明細書印刷"), opened by the bill
// command without and by the detailed bill command with the delivery details.
#pragma once

#include "app/app_context.h"
#include "base/dialogs.h"
#include "ui/printing/PrintViewWnd.h"

namespace rk::ui {

class NohinMesaiView;

class NohinMesaiWnd : public PrintViewWnd {
    Q_OBJECT
public:
    NohinMesaiWnd(AppContext& ctx, Dialogs& dialogs, bool details, GuideOpener guide = {}, QWidget* parent = nullptr);
    NohinMesaiView* view() const { return view_; }

private:
    NohinMesaiView* view_;
};

}  // namespace rk::ui
