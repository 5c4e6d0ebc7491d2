// The printing commands of the command-line tool, offered when it is built with the windows:
// they plan the same pages as the print windows and write them to a PDF file.
#pragma once

#include <vector>

#include "cli/cli.h"

namespace rk::ui {

const std::vector<cli::Command>& printCommands();

}  // namespace rk::ui
