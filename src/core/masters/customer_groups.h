// The group data of every customer while the customer master window is open: per customer
// the group link and 63 member slots, the same shape as record bytes 224..479. The table,
// not the file, is the truth until it is written back at close.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "base/dialogs.h"
#include "masters/master_records.h"
#include "platform/file_system.h"
#include "platform/shared_write.h"

namespace rk::masters {

class CustomerGroupTable {
public:
    using Entry = std::array<int32_t, 64>;  // [0] link, [1..63] members

    explicit CustomerGroupTable(int count) : count_(count), entries_(static_cast<size_t>(count) + 1) {}

    int count() const { return count_; }
    void load(int n, const CustomerRecord& r);
    void storeInto(int n, CustomerRecord& r) const;
    const Entry& entry(int n) const { return entries_.at(static_cast<size_t>(n)); }
    int link(int n) const { return inRange(n) ? entries_[static_cast<size_t>(n)][0] : 0; }
    // The members of representative n (at most 63, never a slot outside 1..count).
    std::vector<int> members(int n) const;

    // The member list of `c` changed: `selected[m]` tells whether customer m (1..count) is
    // selected. Returns the refused customer and the message when a selection is not allowed;
    // nothing is changed then and that customer's line must be deselected.
    struct Refusal {
        int number;
        const char* message;
    };
    std::optional<Refusal> applySelection(int c, const std::vector<bool>& selected);

    // Clears c's group data: out of its representative's list, its members released.
    void clear(int c);

    // The consistency checks of closing, one Yes/No question per finding; No ends a check.
    void checkAtClose(Dialogs& dialogs) const;

    // Writes the group area of every customer whose group data differs from the live file,
    // customers 1..count, in one journalled write under the lock of the file's folder.
    WriteResult writeBack(FileSystem& fs, const fs::path& file) const;

private:
    bool inRange(int n) const { return n >= 1 && n <= count_; }
    Entry& at(int n) { return entries_[static_cast<size_t>(n)]; }

    int count_;
    std::vector<Entry> entries_;
};

}  // namespace rk::masters
