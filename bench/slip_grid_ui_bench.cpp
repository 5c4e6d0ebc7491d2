// The slip entry grid as the operator feels it: one typed key in the quantity field of a full
// 99-line slip until the window has painted again, offscreen. The keys go through the entry
// field, the line rules, the totals and the repaint of the views, as typing does.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <cstring>

#include "app/startup_loader.h"
#include "app/station_hook.h"
#include "base/cp932.h"
#include "masters/master_io.h"
#include "slips/slip_lines.h"
#include "ui/slips/FMdinBView.h"
#include "ui/slips/FMdinWnd.h"

using namespace rk;
using namespace rk::ui;

namespace {

struct Window {
    QTemporaryDir dir;
    std::unique_ptr<AppContext> ctx;
    ScriptedDialogs dialogs;
    std::unique_ptr<FMdinWnd> wnd;

    Window() {
        ctx = std::make_unique<AppContext>(Edition::Sales, dir.path().toStdString());
        BasicSettings s = defaultSettings(ctx->clock);
        s.businessYear = s.inputYear = 2026;
        CreatingPrompts prompts;
        StandAloneStation station;
        if (!writeNewInstallation(*ctx, s) || runStartupLoader(*ctx, dialogs, prompts, station) != StartupResult::Run)
            std::exit(1);
        ProductRecord p{};
        cp932::assign(p.name, "スプレーバラ");
        cp932::assign(p.unit, "本");
        p.salesDebit = 110;
        p.salesCredit = 400;
        (void)masters::writeProduct(ctx->files, ctx->fileSet[kProducts], 12, p);
        wnd = std::make_unique<FMdinWnd>(*ctx, dialogs, 2);
        wnd->resize(1012, 526 + 57 * 4);
        wnd->show();
        CFq7Doc& doc = wnd->doc();
        doc.header.date = 512;
        doc.header.customer = 7;
        doc.header.stage = kStageDelivery;
        for (int j = 1; j <= kMaxSlipLines; ++j) {
            SlipLine& l = doc.lines[j];
            l.salesMethod = 1;
            l.product = 12;
            std::memcpy(l.productName, p.name, sizeof l.productName);
            l.grade1 = 3;
            l.grade2 = kNoGrade;
            l.delivered = l.quantity = 10;
            l.price = 123.45;
            l.priceDecimals = 2;
            l.amount = 1234;
            l.debit = 110;
            l.credit = 400;
        }
        wnd->refreshTotals();
        wnd->toGrid(50, kFieldQuantity);
        QApplication::processEvents();
    }
};

void press(int key, const QString& text = {}) {
    QWidget* w = QApplication::focusWidget();
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &up);
}

// A digit typed into the quantity field and taken back with Backspace, the whole window
// painted after each key (items: keys).
void BM_GridKeyToRepaint(benchmark::State& state) {
    Window w;
    for (auto _ : state) {
        press(Qt::Key_5, "5");
        w.wnd->repaint();
        press(Qt::Key_Backspace);
        w.wnd->repaint();
    }
    state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(BM_GridKeyToRepaint)->Unit(benchmark::kMicrosecond);

// A quantity ended with Enter: stored, amount and totals recomputed, the cursor on the unit
// price, the grid, header and footer painted; Left brings it back for the next round.
void BM_GridQuantityEnterToRepaint(benchmark::State& state) {
    Window w;
    for (auto _ : state) {
        press(Qt::Key_7, "7");
        press(Qt::Key_Return);
        w.wnd->repaint();
        state.PauseTiming();
        press(Qt::Key_Left);
        QApplication::processEvents();
        state.ResumeTiming();
    }
    if (w.wnd->doc().lines[50].quantity != 7) state.SkipWithError("the quantity was not stored");
}
BENCHMARK(BM_GridQuantityEnterToRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
