#include "app/guide.h"

#include "base/cp932.h"
#include "platform/file_system.h"

namespace rk {

std::vector<fs::path> guideCandidates(Edition e, const fs::path& programFolder,
                                      const std::vector<fs::path>& resourceFolders) {
    std::string name(info(e).guideFile);
    std::vector<fs::path> out{programFolder / name};
    for (const fs::path& f : resourceFolders) out.push_back(f / name);
    return out;
}

std::optional<std::string> readGuide(FileSystem& files, const std::vector<fs::path>& candidates) {
    for (const fs::path& p : candidates) {
        if (!files.exists(p)) continue;
        if (auto bytes = files.readAll(p)) {
            return std::string(reinterpret_cast<const char*>(bytes->data()), bytes->size());
        }
    }
    return std::nullopt;
}

std::vector<std::string> splitLines(std::string_view sjis) {
    std::vector<std::string> lines;
    while (!sjis.empty()) {
        size_t lf = sjis.find('\n');
        std::string_view line = sjis.substr(0, lf);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.emplace_back(line);
        if (lf == std::string_view::npos) break;
        sjis.remove_prefix(lf + 1);
    }
    return lines;
}

std::vector<std::string> guideSection(const std::vector<std::string>& sjisLines, std::string_view topicUtf8) {
    const std::string topic = cp932::fromUtf8(topicUtf8);
    const std::string heading = cp932::fromUtf8("＊．");
    const std::string everything = cp932::fromUtf8("＊．＊");
    constexpr auto npos = std::string_view::npos;

    size_t first = 0, end = sjisLines.size();
    if (cp932::findWhole(everything, topic) == npos) {
        first = end;
        for (size_t i = 0; i < sjisLines.size(); ++i) {
            if (cp932::findWhole(sjisLines[i], topic) != npos) {
                first = i;
                break;
            }
        }
        if (first == sjisLines.size()) return {};
        end = first + 1;
        while (end < sjisLines.size() && cp932::findWhole(sjisLines[end], heading) == npos) ++end;
        if (end == sjisLines.size()) return {};
    }
    std::vector<std::string> out;
    out.reserve(end - first);
    for (size_t i = first; i < end; ++i) out.push_back(cp932::toUtf8(sjisLines[i]));
    return out;
}

}  // namespace rk
