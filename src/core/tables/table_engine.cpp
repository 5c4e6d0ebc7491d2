#include "tables/table_engine.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "base/cp932.h"
#include "base/format.h"
#include "tables/slip_scan.h"

namespace rk::tables {

namespace {

constexpr TableKind kKinds[kTableKinds] = {
    {1, kByCustomer, false, 180, "　日別得意先別表集計", nullptr, "得意先別", nullptr},
    {2, kBySalesMethod, false, 179, "　日別売り方別表集計", "　日別 部門 別表集計", "売り方別", "　 部門 別"},
    {3, kByProduct, false, 181, "　日別商品別表集計", nullptr, "商品別", nullptr},
    {4, kByGrade1, false, 182, "　日別規格１別表集計", nullptr, "規格１別", nullptr},
    {5, kByGrade2, false, 183, "　日別規格２別表集計", nullptr, "規格２別", nullptr},
    {6, kByRemark, false, 184, "　日別備考別表集計", nullptr, "備考別", nullptr},
    {7, kByCustomer, true, 187, "　月別得意先別表集計", nullptr, "得意先別", nullptr},
    {8, kBySalesMethod, true, 186, "　月別売り方別表集計", "　月別 部門 別表集計", "売り方別", "　 部門 別"},
    {9, kByProduct, true, 188, "　月別商品別表集計", nullptr, "商品別", nullptr},
    {10, kByGrade1, true, 189, "　月別規格１別表集計", nullptr, "規格１別", nullptr},
    {11, kByGrade2, true, 190, "　月別規格２別表集計", nullptr, "規格２別", nullptr},
    {12, kByRemark, true, 191, "　月別備考別表集計", nullptr, "備考別", nullptr},
};

constexpr int kMaxBusinessKey = 2500;  // business-ordered MMDD stays below this
constexpr int kMaxDayPeriods = 12 * 31;

// What a run keeps of each chosen header while its lines arrive.
struct Chosen {
    int32_t customer;
    int32_t period;  // day: business-ordered date; month: month entry
};

class Accumulator {
public:
    Accumulator(TableResult& r, Dimension key, const ConditionSet& c) : r_(r), key_(key), conditions_(c) {}

    // Adds the lines of one year's files. `periodOf` maps a header's date to a period entry
    // (or -1); `yearTotal` is the entry every line also adds to (-1 none).
    template <class PeriodOf>
    void addYear(FileSystem& fs, const FileSet& f, bool dayRange, int yearTotal, PeriodOf periodOf) {
        const int firstMonth = firstMonth_;
        std::vector<Chosen> chosen;
        const IndexFilter inRange = periodFilter(f[kIndex1], firstMonth, r_.range.from, r_.range.to);
        scanSlips(
            fs, f[kSlipHeaders], f[kSlipLines],
            [&](const SlipHeader& h, int) {
                if (!liveDate(h.date) || (h.stage != kStageProcessed && h.stage != kStageSettled)) return false;
                const int key = monthday::businessKey(h.date, firstMonth);
                if (dayRange && (key < r_.range.from || key > r_.range.to)) return false;
                if (key_ == kByCustomer && (h.customer < r_.range.startCode || h.customer > r_.range.endCode))
                    return false;
                if (h.lineCount < 1) return false;
                chosen.push_back({h.customer, key});
                return true;
            },
            [&](int ordinal, int, const SlipLine& l) {
                const Chosen& c = chosen[static_cast<size_t>(ordinal)];
                if (!conditions_.passesLine(c.customer, l)) return;
                const int32_t k = codeOf(key_, c.customer, l);
                if (k < r_.range.startCode || k > r_.range.endCode || k < 1 || k >= r_.codeSlots) return;
                const int p = periodOf(c.period);
                if (p < 0) return;
                add(p, k, l.quantity, l.amount);
                if (yearTotal >= 0) {
                    r_.cell(yearTotal, k).add(l.quantity, l.amount);
                    r_.periods[static_cast<size_t>(yearTotal)].add(l.quantity, l.amount);
                }
            },
            dayRange ? &inRange : nullptr);
    }

    void add(int p, int k, double q, double a) {
        r_.cell(p, k).add(q, a);
        r_.codeTotals[static_cast<size_t>(k)].add(q, a);
        r_.periods[static_cast<size_t>(p)].add(q, a);
    }

    int firstMonth_ = 1;

private:
    TableResult& r_;
    Dimension key_;
    const ConditionSet& conditions_;
};

void newPeriod(TableResult& r, int label) {
    r.labels.push_back(label);
    r.periods.emplace_back();
    r.cells.resize(r.cells.size() + static_cast<size_t>(r.codeSlots));
}

void runDays(const AppContext& ctx, TableResult& r, Accumulator& acc) {
    // At most twelve months of 31 days: the cells never move while lines are added.
    r.cells.reserve(static_cast<size_t>(kMaxDayPeriods) * static_cast<size_t>(r.codeSlots));
    std::array<int, kMaxBusinessKey> entryOf;
    entryOf.fill(-1);
    acc.addYear(ctx.files, ctx.fileSet, true, -1, [&](int key) {
        if (key < 0 || key >= kMaxBusinessKey) return -1;
        if (entryOf[static_cast<size_t>(key)] < 0) {
            entryOf[static_cast<size_t>(key)] = static_cast<int>(r.labels.size());
            newPeriod(r, key);
        }
        return entryOf[static_cast<size_t>(key)];
    });
    // Sorted by business-ordered date, then shown as calendar dates.
    std::vector<int> byDate(r.labels.size());
    for (size_t i = 0; i < byDate.size(); ++i) byDate[i] = static_cast<int>(i);
    std::sort(byDate.begin(), byDate.end(),
              [&](int a, int b) { return r.labels[static_cast<size_t>(a)] < r.labels[static_cast<size_t>(b)]; });
    // Days arrive in date order when the slips were entered in order: then nothing moves.
    if (!std::is_sorted(byDate.begin(), byDate.end())) {
        const size_t slots = static_cast<size_t>(r.codeSlots);
        std::vector<int> labels(byDate.size());
        std::vector<Sum> periods(byDate.size()), cells(r.cells.size());
        for (size_t i = 0; i < byDate.size(); ++i) {
            const auto from = static_cast<size_t>(byDate[i]);
            labels[i] = r.labels[from];
            periods[i] = r.periods[from];
            std::copy_n(r.cells.begin() + static_cast<ptrdiff_t>(from * slots), slots,
                        cells.begin() + static_cast<ptrdiff_t>(i * slots));
        }
        r.labels = std::move(labels);
        r.periods = std::move(periods);
        r.cells = std::move(cells);
    }
    for (int& label : r.labels)
        if (label > 1231) label -= 1200;
}

void runMonths(const AppContext& ctx, TableResult& r, Accumulator& acc) {
    // A damaged first month must not place a month past the year's twelve periods.
    const int firstMonth = std::clamp(ctx.settings.firstMonth, 1, 12);
    r.cells.reserve(static_cast<size_t>(kYearTotals + 12 * kMaxYears) * static_cast<size_t>(r.codeSlots));
    for (int i = 0; i < kYearTotals; ++i) newPeriod(r, 0);
    int from = r.range.from, to = r.range.to;
    if (to - from + 1 > kMaxYears) from = to - kMaxYears + 1;  // the latest ten years
    const bool memberMode = ctx.fileSet.masterFolder != ctx.fileSet.dataFolder;
    for (int year = from; year <= to; ++year) {
        const FileSet f = buildFileSet(ctx.edition, ctx.programFolder(), ctx.fileSet.dataFolder, year, memberMode);
        if (!ctx.files.size(f[kSlipLines])) continue;  // no files for that year: no rows
        const int total = r.yearsRead++;
        r.labels[static_cast<size_t>(total)] = year * 100;
        const int firstEntry = static_cast<int>(r.labels.size());
        for (int pos = 0; pos < 12; ++pos) newPeriod(r, year * 100 + (firstMonth - 1 + pos) % 12 + 1);
        acc.addYear(ctx.files, f, false, total, [&](int key) {
            const int month = (key > 1231 ? key - 1200 : key) / 100;
            if (month < 1 || month > 12) return -1;
            const int position = month >= firstMonth ? month - firstMonth : month - firstMonth + 12;
            return firstEntry + position;
        });
    }
}

void finish(TableResult& r) {
    const bool month = tableKind(r.kind).month;
    for (size_t p = 0; p < r.periods.size(); ++p)
        if (!month || p >= static_cast<size_t>(kYearTotals)) r.grand.add(r.periods[p].quantity, r.periods[p].amount);
    for (int k = 1; k < r.codeSlots; ++k)
        if (r.codeTotals[static_cast<size_t>(k)].quantity != 0) r.keys.push_back(k);
    r.orderPeriods(false);

    GraphScales& s = r.scales;
    for (const Sum& c : r.cells) {
        s.cellQuantity = std::max(s.cellQuantity, c.quantity);
        s.cellPrice = std::max(s.cellPrice, c.price());
        s.cellAmount = std::max(s.cellAmount, c.amount);
    }
    for (const Sum& p : r.periods) {
        s.periodQuantity = std::max(s.periodQuantity, p.quantity);
        s.periodPrice = std::max(s.periodPrice, p.price());
        s.periodAmount = std::max(s.periodAmount, p.amount);
    }
    for (double* v : {&s.cellQuantity, &s.cellPrice, &s.cellAmount, &s.periodQuantity, &s.periodPrice, &s.periodAmount})
        *v = scaleStep(*v);
}

}  // namespace

const TableKind& tableKind(int kind) { return kKinds[kind >= 1 && kind <= kTableKinds ? kind - 1 : 0]; }

std::string tableTitle(int kind, Edition e) {
    const TableKind& k = tableKind(kind);
    return e == Edition::Sales || !k.purchaseTitle ? k.title : k.purchaseTitle;
}

int defaultStartDate(int firstMonth) { return std::clamp(firstMonth, 1, 12) * 100 + 1; }

int defaultEndDate(int firstMonth) {
    const int m = std::clamp(firstMonth, 1, 12);
    return monthday::normalise(m == 1 ? 12 : m - 1, monthday::kLastDay);
}

TableRange defaultRange(int kind, const AppContext& ctx) {
    TableRange r;
    if (tableKind(kind).month) {
        r.from = ctx.settings.businessYear - (kMaxYears - 1);
        r.to = ctx.settings.businessYear;
    } else {
        r.from = defaultStartDate(ctx.settings.firstMonth);
        r.to = defaultEndDate(ctx.settings.firstMonth);
    }
    r.startCode = 1;
    r.endCode = ctx.env.customerCount > 0 ? ctx.env.customerCount : 999;
    return r;
}

double scaleStep(double v) {
    static constexpr double kBounds[] = {11,     51,     101,     501,     1001,     5001,     10001,     50001,
                                         100001, 500001, 1000001, 5000001, 10000001, 50000001, 100000001, 500000001};
    for (size_t i = 0; i < std::size(kBounds); ++i)
        if (v < kBounds[i]) return static_cast<double>(i);
    return v;
}

void TableResult::orderPeriods(bool byMonth) {
    order.clear();
    const bool month = tableKind(kind).month;
    if (!month) {
        for (size_t p = 0; p < labels.size(); ++p) order.push_back(static_cast<int>(p));
        return;
    }
    for (int p = 0; p < kYearTotals; ++p) order.push_back(p);
    if (!byMonth) {
        for (size_t p = kYearTotals; p < labels.size(); ++p) order.push_back(static_cast<int>(p));
        return;
    }
    for (int pos = 0; pos < 12; ++pos)
        for (int y = 0; y < yearsRead; ++y) order.push_back(kYearTotals + y * 12 + pos);
}

void TableResult::swapKeys(size_t a, size_t b) {
    if (a < keys.size() && b < keys.size()) std::swap(keys[a], keys[b]);
}

TableResult runTable(const AppContext& ctx, int kind, const TableRange& range, ConditionSet conditions) {
    const TableKind& k = tableKind(kind);
    TableResult r;
    r.kind = k.kind;
    r.range = range;
    if (!k.month) {
        // Compared in business-year order.
        r.range.from = monthday::businessKey(range.from, ctx.settings.firstMonth);
        r.range.to = monthday::businessKey(range.to, ctx.settings.firstMonth);
    }
    // Every customer code up to the highest in use has its own cells.
    r.codeSlots = k.dimension == kByCustomer ? std::max(1000, ctx.env.customerCount + 1) : 1000;
    r.codeTotals.resize(static_cast<size_t>(r.codeSlots));
    conditions.clear(k.dimension);
    Accumulator acc(r, k.dimension, conditions);
    acc.firstMonth_ = ctx.settings.firstMonth;
    if (k.month)
        runMonths(ctx, r, acc);
    else
        runDays(ctx, r, acc);
    r.range = range;
    finish(r);
    return r;
}

std::string periodLabel(int label) {
    char six[16];
    std::snprintf(six, sizeof six, "%6d", label % 1000000);
    std::string out{six[2], six[3], '-', six[4], six[5]};
    if (six[4] == '0' && six[5] == '0') return std::string{six[2], six[3]} + " 年";
    if (six[4] == '0') out[3] = ' ';
    return out;
}

std::string csvPeriodLabel(int label, bool afterSeparator) {
    char six[16];
    std::snprintf(six, sizeof six, "%6d", label % 1000000);
    std::string out{six[2], six[3], '-', six[4], six[5], ' ', ' '};
    if (six[4] == '0' && six[5] == '0') return out.substr(0, 3) + cp932::fromUtf8("年度");
    if (label > 9999 && out[3] == '0') out[3] = ' ';
    if (label > 9999 && afterSeparator) out = out.substr(0, 5) + cp932::fromUtf8("年");
    return out;
}

}  // namespace rk::tables
