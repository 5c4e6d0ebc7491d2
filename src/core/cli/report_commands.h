// The rakurena exports of the name search, order, commission and buyer totals.
#pragma once

#include "cli/cli.h"

namespace rk::cli {

int runExportNameSearch(const Args& a, Io& io);
int runExportOrderTotals(const Args& a, Io& io);
int runExportCommissionTotals(const Args& a, Io& io);
int runExportBuyerTotals(const Args& a, Io& io);
// Their lines of the command table.
const std::vector<Command>& reportCommands();

}  // namespace rk::cli
