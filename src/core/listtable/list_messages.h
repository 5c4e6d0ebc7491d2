// The fixed texts of the list-table entry (the day table of delivery slips).
#pragma once

namespace rk::msg {

inline constexpr const char* kListTitle = "  一覧表入力";

// --- column headers and rows ---
inline constexpr const char* kCodeRegistered = "このコードは登録済みです";
inline constexpr const char* kCustomerOnSettledRow =
    "この得意先Ｎｏ.は他行にも存在します\nこの重複得意先Ｎｏ伝票が売り掛け済みまたは入金済みのため\n"
    "この伝票と組み合わせ記録はできません";
inline constexpr const char* kCustomerOnOtherRow =
    "この得意先Ｎｏ.は他行にも存在します\n重複得意先Ｎｏ.データは行番号の小さい伝票に\n"
    "行番号の大きい行データが追加記録されます\nしたがって同一日複数得意先伝票にはなりません";
inline constexpr const char* kCustomerOnDiskOnly =
    "この得意先Ｎｏ.はディスク上に存在し、画面上に存在しません\nこれは重複回避のため再度読み込むか個別更新してください";

// --- cells ---
inline constexpr const char* kAllowedExceeded = "納品数が許容商品数を越えました \n箱数と納品数を 0 で初期化しまた";
inline constexpr const char* kAllowedExceededByOthers =
    "この納品数が 0 でも許容商品数を越えてます \n他行納品数・許容数をチェックして調整してください";

// --- clipboard ---
inline constexpr const char* kCutColumn =
    "この列データを納品列も含めて取り込みます\nこの列データは消去され、順次右列から移動します\n"
    "取り込みデータは目的の列で CTRL + V によって貼り付けます";
inline constexpr const char* kCopyColumn =
    "この列データを納品列も含めて取り込みます\n取り込みデータは目的の列で CTRL + V によって貼り付けます";
inline constexpr const char* kMoveColumnHead = " No.   %d   ";
inline constexpr const char* kMoveColumnTail =
    "　の列データの全てを \n No.   %d  (ブルーマーク)の列へ納品データも含めて移動します";
inline constexpr const char* kCutRow =
    "この行データを納品行も含めて取り込みます\nこの行データは消去され、順次下行から移動します\n"
    "取り込みデータは目的の行で CTRL + V によって貼り付けます";
inline constexpr const char* kNothingToPaste = "張り付けデータがなく貼り付けられません";

// --- recording ---
inline constexpr const char* kChangedSinceLoad =
    "該当日データの読み込み以降にデータ書き換えが行われました\nこのまま記録するとデータ矛盾の危険があります\nあえて記録"
    "しますか";

// --- limits of the table and of a slip (the table never writes past them) ---
inline constexpr const char* kTooManyColumns =
    "一覧表の列数（２３３列）を越えるため\n表示できない伝票行があります\nこれらの伝票は一覧表では更新しません";
inline constexpr const char* kTooManyRows =
    "一覧表の行数（４６７行）を越えるため\n表示できない伝票があります\nこれらの伝票は一覧表では更新しません";
inline constexpr const char* kColumnsFull = "一覧表の列が一杯のため貼り付けられません";
inline constexpr const char* kRowsFull = "一覧表の行が一杯のため貼り付けられません";
inline constexpr const char* kTooManyLines =
    "得意先Ｎｏ. %d の納品データが９９行を越えるため記録できません\n記録は行われていません";
inline constexpr const char* kRowNotRecorded =
    "得意先Ｎｏ. %d の伝票は読み込み後に変更されたため記録しませんでした\n再度読み込んでください";

// --- CSV export ---
inline constexpr const char* kCsvDefaultName = "仕訳表.Csv";
inline constexpr const char* kCsvNoPeriod = "ファイル名にピリオドがありません\n（拡張子が識別できません）";
inline constexpr const char* kCsvBadExtension = "ファイル名の拡張子 .Csv にしてください";
inline constexpr const char* kCsvNameTooLong =
    "ファイル名が長すぎます\nファイル名は拡張子・ピリオドを含め１２バイト以内にしてください";
inline constexpr const char* kCsvCannotCreate = "ファイルが作れません";

}  // namespace rk::msg
