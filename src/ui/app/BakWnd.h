// The background window: the installation's state behind every other window, with a
// creeping line as a sign of life.
#pragma once

#include <QDateTime>
#include <QFont>
#include <QPixmap>
#include <QWidget>

#include "app/app_context.h"
#include "base/dialogs.h"

namespace rk::ui {

class BakWnd : public QWidget {
    Q_OBJECT
public:
    BakWnd(AppContext& ctx, Dialogs& dialogs, QWidget* frame, QWidget* parent);

    static constexpr int kTickMs = 9800;
    int tickCounter() const { return tick_; }

public slots:
    // The refresh command: the business year and colours may have changed.
    void refresh();
    void tick();

protected:
    void paintEvent(QPaintEvent*) override;

private:
    void placeInFrame();

    AppContext& ctx_;
    Dialogs& dialogs_;
    QWidget* frame_;
    QDateTime built_;
    QFont large_, small_;
    QPixmap picture_;
    int tick_ = 0;
    int year_ = 0, inputYear_ = 0;
    bool firstPaint_ = true;
};

}  // namespace rk::ui
