#pragma once

#include "cli/cli.h"

namespace rk::cli {

int runExportCustomers(const Args& a, Io& io);

}  // namespace rk::cli
