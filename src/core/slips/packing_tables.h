// The packing count and carrier of each line, worked out at recording from two tables in the
// program folder: the packing-count table (packages for i boxes of packing group k) and the
// carrier table (carrier code of each customer). The carrier table is created when missing.
#pragma once

#include <array>
#include <vector>

#include "app/app_context.h"
#include "slips/packing_fill.h"

namespace rk {

class PackingTables final : public PackingFill {
public:
    static constexpr int kRows = 384;
    static constexpr int kGroups = 15;

    explicit PackingTables(AppContext& ctx) : ctx_(ctx) {}
    void fill(const SlipHeader& header, std::span<SlipLine> lines) override;

    // Reads both tables (creating the carrier table when it is missing).
    void load();
    // Reads only the packing-count table; nothing is written (print windows).
    void loadPackingTable();
    bool haveTable() const { return haveTable_; }
    // Works out the packing counts of the live lines of a slip from the packing-count table,
    // as recording does; the carrier codes are left as they are.
    void countPackages(std::span<SlipLine> lines);
    // Packages for `boxes` boxes of packing group `group`: 0 without a table; beyond the table
    // one package per started group.
    int packages(int group, int boxes) const;
    int carrierOf(int customer) const;

private:
    int groupOf(int product);
    void loadCarriers();

    AppContext& ctx_;
    bool haveTable_ = false;
    std::vector<std::array<int, kGroups + 1>> table_;
    std::vector<int> carriers_;
};

}  // namespace rk
