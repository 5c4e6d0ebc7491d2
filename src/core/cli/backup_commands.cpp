#include "cli/backup_commands.h"

#include "maintenance/backup.h"
#include "maintenance/messages.h"
#include "maintenance/restore.h"
#include "platform/instance_lock.h"

namespace rk::cli {
namespace {

namespace mt = maintenance;

// A nightly job has nobody to ask: questions about space take Cancel, a restore goes ahead
// (asking for it was the operator's answer), a file missing from the backup is passed over
// and counted. Every text goes to stderr.
class UnattendedDialogs final : public CliDialogs {
public:
    using CliDialogs::CliDialogs;
    Answer ask(std::string_view text, Buttons buttons, Answer preselected, Icon icon) override {
        CliDialogs::ask(text, buttons, preselected, icon);
        return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel ? Answer::Yes : Answer::Cancel;
    }
};

class UnattendedDisk final : public mt::DiskQuestions {
public:
    explicit UnattendedDisk(std::ostream& err) : err_(err) {}
    mt::DiskAnswer retryOrCancel(std::string_view text) override {
        err_ << text << '\n';
        return mt::DiskAnswer::Cancel;
    }
    mt::DiskAnswer abortRetryIgnore(std::string_view text) override {
        err_ << text << '\n';
        return mt::DiskAnswer::Ignore;
    }

private:
    std::ostream& err_;
};

// The CLI works on a folder of its own: the program folder's paths must be absolute.
fs::path absolutePath(const std::string& s) { return fs::absolute(fs::path(s)).lexically_normal(); }

}  // namespace

int runBackup(const Args& a, Io& io) {
    const bool archive = a.has("--archive"), folder = a.has("--folder");
    if (archive == folder || (archive && a.has("--management"))) {
        io.err << "rakurena backup: give either --archive FILE.Lzh or --folder DIR\n";
        return kUsage;
    }
    AppContext ctx(a.edition, fs::absolute(a.positional[0]));
    if (!loadInstallation(ctx, io)) return kFailed;
    UnattendedDialogs dialogs(io.err);
    UnattendedDisk disk(io.err);
    mt::Outcome o;
    fs::path written;
    if (archive) {
        written = absolutePath(*a.get("--archive"));
        o = mt::backupToArchive(ctx, dialogs, disk, systemVolumes(), written);
    } else {
        const fs::path dir = absolutePath(*a.get("--folder"));
        written = dir / a.get("--management").value_or(mt::msg::kManagementFileName);
        o = mt::backupToFolder(ctx, dialogs, disk, systemVolumes(), written);
    }
    if (o != mt::Outcome::Done) return kFailed;
    io.out << "backed up " << ctx.settings.businessYear << " to " << written.string() << '\n';
    return kOk;
}

int runRestore(const Args& a, Io& io) {
    const bool archive = a.has("--archive"), management = a.has("--management");
    if (archive == management) {
        io.err << "rakurena restore: give either --archive FILE.Lzh or --management FILE\n";
        return kUsage;
    }
    AppContext ctx(a.edition, fs::absolute(a.positional[0]));
    if (!loadInstallation(ctx, io)) return kFailed;
    // The windows of a running copy hold the files a restore replaces.
    for (Edition e : {Edition::Sales, Edition::Purchase}) {
        if (InstanceLock::heldByAnyone(ctx.fileSet.instanceLockFile(e))) {
            io.err << mt::msg::kProgramRunning << '\n';
            return kFailed;
        }
    }
    UnattendedDialogs dialogs(io.err);
    UnattendedDisk disk(io.err);
    const mt::RestoreEnd end =
        archive ? mt::restoreArchive(ctx, dialogs, absolutePath(*a.get("--archive")))
                : mt::restoreManagement(ctx, dialogs, disk, systemVolumes(), absolutePath(*a.get("--management")));
    if (end != mt::RestoreEnd::EndProgram) return kFailed;
    io.out << "restored " << ctx.settings.businessYear << " into " << ctx.programFolder().string() << '\n';
    return kOk;
}

}  // namespace rk::cli
