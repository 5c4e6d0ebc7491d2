// The -lh5- compression of LHA archives: LZSS over an 8 KB window (matches of 3 to 256
// bytes), written in blocks, each with its own static Huffman codes for the literals and
// lengths, for the match positions and for the code lengths themselves.
#pragma once

#include <span>

#include "base/record.h"

namespace rk::lha {

// The compressed stream of `data`; empty for empty data.
Bytes encodeLh5(std::span<const std::byte> data);

}  // namespace rk::lha
