#include "platform/mounts.h"

#include <sys/statvfs.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>

namespace rk {

namespace {

// mountinfo escapes blank, tab, newline and backslash as \ooo.
std::string unescape(std::string_view s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 3 < s.size() && s[i + 1] >= '0' && s[i + 1] <= '3' && s[i + 2] >= '0' &&
            s[i + 2] <= '7' && s[i + 3] >= '0' && s[i + 3] <= '7') {
            out += static_cast<char>((s[i + 1] - '0') * 64 + (s[i + 2] - '0') * 8 + (s[i + 3] - '0'));
            i += 3;
        } else {
            out += s[i];
        }
    }
    return out;
}

}  // namespace

std::vector<fs::path> parseMountInfo(std::string_view text) {
    std::vector<fs::path> out;
    std::istringstream lines{std::string(text)};
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string field;
        for (int i = 0; i < 5 && fields >> field; ++i) {
            if (i == 4) out.emplace_back(unescape(field));
        }
    }
    return out;
}

uint64_t freeSpace(const fs::path& p) {
    struct statvfs st {};
    if (::statvfs(p.c_str(), &st) != 0) return 0;
    return static_cast<uint64_t>(st.f_bavail) * st.f_frsize;
}

std::vector<fs::path> mountsWithFreeSpace(uint64_t minFree) {
    std::ifstream in("/proc/self/mountinfo");
    std::stringstream text;
    text << in.rdbuf();
    std::vector<fs::path> out;
    for (const fs::path& m : parseMountInfo(text.str())) {
        if (std::find(out.begin(), out.end(), m) == out.end() && freeSpace(m) > minFree) out.push_back(m);
    }
    return out;
}

std::vector<fs::path> subFolders(const fs::path& folder) {
    std::vector<fs::path> out;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->is_directory(typeError)) out.push_back(it->path());
    }
    std::sort(out.begin(), out.end());
    return out;
}

}  // namespace rk
