// The two helpers of slip entry beside the grid: the extended text of one line (行文字) and the
// tape calculator whose total goes into the field being typed.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "slips/slip_records.h"

namespace rk {

// The part of the 100-byte text buffer the line text window edits.
constexpr size_t kLineTextEdited = 80;

// Enter in the line text window: `sjis` becomes the line's text, cut at a character boundary
// to 80 bytes and NUL-terminated; the text is appended when the slip is recorded. A line with
// text and no remark code is marked with remark 999.
void storeLineText(SlipLine& line, LineText& text, std::string_view sjis);
// F4 in the line text window: the line no longer refers to a text (the old record stays in
// the file unreferenced).
void detachLineText(SlipLine& line, LineText& text);

enum class TapeOp { None, Multiply, Add, Divide };

struct TapeRow {
    int32_t value = 0;
    TapeOp op = TapeOp::None;
};

class TapeCalculator {
public:
    static constexpr int kRows = 12;

    enum class Result {
        Ok,
        OperatorOrder,  // a multiply or divide after an add: the row was cleared
        Overflow,       // the total would leave 32 bits: the row was left as it was
    };

    // Row r (0-based) takes a value and the operator it was ended with.
    [[nodiscard]] Result set(int row, int32_t value, TapeOp op);
    void clear();

    const TapeRow& row(int r) const { return rows_[static_cast<size_t>(r)]; }
    int32_t total() const { return total_; }

private:
    // The total of `rows`, or nothing when a step leaves 32 bits.
    static bool totalOf(const std::array<TapeRow, kRows>& rows, int32_t& out);

    std::array<TapeRow, kRows> rows_{};
    int32_t total_ = 0;
};

}  // namespace rk
