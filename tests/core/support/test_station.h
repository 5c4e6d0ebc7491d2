// One station of a shared folder inside a test process: its own context, dialogs and
// registration. Several of them in one process behave as separate stations because each
// holds its station byte on its own open file description.
#pragma once

#include <memory>

#include "app/app_context.h"
#include "app/lan_control.h"
#include "app/lan_station.h"
#include "base/dialogs.h"
#include "support/temp_folder.h"

namespace rk::test {

struct TestStation {
    AppContext ctx;
    ScriptedDialogs dialogs;
    LanStation hook;

    TestStation(const fs::path& folder, int lanMode, FileSystem& files = realFileSystem())
        : ctx(Edition::Sales, folder, files) {
        ctx.settings.lanMode = lanMode;
        ctx.fileSet = buildFileSet(Edition::Sales, folder, folder, 2026, false);
    }
    StationStart start() { return hook.registerAtStart(ctx, dialogs); }
    int stop() {
        bool backup = false;
        return hook.unregisterAtExit(ctx, dialogs, backup);
    }
    LanControl lan() { return LanControl(ctx, dialogs); }
    const fs::path& file() const { return ctx.fileSet[kLanControl]; }
    LanTable table() { return *readTable(ctx.files, file()); }
};

inline std::unique_ptr<TestStation> started(const fs::path& folder, int lanMode) {
    auto s = std::make_unique<TestStation>(folder, lanMode);
    if (s->start() != StationStart::Continue) return nullptr;
    return s;
}

}  // namespace rk::test
