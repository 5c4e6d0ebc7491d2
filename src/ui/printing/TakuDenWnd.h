// The home-delivery print window ("　宅配伝票印刷").
#pragma once

#include "app/app_context.h"
#include "base/dialogs.h"
#include "ui/printing/PrintViewWnd.h"

namespace rk::ui {

class TakuDenView;

class TakuDenWnd : public PrintViewWnd {
    Q_OBJECT
public:
    TakuDenWnd(AppContext& ctx, Dialogs& dialogs, GuideOpener guide = {}, QWidget* parent = nullptr);
    TakuDenView* view() const { return view_; }

private:
    TakuDenView* view_;
};

}  // namespace rk::ui
