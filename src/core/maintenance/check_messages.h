// The fixed texts of the data check window and its tools, as the operator has always seen them.
#pragma once

namespace rk::msg {

inline constexpr const char* kCheckClientRefused = "この作業はクライアント又は組合員ではできません";

// Member-count check.
inline constexpr const char* kMemberCountAsk =
    "この入出金帳のメンバー数は得意先マスターのメンバー数と異なります\n  得意先No  %d   入金日 %d \n  "
    "入金帳メンバー数 %d  マスターメンバー数 %d\n補正しますか";
inline constexpr const char* kMismatchCount = "不整合伝票数　 %d ";
inline constexpr const char* kNoMismatch = "不整合伝票はありませんでした";

// Fraction clearing.
inline constexpr const char* kFractionProgress = "\n        ただ今小数点以下初期化中・・・";
inline constexpr const char* kFractionLine = "月日  %d  得意先No  %d \n数量  %d  単価  %d  金額  %d \n品名  ";
inline constexpr const char* kFractionTotal = "月日 %d  先ｺｰﾄﾞ  %d  合計額  %d";
inline constexpr const char* kFractionCommission = "月日 %d  先ｺｰﾄﾞ  %d  手数料  %d";
inline constexpr const char* kFractionNet = "月日 %d  先ｺｰﾄﾞ  %d  差引額  %d";
inline constexpr const char* kFractionTax = "月日 %d  先ｺｰﾄﾞ  %d  消費税  %d";
inline constexpr const char* kFractionCosts = "月日 %d  先ｺｰﾄﾞ  %d  費用額  %d";
inline constexpr const char* kFractionPaid = "月日 %d  先ｺｰﾄﾞ  %d  入金額  %d";
inline constexpr const char* kFractionBalance = " 先ﾏｽﾀｰｺｰﾄﾞ  %d  前回残高  %d";
inline constexpr const char* kFractionOpening = " 先ﾏｽﾀｰｺｰﾄﾞ  %d  繰越額  %d";
inline constexpr const char* kLinesDone = "商品データ完了";
inline constexpr const char* kHeadersDone = "売り掛けデータ完了";
inline constexpr const char* kPaymentsDone = "入金データ完了";
inline constexpr const char* kLineRecords = "\n    商品データ数  %d 件";
inline constexpr const char* kLineHitsHeaders = "\n  商品データ該当数  %d \n    売掛帳数  %d 件";
inline constexpr const char* kHeaderHitsPayments = "\n 売掛データ該当数  %d \n    入金帳数  %d 件";
inline constexpr const char* kPaymentHitsCustomers = "\n 入金データ該当数  %d \n    得意先マスター  %d 件";
inline constexpr const char* kAllHits = "全該当データ数　%d 件です";
inline constexpr const char* kNoHits = "該当データはありませんでした";

// Payment total check.
inline constexpr const char* kTotalsProgress = "\n        ただ今決済伝票と掛け伝票の照合中・・・";
inline constexpr const char* kTotalsAsk =
    "この入出金帳の合計額は掛け帳集計額と異なります\n 得意先No   %d    入金日  %d \n 合計額  %d    集計額  %d \n "
    "続行しますか ";

// Last-slip display.
inline constexpr const char* kLastSlip = "  納品日　  %d  得意先  %d  金額  %d 円\n  得意先名  ";
inline constexpr const char* kLastSlipCarried =
    "\n \n  1999-06-16 以前ｼｽﾃﾑでの残高転記は\n  上記得意先次期 期首残高が上記金額分加算されます\n  "
    "確認の上減額してください";
inline constexpr const char* kLastSlipFine = "\n \n  この伝票による残高転記は問題ありません";

// Compaction.
inline constexpr const char* kCompactAskSales =
    "納品伝票に  %d  件\n入金伝票に  %d  件の未使用領域があります\n必ず複数のバックアップ後実行してください "
    "\nよろしいですか";
inline constexpr const char* kCompactAskPurchase =
    "受領伝票に  %d  件\n出金伝票に  %d  件の未使用領域があります\n必ず複数のバックアップ後実行してください "
    "\nよろしいですか";
inline constexpr const char* kCompactDone =
    "未使用領域除去によるインデックス読み直しが必要です\nラクレナを停止しますので再起動してください";

// Customer master truncation and reset.
inline constexpr const char* kCheckingProgress = "\n  ただ今データチェック中・・・";
inline constexpr const char* kTruncated = "得意先マスターを９９９件にしました";
inline constexpr const char* kResetAsk = "得意先マスター５０１番以降を初期化します\nよろしいですか";
inline constexpr const char* kResetProgress = "\n  ただ今データ初期化中・・・";
inline constexpr const char* kResetDone = "得意先マスターを５０１番以降を初期化しました";

// Text export.
inline constexpr const char* kTextAsk =
    "ラクレナデータを文字列にします\n出力ファイルはカレントホルダーに\n  TextData.Csv  に上書き記録されます";
inline constexpr const char* kTextProgress = "\n  ただ今作成中・・・ \n  しばらくお待ちください。";
inline constexpr const char* kTextFileName = "TextData.Csv";
inline constexpr const char* kTextHeading =
    "ｿｰﾄ用,月日,No,種別,得意先名,売上計,消費税,費用計,行,品ｺｰﾄﾞ,商品名,属,規格1,規格2,備考No,備考文,数量,単位,単価,"
    "金額,運者,梱数,運賃 ";

// Sale-method import.
inline constexpr const char* kImportAsk =
    "属性(売り方)を取り込みます\n取り込みファイルとしてカレントホルダーに\nファイル名 "
    "商品.Ft2\n掛帳.Ft2\nを用意してください";
inline constexpr const char* kImportProgress = "\n  ただ取り込み中・・・ \n  しばらくお待ちください。";
inline constexpr const char* kImportLinesName = "商品.Ft2";
inline constexpr const char* kImportHeadersName = "掛帳.Ft2";
inline constexpr const char* kImportNoLines = "取込商品データファイルが見つかりません";
inline constexpr const char* kImportNoHeaders = "取込得意先データファイルが見つかりません";

// Payment slip-list repair.
inline constexpr const char* kRepairStart = "入出金帳の掛け帳レコード番号を補正します";
inline constexpr const char* kRepairFound =
    "月日 %d  掛け帳数  %d  存在数  %d  第一番号  %d\n上記入出金日の掛け帳数とその存在レコード番号数が合いません\n"
    "得意先名   ";

// Deletion of slips without customer.
inline constexpr const char* kNoCustomerProgress = "  ただ今データチェック中・・・";
inline constexpr const char* kNoCustomerNone = "補正該当データはありません";
inline constexpr const char* kNoCustomerAsk = "伝票の中に得意先番号０以下伝票が \n %d 件あります \n \n 削除しますか";
inline constexpr const char* kNoCustomerWorking = "ただ今補正中・・・";
inline constexpr const char* kRestartNow = "必ずシステムを再起動してください";

// Duplicate-line check (shared with the year-end window) and duplicate-slip check.
inline constexpr const char* kDuplicateLinesNone = "不正データは ありませんでした";
inline constexpr const char* kDuplicateSlipsFound = "同じ日付と得意先の伝票が %d 組あります\n";
inline constexpr const char* kDuplicateSlipRow = "\n  %s  得意先No %4d  (%d と %d)";
inline constexpr const char* kDuplicateSlipsNone = "同じ日付と得意先の伝票はありませんでした";

// The integrity check in the window.
inline constexpr const char* kYearCheckClean = "データの矛盾はありませんでした";
inline constexpr const char* kYearCheckFound = "データの矛盾が %d 件あります\n";

// Shared failures.
inline constexpr const char* kCheckWriteFailed = "データファイルに書き込めません\nデータは変更されていません";
inline constexpr const char* kCheckReadFailed = "データファイルが読めません\nファイルを点検してください";

}  // namespace rk::msg

namespace rk::msg {
// Customer master truncation: asked first, refused while the customer count goes past 999.
inline constexpr const char* kTruncateAsk = "得意先マスターの１０００件以降を除去します\nよろしいですか";
inline constexpr const char* kTruncateRefused =
    "得意先件数が 999 件を超える設定のため除去できません\n環境設定の得意先件数を確認してください";
}  // namespace rk::msg

namespace rk::msg {
// Alt+T / Alt+S: every customer's outstanding balance moved one number up or down.
inline constexpr const char* kShiftUpHint = "ALT + T 得意先残高１つ↑";
inline constexpr const char* kShiftDownHint = "ALT + S 得意先残高１つ↓";
inline constexpr const char* kShiftUpAsk =
    "全得意先の前回残高を１つ上（１つ前の得意先No）へ移動します\n必ずバックアップ後実行してください\nよろしいですか";
inline constexpr const char* kShiftDownAsk =
    "全得意先の前回残高を１つ下（１つ後の得意先No）へ移動します\n必ずバックアップ後実行してください\nよろしいですか";
inline constexpr const char* kShiftDone = "得意先残高を移動しました";
}  // namespace rk::msg

namespace rk::msg {
// Conversion of previous-version data.
inline constexpr const char* kConvertAsk = "旧データを変換します";
inline constexpr const char* kConvertWorking = "ただいま変換中・・・";
inline constexpr const char* kConvertNoFile = "指定ファイルが見つかりません";
inline constexpr const char* kConvertYear = "%d 年データ変換中・・・";
inline constexpr const char* kConvertEnd = "ラクレナを停止します。再起動してください";
inline constexpr const char* kConvertReplaceAsk =
    "%d 年の Ver7.0 データが既にあります\n変換データで置き換えますか\n（いいえ・・・この年度は変換しません）";
inline constexpr const char* kConvertWriteFailed = "変換データを書き込めません\n%s";
}  // namespace rk::msg
