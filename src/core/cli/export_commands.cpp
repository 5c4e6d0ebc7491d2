#include "cli/export_commands.h"

#include "masters/customer_csv.h"
#include "masters/messages.h"

namespace rk::cli {

int runExportCustomers(const Args& a, Io& io) {
    AppContext ctx(a.edition, fs::absolute(a.positional[0]));
    if (!loadInstallation(ctx, io) || !requireYearFiles(ctx, io, {kCustomers, kAccounts})) return kFailed;
    auto env = readEnvironment(ctx.files, ctx.fileSet[kAccounts], ctx.edition);
    if (!env) {
        io.err << msg::kAccountFileMissing << '\n';
        return kFailed;
    }
    normalise(*env, ctx.edition);
    fs::path out = a.get("-o").value_or((ctx.programFolder() / msg::kCustomerCsvName).string());
    if (!masters::exportCustomers(ctx.files, ctx.fileSet[kCustomers], env->customerCount, out)) {
        io.err << "rakurena: cannot write " << out.string() << " from " << ctx.fileSet[kCustomers].string() << '\n';
        return kFailed;
    }
    return kOk;
}

}  // namespace rk::cli
