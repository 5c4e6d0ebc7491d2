// The group bill window ("　グループ代表請求書印刷"): one bill for a group representative
// covering its own and its members' slips.
#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "app/app_context.h"
#include "base/dialogs.h"
#include "ui/app/CommandTarget.h"

namespace rk::ui {

class GroupSeiView;

class GroupSeiWnd : public QWidget, public CommandTarget {
    Q_OBJECT
public:
    using GuideOpener = std::function<void(const std::string& topic)>;

    GroupSeiWnd(AppContext& ctx, Dialogs& dialogs, GuideOpener guide = {}, QWidget* parent = nullptr);
    GroupSeiView* view() const { return view_; }
    bool onCommand(int command) override;

private:
    GroupSeiView* view_;
    GuideOpener guide_;
};

}  // namespace rk::ui
