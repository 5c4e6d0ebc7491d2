// Where the document meets the slip locks of a shared data folder: a station marks the slip
// it has open by date and customer so that no other station edits it at the same time.
#pragma once

#include <cstdint>

namespace rk {

class DataLock;

class SlipLocks {
public:
    virtual ~SlipLocks() = default;
    // 0 locked; -1 another entry for the same slip exists; -2 the customer is claimed.
    virtual int lockSlip(int32_t date, int32_t customer) = 0;
    // Called by a recording right after its files are written, while it still holds the
    // data-folder lock (`held`; the lock is not re-entrant).
    virtual int unlockSlip(int32_t date, int32_t customer, const DataLock* held = nullptr) = 0;
    // Releases the first slip lock held by this station.
    virtual int unlockOwn() = 0;
};

// A stand-alone installation has nobody to keep out.
class NoSlipLocks final : public SlipLocks {
public:
    int lockSlip(int32_t, int32_t) override { return 0; }
    int unlockSlip(int32_t, int32_t, const DataLock*) override { return 0; }
    int unlockOwn() override { return 0; }
};

}  // namespace rk
