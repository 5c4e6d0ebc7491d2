#include "ui/app/WindowCatalog.h"

#include "app/command_table.h"
#include "ui/app/InfoWnd.h"
#include "ui/app/WindowRegistry.h"
#include "ui/masters/MasterWindows.h"

namespace rk::ui {

void registerWindows(WindowRegistry& registry, AppContext& ctx) {
    for (int command : {cmd::kGuide, cmd::kGuideIndex}) {
        registry.registerFactory(command, [&ctx](int) { return new InfoWnd(ctx); });
    }
    registerMasterWindows(registry, ctx);
}

}  // namespace rk::ui
