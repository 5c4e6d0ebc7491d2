#include "cli/report_commands.h"

#include "base/cp932.h"
#include "base/format.h"
#include "masters/messages.h"
#include "platform/read_session_file_system.h"
#include "tables/buyer_totals.h"
#include "tables/commission_totals.h"
#include "tables/name_search.h"
#include "tables/order_totals.h"
#include "tables/search_messages.h"
#include "tables/table_engine.h"

namespace rk::cli {

namespace {

// Settings, file set and environment block of PROGRAM_FOLDER.
bool load(AppContext& ctx, Io& io) {
    if (!loadInstallation(ctx, io)) return false;
    auto env = readEnvironment(ctx.files, ctx.fileSet[kAccounts], ctx.edition);
    if (!env) {
        io.err << msg::kAccountFileMissing << '\n';
        return false;
    }
    normalise(*env, ctx.edition);
    ctx.env = *env;
    return true;
}

// --from/--to (defaults: the business year); a bare month is its first or last day.
bool dates(const Args& a, const AppContext& ctx, int& from, int& to, Io& io) {
    from = tables::defaultStartDate(ctx.settings.firstMonth);
    to = tables::defaultEndDate(ctx.settings.firstMonth);
    for (auto [name, out, kind] :
         {std::tuple{"--from", &from, monthday::kFirstDay}, std::tuple{"--to", &to, monthday::kLastDay}}) {
        if (!a.has(name)) continue;
        auto v = intOption(a, name, io);
        if (!v) return false;
        *out = monthday::normalise(*v, kind);
    }
    return true;
}

std::optional<int> intOr(const Args& a, const std::string& name, int fallback, Io& io) {
    return a.has(name) ? intOption(a, name, io) : std::optional<int>(fallback);
}

int written(bool ok, bool read, const AppContext& ctx, const fs::path& out, Io& io) {
    if (!read) {
        io.err << "rakurena: cannot read the slip files of " << ctx.fileSet.dataFolder.string() << '\n';
        return kFailed;
    }
    if (!ok) {
        io.err << "rakurena: cannot write " << out.string() << '\n';
        return kFailed;
    }
    return kOk;
}

fs::path output(const Args& a, const AppContext& ctx, const char* name) {
    return fs::absolute(a.get("-o").value_or((ctx.programFolder() / name).string()));
}

}  // namespace

int runExportNameSearch(const Args& a, Io& io) {
    const std::string match = a.get("--match").value_or("contains");
    const auto how = match == "contains" ? tables::NameMatch::Contains
                     : match == "starts" ? tables::NameMatch::StartsWith
                                         : tables::NameMatch::Code;
    if (match != "contains" && match != "starts" && match != "code") {
        io.err << "rakurena: --match takes contains, starts or code\n";
        return kUsage;
    }
    ReadSessionFileSystem files;  // opens each file once for the whole command
    AppContext ctx(a.edition, fs::absolute(a.positional[0]), files);
    if (!load(ctx, io)) return kFailed;
    int from = 0, to = 0;
    if (!dates(a, ctx, from, to, io)) return kUsage;
    const auto s = tables::runNameSearch(ctx, from, to, cp932::fromUtf8(a.get("--search").value_or("")), how);
    const fs::path out = output(a, ctx, tables::msg::kDetailCsvName);
    return written(s.read && tables::writeNameSearchCsv(ctx, s, out), s.read, ctx, out, io);
}

int runExportOrderTotals(const Args& a, Io& io) {
    const std::string by = a.get("--by").value_or("date");
    if (by != "date" && by != "product") {
        io.err << "rakurena: --by takes date or product\n";
        return kUsage;
    }
    ReadSessionFileSystem files;  // opens each file once for the whole command
    AppContext ctx(a.edition, fs::absolute(a.positional[0]), files);
    if (!load(ctx, io)) return kFailed;
    int from = 0, to = 0;
    if (!dates(a, ctx, from, to, io)) return kUsage;
    const auto t = tables::runOrderTotals(ctx, from, to);
    const fs::path out = output(a, ctx, tables::msg::kOrderCsvName);
    return written(t.read && tables::writeOrderTotalsCsv(ctx, t, by == "product", out), t.read, ctx, out, io);
}

int runExportCommissionTotals(const Args& a, Io& io) {
    ReadSessionFileSystem files;  // opens each file once for the whole command
    AppContext ctx(a.edition, fs::absolute(a.positional[0]), files);
    if (!load(ctx, io)) return kFailed;
    tables::CommissionRange r;
    if (!dates(a, ctx, r.from, r.to, io)) return kUsage;
    auto first = intOr(a, "--first-customer", 1, io), last = intOr(a, "--last-customer", ctx.env.customerCount, io);
    if (!first || !last) return kUsage;
    r.firstCustomer = *first;
    r.lastCustomer = *last;
    r.search = cp932::fromUtf8(a.get("--search").value_or(""));
    const auto t = tables::runCommissionTotals(ctx, r);
    const fs::path out = output(a, ctx, tables::msg::kCommissionCsvName);
    const int status = written(t.read && tables::writeCommissionCsv(ctx, t, out), t.read, ctx, out, io);
    if (status == kOk)
        io.out << "commission\t" << fmt::decimal(t.commissions, 0, 0, false) << "\nfees\t"
               << fmt::decimal(t.fees, 0, 0, false) << "\ntotal\t" << fmt::decimal(t.total(), 0, 0, false) << '\n';
    return status;
}

int runExportBuyerTotals(const Args& a, Io& io) {
    ReadSessionFileSystem files;  // opens each file once for the whole command
    AppContext ctx(a.edition, fs::absolute(a.positional[0]), files);
    if (!load(ctx, io)) return kFailed;
    tables::BuyerRange r;
    if (!dates(a, ctx, r.from, r.to, io)) return kUsage;
    auto customer = intOr(a, "--customer", 0, io), buyer = intOr(a, "--buyer", -1, io),
         sort = intOr(a, "--sort", 1, io);
    if (!customer || !buyer || !sort) return kUsage;
    if (*sort < 1 || *sort > 7) {
        io.err << "rakurena: --sort takes 1 (date) to 7 (amount)\n";
        return kUsage;
    }
    r.customer = *customer;
    r.buyer = *buyer;
    r.sort = static_cast<tables::BuyerSort>(*sort);
    const auto t = tables::runBuyerTotals(ctx, r);
    const fs::path out = output(a, ctx, tables::msg::kBuyerCsvName);
    return written(t.read && tables::writeBuyerCsv(ctx, t, out), t.read, ctx, out, io);
}

const std::vector<Command>& reportCommands() {
    static const std::vector<Command> kCommands = {
        {"export name-search",
         "write 詳細Data.Csv of the name search totals: the lines of the matching slips",
         "usage: rakurena export name-search [--from MMDD] [--to MMDD] [--search TEXT]\n"
         "       [--match contains|starts|code] [-o FILE] PROGRAM_FOLDER\n"
         "Slips dated from..to whose customer name holds TEXT (contains, the default; empty: all),\n"
         "begins with it (starts), or whose customer number is TEXT (code). FILE defaults to\n"
         "詳細Data.Csv in PROGRAM_FOLDER.",
         {"--from", "--to", "--search", "--match", "-o"},
         {},
         runExportNameSearch},
        {"export order-totals",
         "write A集計.Csv of the order totals, by date and product or by product",
         "usage: rakurena export order-totals [--from MMDD] [--to MMDD] [--by date|product] [-o FILE]\n"
         "       PROGRAM_FOLDER\n"
         "The lines of the order slips (stage 0) dated from..to. FILE defaults to A集計.Csv in\n"
         "PROGRAM_FOLDER.",
         {"--from", "--to", "--by", "-o"},
         {},
         runExportOrderTotals},
        {"export commission-totals",
         "write 手数料.Csv of the commission totals and print the three sums",
         "usage: rakurena export commission-totals [--from MMDD] [--to MMDD] [--first-customer N]\n"
         "       [--last-customer N] [--search TEXT] [-o FILE] PROGRAM_FOLDER\n"
         "Commission and deductions of the processed and settled slips, remittance fees of the\n"
         "payments; TEXT narrows both to customer names that hold it. FILE defaults to 手数料.Csv.",
         {"--from", "--to", "--first-customer", "--last-customer", "--search", "-o"},
         {},
         runExportCommissionTotals},
        {"export buyer-totals",
         "write 買参集計.Csv of the buyer totals",
         "usage: rakurena export buyer-totals [--from MMDD] [--to MMDD] [--customer N] [--buyer N]\n"
         "       [--sort 1-7] [-o FILE] PROGRAM_FOLDER\n"
         "The lines of the processed and settled slips by buyer; sort 1 date, 2 buyer, 3 product,\n"
         "4 method-product-grades, 5 quantity, 6 unit price, 7 amount. FILE defaults to 買参集計.Csv.",
         {"--from", "--to", "--customer", "--buyer", "--sort", "-o"},
         {},
         runExportBuyerTotals},
    };
    return kCommands;
}

}  // namespace rk::cli
