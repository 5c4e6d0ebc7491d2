// Customer master operations beyond the plain record read: writing with its message, growth
// of the file to the customer count, the list lines, the group-area tidy, the commission.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/dialogs.h"
#include "masters/master_records.h"
#include "platform/file_system.h"
#include "platform/shared_write.h"

namespace rk::masters {

constexpr int kCustomerNameLimit = 29, kHonorificLimit = 5, kDepartmentLimit = 31, kPhoneLimit = 31;
constexpr int kAddressLimit = 39, kProducerCodeLimit = 29, kCustomerSearchLimit = 20;
constexpr int kMaxGroupMembers = 63;

// Writes customer n (1..) whole, under the lock of the file's folder and through the
// journal; shows the write-failure message with its reason when it cannot.
bool writeCustomer(FileSystem& fs, const fs::path& file, int n, const CustomerRecord& r, Dialogs& dialogs);

// Writes the fields of customer n the window changed (`before` as it read the record,
// `after` as edited) into the live record; the rest stays as other stations left it.
// `shown` gets the record as it is now on disk. Failures are shown with their reason.
WriteResult saveCustomerChanges(FileSystem& fs, const fs::path& file, int n, const CustomerRecord& before,
                                const CustomerRecord& after, Dialogs& dialogs, CustomerRecord* shown = nullptr);

// Shows the failure of a write (the message with the reason below it, or the busy message);
// nothing for a write that succeeded.
void showWriteFailure(const WriteResult& r, const char* text, Dialogs& dialogs);

// Makes room for customers 1..count: when the file holds c < count + 1 records it is extended
// to 2c + 64 records, the new ones blank (repeated until count fits). False when it cannot.
bool growCustomerFile(FileSystem& fs, const fs::path& file, int count);

// Customers 1..count in one read (index 0 is customer 0, blank); records past the end of the
// file are blank. Empty when the file cannot be read.
std::vector<CustomerRecord> readCustomers(FileSystem& fs, const fs::path& file, int count);

// "%4d  " + the name cut to 26 bytes (Shift-JIS), the line of the customer and member lists.
std::string customerListLine(int n, const CustomerRecord& r);

// The group area before a write: a link below -count becomes 0; a representative's slots
// from its member count onwards are zeroed.
void tidyGroupArea(CustomerRecord& r, int count);

// When the honorific field is entered: an empty, blank or symbol-led honorific becomes "御中".
bool presetHonorific(CustomerRecord& r);

// The name as Shift-JIS up to its NUL; blank when empty or only spaces in its first 20 bytes.
std::string_view customerName(const CustomerRecord& r);
bool blankCustomerName(const CustomerRecord& r);

// Customers 1..count whose name holds `sjisText` (whole characters, no case folding).
std::vector<int> searchCustomers(const std::vector<CustomerRecord>& all, std::string_view sjisText);

// The commission of a slip amount at the customer's rate: whole yen, the fraction rounded
// by the customer's method (0 up, 1 half up, 2 truncate; other values truncate).
double customerCommission(double amount, const CustomerRecord& r);

// The rounding-method names of the list, 0..2.
const char* roundingMethodLine(int method);

}  // namespace rk::masters
