// The rows of the product match list: one product a row, number and name.
#pragma once

#include <QAbstractScrollArea>
#include <vector>

#include "app/app_context.h"
#include "controls/keys.h"

namespace rk::ui {

class GaitouDrowView : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int kRowHeight = 24;

    GaitouDrowView(AppContext& ctx, std::vector<int> products, QWidget* parent = nullptr);
    int selected() const { return selected_; }
    int count() const { return static_cast<int>(products_.size()); }
    // Product number of row i.
    int product(int i) const { return products_.at(static_cast<size_t>(i)); }

signals:
    // A row was chosen (Enter or double click).
    void chosen(int product, rk::controls::Key key);
    void escaped();

protected:
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void select(int row);
    int rowAt(int y) const;

    AppContext& ctx_;
    std::vector<int> products_;
    std::vector<std::string> names_;  // UTF-8
    int selected_ = 0;
};

}  // namespace rk::ui
