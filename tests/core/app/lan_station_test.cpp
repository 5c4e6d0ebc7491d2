#include <gtest/gtest.h>

#include "app/messages.h"
#include "support/test_station.h"

namespace rk {
namespace {

using test::started;
using test::TempFolder;
using test::TestStation;

TEST(LanStation, ServerCreatesTheFileAndDeletesItAtExit) {
    TempFolder dir;
    auto server = started(dir.path(), 1);
    ASSERT_TRUE(server);
    EXPECT_EQ(server->ctx.stationNumber, 1);
    EXPECT_EQ(server->file().filename(), "FLAN2026.FT2");
    EXPECT_EQ(fs::file_size(server->file()), 1024u);
    EXPECT_EQ(server->table(), LanTable::forServer());
    EXPECT_TRUE(server->dialogs.shown.empty());

    bool backup = true;
    EXPECT_EQ(server->hook.unregisterAtExit(server->ctx, server->dialogs, backup), 0);
    EXPECT_FALSE(backup);
    EXPECT_FALSE(fs::exists(server->file()));
    EXPECT_EQ(server->ctx.stationNumber, 0);
}

TEST(LanStation, ClientsTakeTheFirstFreeNumber) {
    TempFolder dir;
    auto server = started(dir.path(), 1);
    auto a = started(dir.path(), 2);
    auto b = started(dir.path(), 2);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->ctx.stationNumber, 2);
    EXPECT_EQ(b->ctx.stationNumber, 3);
    EXPECT_EQ(a->stop(), 0);
    EXPECT_EQ(server->table().slot(2), -1);
    auto c = started(dir.path(), 2);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->ctx.stationNumber, 2);
}

TEST(LanStation, NoFreeNumberEndsTheStart) {
    TempFolder dir;
    auto server = started(dir.path(), 1);
    std::vector<std::unique_ptr<TestStation>> clients;
    for (int n = 2; n <= 9; ++n) {
        clients.push_back(started(dir.path(), 2));
        ASSERT_TRUE(clients.back());
        EXPECT_EQ(clients.back()->ctx.stationNumber, n);
    }
    TestStation tenth(dir.path(), 2);
    const LanTable before = server->table();
    EXPECT_EQ(tenth.start(), StationStart::End);
    EXPECT_EQ(tenth.ctx.stationNumber, 0);
    EXPECT_EQ(tenth.dialogs.shown, std::vector<std::string>{msg::kNoFreeStation});
    EXPECT_EQ(server->table(), before);
    // Nor can it mark anything should a caller try.
    EXPECT_EQ(tenth.lan().lockSlip(501, 1), lan::kTaken);
    EXPECT_EQ(server->table(), before);
}

TEST(LanStation, ServerQuestionOnAFileLeftBehind) {
    TempFolder dir;
    auto server = started(dir.path(), 1);
    auto client = started(dir.path(), 2);
    ASSERT_TRUE(server && client);
    ASSERT_EQ(client->lan().lockSlip(501, 12), lan::kOk);
    server.reset();  // the server is gone without deleting the file

    // Cancel ends and leaves everything.
    TestStation cancel(dir.path(), 1);
    cancel.dialogs.answers = {Answer::Cancel};
    const LanTable left = cancel.table();
    EXPECT_EQ(cancel.start(), StationStart::End);
    EXPECT_EQ(cancel.dialogs.shown, std::vector<std::string>{msg::kLanFileAbnormal});
    EXPECT_EQ(cancel.table(), left);

    // No keeps the running client's mark.
    TestStation keep(dir.path(), 1);
    keep.dialogs.answers = {Answer::No};
    ASSERT_EQ(keep.start(), StationStart::Continue);
    EXPECT_EQ(keep.ctx.stationNumber, 1);
    EXPECT_EQ(keep.table().slot(1), 1);
    EXPECT_EQ(keep.table().slot(2), 1);
    EXPECT_EQ(keep.lan().lockSlip(501, 12), lan::kTaken);
    keep.hook = LanStation();  // gone again

    // Yes starts afresh; the client still runs, so its number stays marked.
    TestStation fresh(dir.path(), 1);
    fresh.dialogs.answers = {Answer::Yes};
    ASSERT_EQ(fresh.start(), StationStart::Continue);
    LanTable expected = LanTable::forServer();
    expected.setSlot(2, 1);
    EXPECT_EQ(fresh.table(), expected);
}

TEST(LanStation, ServerNeedsStationOne) {
    TempFolder dir;
    auto server = started(dir.path(), 1);
    server.reset();
    auto client = started(dir.path(), 2);  // started while no server runs: it takes number 1
    ASSERT_TRUE(client);
    EXPECT_EQ(client->ctx.stationNumber, 1);
    TestStation second(dir.path(), 1);
    second.dialogs.answers = {Answer::Yes};
    const LanTable before = client->table();
    EXPECT_EQ(second.start(), StationStart::End);
    EXPECT_EQ(second.dialogs.shown.back(), msg::kServerStationInUse);
    EXPECT_EQ(client->table(), before);
}

TEST(LanStation, ClientWithoutTheFile) {
    TempFolder dir;
    TestStation no(dir.path(), 2);
    EXPECT_EQ(no.start(), StationStart::End);
    EXPECT_EQ(no.dialogs.shown, std::vector<std::string>{msg::kLanFileMissingAtStart});

    TestStation yes(dir.path(), 2);
    yes.dialogs.answers = {Answer::Yes};
    EXPECT_EQ(yes.start(), StationStart::OpenSettings);
    EXPECT_EQ(yes.dialogs.shown.back(), msg::kRestartAfterChange);
    EXPECT_EQ(yes.ctx.stationNumber, 0);
    // Running without a number, nothing can be locked; at exit the file is still missing.
    EXPECT_EQ(yes.lan().lockSlip(501, 1), lan::kTaken);
    bool backup = true;
    EXPECT_EQ(yes.hook.unregisterAtExit(yes.ctx, yes.dialogs, backup), -1);
    EXPECT_FALSE(backup);
    EXPECT_EQ(yes.dialogs.shown.back(), msg::kLanFileMissingAtExit);
}

TEST(LanStation, ServerExitWaitsForRunningClientsOnly) {
    TempFolder dir;
    auto server = started(dir.path(), 1);
    auto alive = started(dir.path(), 2);
    auto dead = started(dir.path(), 2);
    ASSERT_TRUE(alive && dead);
    dead.reset();
    EXPECT_EQ(server->stop(), 1);
    EXPECT_EQ(server->dialogs.beeps, 1);
    EXPECT_EQ(server->dialogs.shown, std::vector<std::string>{msg::kClientsRunning});
    EXPECT_FALSE(fs::exists(server->file()));

    // The client now works without the file: refused, with the warning.
    EXPECT_EQ(alive->lan().lockSlip(501, 1), lan::kTaken);
    EXPECT_EQ(alive->dialogs.shown.back(), msg::kLanFileMissing);

    TempFolder other;
    auto lone = started(other.path(), 1);
    auto gone = started(other.path(), 2);
    gone.reset();
    EXPECT_EQ(lone->stop(), 0);
    EXPECT_TRUE(lone->dialogs.shown.empty());
}

TEST(LanStation, ClientExitFreesItsSlotAndMarks) {
    TempFolder dir;
    auto server = started(dir.path(), 1);
    auto client = started(dir.path(), 2);
    ASSERT_EQ(client->lan().lockSlip(501, 12), lan::kOk);
    ASSERT_EQ(client->lan().claimCustomer(13), lan::kOk);
    bool backup = true;
    EXPECT_EQ(client->hook.unregisterAtExit(client->ctx, client->dialogs, backup), 0);
    EXPECT_FALSE(backup);
    EXPECT_EQ(server->table(), LanTable::forServer());
}

TEST(LanStation, ModeZeroTouchesNothing) {
    TempFolder dir;
    TestStation alone(dir.path(), 0);
    EXPECT_EQ(alone.start(), StationStart::Continue);
    EXPECT_EQ(alone.ctx.stationNumber, 0);
    LanControl lan = alone.lan();
    EXPECT_EQ(lan.lockSlip(501, 1), 0);
    EXPECT_EQ(lan.lockSlip(501, 1), 0);
    EXPECT_EQ(lan.unlockSlip(501, 1), 0);
    EXPECT_EQ(lan.unlockOwn(), 0);
    EXPECT_EQ(lan.claimCustomer(1), 0);
    EXPECT_EQ(lan.releaseClaim(1), 0);
    EXPECT_EQ(lan.releaseOwnClaim(), 0);
    EXPECT_EQ(lan.checkIdle(), 0);
    bool backup = false;
    EXPECT_EQ(alone.hook.unregisterAtExit(alone.ctx, alone.dialogs, backup), 0);
    EXPECT_TRUE(backup);
    EXPECT_TRUE(fs::is_empty(dir.path()));
    EXPECT_TRUE(alone.dialogs.shown.empty());
}

TEST(LanControl, OperationsBetweenStations) {
    TempFolder dir;
    auto server = started(dir.path(), 1);
    auto client = started(dir.path(), 2);
    LanControl s = server->lan(), c = client->lan();
    EXPECT_EQ(s.checkIdle(), lan::kOk);
    ASSERT_EQ(s.lockSlip(501, 12), lan::kOk);
    EXPECT_EQ(c.lockSlip(501, 12), lan::kTaken);
    EXPECT_EQ(c.claimCustomer(12), lan::kTaken);
    EXPECT_EQ(c.unlockSlip(501, 12), 0);  // not its mark: nothing changes
    EXPECT_EQ(c.lockSlip(501, 12), lan::kTaken);
    ASSERT_EQ(c.claimCustomer(13), lan::kOk);
    EXPECT_EQ(s.lockSlip(502, 13), lan::kClaimed);
    EXPECT_EQ(s.claimCustomer(14), 13);
    EXPECT_EQ(s.checkIdle(), lan::kTaken);
    EXPECT_EQ(s.unlockOwn(), 0);
    EXPECT_EQ(s.checkIdle(), lan::kClaimed);
    EXPECT_EQ(c.releaseOwnClaim(), 0);
    EXPECT_EQ(s.checkIdle(), lan::kOk);
    EXPECT_TRUE(server->dialogs.shown.empty());
    EXPECT_TRUE(client->dialogs.shown.empty());
}

TEST(LanControl, AStationThatDiedIsReclaimedByTheNextOperation) {
    TempFolder dir;
    auto server = started(dir.path(), 1);
    auto dying = started(dir.path(), 2);
    ASSERT_EQ(dying->lan().lockSlip(501, 12), lan::kOk);
    ASSERT_EQ(dying->lan().claimCustomer(13), lan::kOk);
    dying.reset();
    EXPECT_EQ(server->lan().lockSlip(501, 12), lan::kOk);
    EXPECT_EQ(server->lan().claimCustomer(13), lan::kOk);
    EXPECT_EQ(server->table().slot(2), -1);
}

TEST(LanControl, ACallerHoldingTheDataLockPassesIt) {
    TempFolder dir;
    auto server = started(dir.path(), 1);
    auto held = DataLock::acquire(dir.path());
    ASSERT_TRUE(held);
    // A caller already holding the lock passes it in.
    LanControl inside(server->ctx, server->dialogs, &*held);
    EXPECT_EQ(inside.lockSlip(501, 1), lan::kOk);
    EXPECT_EQ(inside.unlockSlip(501, 1), lan::kOk);
    EXPECT_TRUE(server->dialogs.shown.empty());
}

// The real files, except that writes can be made to fail.
class FailingWrites : public FileSystem {
public:
    bool fail = false;
    FileSystem& real = realFileSystem();
    std::optional<size_t> read(const fs::path& p, uint64_t o, std::span<std::byte> out) override {
        return real.read(p, o, out);
    }
    bool write(const fs::path& p, uint64_t o, std::span<const std::byte> d, bool create) override {
        return !fail && real.write(p, o, d, create);
    }
    std::optional<uint64_t> append(const fs::path& p, std::span<const std::byte> d) override {
        return fail ? std::nullopt : real.append(p, d);
    }
    std::optional<uint64_t> size(const fs::path& p) override { return real.size(p); }
    bool exists(const fs::path& p) override { return real.exists(p); }
    bool writable(const fs::path& p) override { return real.writable(p); }
    std::optional<FileTime> modified(const fs::path& p) override { return real.modified(p); }
    bool truncate(const fs::path& p, uint64_t n) override { return !fail && real.truncate(p, n); }
    bool sync(const fs::path& p) override { return real.sync(p); }
    bool rename(const fs::path& a, const fs::path& b) override { return !fail && real.rename(a, b); }
    bool remove(const fs::path& p) override { return !fail && real.remove(p); }
    bool copy(const fs::path& a, const fs::path& b) override { return !fail && real.copy(a, b); }
};

TEST(LanControl, AFailedWriteIsARefusal) {
    TempFolder dir;
    FailingWrites files;
    auto server = started(dir.path(), 1);
    test::TestStation client(dir.path(), 2, files);
    ASSERT_EQ(client.start(), StationStart::Continue);
    files.fail = true;
    EXPECT_EQ(client.lan().lockSlip(501, 12), lan::kTaken);
    EXPECT_EQ(client.lan().claimCustomer(12), lan::kTaken);
    EXPECT_EQ(client.dialogs.shown.back(), msg::kLanFileMissing);
    EXPECT_EQ(server->lan().checkIdle(), lan::kOk);  // nothing was marked

    // A server that cannot create the file does not start.
    TempFolder other;
    test::TestStation cannot(other.path(), 1, files);
    EXPECT_EQ(cannot.start(), StationStart::End);
    EXPECT_EQ(cannot.ctx.stationNumber, 0);
    EXPECT_EQ(cannot.dialogs.shown.back(), msg::kCannotCreate);
}

TEST(StationLockByte, EachControlFileHasItsOwnRange) {
    const uint64_t f2026 = stationLockByte("/d/FLAN2026.FT2", 1);
    const uint64_t s2026 = stationLockByte("/d/SLAN2026.FT2", 1);
    const uint64_t f2027 = stationLockByte("/d/FLAN2027.FT2", 1);
    EXPECT_GT(f2026, 0u);  // never the data lock's byte
    EXPECT_NE(f2026, s2026);
    EXPECT_NE(f2026, f2027);
    EXPECT_EQ(stationLockByte("/d/FLAN2026.FT2", 9) - f2026, 8u);
    EXPECT_GE(f2027 - f2026, 9u);
}

}  // namespace
}  // namespace rk
