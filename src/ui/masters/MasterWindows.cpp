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
    registry.registerFactory(161, [&ctx](int) { return new TokuisakiMsWnd(ctx); });
    registry.registerFactory(162, [&ctx](int) { return new HinMasWnd(ctx); });
    registry.registerFactory(163, [&ctx](int) { return new KikakuMasWnd(ctx); });
    registry.registerFactory(164, [&ctx](int) { return new BikouMasWnd(ctx); });
    registry.registerFactory(165, [&ctx](int) { return new KamokuMasWnd(ctx); });
    registry.registerFactory(330, [&ctx, &registry](int) {
        auto* list = new GaitouDrowWnd(ctx);
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
