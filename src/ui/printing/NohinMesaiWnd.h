// The bill window ("　請求書印刷"; purchase edition "　支払い明細書印刷"), opened by the bill
// command without and by the detailed bill command with the delivery details.
#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "app/app_context.h"
#include "base/dialogs.h"
#include "ui/app/CommandTarget.h"

namespace rk::ui {

class NohinMesaiView;

class NohinMesaiWnd : public QWidget, public CommandTarget {
    Q_OBJECT
public:
    using GuideOpener = std::function<void(const std::string& topic)>;

    NohinMesaiWnd(AppContext& ctx, Dialogs& dialogs, bool details, GuideOpener guide = {}, QWidget* parent = nullptr);
    NohinMesaiView* view() const { return view_; }
    bool onCommand(int command) override;

private:
    NohinMesaiView* view_;
    GuideOpener guide_;
};

}  // namespace rk::ui
