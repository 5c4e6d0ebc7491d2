// What happens between the launch and the moment the operator can use the menus: reading
// the settings, building the year's file set, registering the station, creating what is
// missing, the password and the slip indexes.
#pragma once

#include <optional>
#include <string>

#include "app/app_context.h"
#include "app/station_hook.h"
#include "base/dialogs.h"

namespace rk {

// The start-up's own windows. The GUI shows dialogs; the command-line tool answers at once.
class StartupPrompts {
public:
    enum class NewData { Reconfigure, Create, Cancel, Convert };
    virtual ~StartupPrompts() = default;
    // The new-data dialog; its explanation button is handled inside and never returns here.
    virtual NewData newData() = 0;
    // The password prompt: the typed text, nullopt on Cancel.
    virtual std::optional<std::string> password() = 0;
    // Opens the basic settings window (or the conversion window) as part of the start-up.
    // False when that window is not available in this program.
    virtual bool openBasicSettingsAtStart() = 0;
    virtual bool openConversionAtStart() = 0;
};

// Unattended answers (the command-line tool, tests, benchmarks): create the year's data,
// no password, no windows.
class CreatingPrompts : public StartupPrompts {
public:
    NewData newData() override { return NewData::Create; }
    std::optional<std::string> password() override { return std::nullopt; }
    bool openBasicSettingsAtStart() override { return false; }
    bool openConversionAtStart() override { return false; }
};

enum class StartupResult { Run, End };

// Runs the loader steps in order. On Run the context holds the settings, the file set, the
// environment block and the password value.
StartupResult runStartupLoader(AppContext& ctx, Dialogs& dialogs, StartupPrompts& prompts, StationHook& station);

// The settings-missing procedure's defaults: a new settings file and, in the program folder,
// the account-item file of today's year when none can be opened. False when a write fails.
bool writeNewInstallation(AppContext& ctx, const BasicSettings& defaults);

// The new-data dialog's 新規作成: the year's empty data files. False when one cannot be created.
bool createYearData(AppContext& ctx);

// Builds the file set from the in-memory settings (loader steps 6 to 10 without messages).
void buildYearFiles(AppContext& ctx);

// The sizes the masters are created with when missing.
uint64_t masterCreationSize(MasterSlot slot);

}  // namespace rk
