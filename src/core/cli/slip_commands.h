#pragma once

#include "cli/cli.h"

namespace rk::cli {

int runDemo(const Args& a, Io& io);
int runSlips(const Args& a, Io& io);

}  // namespace rk::cli
