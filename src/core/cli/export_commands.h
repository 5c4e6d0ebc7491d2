#pragma once

#include "cli/cli.h"

namespace rk::cli {

int runExportCustomers(const Args& a, Io& io);
// MstData.Csv of one master list, as the master list window's ﾃｷｽﾄｱｳﾄ writes it.
int runExportMasters(const Args& a, Io& io);

}  // namespace rk::cli
