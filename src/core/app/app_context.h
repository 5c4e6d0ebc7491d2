// The process-wide state of one run, created at start and passed by reference.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "app/basic_settings.h"
#include "app/edition.h"
#include "app/environment_block.h"
#include "app/file_set.h"
#include "controls/list_result.h"
#include "platform/clock.h"
#include "platform/file_system.h"

namespace rk {

struct AppContext {
    AppContext(Edition e, fs::path programFolder, FileSystem& fs = realFileSystem(), const Clock& clock = systemClock())
        : edition(e), files(fs), clock(clock), fileSet(programFiles(std::move(programFolder))) {}

    const Edition edition;
    FileSystem& files;
    const Clock& clock;

    FileSet fileSet;
    BasicSettings settings{};
    // The settings record as the file last held it: a write stores only what differs from it.
    BasicSettings storedSettings{};
    EnvironmentBlock env{};
    // Member number in effect for this run: the stored one, or 0 when the data folder is the
    // program folder (the settings record keeps the stored value).
    int32_t memberNumber = 0;
    int stationNumber = 0;
    int32_t password = 0;
    bool started = false;
    // Drawing colours of every window (0xRRGGBB), taken from the environment block.
    std::array<uint32_t, 3> colours{0x7F3F7F, 0x7F3F7F, 0x7F3F7F};

    // Open-window flags (keys: WindowFlag of app/command_table.h) and the mode handed to the
    // next window.
    std::map<int, int> windowFlags;
    int windowMode = 0;
    // Topic the operation guide window opens on.
    std::string topic;
    // The slip another window asks slip entry to open (the window mode is then the input
    // mode + 10).
    struct SlipRequest {
        int32_t date = 0;
        int32_t customer = 0;
    } slipRequest;

    const fs::path& programFolder() const { return fileSet.programFolder; }
    const EditionInfo& editionInfo() const { return info(edition); }
    fs::path settingsFile() const { return fileSet.settingsFile(edition); }
    // Stores what this run changed in the settings (the fields differing from storedSettings).
    WriteResult storeSettings() {
        BasicSettings now{};
        WriteResult r = writeSettingsChanges(files, settingsFile(), storedSettings, settings, &now);
        if (r.ok()) storedSettings = now;
        return r;
    }
};

}  // namespace rk
