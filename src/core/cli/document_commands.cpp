#include "cli/document_commands.h"

#include "base/format.h"
#include "base/money.h"
#include "masters/messages.h"
#include "printing/document_archive.h"
#include "tables/aging.h"
#include "tables/aging_messages.h"

namespace rk::cli {

namespace {

// A YYYYMMDD option; nullopt (with the reason on stderr) when it is not a date.
std::optional<int32_t> fullDate(const Args& a, const std::string& name, Io& io) {
    auto v = intOption(a, name, io);
    if (!v) return std::nullopt;
    const int month = *v / 100 % 100, day = *v % 100;
    if (*v < 10000101 || month < 1 || month > 12 || day < 1 || day > monthday::monthLength(month)) {
        io.err << "rakurena: " << name << " takes a date YYYYMMDD\n";
        return std::nullopt;
    }
    return *v;
}

std::optional<int64_t> amountOption(const Args& a, const std::string& name, Io& io) {
    const std::string text = a.get(name).value_or("");
    try {
        size_t used = 0;
        const long long v = std::stoll(text, &used);
        if (used == text.size()) return v;
    } catch (...) {
    }
    io.err << "rakurena: " << name << " needs an amount in yen, not '" << text << "'\n";
    return std::nullopt;
}

// "A-B" or "A".
bool customerRange(const std::string& text, int& first, int& last) {
    const size_t dash = text.find('-');
    try {
        first = std::stoi(text.substr(0, dash));
        last = dash == std::string::npos ? first : std::stoi(text.substr(dash + 1));
    } catch (...) {
        return false;
    }
    return first >= 1 && last >= first;
}

bool loadYear(AppContext& ctx, Io& io) {
    if (!loadInstallation(ctx, io)) return false;
    if (!requireYearFiles(ctx, io, {kSlipHeaders, kSlipLines, kCustomers, kPayments})) return false;
    auto env = readEnvironment(ctx.files, ctx.fileSet[kAccounts], ctx.edition);
    if (!env) {
        io.err << msg::kAccountFileMissing << '\n';
        return false;
    }
    normalise(*env, ctx.edition);
    ctx.env = *env;
    return true;
}

}  // namespace

int runArchiveSearch(const Args& a, Io& io) {
    printing::ArchiveQuery q;
    if (a.has("--customer")) {
        auto c = intOption(a, "--customer", io);
        if (!c) return kUsage;
        q.customer = *c;
    }
    for (auto [name, field] : {std::pair{"--from", &q.from}, std::pair{"--to", &q.to}}) {
        if (!a.has(name)) continue;
        auto d = fullDate(a, name, io);
        if (!d) return kUsage;
        *field = *d;
    }
    for (auto [name, field] : {std::pair{"--min", &q.minAmount}, std::pair{"--max", &q.maxAmount}}) {
        if (!a.has(name)) continue;
        auto v = amountOption(a, name, io);
        if (!v) return kUsage;
        *field = *v;
    }
    if (a.has("--kind")) {
        q.kind = printing::kindFromKey(*a.get("--kind"));
        if (!q.kind) {
            io.err << "rakurena archive search: --kind takes bill, delivery or receipt\n";
            return kUsage;
        }
    }
    AppContext ctx(a.edition, fs::absolute(a.positional[0]));
    if (!loadInstallation(ctx, io)) return kFailed;
    const fs::path folder = printing::archiveFolder(ctx);
    const auto index = printing::readArchiveIndex(ctx.files, folder);
    if (!index) {
        io.err << "rakurena: the archive index cannot be read: " << lastFileError().describe() << '\n';
        return kFailed;
    }
    for (const auto& d : printing::searchArchive(*index, q)) io.out << printing::indexLine(d) << '\n';
    return kOk;
}

int runArchiveVerify(const Args& a, Io& io) {
    AppContext ctx(a.edition, fs::absolute(a.positional[0]));
    if (!loadInstallation(ctx, io)) return kFailed;
    const fs::path folder = printing::archiveFolder(ctx);
    const printing::ArchiveCheck check = printing::verifyArchive(ctx.files, folder);
    if (!check.readable) {
        io.err << "rakurena: the archive index cannot be read: " << lastFileError().describe() << '\n';
        return kFailed;
    }
    for (const auto& f : check.findings) {
        using K = printing::ArchiveFinding::Kind;
        io.out << (f.kind == K::Missing   ? "missing"
                   : f.kind == K::Changed ? "changed"
                                          : "unindexed")
               << '\t' << f.file << '\n';
    }
    io.out << check.checked << " documents checked, " << check.findings.size() << " findings\n";
    return check.findings.empty() ? kOk : kFailed;
}

int runAging(const Args& a, Io& io) {
    auto asOf = intOption(a, "--as-of", io);
    if (!asOf) {
        if (!a.has("--as-of")) io.err << "rakurena aging: --as-of MMDD is needed\n";
        return kUsage;
    }
    if (*asOf < 101 || *asOf > 1231) {
        io.err << "rakurena aging: --as-of takes a date MMDD\n";
        return kUsage;
    }
    AppContext ctx(a.edition, fs::absolute(a.positional[0]));
    if (!loadYear(ctx, io)) return kFailed;
    int first = 1, last = ctx.env.customerCount;
    if (a.has("--customers") && !customerRange(*a.get("--customers"), first, last)) {
        io.err << "rakurena aging: --customers takes A-B or A\n";
        return kUsage;
    }
    const tables::Aging aging = tables::runAging(ctx, monthday::normalise(*asOf, monthday::kFirstDay), first, last);
    if (!aging.complete) {
        io.err << tables::msg::kAgingUnreadable << '\n' << lastFileError().describe() << '\n';
        return kFailed;
    }
    auto yen = [](double v) { return std::to_string(static_cast<int64_t>(money::yen(v))); };
    io.out << "customer\tname\tprevious\t0-30\t31-60\t61-90\tover90\ttotal\tledger\tcheck\n";
    for (const tables::AgingRow& r : aging.rows) {
        io.out << r.customer << '\t' << r.name << '\t' << yen(r.previous);
        for (double b : r.buckets) io.out << '\t' << yen(b);
        io.out << '\t' << yen(r.total()) << '\t' << yen(r.ledger) << '\t' << (r.reconciled() ? "agrees" : "differs")
               << '\n';
    }
    const tables::AgingRow& t = aging.totals;
    io.out << "total\t\t" << yen(t.previous);
    for (double b : t.buckets) io.out << '\t' << yen(b);
    io.out << '\t' << yen(t.total()) << '\t' << yen(t.ledger) << '\t' << '\n';
    if (a.has("--csv")) {
        if (!tables::writeAgingCsv(ctx, aging)) {
            io.err << tables::msg::kAgingCsvFailed << '\n' << lastFileError().describe() << '\n';
            return kFailed;
        }
    }
    return kOk;
}

const std::vector<Command>& documentCommands() {
    static const std::vector<Command> kCommands = {
        {"archive search",
         "list the archived bills, delivery notes and receipts that match",
         "usage: rakurena archive search [--customer N] [--from YYYYMMDD] [--to YYYYMMDD] [--min A] [--max A]\n"
         "                               [--kind bill|delivery|receipt] PROGRAM_FOLDER\n"
         "Every printed or faxed document is kept as a PDF in the archive folder beside the data\n"
         "(FArchive, SArchive). Keys combine; ranges are inclusive. Tab-separated, in the order they\n"
         "were issued: date, kind, customer, amount, file, SHA-256.",
         {"--customer", "--from", "--to", "--min", "--max", "--kind"},
         {},
         runArchiveSearch},
        {"archive verify",
         "hash every archived document again and report changed, missing and unindexed files",
         "usage: rakurena archive verify PROGRAM_FOLDER\n"
         "One line per finding (changed, missing or unindexed, then the file); exit 1 when any.",
         {},
         {},
         runArchiveVerify},
        {"aging",
         "list each customer's unsettled processed slips by age, with its balance checked against the ledger",
         "usage: rakurena aging --as-of MMDD [--customers A-B] [--csv] PROGRAM_FOLDER\n"
         "Tab-separated per customer: previous balance, slips up to 30, 31-60, 61-90 and over 90 days\n"
         "before the as-of date, the total (previous balance plus the slips), the balance the ledger\n"
         "computes and whether the two agree. --csv also writes 売掛年齢表.Csv (Shift-JIS) into\n"
         "PROGRAM_FOLDER, as the window's ﾃｷｽﾄｱｳﾄ does.",
         {"--as-of", "--customers"},
         {"--csv"},
         runAging},
    };
    return kCommands;
}

}  // namespace rk::cli
