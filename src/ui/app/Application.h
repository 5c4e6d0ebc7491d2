// One run of an edition: the start-up sequence, the event loop and the exit bookkeeping.
#pragma once

#include <QApplication>
#include <filesystem>
#include <memory>

#include "app/app_context.h"
#include "app/station_hook.h"
#include "platform/instance_lock.h"
#include "ui/app/MainFrame.h"
#include "ui/app/QtDialogs.h"
#include "ui/app/StartupDialogs.h"

namespace rk::ui {

class Application {
public:
    Application(Edition edition, std::filesystem::path programFolder);
    ~Application();

    // The start-up sequence; false when the program must end (nothing is written then).
    bool start();
    // Exit bookkeeping: the frame's geometry and the settings back to the file, the station
    // leaves the shared folder. Returns the exit code.
    int finish();

    AppContext& context() { return ctx_; }
    MainFrame* frame() { return frame_.get(); }
    GuiStartupPrompts& prompts() { return *prompts_; }
    void setStation(std::unique_ptr<StationHook> station) { station_ = std::move(station); }

    // Qt set-up shared by every edition: Japanese standard buttons, the IPA Gothic font.
    static void prepareQt(QApplication& app, Edition edition);

private:
    AppContext ctx_;
    QtDialogs dialogs_;
    InstanceLock instance_;
    std::unique_ptr<StationHook> station_;
    std::unique_ptr<MainFrame> frame_;
    std::unique_ptr<GuiStartupPrompts> prompts_;
};

// main() of an edition's executable.
int runEdition(Edition edition, int argc, char** argv);

}  // namespace rk::ui
