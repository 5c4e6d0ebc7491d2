// The rakurena commands of the archive of issued documents and of the receivable aging list.
#pragma once

#include "cli/cli.h"

namespace rk::cli {

int runArchiveSearch(const Args& a, Io& io);
int runArchiveVerify(const Args& a, Io& io);
int runAging(const Args& a, Io& io);
// Their lines of the command table.
const std::vector<Command>& documentCommands();

}  // namespace rk::cli
