// Arbitrary customer, product and account-item files fed to every reader of the masters:
// the lists, the search, the CSV export, the group table with its close checks and write
// back, the account totals and the duplicate-name check. Nothing may read out of bounds,
// cast a damaged amount or write outside the customers' records.
#include <cstdint>

#include "app/environment_block.h"
#include "app/file_set.h"
#include "base/dialogs.h"
#include "fuzz_input.h"
#include "masters/account_items.h"
#include "masters/customer_csv.h"
#include "masters/customer_groups.h"
#include "masters/customer_master.h"
#include "masters/master_io.h"

using namespace rk;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::MemoryFileSystem mem;
    const FileSet f = buildFileSet(Edition::Sales, fuzz::lockFolder(), fuzz::lockFolder(), 2026, false);
    fuzz::splitFiles(mem, {f[kCustomers], f[kProducts], f[kAccounts]}, data, size, 16);
    // A customer count of the file's own.
    const int count = static_cast<int>(std::min<uint64_t>(mem.files[f[kCustomers]].size() / 480, 64));

    auto all = masters::readCustomers(mem, f[kCustomers], count);
    if (!all.empty()) {
        (void)masters::searchCustomers(all, "\x89\xd4");
        for (size_t n = 1; n < all.size(); ++n) {
            (void)masters::customerListLine(static_cast<int>(n), all[n]);
            (void)masters::customerCommission(123456.0, all[n]);
        }
        (void)masters::customerCsv(all);

        masters::CustomerGroupTable groups(std::max(count, 1));
        for (int n = 1; n <= count; ++n) groups.load(n, all[static_cast<size_t>(n)]);
        ScriptedDialogs d;
        groups.checkAtClose(d);
        for (int n = 1; n <= count; ++n) (void)groups.members(n);
        const uint64_t before = mem.files[f[kCustomers]].size();
        if (groups.writeBack(mem, f[kCustomers]).ok() &&
            mem.files[f[kCustomers]].size() > std::max<uint64_t>(before, (count + 1) * 480ull))
            std::abort();
    }

    ProductRecord p{};
    for (int n = 1; n <= 4; ++n) masters::readProduct(mem, f[kProducts], n, p);

    auto items = masters::readAccountItems(mem, f[kAccounts]);
    if (!items.empty()) {
        (void)masters::accountTotals(items);
        masters::DuplicateNameCheck check;
        for (int code : {100, 110, 399, 599}) (void)check.check(code, items);
    }
    for (int code : {99, 100, 399, 600}) (void)masters::accountName(mem, f[kAccounts], code);
    (void)readEnvironment(mem, f[kAccounts], Edition::Sales);
    return 0;
}
