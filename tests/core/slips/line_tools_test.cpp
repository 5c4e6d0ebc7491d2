#include "slips/line_tools.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "base/cp932.h"

namespace rk::test {
namespace {

TEST(LineText, SavingSetsRemark999AndCutsAtACharacterBoundary) {
    SlipLine l{};
    LineText t{};
    std::memset(t.text, 'x', sizeof t.text);
    storeLineText(l, t, cp932::fromUtf8("赤バラ２箱追加"));
    EXPECT_EQ(l.textNumber, -1);  // appended when the slip is recorded
    EXPECT_EQ(l.remarkCode, 999);
    EXPECT_EQ(cp932::toUtf8(t.text), "赤バラ２箱追加");
    EXPECT_EQ(t.text[81], 'x');  // only the edited part of the buffer changes

    // 79 single bytes and a double-byte character: the character does not fit, nothing of it stays.
    SlipLine m{};
    m.remarkCode = 12;
    m.textNumber = 5;
    LineText u{};
    storeLineText(m, u, std::string(79, 'a') + cp932::fromUtf8("花"));
    EXPECT_EQ(std::strlen(u.text), 79u);
    EXPECT_EQ(m.remarkCode, 12);  // a remark of its own is kept
    EXPECT_EQ(m.textNumber, 5);   // the stored text is rewritten in place

    // An empty text leaves the remark as it is; F4 detaches the text.
    SlipLine e{};
    storeLineText(e, u, "");
    EXPECT_EQ(e.remarkCode, 0);
    detachLineText(m, u);
    EXPECT_EQ(m.textNumber, 0);
    EXPECT_EQ(u.text[0], '\0');
}

TEST(TapeCalculator, WorksTheTapeFromTheTop) {
    TapeCalculator c;
    ASSERT_EQ(c.set(0, 1200, TapeOp::Multiply), TapeCalculator::Result::Ok);
    ASSERT_EQ(c.set(1, 3, TapeOp::Multiply), TapeCalculator::Result::Ok);
    ASSERT_EQ(c.set(2, 500, TapeOp::Add), TapeCalculator::Result::Ok);
    EXPECT_EQ(c.total(), 4100);
    // Rows of 0 and rows without an operator take no part.
    ASSERT_EQ(c.set(3, 0, TapeOp::Divide), TapeCalculator::Result::Ok);
    ASSERT_EQ(c.set(4, 77, TapeOp::None), TapeCalculator::Result::Ok);
    EXPECT_EQ(c.total(), 4100);
    // A divide after the add is refused and its row cleared.
    EXPECT_EQ(c.set(5, 2, TapeOp::Divide), TapeCalculator::Result::OperatorOrder);
    EXPECT_EQ(c.row(5).value, 0);
    EXPECT_EQ(c.total(), 4100);

    // Division truncates toward zero.
    TapeCalculator d;
    ASSERT_EQ(d.set(0, -7, TapeOp::None), TapeCalculator::Result::Ok);
    ASSERT_EQ(d.set(1, 2, TapeOp::Divide), TapeCalculator::Result::Ok);
    EXPECT_EQ(d.total(), -3);
}

TEST(TapeCalculator, RefusesATotalBeyond32Bits) {
    TapeCalculator c;
    ASSERT_EQ(c.set(0, 100000, TapeOp::None), TapeCalculator::Result::Ok);
    ASSERT_EQ(c.set(1, 20000, TapeOp::Multiply), TapeCalculator::Result::Ok);
    EXPECT_EQ(c.total(), 2000000000);
    EXPECT_EQ(c.set(2, 2, TapeOp::Multiply), TapeCalculator::Result::Overflow);
    EXPECT_EQ(c.row(2).value, 0);  // the row stays as it was
    EXPECT_EQ(c.total(), 2000000000);
    EXPECT_EQ(c.set(2, std::numeric_limits<int32_t>::max(), TapeOp::Add), TapeCalculator::Result::Overflow);
    EXPECT_EQ(c.set(2, 147483647, TapeOp::Add), TapeCalculator::Result::Ok);
    EXPECT_EQ(c.total(), std::numeric_limits<int32_t>::max());
}

}  // namespace
}  // namespace rk::test
