// The slip locks of the network control file, for a document on a shared data folder. In
// LAN mode 0 the network operations do nothing, so this is safe everywhere.
#pragma once

#include "app/lan_control.h"
#include "slips/slip_locks.h"

namespace rk {

class LanSlipLocks final : public SlipLocks {
public:
    LanSlipLocks(AppContext& ctx, Dialogs& dialogs) : ctx_(ctx), dialogs_(dialogs) {}
    int lockSlip(int32_t date, int32_t customer) override {
        return LanControl(ctx_, dialogs_).lockSlip(date, customer);
    }
    int unlockSlip(int32_t date, int32_t customer, const DataLock* held) override {
        return LanControl(ctx_, dialogs_, held).unlockSlip(date, customer);
    }
    int unlockOwn() override { return LanControl(ctx_, dialogs_).unlockOwn(); }

private:
    AppContext& ctx_;
    Dialogs& dialogs_;
};

}  // namespace rk
