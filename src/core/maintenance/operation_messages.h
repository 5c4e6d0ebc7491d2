// The fixed texts of the year-end update and the data operation windows, and the few this
// program adds where an operation used to go ahead unsafely or fail in silence.
#pragma once

namespace rk::msg {

// Year-end update window.
inline constexpr const char* kYearEndTitle = "　年度更新";
inline constexpr const char* kNextMastersButton = "次年度マスター作成";
inline constexpr const char* kCarryButtonSales = "次年度へ売掛額転送";
inline constexpr const char* kCarryButtonPurchase = "次年度へ買掛額転送";
inline constexpr const char* kHelpCaption = "解　説";
inline constexpr const char* kDuplicateCaption = "重複行ﾁｪｯｸ";
inline constexpr const char* kNotInputYear = "　現在年度は書き込み年（入年）ではないため\n \n年度更新はできません";
inline constexpr const char* kMakingMasters = "ただ今次年度マスター作成中・・・";
inline constexpr const char* kCustomerMasterExists = "\n既に次年度得意先マスターが存在します\n上書き作成しますか";
inline constexpr const char* kAccountMasterExists = "\n既に次年度勘定科目マスターが存在します\n上書き作成しますか";
inline constexpr const char* kClientCannot = "クライアントは年度更新できません";
inline constexpr const char* kCheckingData = "  ただ今データチェック中・・・";
inline constexpr const char* kUnprocessedSales =
    "伝票の中に売り掛け未処理伝票が \n %d 件あるため残高転記できません \n \n 強制転記をしますか";
inline constexpr const char* kUnprocessedPurchase =
    "伝票の中に買い掛け未処理伝票が \n %d 件あるため残高転記できません \n \n 強制転記をしますか";
inline constexpr const char* kTotalling = "ただ今集計中・・・";
inline constexpr const char* kReservedSales =
    " 名前入力用得意先コード（96～99）\n に売り掛けがあります \n この残高を 0 にしてから再実行してください";
inline constexpr const char* kReservedPurchase =
    " 名前入力用得意先コード（96～99）\n に買い掛けがあります \n この残高を 0 にしてから再実行してください";
inline constexpr const char* kPosting = "ただ今残高転記中・・・";
inline constexpr const char* kNextMasterMissing = "次年度マスターが見つからず残高転記できません";
inline constexpr const char* kCarriedSales = "次年度マスターへ売り掛け残高を繰越しました";
inline constexpr const char* kCarriedPurchase = "次年度マスターへ買い掛け残高を繰越しました";
inline constexpr const char* kDuplicateNone = "不正データは ありませんでした";

// Added: what used to be passed over in silence.
inline constexpr const char* kOutOfRangeSlips = "\n（得意先No が範囲外の伝票 %d 件は繰越していません）";
inline constexpr const char* kMasterUnreadable = "本年度のマスターが読めないため次年度マスターを作成できません\n%s";
inline constexpr const char* kYearEndWriteFailed = "次年度マスターに書き込めません\nデータは変更されていません\n%s";
inline constexpr const char* kYearEndStations =
    "他の端末が稼働中のため年度更新できません\n他の端末を終了してから行ってください";

// Data operation window.
inline constexpr const char* kDataOperationTitle = "　データ操作";
inline constexpr const char* kInDevelopment = "現在開発中です";
inline constexpr const char* kSameFolder = "分離先ホルダー名が元と同じため分離出来ません";
inline constexpr const char* kCannotCreateSplit = "分離先ファイルが作成出来ないため分離出来ません";
inline constexpr const char* kSplitDone = "分離を終了しました";
inline constexpr const char* kReleaseAskSales =
    "入金済みデータを解除します\nこの結果は元に戻せません\n必ず複数のバックアップ後行ってください";
inline constexpr const char* kReleaseAskPurchase =
    "出金済みデータを解除します\nこの結果は元に戻せません\n必ず複数のバックアップ後行ってください";
inline constexpr const char* kServerArchiveMissing =
    "サーバの圧縮ファイルが見つかりません\nサーバ管理者に作成を依頼してください";
inline constexpr const char* kServerArchiveMade = "取込圧縮ファイルは\n %d月%d日%d時%d分に作成されたものです";
inline constexpr const char* kBrowseFolder = "閲覧";
inline constexpr const char* kFolderMissingAsk = "指定ホルダー  %s  が見つかりません\n新規作成しますか";
inline constexpr const char* kFolderCreateFailed = "ホルダー作成に失敗しました";
inline constexpr const char* kCopyResult = "コピー結果　　%d  \n 成功は０以外 ";
inline constexpr const char* kImported = "%s　へ取り込みました\nこのホルダー指定により閲覧できます";

// Added.
inline constexpr const char* kReleaseDone = "入金済みデータを解除しました";
inline constexpr const char* kReleaseDonePurchase = "出金済みデータを解除しました";
inline constexpr const char* kReleaseNone = "解除する伝票はありませんでした";
inline constexpr const char* kReleaseCrossing =
    "範囲外の得意先の伝票を含む入金データがあるため解除できません\n得意先の範囲を見直してください";
inline constexpr const char* kReleaseCrossingPurchase =
    "範囲外の得意先の伝票を含む出金データがあるため解除できません\n得意先の範囲を見直してください";
inline constexpr const char* kOperationWriteFailed = "データファイルに書き込めません\nデータは変更されていません\n%s";
inline constexpr const char* kOperationStations =
    "他の端末が稼働中のため実行できません\n他の端末を終了してから行ってください";
inline constexpr const char* kImportIntoLive =
    "稼働中のデータホルダー又はプログラムホルダーには取り込めません\n別のホルダーを指定してください";
inline constexpr const char* kImportFailed = "圧縮ファイルを展開できません\n%s\n取り込みは完了していません";

}  // namespace rk::msg
