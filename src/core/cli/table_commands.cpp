#include "cli/table_commands.h"

#include "base/format.h"
#include "masters/messages.h"
#include "tables/key_names.h"
#include "tables/table_csv.h"

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
    AppContext ctx(a.edition, fs::absolute(a.positional[0]));
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
    if (!codeRange(a, range, io)) return kUsage;
    const tables::TableResult r = tables::runTable(ctx, *kind, range, {});
    const auto names = tables::keyNames(ctx, k.dimension, r.codeSlots);
    CliDialogs dialogs(io.err);
    if (!tables::writeTableCsv(ctx.files, fs::absolute(*a.get("-o")), r, names, dialogs)) {
        io.err << "rakurena: cannot write " << *a.get("-o") << '\n';
        return kFailed;
    }
    return kOk;
}

}  // namespace rk::cli
