// The issuer's registration number for qualified invoices and the switch that prints
// delivery notes and bills as qualified invoices. A small file of this program's own in the
// program folder ("INVOICE.FT0", 32 bytes), so none of the system's files changes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/record.h"
#include "platform/file_system.h"
#include "platform/shared_write.h"

namespace rk {

struct InvoiceSettings {
    char number[16];    // "T" and 13 digits, ASCII, NUL padded; empty when none was entered
    int32_t qualified;  // 1: delivery notes and bills are printed as qualified invoices
    std::byte reserved20[12];

    std::string numberText() const;
    // The switch is only in effect with a number of the right shape.
    bool printsQualified() const;
};
static_assert(sizeof(InvoiceSettings) == 32);
RK_FIELD_AT(InvoiceSettings, number, 0);
RK_FIELD_AT(InvoiceSettings, qualified, 16);
RK_FIELD_AT(InvoiceSettings, reserved20, 20);

inline constexpr const char* kInvoiceSettingsFile = "INVOICE.FT0";

fs::path invoiceSettingsFile(const fs::path& programFolder);

// A typed registration number as stored: full-width letters and digits become half-width, a
// small t a capital, and blanks and hyphens between the digits go. Nullopt unless the result
// is "T" followed by exactly 13 digits.
std::optional<std::string> normaliseRegistrationNumber(std::string_view typedUtf8);

enum class InvoiceFile { Missing, Read, Damaged };

struct InvoiceRead {
    InvoiceFile state = InvoiceFile::Missing;
    InvoiceSettings settings{};  // all zero unless Read
};

// Reads the file. A file of another length, with a number of the wrong shape or a switch
// other than 0 or 1 is damaged: it prints nothing qualified and is never taken as valid.
InvoiceRead readInvoiceSettings(FileSystem& fs, const fs::path& programFolder);

// Stores what changed between `before` (as read) and `after` under the lock of the program
// folder, replacing the file whole; a missing or damaged file is written as `after`.
WriteResult writeInvoiceSettings(FileSystem& fs, const fs::path& programFolder, const InvoiceSettings& before,
                                 const InvoiceSettings& after);

}  // namespace rk
