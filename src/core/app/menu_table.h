// The frame menus and keyboard accelerators of each edition, as data. The main frame builds
// its menu bar from these and asks the window registry which items are enabled.
#pragma once

#include <string_view>
#include <vector>

#include "app/edition.h"

namespace rk {

struct MenuItem {
    int command = 0;             // 0 with children: a submenu; 0 without: a separator
    std::string_view caption{};  // UTF-8; "&" marks the keyboard mnemonic
    std::vector<MenuItem> children{};
    bool alwaysDisabled = false;
    bool separator() const { return command == 0 && children.empty(); }
};

// Top-level menus of the edition's frame, in order (menu 327 for sales, 328 for purchase;
// the finance edition has none).
const std::vector<MenuItem>& menuBar(Edition e);
// The caption a command has in the edition's menus (empty when it has no menu item).
std::string_view menuCaption(Edition e, int command);

struct Accelerator {
    std::string_view keys;  // portable key text: "Shift+I", "Ctrl+Home", "F6"
    int command;
};

// Key bindings of the edition. Where two entries bind one key, the first binding wins and
// only that one is listed.
const std::vector<Accelerator>& accelerators(Edition e);

}  // namespace rk
