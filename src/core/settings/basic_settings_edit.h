// The rules of the basic settings window, apart from the window: field normalisation, the
// data password, saving with the copy to the other editions, restore from the backup.
#pragma once

#include <cstdint>
#include <string_view>

#include "app/app_context.h"
#include "app/invoice_settings.h"
#include "base/dialogs.h"

namespace rk::settings {

// Typed year: 51..99 are 1951..1999, 0..50 are 2000..2050; then limited to 1950..2050.
int normaliseYear(int typed);
int normaliseFirstMonth(int typed);
double normaliseTaxRate(double typed);

// Data folder fields compare without their trailing blanks (38 characters are edited).
bool sameFolderText(const char (&a)[40], const char (&b)[40]);

// The password stored in the slip header file's record 0 (above 9999 counts as none).
int32_t storedPassword(AppContext& ctx);

enum class PasswordChange { None, New, Changed, Removed, WrongCurrent };
PasswordChange passwordChange(int32_t stored, int32_t typedCurrent, int32_t typedNew);

struct SaveOutcome {
    bool restartNeeded = false;  // year, first month or data folder changed
    bool passwordWritten = false;
    bool failed = false;  // the settings file could not be written (shown); nothing saved
};

// Saves the edited copy: password (asking first), the in-memory record, the backup file, the
// other two editions' settings and backups. When a restart is needed the caller tells the
// other running editions and ends the program.
SaveOutcome save(AppContext& ctx, Dialogs& dialogs, const BasicSettings& edited, int32_t typedCurrent,
                 int32_t typedNew);

// The other edition's record patched with the shared fields of `saved`.
BasicSettings patchOtherEdition(const BasicSettings& other, const BasicSettings& saved);

// Restore: the backup becomes the settings file. False (after the message) without a backup.
bool restoreFromBackup(AppContext& ctx, Dialogs& dialogs);

// The registration number typed into its field: stored in its normal shape ("T" and 13
// digits), or refused with the message (false; `edited` unchanged). An empty field clears the
// number, and with it the switch.
bool takeRegistrationNumber(InvoiceSettings& edited, std::string_view typedUtf8, Dialogs& dialogs);
// The qualified-invoice switch; turning it on without a number is refused with the message.
bool setQualified(InvoiceSettings& edited, bool on, Dialogs& dialogs);
// Writes the registration number and switch when they differ from `before` (as the window
// read them); false after the message when the file could not be written.
bool saveInvoice(AppContext& ctx, Dialogs& dialogs, const InvoiceSettings& before, const InvoiceSettings& edited);

// Whether an edition's program is running from this program folder.
bool editionRunning(const AppContext& ctx, Edition e);

}  // namespace rk::settings
