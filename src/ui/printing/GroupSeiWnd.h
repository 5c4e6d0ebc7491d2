// The group bill window ("　グループ代表請求書印刷"): one bill for a group representative
// covering its own and its members' slips.
#pragma once

#include "app/app_context.h"
#include "base/dialogs.h"
#include "ui/printing/PrintViewWnd.h"

namespace rk::ui {

class GroupSeiView;

class GroupSeiWnd : public PrintViewWnd {
    Q_OBJECT
public:
    GroupSeiWnd(AppContext& ctx, Dialogs& dialogs, GuideOpener guide = {}, QWidget* parent = nullptr);
    GroupSeiView* view() const { return view_; }

private:
    GroupSeiView* view_;
};

}  // namespace rk::ui
