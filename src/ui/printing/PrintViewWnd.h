// The frame of a print window: one view of fields and buttons filling the window, the help
// command opening the window's guide topic, the print command printing what the view holds,
// and the clipboard commands going to the view's entry field.
#pragma once

#include <QSize>
#include <QWidget>
#include <functional>
#include <string>

#include "ui/app/CommandTarget.h"

namespace rk::ui {

class SettingsFieldView;

class PrintViewWnd : public QWidget, public CommandTarget {
    Q_OBJECT
public:
    using GuideOpener = std::function<void(const std::string& topic)>;

    bool onCommand(int command) override;
    void openGuide();

protected:
    PrintViewWnd(const char* objectName, const char* title, GuideOpener guide, std::string topic, QWidget* parent);
    // Puts the view into the window; `print` is what the print command does.
    void setView(SettingsFieldView* view, QSize size, std::function<void()> print);

private:
    SettingsFieldView* view_ = nullptr;
    std::function<void()> print_;
    GuideOpener guide_;
    std::string topic_;
};

}  // namespace rk::ui
