#include "ui/app/WindowCatalog.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "app/command_table.h"
#include "ui/app/InfoWnd.h"
#include "ui/app/MainFrame.h"
#include "ui/app/QtDialogs.h"
#include "ui/app/WindowRegistry.h"
#include "ui/masters/MasterWindows.h"
#include "ui/settings/FKankyoWnd.h"
#include "ui/settings/FkihonWnd.h"
#include "ui/slips/FMdinWnd.h"
#include "ui/slips/FUrikakeWnd.h"

namespace rk::ui {

namespace {

SettingsHooks settingsHooks(WindowRegistry& registry, AppContext& ctx) {
    auto* frame = qobject_cast<MainFrame*>(registry.parent());
    SettingsHooks h;
    h.endProgram = [frame] {
        if (frame) frame->endProgram();
    };
    h.refreshAll = [frame, &registry] {
        if (frame)
            frame->refreshAll();
        else
            registry.broadcast(cmd::kRefreshBackground);
    };
    h.openGuide = [&registry, &ctx](const std::string& topic) {
        ctx.topic = topic;
        registry.open(cmd::kGuide);
    };
    return h;
}

}  // namespace

void registerWindows(WindowRegistry& registry, AppContext& ctx) {
    for (int command : {cmd::kGuide, cmd::kGuideIndex}) {
        registry.registerFactory(command, [&ctx](int) { return new InfoWnd(ctx); });
    }
    registerMasterWindows(registry, ctx);
    registry.registerFactory(cmd::kBasicSettings, [&registry, &ctx](int) {
        return new FkihonWnd(ctx, dialogs(), settingsHooks(registry, ctx));
    });
    registry.registerFactory(cmd::kEnvironmentSettings, [&registry, &ctx](int) {
        return new FKankyoWnd(ctx, dialogs(), settingsHooks(registry, ctx));
    });
    // F6 in slip entry: receivable processing of the loaded slip, closed with the slip window.
    FMdinWnd::setReceivableOpener([&registry, &ctx](FMdinWnd& slip, CFq7Doc& doc) {
        FUrikakeWnd* w = FUrikakeWnd::process(ctx, dialogs(), doc, slip.mode());
        if (!w) return;
        QMdiSubWindow* sub = registry.area()->addSubWindow(w);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        QObject::connect(w, &FUrikakeWnd::recorded, &slip, [&slip] { slip.afterSlipEnded(); });
        QObject::connect(&slip, &QObject::destroyed, sub, &QWidget::close);
        sub->show();
    });
    // Slip entry in the mode the command table handed over (orders, deliveries, settlement).
    for (int command : {130, 131, 133}) {
        registry.registerFactory(command, [&registry, &ctx](int) {
            auto* w = new FMdinWnd(ctx, dialogs(), ctx.windowMode);
            w->setGuideOpener([&registry, &ctx](const std::string& topic) {
                ctx.topic = topic;
                registry.open(cmd::kGuide);
            });
            return w;
        });
    }
}

}  // namespace rk::ui
