#include "app/command_table.h"

#include <algorithm>

#include "app/app_context.h"

namespace rk {

namespace {

// Refusal when the command's own window is already open (its texts and beep given).
Refusal alreadyOpen(int flag, std::string_view sales, std::string_view purchase = {}, bool beep = true) {
    return Refusal{{flag}, sales, purchase, beep};
}

CommandEntry tableCommand(int id, int kind, std::string_view sales, std::string_view purchase = {}) {
    CommandEntry c{.id = id, .window = "GraSyuWnd", .refusals = {alreadyOpen(tableFlag(kind), sales, purchase)}};
    c.flag = tableFlag(kind);
    c.mode = kind;
    return c;
}

CommandEntry mainFrame(int id, std::string_view window, std::string_view title, Rect r) {
    return CommandEntry{.id = id, .window = window, .title = title, .rect = r};
}

std::vector<CommandEntry> buildTable() {
    const Refusal paymentEntryOpen{{kPaymentEntryFlag},
                                   "入金データ入力ウインドウアクティブ中は開けません",
                                   "出金データ入力ウインドウアクティブ中は開けません",
                                   true};
    std::vector<CommandEntry> t;
    auto slip = [&](int id, int mode, int keepFrom, int keepTo) {
        CommandEntry c{.id = id, .window = "FMdinWnd", .refusals = {paymentEntryOpen}, .flag = kSlipEntryFlag};
        c.mode = mode;
        c.keepModeFrom = keepFrom;
        c.keepModeTo = keepTo;
        c.raiseWhenOpen = true;
        t.push_back(c);
    };
    slip(130, 1, 11, 11);
    slip(131, 2, 12, 12);
    slip(133, 3, 13, 1 << 30);

    // The customer master edits the balances a payment moves: the two exclude each other.
    const Refusal customerMasterOpen{
        {kCustomerMasterFlag}, "得意先マスター登録ウインドウアクティブ中は開けません", {}, true};
    t.push_back({.id = 134,
                 .window = "NukininWnd",
                 .refusals = {{{kSlipEntryFlag},
                               "納品書入力ウインドウアクティブ中では開けません",
                               "受注書入力ウインドウアクティブ中では開けません",
                               true},
                              alreadyOpen(kPaymentEntryFlag, "複数の入金処理ウインドウは開けません",
                                          "複数の出金処理ウインドウは開けません"),
                              customerMasterOpen},
                 .flag = kPaymentEntryFlag});
    t.push_back({.id = 136,
                 .window = "NukinChkWnd",
                 .refusals = {{{kPaymentEntryFlag},
                               "入金データウインドウアクテブ中は\n入金データ集計削除は開けません",
                               "出金データウインドウアクテブ中は\n出金データ集計削除は開けません",
                               true},
                              alreadyOpen(kPaymentAggregationFlag, "複数の入金データ集計削除ウインドウは開けません",
                                          "複数の出金データ集計削除ウインドウは開けません"),
                              customerMasterOpen},
                 .flag = kPaymentAggregationFlag});
    t.push_back({.id = 144,
                 .window = "NouhinPrnWnd",
                 .refusals = {alreadyOpen(kDeliveryPrintFlag, "複数の納品書印刷ウインドウは開けません",
                                          "複数の受領書印刷ウインドウは開けません")},
                 .flag = kDeliveryPrintFlag});
    t.push_back({.id = 145,
                 .window = "NohinMesaiWnd",
                 .refusals = {{{kBillFlag, kBillDetailsFlag}, "複数の請求書印刷ウインドウは開けません", {}, true}},
                 .flag = kBillFlag});
    t.push_back({.id = 147,
                 .window = "NohinMesaiWnd",
                 .refusals = {{{kBillFlag, kBillDetailsFlag}, "複数の 請求書印刷 ウインドウは開けません", {}, true}},
                 .flag = kBillDetailsFlag});
    t.push_back({.id = 148,
                 .window = "HinTakkuWnd",
                 .refusals = {alreadyOpen(kTagsFlag, "複数の 商品タック印刷 ウインドウは開けません")},
                 .flag = kTagsFlag});
    t.push_back({.id = 149,
                 .window = "MstPrntWnd",
                 .refusals = {alreadyOpen(kMasterPrintFlag, "複数の 各種マスター印刷 ウインドウは開けません")},
                 .flag = kMasterPrintFlag});
    t.push_back({.id = 150,
                 .window = "TakuDenWnd",
                 .refusals = {alreadyOpen(tableFlag(8), "複数の宅配伝票印刷ウインドウは開けません", {}, false)},
                 .flag = tableFlag(8)});
    t.push_back({.id = 151,
                 .window = "GroupSeiWnd",
                 .refusals = {alreadyOpen(kGroupBillFlag, "複数のグループ代表請求ウインドウは開けません", {}, false),
                              alreadyOpen(kInvoicePrintFlag, "InvoiceDataPrintと同時には開けません", {}, false)},
                 .flag = kGroupBillFlag,
                 .mode = 151});
    t.push_back(
        {.id = 359,
         .window = "GroupSeiWnd",
         .refusals = {alreadyOpen(kGroupBillFlag, "グループ代表請求ウインドウと同時には開けません", {}, false),
                      alreadyOpen(kInvoicePrintFlag, "複数の InvoiceDataPrint ウインドウは開けません", {}, false)},
         .flag = kInvoicePrintFlag,
         .mode = 359});
    t.push_back({.id = 160,
                 .window = "FkihonWnd",
                 .refusals = {alreadyOpen(kBasicSettingsFlag, "複数の基本設定ウインドウは開けません")},
                 .flag = kBasicSettingsFlag,
                 .startupRequest = true});

    CommandEntry customers = mainFrame(161, "TokuisakiMsWnd", "　得意先マスター登録", {10, 10, 950, 640});
    customers.refusals = {alreadyOpen(kCustomerMasterFlag, "複数の 得意先マスター登録 ウインドウは開けません"),
                          {{kPaymentEntryFlag, kPaymentAggregationFlag},
                           "他に得意先の前期残高を変更する恐れのウインドウがアクティブのため\n ウインドウは開けません　"
                           "他のウインドウをクローズしてください",
                           {},
                           true}};
    customers.flag = kCustomerMasterFlag;
    t.push_back(customers);

    auto master = [&](int id, std::string_view window, int flag, std::string_view text, bool beep = true) {
        t.push_back({.id = id, .window = window, .refusals = {alreadyOpen(flag, text, {}, beep)}, .flag = flag});
    };
    master(162, "HinMasWnd", kProductMasterFlag, "複数の商品マスター登録ウインドウは開けません");
    master(163, "KikakuMasWnd", kGradeMasterFlag, "複数の規格マスター登録ウインドウは開けません");
    master(164, "BikouMasWnd", kRemarkMasterFlag, "複数の備考文マスター登録ウインドウは開けません");
    master(165, "KamokuMasWnd", kAccountMasterFlag, "複数の科目マスター登録ウインドウは開けません");
    t.push_back(mainFrame(166, "PrintSizeWnd", "　印刷フォーム設定", {10, 30, 420, 492}));
    t.push_back({.id = 167,
                 .window = "TakuDenFrmWnd",
                 .refusals = {alreadyOpen(tableFlag(9), "複数の宅配伝票フォーム設定ウインドウは開けません", {}, false)},
                 .flag = tableFlag(9)});
    CommandEntry deliveryMaster = mainFrame(168, "TakuMasMeWnd", "　宅配マスターメンテナンス", {0, 180, 800, 640});
    deliveryMaster.refusals = {alreadyOpen(kHomeDeliveryMasterFlag, {}, {}, false)};
    deliveryMaster.flag = kHomeDeliveryMasterFlag;
    t.push_back(deliveryMaster);
    master(169, "FKankyoWnd", kEnvironmentFlag, "複数の 環境設定 ウインドウは開けません", false);

    t.push_back({.id = 176,
                 .window = "SyukeiWnd",
                 .refusals = {alreadyOpen(kDayListFlag, "複数の出荷月日一覧ウインドウは開けません",
                                          "複数の仕入月日一覧ウインドウは開けません")},
                 .flag = kDayListFlag});
    t.push_back({.id = 177,
                 .window = "UriageSyuWnd",
                 .refusals = {alreadyOpen(kBillFlag, "複数の 売り上げ実績集計 ウインドウは開けません",
                                          "複数の 仕入れ実績集計 ウインドウは開けません")},
                 .flag = kBillFlag});
    t.push_back({.id = 178,
                 .window = "IkkatuSyuWnd",
                 .refusals = {alreadyOpen(kCodeTotalsFlag, "複数の コード別一括集計 ウインドウは開けません")},
                 .flag = kCodeTotalsFlag});

    // Day tables 179..184 and month tables 186..191: one flag per table kind.
    struct TableText {
        std::string_view sales, purchase;
    };
    const TableText tableTexts[6] = {
        {"複数の 売り方別表集計 ウインドウは開けません", "複数の 部門別表集計 ウインドウは開けません"},
        {"複数の 得意先別表集計 ウインドウは開けません", {}},
        {"複数の 商品別表集計 ウインドウは開けません", {}},
        {"複数の 規格１別表集計 ウインドウは開けません", {}},
        {"複数の 規格２別表集計 ウインドウは開けません", {}},
        {"複数の 備考コード別表集計 ウインドウは開けません", {}},
    };
    const int dayKinds[6] = {2, 1, 3, 4, 5, 6};
    const int monthKinds[6] = {8, 7, 9, 10, 11, 12};
    for (int i = 0; i < 6; ++i) {
        t.push_back(tableCommand(179 + i, dayKinds[i], tableTexts[i].sales, tableTexts[i].purchase));
    }
    t.push_back({.id = 185,
                 .window = "HanMotoWnd",
                 .refusals = {alreadyOpen(kCodeTotalsFlag, "複数の 販売元帳 ウインドウは開けません",
                                          "複数の 仕入れ元帳 ウインドウは開けません")},
                 .flag = kCodeTotalsFlag});
    t.push_back({.id = 216,
                 .window = "UriNenreiWnd",
                 .refusals = {alreadyOpen(kAgingFlag, "複数の 売掛金年齢表 ウインドウは開けません",
                                          "複数の 買掛金年齢表 ウインドウは開けません")},
                 .flag = kAgingFlag});
    for (int i = 0; i < 6; ++i) {
        t.push_back(tableCommand(186 + i, monthKinds[i], tableTexts[i].sales, tableTexts[i].purchase));
    }
    t.push_back({.id = 192,
                 .window = "NameSyuWnd",
                 .refusals = {alreadyOpen(kBillFlag, "複数の 名前検索集計 ウインドウは開けません")}});
    t.push_back({.id = 193,
                 .window = "JyuchuuSWnd",
                 .refusals = {alreadyOpen(tableFlag(7), "複数の 受注集計 ウインドウは開けません",
                                          "複数の 発注集計 ウインドウは開けません")}});
    CommandEntry commission = mainFrame(194, "TeryouSyuWnd", "　手数料集計", {100, 100, 820, 520});
    commission.refusals = {alreadyOpen(kCommissionFlag, {}, {}, false)};
    commission.flag = kCommissionFlag;
    t.push_back(commission);

    CommandEntry backup = mainFrame(198, "DBackUpWnd", "　データバックアップ", {0, 70, 740, 600});
    backup.mode = 1;
    t.push_back(backup);
    CommandEntry yearEnd = mainFrame(199, "NenKOusinWnd", "　年度更新", {100, 100, 740, 600});
    yearEnd.refusals = {alreadyOpen(kYearEndFlag, "複数の年度更新ウインドウは開けません", {}, false)};
    yearEnd.flag = kYearEndFlag;
    t.push_back(yearEnd);
    t.push_back(mainFrame(200, "DataHoseiWnd", "　データチェック", {0, 160, 800, 640}));
    CommandEntry restore = mainFrame(201, "DReBackWnd", "　バックアップデータの復帰", {100, 0, 660, 610});
    restore.mode = 1;
    restore.flag = kRestoreFlag;
    t.push_back(restore);
    CommandEntry accountCodes = mainFrame(202, "KamokuSetWnd", "　科目コード埋め込み", {200, 100, 740, 570});
    accountCodes.flag = kAccountCodeFlag;
    t.push_back(accountCodes);
    CommandEntry conversion = mainFrame(203, "V6toV7Wnd", "　ﾃﾞｰﾀ変換(Ver6→Ver7)", {60, 160, 980, 570});
    conversion.refusals = {alreadyOpen(kConversionFlag, "複数のデータ変換ウインドウは開けません", {}, false)};
    conversion.flag = kConversionFlag;
    conversion.startupRequest = true;
    t.push_back(conversion);
    master(204, "CodeAllChenWnd", kCodeChangeFlag, "複数のマスターコード一括変更ウインドウは開けません", false);

    t.push_back({.id = 211,
                 .window = "GraSyuWnd",
                 .refusals = {alreadyOpen(kTagsFlag, "複数の 表集計 ウインドウは開けません")},
                 .flag = kTagsFlag});
    t.push_back({.id = 213, .window = "GaitouListWnd", .flag = kDateListFlag});
    master(215, "BaisanWnd", kBuyerTotalsFlag, "複数の 買参人集計 ウインドウは開けません", false);
    t.push_back({.id = cmd::kGuide, .window = "InfoWnd"});
    t.push_back({.id = 330, .window = "GaitouDrowWnd"});
    t.push_back({.id = 343, .window = "GBlockSyuWnd"});
    t.push_back({.id = 350, .window = "KikanHyoWnd"});
    CommandEntry dataOperation = mainFrame(356, "DataOpeWnd", "　データ操作", {200, 100, 780, 400});
    dataOperation.refusals = {alreadyOpen(kDataOperationFlag, "複数のデータ操作ウインドウは開けません", {}, false)};
    dataOperation.flag = kDataOperationFlag;
    t.push_back(dataOperation);
    master(361, "PackInsWnd", kListTableFlag, "複数の一覧表入力ウインドウは開けません", false);
    t.push_back({.id = cmd::kAbout, .window = "AboutDlg"});
    t.push_back({.id = cmd::kGuideIndex, .window = "InfoWnd"});
    return t;
}

}  // namespace

const std::vector<CommandEntry>& commandTable() {
    static const std::vector<CommandEntry> kTable = buildTable();
    return kTable;
}

const CommandEntry* findCommand(int id) {
    const auto& t = commandTable();
    auto it = std::find_if(t.begin(), t.end(), [id](const CommandEntry& c) { return c.id == id; });
    return it == t.end() ? nullptr : &*it;
}

bool flagOpen(const AppContext& ctx, int flag) {
    auto it = ctx.windowFlags.find(flag);
    return it != ctx.windowFlags.end() && it->second > 0;
}

CommandOutcome runCommand(AppContext& ctx, const CommandEntry& entry) {
    for (const Refusal& r : entry.refusals) {
        if (!std::any_of(r.whenOpen.begin(), r.whenOpen.end(), [&](int f) { return flagOpen(ctx, f); })) continue;
        if (r.sales.empty()) return {.kind = CommandOutcome::Kind::Nothing};
        bool purchase = ctx.edition == Edition::Purchase && !r.purchase.empty();
        return {.kind = CommandOutcome::Kind::Refused,
                .message = std::string(purchase ? r.purchase : r.sales),
                .beep = r.beep};
    }
    if (entry.raiseWhenOpen && flagOpen(ctx, entry.flag)) return {.kind = CommandOutcome::Kind::Raise, .beep = true};

    CommandOutcome out;
    if (entry.flag != kNoFlag) {
        int& flag = ctx.windowFlags[entry.flag];
        flag = entry.startupRequest && flag == -1 ? 2 : 1;
        out.flagValue = flag;
    }
    bool keep = entry.keepModeTo > 0 && ctx.windowMode >= entry.keepModeFrom && ctx.windowMode <= entry.keepModeTo;
    if (entry.mode != 0 && !keep) {
        ctx.windowMode = entry.mode;
    }
    return out;
}

void windowClosed(AppContext& ctx, const CommandEntry& entry) {
    if (entry.flag != kNoFlag) ctx.windowFlags[entry.flag] = 0;
}

}  // namespace rk
