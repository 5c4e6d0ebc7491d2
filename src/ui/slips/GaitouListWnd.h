// "  リスト": the customers of one date with the stage of their slips, to pick the slip the
// slip entry window opens next. The window closes itself once a choice is made.
#pragma once

#include <QWidget>

#include "app/app_context.h"
#include "controls/keys.h"

namespace rk::ui {

class GaitouListView;

class GaitouListWnd : public QWidget {
    Q_OBJECT
public:
    static constexpr int kLeft = 560, kTop = 40, kWidth = 380, kHeight = 480;

    GaitouListWnd(AppContext& ctx, int32_t date, int mode, int selected, QWidget* parent = nullptr);
    GaitouListView* view() const { return view_; }
    QSize sizeHint() const override { return {kWidth, kHeight}; }

signals:
    // A customer number above 0, or -1 when the list was left with Esc.
    void chosen(int customer);
    void typedCharacter(const QString& ch);
    void typedKey(rk::controls::Key key);

protected:
    void showEvent(QShowEvent* e) override;

private:
    GaitouListView* view_;
    bool placed_ = false;
};

}  // namespace rk::ui
