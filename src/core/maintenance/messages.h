// The fixed texts of backup and restore, exactly as the operator has always seen them, and
// the few this program adds where a failure used to pass in silence.
#pragma once

namespace rk::maintenance::msg {

// Backup window.
inline constexpr const char* kBackupTitle = "　データバックアップ";
inline constexpr const char* kDriveHeader = "ﾄﾞﾗｲﾌﾞ 空き容量(Kﾊﾞｲﾄ) ﾒﾃﾞｨｱ";
inline constexpr const char* kManagementMethod = "管理データ方式";
inline constexpr const char* kExplain = "解 説";
inline constexpr const char* kArchiveMethod = "圧縮ファイル方式";
inline constexpr const char* kMediumRemovable = "ﾌﾛｯﾋﾟor MO ";
inline constexpr const char* kMediumFixed = "ﾊｰﾄﾞﾃﾞｨｽｸ  ";
inline constexpr const char* kMediumRemote = "ﾘﾓｰﾄ  ";
inline constexpr const char* kMediumCdRom = "CD-RW 他 ";
inline constexpr const char* kMediumRamDisk = " ";
inline constexpr const char* kManagementFileName = "管理ﾃﾞｰﾀ.Ft1";
inline constexpr const char* kArchiveNameSuffix = "年dt.Lzh";  // after the business year

inline constexpr const char* kCannotMeasure =
    "バックアップ先ドライブの\n空き容量が計測できないので\nバックアップできません";
inline constexpr const char* kSameDrive = "データ元と先ドライブが同一のため\nバックアップできません";
inline constexpr const char* kFileLength = "ファイル長 %llu \n空き容量　 %llu \n";
inline constexpr const char* kArchiveLength = "ファイル長 %llu ｷﾛﾊﾞｲﾄ  \n空き容量　 %llu ｷﾛﾊﾞｲﾄ \n";
inline constexpr const char* kNotEnoughSpace =
    "バックアプ先ドライブの空き容量が足りません\n空きディスクと交換してください";
inline constexpr const char* kNoColon = "ファイル名の２バイト目に「：」（コロン）がありません";
inline constexpr const char* kNameTooLong =
    "ファイル名が長すぎます\nファイル名は拡張子・ピリオドを含め１２バイト以内にしてください";
inline constexpr const char* kNotLzh = "ファイル名の拡張子を .Lzh にしてください";
inline constexpr const char* kNoPeriod = "ファイル名にピリオドがありません\n（拡張子が識別できません）";
inline constexpr const char* kCopying = " \n \n \n \n     ただ今コピー中・・・";
inline constexpr const char* kHostCopyName = "hostdata.lzh";

// Added: failures the operator must hear about.
inline constexpr const char* kCopyFailed = "ファイルのコピーに失敗しました\n%s\nバックアップは完了していません";
inline constexpr const char* kArchiveFailed = "圧縮ファイルが作成できません\n%s\nバックアップは完了していません";
inline constexpr const char* kManagementWriteFailed =
    "管理ファイルが書き込めません\n%s\nバックアップは完了していません";
inline constexpr const char* kExitBackupFailed = "自動バックアップができませんでした\n%s";
inline constexpr const char* kDamagedArchive = "圧縮ファイルが壊れています\n%s\n復旧できません";
inline constexpr const char* kProgramRunning =
    "ラクレナが起動中のため復旧できません\nラクレナを終了してから行ってください";
inline constexpr const char* kStationsRunning =
    "他の端末が稼働中のため復旧できません\n他の端末を終了してから行ってください";

// Restore window.
inline constexpr const char* kRestoreTitle = "　バックアップデータの復帰";
inline constexpr const char* kManagementButton = "管理ﾃﾞｰﾀ指定";
inline constexpr const char* kArchiveButton = "圧縮ﾌｧｲﾙ指定";
inline constexpr const char* kExistingHeading = "存在自動バックアップファイル";
inline constexpr const char* kRestoreWarning[] = {"      〓要注意〓",       "既存データが失われます",
                                                  "復帰ファイルはメニュー", "「データ保守」の「デー",
                                                  "タバックアップ」での圧", "縮ファイルのみ有効です。"};
inline constexpr const char* kRestoreWarningRed[] = {"この作業は十分理解して", "から行ってください"};
inline constexpr const char* kWorkFolder = "作業ﾎﾙﾀﾞ";
inline constexpr const char* kTempArchive = "Tmpname.Lzh";

inline constexpr const char* kRestoreBlue = "ブルー色表示ファイルを復旧します";
inline constexpr const char* kCopyToFolders =
    "バックアップデータは本システムホルダーの直下\n ..￥作業ﾎﾙﾀﾞ　に格納しました\n"
    "基本設定の指定ホルダにコピーしてもいいですか・・・はい \n 指定ホルダを変更して確認する・・・いいえ";
inline constexpr const char* kSystemStops = "システムを停止します。再起動してください";
inline constexpr const char* kProgramStops = "ラクレナを停止します。再起動してください";
inline constexpr const char* kArchiveNotFound = "復帰元ファイルが見つかりません";
inline constexpr const char* kFileNotFound = "指定ファイルが見つかりません";
inline constexpr const char* kSameDriveRestore = "データ元と先ドライブが同一のため復旧できません";
inline constexpr const char* kWrongFormat =
    "この管理ファイルはバックアップ時の規格と異なります\nシステムでは復旧できません";
inline constexpr const char* kSourceMissing =
    "復旧元ディスクに %s が見つかりません\n　中止・・・・中止する\n　再試行・・ディスクを交換して読み込む\n"
    "　無視・・・・このファイルをパスして次のファイルを復旧";
inline constexpr const char* kAbortInconsistent = "ラクレナを停止します。なお、復旧データは矛盾してる可能性があります";
inline constexpr const char* kStampDiffers =
    "このファイルは管理データに記録されたファイルとタイムスタンプが異なります\n"
    "バックアップ後更新されたか、組み合わせの異なるファイルです\n前者なら問題ありませんが、後者なら使用できないデータで"
    "す\n"
    "戻しますか？";
inline constexpr const char* kNotRestored =
    "復旧できないファイルが  %d 本あります\n再起動後データをチェックしてください";

}  // namespace rk::maintenance::msg
