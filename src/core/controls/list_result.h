// The one record every choice bar and pick list reports its choice into: which list, the
// chosen index and the key that ended the choice. Only one choice is in progress at a time;
// it lives in the application context.
#pragma once

#include "controls/keys.h"

namespace rk::controls {

struct ListResult {
    int id = 0;
    int value = 0;
    Key key = Key::None;
};

}  // namespace rk::controls
