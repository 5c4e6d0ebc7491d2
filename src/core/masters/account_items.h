// The account-item master: items 100..599 of the account-item file, whose first 100 records
// belong to the environment blocks of the three editions.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "masters/master_records.h"
#include "platform/file_system.h"

namespace rk::masters {

constexpr int kLastAccountCode = 599;
constexpr int kAccountNameLimit = 20;    // bytes typed into a name
constexpr int kAccountNameCompare = 18;  // bytes two names are compared on

// 0 assets (100..199) .. 4 expenses (500..599); -1 outside the items.
constexpr int accountCategory(int code) { return code < 100 || code > 599 ? -1 : code / 100 - 1; }
// Whether the item keeps an opening balance (assets, liabilities, capital).
constexpr bool hasOpeningBalance(int code) { return code >= 100 && code <= 399; }

// Name of code `c` as Shift-JIS, cut at its NUL: 20 blanks below 100, the fixed name for 399.
// nullopt when the account-item file cannot be opened (the caller stops the application).
std::optional<std::string> accountName(FileSystem& fs, const fs::path& file, int code);

bool validAccountCode(int code);
// What a write stores of item `code`: the opening balance cut to whole yen, bytes 32..55
// zeroed for codes 400 and above.
void normaliseAccountItem(int code, AccountItemRecord& r);

// Writes item `code`: the opening balance cut to whole yen, bytes 32..55 zeroed for codes
// 400 and above. The mark stays what the file holds (it is toggled on its own), and codes
// outside 100..599 are never written: the environment blocks live below 100.
bool writeAccountItem(FileSystem& fs, const fs::path& file, int code, const AccountItemRecord& r);

// Flips the mark of item `code` in the file; returns the new state, nullopt on failure.
std::optional<bool> toggleAccountMark(FileSystem& fs, const fs::path& file, int code);

// Items 100..599 in one read; index 0 is code 100. Empty when the file cannot be read.
std::vector<AccountItemRecord> readAccountItems(FileSystem& fs, const fs::path& file);

struct AccountTotals {
    double debit = 0;   // opening balances of 100..199
    double credit = 0;  // of 200..399
    bool agree() const;
};
AccountTotals accountTotals(const std::vector<AccountItemRecord>& items);

// The duplicate-name reports after a name was entered. A pair reported once is not reported
// again until its names differ; at most three reports per check.
class DuplicateNameCheck {
public:
    // Texts (UTF-8) to show for `code`, whose stored name the items hold already.
    std::vector<std::string> check(int code, const std::vector<AccountItemRecord>& items);

private:
    std::set<std::pair<int, int>> reported_;
};

// The standard names of a category 0..4 (UTF-8), ending with an empty entry.
const std::vector<const char*>& standardAccountNames(int category);

}  // namespace rk::masters
