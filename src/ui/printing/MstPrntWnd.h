// The master list window ("　各種マスター印刷").
#pragma once

#include "app/app_context.h"
#include "base/dialogs.h"
#include "ui/printing/PrintViewWnd.h"

namespace rk::ui {

class MstPrntView;

class MstPrntWnd : public PrintViewWnd {
    Q_OBJECT
public:
    MstPrntWnd(AppContext& ctx, Dialogs& dialogs, GuideOpener guide = {}, QWidget* parent = nullptr);
    MstPrntView* view() const { return view_; }

private:
    MstPrntView* view_;
};

}  // namespace rk::ui
