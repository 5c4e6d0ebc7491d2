#include "cli/cli.h"
#include "cli/install_commands.h"
#include "cli/station_commands.h"

namespace rk::cli {

const std::vector<Command>& commands() {
    static const std::vector<Command> kCommands = {
        {"init", "create a new installation (settings, masters and an empty year)",
         "usage: rakurena init [--year YYYY] [--first-month M] [--data-folder PATH] PROGRAM_FOLDER\n"
         "Refuses a folder that already has a settings file.",
         {"--year", "--first-month", "--data-folder"},
         {},
         runInit},
        {"info", "show the installation's settings and the year's files",
         "usage: rakurena info PROGRAM_FOLDER",
         {},
         {},
         runInfo},
        {"reindex", "rebuild the two slip index files from the slip header file",
         "usage: rakurena reindex PROGRAM_FOLDER",
         {},
         {},
         runReindex},
        {"stations", "list the stations, slip locks and customer claim of the network control file",
         "usage: rakurena stations PROGRAM_FOLDER\n"
         "Says which marked stations still run. Changes nothing.",
         {},
         {},
         runStations},
    };
    return kCommands;
}

}  // namespace rk::cli
