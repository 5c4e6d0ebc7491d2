// The one write path of the shared files: only changed fields reach the live record, a
// missing file or a busy folder is a failure with its reason, a crashed station's journal
// is rolled back before the re-read, and every writer survives a fault at each of its calls.
#include "platform/shared_write.h"

#include <gtest/gtest.h>

#include <cstring>

#include "app/basic_settings.h"
#include "app/environment_block.h"
#include "base/cp932.h"
#include "masters/account_items.h"
#include "masters/customer_groups.h"
#include "masters/customer_master.h"
#include "masters/master_fields.h"
#include "masters/master_io.h"
#include "masters/messages.h"
#include "settings/basic_settings_edit.h"
#include "settings/environment_edit.h"
#include "settings/messages.h"
#include "slips/slip_index.h"
#include "support/fault_sweep.h"
#include "support/installation.h"

namespace rk::test {
namespace {

CustomerRecord named(const char* name, double balance) {
    CustomerRecord c{};
    cp932::assign(c.name, name);
    c.balance = balance;
    return c;
}

TEST(ChangedFields, OnlyWhatTheWindowChangedReachesTheLiveRecord) {
    const CustomerRecord read = named("駅前花店", 0);
    CustomerRecord edited = read;
    cp932::assign(edited.phone, "03-1234");  // the window changed the phone
    CustomerRecord live = read;
    live.balance = 20000;  // another station moved the balance meanwhile
    live.commissionRate = 1.5;

    EXPECT_TRUE(applyChangedFields(read, edited, live, masters::kCustomerFields));
    EXPECT_EQ(live.balance, 20000);
    EXPECT_EQ(live.commissionRate, 1.5);
    EXPECT_STREQ(live.phone, "03-1234");

    // A field both changed is the window's whole: never bytes of one and bytes of the other.
    edited.balance = 0.1;
    live.balance = 123456789.75;
    EXPECT_TRUE(applyChangedFields(read, edited, live, masters::kCustomerFields));
    EXPECT_EQ(live.balance, 0.1);

    // Nothing changed: nothing applied.
    CustomerRecord untouched = live;
    EXPECT_FALSE(applyChangedFields(read, read, untouched, masters::kCustomerFields));
    EXPECT_EQ(std::memcmp(&untouched, &live, sizeof live), 0);
}

TEST(SharedWrite, AMissingFileOrABusyFolderIsAFailureThatSaysWhy) {
    TempFolder dir;
    FileSystem& fs = realFileSystem();
    const fs::path file = dir / "F7da2026.FT1";
    CustomerRecord shown{};
    WriteResult r = writeChangedFields(fs, dir.path(), file, 3, CustomerRecord{}, named("新規", 0),
                                       masters::kCustomerFields, &shown);
    EXPECT_EQ(r.status, WriteStatus::Failed);
    EXPECT_EQ(r.error.path, file);
    EXPECT_EQ(r.error.code, ENOENT);
    EXPECT_NE(r.message("書き込み異常").find(file.string()), std::string::npos);
    EXPECT_FALSE(fs.exists(file)) << "a missing master is never created by a window's write";

    ASSERT_TRUE(fs.createZeroed(file, 10 * sizeof(CustomerRecord)));
    auto held = DataLock::acquire(dir.path());  // another station writing
    ASSERT_TRUE(held);
    SharedWrite w(fs, dir.path(), std::chrono::milliseconds(20));
    EXPECT_FALSE(w.ready());
    EXPECT_EQ(w.result().status, WriteStatus::Busy);
    EXPECT_EQ(w.commit().status, WriteStatus::Busy);
}

TEST(SharedWrite, UnchangedRecordsAreNotWritten) {
    TempFolder dir;
    FileSystem& fs = realFileSystem();
    const fs::path file = dir / "F7da2026.FT1";
    ASSERT_TRUE(fs.createZeroed(file, 10 * sizeof(CustomerRecord)));
    const auto before = fs.modified(file);
    const CustomerRecord same{};
    EXPECT_EQ(writeChangedFields(fs, dir.path(), file, 3, same, same, masters::kCustomerFields).status,
              WriteStatus::Unchanged);
    EXPECT_EQ(fs.modified(file), before);
    EXPECT_FALSE(fs.exists(FileTransaction::journalFile(dir.path())));
}

TEST(SharedWrite, ACrashedStationsJournalIsRolledBackBeforeTheReRead) {
    TempFolder dir;
    FileSystem& fs = realFileSystem();
    const fs::path file = dir / "F7da2026.FT1";
    ASSERT_TRUE(fs.createZeroed(file, 10 * sizeof(CustomerRecord)));
    ASSERT_TRUE(masters::writeRecord(fs, file, 4, named("元", 500)));
    {
        // A station dies halfway through writing customer 4's balance.
        FaultyFileSystem faulty(fs);
        faulty.arm(4, FaultyFileSystem::Fault::TornCrash);
        FileTransaction tx(faulty, FileTransaction::journalFile(dir.path()));
        ASSERT_TRUE(tx.begin());
        tx.write(file, 4 * sizeof(CustomerRecord), bytesOf(named("半端", 999999)));
        ASSERT_FALSE(tx.commit());
        ASSERT_TRUE(fs.exists(FileTransaction::journalFile(dir.path())));
    }
    CustomerRecord shown{};
    CustomerRecord read = named("元", 500), edited = read;
    cp932::assign(edited.phone, "0120");
    ASSERT_TRUE(writeChangedFields(fs, dir.path(), file, 4, read, edited, masters::kCustomerFields, &shown).ok());
    EXPECT_EQ(shown.balance, 500) << "the half-written balance was rolled back first";
    EXPECT_STREQ(shown.name, cp932::fromUtf8("元").c_str());
    EXPECT_STREQ(shown.phone, "0120");
}

// Every writer of the shared files, a fault at each of its calls.
class WriterFaults : public ::testing::Test {
protected:
    Installation inst;
    AppContext& ctx = *inst.ctx;
    const fs::path& customers = ctx.fileSet[kCustomers];
    fs::path folder() const { return customers.parent_path(); }
};

TEST_F(WriterFaults, CustomerMasterFieldWrite) {
    FaultSweep s;
    s.files = {customers};
    s.journalFolder = folder();
    s.setUp = [&] { ASSERT_TRUE(masters::writeRecord(ctx.files, customers, 6, named("六番", 0))); };
    s.write = [&](FileSystem& fs, ScriptedDialogs& d) {
        CustomerRecord read = named("六番", 0), edited = read;
        cp932::assign(edited.address, "東京都");
        return masters::saveCustomerChanges(fs, customers, 6, read, edited, d).ok();
    };
    s.isFailure = [](const std::string& t) { return t.starts_with(msg::kCustomerWriteFailed); };
    s.run();
}

TEST_F(WriterFaults, CustomerGroupWriteBack) {
    FaultSweep s;
    s.files = {customers};
    s.journalFolder = folder();
    s.showsFailure = false;
    s.write = [&](FileSystem& fs, ScriptedDialogs&) {
        masters::CustomerGroupTable t(ctx.env.customerCount);
        std::vector<bool> selected(static_cast<size_t>(ctx.env.customerCount) + 1, false);
        selected[7] = selected[8] = true;
        EXPECT_FALSE(t.applySelection(5, selected));
        return t.writeBack(fs, customers).ok();
    };
    s.run();
}

TEST_F(WriterFaults, SettingsFieldWriteAndRestore) {
    const fs::path file = ctx.settingsFile();
    FaultSweep s;
    s.files = {file};
    s.journalFolder = file.parent_path();
    s.showsFailure = false;
    s.write = [&](FileSystem& fs, ScriptedDialogs&) {
        BasicSettings after = ctx.storedSettings;
        after.taxRate = 10.0;
        return writeSettingsChanges(fs, file, ctx.storedSettings, after).ok();
    };
    s.run();

    // Restoring from the backup: the success message only when the file holds the backup.
    BasicSettings backup = ctx.settings;
    backup.exchangeRate = 1.25;
    ASSERT_TRUE(writeSettings(ctx.files, ctx.fileSet.settingsBackup(ctx.edition), backup));
    FaultSweep r;
    r.files = {file};
    r.journalFolder = file.parent_path();
    r.write = [&](FileSystem& fs, ScriptedDialogs& d) {
        auto c = inst.contextWith(fs);
        c->settings = c->storedSettings = ctx.settings;
        const bool done = settings::restoreFromBackup(*c, d);
        const bool claimed = std::find(d.shown.begin(), d.shown.end(), msg::kRestoredFromBackup) != d.shown.end();
        EXPECT_EQ(done, claimed) << "the success message follows a failed restore";
        return done;
    };
    r.isFailure = [](const std::string& t) { return t.starts_with(msg::kSettingsWriteFailed); };
    r.run();
}

TEST_F(WriterFaults, EnvironmentBlock) {
    FaultSweep s;
    s.files = {ctx.fileSet[kAccounts]};
    s.journalFolder = ctx.fileSet[kAccounts].parent_path();
    s.write = [&](FileSystem& fs, ScriptedDialogs& d) {
        auto c = inst.contextWith(fs);
        c->env = ctx.env;
        EnvironmentBlock edited = ctx.env;
        edited.customerCount = 1999;
        edited.colours[1] = 0x123456;
        return settings::saveEnvironment(*c, d, ctx.env, edited);
    };
    s.isFailure = [](const std::string& t) { return t.starts_with(msg::kEnvironmentWriteFailed); };
    s.run();
}

TEST_F(WriterFaults, AccountItemAndItsMark) {
    const fs::path& accounts = ctx.fileSet[kAccounts];
    FaultSweep s;
    s.files = {accounts};
    s.journalFolder = accounts.parent_path();
    s.showsFailure = false;
    s.write = [&](FileSystem& fs, ScriptedDialogs&) {
        AccountItemRecord r{};
        cp932::assign(r.name, "小口現金");
        r.openingBalance = 1234567;
        return masters::writeAccountItem(fs, accounts, 102, r);
    };
    s.run();
    s.write = [&](FileSystem& fs, ScriptedDialogs&) {
        return masters::toggleAccountMark(fs, accounts, 110).has_value();
    };
    s.run();
}

TEST_F(WriterFaults, IndexRebuild) {
    const FileSet& f = ctx.fileSet;
    FaultSweep s;
    s.files = {f[kIndex1], f[kIndex2]};
    s.journalFolder = f.dataFolder;
    s.showsFailure = false;
    s.setUp = [&] {
        // Two headers the index does not know yet.
        Bytes headers = realFileSystem().readAll(f[kSlipHeaders]).value();
        headers.resize(3 * kSlipHeaderSize);
        writeI32(headers, 2 * kSlipHeaderSize + kIndex1First, 412);
        writeI32(headers, 2 * kSlipHeaderSize + kIndex1Second, 9);
        ASSERT_TRUE(realFileSystem().replaceWhole(f[kSlipHeaders], headers));
    };
    s.write = [&](FileSystem& fs, ScriptedDialogs&) {
        return rebuildIndexesLocked(fs, f.dataFolder, f[kSlipHeaders], f[kIndex1], f[kIndex2]);
    };
    s.run();
}

}  // namespace
}  // namespace rk::test
