#include <gtest/gtest.h>

#include <string>

#include "controls/choice_bar.h"
#include "controls/pick_list.h"

using namespace rk::controls;

TEST(ChoiceBar, SplitsAtRunsOfTwoBlanksAndRecordsColumns) {
    ChoiceBar bar("箱指定  ﾌﾗｺﾝ 指定    ﾄﾚｰ", 7);
    ASSERT_EQ(bar.items().size(), 3u);
    EXPECT_EQ(bar.items()[1].text, "ﾌﾗｺﾝ 指定");
    EXPECT_EQ(bar.items()[0].column, 0);
    EXPECT_EQ(bar.items()[1].column, 8);  // 箱指定 is 6 bytes, then two blanks
    EXPECT_EQ(bar.items()[2].column, 21);
    EXPECT_EQ(bar.left(1), 80);

    std::string many;
    for (int i = 0; i < 20; ++i) many += "X  ";
    EXPECT_EQ(ChoiceBar(many, 1).items().size(), 16u);
}

TEST(ChoiceBar, KeysMoveSelectionAndReportToTheListResult) {
    ChoiceBar bar("A  B  C  D  E  F  G  H  I  J  K  L", 42);
    ListResult r;
    EXPECT_EQ(bar.key(Key::Left, r), ChoiceBar::Action::None);  // not below the first
    EXPECT_EQ(bar.key(Key::Right, r), ChoiceBar::Action::Repaint);
    EXPECT_EQ(bar.selected(), 1);
    bar.key(padDigit(5), r);
    EXPECT_EQ(bar.selected(), 4);
    bar.key(Key::PadTimes, r);
    EXPECT_EQ(bar.selected(), 9);
    bar.key(letter('B'), r);
    EXPECT_EQ(bar.selected(), 11);
    bar.key(Key::Right, r);  // not beyond the last
    EXPECT_EQ(bar.selected(), 11);
    bar.key(letter('Z'), r);  // no such item
    EXPECT_EQ(bar.selected(), 11);

    EXPECT_EQ(bar.key(Key::Enter, r), ChoiceBar::Action::ReturnFocus);
    EXPECT_EQ(r.id, 42);
    EXPECT_EQ(r.value, 11);
    EXPECT_EQ(r.key, Key::Enter);
    EXPECT_EQ(bar.key(Key::Up, r), ChoiceBar::Action::CallParent);
    EXPECT_EQ(r.key, Key::Up);
}

TEST(ChoiceBar, ClickChoosesTheItemUnderTheMouse) {
    ChoiceBar bar("AA  BB  CC", 3);
    ListResult r;
    EXPECT_EQ(bar.click(45, r), ChoiceBar::Action::ReturnFocus);  // BB spans 40..60
    EXPECT_EQ(r.value, 1);
    EXPECT_EQ(r.key, Key::Enter);
    EXPECT_EQ(bar.click(30, r), ChoiceBar::Action::None);  // between items
    bar.key(Key::Right, r);
    bar.focusOut(r);
    EXPECT_EQ(r.value, 2);
    EXPECT_EQ(r.key, Key::Right);
}

TEST(PickList, TypedNumberChoosesItsLine) {
    PickList list(9, 30);
    ListResult r;
    EXPECT_EQ(list.character('1').feedChar, '1');
    list.character('2');
    list.character('7');
    EXPECT_EQ(list.key(Key::Delete, 0, r).feedKey, Key::Delete);
    EXPECT_EQ(list.typed(), "12");
    auto s = list.key(Key::Enter, 5, r);
    EXPECT_TRUE(s.chosen);
    EXPECT_EQ(r.id, 9);
    EXPECT_EQ(r.value, 11);
    EXPECT_EQ(list.typed(), "");

    list.character('4');
    list.key(Key::Home, 0, r);
    list.key(Key::Enter, 5, r);  // nothing typed: the current line
    EXPECT_EQ(r.value, 5);

    list.character('3');
    list.character('1');
    EXPECT_TRUE(list.key(Key::Enter, 5, r).beep);  // there is no line 31
    EXPECT_EQ(r.value, 5);
}

TEST(PickList, ACodeListTakesTypedCodes) {
    PickList list(4, 500);  // account items 100..599
    list.setFirstNumber(100);
    ListResult r;
    for (char c : std::string("110")) list.character(c);
    list.key(Key::Enter, 0, r);
    EXPECT_EQ(r.value, 10);  // the line of code 110
    for (char c : std::string("99")) list.character(c);
    EXPECT_TRUE(list.key(Key::Enter, 0, r).beep);
    for (char c : std::string("600")) list.character(c);
    EXPECT_TRUE(list.key(Key::Enter, 0, r).beep);
    for (char c : std::string("599")) list.character(c);
    list.key(Key::Enter, 0, r);
    EXPECT_EQ(r.value, 499);
}

TEST(PickList, EscLeftRightAndDoubleClick) {
    PickList list(2, 10, true);
    ListResult r;
    list.key(Key::Down, 3, r);
    list.key(Key::Down, 4, r);
    EXPECT_FALSE(list.key(Key::Up, 3, r).chosen);
    list.key(Key::Right, 7, r);
    EXPECT_EQ(r.value, 3);
    EXPECT_EQ(r.key, Key::Right);
    list.key(Key::Esc, 7, r);
    EXPECT_EQ(r.value, 0);
    EXPECT_EQ(r.key, Key::Esc);
    EXPECT_TRUE(list.doubleClick(6, r).chosen);
    EXPECT_EQ(r.value, 6);
    EXPECT_EQ(r.key, Key::None);
    EXPECT_TRUE(list.rightClickSelectsAll());
}
