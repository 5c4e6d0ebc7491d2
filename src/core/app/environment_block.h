// The per-edition working options kept at the start of the account-item file.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "app/edition.h"
#include "base/record.h"
#include "platform/file_system.h"
#include "platform/shared_write.h"

namespace rk {

struct EnvironmentBlock {
    char costNames[5][16];
    std::byte reserved050[0x50];
    int32_t boxCountPrinting;  // 0 no, 1 yes, 2 conditional
    int32_t customerCount;     // 999, 1999 or 2999
    std::byte reserved0A8[4];
    int32_t debit[9];
    std::byte reserved0D0[12];
    int32_t copyInputPoint;  // 4 grade 1, 5 grade 2, 6 quantity (0 is 6)
    std::byte reserved0E0[12];
    int32_t credit[9];
    std::byte reserved110[12];
    int32_t verticalRuleMode;
    int32_t autoBoxInput;
    int32_t skipLinePrinting;
    std::byte reserved128[32];
    int32_t warnRemarkRewrite;
    int32_t autoBackupOff;
    std::byte reserved150[4];
    int32_t showRecordNumbers;
    std::byte reserved158[4];
    int32_t showPackingCounts;
    std::byte reserved160[0xD0];
    uint32_t colours[3];  // 0x00BBGGRR
    std::byte reserved23C[0x70];
};
static_assert(sizeof(EnvironmentBlock) == 684);
RK_FIELD_AT(EnvironmentBlock, boxCountPrinting, 0x0A0);
RK_FIELD_AT(EnvironmentBlock, customerCount, 0x0A4);
RK_FIELD_AT(EnvironmentBlock, debit, 0x0AC);
RK_FIELD_AT(EnvironmentBlock, copyInputPoint, 0x0DC);
RK_FIELD_AT(EnvironmentBlock, credit, 0x0EC);
RK_FIELD_AT(EnvironmentBlock, verticalRuleMode, 0x11C);
RK_FIELD_AT(EnvironmentBlock, autoBoxInput, 0x120);
RK_FIELD_AT(EnvironmentBlock, skipLinePrinting, 0x124);
RK_FIELD_AT(EnvironmentBlock, warnRemarkRewrite, 0x148);
RK_FIELD_AT(EnvironmentBlock, autoBackupOff, 0x14C);
RK_FIELD_AT(EnvironmentBlock, showRecordNumbers, 0x154);
RK_FIELD_AT(EnvironmentBlock, showPackingCounts, 0x15C);
RK_FIELD_AT(EnvironmentBlock, colours, 0x230);

constexpr uint64_t kEnvironmentStride = 1536;  // one block per edition in the account-item file
constexpr uint64_t environmentOffset(Edition e) { return static_cast<uint64_t>(number(e) - 1) * kEnvironmentStride; }

EnvironmentBlock defaultEnvironment(Edition e);

// The fix-ups applied after reading: missing posting codes and the customer count's range.
void normalise(EnvironmentBlock& env, Edition e);

// The running edition's block as stored (not normalised); nullopt when unreadable.
std::optional<EnvironmentBlock> readEnvironment(FileSystem& fs, const fs::path& accountFile, Edition e);
bool writeEnvironment(FileSystem& fs, const fs::path& accountFile, Edition e, const EnvironmentBlock& env);
// Writes the fields of the block in which `after` differs from `before` (the block as the
// window read it) into the live file, under the lock of its folder and through the journal.
WriteResult writeEnvironmentChanges(FileSystem& fs, const fs::path& accountFile, Edition e,
                                    const EnvironmentBlock& before, const EnvironmentBlock& after);

// The whole account-item file of a new installation: 600 zero records of 64 bytes, the
// three default blocks, and the ten default account items.
Bytes defaultAccountFile();

// 0x00BBGGRR (as stored) to 0xRRGGBB.
constexpr uint32_t toRgb(uint32_t bgr) { return ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF); }
constexpr uint32_t toBgr(uint32_t rgb) { return toRgb(rgb); }

}  // namespace rk
