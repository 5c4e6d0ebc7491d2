#include "platform/rollback_journal.h"

#include <gtest/gtest.h>

#include "support/faulty_file_system.h"
#include "support/installation.h"

namespace rk::test {
namespace {

Bytes text(std::string_view s) {
    Bytes b(s.size());
    std::memcpy(b.data(), s.data(), s.size());
    return b;
}

class Journal : public ::testing::Test {
protected:
    TempFolder dir;
    FileSystem& fs = realFileSystem();
    fs::path a = dir.path() / "A", b = dir.path() / "B", fresh = dir.path() / "C";
    fs::path journal = FileTransaction::journalFile(dir.path());

    void SetUp() override {
        ASSERT_TRUE(fs.replaceWhole(a, text("0123456789")));
        ASSERT_TRUE(fs.replaceWhole(b, text("abc")));
    }

    // Stages an overwrite in A, a record appended to B and a new file C.
    void stage(FileTransaction& tx) {
        ASSERT_TRUE(tx.begin());
        tx.write(a, 2, text("XY"));
        EXPECT_EQ(tx.appendRecord(b, text("rec"), 3), 1u);
        EXPECT_EQ(tx.appendRecord(b, text("two"), 3), 2u);
        tx.write(fresh, 0, text("new"));
    }
};

TEST_F(Journal, ACommitLandsEverythingAndLeavesNoJournal) {
    FileTransaction tx(fs, journal);
    stage(tx);
    ASSERT_TRUE(tx.commit());
    EXPECT_TRUE(*fs.readAll(a) == text("01XY456789"));
    EXPECT_TRUE(*fs.readAll(b) == text("abcrectwo"));
    EXPECT_TRUE(*fs.readAll(fresh) == text("new"));
    EXPECT_FALSE(fs.exists(journal));
}

TEST_F(Journal, AppendedRecordsSkipATornTailAndRecordZero) {
    ASSERT_TRUE(fs.replaceWhole(b, text("abcd")));  // one record and a torn byte
    FileTransaction tx(fs, journal);
    ASSERT_TRUE(tx.begin());
    EXPECT_EQ(tx.appendRecord(b, text("xyz"), 3), 2u);
    EXPECT_EQ(tx.appendRecord(fresh, text("xyz"), 3), 1u);  // an empty file still has no record 0 to hand out
    ASSERT_TRUE(tx.commit());
    EXPECT_EQ(fs.size(b), 9u);
}

TEST_F(Journal, RollBackRestoresBytesAndLengthsAndIgnoresATornJournal) {
    FaultyFileSystem faulty(fs);
    faulty.arm(6, FaultyFileSystem::Fault::Crash);  // after the first data write
    FileTransaction tx(faulty, journal);
    stage(tx);
    ASSERT_FALSE(tx.commit());
    ASSERT_TRUE(fs.exists(journal));
    ASSERT_TRUE(rollBackJournal(fs, journal));
    EXPECT_TRUE(*fs.readAll(a) == text("0123456789"));
    EXPECT_TRUE(*fs.readAll(b) == text("abc"));
    EXPECT_FALSE(fs.exists(journal));

    // A journal that was never completed (bad checksum) touches nothing.
    ASSERT_TRUE(fs.replaceWhole(journal, text("RKJNL001 garbage that is not a journal")));
    ASSERT_TRUE(fs.replaceWhole(a, text("changed")));
    ASSERT_TRUE(rollBackJournal(fs, journal));
    EXPECT_TRUE(*fs.readAll(a) == text("changed"));
    EXPECT_FALSE(fs.exists(journal));
}

}  // namespace
}  // namespace rk::test
