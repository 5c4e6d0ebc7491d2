#include "cli/table_commands.h"

#include <iostream>
#include <sstream>

#include "base/format.h"
#include "masters/messages.h"
#include "platform/read_session_file_system.h"
#include "tables/bulk_totals.h"
#include "tables/key_names.h"
#include "tables/ledger.h"
#include "tables/messages.h"
#include "tables/sales_totals.h"
#include "tables/table_csv.h"

namespace rk::cli {

namespace {

// Settings, file set and environment block of PROGRAM_FOLDER.
bool load(AppContext& ctx, Io& io) {
    if (!loadInstallation(ctx, io)) return false;
    if (!requireYearFiles(ctx, io, {kSlipHeaders, kSlipLines, kCustomers})) return false;
    auto env = readEnvironment(ctx.files, ctx.fileSet[kAccounts], ctx.edition);
    if (!env) {
        io.err << msg::kAccountFileMissing << '\n';
        return false;
    }
    normalise(*env, ctx.edition);
    ctx.env = *env;
    return true;
}

// A date option: 1..12 is a whole month (`kind` says which end), else MMDD.
bool dateOption(const Args& a, const std::string& name, int kind, int& out, Io& io) {
    if (!a.has(name)) return true;
    auto v = intOption(a, name, io);
    if (!v) return false;
    out = monthday::normalise(*v, kind);
    return true;
}

bool codeRange(const Args& a, tables::TableRange& r, Io& io) {
    for (auto [name, field] : {std::pair{"--start-code", &r.startCode}, std::pair{"--end-code", &r.endCode}}) {
        if (!a.has(name)) continue;
        auto v = intOption(a, name, io);
        if (!v) return false;
        *field = *v;
    }
    return true;
}

// "product:10,0,0,0,0,20;remark:5": rows 1..6 of the named dimensions.
bool conditionsOption(const Args& a, tables::ConditionSet& c, Io& io) {
    if (!a.has("--where")) return true;
    static const char* const kNames[tables::kDimensions] = {"customer", "method", "product",
                                                            "grade1",   "grade2", "remark"};
    std::stringstream all(*a.get("--where"));
    std::string part;
    while (std::getline(all, part, ';')) {
        const size_t colon = part.find(':');
        int d = 0;
        for (int i = 0; i < tables::kDimensions; ++i)
            if (part.substr(0, colon) == kNames[i]) d = i + 1;
        if (colon == std::string::npos || d == 0) {
            io.err << "rakurena: --where takes DIMENSION:ROW1,...,ROW6 separated by ';' (dimensions customer, method,\n"
                      "product, grade1, grade2, remark), not '"
                   << part << "'\n";
            return false;
        }
        std::stringstream rows(part.substr(colon + 1));
        std::string row;
        auto& dest = c.of(static_cast<tables::Dimension>(d));
        for (size_t i = 0; std::getline(rows, row, ',') && i < dest.size(); ++i) dest[i] = std::atoi(row.c_str());
    }
    return true;
}

// --from/--to of the date-range windows (defaults: the business year).
bool dateRange(const Args& a, const AppContext& ctx, int& from, int& to, Io& io) {
    from = tables::defaultStartDate(ctx.settings.firstMonth);
    to = tables::defaultEndDate(ctx.settings.firstMonth);
    return dateOption(a, "--from", monthday::kFirstDay, from, io) && dateOption(a, "--to", monthday::kLastDay, to, io);
}

}  // namespace

int runExportTable(const Args& a, Io& io) {
    auto kind = intOption(a, "--kind", io);
    if (!kind || *kind < 1 || *kind > tables::kTableKinds) {
        io.err << "rakurena: --kind needs a table kind 1 to 12\n";
        return kUsage;
    }
    if (!a.has("-o")) {
        io.err << "rakurena: -o FILE is needed\n";
        return kUsage;
    }
    ReadSessionFileSystem files;  // opens each file once for the whole command
    AppContext ctx(a.edition, fs::absolute(a.positional[0]), files);
    if (!load(ctx, io)) return kFailed;
    const tables::TableKind& k = tables::tableKind(*kind);
    tables::TableRange range = tables::defaultRange(*kind, ctx);
    if (k.month) {
        if (a.has("--years")) {
            auto years = intOption(a, "--years", io);
            if (!years || *years < 1) return kUsage;
            range.from = range.to - *years + 1;
        }
    } else if (!dateOption(a, "--from", monthday::kFirstDay, range.from, io) ||
               !dateOption(a, "--to", monthday::kLastDay, range.to, io)) {
        return kUsage;
    }
    tables::ConditionSet conditions;
    if (!codeRange(a, range, io) || !conditionsOption(a, conditions, io)) return kUsage;
    const tables::TableResult r = tables::runTable(ctx, *kind, range, conditions);
    const auto names = tables::keyNames(ctx, k.dimension, r.codeSlots);
    CliDialogs dialogs(io.err);
    if (!tables::writeTableCsv(ctx.files, fs::absolute(*a.get("-o")), r, names, dialogs)) {
        io.err << "rakurena: cannot write " << *a.get("-o") << '\n';
        return kFailed;
    }
    return kOk;
}

int runExportSalesTotals(const Args& a, Io& io) {
    ReadSessionFileSystem files;  // opens each file once for the whole command
    AppContext ctx(a.edition, fs::absolute(a.positional[0]), files);
    if (!load(ctx, io)) return kFailed;
    int from = 0, to = 0;
    if (!dateRange(a, ctx, from, to, io)) return kUsage;
    const std::string slips = a.get("--slips").value_or("all");
    if (slips != "all" && slips != "processed" && slips != "settled") {
        io.err << "rakurena: --slips takes all, processed or settled\n";
        return kUsage;
    }
    const auto selection = tables::selectionOf(slips != "settled", slips != "processed");
    const tables::SalesTotals t = tables::runSalesTotals(ctx, from, to);
    const fs::path out =
        fs::absolute(a.get("-o").value_or((ctx.programFolder() / tables::msg::kSalesTotalsCsvName).string()));
    if (!tables::writeSalesTotalsCsv(ctx, t, selection, out)) {
        io.err << "rakurena: cannot write " << out.string() << '\n';
        return kFailed;
    }
    if (a.has("--account-codes") &&
        !tables::writeAccountCodeFiles(ctx, from, to, fs::absolute(*a.get("--account-codes")))) {
        io.err << "rakurena: cannot write the account-code files into " << *a.get("--account-codes") << '\n';
        return kFailed;
    }
    return kOk;
}

int runExportBulk(const Args& a, Io& io) {
    ReadSessionFileSystem files;  // opens each file once for the whole command
    AppContext ctx(a.edition, fs::absolute(a.positional[0]), files);
    if (!load(ctx, io)) return kFailed;
    int from = 0, to = 0;
    tables::ConditionSet conditions;
    if (!dateRange(a, ctx, from, to, io) || !conditionsOption(a, conditions, io)) return kUsage;
    tables::StageSelection stages{true, true, true, true};
    if (a.has("--stages")) {
        stages = {};
        const std::string list = *a.get("--stages");
        for (char c : list) {
            if (c >= '1' && c <= '4')
                stages[static_cast<size_t>(c - '1')] = true;
            else if (c != ',') {
                io.err << "rakurena: --stages lists 1 (orders) to 4 (settled), e.g. 3,4\n";
                return kUsage;
            }
        }
        if (stages == tables::StageSelection{}) return kUsage;
    }
    const tables::BulkTotals t = tables::runBulkTotals(ctx, from, to, conditions);
    const fs::path out = fs::absolute(a.get("-o").value_or((ctx.programFolder() / tables::msg::kBulkCsvName).string()));
    if (!tables::writeBulkCsv(ctx, t, stages, out)) {
        io.err << "rakurena: cannot write " << out.string() << '\n';
        return kFailed;
    }
    return kOk;
}

int runLedger(const Args& a, Io& io) {
    auto customer = intOption(a, "--customer", io);
    if (!customer) {
        io.err << "rakurena: --customer N is needed\n";
        return kUsage;
    }
    ReadSessionFileSystem files;  // opens each file once for the whole command
    AppContext ctx(a.edition, fs::absolute(a.positional[0]), files);
    if (!load(ctx, io)) return kFailed;
    if (*customer < 1 || *customer > ctx.env.customerCount) {
        io.err << "rakurena: no customer " << *customer << '\n';
        return kFailed;
    }
    int from = 0, to = 0;
    if (!dateRange(a, ctx, from, to, io)) return kUsage;
    if (!requireYearFiles(ctx, io, {kPayments})) return kFailed;
    CliDialogs dialogs(io.err);
    const tables::Ledger l = tables::runLedger(ctx, *customer, dialogs);
    if (!l.complete) {
        io.err << "rakurena: the year's files could not be read whole: " << lastFileError().describe() << '\n';
        return kFailed;
    }
    io.out << "customer\t" << l.customer << '\t' << l.name << "\nopening\t" << fmt::decimal(l.opening, 0, 0, false)
           << "\nstored\t" << fmt::decimal(l.stored, 0, 0, false) << "\ncomputed\t"
           << fmt::decimal(l.computed(), 0, 0, false) << '\n';
    for (const std::string& line : tables::ledgerLines(l, from, to, ctx.settings.firstMonth)) io.out << line << '\n';
    if (a.has("--correct")) {
        struct Yes : CliDialogs {
            using CliDialogs::CliDialogs;
            Answer ask(std::string_view text, Buttons b, Answer, Icon i) override {
                return CliDialogs::ask(text, b, Answer::Yes, i);
            }
        } yes(io.err);
        if (tables::offerCorrection(ctx, l, yes) == tables::Correction::Failed) return kFailed;
    }
    return kOk;
}

}  // namespace rk::cli
