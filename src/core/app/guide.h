// The operation guide: a Shift-JIS text file whose sections are headed by the same "＊．"
// titles the input prompts show, so a prompt doubles as the key of its explanation.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/edition.h"

namespace rk {

class FileSystem;
namespace fs = std::filesystem;

// Topic the new-data dialog of start-up opens the guide on.
inline constexpr std::string_view kMissingDataTopic = "＊．既存データが見つかりません";
// Topic of the guide's own explanation (Help menu).
inline constexpr std::string_view kGuideUsageTopic = "＊．操作案内の使い方";

// Where the edition's guide file is looked for, in order: the program folder, then each of
// the installed resource folders.
std::vector<fs::path> guideCandidates(Edition e, const fs::path& programFolder,
                                      const std::vector<fs::path>& resourceFolders);

// The whole guide file from the first candidate that can be read; nullopt when none can.
std::optional<std::string> readGuide(FileSystem& files, const std::vector<fs::path>& candidates);

// Splits Shift-JIS text into lines at CR LF (a lone LF also ends a line).
std::vector<std::string> splitLines(std::string_view sjis);

// The lines of the topic's section, as UTF-8. An empty topic, or one that is part of
// "＊．＊", gives the whole text. Otherwise the section runs from the first line holding the
// topic to the line before the next line holding "＊．"; it is empty when no line holds the
// topic or no later heading follows.
std::vector<std::string> guideSection(const std::vector<std::string>& sjisLines, std::string_view topicUtf8);

}  // namespace rk
