// Where start-up and exit hand over to the station registration of a shared data folder.
#pragma once

#include "base/dialogs.h"

namespace rk {

struct AppContext;

class StationHook {
public:
    virtual ~StationHook() = default;
    // Registers this station when the program starts; false ends the start-up.
    virtual bool registerAtStart(AppContext& ctx, Dialogs& dialogs) = 0;
    // Leaves the shared folder at exit. Returns the exit code; `runBackup` tells whether the
    // automatic backup of a stand-alone installation should follow.
    virtual int unregisterAtExit(AppContext& ctx, Dialogs& dialogs, bool& runBackup) = 0;
};

// A stand-alone installation: nothing to register.
class StandAloneStation final : public StationHook {
public:
    bool registerAtStart(AppContext&, Dialogs&) override { return true; }
    int unregisterAtExit(AppContext&, Dialogs&, bool& runBackup) override {
        runBackup = true;
        return 0;
    }
};

}  // namespace rk
