// The six dimensions a table is keyed by or filtered on, and the six-row conditions the
// conditions window fills for each of them.
#pragma once

#include <array>
#include <cstdint>

#include "slips/slip_records.h"

namespace rk::tables {

enum Dimension : int {
    kByCustomer = 1,
    kBySalesMethod = 2,
    kByProduct = 3,
    kByGrade1 = 4,
    kByGrade2 = 5,
    kByRemark = 6
};
constexpr int kDimensions = 6;
constexpr int kConditionRows = 6;

// The code a slip line has in a dimension; the customer comes from the header.
inline int32_t codeOf(Dimension d, int32_t customer, const SlipLine& l) {
    switch (d) {
        case kByCustomer:
            return customer;
        case kBySalesMethod:
            return l.salesMethod;
        case kByProduct:
            return l.product;
        case kByGrade1:
            return l.grade1;
        case kByGrade2:
            return l.grade2;
        case kByRemark:
            return l.remarkCode;
    }
    return 0;
}

// Rows 1..6 of every dimension, row 1 first. A dimension is limited when its row 1 is
// non-zero: the code must equal one of the non-zero rows 1..5, or lie within row 1..row 6
// when row 6 is non-zero. Rows left at 0 never match anything.
struct ConditionSet {
    std::array<std::array<int32_t, kConditionRows>, kDimensions> rows{};

    std::array<int32_t, kConditionRows>& of(Dimension d) { return rows[static_cast<size_t>(d - 1)]; }
    const std::array<int32_t, kConditionRows>& of(Dimension d) const { return rows[static_cast<size_t>(d - 1)]; }
    bool active(Dimension d) const { return of(d)[0] != 0; }
    void clear(Dimension d) { of(d) = {}; }

    bool passes(Dimension d, int32_t code) const {
        const auto& r = of(d);
        if (r[0] == 0) return true;
        for (int i = 0; i < 5; ++i)
            if (r[static_cast<size_t>(i)] != 0 && r[static_cast<size_t>(i)] == code) return true;
        return r[5] != 0 && r[0] <= code && code <= r[5];
    }

    // Every dimension but `skip` (0 for none) passes the line.
    bool passesLine(int32_t customer, const SlipLine& l, int skip = 0) const {
        for (int d = 1; d <= kDimensions; ++d)
            if (d != skip && !passes(static_cast<Dimension>(d), codeOf(static_cast<Dimension>(d), customer, l)))
                return false;
        return true;
    }
};

}  // namespace rk::tables
