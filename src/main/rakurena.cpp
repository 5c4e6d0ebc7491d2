// The command-line tool: rakurena [--edition F|S|Z] COMMAND [options] PROGRAM_FOLDER
#include <iostream>

#include "cli/cli.h"
#ifdef RAKURENA_PRINTING
#include "ui/printing/PrintCommands.h"
#endif

int main(int argc, char** argv) {
    rk::cli::Io io{std::cout, std::cerr};
#ifdef RAKURENA_PRINTING
    // Built with the windows: the printing commands paint the same pages as the print windows.
    return rk::cli::main(argc, argv, io, rk::ui::printCommands());
#else
    return rk::cli::main(argc, argv, io);
#endif
}
