#include "printing/print_form.h"

#include <algorithm>
#include <cstring>

namespace rk::printing {

LogFont systemFont() {
    LogFont f{};
    std::strncpy(f.faceName, "System", sizeof f.faceName);
    return f;
}

PrintForm defaultPrintForm() {
    PrintForm f{};
    f.fields[kLinesPerPage] = 10;
    f.title = f.data = f.third = systemFont();
    return f;
}

void clampForSaving(PrintForm& f) {
    int32_t* s = f.fields;
    s[kLinesPerPage] = std::clamp(s[kLinesPerPage], 6, 20);
    if (s[kListColumns] == 0) s[kListColumns] = 10;
    if (s[kListRows] == 0) s[kListRows] = 15;
    s[kListColumns] = std::clamp(s[kListColumns], 5, 12);
    s[kListRows] = std::clamp(s[kListRows], 6, 16);
    s[kLargeDivisionColumns] = std::clamp(s[kLargeDivisionColumns], 2, 10);
    s[kSmallDivisionColumns] = std::clamp(s[kSmallDivisionColumns], 2, 10);
    s[kDivisionRows] = std::clamp(s[kDivisionRows], 5, 16);
}

void clampForUse(PrintForm& f) {
    clampForSaving(f);
    for (Slot s : {kTopMargin, kBottomMargin, kLeftMargin, kRightMargin, kTitleHeight, kDataHeight})
        f.fields[s] = std::max(0, f.fields[s]);
    f.title.faceName[31] = f.data.faceName[31] = f.third.faceName[31] = '\0';
}

std::optional<PrintForm> loadPrintForm(FileSystem& fs, const fs::path& programFolder) {
    const fs::path file = programFolder / kPrintFormFile;
    PrintForm f{};
    if (!fs.exists(file)) {
        f = defaultPrintForm();
        if (!fs.replaceWhole(file, bytesOf(f))) return std::nullopt;
    } else if (!fs.readZeroFilled(file, 0, bytesOf(f))) {
        f = defaultPrintForm();
    }
    clampForUse(f);
    return f;
}

bool savePrintForm(FileSystem& fs, const fs::path& programFolder, PrintForm f) {
    clampForSaving(f);
    f.fields[kNoDoubleRule] = 0;
    return fs.replaceWhole(programFolder / kPrintFormFile, bytesOf(f));
}

std::optional<FaxFonts> loadFaxFonts(FileSystem& fs, const fs::path& programFolder) {
    const fs::path file = programFolder / kFaxFontFile;
    FaxFonts f{systemFont(), systemFont()};
    if (!fs.exists(file)) {
        if (!fs.replaceWhole(file, bytesOf(f))) return std::nullopt;
        return f;
    }
    if (!fs.readZeroFilled(file, 0, bytesOf(f))) return std::nullopt;
    f.title.faceName[31] = f.data.faceName[31] = '\0';
    return f;
}

bool saveFaxFonts(FileSystem& fs, const fs::path& programFolder, const FaxFonts& f) {
    return fs.replaceWhole(programFolder / kFaxFontFile, bytesOf(f));
}

}  // namespace rk::printing
