// "　商品マスター登録": the product master window, the header strip and the product grid.
#pragma once

#include <QPointer>
#include <QWidget>

#include "app/app_context.h"
#include "base/dialogs.h"

namespace rk::ui {

class GaitouDrowWnd;
class HinMasAView;
class HinMasBView;

class HinMasWnd : public QWidget {
    Q_OBJECT
public:
    HinMasWnd(AppContext& ctx, Dialogs& dialogs, QWidget* parent = nullptr);
    HinMasAView* header() const { return header_; }
    HinMasBView* grid() const { return grid_; }
    QSize sizeHint() const override { return {860, 640}; }
    // The match list opened by the last search (nullptr when closed).
    GaitouDrowWnd* matchList() const;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void showMatchList();

    AppContext& ctx_;
    QPointer<GaitouDrowWnd> ownList_;
    HinMasAView* header_;
    HinMasBView* grid_;
};

}  // namespace rk::ui
