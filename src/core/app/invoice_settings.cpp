#include "app/invoice_settings.h"

#include <algorithm>
#include <cstring>

namespace rk {
namespace {

bool wellShaped(std::string_view s) {
    return s.size() == 14 && s[0] == 'T' &&
           std::all_of(s.begin() + 1, s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The stored number's bytes up to the first NUL.
std::string_view storedNumber(const InvoiceSettings& s) { return {s.number, strnlen(s.number, sizeof s.number)}; }

bool valid(const InvoiceSettings& s) {
    const std::string_view n = storedNumber(s);
    const bool paddedWithNul =
        std::all_of(s.number + n.size(), s.number + sizeof s.number, [](char c) { return c == 0; });
    return paddedWithNul && (n.empty() || wellShaped(n)) && (s.qualified == 0 || s.qualified == 1);
}

constexpr FieldSpan kFields[] = {RK_FIELD(InvoiceSettings, number), RK_FIELD(InvoiceSettings, qualified)};

}  // namespace

std::string InvoiceSettings::numberText() const { return std::string(storedNumber(*this)); }

bool InvoiceSettings::printsQualified() const { return qualified == 1 && wellShaped(storedNumber(*this)); }

fs::path invoiceSettingsFile(const fs::path& programFolder) { return programFolder / kInvoiceSettingsFile; }

std::optional<std::string> normaliseRegistrationNumber(std::string_view typed) {
    std::string out;
    for (size_t i = 0; i < typed.size();) {
        const auto c = static_cast<unsigned char>(typed[i]);
        // Full-width forms U+FF01..U+FF5E are three bytes EF BC xx / EF BD xx in UTF-8.
        if (c == 0xEF && i + 2 < typed.size() && (static_cast<unsigned char>(typed[i + 1]) & 0xFE) == 0xBC) {
            const unsigned code = 0xFF00u + ((static_cast<unsigned char>(typed[i + 1]) & 0x01u) << 6) +
                                  (static_cast<unsigned char>(typed[i + 2]) & 0x3Fu);
            out += static_cast<char>(code - 0xFF00u + 0x20u);
            i += 3;
        } else if (c == 0xE3 && i + 2 < typed.size() && static_cast<unsigned char>(typed[i + 1]) == 0x80 &&
                   static_cast<unsigned char>(typed[i + 2]) == 0x80) {
            out += ' ';  // the full-width blank
            i += 3;
        } else {
            out += static_cast<char>(c);
            ++i;
        }
    }
    std::string shaped;
    for (char c : out) {
        if (c == ' ' || c == '-') continue;
        shaped += c == 't' ? 'T' : c;
    }
    if (!wellShaped(shaped)) return std::nullopt;
    return shaped;
}

InvoiceRead readInvoiceSettings(FileSystem& fs, const fs::path& programFolder) {
    InvoiceRead r;
    const fs::path file = resolveCase(invoiceSettingsFile(programFolder));
    if (!fs.exists(file)) return r;
    auto bytes = fs.readAll(file);
    if (!bytes || bytes->size() != sizeof(InvoiceSettings)) {
        r.state = InvoiceFile::Damaged;
        return r;
    }
    const InvoiceSettings s = recordFrom<InvoiceSettings>(*bytes);
    if (!valid(s)) {
        r.state = InvoiceFile::Damaged;
        return r;
    }
    r.state = InvoiceFile::Read;
    r.settings = s;
    return r;
}

WriteResult writeInvoiceSettings(FileSystem& fs, const fs::path& programFolder, const InvoiceSettings& before,
                                 const InvoiceSettings& after) {
    SharedWrite w(fs, programFolder);
    if (!w.ready()) return w.result();
    // Another window of this folder may have changed the other field meanwhile; a damaged
    // file is not merged into, it is replaced.
    const InvoiceRead live = readInvoiceSettings(fs, programFolder);
    InvoiceSettings next = after;
    if (live.state == InvoiceFile::Read) {
        next = live.settings;
        applyChangedFields(before, after, next, kFields);
        if (std::memcmp(&next, &live.settings, sizeof next) == 0) return {WriteStatus::Unchanged, {}};
    }
    if (!fs.replaceWhole(resolveCase(invoiceSettingsFile(programFolder)), bytesOf(next))) return WriteResult::failed();
    return {};
}

}  // namespace rk
