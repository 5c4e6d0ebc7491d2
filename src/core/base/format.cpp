#include "base/format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace rk::fmt {

std::string groupDigits(std::string_view digits) {
    bool neg = !digits.empty() && digits[0] == '-';
    if (neg) digits.remove_prefix(1);
    std::string out;
    size_t n = digits.size();
    for (size_t i = 0; i < n; ++i) {
        out += digits[i];
        size_t rest = n - i - 1;
        if (rest > 0 && rest % 3 == 0) out += ',';
    }
    if (neg) out.insert(out.begin(), '-');
    return out;
}

static std::string padLeft(std::string s, int width) {
    if (static_cast<int>(s.size()) < width) s.insert(0, static_cast<size_t>(width) - s.size(), ' ');
    return s;
}

std::string grouped(int64_t value, int width) {
    if (width > 14) return "パラメータ違反";
    return padLeft(groupDigits(std::to_string(value)), width);
}

std::string zeroPadded(int64_t value, int digits) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%0*lld", digits, static_cast<long long>(value));
    std::string s = buf;
    if (static_cast<int>(s.size()) > digits && digits > 0) s = s.substr(s.size() - static_cast<size_t>(digits));
    return s;
}

std::string decimal(double value, int width, int decimals, bool commas) {
    // 12 significant digits, then split at the point.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.12g", value);
    double v = std::strtod(buf, nullptr);
    if (decimals < 0) decimals = 0;
    std::snprintf(buf, sizeof buf, "%.*f", decimals, std::fabs(v));
    const std::string text = buf;
    const size_t point = text.find('.');
    std::string intPart = text.substr(0, point);
    const std::string frac = point == std::string::npos ? "" : text.substr(point);
    if (commas) intPart = groupDigits(intPart);
    // No minus sign on a value that shows as zero.
    if (v < 0 && text.find_first_not_of("0.") != std::string::npos) intPart.insert(intPart.begin(), '-');
    return padLeft(intPart, width) + frac + " ";
}

}  // namespace rk::fmt

namespace rk::monthday {

int monthLength(int month) {
    static constexpr int kDays[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return (month >= 1 && month <= 12) ? kDays[month - 1] : 31;
}

int normalise(int value, int kind) {
    if (kind != kFirstDay && kind != kLastDay) return -1;
    if (value >= 1 && value <= 12) value = value * 100 + (kind == kFirstDay ? 1 : monthLength(value));
    int month = value / 100, day = value % 100;
    if (month < 1) month = 1;
    if (month > 12) month = 12;
    if (day < 1) day = 1;
    if (day > monthLength(month)) day = monthLength(month);
    return month * 100 + day;
}

std::string japanese(int value) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%2d月%2d日", value / 100, value % 100);
    return buf;
}

std::string dashed(int value) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%2d-%2d", value / 100, value % 100);
    return buf;
}

}  // namespace rk::monthday
