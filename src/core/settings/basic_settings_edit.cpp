#include "settings/basic_settings_edit.h"

#include <algorithm>
#include <cstring>

#include "base/cp932.h"
#include "platform/instance_lock.h"
#include "platform/shared_write.h"
#include "settings/messages.h"
#include "slips/slip_index.h"

namespace rk::settings {

int normaliseYear(int y) {
    if (y >= 51 && y <= 99)
        y += 1900;
    else if (y >= 0 && y <= 50)
        y += 2000;
    return std::clamp(y, 1950, 2050);
}

int normaliseFirstMonth(int m) { return std::clamp(m, 1, 12); }

double normaliseTaxRate(double t) { return t < 0 ? 0.0 : t; }

bool sameFolderText(const char (&a)[40], const char (&b)[40]) {
    auto trimmed = [](const char(&f)[40]) {
        std::string s(f, cp932::fieldLength(f, 38));
        while (!s.empty() && s.back() == ' ') s.pop_back();
        return s;
    };
    return trimmed(a) == trimmed(b);
}

int32_t storedPassword(AppContext& ctx) {
    int32_t v = readDataPassword(ctx.files, ctx.fileSet[kSlipHeaders]);
    return (v > 9999 || v < 0) ? 0 : v;
}

PasswordChange passwordChange(int32_t s, int32_t c, int32_t n) {
    if (s == c && c == 0) return n != 0 ? PasswordChange::New : PasswordChange::None;
    if (s == c) return n != 0 ? (n == s ? PasswordChange::None : PasswordChange::Changed) : PasswordChange::Removed;
    // Typing nothing leaves a set password alone; a wrong one is told, not ignored.
    return (c == 0 && n == 0) ? PasswordChange::None : PasswordChange::WrongCurrent;
}

namespace {

bool writePassword(AppContext& ctx, int32_t value) {
    SharedWrite w(ctx.files, ctx.fileSet.dataFolder);
    if (!w.ready()) return false;
    Bytes b(4);
    writeI32(b, 0, value);
    w.transaction().write(ctx.fileSet[kSlipHeaders], 764, b);
    return w.commit().ok();
}

bool askAndWritePassword(AppContext& ctx, Dialogs& dialogs, int32_t current, int32_t typedNew) {
    if (ctx.edition == Edition::Finance || !ctx.files.writable(ctx.fileSet[kSlipHeaders])) return false;
    const char* question = nullptr;
    int32_t value = 0;
    switch (passwordChange(storedPassword(ctx), current, typedNew)) {
        case PasswordChange::None:
            return false;
        case PasswordChange::WrongCurrent:
            dialogs.message(msg::kPasswordWrong);
            return false;
        case PasswordChange::New:
            question = msg::kPasswordNew;
            value = typedNew;
            break;
        case PasswordChange::Changed:
            question = msg::kPasswordChanged;
            value = typedNew;
            break;
        case PasswordChange::Removed:
            question = msg::kPasswordRemoved;
            value = 0;
            break;
    }
    if (dialogs.ask(question, Buttons::YesNo, Answer::No) != Answer::Yes) return false;
    return writePassword(ctx, value);
}

Edition nextEdition(Edition e) { return static_cast<Edition>(number(e) % 3 + 1); }

}  // namespace

BasicSettings patchOtherEdition(const BasicSettings& other, const BasicSettings& saved) {
    BasicSettings r = other;
    // The other editions show at most 20 bytes of the name; cut where a character ends.
    std::string name(saved.name, cp932::fieldLength(saved.name, sizeof saved.name));
    cp932::assignRaw(r.name, sizeof r.name, name.substr(0, cp932::cutAtCharBoundary(name, 20)));
    std::memcpy(r.phone, saved.phone, sizeof r.phone);
    std::memcpy(r.address, saved.address, sizeof r.address);
    std::memcpy(r.masterFolder, saved.masterFolder, sizeof r.masterFolder);
    std::memcpy(r.dataFolder, saved.dataFolder, sizeof r.dataFolder);
    r.firstMonth = saved.firstMonth;
    return r;
}

SaveOutcome save(AppContext& ctx, Dialogs& dialogs, const BasicSettings& edited, int32_t typedCurrent,
                 int32_t typedNew) {
    SaveOutcome out;
    const BasicSettings before = ctx.settings;
    FileSystem& fs = ctx.files;
    const FileSet& f = ctx.fileSet;
    // The edited fields go to the settings file now, so a failure is seen while the window
    // is open (the record stays unsaved and the window open).
    ctx.settings = edited;
    if (WriteResult r = ctx.storeSettings(); !r.ok()) {
        ctx.settings = before;
        dialogs.message(r.message(msg::kSettingsWriteFailed), Icon::Stop);
        out.failed = true;
        return out;
    }
    out.restartNeeded = edited.businessYear != before.businessYear || edited.firstMonth != before.firstMonth ||
                        !sameFolderText(edited.dataFolder, before.dataFolder);
    out.passwordWritten = askAndWritePassword(ctx, dialogs, typedCurrent, typedNew);

    auto copy = [&](const fs::path& file, const BasicSettings& after) {
        WriteResult r;
        if (auto live = readSettings(fs, file))
            r = writeSettingsChanges(fs, file, *live, after);
        else if (!writeSettings(fs, file, after))
            r = WriteResult::failed();
        if (!r.ok()) dialogs.message(r.message(msg::kSettingsWriteFailed), Icon::Stop);
    };
    copy(f.settingsBackup(ctx.edition), edited);
    for (Edition e = nextEdition(ctx.edition); e != ctx.edition; e = nextEdition(e)) {
        auto other = readSettings(fs, f.settingsFile(e));
        BasicSettings patched = other ? patchOtherEdition(*other, edited) : edited;
        copy(f.settingsFile(e), patched);
        copy(f.settingsBackup(e), patched);
    }
    return out;
}

bool restoreFromBackup(AppContext& ctx, Dialogs& dialogs) {
    auto backup = readSettings(ctx.files, ctx.fileSet.settingsBackup(ctx.edition));
    if (!backup) {
        dialogs.message(msg::kNoBackup);
        return false;
    }
    // The backup replaces the settings file whole, under the lock of its folder; the success
    // message only follows a write that happened.
    WriteResult r;
    {
        SharedWrite w(ctx.files, ctx.settingsFile().parent_path());
        if (!w.ready())
            r = w.result();
        else if (!writeSettings(ctx.files, ctx.settingsFile(), *backup))
            r = WriteResult::failed();
    }
    if (!r.ok()) {
        dialogs.message(r.message(msg::kSettingsWriteFailed), Icon::Stop);
        return false;
    }
    ctx.settings = ctx.storedSettings = *backup;
    dialogs.message(msg::kRestoredFromBackup);
    return true;
}

bool takeRegistrationNumber(InvoiceSettings& edited, std::string_view typed, Dialogs& dialogs) {
    const bool blank = typed.find_first_not_of(" ") == std::string_view::npos;
    if (blank) {
        std::memset(edited.number, 0, sizeof edited.number);
        edited.qualified = 0;
        return true;
    }
    const auto shaped = normaliseRegistrationNumber(typed);
    if (!shaped) {
        dialogs.beep();
        dialogs.message(msg::kRegistrationNumberShape);
        return false;
    }
    std::memset(edited.number, 0, sizeof edited.number);
    std::memcpy(edited.number, shaped->data(), shaped->size());
    return true;
}

bool setQualified(InvoiceSettings& edited, bool on, Dialogs& dialogs) {
    if (on && edited.numberText().empty()) {
        dialogs.beep();
        dialogs.message(msg::kRegistrationNumberMissing);
        return false;
    }
    edited.qualified = on ? 1 : 0;
    return true;
}

bool saveInvoice(AppContext& ctx, Dialogs& dialogs, const InvoiceSettings& before, const InvoiceSettings& edited) {
    if (std::memcmp(&edited, &before, sizeof edited) == 0) return true;
    const WriteResult r = writeInvoiceSettings(ctx.files, ctx.programFolder(), before, edited);
    if (!r.ok()) {
        dialogs.message(r.message(msg::kInvoiceWriteFailed), Icon::Stop);
        return false;
    }
    return true;
}

bool editionRunning(const AppContext& ctx, Edition e) {
    return InstanceLock::heldByAnyone(ctx.fileSet.instanceLockFile(e));
}

}  // namespace rk::settings
