// The one place where every built window registers the commands that open it. A window
// added to the program adds its line here; commands without one stay disabled.
#pragma once

#include "app/app_context.h"

namespace rk::ui {

class WindowRegistry;

void registerWindows(WindowRegistry& registry, AppContext& ctx);

}  // namespace rk::ui
