// Arbitrary payment, slip header, line and customer files fed to the payment readers, the
// ledger with its check and the sales totals with their CSV files: damaged counts, slip
// numbers and amounts (NaN, infinities, huge) must be reported or skipped, never read out of
// bounds or cast into a number no field holds.
#include <cstdint>

#include "app/app_context.h"
#include "fuzz_input.h"
#include "payments/payment_file.h"
#include "tables/ledger.h"
#include "tables/sales_totals.h"

using namespace rk;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::MemoryFileSystem mem;
    AppContext ctx(Edition::Sales, fuzz::lockFolder(), mem);
    ctx.fileSet = buildFileSet(Edition::Sales, fuzz::lockFolder(), fuzz::lockFolder(), 2026, false);
    const FileSet& f = ctx.fileSet;
    fuzz::splitFiles(mem, {f[kPayments], f[kSlipHeaders], f[kSlipLines], f[kCustomers]}, data, size, 32);
    ctx.settings.businessYear = 2026;
    ctx.settings.firstMonth = size > 0 ? data[0] % 14 : 1;  // 0 and 13 come from damaged settings
    ctx.env.customerCount = 8;

    for (const PaymentRecord& p : payments::readPayments(mem, f[kPayments])) {
        (void)payments::settledSlips(p);
        (void)payments::listedMembers(p);
    }
    ScriptedDialogs d;
    // Each scan reads the files in blocks of megabytes: one ledger and one total per input.
    const tables::Ledger l = tables::runLedger(ctx, size > 1 ? 1 + data[1] % 8 : 1, d);
    (void)tables::ledgerLines(l, 101, 1231, ctx.settings.firstMonth);
    const tables::SalesTotals t = tables::runSalesTotals(ctx, 101, 1231);
    (void)tables::writeSalesTotalsCsv(ctx, t, tables::selectionOf(true, true), fuzz::lockFolder() / "out.Csv");
    return 0;
}
