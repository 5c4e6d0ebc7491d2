// The read-only integrity check of a year's slip, payment and customer files: what the data
// check window shows and `rakurena check` prints. It never writes. One finding per fault,
// each a line of text; no findings means the year is consistent.
#pragma once

#include <string>
#include <vector>

#include "app/app_context.h"

namespace rk::maintenance {

struct Finding {
    enum class Kind {
        Unreadable,     // a year file is missing or cannot be read
        TornFile,       // a file's length is not a whole number of records
        IndexLength,    // an index file has more or fewer entries than there are headers
        IndexEntry,     // an index entry disagrees with its header
        LineCount,      // a live slip's line count outside 0..99
        SlotOutside,    // a line slot outside the line file
        LineTwice,      // one line record named by two line slots
        LineOwner,      // a line whose owner field names another slip
        TextOutside,    // a line text number outside the line text file
        DuplicateSlip,  // two live slips of one date and customer
        PaymentList,    // a payment's slip list and the slips' payment links disagree
        Unpaid,         // a settled slip that no live payment lists
        Balance,        // a customer balance other than opening + settled - paid
    };
    Kind kind;
    std::string text;  // one line, UTF-8
};

// Checks the year of `files` for customers 1..customerCount.
std::vector<Finding> checkYear(FileSystem& fs, const FileSet& files, int customerCount);
// The same for the year the context has open.
std::vector<Finding> checkYear(const AppContext& ctx);

}  // namespace rk::maintenance
