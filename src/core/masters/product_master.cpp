#include "masters/product_master.h"

#include <algorithm>
#include <cstring>

#include "base/cp932.h"
#include "masters/master_io.h"

namespace rk::masters {

bool loadProductRow(FileSystem& fs, const fs::path& file, int n, ProductRecord& out) {
    if (!fs.exists(file) && !fs.createZeroed(file, uint64_t{kProductFileRecords} * sizeof(ProductRecord))) return false;
    ProductRecord r{};
    if (n >= 1 && !readRecord(fs, file, n, r)) return false;
    if (r.validity < 0 || r.validity > 999) r = ProductRecord{};
    clampProduct(r);
    out = r;
    return true;
}

bool copyFromRowAbove(FileSystem& fs, const fs::path& file, int n, ProductRecord& current) {
    ProductRecord above{};
    if (!loadProductRow(fs, file, std::max(n - 1, 1), above)) return false;
    std::memcpy(&above, &current, offsetof(ProductRecord, reserved46));
    current = above;
    return true;
}

std::vector<int> searchProducts(FileSystem& fs, const fs::path& file, std::string_view text) {
    std::vector<ProductRecord> all(kLastProduct + 1);
    std::span<std::byte> block(reinterpret_cast<std::byte*>(all.data()), all.size() * sizeof(ProductRecord));
    std::vector<int> found;
    if (!fs.readZeroFilled(file, 0, block)) return found;
    for (int n = 1; n <= kLastProduct; ++n) {
        const ProductRecord& r = all[static_cast<size_t>(n)];
        std::string_view name(r.name, cp932::fieldLength(r.name, sizeof r.name));
        if (cp932::findWhole(name, text) != std::string_view::npos) found.push_back(n);
    }
    return found;
}

const char* containerText(int type) {
    static const char* const kTexts[4] = {" －", " 箱", "ﾌﾗｺﾝ", "ﾄﾚｰ"};
    return kTexts[std::clamp(type, 0, 3)];
}

const char* decimalsText(int decimals) { return decimals > 0 ? "有" : "－"; }

const std::vector<const char*>& containerChoices() {
    static const std::vector<const char*> kList = {"0  －", "1 箱", "2 ﾌﾗｺﾝ", "3 ﾄﾚｰ"};
    return kList;
}

const std::vector<const char*>& decimalsChoices() {
    static const std::vector<const char*> kList = {"0 無し", "1 桁", "2 桁", "3 桁"};
    return kList;
}

}  // namespace rk::masters
