// The header of the remark master: the guide button and the column titles.
#pragma once

#include <QWidget>

#include "app/app_context.h"

namespace rk::ui {

class BikouMasAView : public QWidget {
    Q_OBJECT
public:
    explicit BikouMasAView(AppContext& ctx, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* e) override;
};

}  // namespace rk::ui
