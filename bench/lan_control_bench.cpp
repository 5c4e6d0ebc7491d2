// A slip window moving to the next slip: unlock own, lock the new slip. Each is one locked
// read-modify-write of the control file; the operator should never feel it (well under 5 ms).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include "app/app_context.h"
#include "app/lan_control.h"
#include "app/lan_station.h"

namespace {

using namespace rk;

void BM_MoveToNextSlip(benchmark::State& state) {
    std::string t = (fs::temp_directory_path() / "rk-lanbench-XXXXXX").string();
    const fs::path dir = ::mkdtemp(t.data());
    AppContext server(Edition::Sales, dir), client(Edition::Sales, dir);
    for (AppContext* c : {&server, &client}) c->fileSet = buildFileSet(Edition::Sales, dir, dir, 2026, false);
    server.settings.lanMode = 1;
    client.settings.lanMode = 2;
    ScriptedDialogs dialogs;
    LanStation s, c;
    if (s.registerAtStart(server, dialogs) != StationStart::Continue ||
        c.registerAtStart(client, dialogs) != StationStart::Continue) {
        state.SkipWithError("registration failed");
        return;
    }
    // Other stations' marks in the list, as on a busy day.
    LanControl other(server, dialogs);
    for (int k = 0; k < 8; ++k) (void)other.lockSlip(1201, 100 + k);
    LanControl lan(client, dialogs);
    int customer = 1;
    for (auto _ : state) {
        (void)lan.unlockOwn();
        benchmark::DoNotOptimize(lan.lockSlip(501, customer));
        customer = customer % 50 + 1;
    }
    bool backup = false;
    (void)c.unregisterAtExit(client, dialogs, backup);
    (void)s.unregisterAtExit(server, dialogs, backup);
    fs::remove_all(dir);
}
BENCHMARK(BM_MoveToNextSlip)->Unit(benchmark::kMicrosecond);

}  // namespace
