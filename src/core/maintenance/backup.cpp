#include "maintenance/backup.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <ctime>

#include "base/cp932.h"
#include "maintenance/archiver.h"
#include "maintenance/data_lock_guard.h"
#include "maintenance/file_lists.h"
#include "maintenance/messages.h"
#include "platform/file_times.h"

namespace rk::maintenance {
namespace {

std::string format(const char* pattern, const std::string& text) {
    std::string out(std::string(pattern).size() + text.size() + 16, '\0');
    const int n = std::snprintf(out.data(), out.size(), pattern, text.c_str());
    out.resize(static_cast<size_t>(std::max(n, 0)));
    return out;
}

std::string sizes(const char* pattern, uint64_t a, uint64_t b) {
    char buf[160];
    std::snprintf(buf, sizeof buf, pattern, static_cast<unsigned long long>(a), static_cast<unsigned long long>(b));
    return buf;
}

int dateValue(const FileTime& t) { return t.year * 10000 + t.month * 100 + t.day; }

bool sameFile(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    return fs::equivalent(a, b, ec);
}

// The files of the compressed-file method: the year's files of the master folder with the
// home-delivery master and form, the settings files, print forms and carrier tables of the
// program folder. Names are stored once each, without folder.
std::vector<ArchiveInput> archiveInputs(AppContext& ctx) {
    const fs::path& master = ctx.fileSet.masterFolder;
    const fs::path& program = ctx.programFolder();
    std::vector<fs::path> files = yearFiles(master, yearText(ctx));
    for (const char* name : {"Takuform.dat", "Takuhai.mas"}) files.push_back(resolveCase(master / name));
    std::vector<fs::path> settings;
    std::error_code ec;
    for (fs::directory_iterator it(program, ec), end; !ec && it != end; it.increment(ec)) {
        std::string ext = it->path().extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
        std::error_code typeError;
        if (ext == ".ft0" && it->is_regular_file(typeError)) settings.push_back(it->path());
    }
    std::sort(settings.begin(), settings.end());
    files.insert(files.end(), settings.begin(), settings.end());
    for (const char* name : {"Print.Dat", "輸送業者.csv", "梱包数表.csv"}) files.push_back(resolveCase(program / name));

    std::vector<ArchiveInput> out;
    auto lowerName = [](const fs::path& p) {
        std::string s = p.filename().string();
        std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
        return s;
    };
    for (const fs::path& f : files) {
        if (!ctx.files.exists(f)) continue;
        const bool seen = std::any_of(out.begin(), out.end(),
                                      [&](const ArchiveInput& in) { return lowerName(in.source) == lowerName(f); });
        if (!seen) out.push_back({f, f.filename().string()});
    }
    return out;
}

}  // namespace

ManagementStamp stampOf(const FileTime& t) {
    struct tm tm {};
    tm.tm_year = t.year - 1900;
    tm.tm_mon = t.month - 1;
    tm.tm_mday = t.day;
    tm.tm_hour = 12;
    tm.tm_isdst = -1;
    std::mktime(&tm);
    return {t.year, t.month, t.day, t.hour, t.minute, tm.tm_wday + 1, 0, 0};
}

bool copyVerified(FileSystem& files, const fs::path& from, const fs::path& to) {
    auto data = files.readAll(from);
    auto when = files.modified(from);
    if (!data || !when) return false;
    if (!files.replaceWhole(to, *data)) return false;
    // The time stamp is what a management-data restore compares, so it must come along.
    if (!setModifiedTime(to, *when)) return false;
    auto back = files.readAll(to);
    return back && *back == *data;
}

Outcome backupToFolder(AppContext& ctx, Dialogs& dialogs, DiskQuestions& disk, Volumes& volumes,
                       const fs::path& managementFile) {
    const fs::path folder = managementFile.parent_path();
    if (!volumes.freeBytes(folder)) {
        dialogs.message(msg::kCannotMeasure);
        return Outcome::Failed;
    }
    const auto from = volumes.device(ctx.programFolder()), to = volumes.device(folder);
    if (!from || !to || *from == *to) {
        dialogs.message(msg::kSameDrive);
        return Outcome::Failed;
    }
    ManagementRecord record{};
    record.format = kManagementFormat;
    const std::vector<YearFile> list = managementFiles(ctx);
    for (size_t k = 0; k < list.size(); ++k) {
        const YearFile& f = list[k];
        const auto size = ctx.files.size(f.live);
        if (!size) continue;  // missing: its entry stays zero
        if (!f.backingUp.empty()) dialogs.progress(static_cast<int>(k), kManagementFiles, f.backingUp);
        for (;;) {
            const uint64_t free = volumes.freeBytes(folder).value_or(0);
            if (free >= *size + 1024) break;
            const std::string text = sizes(msg::kFileLength, *size, free) + msg::kNotEnoughSpace;
            if (disk.retryOrCancel(text) != DiskAnswer::Retry) {
                dialogs.progress(kManagementFiles, kManagementFiles, {});
                return Outcome::Cancelled;
            }
        }
        bool copied = false;
        if (!underDataLock(ctx, dialogs, [&] {
                const auto when = ctx.files.modified(f.live);
                copied = when && copyVerified(ctx.files, f.live, folder / f.name);
                if (copied) record.files[k] = stampOf(*when);
            })) {
            dialogs.progress(kManagementFiles, kManagementFiles, {});
            return Outcome::Failed;
        }
        if (!copied) {
            dialogs.progress(kManagementFiles, kManagementFiles, {});
            dialogs.message(format(msg::kCopyFailed, (folder / f.name).string()));
            return Outcome::Failed;
        }
    }
    // The qualified-invoice file goes beside the listed files; without one, a copy an
    // earlier backup left in the folder goes, so a restore never brings back a stale number.
    const YearFile invoice = invoiceFile(ctx);
    const fs::path invoiceCopy = resolveCase(folder / invoice.name);
    bool invoiceDone = false;
    if (!underDataLock(ctx, dialogs, [&] {
            invoiceDone = ctx.files.exists(invoice.live)
                              ? copyVerified(ctx.files, invoice.live, invoiceCopy)
                              : !ctx.files.exists(invoiceCopy) || ctx.files.remove(invoiceCopy);
        })) {
        dialogs.progress(kManagementFiles, kManagementFiles, {});
        return Outcome::Failed;
    }
    if (!invoiceDone) {
        dialogs.progress(kManagementFiles, kManagementFiles, {});
        dialogs.message(format(msg::kCopyFailed, invoiceCopy.string()));
        return Outcome::Failed;
    }
    const auto bytes = bytesOf(record);
    dialogs.progress(kManagementFiles, kManagementFiles, {});
    if (!ctx.files.replaceWhole(managementFile, bytes)) {
        dialogs.message(format(msg::kManagementWriteFailed, managementFile.string()));
        return Outcome::Failed;
    }
    return Outcome::Done;
}

std::optional<std::string_view> archiveNameProblem(const fs::path& chosen) {
    if (!chosen.is_absolute()) return msg::kNoColon;
    const std::string name = cp932::fromUtf8(chosen.filename().string());
    if (name.size() > 12) return msg::kNameTooLong;
    std::string ext = name.size() >= 3 ? name.substr(name.size() - 3) : std::string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    if (ext != "lzh") return msg::kNotLzh;
    if (name.size() < 4 || name[name.size() - 4] != '.') return msg::kNoPeriod;
    return std::nullopt;
}

std::string defaultArchiveName(const AppContext& ctx) { return yearText(ctx) + msg::kArchiveNameSuffix; }

Outcome backupToArchive(AppContext& ctx, Dialogs& dialogs, DiskQuestions& disk, Volumes& volumes,
                        const fs::path& chosen) {
    if (auto problem = archiveNameProblem(chosen)) {
        dialogs.message(*problem);
        return Outcome::Failed;
    }
    const fs::path built = ctx.programFolder() / chosen.filename();
    ArchiveResult made;
    if (!underDataLock(ctx, dialogs, [&] { made = createArchive(ctx.files, built, archiveInputs(ctx)); }))
        return Outcome::Failed;
    if (!made.ok()) {
        dialogs.message(format(msg::kArchiveFailed, made.file));
        return Outcome::Failed;
    }
    const fs::path folder = chosen.parent_path();
    auto free = volumes.freeBytes(folder);
    if (!free) {
        dialogs.message(msg::kCannotMeasure);
        return Outcome::Failed;
    }
    for (;;) {
        const uint64_t length = ctx.files.size(built).value_or(0);
        const uint64_t sizeKb = length / 1000 + 1;
        // The copy the client stations' data operation imports.
        if (!copyVerified(ctx.files, built, ctx.programFolder() / msg::kHostCopyName)) {
            dialogs.message(format(msg::kCopyFailed, (ctx.programFolder() / msg::kHostCopyName).string()));
            return Outcome::Failed;
        }
        const uint64_t freeKb = *free / 1000 + ctx.files.size(chosen).value_or(0) / 1000;
        if (freeKb >= sizeKb || sameFile(built, chosen)) break;
        const std::string text = sizes(msg::kArchiveLength, sizeKb, freeKb) + msg::kNotEnoughSpace;
        if (disk.retryOrCancel(text) != DiskAnswer::Retry) return Outcome::Cancelled;
        free = volumes.freeBytes(folder);
        if (!free) {
            dialogs.message(msg::kCannotMeasure);
            return Outcome::Failed;
        }
    }
    dialogs.progress(0, 1, msg::kCopying);
    std::vector<fs::path> targets = {chosen};
    const fs::path slipFolder = ctx.fileSet[kSlipLines].parent_path();
    if (volumes.device(slipFolder) != volumes.device(ctx.programFolder()))
        targets.push_back(slipFolder / chosen.filename());
    for (const fs::path& target : targets) {
        if (sameFile(built, target)) continue;
        if (!copyVerified(ctx.files, built, target) || !verifyArchive(target, made.entries).ok()) {
            dialogs.progress(1, 1, {});
            dialogs.message(format(msg::kCopyFailed, target.string()));
            return Outcome::Failed;
        }
    }
    dialogs.progress(1, 1, {});
    return Outcome::Done;
}

fs::path currentAutoArchive(const AppContext& ctx) { return ctx.programFolder() / (yearText(ctx) + "Data.Lzh"); }

fs::path generationArchive(const AppContext& ctx, int k) {
    return ctx.programFolder() / (std::string("Bak") + static_cast<char>('A' + k) + ".Lzh");
}

ExitBackup exitBackup(AppContext& ctx, Dialogs& dialogs) {
    if (ctx.env.autoBackupOff == 1) return ExitBackup::Skipped;
    const auto slips = ctx.files.modified(ctx.fileSet[kSlipLines]);
    if (!slips || !ctx.files.exists(ctx.fileSet[kSlipLines])) return ExitBackup::Skipped;
    const fs::path current = resolveCase(currentAutoArchive(ctx));
    const auto archived = ctx.files.exists(current) ? ctx.files.modified(current) : std::nullopt;
    if (archived && dateValue(*slips) - dateValue(*archived) <= 3) return ExitBackup::Unchanged;

    auto failed = [&](const fs::path& file) {
        dialogs.message(format(msg::kExitBackupFailed, file.string()));
        return ExitBackup::Failed;
    };
    // Each generation moves one name down; the oldest falls off the end.
    for (int k = kGenerations - 2; k >= 0; --k) {
        const fs::path from = resolveCase(generationArchive(ctx, k));
        if (ctx.files.exists(from) && !ctx.files.rename(from, generationArchive(ctx, k + 1))) return failed(from);
    }
    if (ctx.files.exists(current) && !ctx.files.rename(current, generationArchive(ctx, 0))) return failed(current);

    std::vector<ArchiveInput> inputs;
    for (const fs::path& f : yearFiles(ctx.fileSet.dataFolder, yearText(ctx), {".ft1", ".ft2"}))
        inputs.push_back({f, f.filename().string()});
    ArchiveResult made;
    const fs::path archive = currentAutoArchive(ctx);
    if (!underDataLock(ctx, dialogs, [&] { made = createArchive(ctx.files, archive, inputs); }))
        return ExitBackup::Failed;
    if (!made.ok()) return failed(made.file);
    // Stamped with today, which the next exit compares with.
    (void)setModifiedTime(archive, ctx.clock.now());
    return ExitBackup::Made;
}

}  // namespace rk::maintenance
