#include "ui/app/WindowCatalog.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "app/command_table.h"
#include "ui/app/InfoWnd.h"
#include "ui/app/MainFrame.h"
#include "ui/app/WindowRegistry.h"
#include "ui/controls/CDataEdit.h"
#include "ui/listtable/PackInsWnd.h"
#include "ui/maintenance/CodeAllChenWnd.h"
#include "ui/maintenance/DBackUpWnd.h"
#include "ui/maintenance/DReBackWnd.h"
#include "ui/maintenance/DataHoseiWnd.h"
#include "ui/maintenance/DataOpeWnd.h"
#include "ui/maintenance/KamokuSetWnd.h"
#include "ui/maintenance/NenKOusinWnd.h"
#include "ui/maintenance/V6toV7Wnd.h"
#include "ui/masters/HinMasBView.h"
#include "ui/masters/HinMasWnd.h"
#include "ui/masters/MasterWindows.h"
#include "ui/payments/NukinChkWnd.h"
#include "ui/payments/NukininWnd.h"
#include "ui/printing/GroupSeiWnd.h"
#include "ui/printing/HinTakkuWnd.h"
#include "ui/printing/MstPrntWnd.h"
#include "ui/printing/NohinMesaiWnd.h"
#include "ui/printing/NouhinPrnWnd.h"
#include "ui/printing/PlanPrinter.h"
#include "ui/printing/PrintSizeWnd.h"
#include "ui/printing/TakuDenFrmWnd.h"
#include "ui/printing/TakuDenWnd.h"
#include "ui/printing/TakuMasMeWnd.h"
#include "ui/settings/FKankyoWnd.h"
#include "ui/settings/FkihonWnd.h"
#include "ui/slips/FMdinAView.h"
#include "ui/slips/FMdinWnd.h"
#include "ui/slips/FTakuhaiWnd.h"
#include "ui/slips/FUrikakeWnd.h"
#include "ui/slips/GaitouListWnd.h"
#include "ui/tables/GraSyuWnd.h"
#include "ui/tables/HanMotoWnd.h"
#include "ui/tables/IkkatuSyuWnd.h"
#include "ui/tables/ReportWindows.h"
#include "ui/tables/UriNenreiWnd.h"
#include "ui/tables/UriageSyuWnd.h"

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

// Opens the operation guide on a topic.
std::function<void(const std::string&)> guideOpener(WindowRegistry& registry, AppContext& ctx) {
    return [&registry, &ctx](const std::string& topic) {
        ctx.topic = topic;
        registry.open(cmd::kGuide);
    };
}

void registerPrintWindows(WindowRegistry& registry, AppContext& ctx) {
    registry.registerFactory(
        144, [&registry, &ctx](int) { return new NouhinPrnWnd(ctx, registry.dialogs(), guideOpener(registry, ctx)); });
    // Bills without (145) and with (147) the delivery details of their slips.
    for (int command : {145, 147}) {
        registry.registerFactory(command, [&registry, &ctx](int c) {
            return new NohinMesaiWnd(ctx, registry.dialogs(), c == 147, guideOpener(registry, ctx));
        });
    }
    registry.registerFactory(
        148, [&registry, &ctx](int) { return new HinTakkuWnd(ctx, registry.dialogs(), guideOpener(registry, ctx)); });
    registry.registerFactory(
        149, [&registry, &ctx](int) { return new MstPrntWnd(ctx, registry.dialogs(), guideOpener(registry, ctx)); });
    registry.registerFactory(
        151, [&registry, &ctx](int) { return new GroupSeiWnd(ctx, registry.dialogs(), guideOpener(registry, ctx)); });
    registry.registerFactory(
        166, [&registry, &ctx](int) { return new PrintSizeWnd(ctx, registry.dialogs(), guideOpener(registry, ctx)); });
    // Home-delivery slips: printing, the form positions and the address book.
    registry.registerFactory(
        150, [&registry, &ctx](int) { return new TakuDenWnd(ctx, registry.dialogs(), guideOpener(registry, ctx)); });
    registry.registerFactory(
        167, [&registry, &ctx](int) { return new TakuDenFrmWnd(ctx, registry.dialogs(), guideOpener(registry, ctx)); });
    registry.registerFactory(
        168, [&registry, &ctx](int) { return new TakuMasMeWnd(ctx, registry.dialogs(), guideOpener(registry, ctx)); });
    registry.registerAction(cmd::kPrintSetup, [&registry] { pageSetup(registry.area()); });
}

// Balances and stages changed: every open window refreshes.
std::function<void()> refreshAll(WindowRegistry& registry) {
    auto* frame = qobject_cast<MainFrame*>(registry.parent());
    return [frame, &registry] {
        if (frame) {
            frame->refreshAll();
        } else {
            registry.broadcast(cmd::kRefreshBackground);
        }
    };
}

// The window of a flag, or the window of that class inside it.
template <typename W>
W* openWindow(WindowRegistry& registry, int flag) {
    QWidget* w = registry.windowWithFlag(flag);
    auto* found = qobject_cast<W*>(w);
    if (!found && w) found = w->findChild<W*>();
    return found;
}

}  // namespace

void registerWindows(WindowRegistry& registry, AppContext& ctx) {
    for (int command : {cmd::kGuide, cmd::kGuideIndex}) {
        registry.registerFactory(command, [&ctx](int) { return new InfoWnd(ctx); });
    }
    registerMasterWindows(registry, ctx);
    registerPrintWindows(registry, ctx);
    registry.registerFactory(cmd::kBasicSettings, [&registry, &ctx](int) {
        return new FkihonWnd(ctx, registry.dialogs(), settingsHooks(registry, ctx));
    });
    registry.registerFactory(cmd::kEnvironmentSettings, [&registry, &ctx](int) {
        return new FKankyoWnd(ctx, registry.dialogs(), settingsHooks(registry, ctx));
    });
    // F6 in slip entry: receivable processing of the loaded slip, closed with the slip window.
    FMdinWnd::setReceivableOpener([&registry, &ctx](FMdinWnd& slip, CFq7Doc& doc) {
        FUrikakeWnd* w = FUrikakeWnd::process(ctx, registry.dialogs(), doc, slip.mode());
        if (!w) return false;
        QMdiSubWindow* sub = registry.area()->addSubWindow(w);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        QObject::connect(w, &FUrikakeWnd::recorded, &slip, [&slip] { slip.afterSlipEnded(); });
        QObject::connect(&slip, &QObject::destroyed, sub, &QWidget::close);
        sub->show();
        registry.area()->setActiveSubWindow(sub);
        return true;
    });
    registry.registerFactory(cmd::kPaymentEntry, [&registry, &ctx](int) {
        return new NukininWnd(ctx, registry.dialogs(), refreshAll(registry));
    });
    registry.registerFactory(136, [&registry, &ctx](int) {
        NukinChkWnd::Hooks hooks;
        hooks.refreshAll = refreshAll(registry);
        hooks.openGuide = guideOpener(registry, ctx);
        return new NukinChkWnd(ctx, registry.dialogs(), hooks);
    });
    // The day and month tables, one window per table kind, and the ledger.
    const auto guide = guideOpener(registry, ctx);
    for (int kind = 1; kind <= tables::kTableKinds; ++kind) {
        registry.registerFactory(tables::tableKind(kind).command, [&registry, &ctx, kind, guide](int) {
            auto* w = new GraSyuWnd(ctx, registry.dialogs(), kind);
            w->setGuideOpener(guide);
            return w;
        });
    }
    registry.registerFactory(185, [&registry, &ctx, guide](int) {
        auto* w = new HanMotoWnd(ctx, registry.dialogs());
        w->setGuideOpener(guide);
        return w;
    });
    registry.registerFactory(
        216, [&registry, &ctx, guide](int) { return new UriNenreiWnd(ctx, registry.dialogs(), guide); });
    registry.registerFactory(177, [&registry, &ctx, guide](int) {
        auto* w = new UriageSyuWnd(ctx, registry.dialogs());
        w->setGuideOpener(guide);
        return w;
    });
    registry.registerFactory(178, [&registry, &ctx, guide](int) {
        auto* w = new IkkatuSyuWnd(ctx, registry.dialogs());
        w->setGuideOpener(guide);
        return w;
    });
    registerReportWindows(registry, ctx);
    // "宅配伝票" / Shift+F6 in slip entry: the consignments of the current line.
    FMdinWnd::setHomeDeliveryOpener([&registry, &ctx](FMdinWnd&, CFq7Doc& doc, int line) -> QWidget* {
        FTakuhaiWnd* w = FTakuhaiWnd::open(ctx, registry.dialogs(), doc, line);
        if (!w) return nullptr;
        w->setGuideOpener(guideOpener(registry, ctx));
        QMdiSubWindow* sub = registry.area()->addSubWindow(w);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->show();
        registry.area()->setActiveSubWindow(sub);
        w->takeKeyboard();
        return w;
    });
    // "売掛参照" in slip entry: the stored receivable values, read-only, closed with the slip window.
    FMdinWnd::setReferenceOpener([&registry, &ctx](FMdinWnd& slip, const CFq7Doc& doc) {
        FUrikakeWnd* w = FUrikakeWnd::reference(ctx, registry.dialogs(), doc);
        if (!w) return;
        QMdiSubWindow* sub = registry.area()->addSubWindow(w);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        QObject::connect(&slip, &QObject::destroyed, sub, &QWidget::close);
        sub->show();
    });
    // Slip entry in the mode the command table handed over (orders, deliveries, settlement).
    for (int command : {130, 131, 133}) {
        registry.registerFactory(command, [&registry, &ctx](int) {
            auto* w = new FMdinWnd(ctx, registry.dialogs(), ctx.windowMode);
            w->setGuideOpener([&registry, &ctx](const std::string& topic) {
                ctx.topic = topic;
                registry.open(cmd::kGuide);
            });
            w->setCustomerListOpener([&registry] { return registry.open(213) != nullptr; });
            w->setProductMasterOpener([&registry](int product) {
                if (!registry.windowWithFlag(kProductMasterFlag)) registry.open(162);
                if (auto* products = openWindow<HinMasWnd>(registry, kProductMasterFlag))
                    products->grid()->productChosen(product, controls::Key::Enter);
            });
            return w;
        });
    }
    // The customers of the slip entry's date; the choice opens that customer's slip there.
    registry.registerFactory(213, [&registry, &ctx](int) -> QWidget* {
        FMdinWnd* slip = openWindow<FMdinWnd>(registry, kSlipEntryFlag);
        if (!slip) return nullptr;
        // The list opens on the row of the customer in the slip's field.
        const int row = std::max(0, slip->doc().header.customer - 1);
        auto* list = new GaitouListWnd(ctx, slip->doc().header.date, slip->mode(), row);
        QObject::connect(list, &GaitouListWnd::chosen, slip, &FMdinWnd::customerChosen);
        // Digits typed in the list show in the slip's customer field.
        QObject::connect(list, &GaitouListWnd::typedCharacter, slip, [slip](const QString& ch) {
            if (slip->header()->edit()) CDataEdit::injectCharacter(slip->header(), ch);
        });
        QObject::connect(list, &GaitouListWnd::typedKey, slip, [slip](controls::Key k) {
            if (slip->header()->edit()) CDataEdit::injectKey(slip->header(), k);
        });
        QObject::connect(slip, &QObject::destroyed, list, [list] {
            if (auto* sub = qobject_cast<QMdiSubWindow*>(list->parentWidget())) sub->close();
        });
        return list;
    });
    // Backup (データバックアップ) and restore (ﾊﾞｯｸｱｯﾌﾟﾃﾞｰﾀ復帰).
    registry.registerFactory(198, [&registry, &ctx](int) {
        return new DBackUpWnd(ctx, registry.dialogs(), systemVolumes(), guideOpener(registry, ctx));
    });
    registry.registerFactory(201, [&registry, &ctx](int) {
        auto* w = new DReBackWnd(ctx, registry.dialogs(), systemVolumes(), guideOpener(registry, ctx));
        auto* frame = qobject_cast<MainFrame*>(registry.parent());
        w->setProgramEnder([frame] {
            if (frame) frame->endProgramKeepingFiles();
        });
        return w;
    });
    // The data check window; a tool that needs new indexes ends the program.
    registry.registerFactory(200, [&registry, &ctx](int) {
        DataHoseiWnd::Hooks hooks;
        hooks.endProgram = settingsHooks(registry, ctx).endProgram;
        hooks.openGuide = guideOpener(registry, ctx);
        return new DataHoseiWnd(ctx, registry.dialogs(), hooks);
    });
    // The year-end update opens only while the business year is the input year.
    registry.registerFactory(199, [&registry, &ctx](int) -> QWidget* {
        if (!maintenance::yearEndAllowed(ctx, registry.dialogs())) return nullptr;
        return new NenKOusinWnd(ctx, registry.dialogs(), guideOpener(registry, ctx));
    });
    registry.registerFactory(
        356, [&registry, &ctx](int) { return new DataOpeWnd(ctx, registry.dialogs(), guideOpener(registry, ctx)); });
    // The account codes of the products and the settings written into the year's data.
    registry.registerFactory(
        202, [&registry, &ctx](int) { return new KamokuSetWnd(ctx, registry.dialogs(), guideOpener(registry, ctx)); });
    // The bulk code change; after a change of customer codes the program ends.
    registry.registerFactory(204, [&registry, &ctx](int) {
        CodeAllChenWnd::Hooks hooks;
        hooks.endProgram = settingsHooks(registry, ctx).endProgram;
        hooks.openGuide = guideOpener(registry, ctx);
        return new CodeAllChenWnd(ctx, registry.dialogs(), hooks);
    });
    // The conversion of the previous version's files; it ends the program when done.
    registry.registerFactory(203, [&registry, &ctx](int) {
        return new V6toV7Wnd(ctx, registry.dialogs(), settingsHooks(registry, ctx).endProgram);
    });
    // The day's delivery slips as one table.
    registry.registerFactory(361, [&registry, &ctx](int) {
        auto* w = new PackInsWnd(ctx, registry.dialogs());
        w->setGuideOpener(guideOpener(registry, ctx));
        return w;
    });
}

}  // namespace rk::ui
