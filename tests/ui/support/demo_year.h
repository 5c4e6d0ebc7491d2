// A demo year for window tests: made by `rakurena demo` in a test folder and opened through
// the start-up loader as the program opens it. Null when either step fails.
#pragma once

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "app/startup_loader.h"
#include "cli/cli.h"

namespace rk::test {

inline std::unique_ptr<AppContext> openDemoYear(const std::string& folder, int customers, int slips, Dialogs& dialogs) {
    std::ostringstream out, err;
    cli::Io io{out, err};
    std::vector<std::string> args{
        "rakurena", "demo", "--customers", std::to_string(customers), "--slips", std::to_string(slips), folder};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    if (cli::main(static_cast<int>(argv.size()), argv.data(), io) != 0) return nullptr;
    auto ctx = std::make_unique<AppContext>(Edition::Sales, folder);
    CreatingPrompts prompts;
    StandAloneStation station;
    if (runStartupLoader(*ctx, dialogs, prompts, station) != StartupResult::Run) return nullptr;
    return ctx;
}

}  // namespace rk::test
