// "　検索該当商品マスター": the products the product master's name search found. Choosing a
// row opens that product in the product grid; Esc closes the list.
#pragma once

#include <QWidget>

#include "app/app_context.h"
#include "controls/keys.h"

namespace rk::ui {

class GaitouDrowView;

class GaitouDrowWnd : public QWidget {
    Q_OBJECT
public:
    static constexpr int kLeft = 480, kTop = 140, kWidth = 400, kHeight = 460;

    // `products`: the products of a name search, in the order found.
    GaitouDrowWnd(AppContext& ctx, std::vector<int> products, QWidget* parent = nullptr);
    GaitouDrowView* view() const { return view_; }
    QSize sizeHint() const override { return {kWidth, kHeight}; }

signals:
    void chosen(int product, rk::controls::Key key);

protected:
    void showEvent(QShowEvent* e) override;

private:
    GaitouDrowView* view_;
    bool placed_ = false;
};

}  // namespace rk::ui
