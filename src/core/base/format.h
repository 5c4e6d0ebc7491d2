// Number and month-day formatting shared by every window and printout.
#pragma once

#include <cstdint>
#include <string>

namespace rk::fmt {

// Whole number right-aligned in `width` characters with a comma every three digits;
// a width over 14 gives the system's parameter-error text.
std::string grouped(int64_t value, int width);

// Exactly `digits` digits, leading positions "0".
std::string zeroPadded(int64_t value, int digits);

// The value at 12 significant digits: integer digits right-aligned in `width` characters
// (with commas when `commas`), "." and `decimals` fraction digits when asked, then one space.
std::string decimal(double value, int width, int decimals, bool commas = true);

// Integer part grouped by threes: "1,234,567" / "-1,234".
std::string groupDigits(std::string_view digits);

}  // namespace rk::fmt

namespace rk::monthday {

constexpr int kFirstDay = 1;  // a bare month becomes its first day
constexpr int kLastDay = 2;   // a bare month becomes its last day (period ends)

// Days of each month; February always has 29.
int monthLength(int month);

// Expands a bare month 1..12 by `kind`, then clamps month to 1..12 and day to the month's
// length. Returns -1 for an unknown kind.
int normalise(int value, int kind);

// "%2d月%2d日" and "%2d-%2d" of a month-day value.
std::string japanese(int value);
std::string dashed(int value);

// Text for an unknown normalisation kind.
inline constexpr const char* kBadKind = "モードパラメータ違反 ";

// Ordering key inside the business year: months before the start month come after December.
inline int businessKey(int value, int firstMonth) { return value / 100 < firstMonth ? value + 1200 : value; }

// Calendar year of a month-day value in the business year starting at `firstMonth`.
inline int calendarYear(int value, int businessYear, int firstMonth) {
    return value / 100 >= firstMonth ? businessYear : businessYear + 1;
}

}  // namespace rk::monthday
