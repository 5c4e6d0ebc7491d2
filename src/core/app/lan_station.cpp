#include "app/lan_station.h"

#include "app/app_context.h"
#include "app/lan_control.h"
#include "app/messages.h"

namespace rk {

StationStart LanStation::registerAtStart(AppContext& ctx, Dialogs& dialogs) {
    ctx.stationNumber = 0;
    life_.reset();
    mode_ = networked(ctx) ? ctx.settings.lanMode : 0;
    if (mode_ == 1) return registerServer(ctx, dialogs);
    if (mode_ == 2) return registerClient(ctx, dialogs);
    return StationStart::Continue;
}

StationStart LanStation::registerServer(AppContext& ctx, Dialogs& dialogs) {
    const fs::path& file = ctx.fileSet[kLanControl];
    // A file left over means a server that did not end properly, or one still running.
    // Only "はい" starts it afresh; "いいえ" keeps the marks of stations still at work.
    bool keep = false;
    if (ctx.files.exists(file)) {
        Answer a = dialogs.ask(msg::kLanFileAbnormal, Buttons::YesNoCancel, Answer::No, Icon::Question);
        if (a == Answer::Cancel) return StationStart::End;
        keep = a != Answer::Yes;
    }
    auto lock = DataLock::acquire(ctx.fileSet.dataFolder);
    if (!lock) {
        dialogs.message(msg::kDataBusy, Icon::Stop);
        return StationStart::End;
    }
    auto life = StationLock::acquire(ctx.fileSet.dataFolder, stationLockByte(file, 1));
    if (!life) {
        dialogs.message(msg::kServerStationInUse, Icon::Stop);
        return StationStart::End;
    }
    LanTable table = LanTable::forServer();
    if (keep) {
        if (auto stored = readTable(ctx.files, file)) table = *stored;
    }
    reconcileRunning(table, file, *lock);
    if (!createTable(ctx.files, file, table)) {
        dialogs.message(msg::kCannotCreate, Icon::Stop);
        return StationStart::End;
    }
    life_ = std::move(life);
    ctx.stationNumber = 1;
    return StationStart::Continue;
}

StationStart LanStation::registerClient(AppContext& ctx, Dialogs& dialogs) {
    const fs::path& file = ctx.fileSet[kLanControl];
    if (ctx.files.exists(file)) {
        auto lock = DataLock::acquire(ctx.fileSet.dataFolder);
        if (!lock) {
            dialogs.message(msg::kDataBusy, Icon::Stop);
            return StationStart::End;
        }
        if (std::optional<LanTable> table = readTable(ctx.files, file)) {
            // After reconciling, a slot of -1 means nobody holds its byte: take the first.
            reconcileRunning(*table, file, *lock);
            for (int n = 1; n <= LanTable::kStations && !life_; ++n) {
                if (table->slot(n) != -1) continue;
                life_ = StationLock::acquire(ctx.fileSet.dataFolder, stationLockByte(file, n));
                if (life_) {
                    table->setSlot(n, 1);
                    ctx.stationNumber = n;
                }
            }
            if (!writeTable(ctx.files, file, *table)) {
                life_.reset();
                ctx.stationNumber = 0;
                dialogs.message(msg::kLanFileMissing, Icon::Stop);
                return StationStart::End;
            }
            if (!life_) {
                // Running as station 0 would let "unlock own" free other stations' holes.
                dialogs.message(msg::kNoFreeStation, Icon::Stop);
                return StationStart::End;
            }
            return StationStart::Continue;
        }
    }
    // Asked without holding the data lock: the operator may take a while.
    if (dialogs.ask(msg::kLanFileMissingAtStart, Buttons::YesNo, Answer::No) != Answer::Yes) return StationStart::End;
    dialogs.message(msg::kRestartAfterChange, Icon::Information);
    return StationStart::OpenSettings;
}

int LanStation::unregisterAtExit(AppContext& ctx, Dialogs& dialogs, bool& runBackup) {
    const int mode = mode_;
    mode_ = 0;
    runBackup = false;
    int code = 0;
    if (mode == 1)
        code = unregisterServer(ctx, dialogs, runBackup);
    else if (mode == 2)
        code = unregisterClient(ctx, dialogs);
    else
        runBackup = true;
    life_.reset();
    ctx.stationNumber = 0;
    return code;
}

int LanStation::unregisterServer(AppContext& ctx, Dialogs& dialogs, bool& runBackup) {
    const fs::path& file = ctx.fileSet[kLanControl];
    if (!ctx.files.exists(file)) {
        runBackup = true;
        return 0;
    }
    bool clients = false;
    {
        auto lock = DataLock::acquire(ctx.fileSet.dataFolder);
        std::optional<LanTable> table = readTable(ctx.files, file);
        if (table) {
            // Clients that died are not waited for.
            if (lock) reconcileRunning(*table, file, *lock);
            for (int n = 2; n <= LanTable::kStations; ++n) clients = clients || table->slot(n) != -1;
        }
    }
    if (clients) {
        dialogs.beep();
        dialogs.message(msg::kClientsRunning, Icon::Warning);
    }
    auto lock = DataLock::acquire(ctx.fileSet.dataFolder);
    (void)ctx.files.remove(file);
    return clients ? 1 : 0;
}

int LanStation::unregisterClient(AppContext& ctx, Dialogs& dialogs) {
    const fs::path& file = ctx.fileSet[kLanControl];
    auto lock = DataLock::acquire(ctx.fileSet.dataFolder);
    if (!lock) {
        // Leaving the byte is enough: the next station to look frees what this one held.
        dialogs.message(msg::kDataBusy, Icon::Stop);
        return 0;
    }
    std::optional<LanTable> table = readTable(ctx.files, file);
    if (!table) {
        dialogs.message(msg::kLanFileMissingAtExit, Icon::Stop);
        return -1;
    }
    const LanTable before = *table;
    reconcileRunning(*table, file, *lock);
    // The windows free their marks as they close; whatever is left goes with the station.
    if (ctx.stationNumber > 0) table->releaseStation(ctx.stationNumber);
    if (*table != before && !writeTable(ctx.files, file, *table)) {
        dialogs.message(msg::kLanFileMissingAtExit, Icon::Stop);
        return -1;
    }
    return 0;
}

}  // namespace rk
