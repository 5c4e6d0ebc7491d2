// Exports of the aggregation windows and the ledger, for automation.
#pragma once

#include "cli/cli.h"

namespace rk::cli {

int runExportTable(const Args& a, Io& io);
int runExportSalesTotals(const Args& a, Io& io);
int runExportBulk(const Args& a, Io& io);
int runLedger(const Args& a, Io& io);

}  // namespace rk::cli
