#include "app/menu_table.h"

#include "app/command_table.h"

namespace rk {

namespace {

MenuItem item(int command, std::string_view caption) { return MenuItem{command, caption, {}, false}; }
MenuItem sub(std::string_view caption, std::vector<MenuItem> children) {
    return MenuItem{0, caption, std::move(children), false};
}
MenuItem separator() { return MenuItem{}; }

MenuItem fileMenu() {
    return sub("ファイル(&F)",
               {item(cmd::kPrintSetup, "プリンタの設定(&R)..."), separator(), item(cmd::kExit, "終了(&X)")});
}

MenuItem helpMenu() {
    return sub("ヘルプ(&H)", {item(cmd::kGuideContents, "総合説明"), item(cmd::kGuideUsage, "操作案内の使い方"),
                              separator(), item(cmd::kAbout, "バージョン情報(&A)...")});
}

std::vector<MenuItem> salesMenu() {
    return {
        fileMenu(),
        sub("伝票入力", {item(130, "受注伝票入力"), item(131, "納品伝票入力"), item(133, "仕切り伝票入力"),
                         item(361, "一覧表入力"), item(134, "入金データ入力"), item(136, "入金データ集計・削除")}),
        sub("伝票印刷", {item(144, "納品書印刷"),
                         sub("請求関係書類", {item(145, "請求書印刷"), item(147, "納品明細付き請求書印刷"),
                                              item(151, "グループ代表請求書印刷")}),
                         item(148, "商品タック印刷"), item(149, "各種マスター印刷"), item(150, "宅配伝票印刷")}),
        sub("初期設定",
            {item(160, "基本設定"), item(169, "環境設定"), item(161, "得意先ﾏｽﾀｰ入力"), item(162, "商品ﾏｽﾀｰ入力"),
             item(163, "規格ﾏｽﾀｰ入力"), item(164, "備考文ﾏｽﾀｰ入力"), item(165, "勘定科目ﾏｽﾀｰ入力"),
             item(166, "印刷フォーム設定"), item(167, "宅配伝票フォーム設定"), item(168, "宅配マスターメンテナンス")}),
        sub("データ集計",
            {item(176, "出荷月日一覧"), item(177, "売り上げ集計"), item(178, "コード別一括集計"),
             sub("日別表集計", {item(179, "売り方別集計"), item(180, "得意先別集計"), item(181, "商品別集計"),
                                item(182, "規格１別集計"), item(183, "規格２別集計"), item(184, "備考コード別集計")}),
             item(185, "販売元帳"), item(216, "売掛金年齢表"),
             sub("月別表集計",
                 {item(186, "月別売り方別集計"), item(187, "月別得意先集計"), item(188, "月別商品集計"),
                  item(189, "月別規格１集計"), item(190, "月別規格２集計"), item(191, "月別備考コード集計")}),
             item(192, "名前検索集計"), item(193, "受注集計"), item(194, "手数料集計"), item(215, "買参人集計")}),
        sub("データ保守",
            {item(198, "データバックアップ"), item(199, "年度更新"), item(200, "データチェック"),
             item(201, "ﾊﾞｯｸｱｯﾌﾟﾃﾞｰﾀ復帰"), item(202, "科目コードの一括代入"), item(204, "マスターコードの一括変更"),
             item(356, "データオペレーション"), separator(), item(203, "データ変換（Ｖ６→Ｖ７）")}),
        helpMenu(),
    };
}

std::vector<MenuItem> purchaseMenu() {
    MenuItem codeChange = item(204, "マスターコードの一括変更");
    codeChange.alwaysDisabled = true;
    return {
        fileMenu(),
        sub("伝票入力", {item(130, "発注伝票入力"), item(131, "受領伝票入力"), item(133, "買い掛け伝票入力"),
                         item(134, "出金データ入力"), item(136, "出金データ集計・削除")}),
        sub("伝票印刷",
            {item(144, "受領書印刷"),
             sub("支払い明細関係書", {item(145, "支払い明細書印刷"), item(147, "受領明細付き支払い明細書"),
                                      item(151, "グループ代表支払い明細書"), item(359, "InvoiceDataPrint")}),
             item(148, "商品タック印刷"), item(149, "各種マスター印刷")}),
        sub("初期設定", {item(160, "基本設定"), item(169, "環境設定"), item(161, "得意先ﾏｽﾀｰ入力"),
                         item(162, "商品ﾏｽﾀｰ入力"), item(163, "規格ﾏｽﾀｰ入力"), item(164, "備考文ﾏｽﾀｰ入力"),
                         item(165, "勘定科目ﾏｽﾀｰ入力"), item(166, "印刷フォーム設定")}),
        sub("データ集計",
            {item(176, "仕入月日一覧"), item(177, "仕入れ集計"), item(178, "コード別一括集計"),
             sub("日別表集計", {item(179, "部門別集計"), item(180, "得意先別集計"), item(181, "商品別集計"),
                                item(182, "規格１別集計"), item(183, "規格２別集計"), item(184, "備考コード別集計")}),
             item(185, "仕入元帳"), item(216, "買掛金年齢表"),
             sub("月別表集計",
                 {item(186, "月別部門別集計"), item(187, "月別得意先集計"), item(188, "月別商品集計"),
                  item(189, "月別規格１集計"), item(190, "月別規格２集計"), item(191, "月別備考コード集計")}),
             item(192, "名前検索集計"), item(193, "発注集計"), item(194, "手数料集計")}),
        sub("データ保守", {item(198, "データバックアップ"), item(199, "年度更新"), item(200, "データチェック"),
                           item(201, "ﾊﾞｯｸｱｯﾌﾟﾃﾞｰﾀ復帰"), item(202, "科目コードの一括代入"), codeChange,
                           item(356, "データオペレーション"), separator(), item(203, "データ変換（Ｖ６→Ｖ７）")}),
        helpMenu(),
    };
}

std::string_view findCaption(const std::vector<MenuItem>& items, int command) {
    for (const MenuItem& m : items) {
        if (m.command == command && command != 0) return m.caption;
        if (auto c = findCaption(m.children, command); !c.empty()) return c;
    }
    return {};
}

// Bindings both editions share, after the edition's own.
void common(std::vector<Accelerator>& a) {
    a.insert(a.end(), {
                          {"Shift+I", 131},
                          {"Shift+P", 144},
                          {"Ctrl+H", 148},
                          {"Alt+S", 146},
                          {"Alt+D", 209},
                          {"Alt+T", 304},
                          {"F6", 208},  // also bound to 317; this binding wins
                          {"F7", 318},
                          {"F8", 210},  // also bound to 319; this binding wins
                          {"F9", 303},
                          {"Shift+B", 345},
                          {"F1", cmd::kHelp},
                          {"Shift+F1", cmd::kContextHelp},
                          {"Shift+F6", cmd::kPreviousPane},
                          {"Ctrl+C", cmd::kCopy},
                          {"Ctrl+Ins", cmd::kCopy},
                          {"Ctrl+X", cmd::kCut},
                          {"Shift+Del", cmd::kCut},
                          {"Ctrl+V", cmd::kPaste},
                          {"Shift+Ins", cmd::kPaste},
                          {"Ctrl+Z", cmd::kUndo},
                          {"Alt+Backspace", cmd::kUndo},
                          {"Ctrl+O", cmd::kOpen},
                          {"Ctrl+P", cmd::kPrint},
                      });
}

std::vector<Accelerator> salesKeys() {
    std::vector<Accelerator> a{
        {"Shift+Up", 346}, {"Shift+Down", 347}, {"Shift+Left", 348}, {"Alt+Home", 360}, {"Shift+H", 363}};
    common(a);
    return a;
}

std::vector<Accelerator> purchaseKeys() {
    std::vector<Accelerator> a{{"Shift+Down", 347}, {"Ctrl+Home", 360}, {"Alt+I", 358}};
    common(a);
    return a;
}

}  // namespace

const std::vector<MenuItem>& menuBar(Edition e) {
    static const std::vector<MenuItem> kSales = salesMenu();
    static const std::vector<MenuItem> kPurchase = purchaseMenu();
    static const std::vector<MenuItem> kFinance;  // the finance edition has no frame menu
    switch (e) {
        case Edition::Sales:
            return kSales;
        case Edition::Purchase:
            return kPurchase;
        default:
            return kFinance;
    }
}

std::string_view menuCaption(Edition e, int command) { return findCaption(menuBar(e), command); }

const std::vector<Accelerator>& accelerators(Edition e) {
    static const std::vector<Accelerator> kSales = salesKeys();
    static const std::vector<Accelerator> kPurchase = purchaseKeys();
    static const std::vector<Accelerator> kFinance = [] {
        std::vector<Accelerator> a;
        common(a);
        return a;
    }();
    switch (e) {
        case Edition::Sales:
            return kSales;
        case Edition::Purchase:
            return kPurchase;
        default:
            return kFinance;
    }
}

}  // namespace rk
