// The three editions: sales (F), purchase (S) and finance (Z). The edition is fixed for the
// run by the executable; everything that differs by edition is looked up here.
#pragma once

#include <cstdint>
#include <string_view>

namespace rk {

enum class Edition { Sales = 1, Purchase = 2, Finance = 3 };

constexpr int number(Edition e) { return static_cast<int>(e); }

struct EditionInfo {
    char letter;
    std::string_view programFile;    // the executable's own name
    std::string_view title;          // main window title, also the single-instance key
    std::string_view guideFile;      // guide text of the operation guide window
    std::string_view windowPosFile;  // name reserved, never opened
    std::string_view indexBase1, indexBase2;
    std::string_view backgroundPicture;  // empty: none
    uint32_t backgroundRgb;              // 0xRRGGBB
    std::string_view settingsFile, settingsBackup;
};

const EditionInfo& info(Edition e);

}  // namespace rk
