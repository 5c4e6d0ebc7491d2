// Registration of this program in the network control file at start and its leaving at exit:
// the server creates the file as station 1, a client takes the first free station number, and
// each holds its station's byte of the data-folder lock file until it leaves, so the others can
// tell when it has gone without leaving. In LAN mode 0 it behaves as a stand-alone installation.
#pragma once

#include <optional>

#include "app/station_hook.h"
#include "platform/station_lock.h"

namespace rk {

class LanStation final : public StationHook {
public:
    LanStation() = default;

    // Sets ctx.stationNumber (1 for the server, 1 to 9 for a client, 0 stand-alone).
    StationStart registerAtStart(AppContext& ctx, Dialogs& dialogs) override;
    // Server: waits for the clients (one message) and deletes the file; exit code 1 when clients
    // were running. Client: frees its slot and whatever it still held; exit code -1 when the file
    // is missing. Stand-alone: 0 with the automatic backup.
    int unregisterAtExit(AppContext& ctx, Dialogs& dialogs, bool& runBackup) override;

private:
    StationStart registerServer(AppContext& ctx, Dialogs& dialogs);
    StationStart registerClient(AppContext& ctx, Dialogs& dialogs);
    int unregisterServer(AppContext& ctx, Dialogs& dialogs, bool& runBackup);
    int unregisterClient(AppContext& ctx, Dialogs& dialogs);

    // The mode registered under: a change of the settings during the run takes effect at the next start.
    int mode_ = 0;
    std::optional<StationLock> life_;
};

}  // namespace rk
