#include "settings/environment_edit.h"

#include <cstdio>

#include "base/cp932.h"
#include "settings/messages.h"

namespace rk::settings {

int customerCountFromChoice(int index, Edition e) {
    if (e != Edition::Sales) return 999;
    return index == 1 ? 1999 : index == 2 ? 2999 : 999;
}

int customerCountChoice(int count) { return count >= 2999 ? 2 : count >= 1999 ? 1 : 0; }

void toggleAutoBackup(AppContext& ctx, Dialogs& dialogs) {
    ctx.env.autoBackupOff = ctx.env.autoBackupOff ? 0 : 1;
    dialogs.message(ctx.env.autoBackupOff ? msg::kAutoBackupOff : msg::kAutoBackupOn, Icon::Information);
}

void toggleCheckMode(AppContext& ctx, Dialogs& dialogs) {
    ctx.settings.systemCheckMode = ctx.settings.systemCheckMode ? 0 : 1;
    dialogs.message(ctx.settings.systemCheckMode ? msg::kCheckModeOn : msg::kCheckModeOff, Icon::Information);
}

void setColour(AppContext& ctx, int n, uint32_t rgb) {
    if (n < 0 || n > 2) return;
    ctx.env.colours[n] = toBgr(rgb);
    ctx.colours[n] = rgb;
}

void restoreDefaultColours(AppContext& ctx) {
    const EnvironmentBlock d = defaultEnvironment(ctx.edition);
    for (int i = 0; i < 3; ++i) setColour(ctx, i, toRgb(d.colours[i]));
}

bool saveEnvironment(AppContext& ctx, Dialogs& dialogs, const EnvironmentBlock& opened,
                     const EnvironmentBlock& edited) {
    if (edited.customerCount < ctx.env.customerCount &&
        dialogs.ask(msg::kCustomerCountLowered, Buttons::YesNo, Answer::No) != Answer::Yes)
        return false;
    const WriteResult r = writeEnvironmentChanges(ctx.files, ctx.fileSet[kAccounts], ctx.edition, opened, edited);
    if (!r.ok()) {
        dialogs.message(r.message(msg::kEnvironmentWriteFailed), Icon::Stop);
        return false;
    }
    ctx.env = edited;
    normalise(ctx.env, ctx.edition);
    for (int i = 0; i < 3; ++i) ctx.colours[i] = toRgb(ctx.env.colours[i]);
    return true;
}

std::string AccountMatch::label() const {
    char code3[16];
    std::snprintf(code3, sizeof code3, " %3d  ", code);
    return code3 + name;
}

std::optional<std::vector<AccountMatch>> findAccounts(AppContext& ctx, const std::string& utf8Text) {
    Bytes items(500 * 64);
    auto n = ctx.files.readZeroFilled(ctx.fileSet[kAccounts], 100 * 64, items);
    if (!n) return std::nullopt;
    const std::string needle = cp932::fromUtf8(utf8Text);
    std::vector<AccountMatch> out;
    for (int code = 100; code < 600; ++code) {
        const char* name = reinterpret_cast<const char*>(items.data() + (code - 100) * 64);
        std::string_view text(name, cp932::fieldLength(name, 32));
        if (text.empty() || cp932::findWhole(text, needle) == std::string_view::npos) continue;
        out.push_back({code, cp932::toUtf8(text)});
    }
    return out;
}

}  // namespace rk::settings
