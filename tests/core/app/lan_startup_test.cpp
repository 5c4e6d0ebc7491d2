// Registration as one step of the start-up, and the command-line listing of a live folder.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>

#include "app/messages.h"
#include "app/startup_loader.h"
#include "support/test_station.h"

namespace rk {
namespace {

using test::started;
using test::TempFolder;

class CountingPrompts : public StartupPrompts {
public:
    int settingsOpened = 0;
    NewData newData() override { return NewData::Create; }
    std::optional<std::string> password() override { return std::nullopt; }
    bool openBasicSettingsAtStart() override { return ++settingsOpened, true; }
    bool openConversionAtStart() override { return false; }
};

void writeInstallation(const fs::path& folder, int lanMode) {
    AppContext ctx(Edition::Sales, folder);
    BasicSettings s = defaultSettings(ctx.clock);
    s.businessYear = s.inputYear = 2026;
    s.lanMode = lanMode;
    ASSERT_TRUE(writeSettings(ctx.files, ctx.settingsFile(), s));
}

TEST(LanStartup, RegistrationInTheLoader) {
    TempFolder dir;
    writeInstallation(dir.path(), 2);
    {
        // No control file: the operator chooses to change the settings and the program runs.
        AppContext ctx(Edition::Sales, dir.path());
        ScriptedDialogs dialogs;
        dialogs.answers = {Answer::Yes};
        CountingPrompts prompts;
        LanStation station;
        EXPECT_EQ(runStartupLoader(ctx, dialogs, prompts, station), StartupResult::Run);
        EXPECT_EQ(prompts.settingsOpened, 1);
        EXPECT_EQ(ctx.stationNumber, 0);
        EXPECT_FALSE(fs::exists(ctx.fileSet[kSlipHeaders]));  // the start-up stopped there
    }
    auto server = started(dir.path(), 1);
    ASSERT_TRUE(server);
    AppContext ctx(Edition::Sales, dir.path());
    ScriptedDialogs dialogs;
    CountingPrompts prompts;
    LanStation station;
    ASSERT_EQ(runStartupLoader(ctx, dialogs, prompts, station), StartupResult::Run);
    EXPECT_EQ(ctx.stationNumber, 2);
    EXPECT_EQ(prompts.settingsOpened, 0);
    EXPECT_TRUE(fs::exists(ctx.fileSet[kSlipHeaders]));
    EXPECT_EQ(LanControl(ctx, dialogs).lockSlip(501, 12), lan::kOk);

    std::string out;
    std::string cmd = std::string(RAKURENA_CLI) + " stations " + dir.path().string();
    FILE* p = ::popen(cmd.c_str(), "r");
    ASSERT_TRUE(p);
    std::array<char, 256> buf;
    while (std::fgets(buf.data(), buf.size(), p)) out += buf.data();
    EXPECT_EQ(::pclose(p), 0);
    EXPECT_NE(out.find("station 1\trunning\n"), std::string::npos) << out;
    EXPECT_NE(out.find("station 2\trunning\n"), std::string::npos) << out;
    EXPECT_NE(out.find("slip 0\t05/01 customer 12 station 2\n"), std::string::npos) << out;

    bool backup = true;
    EXPECT_EQ(station.unregisterAtExit(ctx, dialogs, backup), 0);
    EXPECT_EQ(server->table(), LanTable::forServer());
}

}  // namespace
}  // namespace rk
