// The rules of the environment settings window, apart from the window.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "base/dialogs.h"

namespace rk::settings {

// List choices to stored values.
int customerCountFromChoice(int index, Edition e);  // 0: 999, 1: 1999, 2: 2999 (sales edition only)
int customerCountChoice(int count);
inline int inputPointFromChoice(int index) { return index + 4; }
inline int inputPointChoice(int point) { return (point >= 4 && point <= 6) ? point - 4 : 2; }

// Alt+S and Alt+D: each toggle tells the operator what it did.
void toggleAutoBackup(AppContext& ctx, Dialogs& dialogs);
void toggleCheckMode(AppContext& ctx, Dialogs& dialogs);

void restoreDefaultColours(AppContext& ctx);
// Sets colour n (0..2, 0xRRGGBB) in the block and the drawing state.
void setColour(AppContext& ctx, int n, uint32_t rgb);

// Writes what was edited (`edited` against `opened`, the block as the window opened on it)
// into the live block of the account-item file and makes the result the running block.
// Lowering the customer count asks first; false when the operator declines or the write
// fails (the failure is shown with its reason).
bool saveEnvironment(AppContext& ctx, Dialogs& dialogs, const EnvironmentBlock& opened, const EnvironmentBlock& edited);

struct AccountMatch {
    int code;
    std::string name;           // UTF-8
    std::string label() const;  // " %3d  " + name
};
// Account items 100..599 whose name contains `text` (whole characters). Nullopt when the
// account-item file cannot be opened.
std::optional<std::vector<AccountMatch>> findAccounts(AppContext& ctx, const std::string& utf8Text);

}  // namespace rk::settings
