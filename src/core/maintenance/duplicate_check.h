// Checks for slips that share what only one may have: line records named by two slips (the
// year-end window runs the same check) and live slips of one date and customer.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/file_system.h"

namespace rk::maintenance {

// A slip (date, customer) naming a line record that an earlier slip names too.
struct DuplicateLinePair {
    int32_t date = 0, customer = 0;            // the later slip
    int32_t otherDate = 0, otherCustomer = 0;  // the earlier one
};

// Walks the header file in record order; a header with a date above 100 is compared with the
// line records of every earlier one, and its first match makes a pair. Every pair is kept,
// however many lines the year has.
// Nullopt when the header file cannot be read.
std::optional<std::vector<DuplicateLinePair>> findDuplicateLines(FileSystem& fs, const fs::path& headerFile);

// One report row "  %3d     %4d     %4d   と  %4d     %4d" with the dates dashed (05-01).
std::string duplicateLineRow(int number, const DuplicateLinePair& p);
inline constexpr const char* kDuplicateLineHeading = "No   扱い日　得意先No　　扱い日　得意先No    ";

// Two live slips of one date and customer: the earlier header and the later.
struct DuplicateSlipPair {
    int32_t date = 0, customer = 0;
    int first = 0, second = 0;
};
std::optional<std::vector<DuplicateSlipPair>> findDuplicateSlips(FileSystem& fs, const fs::path& headerFile);

}  // namespace rk::maintenance
