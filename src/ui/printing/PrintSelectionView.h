// The selection view of a print window: fields of dates and numbers typed with the shared
// entry field, a help button, and the pages sent to the printer or the preview. The bill
// views also collect with F11 and print with F12 from any field.
#pragma once

#include <functional>

class QPushButton;

#include "ui/printing/PlanPrinter.h"
#include "ui/settings/SettingsFieldView.h"

namespace rk::ui {

class PrintSelectionView : public SettingsFieldView {
    Q_OBJECT
public:
    using SettingsFieldView::SettingsFieldView;

    PrintOutput& output() { return output_; }

signals:
    void helpRequested();

protected:
    // A field of `length` digits showing *value as "MM 月 DD 日" (`date`) or as a number;
    // an edited value goes to `set`, a field left as it was keeps what was set meanwhile.
    void addNumberField(QRect rect, const int32_t* value, int length, bool date, std::function<void(int)> set);
    // Sends the planned pages to the preview window or the printer.
    bool sendPages(const Planner& planner, bool previewOnly);
    // F11 and F12 from any field; Up goes back, Enter/Down/Tab on up to `lastField_`.
    void setFunctionKeys(std::function<void()> f11, std::function<void()> f12, int lastField);
    // The bill views' buttons at height `y`: 解説, 検索実行(F11), 印刷実行(F12), ﾌﾟﾚﾋﾞｭｰ, doing what
    // help, F11, F12 and `preview` do (set the function keys first).
    void addBillButtons(int y, QPushButton* (&out)[4], std::function<void()> preview);
    void fieldExited(int index, controls::Key key) override;
    void keyPressEvent(QKeyEvent* e) override;

    PrintOutput output_;

private:
    std::function<void()> f11_, f12_;
    int lastField_ = 0;
};

}  // namespace rk::ui
