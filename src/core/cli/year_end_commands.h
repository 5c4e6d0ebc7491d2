#pragma once

#include "cli/cli.h"

namespace rk::cli {

int runYearEndMasters(const Args& a, Io& io);
int runYearEndCarryOver(const Args& a, Io& io);
int runSplit(const Args& a, Io& io);

}  // namespace rk::cli
