// Texts every printed document shares.
#pragma once

#include <string>

#include "platform/clock.h"

namespace rk::printing {

// Today as MM/DD/YYYY.
std::string dateStamp(const Clock& clock);
// "%2d P"
std::string pageNumber(int page);
inline constexpr const char* kContinued = "次ページへ続きます";
inline constexpr const char* kContinuedCooperative = "  次ページへ続きます";
// "%d 年 %2d 月 %2d 日" of a month-day value in the business year.
std::string headingDate(int monthDay, int businessYear, int firstMonth);
// "〒%3d-%4d" zero-padded; blank when the first part is 0.
std::string postalCode(int first, int second);

// "日 曜" .. "土 曜" of a month-day value in the business year; empty for a day the
// calendar does not have (29 February of a common year).
std::string weekdayText(int monthDay, int businessYear, int firstMonth);

// A number with thousands commas and `decimals` fraction digits, no padding.
std::string number(double value, int decimals = 0);
// The same, or "*" for zero (unit prices and amounts of slip documents).
std::string numberOrStar(double value, int decimals = 0);
// A quantity: whole numbers plain, fractions with two decimals.
std::string quantity(double value);

// A record's text field as UTF-8 without its padding (blanks, full-width blanks, NULs).
std::string fieldText(const char* field, size_t width);
template <size_t N>
std::string fieldText(const char (&field)[N]) {
    return fieldText(field, N);
}

}  // namespace rk::printing
