// The operator's two backups and the automatic one at exit. The management-data method
// copies the 28 files of the year one by one into a folder on another device and writes a
// 1024-byte management file with each file's time stamp; the compressed-file method packs
// the year into one LHA archive and copies it there; the automatic backup keeps 21
// generations of archives in the program folder. Every copy and every archive is read back
// and checked before a backup counts as made.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "app/app_context.h"
#include "base/dialogs.h"
#include "maintenance/disk_questions.h"
#include "platform/volumes.h"

namespace rk::maintenance {

enum class Outcome { Done, Cancelled, Failed };

inline constexpr int32_t kManagementFormat = 701;

// One file's time stamp in the management file; day of week 1 (Sunday) to 7.
struct ManagementStamp {
    int32_t year, month, day, hour, minute, weekday, spare1, spare2;
    bool operator==(const ManagementStamp&) const = default;
};
struct ManagementRecord {
    int32_t format;
    int32_t zero[8];
    ManagementStamp files[28];
    int32_t tail[23];
};
static_assert(sizeof(ManagementStamp) == 32);
static_assert(sizeof(ManagementRecord) == 1024);
static_assert(offsetof(ManagementRecord, files) == 36);
static_assert(offsetof(ManagementRecord, tail) == 932);

ManagementStamp stampOf(const FileTime& t);

// Copies a file whole, keeping its modification time: written beside the destination,
// synced, renamed over it and read back. False when any of it fails; the destination is then
// as it was.
bool copyVerified(FileSystem& files, const fs::path& from, const fs::path& to);

// The management-data method into the folder of `managementFile`.
Outcome backupToFolder(AppContext& ctx, Dialogs& dialogs, DiskQuestions& disk, Volumes& volumes,
                       const fs::path& managementFile);

// What is wrong with an archive path the operator chose (the message), nullopt when it is fine.
std::optional<std::string_view> archiveNameProblem(const fs::path& chosen);

// The compressed-file method: the archive is made in the program folder under the chosen
// name, checked, and copied to `chosen` (and into the data folder when that is on another
// device, for the client stations).
Outcome backupToArchive(AppContext& ctx, Dialogs& dialogs, DiskQuestions& disk, Volumes& volumes,
                        const fs::path& chosen);

// The default archive name of the year ("2026年dt.Lzh").
std::string defaultArchiveName(const AppContext& ctx);

enum class ExitBackup { Skipped, Unchanged, Made, Failed };

// The automatic backup at the exit of a stand-alone station: a new generation when the slip
// line file changed more than three days after the newest archive.
ExitBackup exitBackup(AppContext& ctx, Dialogs& dialogs);

// The newest automatic archive and its 20 older generations, newest first.
fs::path currentAutoArchive(const AppContext& ctx);
inline constexpr int kGenerations = 20;
fs::path generationArchive(const AppContext& ctx, int k);  // k 0 = BakA … 19 = BakT

}  // namespace rk::maintenance
