// A document on a shared data folder: the slip's mark in the network control file is
// released by the recording itself, inside its hold of the data-folder lock.
#include <gtest/gtest.h>

#include "app/lan_station.h"
#include "slips/lan_slip_locks.h"
#include "slips/slip_builders.h"
#include "support/installation.h"

namespace rk::test {
namespace {

TEST(SlipLan, RecordingReleasesTheSlipMarkOfTheServer) {
    Installation inst;
    AppContext& ctx = *inst.ctx;
    ctx.settings.lanMode = 1;
    ScriptedDialogs d;
    LanStation station;
    ASSERT_EQ(station.registerAtStart(ctx, d), StationStart::Continue);
    ASSERT_EQ(ctx.stationNumber, 1);

    LanSlipLocks locks(ctx, d);
    CFq7Doc doc(ctx, d, &locks);
    ASSERT_EQ(locks.lockSlip(512, 7), 0);
    EXPECT_NE(LanControl(ctx, d).checkIdle(), 0);
    newSlip(doc, 512, 7, 2);
    ASSERT_EQ(doc.record(), CFq7Doc::WriteResult::Ok);
    EXPECT_EQ(LanControl(ctx, d).checkIdle(), 0);  // released
    EXPECT_TRUE(d.shown.empty());                  // and no wait on the lock it held itself
    bool backup = false;
    station.unregisterAtExit(ctx, d, backup);
}

}  // namespace
}  // namespace rk::test
