// Mounted file systems and folder listings for the folder choosers.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

namespace rk {

namespace fs = std::filesystem;

// Mount points named in the text of /proc/self/mountinfo (fifth field, octal escapes decoded).
std::vector<fs::path> parseMountInfo(std::string_view text);

// Free bytes available to the user on the file system holding `p`; 0 when unknown.
uint64_t freeSpace(const fs::path& p);

// Mount points of this process with more than `minFree` bytes free, in mount order.
std::vector<fs::path> mountsWithFreeSpace(uint64_t minFree);

// The folders directly inside `folder`, sorted by name; empty when it cannot be read.
std::vector<fs::path> subFolders(const fs::path& folder);

}  // namespace rk
