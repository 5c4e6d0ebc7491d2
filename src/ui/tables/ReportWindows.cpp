#include "ui/tables/ReportWindows.h"

#include "app/command_table.h"
#include "ui/app/MainFrame.h"
#include "ui/app/WindowRegistry.h"
#include "ui/tables/BaisanWnd.h"
#include "ui/tables/JyuchuuSWnd.h"
#include "ui/tables/NameSyuWnd.h"
#include "ui/tables/SyukeiWnd.h"
#include "ui/tables/TeryouSyuWnd.h"

namespace rk::ui {

void registerReportWindows(WindowRegistry& registry, AppContext& ctx) {
    auto guide = [&registry, &ctx](const std::string& topic) {
        ctx.topic = topic;
        registry.open(cmd::kGuide);
    };
    registry.registerFactory(192, [&registry, &ctx, guide](int) {
        auto* w = new NameSyuWnd(ctx, registry.dialogs());
        w->setGuideOpener(guide);
        return w;
    });
    registry.registerFactory(193, [&registry, &ctx, guide](int) {
        auto* w = new JyuchuuSWnd(ctx, registry.dialogs());
        w->setGuideOpener(guide);
        return w;
    });
    registry.registerFactory(194, [&registry, &ctx, guide](int) {
        auto* w = new TeryouSyuWnd(ctx, registry.dialogs());
        w->setGuideOpener(guide);
        return w;
    });
    // The shipping date list opens slips through the slip entry commands and ends the
    // program after a deletion.
    registry.registerFactory(176, [&registry, &ctx, guide](int) {
        SyukeiWnd::Hooks hooks;
        hooks.openSlipEntry = [&registry](int command) { registry.open(command); };
        hooks.endProgram = [&registry] {
            if (auto* frame = qobject_cast<MainFrame*>(registry.parent())) frame->endProgram();
        };
        hooks.openGuide = guide;
        return new SyukeiWnd(ctx, registry.dialogs(), hooks);
    });
    registry.registerFactory(215, [&registry, &ctx, guide](int) {
        auto* w = new BaisanWnd(ctx, registry.dialogs());
        w->setGuideOpener(guide);
        return w;
    });
}

}  // namespace rk::ui
