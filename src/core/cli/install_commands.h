#pragma once

#include "cli/cli.h"

namespace rk::cli {

int runInit(const Args& a, Io& io);
int runInfo(const Args& a, Io& io);
int runReindex(const Args& a, Io& io);

}  // namespace rk::cli
