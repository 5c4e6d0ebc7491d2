// Where start-up and exit hand over to the station registration of a shared data folder.
#pragma once

#include "base/dialogs.h"

namespace rk {

struct AppContext;

// How the start-up goes on after the registration: with its next step; at once into the basic
// settings window (the operator chose to change the settings); or not at all.
enum class StationStart { Continue, OpenSettings, End };

class StationHook {
public:
    virtual ~StationHook() = default;
    // Registers this station when the program starts.
    virtual StationStart registerAtStart(AppContext& ctx, Dialogs& dialogs) = 0;
    // Leaves the shared folder at exit. Returns the exit code; `runBackup` tells whether the
    // automatic backup of a stand-alone installation should follow.
    virtual int unregisterAtExit(AppContext& ctx, Dialogs& dialogs, bool& runBackup) = 0;
};

// A stand-alone installation: nothing to register.
class StandAloneStation final : public StationHook {
public:
    StationStart registerAtStart(AppContext&, Dialogs&) override { return StationStart::Continue; }
    int unregisterAtExit(AppContext&, Dialogs&, bool& runBackup) override {
        runBackup = true;
        return 0;
    }
};

}  // namespace rk
