// The fixed texts of receivable (payable) processing.
#pragma once

namespace rk::msg {

// Opening checks, in the slip entry window.
inline constexpr const char* kNoAmountForce = "金額がないため処理は不適切です\n \nそれでも強制処理しますか ";
inline constexpr const char* kNoValidLinesToProcess = "有効行数０では処理できません";
inline constexpr const char* kProcessingOpen = "複数の処理ウインドウは開けません";
inline constexpr const char* kWrongInputMode = "この伝票入力モードでは処理できません";
inline constexpr const char* kLineWithoutPrice =
    "伝票中に単価の無い行があります\nこのまま処理するのは不適切です\nただし強制処理もできますが　しますか";
inline constexpr const char* kTotalsDisagree =
    "各行合計額  %d 円　と\n既存合計額  %d 円が合いません\n商品行データに数量０が存在する可能性があります";

// Recording.
inline constexpr const char* kClosedYearToProcess = "書き込み禁止年度です ";
inline constexpr const char* kSettledSales =
    "この伝票は入金済みです \n 勘定科目の変更のみ許可しますが \n 更新してもよろしいですか";
inline constexpr const char* kSettledPurchase =
    "この伝票は出金済みです \n 勘定科目の変更のみ許可しますが \n 更新してもよろしいですか";
inline constexpr const char* kCancelSettlement = "この伝票の決済マーク（入出金）を取り消します\nよろしいですか";
inline constexpr const char* kLiftSettledLock =
    "この伝票の入力ポイント制限を解除します\n入出金帳伝票との矛盾を生じる可能性が有りますので注意してください";
// Ctrl+Alt+1 on a settled slip: the payment is recorded again without the usual checks.
inline constexpr const char* kForcedPayment = "これは強制処理モードです \n 既に処理済み時は重複データになります";

// The reference view.
inline constexpr const char* kNoReferenceData = "参照データはありません";
inline constexpr const char* kReferenceOpen = "複数の参照ウインドウは開けません";

// Shown in red when a processed slip's amount changed since it was loaded.
inline constexpr const char* kTaxRecomputed1 = "注意－金額変更に伴う消費税を再計算しました ";
inline constexpr const char* kTaxRecomputed2 = "他は変更していませんので確認してください。 ";

}  // namespace rk::msg
