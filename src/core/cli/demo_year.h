// A realistic, reproducible year of a flower wholesaler for trying the program and for the
// benchmarks: customers, products and grades in the masters, then orders and deliveries
// recorded through the slip document exactly as the slip entry records them; most deliveries
// are then processed as receivables the way F6 of the slip entry does, a few of them paid at
// once, and the first eight months are settled through payment entry, groups included.
#pragma once

#include <cstdint>
#include <functional>

#include "app/app_context.h"
#include "base/dialogs.h"

namespace rk {

struct DemoOptions {
    int customers = 120;
    int slips = 3000;
    uint32_t seed = 1;
};

// Fills the masters and the slips of an installation whose start-up has run. `progress`
// gets (slips done, slips total) now and then. False when a write failed (reported through
// `dialogs`) or the options cannot be met (more slips than dates x customers allow).
bool fillDemoYear(AppContext& ctx, Dialogs& dialogs, const DemoOptions& options,
                  const std::function<void(int, int)>& progress = {});

// The largest customer count the demo can ask for.
constexpr int kDemoMaxCustomers = 2999;

}  // namespace rk
