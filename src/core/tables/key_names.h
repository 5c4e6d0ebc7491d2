// Names shown beside the codes of a table's key dimension, from the masters (Shift-JIS).
#pragma once

#include <string>
#include <vector>

#include "app/app_context.h"
#include "tables/conditions.h"

namespace rk::tables {

// Index = code, 0..count-1; codes without a name are empty. Customer and product 99 carry
// their fixed names; remark codes have none.
std::vector<std::string> keyNames(const AppContext& ctx, Dimension d, int count);

// The fixed name of a sales method (purchase edition: a department), empty beyond them.
std::string salesMethodName(Edition e, int code);

}  // namespace rk::tables
