// The heads over the home-delivery form table: the two sides and the column names.
#pragma once

#include <QWidget>

namespace rk::ui {

class TakuDenFrmAView : public QWidget {
    Q_OBJECT
public:
    explicit TakuDenFrmAView(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* e) override;
};

}  // namespace rk::ui
