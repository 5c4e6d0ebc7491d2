// Texts of the receivable aging list (purchase edition: payables).
#pragma once

namespace rk::tables::msg {

// [0] sales edition, [1] purchase edition.
inline constexpr const char* kAgingTitle[2] = {"　売掛金年齢表", "　買掛金年齢表"};
inline constexpr const char* kAgingHeading[2] = {"【 売掛金年齢表 】", "【 買掛金年齢表 】"};
inline constexpr const char* kAgingCsvFile[2] = {"売掛年齢表.Csv", "買掛年齢表.Csv"};
inline constexpr const char* kAgingAsOf = "基準日 %2d 月 %2d 日 (伝票日付からの経過日数)";
inline constexpr const char* kAgingColumns[9] = {"No",      "得意先名", "前期残高", "30日以内", "31-60日",
                                                 "61-90日", "91日以上", "合計",     "元帳照合"};
inline constexpr const char* kAgingTotals = "総合計";
inline constexpr const char* kAgingAgrees = "一致";
inline constexpr const char* kAgingDiffers = "不一致";
inline constexpr const char* kAgingCsvHead =
    "得意先No,得意先名,前期残高,30日以内,31-60日,61-90日,91日以上,合計,元帳算出残高,照合";
inline constexpr const char* kAgingCsvQuestion = "年齢表をテキストファイルに出力します";
inline constexpr const char* kAgingCsvFailed = "テキストファイルに出力できませんでした";
inline constexpr const char* kAgingUnreadable = "年度のデータファイルが読めません　集計できませんでした";
inline constexpr const char* kAgingNothing = "未決済の伝票も残高もありません";
inline constexpr const char* kAgingMismatchNote =
    "☆ 元帳照合が「不一致」の得意先は販売元帳で前期残高を確認してください";
inline constexpr const char* kAgingSlipNote = "☆ 処理済みで未決済の伝票を伝票日付からの日数で分けます";
inline constexpr const char* kAgingTopic = "＊．売掛金年齢表";

}  // namespace rk::tables::msg
