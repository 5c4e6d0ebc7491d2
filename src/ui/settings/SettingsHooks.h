// What the settings windows ask of the main frame.
#pragma once

#include <functional>
#include <string>

namespace rk::ui {

struct SettingsHooks {
    std::function<void()> endProgram;                   // quit; the settings are written at exit
    std::function<void()> refreshAll;                   // refresh command to every window
    std::function<void(const std::string&)> openGuide;  // the operation guide on a topic
};

}  // namespace rk::ui
