// Whole-yen amounts. Doubles cannot hold 1.13 exactly, so 100 x 1.13 is 112.999...; every
// amount, tax and commission is rounded to 1e-6 first and only then truncated toward zero.
#pragma once

#include <cmath>

namespace rk::money {

// Removes binary noise below a millionth of a yen.
inline double clean(double v) { return std::round(v * 1e6) / 1e6; }

// Whole yen, truncated toward zero.
inline double yen(double v) { return std::trunc(clean(v)); }

// The largest whole amount a double holds exactly; beyond it (and for NaN or infinities) a
// stored amount is damaged.
inline constexpr double kLargestWhole = 9007199254740992.0;  // 2^53
inline bool holdsWhole(double v) { return std::isfinite(v) && std::fabs(v) < kLargestWhole; }

// Whole yen as an integer for a text field; a damaged amount gives 0 and counts in
// `*damaged` (never a cast of NaN or of a value no integer holds).
inline long long wholeYen(double v, int* damaged = nullptr) {
    const double y = holdsWhole(v) ? yen(v) : NAN;
    if (!holdsWhole(y)) {
        if (damaged) ++*damaged;
        return 0;
    }
    return static_cast<long long>(y);
}

// Whole yen of a product (quantity x unit price, amount x rate).
inline double times(double a, double b) { return yen(a * b); }

// Whole yen of `amount x percent / 100`, rounded by `method`: 0 truncate, 1 round half up, 2 round up
// (all away from zero for the magnitude, sign kept).
enum class Rounding { Truncate = 0, HalfUp = 1, Up = 2 };
inline double percent(double amount, double pct, Rounding method = Rounding::Truncate) {
    double exact = clean(amount * pct / 100.0);
    double mag = std::fabs(exact);
    double r = method == Rounding::Truncate ? std::trunc(mag)
               : method == Rounding::HalfUp ? std::floor(mag + 0.5)
                                            : std::ceil(mag);
    return std::copysign(r, exact) + 0.0;
}

}  // namespace rk::money
