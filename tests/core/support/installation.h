// A fresh installation in a temporary folder for tests: settings of business year 2026
// (starting in January), masters, an empty year and the start-up run over it.
#pragma once

#include <memory>

#include "app/app_context.h"
#include "base/dialogs.h"
#include "support/temp_folder.h"

namespace rk::test {

struct Installation {
    Installation();
    // A copy of `from`'s folder as it stands (much quicker than a new start-up).
    struct CopyOf {
        const Installation& from;
    };
    explicit Installation(CopyOf copy);
    // Another context on the same folder whose file access goes through `fs`.
    std::unique_ptr<AppContext> contextWith(FileSystem& fs) const;
    Bytes bytes(DataSlot slot) const;

    TempFolder folder;
    ScriptedDialogs dialogs;
    std::unique_ptr<AppContext> ctx;
};

}  // namespace rk::test
