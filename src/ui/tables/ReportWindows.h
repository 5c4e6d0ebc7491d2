// Registers the name search, order, commission and buyer totals and the shipping date list
// with the window registry.
#pragma once

#include "app/app_context.h"

namespace rk::ui {

class WindowRegistry;

void registerReportWindows(WindowRegistry& registry, AppContext& ctx);

}  // namespace rk::ui
