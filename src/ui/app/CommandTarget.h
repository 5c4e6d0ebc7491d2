// A window that handles commands the main frame passes on (keys bound in the frame's
// accelerators, commands sent to every window).
#pragma once

namespace rk::ui {

class CommandTarget {
public:
    virtual ~CommandTarget() = default;
    // True when the window acted on the command.
    virtual bool onCommand(int command) = 0;
};

}  // namespace rk::ui
