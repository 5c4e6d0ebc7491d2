#include "maintenance/restore.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "app/lan_control.h"
#include "maintenance/archiver.h"
#include "maintenance/backup.h"
#include "maintenance/data_lock_guard.h"
#include "maintenance/file_lists.h"
#include "maintenance/messages.h"

namespace rk::maintenance {
namespace {

std::string withText(const char* pattern, const std::string& text) {
    std::string out(std::string(pattern).size() + text.size() + 16, '\0');
    const int n = std::snprintf(out.data(), out.size(), pattern, text.c_str());
    out.resize(static_cast<size_t>(std::max(n, 0)));
    return out;
}

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

// Makes the work folder and empties it of the kinds of file an archive brings. Deletes only
// inside a real folder (no link) directly under the program folder.
bool prepareWorkFolder(AppContext& ctx, const std::vector<std::string>& extensions) {
    const fs::path work = workFolder(ctx);
    std::error_code ec;
    fs::create_directories(work, ec);
    const auto status = fs::symlink_status(work, ec);
    if (ec || !fs::is_directory(status) || !fs::equivalent(work.parent_path(), ctx.programFolder(), ec)) return false;
    std::vector<fs::path> doomed;
    for (fs::directory_iterator it(work, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;
        const std::string ext = lower(it->path().extension().string());
        const bool match = std::any_of(extensions.begin(), extensions.end(), [&](const std::string& e) {
            return e.back() == '?' ? ext.size() == e.size() && ext.compare(0, e.size() - 1, e, 0, e.size() - 1) == 0
                                   : ext == e;
        });
        if (match) doomed.push_back(it->path());
    }
    for (const fs::path& f : doomed)
        if (!ctx.files.remove(f)) return false;
    return !ec;
}

// Copies the archive into the work folder and expands it there. False after a message.
bool expand(AppContext& ctx, Dialogs& dialogs, const fs::path& archive, const std::string& copyName,
            const std::vector<std::string>& extensions) {
    const fs::path work = workFolder(ctx);
    if (!prepareWorkFolder(ctx, extensions)) {
        dialogs.message(withText(msg::kDamagedArchive, work.string()));
        return false;
    }
    const fs::path copy = work / copyName;
    std::error_code ec;
    if (!fs::equivalent(archive, copy, ec) && !copyVerified(ctx.files, archive, copy)) {
        dialogs.message(withText(msg::kDamagedArchive, archive.string()));
        return false;
    }
    const ArchiveResult r = extractArchive(ctx.files, copy, work);
    if (!r.ok()) {
        dialogs.message(withText(msg::kDamagedArchive, r.file.empty() ? archive.string() : r.file));
        return false;
    }
    return true;
}

// Puts one file in place under the data lock; false when it could not be copied whole.
bool putBack(AppContext& ctx, Dialogs& dialogs, const fs::path& from, const fs::path& live) {
    bool ok = false;
    if (!underDataLock(ctx, dialogs, [&] { ok = copyVerified(ctx.files, from, resolveCase(live)); })) return false;
    return ok;
}

RestoreEnd ending(Dialogs& dialogs, int notRestored, const char* fine) {
    if (notRestored == 0) {
        dialogs.message(fine, Icon::Information);
    } else {
        char text[200];
        std::snprintf(text, sizeof text, msg::kNotRestored, notRestored);
        dialogs.message(text);
    }
    return RestoreEnd::EndProgram;
}

}  // namespace

std::vector<AutoBackup> automaticBackups(const AppContext& ctx) {
    std::vector<AutoBackup> out;
    char name[32];
    std::snprintf(name, sizeof name, "%ddata.Lzh", ctx.settings.businessYear);
    std::vector<fs::path> files = {ctx.programFolder() / name};
    for (int k = 0; k < kGenerations; ++k) files.push_back(generationArchive(ctx, k));
    for (const fs::path& f : files) {
        AutoBackup b;
        b.file = resolveCase(f);
        b.exists = ctx.files.exists(b.file);
        if (b.exists) b.when = ctx.files.modified(b.file).value_or(FileTime{});
        out.push_back(b);
    }
    return out;
}

fs::path workFolder(const AppContext& ctx) { return ctx.programFolder() / msg::kWorkFolder; }

bool refusedForStations(AppContext& ctx, Dialogs& dialogs, std::string_view message) {
    if (!networked(ctx)) return false;
    const fs::path& lanFile = ctx.fileSet[kLanControl];
    if (!ctx.files.exists(lanFile)) return false;
    auto lock = DataLock::acquire(ctx.fileSet.dataFolder);
    if (!lock) {
        dialogs.message(rk::msg::kDataBusy);
        return true;
    }
    auto table = readTable(ctx.files, lanFile);
    if (!table) return false;
    // Stations that died are not counted: only those that really run would write on.
    reconcileRunning(*table, lanFile, *lock);
    bool others = false;
    for (int n = 1; n <= LanTable::kStations; ++n)
        if (n != ctx.stationNumber && table->slot(n) != -1) others = true;
    if (others) dialogs.message(message.empty() ? msg::kStationsRunning : message, Icon::Stop);
    return others;
}

RestoreEnd restoreAutomatic(AppContext& ctx, Dialogs& dialogs, const fs::path& archive) {
    if (refusedForStations(ctx, dialogs)) return RestoreEnd::Stayed;
    if (dialogs.ask(msg::kRestoreBlue, Buttons::YesNo, Answer::No) != Answer::Yes) return RestoreEnd::Stayed;
    if (!expand(ctx, dialogs, archive, msg::kTempArchive, {".ft?"})) return RestoreEnd::Stayed;
    if (dialogs.ask(msg::kCopyToFolders, Buttons::YesNo, Answer::No) != Answer::Yes) return RestoreEnd::Stayed;
    int failed = 0;
    for (const fs::path& f : yearFiles(workFolder(ctx), yearText(ctx)))
        if (!putBack(ctx, dialogs, f, ctx.fileSet.masterFolder / f.filename())) ++failed;
    return ending(dialogs, failed, msg::kSystemStops);
}

RestoreEnd restoreArchive(AppContext& ctx, Dialogs& dialogs, const fs::path& archive) {
    if (refusedForStations(ctx, dialogs)) return RestoreEnd::Stayed;
    if (!ctx.files.exists(archive)) {
        dialogs.message(msg::kArchiveNotFound);
        return RestoreEnd::Stayed;
    }
    if (!expand(ctx, dialogs, archive, archive.filename().string(), {".ft?", ".dat", ".mas"}))
        return RestoreEnd::Stayed;
    if (dialogs.ask(msg::kCopyToFolders, Buttons::YesNo, Answer::No) != Answer::Yes) return RestoreEnd::Stayed;
    const std::vector<YearFile> list = archiveRestoreFiles(ctx);
    int failed = 0;
    for (size_t i = list.size(); i-- > 0;) {
        dialogs.progress(static_cast<int>(list.size() - 1 - i), static_cast<int>(list.size()), list[i].restoring);
        const fs::path from = resolveCase(workFolder(ctx) / list[i].name);
        if (ctx.files.exists(from) && !putBack(ctx, dialogs, from, list[i].live)) ++failed;
    }
    const YearFile invoice = invoiceFile(ctx);
    const fs::path invoiceFrom = resolveCase(workFolder(ctx) / invoice.name);
    if (ctx.files.exists(invoiceFrom) && !putBack(ctx, dialogs, invoiceFrom, invoice.live)) ++failed;
    dialogs.progress(static_cast<int>(list.size()), static_cast<int>(list.size()), {});
    return ending(dialogs, failed, msg::kProgramStops);
}

RestoreEnd restoreManagement(AppContext& ctx, Dialogs& dialogs, DiskQuestions& disk, Volumes& volumes,
                             const fs::path& managementFile) {
    if (refusedForStations(ctx, dialogs)) return RestoreEnd::Stayed;
    if (!ctx.files.exists(managementFile)) {
        dialogs.message(msg::kFileNotFound);
        return RestoreEnd::Stayed;
    }
    const fs::path folder = managementFile.parent_path();
    const auto from = volumes.device(folder), to = volumes.device(ctx.programFolder());
    if (!from || !to || *from == *to) {
        dialogs.message(msg::kSameDriveRestore);
        return RestoreEnd::Stayed;
    }
    ManagementRecord record{};
    if (!ctx.files.readZeroFilled(managementFile, 0, bytesOf(record)) || record.format != kManagementFormat) {
        dialogs.message(msg::kWrongFormat);
        return RestoreEnd::Stayed;
    }
    const std::vector<YearFile> list = managementFiles(ctx);
    int failed = 0;
    for (int k = kManagementFiles - 1; k >= 0; --k) {
        const ManagementStamp& entry = record.files[k];
        if (entry.year == 0) continue;
        const YearFile& f = list[static_cast<size_t>(k)];
        dialogs.progress(kManagementFiles - 1 - k, kManagementFiles, f.restoring);
        fs::path source = resolveCase(folder / f.name);
        bool skip = false;
        while (!ctx.files.exists(source)) {
            const DiskAnswer a = disk.abortRetryIgnore(withText(msg::kSourceMissing, source.string()));
            if (a == DiskAnswer::Ignore) {
                skip = true;
                break;
            }
            if (a != DiskAnswer::Retry) {
                dialogs.progress(kManagementFiles, kManagementFiles, {});
                dialogs.message(msg::kAbortInconsistent, Icon::Stop);
                return RestoreEnd::EndProgram;
            }
            source = resolveCase(folder / f.name);
        }
        if (skip) {
            ++failed;
            continue;
        }
        const auto when = ctx.files.modified(source);
        if ((!when || !(stampOf(*when) == entry)) &&
            dialogs.ask(msg::kStampDiffers, Buttons::YesNo, Answer::No) != Answer::Yes)
            continue;
        if (!putBack(ctx, dialogs, source, f.live)) ++failed;
    }
    const YearFile invoice = invoiceFile(ctx);
    const fs::path invoiceFrom = resolveCase(folder / invoice.name);
    if (ctx.files.exists(invoiceFrom) && !putBack(ctx, dialogs, invoiceFrom, invoice.live)) ++failed;
    dialogs.progress(kManagementFiles, kManagementFiles, {});
    return ending(dialogs, failed, msg::kProgramStops);
}

}  // namespace rk::maintenance
