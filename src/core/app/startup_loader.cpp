#include "app/startup_loader.h"

#include <charconv>
#include <cstring>

#include "app/invoice_settings.h"
#include "app/messages.h"
#include "app/year_files.h"
#include "base/cp932.h"
#include "masters/messages.h"
#include "platform/rollback_journal.h"
#include "platform/shared_write.h"
#include "slips/slip_index.h"

namespace rk {
namespace {

bool sameFolder(const fs::path& a, const fs::path& b) {
    std::error_code ec1, ec2;
    return fs::weakly_canonical(a, ec1) == fs::weakly_canonical(b, ec2);
}

// Creates a file of zero bytes only when it is absent: an existing file is a business's data.
bool createIfMissing(FileSystem& fs, const fs::path& p, uint64_t zeros) {
    return fs.exists(p) || fs.createZeroed(p, zeros);
}

std::optional<int64_t> parseDecimal(const std::string& text) {
    size_t b = text.find_first_not_of(' '), e = text.find_last_not_of(' ');
    if (b == std::string::npos) return std::nullopt;
    int64_t v = 0;
    auto [ptr, ec] = std::from_chars(text.data() + b, text.data() + e + 1, v);
    if (ec != std::errc() || ptr != text.data() + e + 1) return std::nullopt;
    return v;
}

// Member stations keep local copies of the masters; a newer server copy is offered.
void refreshMemberMasters(AppContext& ctx, Dialogs& dialogs) {
    FileSystem& fs = ctx.files;
    const MasterSlot order[5] = {kCustomers, kProducts, kGrades, kAccounts, kRemarks};
    for (int i = 0; i < 5; ++i) {
        const fs::path& local = ctx.fileSet.master[order[i]];
        const fs::path& server = ctx.fileSet.serverMaster[order[i]];
        auto serverTime = fs.modified(server);
        auto localTime = fs.modified(local);
        if (!serverTime || !localTime || *serverTime <= *localTime) continue;
        if (dialogs.ask(msg::kServerMasterNewer[i], Buttons::YesNo, Answer::No) == Answer::Yes) {
            if (!fs.copy(server, local)) dialogs.message(msg::kCannotCreate);
        }
    }
}

bool ensureMasters(AppContext& ctx, Dialogs& dialogs) {
    FileSystem& fs = ctx.files;
    for (MasterSlot slot : {kCustomers, kProducts, kGrades, kAccounts, kRemarks}) {
        const fs::path& p = ctx.fileSet.master[slot];
        bool ok;
        if (fs.exists(p)) {
            // Never recreate a master that is only locked or read-only: that would wipe it.
            ok = fs.writable(p);
        } else if (slot == kAccounts) {
            ok = fs.replaceWhole(p, defaultAccountFile());
        } else {
            ok = fs.createZeroed(p, masterCreationSize(slot));
        }
        if (!ok) {
            dialogs.message(msg::kFolderWriteProtected, Icon::Stop);
            return false;
        }
    }
    return true;
}

bool checkPassword(AppContext& ctx, Dialogs& dialogs, StartupPrompts& prompts) {
    ctx.password = readDataPassword(ctx.files, ctx.fileSet[kSlipHeaders]);
    if (!passwordSet(ctx.password)) return true;
    auto typed = prompts.password();
    if (!typed) return false;
    auto value = parseDecimal(*typed);
    if (value && *value == ctx.password) return true;
    dialogs.message(msg::kWrongPassword, Icon::Stop);
    return false;
}

bool checkIndexes(AppContext& ctx, Dialogs& dialogs) {
    FileSystem& fs = ctx.files;
    const FileSet& f = ctx.fileSet;
    const bool shared = ctx.settings.lanMode == 2 || ctx.memberNumber >= 1;
    if (shared) {
        auto idx = fs.size(f[kIndex1]);
        auto hdr = fs.size(f[kSlipHeaders]);
        if (idx && hdr && indexesConsistent(*idx, *hdr)) return true;
        dialogs.message(msg::kIndexInconsistent);
    }
    // Under the lock, after a crashed station's journal is rolled back: an entry another
    // station writes meanwhile is never lost.
    if (rebuildIndexesLocked(fs, f.dataFolder, f[kSlipHeaders], f[kIndex1], f[kIndex2])) return true;
    dialogs.message(WriteResult::failed().message(msg::kCannotCreate), Icon::Stop);
    return false;
}

// The account-item file exists by now (ensureMasters made a missing one). One that cannot be
// read is a business's books all the same: it is left as it is and the start ends.
bool readEnvironmentBlock(AppContext& ctx, Dialogs& dialogs) {
    const fs::path& accounts = ctx.fileSet[kAccounts];
    auto env = readEnvironment(ctx.files, accounts, ctx.edition);
    if (!env) {
        dialogs.message(WriteResult::failed().message(msg::kAccountFileMissing), Icon::Stop);
        return false;
    }
    ctx.env = *env;
    normalise(ctx.env, ctx.edition);
    for (int i = 0; i < 3; ++i) ctx.colours[i] = toRgb(ctx.env.colours[i]);
    return true;
}

bool ensureLateDataFiles(AppContext& ctx, Dialogs& dialogs) {
    FileSystem& fs = ctx.files;
    const FileSet& f = ctx.fileSet;
    if (!fs.exists(f[kPayments])) {
        dialogs.message(msg::kPaymentDataMissing);
        if (!fs.createZeroed(f[kPayments], 2432)) return false;
    }
    if (!fs.exists(f[kRemarkTexts])) {
        dialogs.message(msg::kRemarkDataMissing);
        if (!fs.createZeroed(f[kRemarkTexts], 100)) return false;
    }
    // The home-delivery slip file starts with two blank records of 352 bytes.
    return createIfMissing(fs, f[kSharedData], 0) && createIfMissing(fs, f[kHomeDelivery], 2 * 352);
}

}  // namespace

uint64_t masterCreationSize(MasterSlot slot) {
    switch (slot) {
        case kCustomers:
            return 1001 * 480;
        case kProducts:
            return 1001 * 192;
        case kGrades:
            return 101 * 48;
        case kAccounts:
            return 600 * 64;
        case kRemarks:
            return 1000 * 100;
        default:
            return 0;
    }
}

void buildYearFiles(AppContext& ctx) {
    const fs::path& program = ctx.programFolder();
    const bool member = ctx.memberNumber >= 1;
    fs::path data = folderFromField(ctx.settings.dataFolder, program);
    ctx.fileSet = buildFileSet(ctx.edition, program, data, ctx.settings.businessYear, member);
    // The master folder field records the choice: the data folder's text, or empty (the
    // program folder) for a member station.
    if (member)
        std::memset(ctx.settings.masterFolder, 0, sizeof ctx.settings.masterFolder);
    else
        std::memcpy(ctx.settings.masterFolder, ctx.settings.dataFolder, sizeof ctx.settings.masterFolder);
}

bool writeNewInstallation(AppContext& ctx, const BasicSettings& defaults) {
    FileSystem& fs = ctx.files;
    if (!writeSettings(fs, ctx.settingsFile(), defaults)) return false;
    char name[32];
    std::snprintf(name, sizeof name, "S7md%04d.FT1", static_cast<int>(defaults.businessYear % 10000));
    fs::path accounts = ctx.programFolder() / name;
    return fs.exists(accounts) || fs.replaceWhole(accounts, defaultAccountFile());
}

bool createYearData(AppContext& ctx) {
    FileSystem& fs = ctx.files;
    const FileSet& f = ctx.fileSet;
    return createIfMissing(fs, f[kSlipLines], 224) && createIfMissing(fs, f[kSlipHeaders], 768) &&
           createIfMissing(fs, f[kPayments], 2432) && createIfMissing(fs, f[kRemarkTexts], 100) &&
           createIfMissing(fs, f[kSharedData], 192);
}

StartupResult runStartupLoader(AppContext& ctx, Dialogs& dialogs, StartupPrompts& prompts, StationHook& station) {
    FileSystem& fs = ctx.files;

    auto stored = readSettings(fs, ctx.settingsFile());
    if (!stored) {
        if (dialogs.ask(msg::kSettingsMissing, Buttons::YesNo, Answer::No) != Answer::Yes) return StartupResult::End;
        BasicSettings defaults = defaultSettings(ctx.clock);
        if (!writeNewInstallation(ctx, defaults)) {
            dialogs.message(msg::kCannotCreate, Icon::Stop);
            return StartupResult::End;
        }
        ctx.settings = ctx.storedSettings = defaults;
        // The operator enters the real settings first; without that window the start goes
        // on with the defaults.
        if (prompts.openBasicSettingsAtStart()) return StartupResult::Run;
    } else if (!settingsUsable(*stored)) {
        // A short or damaged file: never build year files from year 0, never overwrite it.
        dialogs.message(msg::kSettingsDamaged, Icon::Stop);
        return StartupResult::End;
    } else {
        ctx.settings = ctx.storedSettings = *stored;
    }

    if (ctx.settings.inputYear < 1950) ctx.settings.inputYear = ctx.settings.businessYear;
    ctx.memberNumber = ctx.settings.memberNumber;
    // Read again at every print run; a damaged file is told once, here.
    if (readInvoiceSettings(fs, ctx.programFolder()).state == InvoiceFile::Damaged)
        dialogs.message(msg::kInvoiceSettingsDamaged);

    if (ctx.memberNumber >= 1) {
        fs::path serverSettings = folderFromField(ctx.settings.dataFolder, ctx.programFolder()) / "Fmst.Ft0";
        auto server = readSettings(fs, serverSettings);
        if (!server) {
            dialogs.message(msg::kServerSettingsUnreadable);
        } else {
            if (server->businessYear != ctx.settings.businessYear) dialogs.message(msg::kServerYearDiffers);
            ctx.settings.businessYear = server->businessYear;
            ctx.settings.inputYear = server->inputYear;
        }
    }

    buildYearFiles(ctx);

    if (ctx.memberNumber >= 1 && sameFolder(ctx.fileSet.dataFolder, ctx.programFolder())) {
        dialogs.message(msg::kMemberNumberIgnored);
        ctx.memberNumber = 0;
    }

    switch (station.registerAtStart(ctx, dialogs)) {
        case StationStart::Continue:
            break;
        case StationStart::OpenSettings:
            return prompts.openBasicSettingsAtStart() ? StartupResult::Run : StartupResult::End;
        case StationStart::End:
            return StartupResult::End;
    }

    if (!fs.exists(ctx.fileSet[kSlipHeaders])) {
        switch (prompts.newData()) {
            case StartupPrompts::NewData::Reconfigure:
                return prompts.openBasicSettingsAtStart() ? StartupResult::Run : StartupResult::End;
            case StartupPrompts::NewData::Convert:
                return prompts.openConversionAtStart() ? StartupResult::Run : StartupResult::End;
            case StartupPrompts::NewData::Cancel:
                return StartupResult::End;
            case StartupPrompts::NewData::Create:
                if (!createYearData(ctx)) {
                    dialogs.message(msg::kCannotCreate, Icon::Stop);
                    return StartupResult::End;
                }
                break;
        }
    }

    if (!ensureMasters(ctx, dialogs)) return StartupResult::End;
    if (ctx.memberNumber >= 1) refreshMemberMasters(ctx, dialogs);
    if (!checkPassword(ctx, dialogs, prompts)) return StartupResult::End;
    if (!recoverInterruptedWrite(fs, ctx.fileSet.dataFolder)) {  // a crashed write is undone first
        dialogs.message(msg::kCannotCreate, Icon::Stop);
        return StartupResult::End;
    }
    if (!checkIndexes(ctx, dialogs)) return StartupResult::End;
    if (!readEnvironmentBlock(ctx, dialogs)) return StartupResult::End;
    if (!ensureLateDataFiles(ctx, dialogs)) {
        dialogs.message(msg::kCannotCreate, Icon::Stop);
        return StartupResult::End;
    }
    return StartupResult::Run;
}

}  // namespace rk
