#pragma once

#include "cli/cli.h"

namespace rk::cli {

int runBackup(const Args& a, Io& io);
int runRestore(const Args& a, Io& io);

}  // namespace rk::cli
