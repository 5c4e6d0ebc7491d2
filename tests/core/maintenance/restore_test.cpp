// Restores and the automatic backup at exit: the generation rotation day by day on a fixed
// clock, the questions of a management-data restore, and the refusals that keep a restore
// from replacing files other stations still write.
#include "maintenance/restore.h"

#include <gtest/gtest.h>

#include "app/lan_control.h"
#include "app/startup_loader.h"
#include "fake_volumes.h"
#include "maintenance/archiver.h"
#include "maintenance/backup.h"
#include "maintenance/file_lists.h"
#include "maintenance/messages.h"
#include "platform/file_times.h"
#include "platform/station_lock.h"
#include "support/installation.h"

namespace rk::maintenance {
namespace {

using test::FakeVolumes;
using test::Installation;
using test::readFile;

// A context on the installation's folder that reads "today" from `clock`.
std::unique_ptr<AppContext> withClock(const Installation& inst, const Clock& clock) {
    auto c = std::make_unique<AppContext>(Edition::Sales, inst.ctx->programFolder(), realFileSystem(), clock);
    c->fileSet = inst.ctx->fileSet;
    c->settings = inst.ctx->settings;
    c->env = inst.ctx->env;
    return c;
}

FileTime day(int month, int d) { return {2026, month, d, 18, 0, 0}; }

// The slip line file is changed on `when`; the station ends on the same day.
ExitBackup endOfDay(AppContext& ctx, FixedClock& clock, Dialogs& dialogs, FileTime when, bool changed = true) {
    clock.set(when);
    if (changed) {
        EXPECT_TRUE(setModifiedTime(ctx.fileSet[kSlipLines], when));
    }
    return exitBackup(ctx, dialogs);
}

TEST(ExitBackup, ANewGenerationOnlyWhenTheSlipsChangedMoreThanThreeDaysLater) {
    Installation inst;
    FixedClock clock(day(5, 7));
    auto ctx = withClock(inst, clock);
    ScriptedDialogs d;
    EXPECT_EQ(endOfDay(*ctx, clock, d, day(5, 7)), ExitBackup::Made);        // no archive yet
    EXPECT_EQ(endOfDay(*ctx, clock, d, day(5, 10)), ExitBackup::Unchanged);  // 3 days: not yet
    EXPECT_EQ(endOfDay(*ctx, clock, d, day(5, 11)), ExitBackup::Made);
    EXPECT_TRUE(fs::exists(generationArchive(*ctx, 0)));
    EXPECT_EQ(realFileSystem().modified(generationArchive(*ctx, 0))->day, 7);
    // Across the month end the values differ by 71.
    EXPECT_EQ(endOfDay(*ctx, clock, d, day(4, 30)), ExitBackup::Unchanged);
    ASSERT_TRUE(setModifiedTime(currentAutoArchive(*ctx), day(4, 30)));
    EXPECT_EQ(endOfDay(*ctx, clock, d, day(5, 1)), ExitBackup::Made);
    EXPECT_TRUE(d.shown.empty());

    ctx->env.autoBackupOff = 1;
    EXPECT_EQ(endOfDay(*ctx, clock, d, day(6, 1)), ExitBackup::Skipped);
    ctx->env.autoBackupOff = 0;
    fs::remove(ctx->fileSet[kSlipLines]);
    EXPECT_EQ(exitBackup(*ctx, d), ExitBackup::Skipped);
}

TEST(ExitBackup, KeepsTwentyOneGenerationsNewestFirst) {
    Installation inst;
    FixedClock clock(day(1, 1));
    auto ctx = withClock(inst, clock);
    ScriptedDialogs d;
    // 25 working weeks: one generation each.
    std::vector<FileTime> made;
    for (int week = 0; week < 25; ++week) {
        const FileTime when = fromUnixTime(toUnixTime(day(1, 5)) + int64_t{week} * 7 * 86400);
        ASSERT_EQ(endOfDay(*ctx, clock, d, when), ExitBackup::Made) << week;
        made.push_back(when);
    }
    EXPECT_EQ(realFileSystem().modified(currentAutoArchive(*ctx))->day, made[24].day);
    for (int k = 0; k < kGenerations; ++k) {
        const auto t = realFileSystem().modified(generationArchive(*ctx, k));
        ASSERT_TRUE(t) << k;
        EXPECT_EQ(std::pair(t->month, t->day), std::pair(made[23 - k].month, made[23 - k].day))
            << "Bak" << char('A' + k);
        EXPECT_TRUE(checkArchive(generationArchive(*ctx, k)).ok());
    }
    EXPECT_FALSE(fs::exists(ctx->programFolder() / "BakU.Lzh"));
    const auto list = automaticBackups(*ctx);
    ASSERT_EQ(list.size(), 21u);
    EXPECT_TRUE(std::all_of(list.begin(), list.end(), [](const AutoBackup& b) { return b.exists; }));
    EXPECT_EQ(list[20].file.filename(), "BakT.Lzh");

    // The archive holds the year's data and master files.
    std::set<std::string> names;
    for (const ArchiveEntry& e : checkArchive(currentAutoArchive(*ctx)).entries) names.insert(e.name);
    EXPECT_TRUE(names.count("F7da2026.FT2") && names.count("F7ma2026.FT1") && names.count("S7md2026.FT1"));
    EXPECT_FALSE(names.count("FMST.FT0"));
}

TEST(ExitBackup, AFailedArchiveIsSaidAndKeepsTheLastGeneration) {
    Installation inst;
    FixedClock clock(day(5, 1));
    auto ctx = withClock(inst, clock);
    ScriptedDialogs d;
    ASSERT_EQ(endOfDay(*ctx, clock, d, day(5, 1)), ExitBackup::Made);
    const Bytes last = readFile(currentAutoArchive(*ctx));
    // The data folder cannot take the archive's part file: a folder is in the way.
    fs::create_directories(ctx->programFolder() / "2026Data.Lzh.part");
    EXPECT_EQ(endOfDay(*ctx, clock, d, day(5, 20)), ExitBackup::Failed);
    ASSERT_EQ(d.shown.size(), 1u);
    EXPECT_EQ(d.shown[0].rfind("自動バックアップができませんでした", 0), 0u);
    EXPECT_EQ(readFile(generationArchive(*ctx, 0)), last);
}

TEST(AutomaticRestore, BringsBackTheYearFromAGeneration) {
    Installation inst;
    FixedClock clock(day(5, 1));
    auto ctx = withClock(inst, clock);
    ScriptedDialogs d;
    ASSERT_EQ(endOfDay(*ctx, clock, d, day(5, 1)), ExitBackup::Made);
    const Bytes headers = inst.bytes(kSlipHeaders), customers = readFile(ctx->fileSet[kCustomers]);
    fs::remove(ctx->fileSet[kSlipHeaders]);
    ASSERT_TRUE(realFileSystem().replaceWhole(ctx->fileSet[kCustomers], Bytes(3, std::byte{9})));
    // Stale files in the work folder are cleared before the archive is expanded.
    fs::create_directories(workFolder(*ctx));
    ASSERT_TRUE(realFileSystem().replaceWhole(workFolder(*ctx) / "F7mb2026.FT1", Bytes(3, std::byte{9})));
    const Bytes products = readFile(ctx->fileSet[kProducts]);

    d.answers = {Answer::No};
    EXPECT_EQ(restoreAutomatic(*ctx, d, currentAutoArchive(*ctx)), RestoreEnd::Stayed);
    EXPECT_FALSE(fs::exists(ctx->fileSet[kSlipHeaders]));
    d.answers = {Answer::Yes, Answer::Yes};
    d.shown.clear();
    EXPECT_EQ(restoreAutomatic(*ctx, d, currentAutoArchive(*ctx)), RestoreEnd::EndProgram);
    EXPECT_EQ(d.shown, (std::vector<std::string>{msg::kRestoreBlue, msg::kCopyToFolders, msg::kSystemStops}));
    EXPECT_EQ(readFile(ctx->fileSet[kSlipHeaders]), headers);
    EXPECT_EQ(readFile(ctx->fileSet[kCustomers]), customers);
    EXPECT_EQ(readFile(ctx->fileSet[kProducts]), products);
}

TEST(AutomaticRestore, ADamagedArchiveReplacesNothing) {
    Installation inst;
    FixedClock clock(day(5, 1));
    auto ctx = withClock(inst, clock);
    ScriptedDialogs d;
    ASSERT_EQ(endOfDay(*ctx, clock, d, day(5, 1)), ExitBackup::Made);
    Bytes a = readFile(currentAutoArchive(*ctx));
    a.resize(a.size() / 2);
    ASSERT_TRUE(realFileSystem().replaceWhole(currentAutoArchive(*ctx), a));
    const Bytes customers = readFile(ctx->fileSet[kCustomers]);
    d.answers = {Answer::Yes, Answer::Yes};
    EXPECT_EQ(restoreAutomatic(*ctx, d, currentAutoArchive(*ctx)), RestoreEnd::Stayed);
    EXPECT_EQ(d.shown.back().rfind("圧縮ファイルが壊れています", 0), 0u) << d.shown.back();
    EXPECT_EQ(readFile(ctx->fileSet[kCustomers]), customers);
}

// A management-data backup of a fresh year on another device.
struct Managed {
    Installation inst;
    FakeVolumes volumes;
    ScriptedDiskQuestions disk{inst.dialogs};
    fs::path folder, file;
    Managed() {
        folder = inst.folder / "mo";
        fs::create_directories(folder);
        volumes.devices[folder] = 2;
        file = folder / "管理ﾃﾞｰﾀ.Ft1";
        EXPECT_EQ(backupToFolder(*inst.ctx, inst.dialogs, disk, volumes, file), Outcome::Done);
        inst.dialogs.shown.clear();
    }
    ManagementRecord record() { return recordFrom<ManagementRecord>(readFile(file)); }
    void write(const ManagementRecord& r) { ASSERT_TRUE(realFileSystem().replaceWhole(file, bytesOf(r))); }
};

TEST(ManagementRestore, AnotherFormatIsRefusedBeforeAnythingIsCopied) {
    Managed m;
    ManagementRecord r = m.record();
    r.format = 700;
    m.write(r);
    ASSERT_TRUE(realFileSystem().replaceWhole(m.inst.ctx->fileSet[kCustomers], Bytes(3, std::byte{9})));
    EXPECT_EQ(restoreManagement(*m.inst.ctx, m.inst.dialogs, m.disk, m.volumes, m.file), RestoreEnd::Stayed);
    EXPECT_EQ(m.inst.dialogs.shown, (std::vector<std::string>{msg::kWrongFormat}));
    EXPECT_EQ(readFile(m.inst.ctx->fileSet[kCustomers]), Bytes(3, std::byte{9}));
    EXPECT_EQ(restoreManagement(*m.inst.ctx, m.inst.dialogs, m.disk, m.volumes, m.folder / "none.Ft1"),
              RestoreEnd::Stayed);
    EXPECT_EQ(m.inst.dialogs.shown.back(), msg::kFileNotFound);
    m.volumes.devices.clear();
    EXPECT_EQ(restoreManagement(*m.inst.ctx, m.inst.dialogs, m.disk, m.volumes, m.file), RestoreEnd::Stayed);
    EXPECT_EQ(m.inst.dialogs.shown.back(), msg::kSameDriveRestore);
}

TEST(ManagementRestore, StampsYearZeroAndMissingFiles) {
    Managed m;
    AppContext& ctx = *m.inst.ctx;
    ManagementRecord r = m.record();
    // Customers (k 20): backed up a minute later than the file now in the folder says.
    r.files[20].minute = (r.files[20].minute + 1) % 60;
    // Products (k 22): recorded as missing at backup time; changed since.
    r.files[22] = {};
    m.write(r);
    ASSERT_TRUE(realFileSystem().replaceWhole(ctx.fileSet[kCustomers], Bytes(3, std::byte{9})));
    ASSERT_TRUE(realFileSystem().replaceWhole(ctx.fileSet[kProducts], Bytes(4, std::byte{9})));
    // Two files gone from the backup disk.
    fs::remove(m.folder / "F7mc2026.FT1");
    fs::remove(m.folder / "S7md2026.FT1");
    m.disk.answers = {DiskAnswer::Ignore, DiskAnswer::Retry, DiskAnswer::Ignore};
    m.inst.dialogs.answers = {Answer::No};
    EXPECT_EQ(restoreManagement(ctx, m.inst.dialogs, m.disk, m.volumes, m.file), RestoreEnd::EndProgram);
    const auto& shown = m.inst.dialogs.shown;
    ASSERT_EQ(shown.size(), 5u);
    EXPECT_EQ(shown[0].rfind("復旧元ディスクに ", 0), 0u);
    EXPECT_NE(shown[0].find("S7md2026.FT1"), std::string::npos);
    EXPECT_NE(shown[1].find("F7mc2026.FT1"), std::string::npos);  // asked again after Retry
    EXPECT_NE(shown[2].find("F7mc2026.FT1"), std::string::npos);
    EXPECT_EQ(shown[3], msg::kStampDiffers);
    EXPECT_EQ(shown[4], "復旧できないファイルが  2 本あります\n再起動後データをチェックしてください");
    EXPECT_EQ(readFile(ctx.fileSet[kCustomers]), Bytes(3, std::byte{9})) << "No keeps the current file";
    EXPECT_EQ(readFile(ctx.fileSet[kProducts]), Bytes(4, std::byte{9})) << "year 0 is skipped";
}

TEST(ManagementRestore, AbortEndsAtOnce) {
    Managed m;
    fs::remove(m.folder / "F7me2026.FT1");
    m.disk.answers = {DiskAnswer::Abort};
    EXPECT_EQ(restoreManagement(*m.inst.ctx, m.inst.dialogs, m.disk, m.volumes, m.file), RestoreEnd::EndProgram);
    EXPECT_EQ(m.inst.dialogs.shown.back(), msg::kAbortInconsistent);
}

TEST(Restore, RefusedWhileOtherStationsRun) {
    Managed m;
    AppContext& ctx = *m.inst.ctx;
    ctx.settings.lanMode = 1;
    ctx.stationNumber = 1;
    const fs::path lan = ctx.fileSet[kLanControl];
    LanTable table = LanTable::forServer();
    table.setSlot(2, 1);
    ASSERT_TRUE(createTable(ctx.files, lan, table));
    // Station 2 really runs: it holds its byte of the lock file.
    auto station2 = StationLock::acquire(ctx.fileSet.dataFolder, stationLockByte(lan, 2));
    ASSERT_TRUE(station2);
    auto station1 = StationLock::acquire(ctx.fileSet.dataFolder, stationLockByte(lan, 1));
    ASSERT_TRUE(station1);
    EXPECT_EQ(restoreManagement(ctx, m.inst.dialogs, m.disk, m.volumes, m.file), RestoreEnd::Stayed);
    EXPECT_EQ(m.inst.dialogs.shown, (std::vector<std::string>{msg::kStationsRunning}));
    // Once it has stopped (and died without unregistering), the restore goes ahead.
    station2.reset();
    EXPECT_EQ(restoreManagement(ctx, m.inst.dialogs, m.disk, m.volumes, m.file), RestoreEnd::EndProgram);
}

}  // namespace
}  // namespace rk::maintenance
