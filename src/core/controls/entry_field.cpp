#include "controls/entry_field.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "base/cp932.h"
#include "base/format.h"

namespace rk::controls {

namespace {

// Removes trailing ASCII blanks and full-width blanks from Shift-JIS text, never cutting
// into a double-byte character.
std::string trimBlanks(std::string_view sjis) {
    size_t end = 0;  // end of the last character that is not a blank
    for (size_t i = 0; i < sjis.size();) {
        bool lead = cp932::isLeadByte(static_cast<unsigned char>(sjis[i])) && i + 1 < sjis.size();
        size_t w = lead ? 2 : 1;
        bool blank = lead ? (sjis[i] == '\x81' && sjis[i + 1] == '\x40') : sjis[i] == ' ';
        if (!blank) end = i + w;
        i += w;
    }
    return std::string(sjis.substr(0, end));
}

// Byte length of the last character of Shift-JIS text.
size_t lastCharWidth(std::string_view sjis) {
    size_t last = 0;
    for (size_t i = 0; i < sjis.size();) {
        last = cp932::isLeadByte(static_cast<unsigned char>(sjis[i])) && i + 1 < sjis.size() ? 2 : 1;
        i += last;
    }
    return last;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<int32_t> parseWhole(std::string_view typed) {
    bool negative = !typed.empty() && typed[0] == '-';
    if (negative) typed.remove_prefix(1);
    int64_t v = 0;
    for (char c : typed) {
        if (!isDigit(c)) return std::nullopt;
        v = v * 10 + (c - '0');
        if (v > int64_t{std::numeric_limits<int32_t>::max()} + 1) return std::nullopt;
    }
    if (negative) v = -v;
    if (v > std::numeric_limits<int32_t>::max() || v < std::numeric_limits<int32_t>::min()) return std::nullopt;
    return static_cast<int32_t>(v);
}

std::optional<EntryField> EntryField::create(const EntryConfig& config) {
    if (config.mode < 0 || config.mode > 4) return std::nullopt;
    return EntryField(config);
}

EntryField::EntryField(const EntryConfig& c)
    : mode_(static_cast<EntryMode>(c.mode)),
      length_(c.length),
      decimals_(std::clamp(c.decimals, 0, 9)),
      inputMethodOff_(c.inputMethodOff),
      value_(c.value),
      previousValue_(c.value),
      number_(c.number),
      previousNumber_(c.number),
      buffer_(c.text) {
    focusIn(0);
}

void EntryField::focusIn(int caret) {
    previousValue_ = value_;
    previousNumber_ = number_;
    edited_ = false;
    exit_ = Key::None;
    point_ = false;
    lastCaret_ = caret_ = caret;
    size_t width = std::min(buffer_.size(), static_cast<size_t>(length()));
    std::string_view stored(buffer_.data(), width ? cp932::fieldLength(buffer_.data(), width) : 0);
    switch (mode_) {
        case EntryMode::Text:
            original_ = std::string(buffer_.data(), width);
            start_ = cp932::toUtf8(trimBlanks(stored));
            typed_ = start_;
            break;
        case EntryMode::Number:
        case EntryMode::Grouped:
            typed_ = std::to_string(value_);
            break;
        case EntryMode::Decimal: {
            typed_ = fmt::decimal(number_, 0, decimals_, false);
            typed_.erase(std::remove(typed_.begin(), typed_.end(), ' '), typed_.end());
            point_ = typed_.find('.') != std::string::npos;
            break;
        }
        case EntryMode::FixedText:
            original_ = start_ = std::string(buffer_.data(), width);
            typed_.clear();
            break;
    }
}

int EntryField::digitCount() const { return static_cast<int>(std::count_if(typed_.begin(), typed_.end(), isDigit)); }

void EntryField::clear() {
    typed_.clear();
    point_ = false;
    edited_ = true;
}

void EntryField::startNegative() {
    typed_ = "-";
    point_ = false;
    edited_ = true;
}

void EntryField::takeTyped() {
    if (!edited_) return;  // nothing typed: the value stays exactly as it was
    if (mode_ == EntryMode::Decimal) {
        number_ = typed_.empty() || typed_ == "-" ? 0.0 : std::strtod(typed_.c_str(), nullptr);
    } else {
        value_ = parseWhole(typed_ == "-" ? "" : typed_).value_or(value_);
    }
}

void EntryField::writeText(std::string_view sjis, char pad) {
    size_t width = std::min(buffer_.size(), static_cast<size_t>(length()));
    if (width == 0) return;
    cp932::assignRaw(buffer_.data(), width, sjis, pad);
}

void EntryField::restoreOriginal() { std::copy(original_.begin(), original_.end(), buffer_.begin()); }

EntryStep EntryField::end(Key k) {
    exit_ = k;
    return EntryStep{.ended = true};
}

EntryStep EntryField::digit(char d) {
    if (!edited_) {  // the first digit replaces the old value
        typed_.clear();
        point_ = false;
        edited_ = true;
    }
    if (mode_ == EntryMode::Decimal) {
        if (digitCount() + 1 >= length()) return {.beep = true};
        if (point_) {
            size_t fraction = typed_.size() - typed_.find('.') - 1;
            if (static_cast<int>(fraction) >= decimals_) return {.beep = true};
        }
        typed_ += d;
        return {};
    }
    if (digitCount() >= length() || !parseWhole(typed_ + d)) return {.beep = true};
    typed_ += d;
    if (mode_ == EntryMode::Number) {
        if (length_ == 1) {
            takeTyped();
            return end(Key::Enter);
        }
        if (advanceWhenFull() && digitCount() == length()) {
            takeTyped();
            typed_.clear();
            return end(Key::Right);
        }
    }
    return {};
}

EntryStep EntryField::decimalPoint() {
    if (decimals_ == 0 || point_ || !edited_ || digitCount() == 0) return {.beep = true};
    typed_ += '.';
    point_ = true;
    return {};
}

EntryStep EntryField::character(std::string_view ch) {
    if (exit_ != Key::None || ch.empty() || static_cast<unsigned char>(ch[0]) < 0x20) return {};
    switch (mode_) {
        case EntryMode::Text:
            return {};
        case EntryMode::Number:
        case EntryMode::Grouped:
        case EntryMode::Decimal:
            if (ch.size() == 1 && isDigit(ch[0])) return digit(ch[0]);
            if (ch == "." && mode_ == EntryMode::Decimal) return decimalPoint();
            return {};
        case EntryMode::FixedText: {
            std::string sjis = cp932::fromUtf8(ch);
            if (typed_.size() + sjis.size() > static_cast<size_t>(length())) return {.beep = true};
            typed_ += sjis;
            edited_ = true;
            return {};
        }
    }
    return {};
}

void EntryField::editedText(std::string_view utf8, int caret) {
    if (mode_ != EntryMode::Text) return;
    if (typed_ != utf8) edited_ = true;
    typed_ = std::string(utf8);
    caret_ = caret;
}

EntryStep EntryField::key(Key k) {
    if (exit_ != Key::None) return {};
    switch (mode_) {
        case EntryMode::Text:
            if (k == Key::Home) {
                typed_.clear();
                edited_ = true;
                lastCaret_ = caret_ = 0;
                return {.textReset = true};
            }
            if (k == Key::Left || k == Key::Right) {
                // Only a caret that stayed put (at the edge of the text) leaves the field.
                if (caret_ != lastCaret_) {
                    lastCaret_ = caret_;
                    return {};
                }
            } else if (!isExitKey(k)) {
                return {};
            }
            if (k == Key::Esc || k == Key::Tab) {
                restoreOriginal();  // the edit is abandoned: the buffer is as it was
            } else if (edited_) {
                writeText(cp932::fromUtf8(typed_), '\0');
            }
            return end(k);

        case EntryMode::Number:
        case EntryMode::Grouped:
        case EntryMode::Decimal: {
            bool decimal = mode_ == EntryMode::Decimal;
            if (k == Key::Esc) {
                value_ = previousValue_;
                number_ = previousNumber_;
                return end(k);
            }
            if (k == Key::Home) {
                clear();
                return {};
            }
            if (k == Key::PadMinus && (!edited_ || typed_.empty())) {
                startNegative();
                return {};
            }
            if (k == Key::Backspace || k == Key::Delete) {
                if (edited_ && !typed_.empty()) {
                    if (typed_.back() == '.') point_ = false;
                    typed_.pop_back();
                } else if (decimal) {
                    clear();
                }
                return {};
            }
            bool padEnds =
                mode_ == EntryMode::Grouped && edited_ && !typed_.empty() && (k == Key::PadTimes || k == Key::PadMinus);
            if (isExitKey(k) || padEnds) {
                takeTyped();
                return end(k);
            }
            return {};
        }

        case EntryMode::FixedText:
            if (k == Key::Esc) {
                restoreOriginal();
                return end(k);
            }
            if (k == Key::Home) {
                typed_.clear();
                edited_ = true;
                return {};
            }
            if (k == Key::Backspace || k == Key::Delete) {
                typed_.resize(typed_.size() - lastCharWidth(typed_));
                edited_ = true;
                return {};
            }
            if (!isExitKey(k)) return {};
            if (edited_) writeText(typed_, ' ');
            return end(k);
    }
    return {};
}

void EntryField::focusOut() {
    if (exit_ != Key::None) return;
    switch (mode_) {
        case EntryMode::Text:
            if (edited_) writeText(cp932::fromUtf8(typed_), '\0');
            break;
        case EntryMode::FixedText:
            if (edited_) writeText(typed_, ' ');
            break;
        default:
            takeTyped();
            break;
    }
}

std::string EntryField::display() const {
    bool typing = edited_ && exit_ == Key::None;
    switch (mode_) {
        case EntryMode::Text:
            return typed_;
        case EntryMode::Number:
            return typing ? typed_ : std::to_string(value_) + " ";
        case EntryMode::Grouped:
            return typing ? fmt::groupDigits(typed_) : fmt::groupDigits(std::to_string(value_)) + " ";
        case EntryMode::Decimal: {
            if (!typing) return fmt::decimal(number_, 0, decimals_);
            size_t dot = typed_.find('.');
            std::string whole = typed_.substr(0, dot);
            return fmt::groupDigits(whole) + (dot == std::string::npos ? "" : typed_.substr(dot));
        }
        case EntryMode::FixedText:
            return cp932::toUtf8(edited_ ? typed_ : start_);
    }
    return {};
}

}  // namespace rk::controls
