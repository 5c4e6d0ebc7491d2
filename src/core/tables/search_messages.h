// Texts of the name search, order, commission and buyer totals, the table graph, the
// period-by-month display and the shipping date list (UTF-8 here, Shift-JIS in the files).
#pragma once

namespace rk::tables::msg {

// Name search totals.
inline constexpr const char* kNameSearchTitle = "　名前検索集計";
inline constexpr const char* kNameSearchFields[3] = {" 集計開始日", " 集計終了日", " 検　索　名"};
inline constexpr const char* kNameSearchKeys[3] = {"検索名含む(ｴﾝﾀｰ)", "検索名一致(F3)", "コード検索(F4)"};
inline constexpr const char* kNameSearchHeads[2] = {"No.  得意先番号及び名称", "入金日 行数"};
inline constexpr const char* kDetailCsvName = "詳細Data.Csv";
inline constexpr const char* kDetailAsk =
    "指定範囲データを文字列にします\n 詳細Data.Csv \n いずれもカレントホルダーに上書き記録されます";
inline constexpr const char* kDetailHead =
    "属性,月日,得意先No,得意先名,行No,会員No,売り方,品ｺｰﾄﾞ,品名,規格１ｺｰﾄﾞ,規格２ｺｰﾄﾞ,備考ｺｰﾄﾞ,備考名,数量,単価,金額 ";

// Order totals.
inline constexpr const char* kOrderTitle[2] = {"　受注集計", "　発注集計"};
inline constexpr const char* kOrderByDate[2] = {"受注集計（月日品別）", "発注集計（月日品別）"};
inline constexpr const char* kOrderByProduct[2] = {"受注集計(商品別計）", "発注集計(商品別計）"};
inline constexpr const char* kOrderCsvName = "A集計.Csv";
inline constexpr const char* kOrderAsk =
    "現在のモードでデータを文字列にします\n出力ファイルはいずれもカレントホルダーに\n  A集計.Csv に上書き記録されます";
inline constexpr const char* kOrderCsvHead[2] = {"月日,商品ｺｰﾄﾞ,規格１,規格２,商　品　名,数量,単価,金額 ",
                                                 "商品ｺｰﾄﾞ,規格１,規格２,商　品　名,数量,平均単価,金額 "};

// Commission totals.
inline constexpr const char* kCommissionTitle = "　手数料集計";
inline constexpr const char* kCommissionFields[5] = {" 集計開始日", " 集計終了日", "開始得意先Ｎｏ", "終了得意先Ｎｏ",
                                                     "  検 索 文 字"};
inline constexpr const char* kCommissionHead = "手 数 料 名           金　 額";
inline constexpr const char* kCommissionRows[3] = {"販売手数料", "送金手数料", "　合  計"};
inline constexpr const char* kCommissionCsvName = "手数料.Csv";
inline constexpr const char* kCommissionCsvNote = "ﾁｪｯｸ後集計実行でｶﾚﾝﾄﾎﾙﾀﾞｰのﾌｧｲﾙ名[ 手数料.Csv ]に上書きされます";
inline constexpr const char* kCommissionCsvHead = "月日, 属性, 得意先No, 得意先名, 消費税, ";
inline constexpr const char* kCommissionName[2] = {"市場手数料", "収益手数料"};
inline constexpr const char* kCommissionFeeHead = "  月日, －, 得意先No, 得意先名, 送金料 ";

// Buyer totals.
inline constexpr const char* kBuyerTitle = "　買参人集計";
inline constexpr const char* kBuyerFields[4] = {" 集計開始日", " 集計終了日", "得意先コード", "買参人コード"};
inline constexpr const char* kBuyerSortHead = "ソート項目";
inline constexpr const char* kBuyerSortLines[7] = {" 1. 月 日", " 2. 買参人", " 3. 商品(単", " 4. 商品(複",
                                                   " 5. 数 量", " 6. 単 価",  " 7. 金 額"};
inline constexpr const char* kBuyerListHead = "No  買参人  月-日   商品コード    商　品　名";
inline constexpr const char* kBuyerCsvName = "買参集計.Csv";
inline constexpr const char* kBuyerCsvHead =
    " 買参No, 売日, 売方ｺｰﾄﾞ, 売方名, 品ｺｰﾄﾞ, 品名, 規格１, 規格１名, 規格２, 規格２名, 数量, 単価, 金額 ";

// Line graph and period-by-month display.
inline constexpr const char* kGraphTitle = "　グラフ表示";
inline constexpr const char* kGraphSeries = "表示Ｎｏ";
inline constexpr const char* kGraphSeriesLines[7] = {" １ ", " ２ ", " ３ ", " ４ ", " ５ ", " ６ ", " ７ "};
inline constexpr const char* kGraphTotalNote = "0 は合計値です";
inline constexpr const char* kGraphColour = "表 示 色";
inline constexpr const char* kGraphData = "表示ﾃﾞｰﾀ";
inline constexpr const char* kGraphModes[9] = {" 数量ﾓｰﾄﾞ", " 単価ﾓｰﾄﾞ", " 金額ﾓｰﾄﾞ", " 年計数", " 年計単",
                                               " 年計額",   " 年合数",   " 年合単",   " 年合額"};
inline constexpr const char* kGraphTotalScale = "合計目盛";
inline constexpr const char* kBlockTitle = "　個別表示（期別Ｘ月別表示）";
inline constexpr const char* kBlockModes[3] = {"数量モード", "単価モード", "金額モード"};

// Shipping date list.
inline constexpr const char* kShippingTitle[2] = {"  出荷月日一覧", "  仕入月日一覧"};
inline constexpr const char* kShippingFields[2] = {"集計開始月日", "表示開始番号"};
inline constexpr const char* kShippingLegend[2][4] = {{" 受注", " 納品", " 仕切", " 入金"},
                                                      {" 発注", " 受領", " 買掛", " 出金"}};
inline constexpr const char* kShippingDeleteAsk =
    " 得意先No  %d \n 扱い日 %d \n のデータを削除します\n この作業ではＬＡＮの排他機能を無視します\n よろしいですか";
inline constexpr const char* kShippingStop = "削除データを整合するためシステムを停止します";
inline constexpr const char* kSettledNotDeleted =
    " 決済伝票は削除できません\n 削除するには決済を取り消してから\n 行ってください";

}  // namespace rk::tables::msg

namespace rk::tables::msg {

// Failures of the report windows.
inline constexpr const char* kSlipFilesUnreadable = "伝票ファイルがオープンできません\nファイルを点検して下さい";
inline constexpr const char* kCsvWriteFailed = "ファイルの書き込み異常です\nファイルオープンができません";

}  // namespace rk::tables::msg
