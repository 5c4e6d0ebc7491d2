// Texts of the basic and environment settings windows.
#pragma once

namespace rk::msg {

inline constexpr const char* kPasswordNew =
    "パスワードが新設されました\n以降パスワード無しでは起動できなくなります\nよろしいですか";
inline constexpr const char* kPasswordChanged =
    "パスワードが変更されました\n以降新パスワードでないと起動できなくなります\nよろしいですか";
inline constexpr const char* kPasswordRemoved =
    "パスワードが解消されました\n以降新パスワード無しで起動できます\nよろしいですか";
// A wrong current password used to be ignored without a word.
inline constexpr const char* kPasswordWrong = "現在ﾊﾟｽﾜｰﾄﾞが違います\nﾊﾟｽﾜｰﾄﾞは変更されません";
inline constexpr const char* kOtherEditionRunning[3] = {
    "現在起動中の 販売管理 の基本設定も変更します\nこのため 販売管理 "
    "を速やかに停止してください\n停止しないとデータが矛盾します",
    "現在起動中の 仕入管理 の基本設定も変更します\nこのため 仕入管理 "
    "を速やかに停止してください\n停止しないとデータが矛盾します",
    "現在起動中の 財務管理 の基本設定も変更します\nこのため 財務管理 "
    "を速やかに停止してください\n停止しないとデータが矛盾します",
};
inline constexpr const char* kFileOrFirstMonthChanged =
    "ファイル指定又は期首月が変更されました\nプログラムを停止します";
inline constexpr const char* kRestoredFromBackup =
    "基本設定をバックアップファイルから復旧しました\nプログラムを停止します";
// A failed settings write used to pass without a word.
inline constexpr const char* kSettingsWriteFailed = "基本設定ファイルの書き込み異常です\n設定は保存されていません";
inline constexpr const char* kEnvironmentWriteFailed =
    "環境設定を科目ファイルに書き込めません\n設定は保存されていません";
inline constexpr const char* kRegistrationNumberShape =
    "登録番号はＴと１３桁の数字で入力してください\n（例　T1234567890123）";
inline constexpr const char* kRegistrationNumberMissing = "登録番号が未入力です\n適格請求書の発行はできません";
inline constexpr const char* kInvoiceWriteFailed =
    "適格請求書設定ファイルの書き込み異常です\n登録番号は保存されていません";
inline constexpr const char* kNoBackup = "基本設定ファイルのバックアップファイルが見つかりません";
inline constexpr const char* kRestartForFileSet = "ファイル指定セットのため 再起動してください";
inline constexpr const char* kRestartForStartup = "基本データ読み込みのため再起動してください";
// Sections of the operation guide the settings windows explain themselves with.
inline constexpr const char* kBasicSettingsTopic = "＊．基本設定";
inline constexpr const char* kEnvironmentTopic = "＊．環境設定";
inline constexpr const char* kSettingsNotice = "〓注意〓年度・ﾃﾞｰﾀﾄﾞﾗｲﾌﾞ変更時は他のｳｲﾝﾄﾞは全て閉じて下さい";

inline constexpr const char* kAccountFileUnopenable =
    "科目ファイルがオープンできません\n停止しますのでファイルを点検して下さい";
inline constexpr const char* kPostingHeading = "借り方　　　　   　貸し方";
inline constexpr const char* kReceivablesBoxNote =
    "この４角形内の科目コードは全て「売掛金」を入力し、他の借り方コードは費用科目を入力して下さい。";
inline constexpr const char* kPayablesBoxNote =
    "この４角形内の科目コードは全て「買掛金」を入力し、他の貸し方コードは収益科目を入力して下さい。";
inline constexpr const char* kTaxRowNote =
    "消費税の借り方コードには「租税公課」を入力してください（免税・簡易課税業者以外は上記も含め異なります。";
inline constexpr const char* kAutoBackupOff = "自動バックアップを解除します\n以降自動バックアップはされません";
inline constexpr const char* kAutoBackupOn = "自動バックアップをセットします";
inline constexpr const char* kCheckModeOn = "システムをチェックモードにします";
inline constexpr const char* kCheckModeOff = "システムチェックモードを解除します";
inline constexpr const char* kCustomerCountReminder =
    "得意先件数を増加したときは必ず得意先マスター登録ウインドウをオープンしてください";
// Lowering the count silently dropped the customers above it from every later run.
inline constexpr const char* kCustomerCountLowered =
    "得意先件数を減らすと それを超える得意先Noは以降扱われません\nよろしいですか";

}  // namespace rk::msg
