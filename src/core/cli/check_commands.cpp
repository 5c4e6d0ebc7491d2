#include "cli/check_commands.h"

#include "maintenance/check_messages.h"
#include "maintenance/text_export.h"
#include "maintenance/year_check.h"
#include "masters/messages.h"

namespace rk::cli {

namespace {

// The settings, the year's file set and the customer count, nothing created or changed.
bool openYear(AppContext& ctx, Io& io) {
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

}  // namespace

int runCheck(const Args& a, Io& io) {
    AppContext ctx(a.edition, fs::absolute(a.positional[0]));
    if (!openYear(ctx, io)) return kFailed;
    const auto findings = maintenance::checkYear(ctx);
    for (const auto& f : findings) io.out << f.text << '\n';
    return findings.empty() ? kOk : kFailed;
}

int runExportText(const Args& a, Io& io) {
    AppContext ctx(a.edition, fs::absolute(a.positional[0]));
    if (!openYear(ctx, io)) return kFailed;
    const fs::path out = a.get("-o").value_or((ctx.programFolder() / msg::kTextFileName).string());
    if (!maintenance::writeTextData(ctx, out)) {
        io.err << "rakurena: cannot write " << out.string() << " from the slip files of "
               << ctx.fileSet.dataFolder.string() << '\n';
        return kFailed;
    }
    return kOk;
}

}  // namespace rk::cli
