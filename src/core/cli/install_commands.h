#pragma once

#include "cli/cli.h"

namespace rk::cli {

int runInit(const Args& a, Io& io);
int runInfo(const Args& a, Io& io);
int runReindex(const Args& a, Io& io);

// The work of `init` on a context made for PROGRAM_FOLDER (options --year, --first-month,
// --data-folder when given); on success the start-up has run and `ctx` is ready.
int createInstallation(AppContext& ctx, const Args& a, Io& io);

}  // namespace rk::cli
