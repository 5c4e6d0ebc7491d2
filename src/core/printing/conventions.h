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

}  // namespace rk::printing
