// The entries of the data folder chooser of the basic settings window.
#pragma once

#include <string>
#include <vector>

namespace rk::settings {

// For a folder text: that folder (or the folder holding a file name) followed by its
// sub-folders; for an empty text: every mounted file system with more than 99 KB free. Each
// entry is UTF-8 and ends with "/".
std::vector<std::string> folderChoices(const std::string& utf8Text);

}  // namespace rk::settings
