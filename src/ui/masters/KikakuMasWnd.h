// "　規格マスター登録": the grade master window, a header and the grade grid.
#pragma once

#include <QWidget>

#include "app/app_context.h"
#include "base/dialogs.h"

namespace rk::ui {

class KikakuMasAView;
class KikakuMasBView;

class KikakuMasWnd : public QWidget {
    Q_OBJECT
public:
    KikakuMasWnd(AppContext& ctx, Dialogs& dialogs, QWidget* parent = nullptr);
    KikakuMasBView* grid() const { return grid_; }
    QSize sizeHint() const override { return {460, 600}; }

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    KikakuMasAView* header_;
    KikakuMasBView* grid_;
};

}  // namespace rk::ui
