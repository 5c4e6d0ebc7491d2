// The fixed texts of the master windows, exactly as the operator has always seen them.
#pragma once

namespace rk::msg {

inline constexpr const char* kCustomerWriteFailed =
    "得意先マスターファイルの書き込み異常です\nファイルオープンができません\nカリムスシステムに連絡してください";
// The other masters had no message of their own for a failed write; they say the same thing.
inline constexpr const char* kProductWriteFailed =
    "商品マスターファイルの書き込み異常です\nファイルオープンができません\nカリムスシステムに連絡してください";
inline constexpr const char* kGradeWriteFailed =
    "規格マスターファイルの書き込み異常です\nファイルオープンができません\nカリムスシステムに連絡してください";
inline constexpr const char* kRemarkWriteFailed =
    "備考マスターファイルの書き込み異常です\nファイルオープンができません\nカリムスシステムに連絡してください";
inline constexpr const char* kAccountWriteFailed =
    "科目ファイルの書き込み異常です\nファイルオープンができません\nカリムスシステムに連絡してください";
inline constexpr const char* kAccountFileMissing =
    "科目ファイルがオープンできません\n停止しますのでファイルを点検して下さい";

// Group registration in the customer master.
inline constexpr const char* kOwnNumberAsMember = "自分の番号はグループメンバーに設定できません";
inline constexpr const char* kRepresentativeAsMember = "この得意先番号は他のグループ代表のため設定できません";
inline constexpr const char* kMemberOfOtherGroup = "この得意先番号は他のグループに属してるため設定できません";
inline constexpr const char* kMemberCannotLead = "この得意先は他のグループに属してるためメンバーを設定できません";
inline constexpr const char* kGroupFull = "グループメンバーは６３件までしか設定できません";
// printf formats: representative, member count, member, the representative the member names.
inline constexpr const char* kGroupMemberMismatch =
    "得意先No   %d  のメンバー数　 %d  のうち\nメンバーコード   %d  は　\nこのメンバー側の代表指定が  %d  です\n"
    "これは矛盾するためこの得意先Noを訂正してください \n引き続きチェックしますか";
// printf formats: member, its representative.
inline constexpr const char* kGroupParentMismatch =
    "得意先No   %d  の親番号　 %d  は\nその親番号にはありません\nこれは矛盾するためこの得意先Noを訂正してください \n"
    "引き続きチェックしますか";
inline constexpr const char* kCustomerCsvName = "得意先.Csv";
inline constexpr const char* kCustomerSearchHint = "入力文字を含むﾃﾞｰﾀを検索します";

inline constexpr const char* kProductSearching = "\n       ただ今検索中・・・  しばらくお待ちください。";

// Account items. printf format of the duplicate report: the entered code, the existing code
// (the name goes between the two parts).
inline constexpr const char* kAccountDuplicateHead = "入力科目名　";
inline constexpr const char* kAccountDuplicateTail =
    "  は\nその入力科目No.  %d  と  既存No.  %d  "
    "とが同一科目名です\nいずれかの番号の科目名を変更するか削除をお奨めします\n"
    "なお、変更・削除は勘定元帳作成で「未使用」を確認してください";
inline constexpr const char* kAccountTotalsMismatch =
    "借り方科目計と貸方科目計が合いません\n再オープン後設定し直してください";

}  // namespace rk::msg
