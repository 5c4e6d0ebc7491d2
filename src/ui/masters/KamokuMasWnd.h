// "　科目マスター登録": the account-item window. Closing it writes the current item and
// warns when the debit and credit totals of the opening balances differ.
#pragma once

#include <QWidget>

#include "app/app_context.h"
#include "base/dialogs.h"

namespace rk::ui {

class KamokuMasAView;
class KamokuMasBView;

class KamokuMasWnd : public QWidget {
    Q_OBJECT
public:
    KamokuMasWnd(AppContext& ctx, Dialogs& dialogs, QWidget* parent = nullptr);
    KamokuMasAView* header() const { return header_; }
    KamokuMasBView* grid() const { return grid_; }
    QSize sizeHint() const override { return {800, 640}; }

protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    AppContext& ctx_;
    Dialogs& dialogs_;
    KamokuMasAView* header_;
    KamokuMasBView* grid_;
};

}  // namespace rk::ui
