// Texts of the day and month tables, sales totals, ledger and bulk totals (UTF-8 here,
// Shift-JIS in the files they write).
#pragma once

namespace rk::tables::msg {

inline constexpr const char* kWorking = "\n  ただ今集計中・・・ \n  しばらくお待ちください。";
inline constexpr const char* kWriting = "\n  ただ今作成中・・・ \n  しばらくお待ちください。";

// Day and month tables.
inline constexpr const char* kStartDate = "集計開始日";
inline constexpr const char* kEndDate = "集計終了日";
inline constexpr const char* kStartYear = "集計開始年";
inline constexpr const char* kEndYear = "集計終了年";
inline constexpr const char* kStartCode = "集計開始Ｎｏ";
inline constexpr const char* kEndCode = "集計終了Ｎｏ";
inline constexpr const char* kModeLabels[3] = {"数量ﾓｰﾄﾞ", "単価ﾓｰﾄﾞ", "金額ﾓｰﾄﾞ"};
inline constexpr const char* kMixedMode = "混合ﾓｰﾄﾞ";
inline constexpr const char* kUnknownCustomer = "未定得意先";
inline constexpr const char* kUnknownProduct = "未定商品名";
inline constexpr const char* kSalesMethods[4] = {"競り売", "注文売", "卸し売", "小売り"};
inline constexpr const char* kTableCsvName = "表集計.Csv";
inline constexpr const char* kTooManyPeriods = "ファイル名にピリオドが複数あるため\nファイル名が不正です";
inline constexpr const char* kSwapFirst = " No. %4d  ";
inline constexpr const char* kSwapMiddle = "　の列データと \n No. %4d  ";
inline constexpr const char* kSwapLast = " の列データを入れ替えます";
inline constexpr const char* kPrintHeading[2] = {"【 売り上げ集計 】  (%d年)", "【 仕入れ集計 】  (%d年)"};
inline constexpr const char* kDayRange = "集計範囲 %d月 %d日 ～ %d月 %d日";
inline constexpr const char* kYearRange = "集計範囲  %d年 ～ %d年";

// Conditions window.
inline constexpr const char* kConditionsTitle = "　集計条件セット";
inline constexpr const char* kConditionHeads[6] = {"得意先", "売り方", "商品", "規格１", "規格２", "備考"};
inline constexpr const char* kConditionHeading = "【 集 計 条 件 】  (%d年)";
inline constexpr const char* kConditionDayRange = "集計範囲  %d月 %d日 ～ %d月 %d日";
inline constexpr const char* kConditionYearRange = "集計範囲  %d年 ～ %d年";
inline constexpr const char* kConditionNote = "※ 最下行データが１以上では最上行との範囲指定になります";
inline constexpr const char* kAllCodes = "全指定";
inline constexpr const char* kEndSetting = "設定終了(F3)";

}  // namespace rk::tables::msg

namespace rk::tables::msg {

// Sales totals.
inline constexpr const char* kSalesTotalsCsvName = "売上集計.Csv";
inline constexpr const char* kSalesTotalsHead[2] = {
    "     No,得意先名,得意先所在地,税込み売上,市場手数料,販売費合計,差し引き額,前期残高,合計額,伝票数 ",
    "     No,得意先名,得意先所在地,税込み仕入,収益手数料,収益費合計,差し引き額,前期残高,合計額,伝票数 "};
inline constexpr const char* kSalesTotalsAsk =
    "表示データを文字列にします\n出力ファイルはカレントホルダーに\n  売上集計.Csv  に上書き記録されます";
inline constexpr const char* kAccountCodesAsk[2] = {
    " 指定範囲データの科目コードを文字列にします\n 費用科目.Csv ･･･ 売掛帳費用科目等\n 売品科目.Csv ･･･ "
    "消費税と商品の科目\n 入金科目.Cev ･･･ 実入金と送金料の科目\n いずれもカレントホルダーに上書き記録されます",
    " 指定範囲データの科目コードを文字列にします\n 収益科目.Csv ･･･ 買掛帳収益科目等\n 買品科目.Csv ･･･ "
    "消費税と商品の科目\n 出金科目.Cev ･･･ 実出金と送金料の科目\n いずれもカレントホルダーに上書き記録されます"};
inline constexpr const char* kGoodsFile[2] = {"売品科目.Csv", "買品科目.Csv"};
inline constexpr const char* kExpensesFile[2] = {"費用科目.Csv", "収益科目.Csv"};
inline constexpr const char* kPaymentsFile[2] = {"入金科目.Csv", "出金科目.Csv"};
inline constexpr const char* kGoodsHead = " 属性,得意先No,  月日,  行No,消費税額, 商品額,借方ｺｰﾄﾞ,貸方ｺｰﾄﾞ ";
inline constexpr const char* kExpensesHead[2] = {
    "属性,得意先No,  月日,販売額,消費税額,借方,貸方,市場手料,借方,貸方,第１経費,借方,貸方,第２経費,借方,貸方,"
    "第３経費,借方,貸方,第４経費,借方,貸方,第５経費,借方,貸方 ",
    "属性,得意先No,  月日,仕入額,消費税額,借方,貸方,手数料金,借方,貸方,第１経費,借方,貸方,第２経費,借方,貸方,"
    "第３経費,借方,貸方,第４経費,借方,貸方,第５経費,借方,貸方 "};
inline constexpr const char* kPaymentsHead[2] = {
    "得意先No,  月日,実入金額,借方ｺｰﾄﾞ,貸方ｺｰﾄﾞ,送金料,借方ｺｰﾄﾞ,貸方ｺｰﾄﾞ ",
    "得意先No,  月日,実出金額,借方ｺｰﾄﾞ,貸方ｺｰﾄﾞ,送金料,借方ｺｰﾄﾞ,貸方ｺｰﾄﾞ "};
inline constexpr const char* kSalesTotalsTitle[2] = {"　売り上げ集計", "　仕入れ集計"};
inline constexpr const char* kSlipSelectionLines[2][2] = {{" 1.売掛伝票", " 2.入金伝票"},
                                                          {" 1.買掛伝票", " 2.出金伝票"}};
inline constexpr const char* kSalesTotalsHeading[2][3] = {
    {"【売り上げ実績集計(売掛伝票＆入金伝票）】 (%d年)", "【売り上げ実績集計(入金伝票のみ集計書）】 (%d年)",
     "【 一括集計 】  (%d年)"},
    {"【仕入れ実績集計(買掛伝票＆出金伝票）】 (%d年)", "【仕入れ実績集計(出金伝票のみ集計書）】 (%d年)",
     "【 一括集計 】  (%d年)"}};
inline constexpr const char* kSalesTotalsColumns[2][5] = {
    {"  No.      得意先名", " 税込み売上", " 市場手数料", " 販売費合計", " 差し引き額"},
    {"  No.      得意先名", " 税込み仕入", " 収益手数料", " 収益費合計", " 差し引き額"}};

}  // namespace rk::tables::msg

namespace rk::tables::msg {

// Bulk totals by code.
inline constexpr const char* kBulkTitle = "　コード別一括集計";
inline constexpr const char* kBulkCsvName = "一括Data.Csv";
inline constexpr const char* kBulkAsk =
    " 表示データを文字列にします\n 一括Data.Csv \n カレントホルダーに上書き記録されます";
inline constexpr const char* kBulkHead[2][2] = {
    {"No,得意先名,出荷量,販売量,量　差,平均単価,売上額,伝票数,箱数,箱額,箱単価 ",
     "No,得意先名,受注量,販売量,量　差,平均単価,売上額,伝票数,箱数,箱額,箱単価 "},
    {"No,得意先名,入荷量,仕入量,量　差,平均単価,売上額,伝票数,箱数,箱額,箱単価 ",
     "No,得意先名,発注量,仕入量,量　差,平均単価,売上額,伝票数,箱数,箱額,箱単価 "}};
inline constexpr const char* kBulkStageLines[2][4] = {{" 1 受注", " 2 納品", " 3 売掛", " 4 入金"},
                                                      {" 1 発注", " 2 受領", " 3 買掛", " 4 出金"}};
inline constexpr const char* kBulkStageHeadings[2][4] = {{"【 受注 】", "【 納品 】", "【 売掛 】", "【 入金 】"},
                                                         {"【 発注 】", "【 受領 】", "【 買掛 】", "【 出金 】"}};
inline constexpr const char* kBulkHeading = "【 一括集計 】  (%d年)";
// Column heads: first quantity (orders only / otherwise), then the rest.
inline constexpr const char* kBulkFirstHead[2][2] = {{"　　出荷量", "　　受注量"}, {"　　入荷量", "　　発注量"}};
inline constexpr const char* kBulkHeads[2][4] = {{"　　販売量", "　　量　差", "　平均単価", "　　売上額"},
                                                 {"　　仕入量", "　　量　差", "　平均単価", "　　仕入額"}};

}  // namespace rk::tables::msg

namespace rk::tables::msg {

// Ledger.
inline constexpr const char* kLedgerTitle[2] = {"　販売元帳集計", "　仕入れ元帳集計"};
inline constexpr const char* kLedgerDamaged =
    "得意先No  %d  入金日  %d  ﾒﾝﾊﾞｰ数  %d  \n他に  %d  件 \n入金データのメンバー数が不正です\n"
    "データ保守のデータチェックで確認・補正してください\nまたカリムスシステムへご連絡ください";
inline constexpr const char* kLedgerAsk =
    "現在前回残高    %9d 円\n決済伝票総額    %9d 円\n入金総額　　      %9d 円\n算出前期残高    %9d 円\n \n"
    "現在前回残高 を修正しますか";
inline constexpr const char* kLedgerColumns[2][7] = {
    {"No  月-日", "除費)売額", "入金額", "送金料", "残高", "含費)売額", "ｸﾞﾙｰﾌﾟ入金額"},
    {"No  月-日", "除益)買額", "出金額", "送金料", "残高", "含益)買額", "ｸﾞﾙｰﾌﾟ出金額"}};
inline constexpr const char* kLedgerHeading[2] = {"【 販売元帳 】", "【 仕入元帳 】"};
inline constexpr const char* kLedgerCustomer = "得意先名  No. %d  ";
inline constexpr const char* kLedgerPrintColumns[2][7] = {
    {"月-日", "除費)販売額", "入金額", "送金料", "残高額", "含費)販売額", "ﾒﾝﾊﾞｰ入金額"},
    {"月-日", "除益)仕入額", "出金額", "送金料", "残高額", "含益)仕入額", "ﾒﾝﾊﾞｰ出金額"}};

}  // namespace rk::tables::msg
