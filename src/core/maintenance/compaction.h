// Compaction of the year's slip and payment files: the deleted and empty records go, and
// every record that stays is renumbered from 1 in writing order, with every reference to it
// (line owners, line text numbers, payment links, the payments' slip lists) following.
#pragma once

#include "maintenance/data_check_tools.h"

namespace rk::maintenance {

// Asks with the number of records that go, builds the new files as temporary files in the
// data folder, then replaces the slip line, slip header, payment, line text and both index
// files through the rollback journal. Restart when done: the program ends.
ToolResult compactYear(AppContext& ctx, Dialogs& dialogs);

}  // namespace rk::maintenance
