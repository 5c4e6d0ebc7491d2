// "　科目コード埋め込み": the explanation, the warning that it cannot be undone, "解 説" and
// "　実　行　", which writes the account codes into the year's data.
#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "app/app_context.h"
#include "base/dialogs.h"
#include "maintenance/account_embedding.h"

class QPushButton;

namespace rk::ui {

class KamokuSetWnd : public QWidget {
    Q_OBJECT
public:
    KamokuSetWnd(AppContext& ctx, Dialogs& dialogs, std::function<void(const std::string&)> guide,
                 QWidget* parent = nullptr);
    QPushButton* runButton() const { return run_; }
    maintenance::EmbedResult run();
    QSize sizeHint() const override { return {540, 300}; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    AppContext& ctx_;
    Dialogs& dialogs_;
    QPushButton* run_;
    bool working_ = false;
};

}  // namespace rk::ui
