#include "printing/conventions.h"

#include <chrono>
#include <cmath>
#include <cstdio>

#include "base/cp932.h"
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

std::string weekdayText(int monthDay, int businessYear, int firstMonth) {
    using namespace std::chrono;
    const year_month_day d{year{monthday::calendarYear(monthDay, businessYear, firstMonth)},
                           month{static_cast<unsigned>(monthDay / 100)}, day{static_cast<unsigned>(monthDay % 100)}};
    if (!d.ok()) return "";
    static const char* const kNames[7] = {"日 曜", "月 曜", "火 曜", "水 曜", "木 曜", "金 曜", "土 曜"};
    return kNames[weekday{sys_days{d}}.c_encoding()];
}

std::string number(double value, int decimals) {
    std::string s = fmt::decimal(value, 1, decimals);
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

std::string numberOrStar(double value, int decimals) { return value == 0 ? "*" : number(value, decimals); }

std::string quantity(double value) { return number(value, value == std::trunc(value) ? 0 : 2); }

std::string fieldText(const char* field, size_t width) {
    std::string s = cp932::toUtf8(field, width);
    for (;;) {
        if (!s.empty() && (s.back() == ' ' || s.back() == '\0')) {
            s.pop_back();
        } else if (s.size() >= 3 && s.compare(s.size() - 3, 3, "　") == 0) {
            s.resize(s.size() - 3);
        } else {
            return s;
        }
    }
}

}  // namespace rk::printing
