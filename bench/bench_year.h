// A full demo year for the benchmarks: 999 customers and 100,000 slips (about 1,000,000 lines),
// generated once into the folder named by an environment variable (or a default under /tmp)
// and opened through the start-up loader like the program opens it. Ends the process when the
// year cannot be made or opened.
#pragma once

#include <cstdlib>
#include <iostream>
#include <memory>

#include "app/startup_loader.h"
#include "cli/demo_year.h"

namespace rk::bench {

inline std::unique_ptr<AppContext> openBenchYear(const char* envVariable, const char* defaultFolder,
                                                 ScriptedDialogs& dialogs) {
    const char* env = std::getenv(envVariable);
    const fs::path folder = env ? env : defaultFolder;
    auto ctx = std::make_unique<AppContext>(Edition::Sales, folder);
    CreatingPrompts prompts;
    StandAloneStation station;
    if (!ctx->files.exists(ctx->settingsFile())) {
        std::cerr << "generating the benchmark year in " << folder << " (once)\n";
        fs::create_directories(folder);
        BasicSettings s = defaultSettings(ctx->clock);
        s.businessYear = s.inputYear = 2026;
        if (!writeNewInstallation(*ctx, s) || runStartupLoader(*ctx, dialogs, prompts, station) != StartupResult::Run ||
            !fillDemoYear(*ctx, dialogs, {999, 100000, 7})) {
            std::cerr << "cannot generate the benchmark year\n";
            std::exit(1);
        }
    } else if (runStartupLoader(*ctx, dialogs, prompts, station) != StartupResult::Run) {
        std::cerr << "cannot open the benchmark year in " << folder << "\n";
        std::exit(1);
    }
    return ctx;
}

}  // namespace rk::bench
