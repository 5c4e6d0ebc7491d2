#include <gtest/gtest.h>

#include <cstring>

#include "app/basic_settings.h"
#include "app/environment_block.h"
#include "app/file_set.h"
#include "base/cp932.h"
#include "support/temp_folder.h"

namespace rk {
namespace {

std::string textAt(const Bytes& b, size_t off, size_t width) {
    const char* p = reinterpret_cast<const char*>(b.data() + off);
    return cp932::toUtf8(p, width);
}

TEST(BasicSettingsFile, NewInstallationDefaultsAreByteExact) {
    FixedClock clock({2007, 3, 1, 10, 0, 0});
    BasicSettings s = defaultSettings(clock);
    test::TempFolder dir;
    ASSERT_TRUE(writeSettings(realFileSystem(), dir / "FMST.FT0", s));
    Bytes b = test::readFile(dir / "FMST.FT0");
    ASSERT_EQ(b.size(), 640u);
    EXPECT_EQ(textAt(b, 0x000, 32), "園名または社名");
    EXPECT_EQ(textAt(b, 0x020, 32), "部所名");
    EXPECT_EQ(textAt(b, 0x040, 40), "電話番号");
    EXPECT_EQ(textAt(b, 0x068, 40), "住所または所在地");
    EXPECT_EQ(textAt(b, 0x090, 40), "口座番号");
    EXPECT_EQ(textAt(b, 0x0B8, 40), "口座番号（無ければ空白）");
    EXPECT_EQ(readI32(b, 0x130), 2007);
    EXPECT_EQ(readI32(b, 0x134), 2007);
    EXPECT_EQ(readI32(b, 0x138), 1);
    EXPECT_EQ(readI32(b, 0x13C), 0);
    double tax;
    std::memcpy(&tax, b.data() + 0x240, 8);
    EXPECT_EQ(tax, 5.0);
    for (size_t i = 0x0E0; i < 0x130; ++i) ASSERT_EQ(b[i], std::byte{0}) << "folders are empty at " << i;
    for (size_t i = 0x140; i < 0x240; ++i) ASSERT_EQ(b[i], std::byte{0}) << i;
}

TEST(BasicSettingsFile, ShortFileReadsWhatItHasAndFrameIsClamped) {
    test::TempFolder dir;
    Bytes part(0x154);
    writeI32(part, 0x130, 2026);
    writeI32(part, 0x144, -5);
    writeI32(part, 0x14C, 800);
    writeI32(part, 0x150, 700);
    ASSERT_TRUE(realFileSystem().write(dir / "FMST.FT0", 0, part, true));
    auto s = readSettings(realFileSystem(), dir / "FMST.FT0");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->businessYear, 2026);
    EXPECT_EQ(s->taxRate, 0.0);  // past the end: zero, never garbage
    FrameRect r = clampedFrame(s);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.width, 1024);
    EXPECT_EQ(r.height, 700);
    FrameRect none = clampedFrame(std::nullopt);
    EXPECT_EQ(none.width, 1024);
    EXPECT_EQ(none.height, 728);
    EXPECT_FALSE(readSettings(realFileSystem(), dir / "none.FT0"));
}

TEST(BasicSettingsFile, DataFolderField) {
    const fs::path program = "/opt/prog";
    char field[40] = {};
    EXPECT_EQ(folderFromField(field, program), program);
    std::memset(field, ' ', sizeof field);
    EXPECT_EQ(folderFromField(field, program), program);
    std::memcpy(field, "/srv/data/", 10);  // blanks up to 40 are padding
    EXPECT_EQ(folderFromField(field, program), fs::path("/srv/data/"));
    std::memset(field, 0, sizeof field);
    std::memcpy(field, "C:\\DATA", 7);
    EXPECT_EQ(folderFromField(field, program), fs::path("/opt/prog/C:/DATA"));
}

TEST(EnvironmentBlock, DefaultAccountFileHoldsThreeBlocksAndTenItems) {
    Bytes f = defaultAccountFile();
    ASSERT_EQ(f.size(), 38400u);
    EXPECT_EQ(textAt(f, 0, 16), "　色");
    EXPECT_EQ(readI32(f, 0x0A4), 999);
    EXPECT_EQ(readI32(f, 0x0AC), 110);
    EXPECT_EQ(readI32(f, 0x0AC + 8 * 4), 101);
    EXPECT_EQ(readI32(f, 0x0EC), 400);
    EXPECT_EQ(readI32(f, 0x230), 0x008040);
    EXPECT_EQ(readI32(f, 1536 + 0x0AC), 500);
    EXPECT_EQ(readI32(f, 1536 + 0x0EC + 4), 499);
    EXPECT_EQ(readI32(f, 1536 + 0x230), 0x808040);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(f.data() + 1536), 16), std::string(16, ' '));
    EXPECT_EQ(readI32(f, 3072 + 0x0EC + 4), 402);
    EXPECT_EQ(readI32(f, 3072 + 0x238), 0x7FFFFF);

    EXPECT_EQ(std::string(reinterpret_cast<const char*>(f.data() + 19200), 8), cp932::fromUtf8("元入金　"));
    EXPECT_EQ(textAt(f, 6464, 64), "○○銀行預金");
    EXPECT_EQ(textAt(f, 32768, 64), "市場手数料");
    EXPECT_EQ(textAt(f, 100 * 64, 64), "現金");
    EXPECT_EQ(textAt(f, 102 * 64, 64), "");
}

TEST(EnvironmentBlock, NormalisationPerEdition) {
    EnvironmentBlock b{};
    b.customerCount = 500;
    b.debit[3] = 0;
    b.credit[3] = 0;
    EnvironmentBlock sales = b;
    normalise(sales, Edition::Sales);
    EXPECT_EQ(sales.customerCount, 999);
    EXPECT_EQ(sales.debit[0], 110);
    EXPECT_EQ(sales.debit[3], 505);
    EXPECT_EQ(sales.credit[3], 110);
    b.customerCount = 5000;
    EnvironmentBlock big = b;
    normalise(big, Edition::Sales);
    EXPECT_EQ(big.customerCount, 2999);
    EnvironmentBlock purchase = b;
    normalise(purchase, Edition::Purchase);
    EXPECT_EQ(purchase.customerCount, 999);
    EnvironmentBlock finance = b;
    normalise(finance, Edition::Finance);
    EXPECT_EQ(finance.customerCount, 5000);
    EXPECT_EQ(toRgb(0x008040), 0x408000u);
}

TEST(FileSet, NamesOfTheYear) {
    FileSet f = buildFileSet(Edition::Sales, "/p", "/d", 2007, false);
    EXPECT_EQ(f[kSlipHeaders], fs::path("/d/F7db2007.FT2"));
    EXPECT_EQ(f[kSharedData], fs::path("/d/S7de2007.FT2"));
    EXPECT_EQ(f[kIndex1], fs::path("/d/FANA2007.FT2"));
    EXPECT_EQ(f.data[kModuleData], fs::path("/d/2007.FT2"));
    EXPECT_EQ(f[kCustomers], fs::path("/d/F7ma2007.FT1"));
    EXPECT_EQ(f[kAccounts], fs::path("/d/S7md2007.FT1"));
    EXPECT_EQ(f[kHomeDeliveryMaster], fs::path("/d/TAKUHAI.Mas"));

    FileSet member = buildFileSet(Edition::Sales, "/p", "/d", 2007, true);
    EXPECT_EQ(member[kCustomers], fs::path("/p/F7ma2007.FT1"));
    EXPECT_EQ(member.serverMaster[kCustomers], fs::path("/d/F7ma2007.FT1"));

    FileSet purchase = buildFileSet(Edition::Purchase, "/p", "/d", 2026, false);
    EXPECT_EQ(purchase[kCustomers], fs::path("/d/S7ma2026.FT1"));
    EXPECT_EQ(purchase[kProducts], fs::path("/d/F7mb2026.FT1"));
    EXPECT_EQ(purchase[kRemarks], fs::path("/d/S7me2026.FT1"));
    FileSet finance = buildFileSet(Edition::Finance, "/p", "/d", 2026, false);
    EXPECT_EQ(finance[kSlipLines], fs::path("/d/S7da2026.FT2"));
    EXPECT_EQ(finance[kIndex2], fs::path("/d/ZAZA2026.FT2"));
    EXPECT_EQ(finance.settingsFile(Edition::Finance), fs::path("/p/ZMST.FT0"));
}

}  // namespace
}  // namespace rk
