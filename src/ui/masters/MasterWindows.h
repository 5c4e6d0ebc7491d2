// The master windows' entries in the window registry: commands 161 to 165 and the product
// match list 330.
#pragma once

#include "app/app_context.h"

namespace rk::ui {

class WindowRegistry;

void registerMasterWindows(WindowRegistry& registry, AppContext& ctx);

}  // namespace rk::ui
