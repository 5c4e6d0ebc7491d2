#include "platform/clock.h"

#include <ctime>

namespace rk {

FileTime SystemClock::now() const {
    time_t t = std::time(nullptr);
    struct tm tm {};
    localtime_r(&t, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

const Clock& systemClock() {
    static SystemClock c;
    return c;
}

}  // namespace rk
