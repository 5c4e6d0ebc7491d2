// `rakurena payments`: the payments of a period.
#pragma once

#include "cli/cli.h"

namespace rk::cli {

int runPayments(const Args& a, Io& io);

}  // namespace rk::cli
