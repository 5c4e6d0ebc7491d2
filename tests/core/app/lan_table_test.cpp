#include "app/lan_table.h"

#include <gtest/gtest.h>

namespace rk {
namespace {

constexpr int kEntry0 = LanTable::kFirstEntry;

void expectEntry(const LanTable& t, int k, int32_t date, int32_t customer, int32_t station) {
    SCOPED_TRACE("entry " + std::to_string(k));
    EXPECT_EQ(t.entry(k, 0), date);
    EXPECT_EQ(t.entry(k, 1), customer);
    EXPECT_EQ(t.entry(k, 2), station);
}

TEST(LanTable, ServerTableAndBytes) {
    LanTable t = LanTable::forServer();
    Bytes b = t.toBytes();
    ASSERT_EQ(b.size(), 1024u);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(readI32(b, i * 4), i == 1 ? 1 : -1) << "slot " << i;
    EXPECT_EQ(LanTable::fromBytes(b), t);
    // A short file: what it lacks reads as unused.
    Bytes shortFile(b.begin(), b.begin() + 10);
    EXPECT_EQ(LanTable::fromBytes(shortFile).slot(2), -1);
    EXPECT_EQ(LanTable::fromBytes(shortFile).slot(1), 1);
}

TEST(LanTable, HolesAndTheMovingEndMarker) {
    LanTable t = LanTable::forServer();
    ASSERT_EQ(t.lockSlip(501, 12, 2), lan::kOk);
    ASSERT_EQ(t.lockSlip(501, 13, 3), lan::kOk);
    EXPECT_EQ(t.lockSlip(501, 12, 2), lan::kTaken);  // the own station too
    EXPECT_EQ(t.lockSlip(501, 12, 3), lan::kTaken);

    t.unlockSlip(501, 12, 3);  // not station 3's
    expectEntry(t, 0, 501, 12, 2);
    t.unlockSlip(501, 12, 2);
    expectEntry(t, 0, 0, 0, 0);
    EXPECT_EQ(t.entry(0, 3), 0);
    expectEntry(t, 1, 501, 13, 3);
    EXPECT_EQ(t.entry(2, 0), -1);

    t.unlockSlip(501, 13, 3);
    expectEntry(t, 1, -1, -1, -1);
    expectEntry(t, 0, 0, 0, 0);  // the hole stays
    EXPECT_EQ(t.checkIdle(), lan::kOk);

    // The next lock fills the hole; the spare slot keeps its value.
    t.setSlot(kEntry0 + 3, 77);
    ASSERT_EQ(t.lockSlip(502, 5, 4), lan::kOk);
    expectEntry(t, 0, 502, 5, 4);
    EXPECT_EQ(t.entry(0, 3), 77);
    EXPECT_EQ(t.checkIdle(), lan::kTaken);
}

TEST(LanTable, UnlockOwnNeverTakesAHole) {
    LanTable t = LanTable::forServer();
    ASSERT_EQ(t.lockSlip(501, 1, 2), lan::kOk);
    ASSERT_EQ(t.lockSlip(501, 2, 3), lan::kOk);
    ASSERT_EQ(t.lockSlip(501, 3, 3), lan::kOk);
    t.unlockSlip(501, 1, 2);  // entry 0 is now a hole of zeros
    t.unlockOwn(0);
    expectEntry(t, 1, 501, 2, 3);
    t.unlockOwn(3);  // only the first of station 3's entries
    expectEntry(t, 1, 0, 0, 0);
    expectEntry(t, 2, 501, 3, 3);
}

TEST(LanTable, FullListRefuses) {
    LanTable t;
    for (int k = 0; k < LanTable::kEntries; ++k) ASSERT_EQ(t.lockSlip(101 + k, 1, 2), lan::kOk);
    const LanTable full = t;
    EXPECT_EQ(t.lockSlip(1231, 9, 3), lan::kTaken);
    EXPECT_EQ(t, full);
    // Slots past the list are untouched.
    for (int i = 252; i < 256; ++i) EXPECT_EQ(t.slot(i), -1);
    // Freeing the last entry moves the end marker onto it.
    t.unlockSlip(101 + 58, 1, 2);
    EXPECT_EQ(t.entry(58, 0), -1);
    EXPECT_EQ(t.lockSlip(1231, 9, 3), lan::kOk);
}

TEST(LanTable, ClaimsAgainstLocks) {
    LanTable t = LanTable::forServer();
    ASSERT_EQ(t.lockSlip(501, 12, 2), lan::kOk);
    EXPECT_EQ(t.claimCustomer(12, 3), lan::kTaken);
    ASSERT_EQ(t.claimCustomer(13, 3), lan::kOk);
    EXPECT_EQ(t.slot(LanTable::kClaimStation), 3);
    EXPECT_EQ(t.slot(LanTable::kClaimCustomer), 13);
    EXPECT_EQ(t.lockSlip(601, 13, 2), lan::kClaimed);
    EXPECT_EQ(t.claimCustomer(14, 2), 13);  // refused with the customer under claim

    t.unlockSlip(501, 12, 2);
    EXPECT_EQ(t.checkIdle(), lan::kClaimed);
    t.releaseClaim(13, 2);  // not station 2's claim
    t.releaseClaim(14, 3);  // not that customer
    EXPECT_EQ(t.slot(LanTable::kClaimCustomer), 13);
    t.releaseOwnClaim(3);
    for (int i = 13; i <= 15; ++i) EXPECT_EQ(t.slot(i), -1);
    EXPECT_EQ(t.checkIdle(), lan::kOk);
    EXPECT_EQ(t.lockSlip(601, 13, 2), lan::kOk);
}

TEST(LanTable, KeysThatCouldNeverHoldAreRefused) {
    LanTable t;
    EXPECT_EQ(t.lockSlip(0, 12, 2), lan::kTaken);
    EXPECT_EQ(t.lockSlip(501, 0, 2), lan::kTaken);
    EXPECT_EQ(t.claimCustomer(0, 2), lan::kTaken);
    EXPECT_EQ(t, LanTable());
}

TEST(LanTable, ReconcileFreesWhatStoppedStationsHeld) {
    LanTable t = LanTable::forServer();
    t.setSlot(2, 1);
    t.setSlot(3, 1);
    ASSERT_EQ(t.lockSlip(501, 1, 2), lan::kOk);
    ASSERT_EQ(t.lockSlip(501, 2, 3), lan::kOk);
    ASSERT_EQ(t.lockSlip(501, 3, 2), lan::kOk);
    ASSERT_EQ(t.lockSlip(501, 4, 2), lan::kOk);
    ASSERT_EQ(t.claimCustomer(9, 2), lan::kOk);

    // Station 2 died; station 5 runs without its slot marked.
    t.reconcile([](int n) { return n == 1 || n == 3 || n == 5; });
    EXPECT_EQ(t.slot(2), -1);
    EXPECT_EQ(t.slot(5), 1);
    expectEntry(t, 0, 0, 0, 0);
    expectEntry(t, 1, 501, 2, 3);
    // Station 2's two trailing entries went, and the end marker moved back over both.
    EXPECT_EQ(t.entry(2, 0), -1);
    EXPECT_EQ(t.entry(3, 0), -1);
    EXPECT_EQ(t.slot(LanTable::kClaimCustomer), -1);
    EXPECT_EQ(t.slot(LanTable::kClaimStation), -1);

    // A running station keeps everything; reconciling twice changes nothing.
    const LanTable once = t;
    t.reconcile([](int n) { return n == 1 || n == 3 || n == 5; });
    EXPECT_EQ(t, once);
}

TEST(LanTable, ReconcileMendsDamage) {
    LanTable t;
    t.setSlot(4, 7);              // neither 1 nor -1
    t.setSlot(kEntry0 + 0, 501);  // entry 0 names station 0
    t.setSlot(kEntry0 + 1, 3);
    t.setSlot(kEntry0 + 2, 0);
    t.setSlot(kEntry0 + 4 * 5, 601);  // entry 5 lies past the end marker (entry 1)
    t.setSlot(kEntry0 + 4 * 5 + 1, 3);
    t.setSlot(kEntry0 + 4 * 5 + 2, 2);
    t.setSlot(LanTable::kClaimCustomer, 0);  // a claim of no customer
    t.setSlot(LanTable::kClaimStation, 2);
    t.reconcile([](int n) { return n == 2 || n == 4; });
    EXPECT_EQ(t.slot(4), 1);
    EXPECT_EQ(t.checkIdle(), lan::kOk);
    EXPECT_EQ(t.entry(0, 0), -1);
    EXPECT_EQ(t.entry(5, 0), -1);
    EXPECT_EQ(t.claimCustomer(3, 2), lan::kOk);
}

}  // namespace
}  // namespace rk
