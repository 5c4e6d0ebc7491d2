// The delivery note window ("　納品書印刷"; purchase edition "　受領書印刷").
#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "app/app_context.h"
#include "base/dialogs.h"
#include "ui/app/CommandTarget.h"

namespace rk::ui {

class NouhinPrnView;

class NouhinPrnWnd : public QWidget, public CommandTarget {
    Q_OBJECT
public:
    using GuideOpener = std::function<void(const std::string& topic)>;

    NouhinPrnWnd(AppContext& ctx, Dialogs& dialogs, GuideOpener guide = {}, QWidget* parent = nullptr);
    NouhinPrnView* view() const { return view_; }
    bool onCommand(int command) override;

private:
    NouhinPrnView* view_;
    GuideOpener guide_;
};

}  // namespace rk::ui
