// The table CSV files byte by byte, their names, and `rakurena export table` writing the
// same bytes as the window's export.
#include "tables/table_csv.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "base/cp932.h"
#include "masters/master_io.h"
#include "support/installation.h"
#include "tables/bulk_totals.h"
#include "tables/key_names.h"
#include "tables/ledger.h"
#include "tables/sales_totals.h"
#include "tables/year_builder.h"

namespace rk::tables {
namespace {

std::string sj(const char* s) { return cp932::fromUtf8(s); }
std::string num(const char* digits) {
    std::string d = digits;
    return std::string(11 - d.size(), ' ') + d + " ,";
}
std::string text(const Bytes& b) { return {reinterpret_cast<const char*>(b.data()), b.size()}; }

struct TableCsv : ::testing::Test {
    test::Installation inst;
    AppContext& ctx = *inst.ctx;

    TableCsv() {
        CustomerRecord c{};
        cp932::assign(c.name, "花の店");
        EXPECT_TRUE(masters::writeRecord(ctx.files, ctx.fileSet[kCustomers], 3, c));
        test::YearBuilder year(ctx.files, ctx.fileSet);
        year.slip(405, 3, kStageProcessed, {{.quantity = 10, .amount = 1000}});
        year.slip(406, 7, kStageSettled, {{.quantity = 4, .amount = 500}});
    }
};

TEST_F(TableCsv, DayTableFilesByteByByte) {
    TableResult r = runTable(ctx, 1, {101, 1231, 1, 999}, {});
    auto names = keyNames(ctx, kByCustomer, r.codeSlots);
    const std::string blank = "         ,";
    const std::string head = blank + sj("     Ｎｏ,") + blank + "        3,        7,\r\n" + blank + blank + blank +
                             sj("花の店") + std::string(10, ' ') + " , " + std::string(16, ' ') + " , \r\n";
    EXPECT_EQ(tableCsv(r, names, CsvPart::Quantity),
              head + blank + sj("数量     ,") + blank + num("10") + num("4") + "\r\n" +  //
                  " 4-05  ," + sj("数量     ,") + num("10") + num("10") + num("0") + "\r\n" + " 4-06  ," +
                  sj("数量     ,") + num("4") + num("0") + num("4") + "\r\n");
    EXPECT_EQ(tableCsv(r, names, CsvPart::Price),
              head + blank + sj("平均単価 ,") + blank + num("100") + num("125") + "\r\n" +  //
                  " 4-05  ," + sj("平均単価 ,") + num("100") + num("100") + num("0") + "\r\n" + " 4-06  ," +
                  sj("平均単価 ,") + num("125") + num("0") + num("125") + "\r\n");
    const std::string all = tableCsv(r, names, CsvPart::All);
    EXPECT_NE(all.find(" 4-05  ," + sj("数量     ,") + num("10") + num("10") + num("0") + "\r\n" +
                       sj("        ,平均単価 , ") + num("100") + num("100") + num("0") + "\r\n" +
                       sj("        ,金額     , ") + num("1000") + num("1000") + num("0") + "\r\n"),
              std::string::npos);
    EXPECT_EQ(all.find("      \r\n"), std::string::npos);  // day tables have no separator line

    // Products are named in 16 bytes, a comma and two blanks; remark tables name nothing.
    TableResult p = runTable(ctx, 3, {101, 1231, 1, 999}, {});
    std::vector<std::string> productNames(1000);
    productNames[1] = sj("バラ");
    EXPECT_NE(tableCsv(p, productNames, CsvPart::Amount).find(sj("バラ") + std::string(12, ' ') + ",  \r\n"),
              std::string::npos);
}

TEST_F(TableCsv, MonthLabelsAndSeparator) {
    EXPECT_EQ(csvPeriodLabel(202600, false), "26-" + sj("年度"));
    EXPECT_EQ(csvPeriodLabel(202604, false), "26- 4  ");
    EXPECT_EQ(csvPeriodLabel(202604, true), "26- 4" + sj("年"));
    EXPECT_EQ(csvPeriodLabel(202612, true), "26-12" + sj("年"));
    EXPECT_EQ(csvPeriodLabel(1225, true), "12-25  ");

    TableResult r = runTable(ctx, 7, {2026, 2026, 1, 999}, {});
    const std::string csv = tableCsv(r, keyNames(ctx, kByCustomer, r.codeSlots), CsvPart::Quantity);
    const size_t year = csv.find("26-" + sj("年度") + "," + sj("数量     ,") + num("14") + num("10") + num("4"));
    const size_t separator = csv.find("      \r\n");
    const size_t april = csv.find("26- 4" + sj("年") + "," + sj("数量     ,") + num("14") + num("10") + num("4"));
    ASSERT_NE(year, std::string::npos);
    ASSERT_NE(separator, std::string::npos);
    ASSERT_NE(april, std::string::npos);
    EXPECT_LT(year, separator);
    EXPECT_LT(separator, april);
}

TEST_F(TableCsv, FileNames) {
    ScriptedDialogs d;
    auto four = tableCsvFiles("/x/表集計.Csv", d);
    ASSERT_TRUE(four);
    EXPECT_EQ((*four)[0], fs::path("/x/表集計A.Csv"));
    EXPECT_EQ((*four)[3], fs::path("/x/表集計D.Csv"));
    EXPECT_EQ((*tableCsvFiles("/x.y/plain", d))[1], fs::path("/x.y/plainB.Csv"));
    EXPECT_FALSE(tableCsvFiles("/x/a.b.Csv", d));
    ASSERT_EQ(d.shown.size(), 1u);
    EXPECT_EQ(d.shown[0], "ファイル名にピリオドが複数あるため\nファイル名が不正です");
}

TEST_F(TableCsv, CliWritesTheWindowsBytes) {
    const fs::path folder = ctx.programFolder();
    for (int kind : {1, 3, 9}) {
        SCOPED_TRACE(kind);
        TableResult r = runTable(ctx, kind, defaultRange(kind, ctx), {});
        ScriptedDialogs d;
        ASSERT_TRUE(
            writeTableCsv(ctx.files, folder / "win.Csv", r, keyNames(ctx, tableKind(kind).dimension, r.codeSlots), d));
        const std::string cmd = std::string(RAKURENA_CLI) + " export table --kind " + std::to_string(kind) + " -o " +
                                (folder / "cli.Csv").string() + " " + folder.string() + " >/dev/null 2>&1";
        ASSERT_EQ(WEXITSTATUS(std::system(cmd.c_str())), 0);
        for (char part : {'A', 'B', 'C', 'D'}) {
            auto mine = ctx.files.readAll(folder / (std::string("win") + part + ".Csv"));
            auto theirs = ctx.files.readAll(folder / (std::string("cli") + part + ".Csv"));
            ASSERT_TRUE(mine && theirs);
            EXPECT_EQ(text(*mine), text(*theirs));
        }
    }
    const std::string bad =
        std::string(RAKURENA_CLI) + " export table --kind 13 -o x " + folder.string() + " >/dev/null 2>&1";
    EXPECT_EQ(WEXITSTATUS(std::system(bad.c_str())), 2);
}

int cli(const std::string& args, const fs::path& out = "/dev/null") {
    const std::string cmd = std::string(RAKURENA_CLI) + " " + args + " >" + out.string() + " 2>/dev/null";
    return WEXITSTATUS(std::system(cmd.c_str()));
}

TEST_F(TableCsv, CliTotalsAndLedgerMatchTheWindows) {
    const fs::path folder = ctx.programFolder();
    auto read = [&](const fs::path& p) { return text(ctx.files.readAll(p).value_or(Bytes{})); };

    const SalesTotals t = runSalesTotals(ctx, 401, 430);
    ASSERT_TRUE(writeSalesTotalsCsv(ctx, t, SlipSelection::Settled, folder / "win.Csv"));
    ASSERT_EQ(cli("export sales-totals --from 4 --to 4 --slips settled " + folder.string()), 0);
    EXPECT_EQ(read(folder / "売上集計.Csv"), read(folder / "win.Csv"));
    EXPECT_EQ(cli("export sales-totals --slips some " + folder.string()), 2);

    ConditionSet c;
    c.of(kByProduct) = {1, 0, 0, 0, 0, 0};
    const BulkTotals b = runBulkTotals(ctx, 101, 1231, c);
    ASSERT_TRUE(writeBulkCsv(ctx, b, {false, false, true, true}, folder / "bulk.Csv"));
    ASSERT_EQ(
        cli("export bulk --stages 3,4 --where product:1 -o " + (folder / "cli.Csv").string() + " " + folder.string()),
        0);
    EXPECT_EQ(read(folder / "cli.Csv"), read(folder / "bulk.Csv"));
    EXPECT_NE(read(folder / "cli.Csv").find(sj("花の店") + ", 0, 10, -10, 100, 1000, 1, 0, 0, 0 \r\n"),
              std::string::npos);
    EXPECT_EQ(cli("export bulk --where colour:1 " + folder.string()), 2);

    ASSERT_EQ(cli("ledger --customer 3 " + folder.string(), folder / "ledger.txt"), 0);
    const std::string ledger = read(folder / "ledger.txt");
    EXPECT_NE(ledger.find("customer\t3\t花の店\n"), std::string::npos);
    EXPECT_NE(ledger.find("1\t 4- 5\t1000\t0\t0\t0\t0\t0\n"), std::string::npos);
    EXPECT_EQ(cli("ledger " + folder.string()), 2);
}

}  // namespace
}  // namespace rk::tables
