// The header of the grade master: the guide button and the column titles.
#pragma once

#include <QWidget>

#include "app/app_context.h"

namespace rk::ui {

class KikakuMasAView : public QWidget {
    Q_OBJECT
public:
    explicit KikakuMasAView(AppContext& ctx, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* e) override;
};

}  // namespace rk::ui
