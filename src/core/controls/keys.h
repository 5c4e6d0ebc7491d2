// Keys as the input controls see them. The values are the keyboard's virtual-key codes, so
// an exit key handed back to a view can be compared with the codes the screens document
// (Enter 13, Esc 27, F5 116, the extra key 146 ...).
#pragma once

namespace rk::controls {

enum class Key : int {
    None = 0,
    Backspace = 8,
    Tab = 9,
    Enter = 13,
    Esc = 27,
    PageUp = 33,
    PageDown = 34,
    End = 35,
    Home = 36,
    Left = 37,
    Up = 38,
    Right = 39,
    Down = 40,
    Delete = 46,
    Pad0 = 0x60,  // Pad1..Pad9 follow
    PadTimes = 0x6A,
    PadPlus = 0x6B,
    PadMinus = 0x6D,
    PadPoint = 0x6E,
    PadSlash = 0x6F,
    F1 = 0x70,  // F2..F15 follow
    F2,
    F3,
    F4,
    F5,
    F6,
    F7,
    F8,
    F9,
    F10,
    F11,
    F12,
    F13,
    F14,
    F15,
    Extra146 = 146,
};

constexpr int code(Key k) { return static_cast<int>(k); }
constexpr Key padDigit(int d) { return static_cast<Key>(code(Key::Pad0) + d); }
constexpr Key fKey(int n) { return static_cast<Key>(code(Key::F1) + n - 1); }
// Letter keys carry their upper-case ASCII code.
constexpr Key letter(char upper) { return static_cast<Key>(upper); }

constexpr bool isPadDigit(Key k) { return k >= Key::Pad0 && code(k) <= code(Key::Pad0) + 9; }
constexpr bool isLetter(Key k) { return code(k) >= 'A' && code(k) <= 'Z'; }

// The keys that end the input of an entry field.
constexpr bool isExitKey(Key k) {
    switch (k) {
        case Key::Tab:
        case Key::Enter:
        case Key::Esc:
        case Key::PageUp:
        case Key::PageDown:
        case Key::Up:
        case Key::Down:
        case Key::Left:
        case Key::Right:
        case Key::PadPlus:
        case Key::PadSlash:
        case Key::Extra146:
            return true;
        default:
            return (k >= Key::F2 && k <= Key::F6) || (k >= Key::F11 && k <= Key::F15);
    }
}

}  // namespace rk::controls
