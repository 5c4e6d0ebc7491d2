// The fixed texts of start-up and exit, exactly as the operator has always seen them.
#pragma once

namespace rk::msg {

inline constexpr const char* kAlreadyRunning =
    "本システムは既に起動しています\n重複起動でのデータ更新はその矛盾を生じる可能性があります\n閲覧・集計のみなら問題あ"
    "りません\n起動しますか";
inline constexpr const char* kServerSettingsUnreadable =
    "  サーバの基本設定ファイルが読めません\n 対象年度は本システムデータを使用します";
inline constexpr const char* kServerYearDiffers = "  サーバの基本設定の年度と異なります\n よって年度を変更します";
inline constexpr const char* kMemberNumberIgnored =
    "データホルダーが本システムホルダーと同じでは\n組合員Ｎｏ指定は無効です\n組合員Ｎｏを０で起動します("
    "組合員Ｎｏ埋め込みはできません)";
inline constexpr const char* kFolderWriteProtected = "データ指定ホルダーが書き込み禁止です\n属性を変更してください";
inline constexpr const char* kWrongPassword = "パスワードが違います";
inline constexpr const char* kIndexInconsistent =
    "データファイルとそのインデックスファイルが矛盾してます\n再作成します";
inline constexpr const char* kPaymentDataMissing =
    "入出金データが見つかりません\n新規作成します。\n継続使用の場合は異常ですのでチェックしてください ";
inline constexpr const char* kRemarkDataMissing =
    "備考文データが見つかりません\n新規作成します。\n継続使用の場合は異常ですのでチェックしてください ";
// A settings file that reads but names no usable year or first month (short or damaged).
inline constexpr const char* kSettingsDamaged =
    "  基本設定ファイルが壊れています\n  年度または期首月が読めません\n停止しますのでファイルを点検して下さい";
// The qualified-invoice file of the program folder could not be read as written.
inline constexpr const char* kInvoiceSettingsDamaged =
    "適格請求書設定ファイル(INVOICE.FT0)"
    "が壊れています\n適格請求書は発行されません\n基本設定で登録番号を入力し直してください";
inline constexpr const char* kSettingsMissing =
    "  基本設定ファイルが読めません\n  新規作成若しくは復旧しますか ？ "
    "\n要注意－新規作成すると勘定科目ファイルは初期化されます";
inline constexpr const char* kCannotCreate = "ファイルの新規作成が出来ません\n原因究明してから再試行してください";
inline constexpr const char* kNarrowScreen = "画面モードを 1024 x 768 以上の\n大きいフォントにしてください";

inline constexpr const char* kNewDataText =
    "基本設定で指定されたホルダに既存データが見つかりません\n\n"
    "　解　説　　・・・・・　上記についての解説表示\n"
    "　再設定　 ・・・・・　基本設定の変更\n"
    "　新規作成・・・・・　指定されたホルダーに新規作成\n"
    "　ｷｬﾝｾﾙ   ・・・・・　ラクレナを停止\n"
    "　旧ﾃﾞｰﾀ変換  ・・　ラクレナVer6.0ﾃﾞｰﾀを変換して作成";
inline constexpr const char* kPasswordTitle = "パスワード";
inline constexpr const char* kPasswordText = "このデータにはパスワードが設定されいます\nパスワードを入力してください";

// Member-station master refresh questions, in the order the masters are compared.
inline constexpr const char* kServerMasterNewer[5] = {
    "サーバーの得意先マスターが更新されてます\n取り込みますか",
    "サーバーの商品マスターが更新されてます\n取り込みますか",
    "サーバーの規格マスターが更新さてます\n取り込みますか",
    "サーバーの勘定科目マスターが更新されてます\n取り込みますか",
    "サーバーの備考文マスターが更新さてます\n取り込みますか",
};

}  // namespace rk::msg

namespace rk::msg {
// Another station held the data-folder lock for longer than a write may take.
inline constexpr const char* kDataBusy = "他の端末でデータを更新中です\nしばらくしてから再度実行してください";
}  // namespace rk::msg

namespace rk::msg {
// The network control file.
inline constexpr const char* kLanFileAbnormal =
    "ＬＡＮ制御ファイルが異常です\n必ず原因確認してください\n初期化しますか？\n \nはい ････････．初期化\nいいえ "
    "･･････．無視\nｷｬﾝｾﾙ･･････．中止";
inline constexpr const char* kLanFileMissing =
    "ＬＡＮ制御ファイルが見つかりません \n危険ですからすみやかに停止してください";
inline constexpr const char* kLanFileMissingAtStart = "ＬＡＮ制御ファイルが見つかりません \n基本設定を変更しますか";
inline constexpr const char* kRestartAfterChange = "変更後は必ず一度停止して再起動してください";
inline constexpr const char* kClientsRunning =
    "稼働中のクライアントがあります\nクライアントを閉じてから下の ＯＫ ボタンをクリックしてください";
inline constexpr const char* kLanFileMissingAtExit =
    "ＬＡＮ制御ファイルが見つかりません\n異常ですので原因を究明してください";
// All nine station numbers are taken by running stations.
inline constexpr const char* kNoFreeStation =
    "稼働中の端末が９台に達しているため起動できません\n他の端末を終了してから再起動してください";
// A server needs station number 1, which a running client already holds.
inline constexpr const char* kServerStationInUse =
    "端末番号１を他の端末が使用中のためサーバーとして起動できません\nその端末を終了してから再起動してください";
}  // namespace rk::msg
