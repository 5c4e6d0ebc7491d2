#include "printing/print_form.h"

#include <gtest/gtest.h>

#include "printing/conventions.h"
#include "printing/page_plan.h"
#include "support/temp_folder.h"

namespace rk::printing {
namespace {

TEST(PrintForm, MissingFileIsCreatedWithDefaultsAndDamageIsClamped) {
    test::TempFolder dir;
    auto f = loadPrintForm(realFileSystem(), dir.path());
    ASSERT_TRUE(f);
    Bytes file = test::readFile(dir / "PRINT.DAT");
    ASSERT_EQ(file.size(), 436u);
    EXPECT_EQ(readI32(file, 0), 10);
    for (size_t off = 4; off < 256; off += 4) ASSERT_EQ(readI32(file, off), 0) << off;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(file.data() + 256 + 28)), "System");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(file.data() + 376 + 28)), "System");
    EXPECT_EQ(f->fields[kListColumns], 10);  // 0 is read as 10
    EXPECT_EQ(f->fields[kListRows], 15);

    PrintForm bad = defaultPrintForm();
    bad.fields[kLinesPerPage] = -3;
    bad.fields[kTopMargin] = -50;
    bad.fields[kListColumns] = 40;
    ASSERT_TRUE(realFileSystem().write(dir / "PRINT.DAT", 0, bytesOf(bad)));
    auto read = loadPrintForm(realFileSystem(), dir.path());
    EXPECT_EQ(read->fields[kLinesPerPage], 6);
    EXPECT_EQ(read->fields[kTopMargin], 0);
    EXPECT_EQ(read->fields[kListColumns], 12);

    // The settings window saves its clamps.
    PrintForm edited = *read;
    edited.fields[kLinesPerPage] = 25;
    edited.fields[kListRows] = 3;
    edited.fields[kNoDoubleRule] = 1;
    ASSERT_TRUE(savePrintForm(realFileSystem(), dir.path(), edited));
    file = test::readFile(dir / "PRINT.DAT");
    EXPECT_EQ(readI32(file, 0), 20);
    EXPECT_EQ(readI32(file, 32), 6);
    EXPECT_EQ(readI32(file, 252), 0);

    auto fax = loadFaxFonts(realFileSystem(), dir.path());
    ASSERT_TRUE(fax);
    EXPECT_EQ(test::readFile(dir / "FaxFont.Dat").size(), 120u);
}

TEST(PrintForm, PageMetricsNeverDegenerate) {
    PrintForm f = defaultPrintForm();
    PageMetrics m = pageMetrics(f, {0, 0, 10300, 4900});
    EXPECT_EQ(m.u, 100);  // 49 units of 100
    EXPECT_EQ(m.h, 100);
    EXPECT_EQ(m.titleHeight, 175);

    f.fields[kTopMargin] = 50;
    f.fields[kLeftMargin] = 30;
    f.fields[kRightMargin] = 70;
    f.fields[kTitleHeight] = 120;
    m = pageMetrics(f, {0, 0, 10300, 4900});
    EXPECT_EQ(m.u, 98);  // 50 + 98 x 49 = 4852 fits, 99 would not
    EXPECT_LE(m.left + 103 * m.h, m.right);
    EXPECT_EQ(m.titleHeight, 120);

    PageMetrics tiny = pageMetrics(f, {0, 0, 10, 10});
    EXPECT_EQ(tiny.u, 1);
    EXPECT_EQ(tiny.h, 1);
}

TEST(PrintConventions, Texts) {
    FixedClock clock({2026, 3, 9, 0, 0, 0});
    EXPECT_EQ(dateStamp(clock), "03/09/2026");
    EXPECT_EQ(pageNumber(3), " 3 P");
    EXPECT_EQ(headingDate(305, 2026, 4), "2027 年  3 月  5 日");
    EXPECT_EQ(headingDate(1205, 2026, 4), "2026 年 12 月  5 日");
    EXPECT_EQ(postalCode(12, 345), "〒012-0345");
    EXPECT_EQ(postalCode(0, 345), "");
}

}  // namespace
}  // namespace rk::printing
