// "TextData.Csv": every line of every live slip as one Shift-JIS text line, for other programs.
// Also the import of the lines' sale methods from a pair of slip files of another system.
#pragma once

#include <optional>
#include <string>

#include "maintenance/data_check_tools.h"

namespace rk::maintenance {

// The whole file, or nullopt when the slip files cannot be read. Reads (and, when missing,
// creates) the carrier table in the program folder for the freight of each carrier.
std::optional<std::string> textData(AppContext& ctx);
// Writes textData() to `out`; false (nothing shown) when it cannot be made or written.
bool writeTextData(AppContext& ctx, const fs::path& out);
// The window's tool: asks, then writes TextData.Csv in the program folder.
ToolResult exportText(AppContext& ctx, Dialogs& dialogs);

// Sale methods of the lines from "商品.Ft2" and "掛帳.Ft2" in the program folder, matched
// slip by slip on date and customer and line by line in order.
ToolResult importSalesMethods(AppContext& ctx, Dialogs& dialogs);

}  // namespace rk::maintenance
