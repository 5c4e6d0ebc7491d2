#include "app/guide.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/cp932.h"
#include "platform/file_system.h"

using namespace rk;

namespace {

std::vector<std::string> sjisLines(std::string_view utf8WithCrLf) { return splitLines(cp932::fromUtf8(utf8WithCrLf)); }

const char* kText =
    "ラクレナ操作案内\r\n"
    "＊．月日入力\r\n"
    "扱い日を入れます\r\n"
    "＊．得意先コード入力\r\n"
    "一行目\r\n"
    "二行目\r\n"
    "三行目\r\n"
    "＊．得意先名入力\r\n"
    "名前\r\n"
    "＊．終わり\r\n";

}  // namespace

TEST(Guide, SectionRunsFromItsHeadingToTheNextHeading) {
    auto lines = sjisLines(kText);
    auto s = guideSection(lines, "＊．得意先コード入力");
    ASSERT_EQ(s.size(), 4u);
    EXPECT_EQ(s[0], "＊．得意先コード入力");
    EXPECT_EQ(s[3], "三行目");
    // The topic matches as part of a line, the first such line wins.
    EXPECT_EQ(guideSection(lines, "得意先").front(), "＊．得意先コード入力");
}

TEST(Guide, EmptyOrWildcardTopicShowsEverythingAndUnknownTopicNothing) {
    auto lines = sjisLines(kText);
    EXPECT_EQ(guideSection(lines, "").size(), 10u);
    EXPECT_EQ(guideSection(lines, "＊．").size(), 10u);
    EXPECT_EQ(guideSection(lines, "＊．＊").size(), 10u);
    EXPECT_TRUE(guideSection(lines, "＊．存在しない項目").empty());
    // The last section has no heading after it: nothing is shown.
    EXPECT_TRUE(guideSection(lines, "＊．終わり").empty());
}

TEST(Guide, NoFixedLimitsOnLinesOrSize) {
    std::string text = "＊．大きな項目\r\n";
    for (int i = 0; i < 5000; ++i) text += "説明の行です。説明の行です。説明の行です。説明の行です。\r\n";
    text += "＊．次\r\n";
    auto s = guideSection(sjisLines(text), "＊．大きな項目");
    EXPECT_EQ(s.size(), 5001u);
}

TEST(Guide, ReadsTheProgramFolderFirstThenTheResourceFolder) {
    auto dir = std::filesystem::temp_directory_path() / "rk_guide_test";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir / "prog");
    std::filesystem::create_directories(dir / "share");
    std::ofstream(dir / "share" / "Fq7.DOC") << "share";
    auto candidates = guideCandidates(Edition::Sales, dir / "prog", {dir / "share"});
    EXPECT_EQ(readGuide(realFileSystem(), candidates), "share");
    std::ofstream(dir / "prog" / "Fq7.DOC") << "prog";
    EXPECT_EQ(readGuide(realFileSystem(), candidates), "prog");
    EXPECT_FALSE(readGuide(realFileSystem(), {dir / "none"}).has_value());
    std::filesystem::remove_all(dir);
}

// Every prompt the windows show has an explanation in the built guide of its edition.
TEST(Guide, EveryPromptHasASectionInTheShippedGuide) {
    const std::vector<std::string> common = {"＊．月日入力",
                                             "＊．得意先コード入力",
                                             "＊．得意先名入力",
                                             "＊．商品コード入力",
                                             "＊．商品名入力",
                                             "＊．規格１コード入力",
                                             "＊．規格２コード入力",
                                             "＊．数量入力",
                                             "＊．単価入力",
                                             "＊．金額入力",
                                             "＊．備考コード入力",
                                             "＊．備考文入力",
                                             "＊．入り数入力",
                                             "＊．箱数入力",
                                             "＊．買参人コード入力",
                                             "＊．借り方コード入力",
                                             "＊．貸し方コード入力",
                                             "＊．グループデータ登録",
                                             "＊．規格マスター",
                                             "＊．備考マスター",
                                             std::string(kMissingDataTopic),
                                             std::string(kGuideUsageTopic)};
    const std::vector<std::string> sales = {"＊．売り方入力", "＊．伝票別入金処理", "＊．宅配伝票データ入力",
                                            "＊．入金データ集計・削除"};
    const std::vector<std::string> purchase = {"＊．部門入力", "＊．伝票別出金処理", "＊．出金データ集計・削除"};
    for (Edition e : {Edition::Sales, Edition::Purchase, Edition::Finance}) {
        auto text = readGuide(realFileSystem(), guideCandidates(e, RAKURENA_GUIDE_DIR, {}));
        ASSERT_TRUE(text.has_value()) << number(e);
        EXPECT_NE(text->find("\r\n"), std::string::npos);
        auto lines = splitLines(*text);
        std::vector<std::string> topics = common;
        const auto& own = e == Edition::Purchase ? purchase : sales;
        topics.insert(topics.end(), own.begin(), own.end());
        for (const std::string& t : topics) {
            auto section = guideSection(lines, t);
            EXPECT_GE(section.size(), 2u) << number(e) << " " << t;  // heading and some explanation
            if (!section.empty()) {
                EXPECT_EQ(section.front(), t);
            }
        }
    }
}
