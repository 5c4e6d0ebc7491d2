// A station process for the multi-station tests: it registers as a client of a shared folder
// and works on the network control file like the slip and payment windows do.
//
//   lan_worker stress FOLDER MILLIS SEED   locks slips and claims customers at random for MILLIS ms
//   lan_worker hold FOLDER DATE CUSTOMER CLAIM
//                                          locks one slip, claims one customer, says "ready N" and
//                                          waits to be killed
//
// stress keeps a marker file per grant it holds (created exclusively): two processes granted the
// same slip, or a slip and a claim of one customer, or one station number, show as a clash.
// Exit status: 0 fine, 3 no station number free, 4 a clash, 5 anything else.
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <random>
#include <string>
#include <thread>

#include "app/app_context.h"
#include "app/lan_control.h"
#include "app/lan_station.h"

using namespace rk;

namespace {

class PrintingDialogs : public ScriptedDialogs {
public:
    void message(std::string_view text, Icon i) override {
        ScriptedDialogs::message(text, i);
        std::cerr << "message: " << text << '\n';
    }
};

bool createMarker(const fs::path& p) {
    int fd = ::open(p.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    ::close(fd);
    return true;
}

constexpr int kDates[] = {501, 502};
constexpr int kCustomers[] = {1, 2, 3};

fs::path slipMarker(const fs::path& dir, int date, int customer) {
    return dir / ("slip-" + std::to_string(date) + "-" + std::to_string(customer));
}
fs::path claimMarker(const fs::path& dir, int customer) { return dir / ("claim-" + std::to_string(customer)); }

int stress(AppContext& ctx, PrintingDialogs& dialogs, const fs::path& markers, int millis, unsigned seed) {
    std::mt19937 rng(seed);
    LanControl lan(ctx, dialogs);
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(millis);
    int grants = 0;
    auto hold = [&] { std::this_thread::sleep_for(std::chrono::microseconds(rng() % 2000)); };
    while (std::chrono::steady_clock::now() < end) {
        const int date = kDates[rng() % 2];
        const int customer = kCustomers[rng() % 3];
        if (rng() % 10 < 7) {
            // As the slip window does on moving to a slip.
            (void)lan.unlockOwn();
            if (lan.lockSlip(date, customer) != lan::kOk) continue;
            ++grants;
            fs::path m = slipMarker(markers, date, customer);
            if (!createMarker(m) || fs::exists(claimMarker(markers, customer))) {
                std::cerr << "clash on slip " << date << " " << customer << '\n';
                return 4;
            }
            hold();
            fs::remove(m);
            (void)lan.unlockSlip(date, customer);
        } else {
            if (lan.claimCustomer(customer) != lan::kOk) continue;
            ++grants;
            fs::path m = claimMarker(markers, customer);
            bool clash = !createMarker(m);
            for (int d : kDates) clash = clash || fs::exists(slipMarker(markers, d, customer));
            if (clash) {
                std::cerr << "clash on claim " << customer << '\n';
                return 4;
            }
            hold();
            fs::remove(m);
            (void)lan.releaseClaim(customer);
        }
    }
    std::cout << "grants " << grants << std::endl;
    return dialogs.shown.empty() ? 0 : 5;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 5;
    const std::string mode = argv[1];
    const fs::path folder = argv[2];
    AppContext ctx(Edition::Sales, folder);
    ctx.settings.lanMode = 2;
    ctx.fileSet = buildFileSet(Edition::Sales, folder, folder, 2026, false);
    PrintingDialogs dialogs;
    LanStation station;
    if (station.registerAtStart(ctx, dialogs) != StationStart::Continue) return 3;

    if (mode == "hold" && argc == 6) {
        LanControl lan(ctx, dialogs);
        if (lan.lockSlip(std::atoi(argv[3]), std::atoi(argv[4])) != lan::kOk) return 5;
        if (lan.claimCustomer(std::atoi(argv[5])) != lan::kOk) return 5;
        std::cout << "ready " << ctx.stationNumber << std::endl;
        for (;;) ::pause();
    }
    if (mode != "stress" || argc != 5) return 5;

    const fs::path markers = folder / "markers";
    const fs::path stationMarker = markers / ("station-" + std::to_string(ctx.stationNumber));
    if (!createMarker(stationMarker)) {
        std::cerr << "station " << ctx.stationNumber << " issued twice\n";
        return 4;
    }
    int rc = stress(ctx, dialogs, markers, std::atoi(argv[3]), static_cast<unsigned>(std::atoi(argv[4])));
    fs::remove(stationMarker);
    bool backup = false;
    if (station.unregisterAtExit(ctx, dialogs, backup) != 0) return 5;
    return rc;
}
