// The packing count and carrier code of each line are worked out at recording time, from
// tables the slip entry keeps; the document calls this just before it writes the lines.
#pragma once

#include <span>

#include "slips/slip_records.h"

namespace rk {

class PackingFill {
public:
    virtual ~PackingFill() = default;
    // `lines` are the live lines 1..N of the slip, in order; fill may change their packing
    // count and carrier code.
    virtual void fill(const SlipHeader& header, std::span<SlipLine> lines) = 0;
};

}  // namespace rk
