// The receivable aging window ("　売掛金年齢表"; purchase edition "　買掛金年齢表").
#pragma once

#include "app/app_context.h"
#include "base/dialogs.h"
#include "ui/printing/PrintViewWnd.h"

namespace rk::ui {

class UriNenreiView;

class UriNenreiWnd : public PrintViewWnd {
    Q_OBJECT
public:
    UriNenreiWnd(AppContext& ctx, Dialogs& dialogs, GuideOpener guide = {}, QWidget* parent = nullptr);
    UriNenreiView* view() const { return view_; }

private:
    UriNenreiView* view_;
};

}  // namespace rk::ui
