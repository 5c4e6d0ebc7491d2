#include "maintenance/old_version.h"

#include <gtest/gtest.h>

#include <cstring>

#include "base/cp932.h"
#include "support/installation.h"

namespace rk::test {
namespace {

using maintenance::kOldLineSize;

template <class T>
void put(Bytes& b, size_t off, T v) {
    std::memcpy(b.data() + off, &v, sizeof v);
}

// An old line written by hand from the layout of the previous generation.
Bytes oldLine(const char* remark) {
    Bytes b(kOldLineSize, std::byte{0});
    put<int16_t>(b, 0, 812);  // owning slip
    put<int16_t>(b, 2, 2);    // sale method
    put<int16_t>(b, 4, 345);  // product
    put<int16_t>(b, 6, 7);    // grade 1
    put<int16_t>(b, 8, 99);   // grade 2
    put<int16_t>(b, 10, -3);  // remark code: sign kept on widening
    const std::string name = cp932::fromUtf8("スプレーバラ赤");
    std::memcpy(b.data() + 12, name.data(), name.size());
    const std::string r = cp932::fromUtf8(remark);
    std::memcpy(b.data() + 36, r.data(), r.size());
    for (int k = 0; k < 8; ++k) put<int16_t>(b, 60 + 2 * k, static_cast<int16_t>(110 + k));
    put<int16_t>(b, 76, 14);   // line text
    put<int32_t>(b, 78, 100);  // ordered
    put<int32_t>(b, 82, 90);   // delivered
    put<int32_t>(b, 86, 80);   // final
    const std::string unit = cp932::fromUtf8("本");
    std::memcpy(b.data() + 90, unit.data(), unit.size());
    put<int32_t>(b, 94, 125);    // unit price
    put<int32_t>(b, 98, 10000);  // amount
    put<int16_t>(b, 102, 10);    // pieces per box
    put<int16_t>(b, 104, 8);     // boxes
    put<int32_t>(b, 106, 4321);  // buyer
    return b;
}

TEST(OldVersion, ASlipLineBecomesTheExactNewRecord) {
    const Bytes old = oldLine("箱入りﾄﾚｰ");
    const SlipLine l = maintenance::convertSlipLine(std::span<const std::byte, kOldLineSize>(old.data(), kOldLineSize));
    Bytes want(224, std::byte{0});
    std::memcpy(want.data(), old.data() + 12, 24);
    std::memcpy(want.data() + 24, old.data() + 90, 4);
    std::memcpy(want.data() + 32, old.data() + 36, 24);
    const int32_t words[] = {812, 2, 345, 7, 99, -3, 14, 4321, 3};  // 56..88
    for (int k = 0; k < 9; ++k) put<int32_t>(want, 56 + 4 * k, words[k]);
    const double doubles[] = {10, 8, 100, 90, 80};  // 128..160
    for (int k = 0; k < 5; ++k) put<double>(want, 128 + 8 * k, doubles[k]);
    put<double>(want, 176, 125);
    put<double>(want, 184, 10000);
    for (int k = 0; k < 8; ++k) put<int32_t>(want, 192 + 4 * k, 110 + k);
    const auto got = bytesOf(l);
    EXPECT_TRUE(std::equal(got.begin(), got.end(), want.begin()));
    for (size_t i = 0; i < 224; ++i) ASSERT_EQ(got[i], want[i]) << "byte " << i;

    // The packing kind from the remark: the last kind found wins; none is 0. A buyer number
    // out of range becomes 0.
    Bytes flask = oldLine("ﾌﾗｺﾝ");
    put<int32_t>(flask, 106, 12345);
    const SlipLine f =
        maintenance::convertSlipLine(std::span<const std::byte, kOldLineSize>(flask.data(), kOldLineSize));
    EXPECT_EQ(f.packingKind, 2);
    EXPECT_EQ(f.buyer, 0);
    const Bytes plain = oldLine("赤");
    EXPECT_EQ(
        maintenance::convertSlipLine(std::span<const std::byte, kOldLineSize>(plain.data(), kOldLineSize)).packingKind,
        0);
}

TEST(OldVersion, YearsAreConvertedBackwardsUntilOneHasNoMainFile) {
    Installation inst;
    AppContext& ctx = *inst.ctx;
    const fs::path old = inst.folder / "rkn6";
    fs::create_directories(old);
    auto write = [&](const char* name, const Bytes& b) { ASSERT_TRUE(ctx.files.write(old / name, 0, b, true)); };
    Bytes lines(kOldLineSize);
    const Bytes one = oldLine("ﾄﾚｰ");
    lines.insert(lines.end(), one.begin(), one.end());
    lines.insert(lines.end(), one.begin(), one.end());
    write("Fd126.Et2", lines);                        // 2026, any letter case
    write("FD425.ET2", Bytes(250, std::byte{0x31}));  // 2025: two whole texts and a torn tail
    write("SD125.ET2", lines);
    write("MST325.ET1", Bytes(77, std::byte{0x32}));  // copied whole
    write("FD224.ET2", Bytes(330, std::byte{1}));     // 2024: no main file; not converted either
    write("FD123.ET2", lines);                        // 2023: never reached

    // 2026 exists already: the operator keeps it.
    const Bytes existing = readFile(ctx.fileSet[kSlipLines]);
    ScriptedDialogs d;
    d.answers = {Answer::No};
    maintenance::ConversionReport report;
    EXPECT_EQ(maintenance::convertOldYears(ctx, d, old, &report), maintenance::ToolResult::Restart);
    EXPECT_EQ(d.shown.front().rfind("2026 年の Ver7.0 データが既にあります", 0), 0u) << d.shown.front();
    EXPECT_EQ(readFile(ctx.fileSet[kSlipLines]), existing);
    EXPECT_EQ(report.years, (std::vector<int>{2025, 2024}));

    const Bytes converted = readFile(ctx.fileSet.dataFolder / "S7da2025.FT2");
    ASSERT_EQ(converted.size(), 3 * 224u);
    EXPECT_EQ(converted[0], std::byte{' '});
    const SlipLine l = maintenance::convertSlipLine(std::span<const std::byte, kOldLineSize>(one.data(), kOldLineSize));
    EXPECT_TRUE(std::equal(converted.begin() + 448, converted.end(), bytesOf(l).begin()));
    EXPECT_EQ(readFile(ctx.fileSet.dataFolder / "F7dd2025.FT2").size(), 200u);
    EXPECT_EQ(readFile(ctx.fileSet.masterFolder / "F7mc2025.FT1"), Bytes(77, std::byte{0x32}));
    EXPECT_FALSE(ctx.files.exists(ctx.fileSet.dataFolder / "F7db2024.FT2"));  // layout not known
    EXPECT_FALSE(ctx.files.exists(ctx.fileSet.dataFolder / "F7da2023.FT2"));

    // Asked again with Yes, 2026 is replaced.
    ScriptedDialogs yes;
    yes.answers = {Answer::Yes};
    EXPECT_EQ(maintenance::convertOldYears(ctx, yes, old), maintenance::ToolResult::Restart);
    EXPECT_EQ(readFile(ctx.fileSet[kSlipLines]).size(), 3 * 224u);
}

}  // namespace
}  // namespace rk::test
