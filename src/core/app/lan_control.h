// The network operations of a station working on a shared data folder: slip locks, the
// customer claim of the payment window and the idle check. Each call is one read-modify-write
// of the network control file under the data-folder lock. Before applying the operation the
// table is brought in line with the stations that really run, so whatever a station that died
// (killed, power lost) left behind is freed by the next station that looks.
// In LAN mode 0 every operation does nothing and returns 0.
#pragma once

#include <cstdint>
#include <optional>

#include "app/app_context.h"
#include "app/lan_table.h"
#include "base/dialogs.h"
#include "platform/data_lock.h"

namespace rk {

// LAN mode 1 (server) or 2 (client); any other value works stand-alone.
bool networked(const AppContext& ctx);

// The byte of the data-folder lock file a running station holds for its lifetime. Each control
// file (edition letter and year) has its own range, so the stations of the two editions or of
// two years in one folder never take each other's bytes.
uint64_t stationLockByte(const fs::path& lanFile, int station);

// Nullopt when the control file cannot be read.
std::optional<LanTable> readTable(FileSystem& files, const fs::path& lanFile);
// Rewrites an existing file; false when it is missing or the write falls short.
bool writeTable(FileSystem& files, const fs::path& lanFile, const LanTable& table);
// Creates the file (replacing one of any length) with exactly the table.
bool createTable(FileSystem& files, const fs::path& lanFile, const LanTable& table);
// Frees what stations that no longer run left in the table and marks those that do. `lock`
// is the held data lock, whose descriptor looks at the stations' bytes.
void reconcileRunning(LanTable& table, const fs::path& lanFile, const DataLock& lock);

class LanControl {
public:
    // A caller that already holds the data lock (a slip recording that releases its mark before
    // letting go) passes it: the lock is not re-entrant.
    LanControl(AppContext& ctx, Dialogs& dialogs, const DataLock* held = nullptr)
        : ctx_(ctx), dialogs_(dialogs), held_(held) {}

    // lan::kOk, lan::kTaken (another entry for the key, list full, file unusable) or lan::kClaimed.
    [[nodiscard]] int lockSlip(int32_t date, int32_t customer);
    int unlockSlip(int32_t date, int32_t customer);
    int unlockOwn();
    // lan::kOk, lan::kTaken when a slip of the customer is locked, else the customer under claim.
    [[nodiscard]] int claimCustomer(int32_t customer);
    int releaseClaim(int32_t customer);
    int releaseOwnClaim();
    // lan::kOk, lan::kTaken when a slip is locked, lan::kClaimed when a customer is claimed.
    [[nodiscard]] int checkIdle();

private:
    template <class Op>
    int apply(Op op);

    AppContext& ctx_;
    Dialogs& dialogs_;
    const DataLock* held_;
};

}  // namespace rk
