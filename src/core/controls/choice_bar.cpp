#include "controls/choice_bar.h"

#include <algorithm>

#include "base/cp932.h"

namespace rk::controls {

ChoiceBar::ChoiceBar(std::string_view utf8Text, int id, int selected) : id_(id) {
    std::string sjis = cp932::fromUtf8(utf8Text);
    size_t i = 0;
    while (i < sjis.size() && static_cast<int>(items_.size()) < kMaxItems) {
        while (i < sjis.size() && sjis[i] == ' ') ++i;  // blanks before an item
        if (i >= sjis.size()) break;
        size_t start = i;
        // An item runs to the next pair of blanks; a single blank belongs to the item.
        while (i < sjis.size() && !(sjis[i] == ' ' && i + 1 < sjis.size() && sjis[i + 1] == ' ')) {
            i += cp932::isLeadByte(static_cast<unsigned char>(sjis[i])) && i + 1 < sjis.size() ? 2 : 1;
        }
        std::string_view text(sjis.data() + start, i - start);
        while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
        items_.push_back({cp932::toUtf8(text), static_cast<int>(start)});
    }
    int last = std::max(0, static_cast<int>(items_.size()) - 1);
    selected_ = std::clamp(selected, 0, last);
}

int ChoiceBar::left(int index) const { return items_[static_cast<size_t>(index)].column * kColumnWidth; }

int ChoiceBar::right(int index) const {
    const Item& it = items_[static_cast<size_t>(index)];
    return (it.column + static_cast<int>(cp932::byteLength(it.text))) * kColumnWidth;
}

void ChoiceBar::store(Key k, ListResult& result) {
    lastKey_ = k;
    result.id = id_;
    result.value = selected_;
    result.key = k;
}

ChoiceBar::Action ChoiceBar::key(Key k, ListResult& result) {
    int count = static_cast<int>(items_.size());
    int wanted = -1;
    if (k == Key::Left)
        wanted = std::max(0, selected_ - 1);
    else if (k == Key::Right)
        wanted = std::min(count - 1, selected_ + 1);
    else if (isPadDigit(k) && k != Key::Pad0)
        wanted = code(k) - code(Key::Pad0) - 1;
    else if (k == Key::PadTimes)
        wanted = 9;
    else if (isLetter(k))
        wanted = 10 + code(k) - 'A';

    if (wanted >= 0) {
        lastKey_ = k;
        if (wanted >= count || wanted == selected_) return Action::None;
        selected_ = wanted;
        return Action::Repaint;
    }
    if (k == Key::Enter || k == Key::Down) {
        store(k, result);
        return Action::ReturnFocus;
    }
    if (k == Key::Up) {
        store(k, result);
        return Action::CallParent;
    }
    return Action::None;
}

ChoiceBar::Action ChoiceBar::click(int x, ListResult& result) {
    for (int i = 0; i < static_cast<int>(items_.size()); ++i) {
        if (x >= left(i) && x < right(i)) {
            selected_ = i;
            store(Key::Enter, result);
            return Action::ReturnFocus;
        }
    }
    return Action::None;
}

void ChoiceBar::focusOut(ListResult& result) { store(lastKey_, result); }

}  // namespace rk::controls
