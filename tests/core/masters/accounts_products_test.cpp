#include <gtest/gtest.h>

#include "app/environment_block.h"
#include "base/cp932.h"
#include "masters/account_items.h"
#include "masters/grade_remark.h"
#include "masters/master_io.h"
#include "masters/messages.h"
#include "masters/product_master.h"
#include "support/temp_folder.h"

namespace rk::masters {
namespace {

using test::TempFolder;

struct Accounts : ::testing::Test {
    TempFolder dir;
    FileSystem& fs = realFileSystem();
    fs::path file = dir / "S7md2026.FT1";
    void SetUp() override { ASSERT_TRUE(fs.replaceWhole(file, defaultAccountFile())); }

    AccountItemRecord item(const char* name, double balance = 0) {
        AccountItemRecord r{};
        cp932::assign(r.name, name);
        r.openingBalance = balance;
        return r;
    }
    AccountItemRecord stored(int code) {
        AccountItemRecord r{};
        EXPECT_TRUE(readRecord(fs, file, code, r));
        return r;
    }
};

TEST_F(Accounts, NamesOfCodesBelow100And399AndAMissingFile) {
    EXPECT_EQ(accountName(fs, file, 42), std::string(20, ' '));
    EXPECT_EQ(accountName(fs, file, 100), cp932::fromUtf8("現金"));
    ASSERT_TRUE(writeAccountItem(fs, file, 399, item("別の名前")));
    EXPECT_EQ(accountName(fs, file, 399), cp932::fromUtf8("累積未処分利益      "));
    EXPECT_FALSE(accountName(fs, dir / "none.FT1", 100));
}

TEST_F(Accounts, WriteCutsTheBalanceClearsRevenueAndKeepsMarkAndEnvironment) {
    Bytes before = test::readFile(file);
    EXPECT_FALSE(writeAccountItem(fs, file, 99, item("環境を壊す")));
    EXPECT_FALSE(writeAccountItem(fs, file, 600, item("外")));
    EXPECT_EQ(test::readFile(file), before);

    ASSERT_TRUE(writeAccountItem(fs, file, 120, item("普通預金", 1234.7)));
    EXPECT_EQ(stored(120).openingBalance, 1234);
    ASSERT_TRUE(writeAccountItem(fs, file, 201, item("借入", -50.9)));
    EXPECT_EQ(stored(201).openingBalance, -50);

    ASSERT_EQ(toggleAccountMark(fs, file, 450), true);
    AccountItemRecord r = item("雑収入", 9999);
    r.reserved40[3] = std::byte{7};
    r.mark = 0;  // a stale buffer must not undo the mark toggled in the file
    ASSERT_TRUE(writeAccountItem(fs, file, 450, r));
    Bytes after = test::readFile(file);
    for (int b = 32; b < 56; ++b) EXPECT_EQ(after[450 * 64 + b], std::byte{0}) << b;
    EXPECT_EQ(stored(450).mark, 1.0);
    EXPECT_EQ(toggleAccountMark(fs, file, 450), false);
    EXPECT_EQ(stored(450).mark, 0.0);
    EXPECT_TRUE(std::equal(after.begin(), after.begin() + 6400, before.begin()));
    EXPECT_EQ(readEnvironment(fs, file, Edition::Sales)->customerCount, 999);
}

TEST_F(Accounts, TotalsAndTheirAgreement) {
    ASSERT_TRUE(writeAccountItem(fs, file, 100, item("現金", 600)));
    ASSERT_TRUE(writeAccountItem(fs, file, 101, item("預金", 400)));
    ASSERT_TRUE(writeAccountItem(fs, file, 210, item("買い掛け", 700)));
    ASSERT_TRUE(writeAccountItem(fs, file, 300, item("元入金", 200)));
    ASSERT_TRUE(writeAccountItem(fs, file, 400, item("売り上げ", 5000)));  // revenue keeps no balance
    AccountTotals t = accountTotals(readAccountItems(fs, file));
    EXPECT_EQ(t.debit, 1000);
    EXPECT_EQ(t.credit, 900);
    EXPECT_FALSE(t.agree());
    ASSERT_TRUE(writeAccountItem(fs, file, 301, item("資本金", 100)));
    EXPECT_TRUE(accountTotals(readAccountItems(fs, file)).agree());
}

TEST_F(Accounts, DuplicateNamesAreReportedOncePerPairAndAtMostThree) {
    ASSERT_TRUE(writeAccountItem(fs, file, 150, item("とても長い科目名前ＡＢ")));  // 22 bytes
    ASSERT_TRUE(writeAccountItem(fs, file, 151, item("とても長い科目名前ＸＹ")));  // same first 18 bytes
    DuplicateNameCheck check;
    auto reports = check.check(151, readAccountItems(fs, file));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], std::string("入力科目名　とても長い科目名前ＸＹ  は\nその入力科目No.  151  と  既存No.  150  "
                                      "とが同一科目名です\nいずれかの番号の科目名を変更するか削除をお奨めします\n"
                                      "なお、変更・削除は勘定元帳作成で「未使用」を確認してください"));
    EXPECT_TRUE(check.check(151, readAccountItems(fs, file)).empty());
    ASSERT_TRUE(writeAccountItem(fs, file, 151, item("別")));
    EXPECT_TRUE(check.check(151, readAccountItems(fs, file)).empty());
    ASSERT_TRUE(writeAccountItem(fs, file, 151, item("とても長い科目名前ＸＹ")));
    EXPECT_EQ(check.check(151, readAccountItems(fs, file)).size(), 1u);

    for (int c : {500, 501, 502, 503}) ASSERT_TRUE(writeAccountItem(fs, file, c, item("経費")));
    EXPECT_EQ(check.check(500, readAccountItems(fs, file)).size(), 3u);
    ASSERT_TRUE(writeAccountItem(fs, file, 520, item(" ")));
    ASSERT_TRUE(writeAccountItem(fs, file, 521, item(" ")));
    EXPECT_TRUE(check.check(520, readAccountItems(fs, file)).empty());
}

TEST_F(Accounts, StandardNames) {
    EXPECT_EQ(standardAccountNames(2).size(), 5u);
    EXPECT_STREQ(standardAccountNames(2).back(), "");
    EXPECT_STREQ(standardAccountNames(4)[10], "市場手数料");
}

struct Products : ::testing::Test {
    TempFolder dir;
    FileSystem& fs = realFileSystem();
    fs::path file = dir / "F7mb2026.FT1";
};

TEST_F(Products, GridLoadCreatesClampsClearsAndReadsBlankPastTheEnd) {
    ProductRecord r{};
    ASSERT_TRUE(loadProductRow(fs, file, 5, r));
    EXPECT_EQ(*fs.size(file), 1000u * 192);

    ProductRecord p{};
    cp932::assign(p.name, "バラ");
    p.packingKind = 7;
    p.decimals = 3;
    ASSERT_TRUE(writeProduct(fs, file, 5, p));
    Bytes b = test::readFile(file);
    EXPECT_EQ(readI32(b, 5 * 192 + 128), 3);
    EXPECT_EQ(readI32(b, 5 * 192 + 132), 2);

    ProductRecord garbage = p;
    garbage.validity = 1000;
    ASSERT_TRUE(writeRecord(fs, file, 6, garbage));
    ProductRecord loaded = p;
    ASSERT_TRUE(loadProductRow(fs, file, 6, loaded));
    EXPECT_EQ(loaded.name[0], 0);

    ASSERT_TRUE(fs.truncate(file, 10 * 192));
    loaded = p;
    ASSERT_TRUE(loadProductRow(fs, file, 10, loaded));  // exactly at the end: blank, not the buffer
    EXPECT_EQ(loaded.name[0], 0);
    ASSERT_TRUE(loadProductRow(fs, file, 5, loaded));
    EXPECT_EQ(cp932::toUtf8(loaded.name), "バラ");
}

TEST_F(Products, CopyFromTheRowAboveKeepsNameUnitAndCommonCode) {
    ProductRecord above{};
    cp932::assign(above.name, "上");
    above.salesDebit = 110;
    above.salesCredit = 400;
    above.packingKind = 2;
    above.boxPoints = 3.5;
    ASSERT_TRUE(fs.createZeroed(file, 1001 * 192));
    ASSERT_TRUE(writeProduct(fs, file, 9, above));
    ProductRecord cur{};
    cp932::assign(cur.name, "下");
    cp932::assign(cur.unit, "本");
    cp932::assign(cur.commonCode, "C1");
    ASSERT_TRUE(copyFromRowAbove(fs, file, 10, cur));
    EXPECT_EQ(cp932::toUtf8(cur.name), "下");
    EXPECT_EQ(cp932::toUtf8(cur.unit), "本");
    EXPECT_EQ(cp932::toUtf8(cur.commonCode), "C1");
    EXPECT_EQ(cur.salesDebit, 110);
    EXPECT_EQ(cur.salesCredit, 400);
    EXPECT_EQ(cur.packingKind, 2);
    EXPECT_EQ(cur.boxPoints, 3.5);
}

TEST_F(Products, SearchComparesWholeCharacters) {
    ASSERT_TRUE(fs.createZeroed(file, 1001 * 192));
    const char* names[] = {"アスター", "Aster", "カーネーションA", "バラ"};
    for (int i = 0; i < 4; ++i) {
        ProductRecord p{};
        cp932::assign(p.name, names[i]);
        ASSERT_TRUE(writeProduct(fs, file, 10 + i * 100, p));
    }
    EXPECT_EQ(searchProducts(fs, file, "A"), (std::vector<int>{110, 210}));
    EXPECT_EQ(searchProducts(fs, file, cp932::fromUtf8("ー")), (std::vector<int>{10, 210}));
    EXPECT_TRUE(searchProducts(fs, file, "zz").empty());
}

TEST(GradesRemarks, RecordsAtTheirNumbersAndRemarkLimits) {
    TempFolder dir;
    FileSystem& fs = realFileSystem();
    fs::path grades = dir / "F7mc2026.FT1";
    ASSERT_TRUE(fs.createZeroed(grades, 101 * 48));
    GradeRecord g{};
    cp932::assign(g.grade1Name, "秀");
    cp932::assign(g.grade2Name, "2L");
    g.spareA = 12;
    ASSERT_TRUE(writeRecord(fs, grades, 99, g));
    EXPECT_EQ(*fs.size(grades), 101u * 48);
    Bytes b = test::readFile(grades);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[99 * 48 + 16]), 2), "2L");
    EXPECT_EQ(readI32(b, 99 * 48 + 32), 12);
    EXPECT_EQ(remarkLimit(499), 21);
    EXPECT_EQ(remarkLimit(500), 81);
}

}  // namespace
}  // namespace rk::masters
