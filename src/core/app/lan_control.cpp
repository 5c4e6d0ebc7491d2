#include "app/lan_control.h"

#include <cerrno>

#include "app/messages.h"
#include "platform/station_lock.h"

namespace rk {

bool networked(const AppContext& ctx) { return ctx.settings.lanMode == 1 || ctx.settings.lanMode == 2; }

uint64_t stationLockByte(const fs::path& lanFile, int station) {
    // "FLAN2026.FT2" -> letter F or S, year 2026: 20000 ranges of 16 bytes after byte 1023.
    const std::string stem = lanFile.stem().string();
    uint64_t range = 0;
    bool parsed = stem.size() == 8;
    for (size_t i = 4; parsed && i < 8; ++i) {
        parsed = stem[i] >= '0' && stem[i] <= '9';
        range = range * 10 + static_cast<uint64_t>(stem[i] - '0');
    }
    if (parsed) {
        if (stem[0] == 'S' || stem[0] == 's') range += 10000;
    } else {
        // Not a name this program builds; give it a range of its own past the known ones.
        range = 20000 + std::hash<std::string>{}(stem) % 20000;
    }
    return 1024 + range * 16 + static_cast<uint64_t>(station);
}

std::optional<LanTable> readTable(FileSystem& files, const fs::path& lanFile) {
    Bytes b(LanTable::kBytes);
    auto n = files.read(lanFile, 0, b);
    if (!n) return std::nullopt;
    b.resize(*n);
    return LanTable::fromBytes(b);
}

void reconcileRunning(LanTable& table, const fs::path& lanFile, const DataLock& lock) {
    table.reconcile([&](int station) { return StationLock::held(lock.fd(), stationLockByte(lanFile, station)); });
}

bool writeTable(FileSystem& files, const fs::path& lanFile, const LanTable& table) {
    // In place and never creating: a file the server has deleted stays deleted. Every writer
    // holds the data lock and has just re-read the table, so nobody sees half a table. It is
    // written at every slip a station opens, so it takes no journal: a table torn by a power
    // loss names only stations that are gone with it, and the next start frees them.
    if (!files.exists(lanFile)) {
        noteFileError("open", lanFile, ENOENT);
        return false;
    }
    return files.write(lanFile, 0, table.toBytes(), false);
}

bool createTable(FileSystem& files, const fs::path& lanFile, const LanTable& table) {
    return files.replaceWhole(lanFile, table.toBytes());
}

template <class Op>
int LanControl::apply(Op op) {
    if (!networked(ctx_)) return lan::kOk;
    std::optional<DataLock> own;
    const DataLock* lock = held_;
    if (!lock) {
        own = DataLock::acquire(ctx_.fileSet.dataFolder);
        if (!own) {
            dialogs_.message(msg::kDataBusy, Icon::Stop);
            return lan::kTaken;
        }
        lock = &*own;
    }
    const fs::path& file = ctx_.fileSet[kLanControl];
    const std::optional<LanTable> before = readTable(ctx_.files, file);
    if (!before) {
        dialogs_.message(msg::kLanFileMissing, Icon::Stop);
        return lan::kTaken;
    }
    LanTable table = *before;
    reconcileRunning(table, file, *lock);
    const int result = op(table);
    if (table != *before && !writeTable(ctx_.files, file, table)) {
        dialogs_.message(msg::kLanFileMissing, Icon::Stop);
        return lan::kTaken;
    }
    return result;
}

// A networked program that holds no station number (no free slot was left, or the control
// file was missing at start) may not mark anything: station 0 would match the holes.
int LanControl::lockSlip(int32_t date, int32_t customer) {
    if (networked(ctx_) && ctx_.stationNumber == 0) return lan::kTaken;
    return apply([&](LanTable& t) { return t.lockSlip(date, customer, ctx_.stationNumber); });
}

int LanControl::unlockSlip(int32_t date, int32_t customer) {
    if (networked(ctx_) && ctx_.stationNumber == 0) return lan::kOk;
    return apply([&](LanTable& t) {
        t.unlockSlip(date, customer, ctx_.stationNumber);
        return lan::kOk;
    });
}

int LanControl::unlockOwn() {
    if (networked(ctx_) && ctx_.stationNumber == 0) return lan::kOk;
    return apply([&](LanTable& t) {
        t.unlockOwn(ctx_.stationNumber);
        return lan::kOk;
    });
}

int LanControl::claimCustomer(int32_t customer) {
    if (networked(ctx_) && ctx_.stationNumber == 0) return lan::kTaken;
    return apply([&](LanTable& t) { return t.claimCustomer(customer, ctx_.stationNumber); });
}

int LanControl::releaseClaim(int32_t customer) {
    if (networked(ctx_) && ctx_.stationNumber == 0) return lan::kOk;
    return apply([&](LanTable& t) {
        t.releaseClaim(customer, ctx_.stationNumber);
        return lan::kOk;
    });
}

int LanControl::releaseOwnClaim() {
    if (networked(ctx_) && ctx_.stationNumber == 0) return lan::kOk;
    return apply([&](LanTable& t) {
        t.releaseOwnClaim(ctx_.stationNumber);
        return lan::kOk;
    });
}

int LanControl::checkIdle() {
    return apply([](LanTable& t) { return t.checkIdle(); });
}

}  // namespace rk
