// Bringing the year's files back from a backup: an automatic archive, an archive of the
// compressed-file method or a management-data backup. A restore that replaced files ends the
// program (the open windows hold the old files), and nothing of the old run is written back.
#pragma once

#include <vector>

#include "app/app_context.h"
#include "base/dialogs.h"
#include "maintenance/disk_questions.h"
#include "platform/volumes.h"

namespace rk::maintenance {

struct AutoBackup {
    fs::path file;
    bool exists = false;
    FileTime when{};
};

// The 21 automatic archives, newest first (the current one, then BakA to BakT); the window
// offers the first 20.
std::vector<AutoBackup> automaticBackups(const AppContext& ctx);
inline constexpr int kOfferedBackups = 20;

// The folder archives are expanded in.
fs::path workFolder(const AppContext& ctx);

enum class RestoreEnd {
    Stayed,      // refused, answered No or cancelled: the program goes on
    EndProgram,  // files were replaced: the program must end now, writing nothing back
};

// Whether stations other than this one are registered and running on the shared folder
// (they would go on writing into the replaced files). Says so when they are, with `message`
// (the restore's text when empty).
bool refusedForStations(AppContext& ctx, Dialogs& dialogs, std::string_view message = {});

RestoreEnd restoreAutomatic(AppContext& ctx, Dialogs& dialogs, const fs::path& archive);
RestoreEnd restoreArchive(AppContext& ctx, Dialogs& dialogs, const fs::path& archive);
RestoreEnd restoreManagement(AppContext& ctx, Dialogs& dialogs, DiskQuestions& disk, Volumes& volumes,
                             const fs::path& managementFile);

}  // namespace rk::maintenance
