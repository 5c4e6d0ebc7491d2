// The fixed texts of the slip files and the slip document.
#pragma once

namespace rk::msg {

// Loading a slip whose line list is broken: the slot count as stored and the lines kept.
inline constexpr const char* kInvalidSlip =
    "  この伝票は不正です 更新[記録]すると 既定行数  %d 行のところ  %d 行まで有効化[正常化]できます";
inline constexpr const char* kAccountFileUnopenable =
    "科目ファイルがオープンできません\n停止しますのでファイルを点検して下さい";
inline constexpr const char* kDuplicateSlip = "既存伝票と重複するため変更できません";
// Another station recorded a slip for the same date and customer first.
inline constexpr const char* kSlipRecordedElsewhere =
    "この日付・得意先の伝票は他の端末で記録されました\n伝票を呼び出し直してから入力してください";
// A write to the slip files failed; the files were put back as they were.
inline constexpr const char* kSlipWriteFailed =
    "伝票ファイルへの書き込みができません\n伝票は記録されていません\nディスクの空きと書き込み権限を点検してください";

inline constexpr const char* kSlipOpenElsewhere = "この伝票は他でオープン中です";
inline constexpr const char* kNoNewSlipInMode = "この入力モードでは新規入力できません";

// --- the goods lines ---
inline constexpr const char* kOrderWordElsewhere = "売り方コードが注文品以外で「注文」文字が存在します";
inline constexpr const char* kOrderGoods = "注文品";
inline constexpr const char* kOverwriteRemark =
    " 備考文を上書きしますか\n \nこの選択についての動作は解説を参照してください";
inline constexpr const char* kNoBoxesInMode = "仕切モードでは箱対応はできません";
inline constexpr const char* kLineInserted =
    " 行挿入が行われました \n 以下の行はこの行が有効行になるまで無効となります";
inline constexpr const char* kSettledNoInsert = "決済済み伝票は行挿入できません";
inline constexpr const char* kSettledNoDelete = "決済済み伝票は行削除できません";
inline constexpr const char* kSplitOnlyDelivery = "納品伝票以外は行挿入できません";
inline constexpr const char* kSplitFull = "行数が一杯のため分荷できません";
inline constexpr const char* kSplitInvalidLine = "未有効行の分荷はできません。";
inline constexpr const char* kSplitTooFew = "分荷するには最低数量は ２ 以上なくては出来ません";
inline constexpr const char* kSettledNoTaxReduction = "決済済み伝票の税額減はできません";
inline constexpr const char* kProcessedMarkCleared = "この伝票は掛け済み伝票です。掛け処理マークを解除します";
inline constexpr const char* kTaxReductionQuestion =
    "元金額計  %d \n消税額分  %d \n新合計額  %d  とします よろしいですか ";
inline constexpr const char* kOverPurchased = "納品数が仕入れ数を越えています";
inline constexpr const char* kLineCopyFile = "行保存.Tmp";

// --- master reference and character search ---
inline constexpr const char* kCustomerSearchWhere =
    "得意先データの文字検索は\n得意先名に検索文字を入力してから\n行ってください";
inline constexpr const char* kCustomerSearchEmpty =
    " 検索文字がありません\n 得意先名に検索文字を入力してから\n 検索ボタンを押してください";
inline constexpr const char* kGridSearchWhere =
    "データの文字検索は、商品検索では商品名に\n備考検索では備考文に検索文字を入力してから\n行ってください";
inline constexpr const char* kMethodHintSales = "1.競り売  2.注文売  3.卸し売  4.小売り 5.～ 9.未定義";
inline constexpr const char* kMethodHintPurchase = "1.～ 9. までの独自に定義した１桁のコードを入力します";
inline constexpr const char* kNoCustomerForLine = "得意先番号が不適切です";

// --- the packing-kind choice ---
inline constexpr const char* kNoPackingKind = "この商品には入れ物が定義されていません";
inline constexpr const char* kChoosePackingKind = "ここで入れ物を指定するか商品マスター入力で定義後指示してください";

// --- recording, deleting, moving ---
inline constexpr const char* kNoValidLines = "有効データ行数が０では記録できません";
inline constexpr const char* kBadDate = "扱い日が不適切で記録できません";
inline constexpr const char* kBadCustomer = "得意先番号が不適切で記録できません";
inline constexpr const char* kClosedYear = "入り年と異なるため記録できません";
inline constexpr const char* kBackToOrder = "納品伝票を注文に戻します";
inline constexpr const char* kBackToDelivery = "掛け処理済み伝票を納品伝票に戻します";
// Complete lines after a line that is not valid would not be recorded.
inline constexpr const char* kLinesAfterInvalid =
    " %d 行目が未完成のため、それ以降の有効な行は記録されません\n このまま記録してもよろしいですか";
inline constexpr const char* kSettledDeleteQuestion =
    " 決済伝票は削除できません\n 削除するには決済を取り消してから\n 行ってください\n それとも強制削除しますか";
inline constexpr const char* kDeleteQuestion = "この伝票を削除してもよろしいですか";
inline constexpr const char* kSettledDateOnly = "この伝票は決済みです\n日付変更のみ可能で、得意先変更はできません";

// --- tables read at recording (program folder) ---
inline constexpr const char* kPackingTableFile = "梱包数表.csv";
inline constexpr const char* kCarrierTableFile = "輸送業者.csv";

// --- the line text and calculator windows ---
inline constexpr const char* kLineTextOpen =
    "行文字入力 ＷＩＮＤＯＷ は \n複数開けません 既存 ＷＩＮＤＯＷ を \n閉じてからからオープンしてください";
inline constexpr const char* kLineTextGuide = "ESC.復帰  F4.削除  ｴﾝﾀｰｷｰ.保存";
inline constexpr const char* kOperatorOrder = "加算演算子以降の乗除算演算子は無効です";

}  // namespace rk::msg
