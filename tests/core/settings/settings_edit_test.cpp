#include <gtest/gtest.h>

#include <cstring>

#include "app/startup_loader.h"
#include "base/cp932.h"
#include "settings/basic_settings_edit.h"
#include "settings/environment_edit.h"
#include "settings/messages.h"
#include "support/temp_folder.h"

namespace rk::settings {
namespace {

class SettingsEditTest : public ::testing::Test {
protected:
    test::TempFolder dir;
    FixedClock clock{{2026, 12, 7, 9, 0, 0}};
    ScriptedDialogs dialogs;
    AppContext ctx{Edition::Sales, dir.path(), realFileSystem(), clock};

    void SetUp() override {
        ASSERT_TRUE(writeNewInstallation(ctx, defaultSettings(clock)));
        ctx.settings = ctx.storedSettings = *readSettings(ctx.files, ctx.settingsFile());
        buildYearFiles(ctx);
        ASSERT_TRUE(createYearData(ctx));
        ASSERT_TRUE(ctx.files.replaceWhole(ctx.fileSet[kAccounts], defaultAccountFile()));
        ctx.env = *readEnvironment(ctx.files, ctx.fileSet[kAccounts], ctx.edition);
    }
};

TEST(BasicSettingsRules, FieldNormalisation) {
    EXPECT_EQ(normaliseYear(7), 2007);
    EXPECT_EQ(normaliseYear(99), 1999);
    EXPECT_EQ(normaliseYear(50), 2050);
    EXPECT_EQ(normaliseYear(2100), 2050);
    EXPECT_EQ(normaliseYear(1900), 1950);
    EXPECT_EQ(normaliseYear(2026), 2026);
    EXPECT_EQ(normaliseFirstMonth(0), 1);
    EXPECT_EQ(normaliseFirstMonth(13), 12);
    EXPECT_EQ(normaliseTaxRate(-3), 0.0);
}

TEST(BasicSettingsRules, PasswordDecisions) {
    EXPECT_EQ(passwordChange(0, 0, 1234), PasswordChange::New);
    EXPECT_EQ(passwordChange(0, 0, 0), PasswordChange::None);
    EXPECT_EQ(passwordChange(1234, 1234, 99), PasswordChange::Changed);
    EXPECT_EQ(passwordChange(1234, 1234, 0), PasswordChange::Removed);
    EXPECT_EQ(passwordChange(1234, 0, 0), PasswordChange::None);
    EXPECT_EQ(passwordChange(1234, 1111, 0), PasswordChange::WrongCurrent);
    EXPECT_EQ(passwordChange(1234, 0, 55), PasswordChange::WrongCurrent);
}

TEST_F(SettingsEditTest, PasswordIsSetChangedAndRemovedInHeaderRecordZero) {
    BasicSettings edited = ctx.settings;
    dialogs.answers = {Answer::Yes};
    EXPECT_TRUE(save(ctx, dialogs, edited, 0, 4321).passwordWritten);
    EXPECT_EQ(dialogs.shown.back(), msg::kPasswordNew);
    EXPECT_EQ(readI32(test::readFile(ctx.fileSet[kSlipHeaders]), 764), 4321);

    EXPECT_FALSE(save(ctx, dialogs, edited, 1111, 0).passwordWritten);
    EXPECT_EQ(dialogs.shown.back(), msg::kPasswordWrong);
    EXPECT_EQ(storedPassword(ctx), 4321);

    dialogs.answers = {Answer::No};
    EXPECT_FALSE(save(ctx, dialogs, edited, 4321, 0).passwordWritten);
    EXPECT_EQ(storedPassword(ctx), 4321);

    dialogs.answers = {Answer::Yes};
    EXPECT_TRUE(save(ctx, dialogs, edited, 4321, 0).passwordWritten);
    EXPECT_EQ(dialogs.shown.back(), msg::kPasswordRemoved);
    EXPECT_EQ(storedPassword(ctx), 0);
    EXPECT_EQ(test::readFile(ctx.fileSet[kSlipHeaders]).size(), 768u);
}

TEST_F(SettingsEditTest, SavePropagatesSharedFieldsToTheOtherEditions) {
    // The purchase edition has its own settings with its own year and name.
    BasicSettings purchase = defaultSettings(clock);
    purchase.businessYear = 2025;
    cp932::assign(purchase.name, "仕入側の名前です");
    cp932::assign(purchase.department, "仕入部");
    ASSERT_TRUE(writeSettings(ctx.files, ctx.fileSet.settingsFile(Edition::Purchase), purchase));

    BasicSettings edited = ctx.settings;
    // 21 bytes: the 20-byte cut falls inside the eleventh character.
    cp932::assign(edited.name, "あいうえおかきくけこa");
    cp932::assign(edited.phone, "03-1234-5678");
    SaveOutcome out = save(ctx, dialogs, edited, 0, 0);
    EXPECT_FALSE(out.restartNeeded);
    EXPECT_EQ(cp932::toUtf8(ctx.settings.phone), "03-1234-5678");

    auto p = readSettings(ctx.files, ctx.fileSet.settingsFile(Edition::Purchase));
    ASSERT_TRUE(p);
    EXPECT_EQ(cp932::toUtf8(p->phone), "03-1234-5678");
    EXPECT_EQ(cp932::toUtf8(p->name), "あいうえおかきくけこ");
    EXPECT_EQ(cp932::toUtf8(p->department), "仕入部");
    EXPECT_EQ(p->businessYear, 2025);
    // Each backup holds its own edition's record.
    auto pBak = readSettings(ctx.files, ctx.fileSet.settingsBackup(Edition::Purchase));
    ASSERT_TRUE(pBak);
    EXPECT_EQ(std::memcmp(&*pBak, &*p, sizeof *p), 0);
    auto fBak = readSettings(ctx.files, ctx.fileSet.settingsBackup(Edition::Sales));
    EXPECT_EQ(std::memcmp(&*fBak, &edited, sizeof edited), 0);
    // A missing edition gets a full copy.
    auto z = readSettings(ctx.files, ctx.fileSet.settingsFile(Edition::Finance));
    ASSERT_TRUE(z);
    EXPECT_EQ(std::memcmp(&*z, &edited, sizeof edited), 0);

    BasicSettings month = ctx.settings;
    month.firstMonth = 4;
    EXPECT_TRUE(save(ctx, dialogs, month, 0, 0).restartNeeded);
    BasicSettings folder = ctx.settings;
    std::memcpy(folder.dataFolder, "/srv/x/", 7);
    EXPECT_TRUE(save(ctx, dialogs, folder, 0, 0).restartNeeded);
    BasicSettings blanks = ctx.settings;
    std::memcpy(blanks.dataFolder + 7, "   ", 3);
    EXPECT_FALSE(save(ctx, dialogs, blanks, 0, 0).restartNeeded);
}

TEST_F(SettingsEditTest, RestoreFromBackup) {
    EXPECT_FALSE(restoreFromBackup(ctx, dialogs));
    EXPECT_EQ(dialogs.shown.back(), msg::kNoBackup);
    BasicSettings b = ctx.settings;
    b.taxRate = 8.0;
    ASSERT_TRUE(writeSettings(ctx.files, ctx.fileSet.settingsBackup(Edition::Sales), b));
    EXPECT_TRUE(restoreFromBackup(ctx, dialogs));
    EXPECT_EQ(dialogs.shown.back(), msg::kRestoredFromBackup);
    EXPECT_EQ(readSettings(ctx.files, ctx.settingsFile())->taxRate, 8.0);
}

TEST_F(SettingsEditTest, EnvironmentChoicesTogglesAndSave) {
    EXPECT_EQ(customerCountFromChoice(2, Edition::Sales), 2999);
    EXPECT_EQ(customerCountFromChoice(2, Edition::Purchase), 999);
    EXPECT_EQ(inputPointFromChoice(2), 6);

    const EnvironmentBlock opened = ctx.env;
    toggleAutoBackup(ctx, dialogs);
    toggleAutoBackup(ctx, dialogs);
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[0], msg::kAutoBackupOff);
    EXPECT_EQ(dialogs.shown[1], msg::kAutoBackupOn);
    EXPECT_EQ(ctx.env.autoBackupOff, 0);
    toggleCheckMode(ctx, dialogs);
    EXPECT_EQ(ctx.settings.systemCheckMode, 1);

    EnvironmentBlock edited = ctx.env;
    edited.customerCount = 2999;
    setColour(ctx, 0, 0x112233);
    edited.colours[0] = ctx.env.colours[0];
    ASSERT_TRUE(saveEnvironment(ctx, dialogs, opened, edited));
    Bytes f = test::readFile(ctx.fileSet[kAccounts]);
    EXPECT_EQ(readI32(f, 0x0A4), 2999);
    EXPECT_EQ(static_cast<uint32_t>(readI32(f, 0x230)), 0x332211u);
    EXPECT_EQ(readI32(f, 1536 + 0x0A4), 999);  // the other editions' blocks stay

    EnvironmentBlock lower = ctx.env;
    lower.customerCount = 999;
    dialogs.answers = {Answer::No};
    EXPECT_FALSE(saveEnvironment(ctx, dialogs, ctx.env, lower));
    EXPECT_EQ(dialogs.shown.back(), msg::kCustomerCountLowered);
    EXPECT_EQ(readI32(test::readFile(ctx.fileSet[kAccounts]), 0x0A4), 2999);

    restoreDefaultColours(ctx);
    EXPECT_EQ(ctx.colours[0], 0x408000u);
}

TEST_F(SettingsEditTest, AccountLookupMatchesWholeCharacters) {
    auto all = findAccounts(ctx, "掛け");
    ASSERT_TRUE(all);
    ASSERT_EQ(all->size(), 2u);
    EXPECT_EQ((*all)[0].code, 110);
    EXPECT_EQ((*all)[0].label(), " 110  売り掛け");
    EXPECT_EQ((*all)[1].code, 210);
    auto none = findAccounts(ctx, "A");
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->empty());
    fs::remove(ctx.fileSet[kAccounts]);
    EXPECT_FALSE(findAccounts(ctx, "現金"));
}

}  // namespace
}  // namespace rk::settings
