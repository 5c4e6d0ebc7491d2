#include "masters/customer_csv.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/cp932.h"
#include "base/money.h"
#include "masters/customer_master.h"

namespace rk::masters {
namespace {

template <size_t N>
std::string_view raw(const char (&field)[N]) {
    return {field, cp932::fieldLength(field, N)};
}

long long wholeYen(double v) { return money::wholeYen(v); }  // a damaged amount is written as 0

}  // namespace

std::string customerCsvTitle() {
    return cp932::fromUtf8(
               "ｺｰﾄﾞ, 得意先名, 敬称, 部所名, 〒3-4, 〒７桁, 所在地, 電話番号, 生産者ｺｰﾄﾞ, 手料算法, 入出金科目, "
               "現在残高, "
               "期首残高, ﾒﾝﾊﾞｰ ") +
           "\r\n";
}

std::string customerCsvLine(int n, const CustomerRecord& r) {
    char buf[128];
    std::string line;
    std::snprintf(buf, sizeof buf, "%d, ", n);
    line += buf;
    line += raw(r.name);
    line += ',';
    line += raw(r.honorific);
    line += ',';
    line += raw(r.department);
    std::snprintf(buf, sizeof buf, "%3d-%4d", r.postalFirst, r.postalSecond);
    std::string postal = buf;
    std::replace(postal.begin(), postal.end(), ' ', '0');
    std::snprintf(buf, sizeof buf, ",%s,%7lld, ", postal.c_str(),
                  static_cast<long long>(r.postalSecond) + static_cast<long long>(r.postalFirst) * 10000);
    line += buf;
    line += raw(r.address);
    line += ',';
    line += raw(r.phone);
    line += ',';
    line += raw(r.producerCode);
    static const char* const kMethods[4] = {", 切り上げ, ", ", 四捨五入, ", ", 切り捨て, ", ", 未定義, "};
    line +=
        cp932::fromUtf8(kMethods[r.commissionRounding >= 0 && r.commissionRounding <= 2 ? r.commissionRounding : 3]);
    std::snprintf(buf, sizeof buf, " %d , %lld , %lld ,", r.paymentAccount, wholeYen(r.balance),
                  wholeYen(r.openingBalance));
    line += buf;
    if (r.groupLink < 0) {
        line += cp932::fromUtf8(" メンバー ");
    } else if (r.groupLink == 0) {
        line += cp932::fromUtf8(" 単独 ");
    } else {
        std::snprintf(buf, sizeof buf, " %d ", r.groupLink);
        line += buf;
    }
    return line + "\r\n";
}

std::string customerCsv(const std::vector<CustomerRecord>& all) {
    std::string out = customerCsvTitle();
    for (size_t n = 1; n < all.size(); ++n)
        if (!blankCustomerName(all[n])) out += customerCsvLine(static_cast<int>(n), all[n]);
    return out;
}

std::optional<std::string> customerCsv(FileSystem& fs, const fs::path& customerFile, int count) {
    auto all = readCustomers(fs, customerFile, count);
    if (all.empty()) return std::nullopt;
    return customerCsv(all);
}

bool exportCustomers(FileSystem& fs, const fs::path& customerFile, int count, const fs::path& out) {
    auto text = customerCsv(fs, customerFile, count);
    if (!text) return false;
    return fs.replaceWhole(out, std::as_bytes(std::span(text->data(), text->size())));
}

}  // namespace rk::masters
