// The texts of the bulk code change and the account-code embedding.
#pragma once

#include <cstdio>
#include <string>

namespace rk::maintenance::msg {

inline constexpr const char* kCodeChangeTitle = "  マスターコード一括変更";
inline constexpr const char* kCodeChangeWarning = "実行時は、姉妹システムも含め他のウインドウを全て閉じて下さい";
inline constexpr const char* kCodeChangeTopic = "＊．マスターコード一括変更";
inline constexpr const char* kCodeChangeRun = "変更実行します";
inline constexpr const char* kCustomerCodesChanged = "得意先マスターデータ変更が実行されたため\nシステムを停止します";
// Checks this program makes before anything is written.
inline constexpr const char* kCodeChangeEditionRuns =
    "姉妹システムが起動中のため変更できません\n姉妹システムを終了してから実行してください";
inline constexpr const char* kCodeChangeStationsRun =
    "他の端末が稼働中のため変更できません\n他の端末を終了してから実行してください";
inline constexpr const char* kCodeChangeNoMaster = "マスターファイルがオープンできません\n変更できません";

// The account-code embedding.
inline constexpr const char* kEmbedTitle = "勘定科目コード埋め込み";
inline constexpr const char* kEmbedExplanation[3] = {"このメニューは環境設定と商品マスターに登録された勘",
                                                     "定科目コードをそれぞれのデータファイル（商品データ",
                                                     "・売掛帳・入金帳）に埋め込みます"};
inline constexpr const char* kEmbedExplanationPurchase = "・買掛帳・出金帳）に埋め込みます";
inline constexpr const char* kEmbedWarning = "〓注意〓　この埋め込みデータは元には戻りません";
inline constexpr const char* kEmbedding = "  ただ今埋め込み中・・・";
inline constexpr const char* kEmbedDone = "埋め込みを終了しました";
inline constexpr const char* kEmbedFailed =
    "データファイルが読み書きできません\n埋め込みは行っていません\nファイルを点検してください";
inline constexpr const char* kEmbedTopic = "＊．科目コードの一括代入";

inline std::string codeText(const char* format, int a, int b = 0, int c = 0, int d = 0) {
    char buf[256];
    std::snprintf(buf, sizeof buf, format, a, b, c, d);
    return buf;
}
inline std::string codeOutOfRange(int from, int to, int first, int last) {
    return codeText("旧コード %d → 新コード %d は範囲外です\n%d ～ %d のコードを指定してください\n変更は行いません",
                    from, to, first, last);
}
inline std::string codeTwice(int from, int to) {
    return codeText("旧コード %d → 新コード %d のコードが他の行と重複しています\n変更は行いません", from, to);
}
inline std::string codeInUse(int to) { return codeText("新コード %d は既に使用中です\n上書きしてよろしいですか", to); }
inline std::string codeChangeFailed(int year) {
    return codeText("%d 年度のファイルが書き込めません\nこの年度は変更前のままです\nそれ以前の年度は変更していません",
                    year);
}

}  // namespace rk::maintenance::msg
