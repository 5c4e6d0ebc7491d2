// Opens every function window from its menu command. The command table says which flags
// refuse it and with which message; the registry shows the refusal, or sets the flag and the
// window mode, creates the window through the factory registered for the command and puts
// it into the window area. When the window closes its flag goes back to 0. A command without
// a factory is not available (its menu item stays disabled).
#pragma once

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QObject>
#include <functional>
#include <map>

#include "app/app_context.h"
#include "app/command_table.h"
#include "base/dialogs.h"

namespace rk::ui {

class WindowRegistry : public QObject {
    Q_OBJECT
public:
    // Creates the window's widget for the command; nullptr when it cannot be created.
    using Factory = std::function<QWidget*(int command)>;

    WindowRegistry(AppContext& ctx, Dialogs& dialogs, QMdiArea* area, QObject* parent = nullptr);
    // The message boxes every window of the registry is given.
    Dialogs& dialogs() const { return dialogs_; }

    void registerFactory(int command, Factory factory);
    // A command that opens no function window but runs a dialog of its own (printer setup).
    void registerAction(int command, std::function<void()> action);
    // A command with a window that exists in this program (and may be given in this edition).
    bool isAvailable(int command) const;

    // Whether the menu item of a command is enabled: its window exists (the guide's menu
    // entries follow the guide window).
    bool isEnabled(int command) const;

    // Runs a command that opens a window: refusal, raise, or a new window. Returns the new
    // window: its frame in the window area, or the window itself when a modal dialog is up and
    // it opens above that dialog instead (nullptr when nothing was opened).
    QWidget* open(int command);
    // Runs any command: a window command opens its window, the guide commands set the topic
    // and open the guide, every other one goes to the active window.
    bool dispatch(int command);
    // Sends a command to every open window.
    void broadcast(int command);

    // The open window holding a flag (nullptr when none).
    QWidget* windowWithFlag(int flag) const;
    QMdiArea* area() const { return area_; }

signals:
    void opened(int command, QWidget* window);

private:
    QWidget* place(const CommandEntry& entry, QWidget* widget);
    static void focusEntryField(QWidget* widget);

    AppContext& ctx_;
    Dialogs& dialogs_;
    QMdiArea* area_;
    std::map<int, Factory> factories_;
    std::map<int, std::function<void()>> actions_;
    std::map<QWidget*, int> flags_;  // open windows and the flag each holds
};

}  // namespace rk::ui
