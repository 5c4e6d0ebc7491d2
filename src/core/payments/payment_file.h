// Reading the payment file: record 0 is an all-zero header, payments follow from 1.
#pragma once

#include <vector>

#include "payments/payment_record.h"
#include "platform/file_system.h"

namespace rk::payments {

constexpr uint64_t kPaymentSize = sizeof(PaymentRecord);
constexpr int kMaxSettledSlips = 254;  // slots 1..254 of the slip list
constexpr int kMaxMembers = 63;

// Payment n (1..); false when n is outside the file or the file cannot be read.
bool readPayment(FileSystem& fs, const fs::path& file, int n, PaymentRecord& out);
// Every record of the file in one read, record 0 included (empty when unreadable).
std::vector<PaymentRecord> readPayments(FileSystem& fs, const fs::path& file);

// The slip numbers a record lists (elements 1..n, n clamped to the list).
std::vector<int32_t> settledSlips(const PaymentRecord& p);
// The member numbers a record lists (count clamped to 63).
std::vector<int32_t> listedMembers(const PaymentRecord& p);

// An empty record: slip list -1, everything else zero.
PaymentRecord blankPayment();

}  // namespace rk::payments
