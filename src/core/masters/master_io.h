// Record-level reads and writes of the masters, one record per call, opening the file each
// time. The reads fill a caller's buffer the way every slip and list window expects.
#pragma once

#include "masters/master_records.h"
#include "platform/file_system.h"

namespace rk::masters {

// Record n into `out`; bytes past the end of the file read as zero. False when the file
// cannot be read or n is below 1 (nothing is read then).
template <Record T>
bool readRecord(FileSystem& fs, const fs::path& file, int64_t n, T& out) {
    if (n < 1) return false;
    T r{};
    if (!fs.readZeroFilled(file, static_cast<uint64_t>(n) * sizeof(T), bytesOf(r))) return false;
    out = r;
    return true;
}

// Writes record n in place (the file is not truncated). False unless every byte was written.
template <Record T>
bool writeRecord(FileSystem& fs, const fs::path& file, int64_t n, const T& r) {
    return n >= 1 && fs.write(file, static_cast<uint64_t>(n) * sizeof(T), bytesOf(r));
}

// Customer n; for n <= 0 only the name becomes 32 blanks.
void readCustomer(FileSystem& fs, const fs::path& file, int n, CustomerRecord& buf);

// Product n with its packing kind clamped to 0..3 and its decimals to 0..2; for n <= 0 the
// name becomes blanks and the account and packing words (bytes 140..179) zero.
void readProduct(FileSystem& fs, const fs::path& file, int n, ProductRecord& buf);
bool writeProduct(FileSystem& fs, const fs::path& file, int n, ProductRecord r);
void clampProduct(ProductRecord& r);

// Account item `code`: codes below 100 give a name of 20 blanks and 399 its fixed name.
// False when the account-item file cannot be opened.
bool readAccountItem(FileSystem& fs, const fs::path& file, int code, AccountItemRecord& buf);

inline constexpr const char* kProfitAccountName = "累積未処分利益      ";

}  // namespace rk::masters
