// The fixed texts of payment entry, slip-by-slip payment, the payment list and its deletion.
#pragma once

namespace rk::msg {

// Payment entry: aggregation.
inline constexpr const char* kAggregating = "\n  ただ今集計中・・・ \n  しばらくお待ちください。";
inline constexpr const char* kTooManySlipsOfCustomer =
    " 得意先Ｎｏ %d  の掛伝票が ９９ を超え、処理できません \n 範囲を縮小して再集計してください";
inline constexpr const char* kFinishing = "\n ただ今後処理中・・・ \n データ入力はしないでください";
inline constexpr const char* kReferenceOnly =
    " 表示データは参照だけにしてください \n データ入力はウインドウを閉じて\n 範囲を縮小して行ってください";

// Payment entry: customers and the network.
inline constexpr const char* kSlipEntryBusy = "現在他のメニューで伝票入力中のため速やかに閉じてください";
inline constexpr const char* kPaymentEntryBusy = "現在他のメニューで入金入力中のため速やかに閉じてください";
inline constexpr const char* kCustomerBusy = "この得意先Ｎｏは他で処理中のため決済処理できません";
inline constexpr const char* kIsMember = "この得意先はメンバーです";
inline constexpr const char* kTooManyForChoice =
    "該当売掛伝票数が多すぎて処理できません\n範囲を縮小（合計掛け伝票数６２枚まで）してください";

// Payment entry: recording.
inline constexpr const char* kClosedYearEntry = "書き込み禁止年度です\n現在年度は記録できません ";
inline constexpr const char* kNoCustomer = "得意先コードが有りません ";
inline constexpr const char* kMemberStation = "組合員番号１０以上のクライアントは入金記録できません";
inline constexpr const char* kTooManySlips = "該当伝票数が 254 件を越えたため処理できません \n範囲を縮小してください";
// A payment without a date could never be listed or deleted.
inline constexpr const char* kNoPaymentDate = "入金月日が有りません\n入金月日を入力してください ";
inline constexpr const char* kNoDisbursementDate = "出金月日が有りません\n出金月日を入力してください ";
// A slip changed between the aggregation and the recording.
inline constexpr const char* kSlipsChanged = "集計後に伝票が変更されています\n記録できませんので再集計してください ";
inline constexpr const char* kPaymentWriteFailed = "入出金データを書き込めません\nファイルを点検してください ";

// Slip-by-slip payment.
inline constexpr const char* kClosedYearSlip = "書き込み禁止年度です ";
inline constexpr const char* kAlreadyPaidSales = "入金済み伝票は再入金記録はできません";
inline constexpr const char* kAlreadyPaidPurchase = "出金済み伝票は再出金記録はできません";
inline constexpr const char* kCustomerMasterOpen =
    "得意先マスター登録ウインドウがオープンしてます\n前期残高の矛盾回避のため、このウインドをキャンセルしてください。";

// The payment list.
inline constexpr const char* kListFull =
    "集計伝票数が　１９９９ 行を超えたので以降のデータは無視しました\n 範囲を縮小して再指定してください";
inline constexpr const char* kClosedYearDelete = "書き込み禁止年度です\n現在年度データは削除できません";
inline constexpr const char* kConfirmDelete = "削除してよろしいですか ";
inline constexpr const char* kNoLedgerSlip = "売り掛け帳が指定してありません\nカリムスシステムに連絡してください";
inline constexpr const char* kDeletedName = "〓〓〓〓〓〓〓〓〓〓〓〓〓〓〓";

// Joining another payment file.
inline constexpr const char* kJoinSameFile = "現在使用中の入出金データは連結できません ";
inline constexpr const char* kJoinAlreadyJoined = "このファイルは既に連結されています ";
inline constexpr const char* kJoinClosedYear = "書き込み禁止年度です\n現在年度は連結できません ";
inline constexpr const char* kJoinUnreadable = "指定されたファイルが読めません ";

}  // namespace rk::msg
