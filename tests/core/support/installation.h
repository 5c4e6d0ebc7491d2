// A fresh installation in a temporary folder for tests: settings of business year 2026
// (starting in January), masters, an empty year and the start-up run over it.
#pragma once

#include <memory>

#include "app/app_context.h"
#include "base/dialogs.h"

namespace rk::test {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

struct Installation {
    Installation();
    // Another context on the same folder whose file access goes through `fs`.
    std::unique_ptr<AppContext> contextWith(FileSystem& fs) const;
    Bytes bytes(DataSlot slot) const;

    TempFolder folder;
    ScriptedDialogs dialogs;
    std::unique_ptr<AppContext> ctx;
};

}  // namespace rk::test
