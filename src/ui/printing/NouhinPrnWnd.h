// The delivery note window ("　納品書印刷"; purchase edition "　受領書印刷").
#pragma once

#include "app/app_context.h"
#include "base/dialogs.h"
#include "ui/printing/PrintViewWnd.h"

namespace rk::ui {

class NouhinPrnView;

class NouhinPrnWnd : public PrintViewWnd {
    Q_OBJECT
public:
    NouhinPrnWnd(AppContext& ctx, Dialogs& dialogs, GuideOpener guide = {}, QWidget* parent = nullptr);
    NouhinPrnView* view() const { return view_; }

private:
    NouhinPrnView* view_;
};

}  // namespace rk::ui
