#include "app/command_table.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "app/app_context.h"
#include "app/menu_table.h"

using namespace rk;
using Kind = CommandOutcome::Kind;

namespace {

struct Commands : ::testing::Test {
    AppContext sales{Edition::Sales, "/nonexistent"};
    AppContext purchase{Edition::Purchase, "/nonexistent"};

    static CommandOutcome run(AppContext& ctx, int id) {
        const CommandEntry* entry = findCommand(id);
        EXPECT_NE(entry, nullptr) << id;
        return entry ? runCommand(ctx, *entry) : CommandOutcome{};
    }
};

}  // namespace

TEST_F(Commands, SharedFlagsExcludeEachOther) {
    EXPECT_EQ(run(sales, 187).kind, Kind::Open);  // month customer table: kind 7
    auto o = run(sales, 193);
    EXPECT_EQ(o.kind, Kind::Refused);
    EXPECT_EQ(o.message, "複数の 受注集計 ウインドウは開けません");

    EXPECT_EQ(run(sales, 188).kind, Kind::Open);  // kind 9 is shared with the delivery form settings
    EXPECT_EQ(sales.windowMode, 9);
    o = run(sales, 167);
    EXPECT_EQ(o.kind, Kind::Refused);
    EXPECT_EQ(o.message, "複数の宅配伝票フォーム設定ウインドウは開けません");
    EXPECT_FALSE(o.beep);

    EXPECT_EQ(run(sales, 145).kind, Kind::Open);
    o = run(sales, 177);
    EXPECT_EQ(o.message, "複数の 売り上げ実績集計 ウインドウは開けません");
    EXPECT_TRUE(o.beep);
    EXPECT_EQ(run(sales, 192).message, "複数の 名前検索集計 ウインドウは開けません");
    EXPECT_EQ(run(sales, 147).message, "複数の 請求書印刷 ウインドウは開けません");

    EXPECT_EQ(run(sales, 178).kind, Kind::Open);
    EXPECT_EQ(run(sales, 185).message, "複数の 販売元帳 ウインドウは開けません");
    EXPECT_EQ(run(sales, 148).kind, Kind::Open);
    EXPECT_EQ(run(sales, 211).message, "複数の 表集計 ウインドウは開けません");
}

TEST_F(Commands, PaymentAndSlipEntryRefuseEachOtherInTheEditionsWording) {
    EXPECT_EQ(run(purchase, 134).kind, Kind::Open);
    auto o = run(purchase, 130);
    EXPECT_EQ(o.message, "出金データ入力ウインドウアクティブ中は開けません");
    EXPECT_TRUE(o.beep);
    EXPECT_EQ(run(purchase, 134).message, "複数の出金処理ウインドウは開けません");
    EXPECT_EQ(run(purchase, 161).message,
              "他に得意先の前期残高を変更する恐れのウインドウがアクティブのため\n ウインドウは開けません　"
              "他のウインドウをクローズしてください");

    EXPECT_EQ(run(sales, 131).kind, Kind::Open);
    EXPECT_EQ(run(sales, 134).message, "納品書入力ウインドウアクティブ中では開けません");
}

TEST_F(Commands, SlipEntryAskedForAgainComesForwardWithModeUnchanged) {
    EXPECT_EQ(run(sales, 131).kind, Kind::Open);
    EXPECT_EQ(sales.windowMode, 2);
    auto o = run(sales, 130);
    EXPECT_EQ(o.kind, Kind::Raise);
    EXPECT_TRUE(o.beep);
    EXPECT_EQ(sales.windowMode, 2);

    windowClosed(sales, *findCommand(131));
    sales.windowMode = 11;  // another window asked for one order slip
    EXPECT_EQ(run(sales, 130).kind, Kind::Open);
    EXPECT_EQ(sales.windowMode, 11);
    windowClosed(sales, *findCommand(130));
    sales.windowMode = 14;
    run(sales, 133);
    EXPECT_EQ(sales.windowMode, 14);
    windowClosed(sales, *findCommand(133));
    sales.windowMode = 12;
    run(sales, 133);
    EXPECT_EQ(sales.windowMode, 3);
}

TEST_F(Commands, StartUpRequestOpensInStartUpMode) {
    sales.windowFlags[kBasicSettingsFlag] = -1;
    auto o = run(sales, 160);
    EXPECT_EQ(o.kind, Kind::Open);
    EXPECT_EQ(o.flagValue, 2);
    EXPECT_EQ(run(sales, 160).message, "複数の基本設定ウインドウは開けません");
    windowClosed(sales, *findCommand(160));
    EXPECT_EQ(run(sales, 160).flagValue, 1);

    sales.windowFlags[kConversionFlag] = -1;
    EXPECT_EQ(run(sales, 203).flagValue, 2);
}

TEST_F(Commands, SomeWindowsOpenTwiceOrSilentlyNot) {
    EXPECT_EQ(run(sales, 192).kind, Kind::Open);
    EXPECT_EQ(run(sales, 192).kind, Kind::Open);
    EXPECT_EQ(run(sales, 168).kind, Kind::Open);
    EXPECT_EQ(run(sales, 168).kind, Kind::Nothing);
    EXPECT_EQ(run(sales, 194).kind, Kind::Open);
    EXPECT_EQ(run(sales, 194).kind, Kind::Nothing);
    EXPECT_EQ(run(sales, 166).kind, Kind::Open);
    EXPECT_EQ(run(sales, 166).kind, Kind::Open);
    EXPECT_EQ(run(sales, 151).kind, Kind::Open);
    EXPECT_EQ(sales.windowMode, 151);
    EXPECT_EQ(run(sales, 359).message, "グループ代表請求ウインドウと同時には開けません");
}

TEST(CommandData, RefusalTextsOfSecondInstancesAreWellFormed) {
    const std::string head = "複数の", tail = "ウインドウは開けません";
    for (const CommandEntry& c : commandTable()) {
        for (const Refusal& r : c.refusals) {
            bool own = r.whenOpen.size() == 1 && r.whenOpen[0] == c.flag;
            for (std::string_view t : {r.sales, r.purchase}) {
                if (!own || t.empty() || c.id == 151 || c.id == 359) continue;
                EXPECT_EQ(t.substr(0, head.size()), head) << c.id;
                EXPECT_EQ(t.substr(t.size() - tail.size()), tail) << c.id;
            }
        }
    }
}

TEST(CommandData, EveryMenuItemIsACommandTheFrameKnows) {
    const std::set<int> standard{cmd::kPrintSetup, cmd::kExit, cmd::kGuideContents, cmd::kGuideUsage, cmd::kAbout};
    std::function<void(const std::vector<MenuItem>&)> walk = [&](const std::vector<MenuItem>& items) {
        for (const MenuItem& m : items) {
            if (m.command) {
                EXPECT_TRUE(findCommand(m.command) || standard.count(m.command)) << m.command;
            }
            walk(m.children);
        }
    };
    for (Edition e : {Edition::Sales, Edition::Purchase, Edition::Finance}) walk(menuBar(e));

    EXPECT_EQ(menuCaption(Edition::Sales, 130), "受注伝票入力");
    EXPECT_EQ(menuCaption(Edition::Purchase, 130), "発注伝票入力");
    EXPECT_EQ(menuCaption(Edition::Purchase, 359), "InvoiceDataPrint");
    EXPECT_TRUE(menuCaption(Edition::Sales, 359).empty());
    EXPECT_TRUE(menuCaption(Edition::Purchase, 361).empty());
    EXPECT_TRUE(menuCaption(Edition::Purchase, 215).empty());
    EXPECT_EQ(menuCaption(Edition::Purchase, 179), "部門別集計");
    EXPECT_TRUE(menuBar(Edition::Finance).empty());
}

TEST(CommandData, AcceleratorsDifferByEdition) {
    auto find = [](Edition e, std::string_view keys) {
        for (const Accelerator& a : accelerators(e))
            if (a.keys == keys) return a.command;
        return 0;
    };
    EXPECT_EQ(find(Edition::Sales, "Alt+Home"), 360);
    EXPECT_EQ(find(Edition::Purchase, "Ctrl+Home"), 360);
    EXPECT_EQ(find(Edition::Purchase, "Alt+Home"), 0);
    EXPECT_EQ(find(Edition::Sales, "Shift+H"), 363);
    EXPECT_EQ(find(Edition::Purchase, "Shift+H"), 0);
    EXPECT_EQ(find(Edition::Purchase, "Shift+Up"), 0);
    EXPECT_EQ(find(Edition::Purchase, "Alt+I"), 358);
    EXPECT_EQ(find(Edition::Sales, "F6"), 208);
    EXPECT_EQ(find(Edition::Sales, "F8"), 210);
}
