// Taking the server's compressed backup into a local folder for browsing.
#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "maintenance/archiver.h"
#include "maintenance/backup.h"
#include "maintenance/data_operation.h"
#include "maintenance/folder_locks.h"
#include "maintenance/operation_messages.h"
#include "maintenance/tool_support.h"

namespace rk::maintenance {
namespace {

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

// The year's data files of a folder: four bytes of base name, the year, ".Ft2".
std::vector<fs::path> yearDataFiles(const fs::path& folder, int year) {
    std::vector<fs::path> out;
    const std::string yyyy = std::to_string(year);
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;
        const std::string name = it->path().filename().string();
        if (name.size() == 12 && name.compare(4, 4, yyyy) == 0 && lower(name.substr(8)) == ".ft2")
            out.push_back(it->path());
    }
    return out;
}

}  // namespace

std::optional<ServerArchive> findServerArchive(AppContext& ctx, Dialogs& dialogs) {
    const fs::path file =
        resolveCase(ctx.fileSet.dataFolder / (std::to_string(ctx.settings.businessYear) + "年dt.Lzh"));
    auto made = ctx.files.exists(file) ? ctx.files.modified(file) : std::nullopt;
    if (!made) {
        dialogs.message(msg::kServerArchiveMissing, Icon::Stop);
        return std::nullopt;
    }
    dialogs.message(format(msg::kServerArchiveMade, made->month, made->day, made->hour, made->minute),
                    Icon::Information);
    return ServerArchive{file, *made};
}

fs::path defaultImportPath(const AppContext& ctx, const ServerArchive& archive) {
    return ctx.programFolder() / msg::kBrowseFolder /
           ("Fd" + std::to_string(archive.made.month * 100 + archive.made.day) + ".Lzh");
}

OperationResult importServerData(AppContext& ctx, Dialogs& dialogs, const ServerArchive& archive,
                                 const fs::path& target) {
    const fs::path folder = target.parent_path();
    const FileSet& f = ctx.fileSet;
    // Expanding deletes and replaces the year's files of the folder: never the live ones.
    if (sameFolder(folder, f.dataFolder) || sameFolder(folder, f.masterFolder) ||
        sameFolder(folder, ctx.programFolder())) {
        dialogs.message(msg::kImportIntoLive, Icon::Stop);
        return OperationResult::Refused;
    }
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        if (dialogs.ask(format(msg::kFolderMissingAsk, folder.string().c_str()), Buttons::YesNo, Answer::No) !=
            Answer::Yes)
            return OperationResult::Declined;
        fs::create_directories(folder, ec);
        if (ec || !fs::is_directory(folder, ec)) {
            dialogs.message(msg::kFolderCreateFailed, Icon::Stop);
            return OperationResult::Failed;
        }
    }
    const bool copied = sameFolder(archive.file, target) || copyVerified(ctx.files, archive.file, target);
    dialogs.message(format(msg::kCopyResult, copied ? 1 : 0), copied ? Icon::Information : Icon::Stop);
    if (!copied) return OperationResult::Failed;

    // The folder's own settings and print forms stay as they are.
    struct Kept {
        fs::path file;
        Bytes bytes;
    };
    std::vector<Kept> kept;
    for (std::string name : {std::string(ctx.editionInfo().settingsFile), std::string("PRINT.DAT")}) {
        const fs::path file = resolveCase(folder / name);
        if (!ctx.files.exists(file)) continue;
        auto bytes = ctx.files.readAll(file);
        if (bytes) kept.push_back({file, std::move(*bytes)});
    }
    for (const fs::path& old : yearDataFiles(folder, ctx.settings.businessYear)) (void)ctx.files.remove(old);
    const ArchiveResult r = extractArchive(ctx.files, target, folder);
    bool ok = r.ok();
    for (const Kept& k : kept) ok = ctx.files.replaceWhole(k.file, k.bytes) && ok;
    if (!ok) {
        dialogs.message(format(msg::kImportFailed, r.file.empty() ? folder.string().c_str() : r.file.c_str()),
                        Icon::Stop);
        return OperationResult::Failed;
    }
    dialogs.message(format(msg::kImported, folder.string().c_str()), Icon::Information);
    return OperationResult::Done;
}

}  // namespace rk::maintenance
