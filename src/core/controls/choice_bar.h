// The key logic of the choice bar: one item out of a short horizontal list. The items are the
// bar's text split at every run of two or more blanks (at most 16); each item starts at its
// column of the text and is drawn 10 pixels per column.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "controls/list_result.h"

namespace rk::controls {

class ChoiceBar {
public:
    static constexpr int kMaxItems = 16;
    static constexpr int kColumnWidth = 10;  // pixels per column
    static constexpr int kPaintedItems = 6;

    struct Item {
        std::string text;  // UTF-8
        int column = 0;    // Shift-JIS byte column in the bar's text
    };

    // What a key or click asks of the bar's owner.
    enum class Action { None, Repaint, ReturnFocus, CallParent };

    ChoiceBar(std::string_view utf8Text, int id, int selected = 0);

    Action key(Key k, ListResult& result);
    // A click at x pixels from the bar's left edge.
    Action click(int x, ListResult& result);
    void focusOut(ListResult& result);

    const std::vector<Item>& items() const { return items_; }
    int selected() const { return selected_; }
    int id() const { return id_; }
    // Left and right pixel edge of an item.
    int left(int index) const;
    int right(int index) const;

private:
    void store(Key k, ListResult& result);

    std::vector<Item> items_;
    int id_;
    int selected_;
    Key lastKey_ = Key::None;
};

}  // namespace rk::controls
