#include "cli/export_commands.h"

#include "masters/customer_csv.h"
#include "masters/messages.h"
#include "printing/master_print.h"

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

int runExportMasters(const Args& a, Io& io) {
    AppContext ctx(a.edition, fs::absolute(a.positional[0]));
    if (!loadInstallation(ctx, io) || !requireYearFiles(ctx, io, {kCustomers, kProducts, kGrades, kAccounts, kRemarks}))
        return kFailed;
    auto env = readEnvironment(ctx.files, ctx.fileSet[kAccounts], ctx.edition);
    if (!env) {
        io.err << msg::kAccountFileMissing << '\n';
        return kFailed;
    }
    normalise(*env, ctx.edition);
    ctx.env = *env;
    printing::MasterSelection sel;
    const std::string kind = a.get("--kind").value_or("customers");
    static const char* const kKinds[printing::kMasterLists] = {"customers", "products", "grades", "accounts",
                                                               "remarks"};
    int k = 0;
    while (k < printing::kMasterLists && kind != kKinds[k]) ++k;
    if (k == printing::kMasterLists) {
        io.err << "rakurena export masters: --kind is one of customers, products, grades, accounts, remarks\n";
        return kUsage;
    }
    sel.kind = static_cast<printing::MasterList>(k);
    sel.from = printing::firstCode(sel.kind);
    sel.to = printing::lastCode(sel.kind, ctx);
    for (auto [name, target] : {std::pair{"--from", &sel.from}, std::pair{"--to", &sel.to}}) {
        if (!a.has(name)) continue;
        auto v = intOption(a, name, io);
        if (!v) return kUsage;
        *target = *v;
    }
    const printing::MasterTable table = printing::loadMasterTable(ctx, sel);
    if (!table.ok || !printing::writeMasterCsv(ctx, table)) {
        io.err << "rakurena: cannot write " << (ctx.programFolder() / printing::kMasterCsvFile).string() << '\n';
        return kFailed;
    }
    return kOk;
}

}  // namespace rk::cli
