// The basic settings record: one 640-byte file per edition in the program folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

#include "app/edition.h"
#include "base/record.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/shared_write.h"

namespace rk {

struct BasicSettings {
    char name[32];
    char department[32];
    char phone[40];
    char address[40];
    char bank1[40];
    char bank2[40];
    char masterFolder[40];
    char dataFolder[40];
    int32_t businessYear;
    int32_t inputYear;
    int32_t firstMonth;
    int32_t lanMode;  // 0 none, 1 server, 2 client
    int32_t geometryMarker;
    int32_t frameLeft, frameTop, frameWidth, frameHeight;
    int32_t slipLeft, slipTop, slipWidth, slipHeight;
    int32_t reserved164;
    int32_t systemCheckMode;
    int32_t memberNumber;  // -1 network server installation, 0 none, 1.. member
    int32_t tableKeyColumns;
    int32_t shipListLeft, shipListTop, shipListWidth, shipListHeight;
    std::byte reserved184[16];
    int32_t accountWindowSetting;
    std::byte reserved198[8];
    int32_t labelsAcross;
    int32_t labelRows;
    std::byte reserved1A8[152];
    double taxRate;
    double exchangeRate;
    std::byte reserved250[48];
};
static_assert(sizeof(BasicSettings) == 640);
RK_FIELD_AT(BasicSettings, department, 0x020);
RK_FIELD_AT(BasicSettings, phone, 0x040);
RK_FIELD_AT(BasicSettings, address, 0x068);
RK_FIELD_AT(BasicSettings, bank1, 0x090);
RK_FIELD_AT(BasicSettings, bank2, 0x0B8);
RK_FIELD_AT(BasicSettings, masterFolder, 0x0E0);
RK_FIELD_AT(BasicSettings, dataFolder, 0x108);
RK_FIELD_AT(BasicSettings, businessYear, 0x130);
RK_FIELD_AT(BasicSettings, inputYear, 0x134);
RK_FIELD_AT(BasicSettings, firstMonth, 0x138);
RK_FIELD_AT(BasicSettings, lanMode, 0x13C);
RK_FIELD_AT(BasicSettings, geometryMarker, 0x140);
RK_FIELD_AT(BasicSettings, frameLeft, 0x144);
RK_FIELD_AT(BasicSettings, frameHeight, 0x150);
RK_FIELD_AT(BasicSettings, slipLeft, 0x154);
RK_FIELD_AT(BasicSettings, slipHeight, 0x160);
RK_FIELD_AT(BasicSettings, systemCheckMode, 0x168);
RK_FIELD_AT(BasicSettings, memberNumber, 0x16C);
RK_FIELD_AT(BasicSettings, tableKeyColumns, 0x170);
RK_FIELD_AT(BasicSettings, shipListLeft, 0x174);
RK_FIELD_AT(BasicSettings, shipListHeight, 0x180);
RK_FIELD_AT(BasicSettings, accountWindowSetting, 0x194);
RK_FIELD_AT(BasicSettings, labelsAcross, 0x1A0);
RK_FIELD_AT(BasicSettings, labelRows, 0x1A4);
RK_FIELD_AT(BasicSettings, taxRate, 0x240);
RK_FIELD_AT(BasicSettings, exchangeRate, 0x248);

// A new installation's settings; the year is today's four-digit year.
BasicSettings defaultSettings(const Clock& clock);

// Reads the 640 bytes; a short file fills what it has, the rest stays zero. Nullopt when
// the file cannot be opened.
std::optional<BasicSettings> readSettings(FileSystem& fs, const fs::path& file);
// Writes the whole record (replacing the file atomically): a new installation, a restore.
bool writeSettings(FileSystem& fs, const fs::path& file, const BasicSettings& s);

// Writes the fields in which `after` differs from `before` (the record as last read) into
// the live file, under the lock of its folder, replacing it atomically; what another
// edition or window changed meanwhile stays. `shown` gets the record as now stored.
WriteResult writeSettingsChanges(FileSystem& fs, const fs::path& file, const BasicSettings& before,
                                 const BasicSettings& after, BasicSettings* shown = nullptr);

// Frame placement from stored geometry: negative positions become 0, the size is at least
// 1024 x 600; nothing stored (file unreadable) gives 0,0 1024 x 728.
struct FrameRect {
    int left, top, width, height;
};
FrameRect clampedFrame(const std::optional<BasicSettings>& s);
void storeFrame(BasicSettings& s, const FrameRect& r);

// The folder named by a 40-byte folder field: blanks end the text (they were padding), an
// empty field means `fallback`; backslashes are read as '/', a relative path is taken
// inside `fallback`.
fs::path folderFromField(const char (&field)[40], const fs::path& fallback);

}  // namespace rk
