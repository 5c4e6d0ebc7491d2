#include "controls/pick_list.h"

namespace rk::controls {

PickList::Step PickList::choose(int value, Key k, ListResult& result) {
    result.id = id_;
    result.value = value;
    result.key = k;
    typed_.clear();
    return {.chosen = true};
}

PickList::Step PickList::character(char c) {
    if (c < '0' || c > '9') return {};
    if (typed_.size() >= kMaxTyped) return {.beep = true};
    typed_ += c;
    return {.feedChar = c};
}

PickList::Step PickList::key(Key k, int current, ListResult& result) {
    switch (k) {
        case Key::Delete:
            if (!typed_.empty()) typed_.pop_back();
            return {.feedKey = Key::Delete};
        case Key::Home:
            typed_.clear();
            return {};
        case Key::Enter: {
            if (typed_.empty()) return choose(current, k, result);
            // A typed number names a line first..first + count - 1; anything else is refused.
            const long long n = typed_.size() <= 9 ? std::stoll(typed_) : -1;
            if (n < first_ || n >= static_cast<long long>(first_) + count_) {
                typed_.clear();
                return {.beep = true};
            }
            return choose(static_cast<int>(n - first_), k, result);
        }
        case Key::Esc:
            return choose(0, k, result);
        case Key::Left:
        case Key::Right:
            return choose(tracked_, k, result);
        case Key::Up:
        case Key::Down:
            tracked_ = current;
            return {};
        default:
            return {};
    }
}

PickList::Step PickList::doubleClick(int current, ListResult& result) {
    tracked_ = current;
    return choose(current, Key::None, result);
}

}  // namespace rk::controls
