#include "listtable/sorting_sheet.h"

#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli.h"
#include "listtable/day_table_fixture.h"
#include "listtable/list_messages.h"

namespace rk::test {
namespace {

using listtable::DayTable;

class SortingSheet : public DayTableTest {
protected:
    void SetUp() override {
        DayTableTest::SetUp();
        slip(kDay, 8, kStageDelivery, {line(1, 30, 120, 1, 3, 10), line(2, 20, 80.5, 3)});
        slip(kDay, 9, kStageDelivery, {line(2, 5, 80.5, 3)});
    }
};

TEST_F(SortingSheet, CsvHoldsColumnsThenThreeLinesPerCustomer) {
    DayTable t(ctx, dialogs);
    t.load(kDay);
    const std::string expected =
        "－ ,－ , 商品名 , バラ, カーネーション\r\n"
        " － ,－ , , 秀, 秀\r\n"
        "－ ,－ , , , \r\n"
        "－ , － ,品ｺｰﾄﾞ , 1, 2\r\n"
        "－ , － ,入り数 , 10, 0\r\n"
        "－ ,－ , 単価 , 120, 80\r\n"
        "－ , － ,合計箱数 , 3, 0\r\n"
        "－ ,－ ,合計数量 , 30, 25\r\n"
        " 得意先No&名, 合計値, 項目名\r\n"
        " 8 , , 単価 , 120, 80\r\n"
        "有限会社鈴木生花店 , 3 , 箱数 , 3, 0\r\n"
        " , 50, 数量 , 30, 20\r\n"
        " 9 , , 単価 , 0, 80\r\n"
        "花の山田 , 0 , 箱数 , 0, 0\r\n"
        " , 5, 数量 , 0, 5\r\n";
    EXPECT_EQ(cp932::toUtf8(listtable::sortingSheetCsv(t)), expected);

    const fs::path file = ctx.programFolder() / "仕訳表.Csv";
    ASSERT_TRUE(listtable::exportSortingSheet(t, fs, file, dialogs));
    auto written = fs.readAll(file);
    ASSERT_TRUE(written);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(written->data()), written->size()),
              listtable::sortingSheetCsv(t));
}

TEST_F(SortingSheet, TheCommandLineWritesTheSameFile) {
    auto run = [](std::vector<std::string> args) {
        args.insert(args.begin(), "rakurena");
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        std::ostringstream o, e;
        cli::Io io{o, e};
        return cli::main(static_cast<int>(argv.size()), argv.data(), io);
    };
    const std::string folder = ctx.programFolder().string();
    ASSERT_EQ(run({"export", "sheet", "--date", "512", folder}), 0);
    DayTable t(ctx, dialogs);
    t.load(kDay);
    auto written = fs.readAll(ctx.programFolder() / "仕訳表.Csv");
    ASSERT_TRUE(written);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(written->data()), written->size()),
              listtable::sortingSheetCsv(t));
    EXPECT_EQ(run({"export", "sheet", "--date", "512", "-o", folder + "/sheet.txt", folder}), 1);
    EXPECT_EQ(run({"export", "sheet", "--date", "13", folder}), 2);
}

TEST_F(SortingSheet, CsvNamesAreChecked) {
    DayTable t(ctx, dialogs);
    t.load(kDay);
    const fs::path dir = ctx.programFolder();
    EXPECT_FALSE(listtable::exportSortingSheet(t, fs, dir / "shiwake", dialogs));
    EXPECT_FALSE(listtable::exportSortingSheet(t, fs, dir / "shiwake.txt", dialogs));
    EXPECT_FALSE(listtable::exportSortingSheet(t, fs, dir / "仕訳表一覧.csv", dialogs));  // 14 bytes
    EXPECT_FALSE(listtable::exportSortingSheet(t, fs, dir / "nofolder" / "a.csv", dialogs));
    EXPECT_EQ(dialogs.shown, (std::vector<std::string>{msg::kCsvNoPeriod, msg::kCsvBadExtension, msg::kCsvNameTooLong,
                                                       msg::kCsvCannotCreate}));
    EXPECT_EQ(listtable::csvNameProblem(dir / "SHIWAKE1.CSV"), nullptr);
}

TEST_F(SortingSheet, PlanSplitsColumnsAcrossAndCustomersDownIntoNumberedSheets) {
    DayTable t(ctx, dialogs);
    t.load(kDay);
    const printing::PrintForm form = printing::defaultPrintForm();
    const printing::PageArea area{0, 0, 7016, 4961};  // A4 landscape at 600 dpi
    const printing::PageMetrics m = printing::pageMetrics(form, area);
    const listtable::SheetLayout layout = listtable::sheetLayout(m);
    ASSERT_GE(layout.columnsPerPage, 8);
    ASSERT_GE(layout.rowsPerPage, 15);

    // Enough goods and customers for two sheets each way.
    for (int c = 3; c <= layout.columnsPerPage + 2; ++c) {
        t.editColumn(c, listtable::kLineMethod, 1 + c / 50);
        t.editColumn(c, listtable::kLineGrade1, 1 + c % 50);
    }
    for (int r = 3; r <= layout.rowsPerPage + 2; ++r) {
        t.editCustomer(r, 100 + r);
        t.editCell(layout.columnsPerPage + 2, r, listtable::CellPart::Quantity, r);
    }
    const printing::Document doc = listtable::sortingSheetPlan(t, form, area);
    ASSERT_EQ(doc.pages.size(), 4u);
    EXPECT_TRUE(doc.landscape);
    auto has = [](const printing::Page& p, const std::string& text) {
        for (const auto& item : p.texts)
            if (item.text == text) return true;
        return false;
    };
    EXPECT_TRUE(has(doc.pages[0], " 5 月 12 日   【 仕 訳 表 】  帳票 No　1 - 1 "));
    EXPECT_TRUE(has(doc.pages[3], " 5 月 12 日   【 仕 訳 表 】  帳票 No　2 - 2 "));
    EXPECT_TRUE(has(doc.pages[0], "  競売り"));
    EXPECT_TRUE(has(doc.pages[0], "  卸売り"));
    EXPECT_TRUE(has(doc.pages[0], "       8 "));
    EXPECT_TRUE(has(doc.pages[0], "有限会社鈴木生花店"));
    char next[32];
    std::snprintf(next, sizeof next, "    %4d ", 100 + layout.rowsPerPage + 1);
    EXPECT_TRUE(has(doc.pages[1], next));  // the second sheet down goes on with the next customer
    EXPECT_FALSE(has(doc.pages[1], "       8 "));
    // Everything stays inside the printable area.
    for (const auto& page : doc.pages) {
        for (const auto& r : page.rules) {
            EXPECT_LE(std::max(r.x1, r.x2), m.right);
            EXPECT_LE(std::max(r.y1, r.y2), m.bottom);
        }
    }
}

}  // namespace
}  // namespace rk::test
