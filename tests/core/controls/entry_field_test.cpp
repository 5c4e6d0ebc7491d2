#include "controls/entry_field.h"

#include <gtest/gtest.h>

#include <cstring>

#include "base/cp932.h"

using namespace rk::controls;

namespace {

EntryField make(int mode, int length, int32_t value = 0, double number = 0, int decimals = 0,
                std::span<char> text = {}) {
    EntryConfig c{.mode = mode, .length = length, .decimals = decimals, .value = value, .number = number, .text = text};
    auto f = EntryField::create(c);
    EXPECT_TRUE(f.has_value());
    return *f;
}

// Types the characters one at a time and returns the last step.
EntryStep type(EntryField& f, std::string_view chars) {
    EntryStep last;
    for (char c : chars) last = f.character(std::string(1, c));
    return last;
}

}  // namespace

TEST(EntryField, RefusesUnknownMode) {
    EXPECT_FALSE(EntryField::create({.mode = 5}).has_value());
    EXPECT_FALSE(EntryField::create({.mode = -1}).has_value());
}

TEST(EntryField, NumberFieldLengthOneEndsAtOnceWithEnter) {
    auto f = make(1, 1, 7);
    EXPECT_EQ(f.display(), "7 ");
    EntryStep s = f.character("3");
    EXPECT_TRUE(s.ended);
    EXPECT_EQ(f.exitKey(), Key::Enter);
    EXPECT_EQ(f.value(), 3);
}

TEST(EntryField, AdvanceWhenFullEndsWithRightAfterLastDigit) {
    auto f = make(1, -3, 55);
    EXPECT_FALSE(type(f, "12").ended);
    EXPECT_EQ(f.display(), "12");
    EntryStep s = f.character("4");
    EXPECT_TRUE(s.ended);
    EXPECT_EQ(f.exitKey(), Key::Right);
    EXPECT_EQ(f.value(), 124);
}

TEST(EntryField, NumberFieldDropsDigitBeyondLengthAndIgnoresLetters) {
    auto f = make(1, 2, 0);
    type(f, "9x8");
    EXPECT_TRUE(f.character("7").beep);
    EXPECT_EQ(f.display(), "98");
    EXPECT_TRUE(f.key(Key::Down).ended);
    EXPECT_EQ(f.value(), 98);
    EXPECT_EQ(f.exitKey(), Key::Down);
}

TEST(EntryField, FirstDigitReplacesOldValueAndExitWithoutTypingKeepsIt) {
    auto f = make(2, 7, 1234567);
    EXPECT_EQ(f.display(), "1,234,567 ");
    EXPECT_TRUE(f.key(Key::Enter).ended);
    EXPECT_EQ(f.value(), 1234567);

    f.focusIn();
    f.character("5");
    EXPECT_EQ(f.display(), "5");
}

TEST(EntryField, GroupedFieldRegroupsAfterEveryDigitAndBackspace) {
    auto f = make(2, 8, 0);
    type(f, "1234");
    EXPECT_EQ(f.display(), "1,234");
    type(f, "56");
    EXPECT_EQ(f.display(), "123,456");
    f.key(Key::Backspace);
    EXPECT_EQ(f.display(), "12,345");
    f.key(Key::Tab);
    EXPECT_EQ(f.value(), 12345);
}

TEST(EntryField, EscRestoresTheValueBeforeTyping) {
    auto f = make(2, 8, 4321);
    type(f, "999");
    EXPECT_EQ(f.display(), "999");
    EXPECT_TRUE(f.key(Key::Esc).ended);
    EXPECT_EQ(f.value(), 4321);
    EXPECT_EQ(f.display(), "4,321 ");
}

TEST(EntryField, NegativeNumbersFromThePadMinus) {
    auto f = make(2, 8, 10);
    f.key(Key::PadMinus);
    EXPECT_EQ(f.display(), "-");
    type(f, "1500");
    EXPECT_EQ(f.display(), "-1,500");
    f.key(Key::PadPlus);
    EXPECT_EQ(f.value(), -1500);
    EXPECT_EQ(f.exitKey(), Key::PadPlus);

    // Once something is typed, the pad keys end a grouped field.
    auto g = make(2, 8, 0);
    type(g, "12");
    EXPECT_TRUE(g.key(Key::PadTimes).ended);
    EXPECT_EQ(g.exitKey(), Key::PadTimes);
    // ... but not a plain number field.
    auto h = make(1, 8, 0);
    type(h, "12");
    EXPECT_FALSE(h.key(Key::PadTimes).ended);
}

TEST(EntryField, ValuesThatDoNotFit32BitsAreRefusedNotWrapped) {
    auto f = make(2, 11, 0);
    type(f, "214748364");
    EXPECT_TRUE(f.character("8").beep);  // 2147483648 does not fit
    EXPECT_FALSE(f.character("7").beep);
    f.key(Key::Enter);
    EXPECT_EQ(f.value(), 2147483647);

    auto g = make(2, 11, 0);
    g.key(Key::PadMinus);
    type(g, "2147483648");
    g.key(Key::Enter);
    EXPECT_EQ(g.value(), INT32_MIN);

    EXPECT_FALSE(parseWhole("99999999999").has_value());
    EXPECT_EQ(parseWhole(""), 0);
}

TEST(EntryField, HomeClearsInEveryMode) {
    auto f = make(1, 4, 77);
    f.key(Key::Home);
    EXPECT_EQ(f.display(), "");
    f.key(Key::Enter);
    EXPECT_EQ(f.value(), 0);

    auto d = make(3, 9, 0, 12.5, 2);
    d.key(Key::Home);
    d.key(Key::Enter);
    EXPECT_EQ(d.number(), 0.0);
}

TEST(EntryField, DecimalFieldRefusesExtraDecimalsAndSecondPoint) {
    auto f = make(3, 9, 0, 0, 2);
    EXPECT_TRUE(f.character(".").beep);  // a point needs a digit first
    type(f, "12.34");
    EXPECT_TRUE(f.character("5").beep);
    EXPECT_TRUE(f.character(".").beep);
    EXPECT_EQ(f.display(), "12.34");
    f.key(Key::Enter);
    EXPECT_DOUBLE_EQ(f.number(), 12.34);
}

TEST(EntryField, DecimalFieldKeepsOnePositionForThePointAndGroupsTheWholePart) {
    auto f = make(3, 9, 0, 0, 0);
    type(f, "12345678");
    EXPECT_EQ(f.display(), "12,345,678");
    EXPECT_TRUE(f.character("9").beep);  // length 9 leaves 8 digits
    EXPECT_TRUE(f.character(".").beep);  // no decimals: no point
}

TEST(EntryField, DecimalFieldStartsFromTheShownValueAndEscRestores) {
    auto f = make(3, 12, 0, 1234.5, 2);
    EXPECT_EQ(f.display(), "1,234.50 ");
    f.key(Key::Backspace);  // nothing typed yet: clears like Home
    EXPECT_EQ(f.display(), "");
    type(f, "7.2");
    f.key(Key::Backspace);
    f.key(Key::Backspace);
    EXPECT_EQ(f.display(), "7");
    EXPECT_FALSE(f.character(".").beep);  // the removed point can be typed again
    f.key(Key::Esc);
    EXPECT_DOUBLE_EQ(f.number(), 1234.5);

    auto n = make(3, 9, 0, 3, 1);
    n.key(Key::PadMinus);
    type(n, "2.5");
    n.key(Key::Up);
    EXPECT_DOUBLE_EQ(n.number(), -2.5);
}

TEST(EntryField, FocusLossWritesOnlyWhatWasTyped) {
    auto f = make(2, 6, 40);
    f.focusOut();
    EXPECT_EQ(f.value(), 40);
    f.focusIn();
    type(f, "41");
    f.focusOut();
    EXPECT_EQ(f.value(), 41);

    auto d = make(3, 9, 0, 1.005, 2);  // an untouched value is not rounded to the shown text
    d.key(Key::Enter);
    EXPECT_DOUBLE_EQ(d.number(), 1.005);
}

TEST(EntryField, TextFieldTrimsBlanksAndWritesAtMostLengthBytes) {
    char buf[8];
    rk::cp932::assign(buf, "花　 ", ' ');  // "花", a full-width blank, blanks
    auto f = make(0, 8, 0, 0, 0, buf);
    EXPECT_EQ(f.display(), "花");
    EXPECT_TRUE(f.inputMethodOpen());
    f.editedText("花束ばら鉢", 5);
    EXPECT_TRUE(f.key(Key::Enter).ended);
    // 10 bytes of text in an 8-byte buffer: cut after the 4th character, never inside one.
    EXPECT_EQ(rk::cp932::toUtf8(buf), "花束ばら");

    auto g = make(0, 6, 0, 0, 0, buf);
    g.editedText("abc", 3);
    g.key(Key::Tab);  // Tab abandons the edit like Esc
    EXPECT_EQ(rk::cp932::toUtf8(buf, 6), "花束ば");

    // Leaving without an edit, or abandoning one, leaves the stored bytes exactly as they were.
    char padded[8];
    rk::cp932::assign(padded, "鉢", ' ');
    const std::string before(padded, 8);
    auto h = make(0, 8, 0, 0, 0, padded);
    h.key(Key::Enter);
    EXPECT_EQ(std::string(padded, 8), before);
    auto i = make(0, 8, 0, 0, 0, padded);
    i.editedText("x", 1);
    i.key(Key::Esc);
    EXPECT_EQ(std::string(padded, 8), before);
}

TEST(EntryField, TextFieldLeftEndsOnlyWhenTheCaretStayedPut) {
    char buf[10] = "abc";
    auto f = make(0, 10, 0, 0, 0, buf);
    f.focusIn(3);
    f.editedText("abc", 2);
    EXPECT_FALSE(f.key(Key::Left).ended);
    f.editedText("abc", 1);
    EXPECT_FALSE(f.key(Key::Left).ended);
    f.editedText("abc", 0);
    EXPECT_FALSE(f.key(Key::Left).ended);
    f.editedText("abc", 0);
    EXPECT_TRUE(f.key(Key::Left).ended);

    auto g = make(0, 10, 0, 0, 0, buf);
    g.focusIn(0);  // caret already at the start: the first Left leaves
    g.editedText("abc", 0);
    EXPECT_TRUE(g.key(Key::Left).ended);
    EXPECT_EQ(g.exitKey(), Key::Left);

    EntryConfig off{.mode = 0, .length = 4, .inputMethodOff = true, .text = buf};
    EXPECT_FALSE(EntryField::create(off)->inputMethodOpen());
}

TEST(EntryField, FixedTextPadsWithBlanksAndRefusesOverflow) {
    char buf[6];
    std::memcpy(buf, "OLD   ", 6);
    auto f = make(4, 6, 0, 0, 0, buf);
    EXPECT_EQ(f.display(), "OLD   ");
    f.character("A");
    EXPECT_EQ(f.display(), "A");
    f.character("花");
    f.character("B");
    f.character("C");
    EXPECT_TRUE(f.character("束").beep);  // 5 bytes used: a double-byte character does not fit
    f.key(Key::Backspace);
    f.key(Key::Backspace);
    EXPECT_EQ(f.display(), "A花");
    f.key(Key::Enter);
    EXPECT_EQ(std::string(buf, 6), rk::cp932::fromUtf8("A花   "));

    // Enter without typing keeps the stored text; Esc always puts it back.
    auto g = make(4, 6, 0, 0, 0, buf);
    g.key(Key::Enter);
    EXPECT_EQ(std::string(buf, 6), rk::cp932::fromUtf8("A花   "));
    auto h = make(4, 6, 0, 0, 0, buf);
    h.character("Z");
    h.key(Key::Esc);
    EXPECT_EQ(std::string(buf, 6), rk::cp932::fromUtf8("A花   "));
}

TEST(EntryField, ExitKeys) {
    for (Key k : {Key::Tab, Key::Enter, Key::PageUp, Key::PageDown, Key::Up, Key::Down, Key::PadPlus, Key::PadSlash,
                  Key::Extra146, Key::F2, Key::F6, Key::F11, Key::F15}) {
        auto f = make(1, 4, 1);
        EXPECT_TRUE(f.key(k).ended) << code(k);
    }
    for (Key k : {Key::F1, Key::F7, Key::F10, Key::End, padDigit(5)}) {
        auto f = make(1, 4, 1);
        EXPECT_FALSE(f.key(k).ended) << code(k);
    }
}
