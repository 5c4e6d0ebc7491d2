// The print form file "PRINT.DAT" (margins, lines per page, fonts) and the fax font file.
#pragma once

#include <cstdint>

#include "base/record.h"
#include "platform/file_system.h"

namespace rk::printing {

// A font as the files keep it: the layout of the old system's font description.
struct LogFont {
    int32_t height;
    int32_t width;
    int32_t escapement;
    int32_t orientation;
    int32_t weight;
    uint8_t italic;
    uint8_t underline;
    uint8_t strikeOut;
    uint8_t charSet;
    uint8_t outPrecision;
    uint8_t clipPrecision;
    uint8_t quality;
    uint8_t pitchAndFamily;
    char faceName[32];
};
static_assert(sizeof(LogFont) == 60);
RK_FIELD_AT(LogFont, italic, 20);
RK_FIELD_AT(LogFont, faceName, 28);

LogFont systemFont();  // face "System", all numbers 0

enum Slot : int {
    kLinesPerPage = 0,
    kTopMargin = 1,
    kBottomMargin = 2,
    kLeftMargin = 3,
    kRightMargin = 4,
    kTitleHeight = 5,
    kDataHeight = 6,
    kListColumns = 7,
    kListRows = 8,
    kLargeDivisionColumns = 9,
    kSmallDivisionColumns = 10,
    kDivisionRows = 11,
    kNoDoubleRule = 63,  // set by a print window in its own copy only
};

struct PrintForm {
    int32_t fields[64];
    LogFont title;
    LogFont data;
    LogFont third;
};
static_assert(sizeof(PrintForm) == 436);
RK_FIELD_AT(PrintForm, title, 256);
RK_FIELD_AT(PrintForm, data, 316);
RK_FIELD_AT(PrintForm, third, 376);

struct FaxFonts {
    LogFont title;
    LogFont data;
};
static_assert(sizeof(FaxFonts) == 120);

inline constexpr const char* kPrintFormFile = "PRINT.DAT";
inline constexpr const char* kFaxFontFile = "FaxFont.Dat";

PrintForm defaultPrintForm();

// The ranges the settings window saves; applied on every read as well, so a damaged file
// can never give a page of no lines or a negative margin.
void clampForSaving(PrintForm& f);
void clampForUse(PrintForm& f);

// Reads the program folder's print form file, creating it with the defaults when missing;
// the result is clamped for use. Nullopt only when a missing file cannot be created.
std::optional<PrintForm> loadPrintForm(FileSystem& fs, const fs::path& programFolder);
bool savePrintForm(FileSystem& fs, const fs::path& programFolder, PrintForm f);

std::optional<FaxFonts> loadFaxFonts(FileSystem& fs, const fs::path& programFolder);
bool saveFaxFonts(FileSystem& fs, const fs::path& programFolder, const FaxFonts& f);

}  // namespace rk::printing
