#include "settings/folder_choice.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/mounts.h"

namespace rk::settings {

namespace {

std::string withSlash(std::string s) {
    if (s.empty() || s.back() != '/') s += '/';
    return s;
}

}  // namespace

std::vector<std::string> folderChoices(const std::string& utf8Text) {
    std::string text = utf8Text;
    std::replace(text.begin(), text.end(), '\\', '/');
    while (!text.empty() && text.back() == ' ') text.pop_back();
    std::vector<std::string> out;
    if (text.empty()) {
        for (const fs::path& m : mountsWithFreeSpace(99 * 1024)) out.push_back(withSlash(m.string()));
        return out;
    }
    fs::path folder(text);
    std::error_code ec;
    if (!fs::is_directory(folder, ec) && folder.has_parent_path()) folder = folder.parent_path();
    std::string base = withSlash(folder.string());
    out.push_back(base);
    for (const fs::path& sub : subFolders(folder)) out.push_back(base + sub.filename().string() + "/");
    return out;
}

}  // namespace rk::settings
