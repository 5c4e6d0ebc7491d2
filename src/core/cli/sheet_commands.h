#pragma once

#include "cli/cli.h"

namespace rk::cli {

int runExportSheet(const Args& a, Io& io);

}  // namespace rk::cli
