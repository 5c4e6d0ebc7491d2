// The fixed texts of the slip files and the slip document.
#pragma once

namespace rk::msg {

// Loading a slip whose line list is broken: the slot count as stored and the lines kept.
inline constexpr const char* kInvalidSlip =
    "  この伝票は不正です 更新[記録]すると 既定行数  %d 行のところ  %d 行まで有効化[正常化]できます";
inline constexpr const char* kAccountFileUnopenable =
    "科目ファイルがオープンできません\n停止しますのでファイルを点検して下さい";
inline constexpr const char* kDuplicateSlip = "既存伝票と重複するため変更できません";
// Another station recorded a slip for the same date and customer first.
inline constexpr const char* kSlipRecordedElsewhere =
    "この日付・得意先の伝票は他の端末で記録されました\n伝票を呼び出し直してから入力してください";
// A write to the slip files failed; the files were put back as they were.
inline constexpr const char* kSlipWriteFailed =
    "伝票ファイルへの書き込みができません\n伝票は記録されていません\nディスクの空きと書き込み権限を点検してください";

}  // namespace rk::msg
