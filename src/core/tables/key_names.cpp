#include "tables/key_names.h"

#include "base/cp932.h"
#include "masters/customer_master.h"
#include "masters/master_records.h"
#include "tables/messages.h"

namespace rk::tables {

namespace {

template <class T, class Name>
void fromFile(const AppContext& ctx, const fs::path& file, std::vector<std::string>& out, Name name) {
    auto all = ctx.files.readAll(file);
    if (!all) return;
    for (size_t n = 1; n < out.size() && (n + 1) * sizeof(T) <= all->size(); ++n) {
        const T r = recordFrom<T>(std::span<const std::byte>(*all).subspan(n * sizeof(T), sizeof(T)));
        out[n] = name(r);
    }
}

template <size_t N>
std::string field(const char (&f)[N]) {
    return std::string(f, cp932::fieldLength(f, N));
}

}  // namespace

std::string salesMethodName(Edition e, int code) {
    if (e == Edition::Sales) return code >= 1 && code <= 4 ? msg::kSalesMethods[code - 1] : std::string();
    static const char* const kDigits[10] = {"０", "１", "２", "３", "４", "５", "６", "７", "８", "９"};
    if (code < 1 || code > 13) return {};
    std::string s = "部門";
    if (code >= 10) s += kDigits[code / 10];
    return s + kDigits[code % 10];
}

std::vector<std::string> keyNames(const AppContext& ctx, Dimension d, int count) {
    std::vector<std::string> names(static_cast<size_t>(std::max(count, 1)));
    switch (d) {
        case kByCustomer: {
            auto all = masters::readCustomers(ctx.files, ctx.fileSet[kCustomers], count - 1);
            for (size_t n = 1; n < names.size() && n < all.size(); ++n)
                names[n] = std::string(masters::customerName(all[n]));
            if (names.size() > 99) names[99] = cp932::fromUtf8(msg::kUnknownCustomer);
            break;
        }
        case kByProduct:
            fromFile<ProductRecord>(ctx, ctx.fileSet[kProducts], names,
                                    [](const ProductRecord& r) { return field(r.name); });
            if (names.size() > 99) names[99] = cp932::fromUtf8(msg::kUnknownProduct);
            break;
        case kByGrade1:
            fromFile<GradeRecord>(ctx, ctx.fileSet[kGrades], names,
                                  [](const GradeRecord& r) { return field(r.grade1Name); });
            break;
        case kByGrade2:
            fromFile<GradeRecord>(ctx, ctx.fileSet[kGrades], names,
                                  [](const GradeRecord& r) { return field(r.grade2Name); });
            break;
        case kBySalesMethod:
            for (size_t n = 1; n < names.size() && n <= 13; ++n)
                names[n] = cp932::fromUtf8(salesMethodName(ctx.edition, static_cast<int>(n)));
            break;
        case kByRemark:
            break;
    }
    return names;
}

}  // namespace rk::tables
