// The shipping date list ("  出荷月日一覧"; purchase "  仕入月日一覧"): the header with the
// first date and first customer shown, the stage legend and the buttons (SyukeiView), the
// slanted customer names (SyukeiBView) and the grid of dates by customers (SyukeiCView). A
// double click opens the slip in slip entry in the mode of its stage; the right button
// deletes it, after which the program ends.
#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "app/app_context.h"
#include "base/dialogs.h"
#include "tables/shipping_list.h"

namespace rk::ui {

class SyukeiView;
class SyukeiBView;
class SyukeiCView;

class SyukeiWnd : public QWidget {
    Q_OBJECT
public:
    struct Hooks {
        std::function<void(int command)> openSlipEntry;  // runs a slip entry command
        std::function<void()> endProgram;
        std::function<void(const std::string&)> openGuide;
    };
    SyukeiWnd(AppContext& ctx, Dialogs& dialogs, Hooks hooks, QWidget* parent = nullptr);
    // The window area opens the window at the size it was given.
    QSize sizeHint() const override { return size(); }
    ~SyukeiWnd() override;

    AppContext& context() { return ctx_; }
    Dialogs& dialogs() { return dialogs_; }
    const tables::ShippingGrid& grid() const { return grid_; }
    SyukeiView* header() const { return header_; }
    SyukeiBView* heads() const { return heads_; }
    SyukeiCView* cells() const { return cells_; }

    // "再集計": the grid is built again from the indexes.
    void rebuild();
    // Double click on a cell: its slip in slip entry.
    void openSlip(size_t row, size_t column);
    // Right button on a cell: asks, deletes, then ends the program.
    void deleteSlip(size_t row, size_t column);
    void openGuide();

protected:
    // The window given the focus passes it on to the field being edited.
    void focusInEvent(QFocusEvent*) override;

private:
    AppContext& ctx_;
    Dialogs& dialogs_;
    Hooks hooks_;
    tables::ShippingGrid grid_;
    SyukeiView* header_ = nullptr;
    SyukeiBView* heads_ = nullptr;
    SyukeiCView* cells_ = nullptr;
};

}  // namespace rk::ui
