// The data check's commands: the read-only integrity check and the slip text export.
#pragma once

#include "cli/cli.h"

namespace rk::cli {

int runCheck(const Args& a, Io& io);
int runExportText(const Args& a, Io& io);

}  // namespace rk::cli
