// The header strip of the product master: the name search, help, copy from the line above,
// the container-type key hint and the column titles.
#pragma once

#include <QWidget>

#include "app/app_context.h"

class QLineEdit;

namespace rk::ui {

class HinMasBView;

class HinMasAView : public QWidget {
    Q_OBJECT
public:
    HinMasAView(AppContext& ctx, HinMasBView* grid, QWidget* parent = nullptr);
    QLineEdit* searchBox() const { return search_; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    void runSearch();

    HinMasBView* grid_;
    QLineEdit* search_;
    QString searched_;
};

}  // namespace rk::ui
