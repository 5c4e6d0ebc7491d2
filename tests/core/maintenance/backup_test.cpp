// The two backups of the backup window on a small demo year: what they write, that a restore
// brings back every byte, and that no failure (full disk, a write error anywhere) ends in a
// backup reported as made or in a changed live file.
#include "maintenance/backup.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>

#include "app/invoice_settings.h"
#include "cli/demo_year.h"
#include "fake_volumes.h"
#include "maintenance/archiver.h"
#include "maintenance/file_lists.h"
#include "maintenance/messages.h"
#include "maintenance/restore.h"
#include "platform/file_times.h"
#include "support/faulty_file_system.h"
#include "support/installation.h"

namespace rk::maintenance {
namespace {

using test::FakeVolumes;
using test::Installation;
using test::readFile;

// The live files of the management list as they stand.
std::map<fs::path, Bytes> snapshot(const AppContext& ctx) {
    std::map<fs::path, Bytes> out;
    for (const YearFile& f : managementFiles(ctx))
        if (fs::exists(f.live)) out[f.live] = readFile(f.live);
    return out;
}

struct DemoYear {
    Installation inst;
    fs::path target;  // the backup "drive", another device
    FakeVolumes volumes;
    ScriptedDiskQuestions disk{inst.dialogs};

    DemoYear() {
        EXPECT_TRUE(fillDemoYear(*inst.ctx, inst.dialogs, {20, 150, 3}));
        const fs::path& p = inst.ctx->programFolder();
        EXPECT_TRUE(realFileSystem().replaceWhole(p / "Print.Dat", Bytes(3000, std::byte{7})));
        EXPECT_TRUE(realFileSystem().replaceWhole(p / "輸送業者.csv", Bytes(40, std::byte{'a'})));
        target = inst.folder / "usb";
        fs::create_directories(target);
        volumes.devices[target] = 2;
    }
    AppContext& ctx() { return *inst.ctx; }
};

TEST(ManagementBackup, RecordsEveryFileAndRestoresItByteForByte) {
    DemoYear y;
    const auto before = snapshot(y.ctx());
    ASSERT_EQ(backupToFolder(y.ctx(), y.inst.dialogs, y.disk, y.volumes, y.target / "管理ﾃﾞｰﾀ.Ft1"), Outcome::Done);

    const Bytes m = readFile(y.target / "管理ﾃﾞｰﾀ.Ft1");
    ASSERT_EQ(m.size(), 1024u);
    ManagementRecord rec = recordFrom<ManagementRecord>(m);
    EXPECT_EQ(rec.format, 701);
    const auto list = managementFiles(y.ctx());
    ASSERT_EQ(list.size(), 28u);
    for (size_t k = 0; k < list.size(); ++k) {
        if (!fs::exists(list[k].live)) {
            EXPECT_EQ(rec.files[k].year, 0) << list[k].name;  // missing: left zero
            continue;
        }
        const FileTime t = *realFileSystem().modified(list[k].live);
        EXPECT_EQ(rec.files[k], stampOf(t)) << list[k].name;
        EXPECT_EQ(readFile(y.target / list[k].name), readFile(list[k].live)) << list[k].name;
        EXPECT_EQ(realFileSystem().modified(y.target / list[k].name), t) << "copies keep the time stamp";
    }
    EXPECT_EQ(rec.files[0].weekday, stampOf(*realFileSystem().modified(list[0].live)).weekday);

    // Damage the year, then bring it back.
    fs::remove(y.ctx().fileSet[kSlipHeaders]);
    ASSERT_TRUE(realFileSystem().replaceWhole(y.ctx().fileSet[kSlipLines], Bytes(10, std::byte{1})));
    ASSERT_TRUE(realFileSystem().replaceWhole(y.ctx().settingsFile(), Bytes(640, std::byte{0})));
    y.inst.dialogs.shown.clear();
    ASSERT_EQ(restoreManagement(y.ctx(), y.inst.dialogs, y.disk, y.volumes, y.target / "管理ﾃﾞｰﾀ.Ft1"),
              RestoreEnd::EndProgram);
    EXPECT_EQ(y.inst.dialogs.shown.back(), msg::kProgramStops);
    EXPECT_EQ(snapshot(y.ctx()), before);
}

TEST(ManagementBackup, RefusesTheSameDeviceAndAnUnmeasurableOne) {
    DemoYear y;
    y.volumes.devices.clear();
    EXPECT_EQ(backupToFolder(y.ctx(), y.inst.dialogs, y.disk, y.volumes, y.target / "管理ﾃﾞｰﾀ.Ft1"), Outcome::Failed);
    EXPECT_EQ(y.inst.dialogs.shown.back(), msg::kSameDrive);
    y.volumes.devices[y.target] = 2;
    y.volumes.free = std::nullopt;
    EXPECT_EQ(backupToFolder(y.ctx(), y.inst.dialogs, y.disk, y.volumes, y.target / "管理ﾃﾞｰﾀ.Ft1"), Outcome::Failed);
    EXPECT_EQ(y.inst.dialogs.shown.back(), msg::kCannotMeasure);
    EXPECT_TRUE(fs::is_empty(y.target));
}

// Answers the space question: Retry after "changing the disk" the first time, then Cancel.
struct DiskChanger : DiskQuestions {
    ScriptedDialogs dialogs;
    FakeVolumes* volumes = nullptr;
    int asked = 0;
    bool retryOnce = true;
    DiskAnswer retryOrCancel(std::string_view text) override {
        dialogs.shown.emplace_back(text);
        if (++asked == 1 && retryOnce) {
            volumes->free = uint64_t{1} << 40;
            return DiskAnswer::Retry;
        }
        return DiskAnswer::Cancel;
    }
    DiskAnswer abortRetryIgnore(std::string_view) override {
        ADD_FAILURE() << "no such question in a backup";
        return DiskAnswer::Abort;
    }
};

TEST(ManagementBackup, AFullDiskAsksAndACancelWritesNoManagementFile) {
    DemoYear y;
    DiskChanger d;
    d.volumes = &y.volumes;
    y.volumes.free = 1500;  // the settings file (640 + 1024) does not fit
    EXPECT_EQ(backupToFolder(y.ctx(), d.dialogs, d, y.volumes, y.target / "管理ﾃﾞｰﾀ.Ft1"), Outcome::Done);
    EXPECT_EQ(d.asked, 1);
    EXPECT_EQ(d.dialogs.shown[0], std::string("ファイル長 640 \n空き容量　 1500 \n") + msg::kNotEnoughSpace);

    DiskChanger cancel;
    cancel.volumes = &y.volumes;
    cancel.retryOnce = false;
    y.volumes.free = 5000;  // room for the small files, not for the slip lines
    fs::remove_all(y.target);
    fs::create_directories(y.target);
    EXPECT_EQ(backupToFolder(y.ctx(), cancel.dialogs, cancel, y.volumes, y.target / "管理ﾃﾞｰﾀ.Ft1"),
              Outcome::Cancelled);
    EXPECT_FALSE(fs::exists(y.target / "管理ﾃﾞｰﾀ.Ft1"));
}

TEST(ManagementBackup, AWriteErrorAtAnyCopyIsReportedAndTouchesNoLiveFile) {
    DemoYear y;
    const auto before = snapshot(y.ctx());
    for (int k = 1;; ++k) {
        test::FaultyFileSystem faulty(realFileSystem());
        faulty.arm(k, test::FaultyFileSystem::Fault::ShortWrite);
        auto ctx = y.inst.contextWith(faulty);
        ScriptedDialogs d;
        ScriptedDiskQuestions disk(d);
        fs::remove_all(y.target);
        fs::create_directories(y.target);
        const Outcome o = backupToFolder(*ctx, d, disk, y.volumes, y.target / "管理ﾃﾞｰﾀ.Ft1");
        if (faulty.changes() < k) {
            EXPECT_EQ(o, Outcome::Done);
            break;
        }
        if (o == Outcome::Done) continue;  // the fault hit a call whose failure is harmless
        EXPECT_EQ(o, Outcome::Failed) << "call " << k;
        ASSERT_FALSE(d.shown.empty());
        EXPECT_NE(d.shown.back().find("バックアップは完了していません"), std::string::npos) << d.shown.back();
        EXPECT_FALSE(fs::exists(y.target / "管理ﾃﾞｰﾀ.Ft1")) << "call " << k;
        EXPECT_EQ(snapshot(y.ctx()), before) << "call " << k;
    }
}

TEST(ArchiveBackup, NamesAreCheckedInOrder) {
    EXPECT_EQ(archiveNameProblem("/media/usb/2007年dt.Lzh"), std::nullopt);  // 12 bytes in Shift-JIS
    EXPECT_EQ(archiveNameProblem("/media/usb/2007年abcd.Lzh"), msg::kNameTooLong);
    EXPECT_EQ(archiveNameProblem("/media/usb/ABCDEF.LZH"), std::nullopt);
    EXPECT_EQ(archiveNameProblem("/media/usb/ABCDEF.ARC"), msg::kNotLzh);
    EXPECT_EQ(archiveNameProblem("/media/usb/ABCDEFLZH"), msg::kNoPeriod);
    EXPECT_EQ(archiveNameProblem("usb/2007年dt.Lzh"), msg::kNoColon);
}

TEST(ArchiveBackup, MakesACheckedArchiveAndRestoresTheYear) {
    DemoYear y;
    const auto before = snapshot(y.ctx());
    const fs::path chosen = y.target / "2026年dt.Lzh";
    ASSERT_EQ(backupToArchive(y.ctx(), y.inst.dialogs, y.disk, y.volumes, chosen), Outcome::Done);
    const fs::path& program = y.ctx().programFolder();
    EXPECT_EQ(readFile(chosen), readFile(program / "2026年dt.Lzh"));
    EXPECT_EQ(readFile(program / "hostdata.lzh"), readFile(chosen));
    ArchiveResult r = checkArchive(chosen);
    ASSERT_TRUE(r.ok());
    uint64_t total = 0;
    std::set<std::string> names;
    for (const ArchiveEntry& e : r.entries) {
        total += e.size;
        names.insert(e.name);
    }
    EXPECT_TRUE(names.count("F7db2026.FT2") && names.count("FMST.FT0") && names.count("Print.Dat") &&
                names.count("輸送業者.csv"));
    EXPECT_LT(fs::file_size(chosen) * 100, total * 40) << "a year's archive is under 40 % of its files";

    fs::remove(y.ctx().fileSet[kSlipHeaders]);
    ASSERT_TRUE(realFileSystem().replaceWhole(y.ctx().fileSet[kCustomers], Bytes(5, std::byte{1})));
    // Files of these kinds outside the work folder are never deleted.
    ASSERT_TRUE(realFileSystem().replaceWhole(program / "keep.dat", Bytes(5, std::byte{1})));
    y.inst.dialogs.shown.clear();
    y.inst.dialogs.answers = {Answer::Yes};
    ASSERT_EQ(restoreArchive(y.ctx(), y.inst.dialogs, chosen), RestoreEnd::EndProgram);
    EXPECT_EQ(y.inst.dialogs.shown.front(), msg::kCopyToFolders);
    EXPECT_EQ(y.inst.dialogs.shown.back(), msg::kProgramStops);
    auto after = snapshot(y.ctx());
    // The carrier tables are not put back from an archive; everything else is.
    for (auto& [path, bytes] : before) EXPECT_EQ(after[path], bytes) << path;
    EXPECT_TRUE(fs::exists(program / "keep.dat"));
}

TEST(ArchiveBackup, AWriteErrorAnywhereIsReportedAndTouchesNoLiveFile) {
    DemoYear y;
    const auto before = snapshot(y.ctx());
    const fs::path chosen = y.target / "2026年dt.Lzh";
    for (int k = 1;; ++k) {
        test::FaultyFileSystem faulty(realFileSystem());
        faulty.arm(k, test::FaultyFileSystem::Fault::ShortWrite);
        auto ctx = y.inst.contextWith(faulty);
        ScriptedDialogs d;
        ScriptedDiskQuestions disk(d);
        fs::remove(chosen);
        const Outcome o = backupToArchive(*ctx, d, disk, y.volumes, chosen);
        if (faulty.changes() < k) {
            EXPECT_EQ(o, Outcome::Done);
            break;
        }
        if (o == Outcome::Done) {
            EXPECT_TRUE(checkArchive(chosen).ok()) << "call " << k;
            continue;
        }
        EXPECT_EQ(o, Outcome::Failed) << "call " << k;
        ASSERT_FALSE(d.shown.empty());
        EXPECT_NE(d.shown.back().find("バックアップは完了していません"), std::string::npos) << d.shown.back();
        EXPECT_TRUE(!fs::exists(chosen) || checkArchive(chosen).ok()) << "no damaged archive is left as the backup";
        EXPECT_EQ(snapshot(y.ctx()), before) << "call " << k;
    }
}

TEST(ArchiveBackup, AFullDiskAsksWithKilobytes) {
    DemoYear y;
    DiskChanger d;
    d.volumes = &y.volumes;
    d.retryOnce = false;
    y.volumes.free = 1000;
    EXPECT_EQ(backupToArchive(y.ctx(), d.dialogs, d, y.volumes, y.target / "2026年dt.Lzh"), Outcome::Cancelled);
    ASSERT_EQ(d.dialogs.shown.size(), 1u);
    EXPECT_EQ(d.dialogs.shown[0].rfind("ファイル長 ", 0), 0u);
    EXPECT_NE(d.dialogs.shown[0].find("ｷﾛﾊﾞｲﾄ  \n空き容量　 1 ｷﾛﾊﾞｲﾄ \n"), std::string::npos) << d.dialogs.shown[0];
    EXPECT_FALSE(fs::exists(y.target / "2026年dt.Lzh"));
}

// The qualified-invoice file rides along with both methods and comes back with both restores;
// the management file keeps its 28 entries, and a backup made without the file leaves no
// older copy in the folder for a restore to bring back.
TEST(InvoiceFileBackup, BothMethodsCarryItAndBothRestoresPutItBack) {
    DemoYear y;
    AppContext& ctx = y.ctx();
    const fs::path live = invoiceSettingsFile(ctx.programFolder());
    InvoiceSettings on{};
    std::memcpy(on.number, "T1234567890123", 14);
    on.qualified = 1;
    ASSERT_TRUE(writeInvoiceSettings(ctx.files, ctx.programFolder(), InvoiceSettings{}, on).ok());
    const Bytes written = readFile(live);

    const fs::path management = y.target / "管理ﾃﾞｰﾀ.Ft1";
    ASSERT_EQ(backupToFolder(ctx, y.inst.dialogs, y.disk, y.volumes, management), Outcome::Done);
    EXPECT_EQ(readFile(y.target / "INVOICE.FT0"), written);
    EXPECT_EQ(readFile(management).size(), 1024u);
    fs::remove(live);
    y.inst.dialogs.answers = {Answer::Yes, Answer::Yes};
    ASSERT_EQ(restoreManagement(ctx, y.inst.dialogs, y.disk, y.volumes, management), RestoreEnd::EndProgram);
    EXPECT_EQ(y.inst.dialogs.shown.back(), msg::kProgramStops);
    EXPECT_EQ(readFile(live), written);

    const fs::path chosen = y.target / "2026年dt.Lzh";
    ASSERT_EQ(backupToArchive(ctx, y.inst.dialogs, y.disk, y.volumes, chosen), Outcome::Done);
    ASSERT_TRUE(realFileSystem().replaceWhole(live, Bytes(32, std::byte{0})));
    y.inst.dialogs.answers = {Answer::Yes};
    ASSERT_EQ(restoreArchive(ctx, y.inst.dialogs, chosen), RestoreEnd::EndProgram);
    EXPECT_EQ(y.inst.dialogs.shown.back(), msg::kProgramStops);
    EXPECT_EQ(readFile(live), written);

    // Switched away entirely: the next management backup drops the older copy.
    fs::remove(live);
    ASSERT_EQ(backupToFolder(ctx, y.inst.dialogs, y.disk, y.volumes, management), Outcome::Done);
    EXPECT_FALSE(fs::exists(y.target / "INVOICE.FT0"));
    y.inst.dialogs.answers = {Answer::Yes, Answer::Yes};
    ASSERT_EQ(restoreManagement(ctx, y.inst.dialogs, y.disk, y.volumes, management), RestoreEnd::EndProgram);
    EXPECT_FALSE(fs::exists(live));
}

}  // namespace
}  // namespace rk::maintenance
