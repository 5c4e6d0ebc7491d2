#include "masters/master_io.h"

#include <algorithm>
#include <cstring>

#include "base/cp932.h"

namespace rk::masters {

void readCustomer(FileSystem& fs, const fs::path& file, int n, CustomerRecord& buf) {
    if (n <= 0) {
        std::memset(buf.name, ' ', sizeof buf.name);
        return;
    }
    (void)readRecord(fs, file, n, buf);
}

void clampProduct(ProductRecord& r) {
    r.packingKind = std::clamp(r.packingKind, 0, 3);
    r.decimals = std::clamp(r.decimals, 0, 2);
}

void readProduct(FileSystem& fs, const fs::path& file, int n, ProductRecord& buf) {
    if (n <= 0) {
        std::memset(buf.name, ' ', 16);
        std::memset(reinterpret_cast<std::byte*>(&buf) + 140, 0, 40);
        return;
    }
    (void)readRecord(fs, file, n, buf);
    clampProduct(buf);
}

bool writeProduct(FileSystem& fs, const fs::path& file, int n, ProductRecord r) {
    clampProduct(r);
    return writeRecord(fs, file, n, r);
}

bool readAccountItem(FileSystem& fs, const fs::path& file, int code, AccountItemRecord& buf) {
    if (!fs.exists(file)) return false;
    if (code < kFirstAccountCode) {
        buf = {};
        std::memset(buf.name, ' ', 20);
        return true;
    }
    if (!readRecord(fs, file, code, buf)) return false;
    if (code == kProfitAccountCode) cp932::assign(buf.name, kProfitAccountName);
    return true;
}

}  // namespace rk::masters
