// The year-end update window ("　年度更新"): step 1 makes next year's masters, step 2 carries
// the balances into them and makes next year the input year (the window closes then), and the
// duplicate-line check lists the slips sharing a line record. The steps live in the core.
#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "app/app_context.h"
#include "base/dialogs.h"
#include "maintenance/year_end.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace rk::ui {

class NenKOusinWnd : public QWidget {
    Q_OBJECT
public:
    enum Button { kMasters, kCarryOver, kHelp, kDuplicates, kButtonCount };
    using GuideOpener = std::function<void(const std::string& topic)>;

    NenKOusinWnd(AppContext& ctx, Dialogs& dialogs, GuideOpener guide = {}, QWidget* parent = nullptr);

    QPushButton* button(Button b) const { return buttons_[b]; }
    // The duplicate-line report (hidden until the check finds pairs).
    QListWidget* report() const { return report_; }
    QSize sizeHint() const override { return {640, 500}; }

    maintenance::YearEndResult makeMasters();
    maintenance::YearEndResult carryOver();
    void checkDuplicates();

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    void closeWindow();

    AppContext& ctx_;
    Dialogs& dialogs_;
    GuideOpener guide_;
    QPushButton* buttons_[kButtonCount] = {};
    QLabel* note_;
    QListWidget* report_;
};

}  // namespace rk::ui
