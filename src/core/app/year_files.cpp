#include "app/year_files.h"

#include <cerrno>

namespace rk {

uint64_t minimumSize(const YearFile& slot) {
    if (const DataSlot* d = std::get_if<DataSlot>(&slot)) {
        switch (*d) {
            case kSlipLines:
                return 224;
            case kSlipHeaders:
                return 768;
            case kPayments:
                return 2432;
            default:
                return 1;
        }
    }
    switch (std::get<MasterSlot>(slot)) {
        case kCustomers:
            return 480;
        case kProducts:
            return 192;
        case kAccounts:
            return 64;
        default:
            return 1;
    }
}

std::optional<FileError> missingYearFile(FileSystem& fs, const FileSet& files, std::initializer_list<YearFile> slots) {
    for (const YearFile& slot : slots) {
        const fs::path& p = std::visit([&](auto s) -> const fs::path& { return files[s]; }, slot);
        auto size = fs.size(p);
        if (!size) {
            FileError e = lastFileError();
            if (e.empty() || e.path != p) e = {"open", p, ENOENT};
            return e;
        }
        if (*size < minimumSize(slot)) return FileError{"read", p, ENODATA};
        std::byte first[1];
        if (!fs.read(p, 0, first)) return lastFileError();
    }
    return std::nullopt;
}

bool settingsUsable(const BasicSettings& s) {
    return s.businessYear >= 1950 && s.businessYear <= 9999 && s.firstMonth >= 1 && s.firstMonth <= 12;
}

}  // namespace rk
