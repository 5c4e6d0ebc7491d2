// The choice a choice bar or pick list hands its owner: which list, the chosen index and the
// key that ended the choice.
#pragma once

#include "controls/keys.h"

namespace rk::controls {

struct ListResult {
    int id = 0;
    int value = 0;
    Key key = Key::None;
};

}  // namespace rk::controls
