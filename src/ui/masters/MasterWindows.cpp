#include "ui/masters/MasterWindows.h"

#include "app/command_table.h"
#include "ui/app/WindowRegistry.h"
#include "ui/masters/BikouMasWnd.h"
#include "ui/masters/GaitouDrowWnd.h"
#include "ui/masters/HinMasBView.h"
#include "ui/masters/HinMasWnd.h"
#include "ui/masters/KamokuMasWnd.h"
#include "ui/masters/KikakuMasWnd.h"
#include "ui/masters/TokuisakiMsWnd.h"

namespace rk::ui {

void registerMasterWindows(WindowRegistry& registry, AppContext& ctx) {
    registry.registerFactory(161, [&registry, &ctx](int) { return new TokuisakiMsWnd(ctx, registry.dialogs()); });
    registry.registerFactory(162, [&registry, &ctx](int) { return new HinMasWnd(ctx, registry.dialogs()); });
    registry.registerFactory(163, [&registry, &ctx](int) { return new KikakuMasWnd(ctx, registry.dialogs()); });
    registry.registerFactory(164, [&registry, &ctx](int) { return new BikouMasWnd(ctx, registry.dialogs()); });
    registry.registerFactory(165, [&registry, &ctx](int) { return new KamokuMasWnd(ctx, registry.dialogs()); });
    // The match list of the product master's last name search.
    registry.registerFactory(330, [&ctx, &registry](int) -> QWidget* {
        QWidget* master = registry.windowWithFlag(kProductMasterFlag);
        auto* owner = qobject_cast<HinMasWnd*>(master);
        if (!owner && master) owner = master->findChild<HinMasWnd*>();
        if (!owner) return nullptr;
        auto* list = new GaitouDrowWnd(ctx, owner->grid()->matches());
        // The chosen product goes to the open product master's grid.
        QObject::connect(list, &GaitouDrowWnd::chosen, &registry, [&registry](int product, controls::Key key) {
            QWidget* w = registry.windowWithFlag(kProductMasterFlag);
            auto* products = qobject_cast<HinMasWnd*>(w);
            if (!products && w) products = w->findChild<HinMasWnd*>();
            if (products) products->grid()->productChosen(product, key);
        });
        return list;
    });
}

}  // namespace rk::ui
