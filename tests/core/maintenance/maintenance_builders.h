// A demo year for the data check tests, made once per test binary and copied into a fresh
// folder for each test, and small helpers that read and overwrite single records in it.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "cli/demo_year.h"
#include "maintenance/year_check.h"
#include "masters/master_records.h"
#include "payments/payment_file.h"
#include "slips/slip_builders.h"
#include "slips/slip_index.h"
#include "support/installation.h"

namespace rk::test {

// The shared demo year (40 customers, 300 slips, groups and payments included).
inline const Installation& demoYear() {
    static const std::unique_ptr<Installation> demo = [] {
        auto inst = std::make_unique<Installation>();
        ScriptedDialogs d;
        EXPECT_TRUE(fillDemoYear(*inst->ctx, d, {40, 300, 3}));
        return inst;
    }();
    return *demo;
}

template <Record T>
T recordAt(AppContext& ctx, const fs::path& file, int n) {
    T r{};
    (void)ctx.files.readZeroFilled(file, static_cast<uint64_t>(n) * sizeof(T), bytesOf(r));
    return r;
}

template <Record T>
void putRecord(AppContext& ctx, const fs::path& file, int n, const T& r) {
    ASSERT_TRUE(ctx.files.write(file, static_cast<uint64_t>(n) * sizeof(T), bytesOf(r), true));
}

inline int records(AppContext& ctx, DataSlot slot, uint64_t size) {
    return static_cast<int>(ctx.files.size(ctx.fileSet[slot]).value_or(0) / size);
}

// The first live payment that lists at least `slips` slips (0 when there is none).
inline int livePaymentWith(AppContext& ctx, int slips = 1) {
    const auto all = payments::readPayments(ctx.files, ctx.fileSet[kPayments]);
    for (size_t n = 1; n < all.size(); ++n)
        if (liveDate(all[n].date) && all[n].slipCount >= slips) return static_cast<int>(n);
    return 0;
}

// The kinds of the findings, in order.
inline std::vector<maintenance::Finding::Kind> kinds(const std::vector<maintenance::Finding>& found) {
    std::vector<maintenance::Finding::Kind> out;
    for (const auto& f : found) out.push_back(f.kind);
    return out;
}

inline bool has(const std::vector<maintenance::Finding>& found, maintenance::Finding::Kind k) {
    return std::any_of(found.begin(), found.end(), [k](const auto& f) { return f.kind == k; });
}

}  // namespace rk::test
