#include "slips/line_tools.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "base/cp932.h"

namespace rk {

void storeLineText(SlipLine& line, LineText& text, std::string_view sjis) {
    if (line.textNumber <= 0) line.textNumber = -1;
    const size_t n = cp932::cutAtCharBoundary(sjis, kLineTextEdited);
    std::memset(text.text, 0, kLineTextEdited + 1);
    std::memcpy(text.text, sjis.data(), n);
    if (text.text[0] != '\0' && line.remarkCode == 0) line.remarkCode = 999;
}

void detachLineText(SlipLine& line, LineText& text) {
    line.textNumber = 0;
    std::memset(text.text, 0, sizeof text.text);
}

bool TapeCalculator::totalOf(const std::array<TapeRow, kRows>& rows, int32_t& out) {
    int64_t t = rows[0].value;
    for (size_t r = 1; r < rows.size(); ++r) {
        const TapeRow& row = rows[r];
        if (row.value == 0) continue;  // so a division by 0 cannot happen
        switch (row.op) {
            case TapeOp::Multiply:
                t *= row.value;
                break;
            case TapeOp::Add:
                t += row.value;
                break;
            case TapeOp::Divide:
                t /= row.value;  // toward zero
                break;
            case TapeOp::None:
                break;
        }
        // Both factors fit 32 bits, so one step never leaves 64.
        if (t > std::numeric_limits<int32_t>::max() || t < std::numeric_limits<int32_t>::min()) return false;
    }
    out = static_cast<int32_t>(t);
    return true;
}

TapeCalculator::Result TapeCalculator::set(int row, int32_t value, TapeOp op) {
    const size_t r = static_cast<size_t>(std::clamp(row, 0, kRows - 1));
    if ((op == TapeOp::Multiply || op == TapeOp::Divide) && value != 0) {
        // Multiplication and division only before the first addition: the tape is worked
        // from the top, so a later product would not bind tighter than the sum.
        for (size_t i = 1; i < r; ++i) {
            if (rows_[i].op == TapeOp::Add && rows_[i].value != 0) {
                rows_[r] = {};
                (void)totalOf(rows_, total_);
                return Result::OperatorOrder;
            }
        }
    }
    std::array<TapeRow, kRows> next = rows_;
    next[r] = {value, op};
    int32_t t = 0;
    if (!totalOf(next, t)) return Result::Overflow;
    rows_ = next;
    total_ = t;
    return Result::Ok;
}

void TapeCalculator::clear() {
    rows_ = {};
    total_ = 0;
}

}  // namespace rk
