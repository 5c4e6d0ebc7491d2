#include "support/installation.h"

#include <gtest/gtest.h>

#include "app/startup_loader.h"

namespace rk::test {
namespace {

const FixedClock& testClock() {
    static const FixedClock clock(FileTime{2026, 4, 1, 9, 0, 0});
    return clock;
}

}  // namespace

Installation::Installation()
    : ctx(std::make_unique<AppContext>(Edition::Sales, folder.path(), realFileSystem(), testClock())) {
    BasicSettings s = defaultSettings(testClock());
    s.businessYear = s.inputYear = 2026;
    s.firstMonth = 1;
    EXPECT_TRUE(writeNewInstallation(*ctx, s));
    CreatingPrompts prompts;
    StandAloneStation station;
    EXPECT_EQ(runStartupLoader(*ctx, dialogs, prompts, station), StartupResult::Run);
}

Installation::Installation(CopyOf copy)
    : ctx(std::make_unique<AppContext>(Edition::Sales, folder.path(), realFileSystem(), testClock())) {
    fs::copy(copy.from.folder.path(), folder.path(),
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    ctx->settings = ctx->storedSettings = copy.from.ctx->settings;
    ctx->env = copy.from.ctx->env;
    ctx->memberNumber = copy.from.ctx->memberNumber;
    buildYearFiles(*ctx);
}

std::unique_ptr<AppContext> Installation::contextWith(FileSystem& fs) const {
    auto c = std::make_unique<AppContext>(ctx->edition, ctx->programFolder(), fs, ctx->clock);
    c->fileSet = ctx->fileSet;
    c->settings = ctx->settings;
    c->storedSettings = ctx->storedSettings;
    c->env = ctx->env;
    c->memberNumber = ctx->memberNumber;
    return c;
}

Bytes Installation::bytes(DataSlot slot) const { return ctx->files.readAll(ctx->fileSet[slot]).value_or(Bytes{}); }

}  // namespace rk::test
