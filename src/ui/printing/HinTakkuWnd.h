// The product tag window ("  商品タック印刷").
#pragma once

#include "app/app_context.h"
#include "base/dialogs.h"
#include "ui/printing/PrintViewWnd.h"

namespace rk::ui {

class HinTakkuView;

class HinTakkuWnd : public PrintViewWnd {
    Q_OBJECT
public:
    HinTakkuWnd(AppContext& ctx, Dialogs& dialogs, GuideOpener guide = {}, QWidget* parent = nullptr);
    HinTakkuView* view() const { return view_; }

private:
    HinTakkuView* view_;
};

}  // namespace rk::ui
