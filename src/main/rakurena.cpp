// The command-line tool: rakurena [--edition F|S|Z] COMMAND [options] PROGRAM_FOLDER
#include <iostream>

#include "cli/cli.h"

int main(int argc, char** argv) {
    rk::cli::Io io{std::cout, std::cerr};
    return rk::cli::main(argc, argv, io);
}
