#include "payments/payment_file.h"

#include <algorithm>
#include <cstring>

namespace rk::payments {

bool readPayment(FileSystem& fs, const fs::path& file, int n, PaymentRecord& out) {
    if (n < 1) return false;
    PaymentRecord r{};
    auto got = fs.read(file, static_cast<uint64_t>(n) * kPaymentSize, bytesOf(r));
    if (!got || *got != kPaymentSize) return false;
    out = r;
    return true;
}

std::vector<PaymentRecord> readPayments(FileSystem& fs, const fs::path& file) {
    std::vector<PaymentRecord> out(fs.size(file).value_or(0) / kPaymentSize);
    if (out.empty()) return out;
    std::span<std::byte> bytes(reinterpret_cast<std::byte*>(out.data()), out.size() * kPaymentSize);
    auto got = fs.read(file, 0, bytes);
    out.resize(got ? *got / kPaymentSize : 0);
    return out;
}

std::vector<int32_t> settledSlips(const PaymentRecord& p) {
    const int n = std::clamp(p.slipCount, 0, 255);
    return std::vector<int32_t>(p.slips + 1, p.slips + 1 + n);
}

std::vector<int32_t> listedMembers(const PaymentRecord& p) {
    const int m = std::clamp(p.memberCount, 0, kMaxMembers);
    return std::vector<int32_t>(p.members, p.members + m);
}

PaymentRecord blankPayment() {
    PaymentRecord p{};
    std::fill(std::begin(p.slips), std::end(p.slips), -1);
    return p;
}

}  // namespace rk::payments
