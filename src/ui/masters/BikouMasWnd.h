// "　備考マスター登録": the remark master window, a header and the remark grid.
#pragma once

#include <QWidget>

#include "app/app_context.h"
#include "base/dialogs.h"

namespace rk::ui {

class BikouMasAView;
class BikouMasBView;

class BikouMasWnd : public QWidget {
    Q_OBJECT
public:
    BikouMasWnd(AppContext& ctx, Dialogs& dialogs, QWidget* parent = nullptr);
    BikouMasBView* grid() const { return grid_; }
    QSize sizeHint() const override { return {720, 600}; }

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    BikouMasAView* header_;
    BikouMasBView* grid_;
};

}  // namespace rk::ui
