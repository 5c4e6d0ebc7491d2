// Arbitrary basic settings and account-item (environment) files: what start-up and the
// commands take from them (year, first month, folders, frame, environment fix-ups) and a
// month table run with whatever first month they name. A short or damaged file must be
// refused or clamped, never index past the twelve periods or build names from year 0.
#include <cstdint>

#include "app/app_context.h"
#include "app/basic_settings.h"
#include "app/environment_block.h"
#include "app/year_files.h"
#include "fuzz_input.h"
#include "tables/table_engine.h"

using namespace rk;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::MemoryFileSystem mem;
    AppContext ctx(Edition::Sales, fuzz::lockFolder(), mem);
    const fs::path settingsFile = ctx.settingsFile();
    FileSet f = buildFileSet(Edition::Sales, fuzz::lockFolder(), fuzz::lockFolder(), 2026, false);
    fuzz::splitFiles(mem, {settingsFile, f[kAccounts], f[kSlipHeaders], f[kSlipLines]}, data, size, 16);

    auto s = readSettings(mem, settingsFile);
    if (!s) return 0;
    (void)clampedFrame(s);
    (void)folderFromField(s->dataFolder, fuzz::lockFolder());
    (void)folderFromField(s->masterFolder, fuzz::lockFolder());
    if (auto env = readEnvironment(mem, f[kAccounts], Edition::Sales)) normalise(*env, Edition::Sales);

    // The year's files as the settings name them: only from usable settings.
    if (settingsUsable(*s)) {
        f = buildFileSet(Edition::Sales, fuzz::lockFolder(), fuzz::lockFolder(), s->businessYear, false);
        if (f[kSlipHeaders].filename().string().find(' ') != std::string::npos) std::abort();
    }
    ctx.settings = *s;
    ctx.fileSet = buildFileSet(Edition::Sales, fuzz::lockFolder(), fuzz::lockFolder(), 2026, false);
    ctx.env = defaultEnvironment(Edition::Sales);
    for (int kind : {1, 7}) {
        tables::TableRange r = tables::defaultRange(kind, ctx);
        if (kind == 7) r.from = std::max(r.to - 1, r.from);  // two years at most
        (void)tables::runTable(ctx, kind, r, {});
    }
    return 0;
}
