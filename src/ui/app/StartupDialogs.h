// The start-up's own dialogs: missing data and the data password.
#pragma once

#include <QDialog>
#include <functional>

#include "app/startup_loader.h"

class QLineEdit;
class QPushButton;

namespace rk::ui {

// "No data in the folder": explanation, reconfigure, create, cancel, convert.
class NewDataDialog : public QDialog {
    Q_OBJECT
public:
    // `explain` shows the explanation (the dialog stays); `settingsAvailable` and
    // `conversionAvailable` enable the buttons whose windows exist in this program.
    NewDataDialog(std::function<void()> explain, bool settingsAvailable, bool conversionAvailable,
                  QWidget* parent = nullptr);
    StartupPrompts::NewData choice() const { return choice_; }
    QPushButton* button(int index) const { return buttons_[index]; }

private:
    StartupPrompts::NewData choice_ = StartupPrompts::NewData::Cancel;
    QPushButton* buttons_[5];
};

class PasswordDialog : public QDialog {
    Q_OBJECT
public:
    explicit PasswordDialog(QWidget* parent = nullptr);
    QString typed() const;
    QLineEdit* field() const { return field_; }

private:
    QLineEdit* field_;
};

// The GUI's answers to the loader. Windows of later parts register themselves through the
// openers; a missing opener keeps its button disabled.
class GuiStartupPrompts : public StartupPrompts {
public:
    explicit GuiStartupPrompts(QWidget* parent) : parent_(parent) {}
    std::function<void()> explain;            // opens the guide on the missing-data topic
    std::function<bool()> openBasicSettings;  // start-up mode of the basic settings window
    std::function<bool()> openConversion;     // start-up mode of the conversion window

    NewData newData() override;
    std::optional<std::string> password() override;
    bool openBasicSettingsAtStart() override { return openBasicSettings && openBasicSettings(); }
    bool openConversionAtStart() override { return openConversion && openConversion(); }

private:
    QWidget* parent_;
};

}  // namespace rk::ui
