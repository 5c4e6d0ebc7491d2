#include "platform/file_times.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <ctime>

namespace rk {

bool setModifiedTime(const fs::path& given, const FileTime& t) {
    const fs::path p = resolveCase(given);
    struct tm tm {};
    tm.tm_year = t.year - 1900;
    tm.tm_mon = t.month - 1;
    tm.tm_mday = t.day;
    tm.tm_hour = t.hour;
    tm.tm_min = t.minute;
    tm.tm_sec = t.second;
    tm.tm_isdst = -1;
    const time_t when = std::mktime(&tm);
    if (when == static_cast<time_t>(-1)) return false;
    struct timespec times[2] = {{when, 0}, {when, 0}};
    return ::utimensat(AT_FDCWD, p.c_str(), times, 0) == 0;
}

}  // namespace rk
