#include <gtest/gtest.h>

#include <cstring>

#include "base/cp932.h"
#include "base/format.h"
#include "base/money.h"

namespace rk {
namespace {

TEST(Cp932, ConvertsBothWaysIncludingVendorCharacters) {
    // ① ～ － ￥ are where a plain Shift-JIS table differs from code page 932.
    const std::string text = "ラクレナ①～－￥ＡＢＣ園名";
    std::string sjis = cp932::fromUtf8(text);
    EXPECT_EQ(sjis.substr(0, 2), "\x83\x89");  // ラ
    EXPECT_EQ(cp932::toUtf8(sjis), text);
    EXPECT_EQ(cp932::byteLength("元入金　"), 8u);
}

TEST(Cp932, AssignNeverSplitsADoubleByteCharacter) {
    char field[5];
    cp932::assign(field, "アイウ", '\0');  // 6 bytes into 5: only two characters fit
    EXPECT_EQ(std::string(field, 4), cp932::fromUtf8("アイ"));
    EXPECT_EQ(field[4], '\0');

    char padded[6];
    cp932::assign(padded, "aア", ' ');
    EXPECT_EQ(std::string(padded, 6), "a\x83\x41   ");
    EXPECT_EQ(cp932::toUtf8(padded), "aア   ");

    char full[4] = {'a', 'b', 'c', 'd'};  // unterminated: read stops at the width
    EXPECT_EQ(cp932::toUtf8(full), "abcd");
}

TEST(Cp932, SearchComparesWholeCharacters) {
    // "ア" is 83 41: its second byte is "A".
    const std::string hay = cp932::fromUtf8("アイA");
    EXPECT_EQ(cp932::findWhole(hay, "A"), 4u);
    EXPECT_EQ(cp932::findWhole(cp932::fromUtf8("アイ"), "A"), std::string_view::npos);
    EXPECT_EQ(cp932::findWhole(hay, cp932::fromUtf8("イ")), 2u);
}

TEST(Format, GroupedAndPaddedIntegers) {
    EXPECT_EQ(fmt::grouped(1234567, 10), " 1,234,567");
    EXPECT_EQ(fmt::grouped(-1234, 6), "-1,234");
    EXPECT_EQ(fmt::grouped(999, 2), "999");
    EXPECT_EQ(fmt::grouped(5, 15), "パラメータ違反");
    EXPECT_EQ(fmt::zeroPadded(7, 3), "007");
    EXPECT_EQ(fmt::zeroPadded(2007, 4), "2007");
}

TEST(Format, DecimalNumbers) {
    EXPECT_EQ(fmt::decimal(1234.5, 8, 2), "   1,234.50 ");
    EXPECT_EQ(fmt::decimal(-1234.5, 8, 1), "  -1,234.5 ");
    EXPECT_EQ(fmt::decimal(1234567, 0, 0, false), "1234567 ");
    EXPECT_EQ(fmt::decimal(112.99999999999999, 0, 0), "113 ");  // 12 significant digits
}

TEST(MonthDay, NormalisesBareMonthsAndClamps) {
    EXPECT_EQ(monthday::normalise(2, monthday::kLastDay), 229);
    EXPECT_EQ(monthday::normalise(2, monthday::kFirstDay), 201);
    EXPECT_EQ(monthday::normalise(1340, monthday::kFirstDay), 1231);
    EXPECT_EQ(monthday::normalise(400, monthday::kFirstDay), 401);
    EXPECT_EQ(monthday::normalise(431, monthday::kFirstDay), 430);
    EXPECT_EQ(monthday::normalise(101, 3), -1);
    EXPECT_EQ(monthday::japanese(1205), "12月 5日");
    EXPECT_EQ(monthday::dashed(305), " 3- 5");
    EXPECT_EQ(monthday::businessKey(305, 4), 1505);
    EXPECT_EQ(monthday::businessKey(405, 4), 405);
    EXPECT_EQ(monthday::calendarYear(305, 2026, 4), 2027);
}

TEST(Money, TruncatesOnlyAfterRemovingBinaryNoise) {
    EXPECT_EQ(money::times(100, 1.13), 113);
    EXPECT_EQ(money::times(3, 123.45), 370);
    EXPECT_EQ(money::times(1.15, 100), 115);
    EXPECT_EQ(money::yen(-10.7), -10);
    EXPECT_EQ(money::percent(3000, 1.1, money::Rounding::Up), 33);
    EXPECT_EQ(money::percent(100000, 1.1, money::Rounding::Up), 1100);
    EXPECT_EQ(money::percent(100000, 2.3, money::Rounding::Truncate), 2300);
    EXPECT_EQ(money::percent(1050, 5, money::Rounding::HalfUp), 53);
    EXPECT_EQ(money::percent(-1050, 5, money::Rounding::HalfUp), -53);
    EXPECT_EQ(money::percent(-1050, 5, money::Rounding::Truncate), -52);
}

}  // namespace
}  // namespace rk
