// The data check window ("　データチェック"): a column of buttons, one per tool, each with its
// explanation line, and the tools without a button on keys (listed in the window and on its
// context menu). The tools themselves live in the core; a tool that leaves the indexes to be
// rebuilt ends the program.
#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "app/app_context.h"
#include "base/dialogs.h"
#include "maintenance/data_check_tools.h"
#include "ui/app/CommandTarget.h"

class QPushButton;

namespace rk::ui {

class DataHoseiWnd : public QWidget, public CommandTarget {
    Q_OBJECT
public:
    enum Tool {
        kHelp,
        kMemberCount,
        kFractions,
        kPaymentTotals,
        kLastSlip,
        kCompaction,
        kTruncateCustomers,
        kResetCustomers,
        kTextExport,
        kSalesMethods,
        kPaymentLists,
        kButtonCount,
        // Without a button: on keys and the context menu.
        kNoCustomerSlips = kButtonCount,
        kDuplicateLines,
        kDuplicateSlips,
        kYearCheck,
        kBalancesUp,
        kBalancesDown,
        kToolCount,
    };
    struct Hooks {
        std::function<void()> endProgram;
        std::function<void(const std::string& topic)> openGuide;
    };

    DataHoseiWnd(AppContext& ctx, Dialogs& dialogs, Hooks hooks, QWidget* parent = nullptr);

    QPushButton* button(Tool t) const { return buttons_[t]; }
    // Runs a tool as its button or key does.
    maintenance::ToolResult run(Tool t);
    bool onCommand(int command) override;
    QSize sizeHint() const override { return {800, 480}; }

protected:
    void paintEvent(QPaintEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    class Progress;

    AppContext& ctx_;
    Dialogs& dialogs_;
    Hooks hooks_;
    QString status_;  // the running tool's progress text
    QPushButton* buttons_[kButtonCount] = {};
};

}  // namespace rk::ui
