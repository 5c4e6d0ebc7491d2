#include "printing/conventions.h"

#include <cstdio>

#include "base/format.h"

namespace rk::printing {

std::string dateStamp(const Clock& clock) {
    const FileTime t = clock.now();
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", t.month, t.day, t.year);
    return buf;
}

std::string pageNumber(int page) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%2d P", page);
    return buf;
}

std::string headingDate(int monthDay, int businessYear, int firstMonth) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%d 年 %2d 月 %2d 日", monthday::calendarYear(monthDay, businessYear, firstMonth),
                  monthDay / 100, monthDay % 100);
    return buf;
}

std::string postalCode(int first, int second) {
    if (first == 0) return "";
    char buf[32];
    std::snprintf(buf, sizeof buf, "〒%03d-%04d", first, second);
    return buf;
}

}  // namespace rk::printing
