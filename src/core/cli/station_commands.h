#pragma once

#include "cli/cli.h"

namespace rk::cli {

int runStations(const Args& a, Io& io);

}  // namespace rk::cli
