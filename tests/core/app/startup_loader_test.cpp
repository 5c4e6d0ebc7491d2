#include "app/startup_loader.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <ctime>

#include "app/messages.h"
#include "masters/messages.h"
#include "slips/slip_index.h"
#include "support/temp_folder.h"

namespace rk {
namespace {

class ScriptedPrompts : public StartupPrompts {
public:
    NewData newDataAnswer = NewData::Create;
    std::optional<std::string> typedPassword;
    bool settingsWindowAvailable = false;
    int newDataShown = 0, passwordShown = 0, settingsOpened = 0, conversionOpened = 0;

    NewData newData() override {
        ++newDataShown;
        return newDataAnswer;
    }
    std::optional<std::string> password() override {
        ++passwordShown;
        return typedPassword;
    }
    bool openBasicSettingsAtStart() override {
        ++settingsOpened;
        return settingsWindowAvailable;
    }
    bool openConversionAtStart() override {
        ++conversionOpened;
        return false;
    }
};

class StartupLoaderTest : public ::testing::Test {
protected:
    test::TempFolder dir;
    FixedClock clock{{2026, 12, 7, 9, 30, 0}};
    ScriptedDialogs dialogs;
    ScriptedPrompts prompts;
    StandAloneStation station;

    StartupResult start(AppContext& ctx) { return runStartupLoader(ctx, dialogs, prompts, station); }
    AppContext context() { return AppContext(Edition::Sales, dir.path(), realFileSystem(), clock); }

    // A running installation with year 2026.
    void install() {
        AppContext ctx = context();
        dialogs.answers = {Answer::Yes};
        ASSERT_EQ(start(ctx), StartupResult::Run);
        dialogs = ScriptedDialogs{};
        prompts = ScriptedPrompts{};
    }
    uint64_t sizeOf(const std::string& name) { return realFileSystem().size(dir / name).value_or(0); }
};

TEST_F(StartupLoaderTest, NoSettingsFileAsksAndNoEnds) {
    AppContext ctx = context();
    dialogs.answers = {Answer::No};
    EXPECT_EQ(start(ctx), StartupResult::End);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0], msg::kSettingsMissing);
    EXPECT_FALSE(fs::exists(dir / "FMST.FT0"));
}

TEST_F(StartupLoaderTest, NoSettingsFileYesCreatesANewInstallation) {
    AppContext ctx = context();
    dialogs.answers = {Answer::Yes};
    prompts.newDataAnswer = StartupPrompts::NewData::Create;
    ASSERT_EQ(start(ctx), StartupResult::Run);
    EXPECT_EQ(prompts.settingsOpened, 1);  // offered first; not available here, so defaults go on
    EXPECT_EQ(prompts.newDataShown, 1);
    EXPECT_EQ(sizeOf("FMST.FT0"), 640u);
    EXPECT_EQ(sizeOf("F7da2026.FT2"), 224u);
    EXPECT_EQ(sizeOf("F7db2026.FT2"), 768u);
    EXPECT_EQ(sizeOf("F7dc2026.FT2"), 2432u);
    EXPECT_EQ(sizeOf("F7dd2026.FT2"), 100u);
    EXPECT_EQ(sizeOf("S7de2026.FT2"), 192u);
    EXPECT_EQ(sizeOf("F7df2026.FT2"), 704u);
    EXPECT_EQ(sizeOf("F7ma2026.FT1"), 480480u);
    EXPECT_EQ(sizeOf("F7mb2026.FT1"), 192192u);
    EXPECT_EQ(sizeOf("F7mc2026.FT1"), 4848u);
    EXPECT_EQ(sizeOf("S7md2026.FT1"), 38400u);
    EXPECT_EQ(sizeOf("F7me2026.FT1"), 100000u);
    EXPECT_EQ(sizeOf("FANA2026.FT2"), 8u);
    EXPECT_EQ(test::readFile(dir / "S7md2026.FT1"), defaultAccountFile());
    EXPECT_EQ(ctx.env.customerCount, 999);
    EXPECT_EQ(ctx.colours[0], 0x408000u);
    ASSERT_EQ(dialogs.shown.size(), 1u);  // nothing else was missing
}

TEST_F(StartupLoaderTest, SettingsWindowTakesOverWhenAvailable) {
    AppContext ctx = context();
    dialogs.answers = {Answer::Yes};
    prompts.settingsWindowAvailable = true;
    EXPECT_EQ(start(ctx), StartupResult::Run);
    EXPECT_EQ(prompts.newDataShown, 0);
    EXPECT_TRUE(fs::exists(dir / "FMST.FT0"));
    EXPECT_TRUE(fs::exists(dir / "S7md2026.FT1"));
    EXPECT_FALSE(fs::exists(dir / "F7db2026.FT2"));
}

TEST_F(StartupLoaderTest, NewDataDialogButtons) {
    AppContext first = context();
    ASSERT_TRUE(writeNewInstallation(first, defaultSettings(clock)));

    AppContext cancel = context();
    prompts.newDataAnswer = StartupPrompts::NewData::Cancel;
    EXPECT_EQ(start(cancel), StartupResult::End);
    EXPECT_FALSE(fs::exists(dir / "F7db2026.FT2"));

    AppContext reconfigure = context();
    prompts.newDataAnswer = StartupPrompts::NewData::Reconfigure;
    prompts.settingsWindowAvailable = true;
    EXPECT_EQ(start(reconfigure), StartupResult::Run);
    EXPECT_FALSE(fs::exists(dir / "F7db2026.FT2"));

    AppContext convert = context();
    prompts.newDataAnswer = StartupPrompts::NewData::Convert;
    EXPECT_EQ(start(convert), StartupResult::End);  // no conversion window in this program
    EXPECT_EQ(prompts.conversionOpened, 1);

    // Creation failing: a folder stands where the line file goes.
    fs::create_directory(dir / "F7da2026.FT2");
    AppContext broken = context();
    prompts.newDataAnswer = StartupPrompts::NewData::Create;
    EXPECT_EQ(start(broken), StartupResult::End);
    EXPECT_EQ(dialogs.shown.back(), msg::kCannotCreate);
}

TEST_F(StartupLoaderTest, PasswordAcceptedAndRefused) {
    install();
    Bytes pw(4);
    writeI32(pw, 0, 42);
    ASSERT_TRUE(realFileSystem().write(dir / "F7db2026.FT2", 764, pw));

    AppContext ok = context();
    prompts.typedPassword = "0042";  // leading zeros still the same number
    EXPECT_EQ(start(ok), StartupResult::Run);
    EXPECT_EQ(prompts.passwordShown, 1);
    EXPECT_EQ(ok.password, 42);

    AppContext wrong = context();
    prompts.typedPassword = "41";
    EXPECT_EQ(start(wrong), StartupResult::End);
    EXPECT_EQ(dialogs.shown.back(), msg::kWrongPassword);

    AppContext cancelled = context();
    prompts.typedPassword.reset();
    EXPECT_EQ(start(cancelled), StartupResult::End);

    writeI32(pw, 0, 10000);  // outside 1..9999: not protected
    ASSERT_TRUE(realFileSystem().write(dir / "F7db2026.FT2", 764, pw));
    AppContext open = context();
    prompts.passwordShown = 0;
    EXPECT_EQ(start(open), StartupResult::Run);
    EXPECT_EQ(prompts.passwordShown, 0);
}

TEST_F(StartupLoaderTest, StandAloneRebuildsIndexesFromTheHeaderFile) {
    install();
    Bytes headers(768 * 3);
    writeI32(headers, 768 + 72, 1205);
    writeI32(headers, 768 + 76, 17);
    writeI32(headers, 768 + 64, 2);
    writeI32(headers, 768 + 88, 5);
    writeI32(headers, 1536 + 72, -1206);
    ASSERT_TRUE(realFileSystem().write(dir / "F7db2026.FT2", 0, headers));
    ASSERT_TRUE(realFileSystem().write(dir / "FANA2026.FT2", 0, Bytes(24), false));  // sizes agree, contents stale

    AppContext ctx = context();
    ASSERT_EQ(start(ctx), StartupResult::Run);
    Bytes idx1 = test::readFile(dir / "FANA2026.FT2");
    Bytes idx2 = test::readFile(dir / "FAZA2026.FT2");
    ASSERT_EQ(idx1.size(), 24u);
    ASSERT_EQ(idx2.size(), 24u);
    EXPECT_EQ(readI32(idx1, 0), 0);
    EXPECT_EQ(readI32(idx1, 8), 1205);
    EXPECT_EQ(readI32(idx1, 12), 17);
    EXPECT_EQ(readI32(idx1, 16), -1206);
    EXPECT_EQ(readI32(idx2, 8), 2);
    EXPECT_EQ(readI32(idx2, 12), 5);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(StartupLoaderTest, ClientChecksIndexSizesAndRebuildsOnlyWhenInconsistent) {
    install();
    EXPECT_TRUE(indexesConsistent(24, 2304));
    EXPECT_FALSE(indexesConsistent(16, 2304));
    EXPECT_FALSE(indexesConsistent(32, 2304));

    auto s = readSettings(realFileSystem(), dir / "FMST.FT0");
    s->lanMode = 2;
    ASSERT_TRUE(writeSettings(realFileSystem(), dir / "FMST.FT0", *s));
    ASSERT_TRUE(realFileSystem().write(dir / "F7db2026.FT2", 0, Bytes(768 * 3)));

    AppContext ctx = context();
    ASSERT_EQ(start(ctx), StartupResult::Run);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0], msg::kIndexInconsistent);
    EXPECT_EQ(sizeOf("FANA2026.FT2"), 24u);

    dialogs.shown.clear();
    AppContext again = context();
    ASSERT_EQ(start(again), StartupResult::Run);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(StartupLoaderTest, ReadOnlyMasterIsReportedNeverRecreated) {
    if (::geteuid() == 0) GTEST_SKIP() << "root can write read-only files";
    install();
    Bytes customers(480 * 1001, std::byte{0x41});
    ASSERT_TRUE(realFileSystem().write(dir / "F7ma2026.FT1", 0, customers));
    ::chmod((dir / "F7ma2026.FT1").c_str(), 0444);
    AppContext ctx = context();
    EXPECT_EQ(start(ctx), StartupResult::End);
    EXPECT_EQ(dialogs.shown.back(), msg::kFolderWriteProtected);
    EXPECT_EQ(test::readFile(dir / "F7ma2026.FT1"), customers);
}

TEST_F(StartupLoaderTest, UnwritableMasterIsReportedNeverRecreated) {
    // Works as root too: a folder where a master should be cannot be opened for writing.
    install();
    fs::remove(dir / "F7mc2026.FT1");
    fs::create_directory(dir / "F7mc2026.FT1");
    AppContext ctx = context();
    EXPECT_EQ(start(ctx), StartupResult::End);
    EXPECT_EQ(dialogs.shown.back(), msg::kFolderWriteProtected);
    EXPECT_TRUE(fs::is_directory(dir / "F7mc2026.FT1"));
}

TEST_F(StartupLoaderTest, MissingPaymentAndRemarkDataAreCreatedWithTheirMessages) {
    install();
    fs::remove(dir / "F7dc2026.FT2");
    fs::remove(dir / "F7dd2026.FT2");
    AppContext ctx = context();
    ASSERT_EQ(start(ctx), StartupResult::Run);
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[0], msg::kPaymentDataMissing);
    EXPECT_EQ(dialogs.shown[1], msg::kRemarkDataMissing);
    EXPECT_EQ(sizeOf("F7dc2026.FT2"), 2432u);
    EXPECT_EQ(sizeOf("F7dd2026.FT2"), 100u);
}

TEST_F(StartupLoaderTest, InputYearBelow1950TakesTheBusinessYear) {
    install();
    auto s = readSettings(realFileSystem(), dir / "FMST.FT0");
    s->inputYear = 0;
    ASSERT_TRUE(writeSettings(realFileSystem(), dir / "FMST.FT0", *s));
    AppContext ctx = context();
    ASSERT_EQ(start(ctx), StartupResult::Run);
    EXPECT_EQ(ctx.settings.inputYear, 2026);
}

TEST_F(StartupLoaderTest, MemberNumberWithDataInTheProgramFolderIsIgnoredForTheRun) {
    install();
    auto s = readSettings(realFileSystem(), dir / "FMST.FT0");
    s->memberNumber = 12;
    ASSERT_TRUE(writeSettings(realFileSystem(), dir / "FMST.FT0", *s));
    AppContext ctx = context();
    ASSERT_EQ(start(ctx), StartupResult::Run);
    ASSERT_EQ(dialogs.shown.size(), 1u);  // its own file served as the server's: same year
    EXPECT_EQ(dialogs.shown[0], msg::kMemberNumberIgnored);
    EXPECT_EQ(ctx.memberNumber, 0);
    EXPECT_EQ(ctx.settings.memberNumber, 12);  // the stored value is kept
}

TEST_F(StartupLoaderTest, MemberStationTakesNewerServerMastersComparingTheWholeTime) {
    test::TempFolder server;
    {
        // The server installation, one year ahead in its file times.
        AppContext srv(Edition::Sales, server.path(), realFileSystem(), clock);
        ScriptedDialogs d;
        d.answers = {Answer::Yes};
        ASSERT_EQ(runStartupLoader(srv, d, prompts, station), StartupResult::Run);
    }
    install();
    auto s = readSettings(realFileSystem(), dir / "FMST.FT0");
    s->memberNumber = 3;
    std::string folder = server.path().string() + "/";
    ASSERT_LT(folder.size(), 40u);
    std::memcpy(s->dataFolder, folder.data(), folder.size());
    ASSERT_TRUE(writeSettings(realFileSystem(), dir / "FMST.FT0", *s));

    auto setTime = [](const fs::path& p, int year, int month) {
        struct tm tm {};
        tm.tm_year = year - 1900;
        tm.tm_mon = month - 1;
        tm.tm_mday = 15;
        tm.tm_hour = 12;
        time_t t = mktime(&tm);
        struct timespec ts[2] = {{t, 0}, {t, 0}};
        ::utimensat(AT_FDCWD, p.c_str(), ts, 0);
    };
    // Server's customer master from January 2027, local one from December 2026: newer.
    setTime(server / "F7ma2026.FT1", 2027, 1);
    setTime(dir / "F7ma2026.FT1", 2026, 12);
    // Server's product master from December 2025, local one from January 2026: older, even
    // though December's month-day-hour is larger.
    setTime(server / "F7mb2026.FT1", 2025, 12);
    setTime(dir / "F7mb2026.FT1", 2026, 1);
    setTime(server / "F7mc2026.FT1", 2020, 1);
    setTime(server / "S7md2026.FT1", 2020, 1);
    setTime(server / "F7me2026.FT1", 2020, 1);
    Bytes marker(480, std::byte{0x55});
    ASSERT_TRUE(realFileSystem().write(server / "F7ma2026.FT1", 480, marker));
    setTime(server / "F7ma2026.FT1", 2027, 1);

    AppContext ctx = context();
    dialogs.answers = {Answer::Yes};
    ASSERT_EQ(start(ctx), StartupResult::Run);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0], msg::kServerMasterNewer[0]);
    EXPECT_EQ(test::readFile(dir / "F7ma2026.FT1"), test::readFile(server / "F7ma2026.FT1"));
    EXPECT_EQ(ctx.fileSet[kSlipHeaders], server / "F7db2026.FT2");
    EXPECT_EQ(ctx.fileSet[kCustomers], dir / "F7ma2026.FT1");
}

}  // namespace
}  // namespace rk

namespace rk {
namespace {

// The real file system except that one file cannot be read.
class UnreadableFile final : public FileSystem {
public:
    explicit UnreadableFile(fs::path p) : bad_(std::move(p)) {}
    std::optional<size_t> read(const fs::path& p, uint64_t o, std::span<std::byte> out) override {
        if (p == bad_) return noteFileError("read", p, EIO), std::nullopt;
        return real().read(p, o, out);
    }
    bool write(const fs::path& p, uint64_t o, std::span<const std::byte> d, bool c) override {
        return real().write(p, o, d, c);
    }
    std::optional<uint64_t> append(const fs::path& p, std::span<const std::byte> d) override {
        return real().append(p, d);
    }
    std::optional<uint64_t> size(const fs::path& p) override { return real().size(p); }
    bool exists(const fs::path& p) override { return real().exists(p); }
    bool writable(const fs::path& p) override { return real().writable(p); }
    std::optional<FileTime> modified(const fs::path& p) override { return real().modified(p); }
    bool truncate(const fs::path& p, uint64_t n) override { return real().truncate(p, n); }
    bool sync(const fs::path& p) override { return real().sync(p); }
    bool rename(const fs::path& a, const fs::path& b) override { return real().rename(a, b); }
    bool remove(const fs::path& p) override { return real().remove(p); }
    bool copy(const fs::path& a, const fs::path& b) override { return real().copy(a, b); }

private:
    static FileSystem& real() { return realFileSystem(); }
    fs::path bad_;
};

// One failed read of the account-item file used to reset it to the defaults without a word:
// a business's opening balances gone.
TEST_F(StartupLoaderTest, AnUnreadableAccountFileIsLeftAsItIsAndSaysSo) {
    install();
    const fs::path accounts = dir / "S7md2026.FT1";
    Bytes b = test::readFile(accounts);
    const double opening = 1234567;
    std::memcpy(b.data() + 110 * 64 + 32, &opening, 8);
    ASSERT_TRUE(realFileSystem().replaceWhole(accounts, b));

    UnreadableFile files(accounts);
    AppContext ctx(Edition::Sales, dir.path(), files, clock);
    EXPECT_EQ(start(ctx), StartupResult::End);
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_TRUE(dialogs.shown.back().starts_with(msg::kAccountFileMissing)) << dialogs.shown.back();
    EXPECT_NE(dialogs.shown.back().find(accounts.string()), std::string::npos) << "the message names the file";
    EXPECT_EQ(test::readFile(accounts), b);
}

// A short settings file reads as business year 0: the start used to offer to create
// "F7db   0.FT2" and friends. Month 13 would index past the year's periods.
TEST_F(StartupLoaderTest, ADamagedSettingsFileEndsTheStartAndIsNotOverwritten) {
    install();
    const fs::path settings = dir / "FMST.FT0";
    ASSERT_TRUE(realFileSystem().exists(settings));
    Bytes full = test::readFile(settings);
    for (Bytes damaged : {Bytes(full.begin(), full.begin() + 200), full}) {
        if (damaged.size() == full.size()) writeI32(damaged, offsetof(BasicSettings, firstMonth), 13);
        ASSERT_TRUE(realFileSystem().replaceWhole(settings, damaged));
        dialogs = ScriptedDialogs{};
        AppContext ctx = context();
        EXPECT_EQ(start(ctx), StartupResult::End);
        ASSERT_FALSE(dialogs.shown.empty());
        EXPECT_EQ(dialogs.shown.back(), msg::kSettingsDamaged);
        EXPECT_EQ(prompts.newDataShown, 0);
        EXPECT_EQ(test::readFile(settings), damaged);
    }
    for (const auto& e : fs::directory_iterator(dir.path()))
        EXPECT_EQ(e.path().filename().string().find("   0"), std::string::npos) << e.path();
}

}  // namespace
}  // namespace rk
