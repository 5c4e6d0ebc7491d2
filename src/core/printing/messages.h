// Texts of the printed documents and their windows.
#pragma once

namespace rk::printing::msg {

// Delivery notes.
inline constexpr const char* kDeliveryTitle = " 納　品　書";
inline constexpr const char* kReceiptTitle = " 受　領　書";
inline constexpr const char* kConsignmentTitle = " 送　り　状";
inline constexpr const char* kShippedSales = "出荷量";
inline constexpr const char* kShippedPurchase = "受領量";
inline constexpr const char* kSumTotal = "集 計 額";
inline constexpr const char* kTaxPlus = "消費税 ＋";
inline constexpr const char* kCommissionA = "Ａ.手数料";
inline constexpr const char* kCostsB = "Ｂ.経費計";
inline constexpr const char* kAPlusB = "Ａ＋Ｂ －";
inline constexpr const char* kGrandTotal = "合 計 額";
inline constexpr const char* kBoxes = " 箱  数 %5d";
inline constexpr const char* kFlowerContainers = " ﾌﾗｺﾝ数 %5d";
inline constexpr const char* kTrays = " ﾄﾚｰ 数 %5d";
inline constexpr const char* kInvalidLines = "該当データに %d 件の不正があります　伝票入力ウインドウで修正してください";
inline constexpr const char* kNoSlipChosen = " 該当伝票がありません";
inline constexpr const char* kTooManyPages =
    "印刷枚数が %d 枚になります\n一度に印刷できるのは %d 枚までです　範囲を狭めてください";
inline constexpr const char* kSlipCount = " 該当伝票数 %3d 件";
inline constexpr const char* kTagCount = " タック枚数%4d 枚";
inline constexpr const char* kPageCount = " 伝 票 枚 数 %3d 枚";
inline constexpr const char* kFormNote = "☆ 印刷フォームは「初期設定の印刷設定」でセットしてください";
inline constexpr const char* kPaperNote = "☆ 用紙サイズはコントロールパネルのプリンタで行ってください";
inline constexpr const char* kListCaption = "該当得意先名 (右ｸﾘｯｸ全指定)";

inline constexpr const char* kNoFaxNumber = "次の得意先はFAX番号が見つからないため送信しませんでした\n%s";
inline constexpr const char* kFaxFailed = "FAX送信プログラムが実行できませんでした\n%s";

// Bills.
inline constexpr const char* kBillTitle = " 請　求　書";
inline constexpr const char* kStatementTitle = " 支払明細書";
inline constexpr const char* kUnknownName = "お客様名不明";
inline constexpr const char* kPreviousBalance = "前期残高";
inline constexpr const char* kBillTotal = "請求額計";
inline constexpr const char* kStatementTotal = "支払額計";
inline constexpr const char* kDetailHeading = "                               【  納 品 明 細 デ ー タ　】";
inline constexpr const char* kDetailHeadingPurchase = "                               【  受 領 明 細 デ ー タ　】";
inline constexpr const char* kDetailCustomer = " お客様名    No. %d   ";
inline constexpr const char* kGroupCustomer = " 請求先お客様名    No. %d   ";
inline constexpr const char* kCollecting = "\n     ただ今集計中・・・\n     しばらくお待ちください。";
inline constexpr const char* kBillPageCount = "該当枚数  %d 枚";
inline constexpr const char* kSearchOn = "検索(有効)";
inline constexpr const char* kSearchOff = "検索(無効)";
inline constexpr const char* kSearchNote = "検索名を入力すると名前検索モードになります";

// Qualified invoices.
inline constexpr const char* kRegistrationNumber = "登録番号 ";
inline constexpr const char* kDeliveryNotesQualify = "※適格請求書は各納品書です　消費税は納品書ごとの税額の合計です";
inline constexpr const char* kThirdInchNote = "☆ 本メニューでの印刷は１／３インチ改行で行います";
inline constexpr const char* kNotRepresentative = "この得意先はグループ代表ではありません";
inline constexpr const char* kNoSlips = "該当伝票がありません";
inline constexpr const char* kFormFixedNote = "☆ 本メニュー呼び出し中のフォーム変更は無効です";
inline constexpr const char* kGroupMembers = "グループメンバー";
inline constexpr const char* kNoMembers = "メンバーはありません";
inline constexpr const char* kSelfMember = "自分がメンバーです";

// Print form settings.
inline constexpr const char* kMarginNote = "マージはピクセル単位で指定してください";
inline constexpr const char* kFormNotSaved = "印刷フォームファイルが書き込めません";
inline constexpr const char* kSizeNote = "文字サイズ 0 は既定値になります";

// Home-delivery slips.
inline constexpr const char* kHomeDeliveryFormNote =
    "☆ 印刷フォームは「初期設定の宅配伝票フォーム設定」でセットしてください";
inline constexpr const char* kHomeDeliveryUnreadable = "伝票ファイルまたは宅配伝票ファイルが読み込めません";
inline constexpr const char* kHomeDeliveryFormUnreadable = "宅配伝票フォームファイルが読み書きできません";
inline constexpr const char* kHomeDeliveryFormHead = "  No.  項　目　名         Ｘ座標  Ｙ座標     Ｘ座標   Ｙ座標";

// Topics of the operation guide.
inline constexpr const char* kDeliveryTopic = "＊．納品書印刷";
inline constexpr const char* kBillTopic = "＊．請求書印刷";
inline constexpr const char* kGroupBillTopic = "＊．グループ代表請求書印刷";
inline constexpr const char* kMasterCsvQuestion =
    "テキストファイルを作成します\nファイル名はカレントホルダーの MstData.Csv　です";
inline constexpr const char* kMasterCsvFailed =
    "MstData.Csv を書き込めませんでした\nフォルダーの書き込み権限と空きを点検してください";
inline constexpr const char* kTagTopic = "＊．商品タック印刷";
inline constexpr const char* kMasterListTopic = "＊．各種マスター印刷";
inline constexpr const char* kPrintFormTopic = "＊．印刷フォーム設定";
inline constexpr const char* kHomeDeliveryTopic = "＊．宅配伝票印刷";
inline constexpr const char* kHomeDeliveryFormTopic = "＊．宅配伝票フォーム設定";

// Most pages one print run may hold; a larger run is refused rather than cut short.
inline constexpr int kMaxPages = 8192;

}  // namespace rk::printing::msg
