#include "cli/station_commands.h"

#include <cstdio>

#include "app/lan_control.h"
#include "app/messages.h"
#include "platform/station_lock.h"

namespace rk::cli {

// Lists the network control file as it stands, saying which marked stations really run.
// Changes nothing: what stopped stations left is freed by the next station that works.
int runStations(const Args& a, Io& io) {
    AppContext ctx(a.edition, fs::absolute(a.positional[0]));
    if (!loadInstallation(ctx, io)) return kFailed;
    const fs::path& file = ctx.fileSet[kLanControl];
    io.out << "control file\t" << file.string() << '\n';
    auto lock = DataLock::acquire(ctx.fileSet.dataFolder);
    if (!lock) {
        io.err << msg::kDataBusy << '\n';
        return kFailed;
    }
    auto table = readTable(ctx.files, file);
    if (!table) {
        io.err << "rakurena: no network control file\n";
        return kFailed;
    }
    auto running = [&](int n) { return StationLock::held(lock->fd(), stationLockByte(file, n)); };
    for (int n = 1; n <= LanTable::kStations; ++n) {
        const bool marked = table->slot(n) != -1, alive = running(n);
        if (!marked && !alive) continue;
        io.out << "station " << n << '\t' << (alive ? "running" : "marked, not running")
               << (alive && !marked ? ", not marked" : "") << '\n';
    }
    if (table->slot(LanTable::kClaimCustomer) != -1)
        io.out << "claim\tstation " << table->slot(LanTable::kClaimStation) << " customer "
               << table->slot(LanTable::kClaimCustomer) << '\n';
    for (int k = 0; k < LanTable::kEntries && table->entry(k, 0) != -1; ++k) {
        if (!table->entryInUse(k)) continue;
        char date[16];
        std::snprintf(date, sizeof date, "%02d/%02d", table->entry(k, 0) / 100 % 100, table->entry(k, 0) % 100);
        io.out << "slip " << k << '\t' << date << " customer " << table->entry(k, 1) << " station "
               << table->entry(k, 2) << '\n';
    }
    return kOk;
}

}  // namespace rk::cli
