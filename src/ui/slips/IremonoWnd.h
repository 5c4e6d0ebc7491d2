// The packing-kind choice of a slip line whose product has none: box, flower container or
// tray for this line, the explanation, or the product master to define it there.
#pragma once

#include <QDialog>

namespace rk::ui {

class IremonoWnd : public QDialog {
    Q_OBJECT
public:
    // The choices; 1..3 are the packing kinds.
    enum Choice : int { kCancel = 0, kBox = 1, kContainer = 2, kTray = 3, kExplain = 4, kProductMaster = 5 };

    // `productMaster`: whether the product master can be opened from here.
    explicit IremonoWnd(bool productMaster, QWidget* parent = nullptr);
    int choice() const { return choice_; }

private:
    int choice_ = kCancel;
};

}  // namespace rk::ui
