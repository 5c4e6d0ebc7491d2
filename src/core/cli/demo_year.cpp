#include "cli/demo_year.h"

#include <algorithm>
#include <cstdio>
#include <random>
#include <set>
#include <vector>

#include "base/cp932.h"
#include "base/format.h"
#include "base/money.h"
#include "masters/master_io.h"
#include "payments/payment_entry.h"
#include "payments/slip_payment.h"
#include "platform/deferred_sync_file_system.h"
#include "platform/read_session_file_system.h"
#include "receivables/processing.h"
#include "slips/CFq7Doc.h"
#include "slips/home_delivery.h"

namespace rk {
namespace {

struct DemoProduct {
    const char* name;
    const char* unit;
    int packingKind;   // 1 box, 2 flower container, 3 tray
    int packingGroup;  // boxes per package
    int pieces;        // pieces per box
    int priceLow, priceHigh;
};

// Cut flowers by the stem, pot plants by the pot, branches by the bunch.
const DemoProduct kFlowers[] = {
    {"バラ", "本", 1, 4, 50, 40, 180},
    {"カーネーション", "本", 1, 4, 100, 25, 70},
    {"スプレーカーネ", "本", 1, 4, 100, 30, 80},
    {"キク", "本", 1, 3, 100, 35, 90},
    {"スプレーギク", "本", 1, 3, 100, 30, 70},
    {"小ギク", "本", 1, 3, 200, 15, 45},
    {"ユリ", "本", 1, 2, 30, 120, 450},
    {"カサブランカ", "本", 1, 2, 30, 250, 600},
    {"トルコギキョウ", "本", 1, 3, 50, 80, 260},
    {"ガーベラ", "本", 1, 4, 100, 30, 90},
    {"チューリップ", "本", 1, 4, 100, 30, 80},
    {"アルストロ", "本", 1, 4, 50, 40, 120},
    {"スイートピー", "本", 1, 4, 100, 30, 90},
    {"カスミソウ", "本", 2, 2, 30, 80, 300},
    {"ラナンキュラス", "本", 1, 3, 50, 60, 250},
    {"ダリア", "本", 2, 2, 30, 80, 350},
    {"ヒマワリ", "本", 2, 2, 30, 60, 180},
    {"リンドウ", "本", 1, 3, 50, 40, 120},
    {"デンファレ", "本", 1, 4, 50, 60, 150},
    {"オンシジューム", "本", 1, 4, 30, 80, 220},
    {"スターチス", "本", 2, 3, 50, 30, 90},
    {"レザーファン", "本", 1, 5, 200, 10, 30},
    {"ナノハナ", "束", 2, 3, 20, 150, 400},
    {"モモ", "束", 2, 2, 10, 300, 900},
    {"センリョウ", "本", 2, 2, 30, 150, 500},
    {"ワカマツ", "束", 2, 2, 10, 400, 1200},
    {"コチョウラン", "鉢", 3, 1, 1, 3000, 15000},
    {"シクラメン", "鉢", 3, 2, 6, 600, 2000},
    {"ポインセチア", "鉢", 3, 2, 6, 500, 1800},
    {"ミニバラ鉢", "鉢", 3, 2, 12, 300, 900},
};
constexpr int kProductCount = sizeof kFlowers / sizeof kFlowers[0];

const char* const kGrade1[] = {"秀", "優", "良", "並"};
const char* const kGrade2[] = {"3L", "2L", "L", "M", "S"};

const char* const kFamily[] = {"佐藤", "鈴木", "高橋",   "田中", "伊藤", "渡辺", "山本", "中村", "小林", "加藤",
                               "吉田", "山田", "佐々木", "山口", "松本", "井上", "木村", "林",   "斎藤", "清水",
                               "山崎", "森",   "池田",   "橋本", "阿部", "石川", "山下", "中島", "石井", "小川",
                               "前田", "岡田", "長谷川", "藤田", "後藤", "近藤", "村上", "遠藤", "青木", "坂本"};
const char* const kShop[] = {"生花店", "花店", "フラワー", "園芸", "花卉", "花壇", "生花"};
const char* const kPrefix[] = {"", "", "有限会社", "株式会社", "(有)", "(株)"};
const char* const kTown[] = {"東京都世田谷区桜新町", "東京都大田区蒲田",       "神奈川県横浜市港北区日吉",
                             "神奈川県川崎市中原区", "埼玉県さいたま市浦和区", "千葉県船橋市本町",
                             "東京都杉並区阿佐谷北", "東京都江戸川区小岩",     "埼玉県川口市栄町",
                             "千葉県市川市八幡",     "東京都練馬区豊玉北",     "神奈川県相模原市中央区"};
const char* const kShortRemarks[] = {"特選", "訳あり", "再入荷", "産直", "予約品"};
constexpr const char* kLongRemark = "産地直送品につき返品はご容赦ください。水揚げ後お早めにお届けします。";

class Rng {
public:
    explicit Rng(uint32_t seed) : g_(seed) {}
    int below(int n) { return static_cast<int>(g_() % static_cast<uint32_t>(n)); }
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    bool percent(int p) { return below(100) < p; }

private:
    std::mt19937 g_;
};

bool writeMasters(AppContext& ctx, Rng& rng, int customers) {
    FileSystem& fs = ctx.files;
    const FileSet& f = ctx.fileSet;
    for (int i = 0; i < 5; ++i) {
        GradeRecord g{};
        if (i < 4) cp932::assign(g.grade1Name, kGrade1[i]);
        cp932::assign(g.grade2Name, kGrade2[i]);
        if (!masters::writeRecord(fs, f[kGrades], i + 1, g)) return false;
    }
    for (int i = 0; i < kProductCount; ++i) {
        const DemoProduct& d = kFlowers[i];
        ProductRecord p{};
        cp932::assign(p.name, d.name);
        cp932::assign(p.unit, d.unit);
        p.packingKind = d.packingKind;
        p.packingGroup = d.packingGroup;
        p.salesDebit = 110;
        p.salesCredit = 400;
        p.purchaseDebit = 500;
        p.purchaseCredit = 210;
        p.boxPoints = 1;
        if (!masters::writeProduct(fs, f[kProducts], i + 1, p)) return false;
    }
    for (int i = 0; i < 5; ++i) {
        RemarkRecord r{};
        cp932::assign(r.text, kShortRemarks[i]);
        if (!masters::writeRecord(fs, f[kRemarks], i + 1, r)) return false;
    }
    RemarkRecord longRemark{};
    cp932::assign(longRemark.text, kLongRemark);
    if (!masters::writeRecord(fs, f[kRemarks], 500, longRemark)) return false;

    for (int n = 1; n <= customers; ++n) {
        CustomerRecord c{};
        const char* family = kFamily[rng.below(std::size(kFamily))];
        std::string name =
            std::string(kPrefix[rng.below(std::size(kPrefix))]) + family + kShop[rng.below(std::size(kShop))];
        cp932::assign(c.name, std::string_view(name));
        if (cp932::byteLength(name) > 29) cp932::assign(c.name, std::string(family) + "生花店");
        if (rng.percent(20)) cp932::assign(c.department, "仕入部");
        cp932::assign(c.honorific, rng.percent(70) ? "御中" : "様");
        char addr[128];
        std::snprintf(addr, sizeof addr, "%s%d-%d-%d", kTown[rng.below(std::size(kTown))], rng.between(1, 5),
                      rng.between(1, 30), rng.between(1, 20));
        cp932::assign(c.address, addr);
        char phone[32];
        std::snprintf(phone, sizeof phone, "0%d-%04d-%04d", rng.between(3, 4) == 3 ? 3 : 45, rng.between(1000, 9999),
                      rng.between(0, 9999));
        cp932::assign(c.phone, phone);
        c.postalFirst = rng.between(100, 350);
        c.postalSecond = rng.between(0, 9999);
        c.commissionRounding = rng.below(3);
        c.paymentAccount = 100;
        c.commissionRate = rng.percent(50) ? 0 : 8.5;
        // Every fifteenth customer heads a group of the two after it; some owe from last year.
        if (n % 15 == 1 && n + 2 <= customers) {
            c.groupLink = 2;
            c.members[0] = n + 1;
            c.members[1] = n + 2;
        } else if (n % 15 == 2 || n % 15 == 3) {
            const int representative = n - n % 15 + 1;
            if (representative + 2 <= customers) c.groupLink = -representative;
        }
        if (n % 6 == 0) c.balance = c.openingBalance = 10000.0 * (n % 5 + 1);
        if (!masters::writeRecord(fs, f[kCustomers], n, c)) return false;
    }
    return true;
}

// One slip's lines: products, grades, quantities and prices as a wholesaler's day has them.
// Consignment k of a small pool of repeat addresses, sent from the slip's customer.
HomeDeliveryRecord consignment(int k, const CustomerRecord& sender, int customer) {
    HomeDeliveryRecord r{};
    r.destPhone[0] = k % 2 ? 3 : 45;
    r.destPhone[1] = 1000 + k * 37;
    r.destPhone[2] = 2000 + k * 113;
    r.destPostal[0] = 100 + k * 7;
    r.destPostal[1] = k * 97;
    r.arrivalStore[0] = 10 + k % 40;
    r.arrivalStore[1] = k % 9 + 1;
    r.originPhone[0] = 3;
    r.originPhone[1] = 5000 + customer % 1000;
    r.originPhone[2] = 1000 + customer;
    r.originPostal[0] = sender.postalFirst;
    r.originPostal[1] = sender.postalSecond;
    r.departureStore[0] = 21;
    r.departureStore[1] = 3;
    r.fee[0] = 800 + (k % 5) * 100;
    r.fee[1] = k % 3 == 0 ? 200 : 0;
    cp932::assign(r.destAddress1, kTown[static_cast<size_t>(k) % std::size(kTown)]);
    char number[32];
    std::snprintf(number, sizeof number, "%d-%d-%d", k % 5 + 1, k % 30 + 1, k % 20 + 1);
    cp932::assign(r.destAddress2, number);
    cp932::assign(r.destName, std::string(kFamily[static_cast<size_t>(k) % std::size(kFamily)]) + " 様");
    // The sender's address cut to the field at a character boundary.
    const std::string address(sender.address, cp932::fieldLength(sender.address, sizeof sender.address));
    cp932::assignRaw(r.originAddress1, sizeof r.originAddress1, address);
    cp932::assignRaw(r.originName, sizeof r.originName,
                     std::string(sender.name, cp932::fieldLength(sender.name, sizeof sender.name)));
    return r;
}

// Some customers send the goods of a slip's first line by parcel: one to three consignments
// recorded through the home-delivery core, their first number in the line.
bool addHomeDelivery(AppContext& ctx, CFq7Doc& doc, Rng& rng) {
    const int count = rng.between(1, 3);
    std::vector<delivery::ChainSlip> slips(static_cast<size_t>(count));
    for (auto& s : slips) s.record = consignment(rng.below(40), doc.customer, doc.header.customer);
    auto r = delivery::recordChain(ctx, slips, {doc.header.date, doc.header.customer, 1});
    if (!r.write.ok()) return false;
    doc.lines[1].word200 = r.first;
    return true;
}

void fillLines(CFq7Doc& doc, Rng& rng, int count, int stage, bool sales) {
    for (int j = 1; j <= count; ++j) {
        const int code = rng.below(kProductCount) + 1;
        const DemoProduct& d = kFlowers[code - 1];
        doc.readProduct(code);
        SlipLine& l = doc.lines[j];
        std::memcpy(l.productName, doc.product.name, sizeof l.productName - 1);
        std::memcpy(l.unit, doc.product.unit, sizeof l.unit);
        l.product = code;
        l.packingKind = doc.product.packingKind;
        l.priceDecimals = doc.product.decimals;
        if (sales) {
            l.debit = doc.product.salesDebit;
            l.credit = doc.product.salesCredit;
        } else {
            l.word200 = doc.product.purchaseDebit;
            l.word204 = doc.product.purchaseCredit;
        }
        const int method = rng.below(20);
        l.salesMethod = method < 10 ? 1 : method < 14 ? 2 : method < 19 ? 3 : 4;
        l.grade1 = rng.percent(85) ? rng.between(1, 4) : kNoGrade;
        l.grade2 = rng.percent(70) ? rng.between(1, 5) : kNoGrade;
        if (l.salesMethod == 1) l.buyer = rng.between(1, 300);
        l.piecesPerBox = d.pieces;
        l.boxes = rng.between(1, 10);
        const double qty = l.piecesPerBox * l.boxes;
        l.ordered = qty;
        l.delivered = stage == kStageOrder ? 0 : qty;
        l.quantity = qty;
        l.price = rng.between(d.priceLow, d.priceHigh);
        l.amount = money::times(qty, l.price);
        if (l.salesMethod == 2) {
            cp932::assign(l.remark, "注文品");
        } else if (rng.percent(8)) {
            l.remarkCode = rng.between(1, 5);
            cp932::assign(l.remark, kShortRemarks[l.remarkCode - 1]);
        } else if (rng.percent(3)) {
            l.remarkCode = 500;
            l.textNumber = -1;  // stored with the slip
            cp932::assign(doc.texts[j].text, kLongRemark);
        }
    }
    doc.header.lineCount = count;
}

// Receivable processing of the delivered slip just written, as F6 in slip entry does it. Some
// customers have their freight deducted.
// `payNow`: the customer pays the slip at once, as F7 of processing does it.
bool processDelivery(AppContext& ctx, CFq7Doc& doc, Dialogs& dialogs, bool payNow) {
    if (!doc.loadRecord(doc.lastWritten())) return false;
    const int n = std::clamp(doc.header.lineCount, 0, kMaxSlipLines);
    doc.header.amount = receivables::slipTotal(std::span(&doc.lines[1], static_cast<size_t>(n)));
    doc.readCustomer(doc.header.customer);
    receivables::Processing p =
        receivables::start(doc.header, doc.loadedAmount(), doc.customer, ctx.settings, ctx.env).values;
    if (doc.header.customer % 7 == 0) p.deductions[3] = 300 + 100 * (doc.header.customer % 5);
    if (!payNow) return receivables::record(doc, p, ctx, dialogs) == receivables::Recorded::Ok;
    receivables::store(p, doc.header);
    payments::SlipPaymentValues v = payments::startSlipPayment(doc.header, doc.customer, ctx.env, ctx.edition);
    if (doc.header.customer % 2 == 0 && v.billed > 1000) v.feeTyped(330);
    return payments::paySlip(doc, p, v, ctx, dialogs) == payments::Outcome::Ok;
}

// Month by month over the first two thirds of the year the customers pay what they were
// billed, a group's representative for its members; some leave a remainder, some pay a fee,
// and every fourth customer skips a month.
bool settleMonths(AppContext& ctx, Dialogs& dialogs) {
    const int first = std::clamp(ctx.settings.firstMonth, 1, 12);
    for (int k = 0; k < 8; ++k) {
        const int m = (first - 1 + k) % 12 + 1;
        payments::PaymentEntry e(ctx, dialogs);
        e.setStart(m * 100 + 1);
        e.setEnd(m);
        if (e.table().cutOff) continue;
        const int count = static_cast<int>(e.table().customers.size()) - 1;
        for (int n = 1; n <= count; ++n) {
            if ((n + k) % 4 == 0) continue;
            CustomerRecord c{};
            masters::readCustomer(ctx.files, ctx.fileSet[kCustomers], n, c);
            if (c.groupLink < 0) continue;  // paid with its representative
            int slips = e.table().of(n).count();
            for (int i = 0; i < std::min(c.groupLink, 63); ++i) slips += e.table().of(c.members[i]).count();
            if (slips == 0) continue;
            if (!e.choose(n)) return false;
            if (n % 5 == 0 && e.billed() > 1000) e.feeTyped(660);
            if (n % 7 == 0 && e.paid() > 5000) e.paidTyped(e.paid() - 1000 * (n % 4 + 1));
            if (e.record() != payments::Outcome::Ok) return false;
        }
    }
    return true;
}

}  // namespace

bool fillDemoYear(AppContext& ctx, Dialogs& dialogs, const DemoOptions& o,
                  const std::function<void(int, int)>& progress) {
    const int customers = std::clamp(o.customers, 1, kDemoMaxCustomers);
    // Every day of the business year that exists (29 February included, as the system allows).
    std::vector<int> days;
    const int first = std::clamp(ctx.settings.firstMonth, 1, 12);
    for (int k = 0; k < 12; ++k) {
        const int m = (first - 1 + k) % 12 + 1;
        for (int d = 1; d <= monthday::monthLength(m); ++d) days.push_back(m * 100 + d);
    }
    if (o.slips < 0 || static_cast<int64_t>(o.slips) > static_cast<int64_t>(days.size()) * customers / 2) {
        dialogs.message("demo: too many slips for the customers and days of one year", Icon::Stop);
        return false;
    }

    // The bulk of the work goes through a file system that syncs once, at the end.
    DeferredSyncFileSystem bulk;
    // Masters and slip files are read again for every slip: kept open between them.
    ReadSessionFileSystem reads(bulk);
    AppContext work(ctx.edition, ctx.programFolder(), reads, ctx.clock);
    work.fileSet = ctx.fileSet;
    work.settings = ctx.settings;
    work.env = ctx.env;
    work.memberNumber = ctx.memberNumber;
    if (customers > work.env.customerCount) {
        work.env.customerCount = customers <= 1999 ? 1999 : 2999;
        if (!writeEnvironment(reads, work.fileSet[kAccounts], work.edition, work.env)) return false;
        ctx.env.customerCount = work.env.customerCount;
    }

    Rng rng(o.seed);
    if (!writeMasters(work, rng, customers)) {
        dialogs.message("demo: the masters cannot be written", Icon::Stop);
        return false;
    }

    // Distinct (date, customer) pairs, recorded in business order like a year of work.
    std::set<std::pair<int, int>> pairs;
    while (static_cast<int>(pairs.size()) < o.slips)
        pairs.emplace(rng.below(static_cast<int>(days.size())), rng.between(1, customers));

    CFq7Doc doc(work, dialogs);
    doc.setInputMode(2);
    Rng parcels(o.seed + 27);  // its own stream: the rest of the year stays as it was
    int done = 0;
    const int orderDays = static_cast<int>(days.size()) * 19 / 20;  // the last weeks are still on order
    // Deliveries up to the last month and a half are processed as receivables (payables).
    const int processedDays = receivables::closedYear(work.settings) ? 0 : static_cast<int>(days.size()) * 7 / 8;
    for (auto [day, cust] : pairs) {
        const int stage = day >= orderDays || rng.percent(5) ? kStageOrder : kStageDelivery;
        doc.clearHeader();
        doc.clearLines();
        doc.header.date = days[static_cast<size_t>(day)];
        doc.header.customer = cust;
        doc.header.stage = stage;
        doc.readCustomer(cust);
        std::memcpy(doc.header.customerName, doc.customer.name, 30);
        std::memcpy(doc.header.department, doc.customer.department, 30);
        fillLines(doc, rng, rng.between(2, 18), stage, work.edition == Edition::Sales);
        if (work.edition == Edition::Sales && stage == kStageDelivery && cust % 6 == 1 &&
            !addHomeDelivery(work, doc, parcels)) {
            dialogs.message("demo: the home-delivery slips cannot be written", Icon::Stop);
            return false;
        }
        if (doc.record() != CFq7Doc::WriteResult::Ok) return false;
        // A few customers pay single slips straight from processing.
        const bool payNow = cust % 10 == 3 && day % 3 == 0;
        if (stage == kStageDelivery && day < processedDays && !processDelivery(work, doc, dialogs, payNow))
            return false;
        if (progress && (++done % 1000 == 0 || done == o.slips)) progress(done, o.slips);
    }
    if (processedDays > 0 && !settleMonths(work, dialogs)) {
        dialogs.message("demo: the payments cannot be recorded", Icon::Stop);
        return false;
    }
    if (!bulk.syncAll()) {
        dialogs.message("demo: the files cannot be synced", Icon::Stop);
        return false;
    }
    return true;
}

}  // namespace rk
