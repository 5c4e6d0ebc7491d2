// The key logic of the pick list: one entry out of a vertical list, chosen with the cursor
// or by typing its number. Typed digits are also fed to the entry fields of the window so
// the number shows where the operator expects it.
#pragma once

#include <string>

#include "controls/list_result.h"

namespace rk::controls {

class PickList {
public:
    static constexpr size_t kMaxTyped = 32;

    // What a key asks of the list's owner.
    struct Step {
        bool chosen = false;  // the list result was filled: tell the parent view
        bool beep = false;
        char feedChar = 0;        // feed this character to the window's entry fields
        Key feedKey = Key::None;  // feed this key to the window's entry fields
    };

    PickList(int id, int count, bool multiSelect = false) : id_(id), count_(count), multi_(multiSelect) {}

    // A typed character.
    Step character(char c);
    // A pressed key; `current` is the list's current selection after the list handled it.
    Step key(Key k, int current, ListResult& result);
    Step doubleClick(int current, ListResult& result);
    // Whether a right click selects every line.
    bool rightClickSelectsAll() const { return multi_; }

    // The number the first line answers to when typed: 1 for a plain list, 100 for a list of
    // codes 100.. (so that typing 110 chooses code 110, not the 110th line).
    void setFirstNumber(int n) { first_ = n; }

    const std::string& typed() const { return typed_; }
    int id() const { return id_; }

private:
    Step choose(int value, Key k, ListResult& result);

    int id_;
    int count_;
    int first_ = 1;
    bool multi_;
    std::string typed_;
    int tracked_ = 0;
};

}  // namespace rk::controls
