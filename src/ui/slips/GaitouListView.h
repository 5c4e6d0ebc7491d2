// The rows of the customer list of a date: customer number and name, coloured by the stage of
// the customer's slip on that date. Digits typed on the numeric pad name a customer directly
// and also show in the slip entry's customer field.
#pragma once

#include <QAbstractScrollArea>
#include <QString>
#include <vector>

#include "app/app_context.h"
#include "controls/keys.h"
#include "slips/master_lists.h"

namespace rk::ui {

class GaitouListView : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int kRowHeight = 22;

    // `mode` is the slip entry's input mode; `selected` the row selected at first.
    GaitouListView(AppContext& ctx, int32_t date, int mode, int selected, QWidget* parent = nullptr);

    int count() const { return static_cast<int>(rows_.size()); }
    int selected() const { return selected_; }
    const DateCustomer& row(int i) const { return rows_.at(static_cast<size_t>(i)); }
    const QString& typed() const { return typed_; }
    // The text colour of a stage (-1: no slip).
    static QColor stageColour(int stage);

signals:
    // Enter, double click (a customer number) or Esc (-1).
    void chosen(int customer);
    // What the typing feeds on to the slip entry's customer field.
    void typedCharacter(const QString& ch);
    void typedKey(rk::controls::Key key);

protected:
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void select(int row);
    int rowAt(int y) const;

    std::vector<DateCustomer> rows_;
    int selected_ = 0;
    QString typed_;
};

}  // namespace rk::ui
