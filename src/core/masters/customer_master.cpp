#include "masters/customer_master.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "app/messages.h"
#include "base/cp932.h"
#include "base/money.h"
#include "masters/master_fields.h"
#include "masters/master_io.h"
#include "masters/messages.h"

namespace rk::masters {

void showWriteFailure(const WriteResult& r, const char* text, Dialogs& dialogs) {
    if (r.ok()) return;
    if (r.status == WriteStatus::Busy && r.error.empty())
        dialogs.message(rk::msg::kDataBusy, Icon::Stop);
    else
        dialogs.message(r.message(text), Icon::Stop);
}

bool writeCustomer(FileSystem& fs, const fs::path& file, int n, const CustomerRecord& r, Dialogs& dialogs) {
    WriteResult result{WriteStatus::Failed, {}};
    if (n >= 1)
        result = updateRecord<CustomerRecord>(fs, file.parent_path(), file, n, [&](CustomerRecord& live) { live = r; });
    showWriteFailure(result, msg::kCustomerWriteFailed, dialogs);
    return result.ok();
}

WriteResult saveCustomerChanges(FileSystem& fs, const fs::path& file, int n, const CustomerRecord& before,
                                const CustomerRecord& after, Dialogs& dialogs, CustomerRecord* shown) {
    WriteResult result{WriteStatus::Failed, {}};
    if (n >= 1) result = writeChangedFields(fs, file.parent_path(), file, n, before, after, kCustomerFields, shown);
    showWriteFailure(result, msg::kCustomerWriteFailed, dialogs);
    return result;
}

bool growCustomerFile(FileSystem& fs, const fs::path& file, int count) {
    constexpr uint64_t size = sizeof(CustomerRecord);
    auto length = fs.size(file);
    if (!length) return false;
    if (*length / size >= static_cast<uint64_t>(count) + 1) return true;
    SharedWrite w(fs, file.parent_path());
    if (!w.ready()) return false;
    length = fs.size(file);  // another station may have grown it meanwhile
    if (!length) return false;
    uint64_t c = *length / size;
    while (c < static_cast<uint64_t>(count) + 1) {
        // Blank records c .. 2c+63: writing the last 64 leaves the gap before them zero.
        std::vector<std::byte> blank(64 * size);
        w.transaction().write(file, 2 * c * size, blank);
        c = 2 * c + 64;
    }
    return w.commit().ok();
}

std::vector<CustomerRecord> readCustomers(FileSystem& fs, const fs::path& file, int count) {
    std::vector<CustomerRecord> all(static_cast<size_t>(std::max(count, 0)) + 1);
    std::span<std::byte> block(reinterpret_cast<std::byte*>(all.data()), all.size() * sizeof(CustomerRecord));
    if (!fs.readZeroFilled(file, 0, block)) return {};
    all[0] = CustomerRecord{};
    return all;
}

std::string customerListLine(int n, const CustomerRecord& r) {
    char head[16];
    std::snprintf(head, sizeof head, "%4d  ", n);
    std::string_view name = customerName(r);
    return head + std::string(name.substr(0, cp932::cutAtCharBoundary(name, 26)));
}

void tidyGroupArea(CustomerRecord& r, int count) {
    if (r.groupLink < -count) r.groupLink = 0;
    if (r.groupLink >= 1 && r.groupLink < kMaxGroupMembers)
        std::fill(std::begin(r.members) + r.groupLink, std::end(r.members), 0);
}

bool presetHonorific(CustomerRecord& r) {
    unsigned char first = static_cast<unsigned char>(r.honorific[0]);
    if (first != 0 && first != ' ' && first != 0x81) return false;
    cp932::assign(r.honorific, "御中");
    return true;
}

std::string_view customerName(const CustomerRecord& r) { return {r.name, cp932::fieldLength(r.name, sizeof r.name)}; }

bool blankCustomerName(const CustomerRecord& r) {
    std::string_view name = customerName(r).substr(0, 20);
    return name.find_first_not_of(' ') == std::string_view::npos;
}

std::vector<int> searchCustomers(const std::vector<CustomerRecord>& all, std::string_view text) {
    std::vector<int> found;
    for (size_t n = 1; n < all.size(); ++n)
        if (cp932::findWhole(customerName(all[n]), text) != std::string_view::npos)
            found.push_back(static_cast<int>(n));
    return found;
}

double customerCommission(double amount, const CustomerRecord& r) {
    money::Rounding method = r.commissionRounding == 0   ? money::Rounding::Up
                             : r.commissionRounding == 1 ? money::Rounding::HalfUp
                                                         : money::Rounding::Truncate;
    return money::percent(amount, r.commissionRate, method);
}

const char* roundingMethodLine(int method) {
    static const char* const kLines[3] = {" １. 切り上げ", " ２. 四捨五入", " ３. 切り捨て"};
    return kLines[std::clamp(method, 0, 2)];
}

}  // namespace rk::masters
