// The key logic of the entry field every input screen uses. The field takes keys and typed
// characters, keeps what has been typed and the formatted display, and when a key that ends
// the input arrives it stores the value (or writes the text into the owner's buffer) and
// remembers that key; the owner then reads value and exit key and decides where to go.
//
// Modes: 0 free text (the edit control does the editing), 1 whole number, 2 whole number with
// thousands separators, 3 number with decimals and separators, 4 fixed-width text typed
// character by character. A negative length means "advance when full" (mode 1).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "controls/keys.h"

namespace rk::controls {

enum class EntryMode : int { Text = 0, Number = 1, Grouped = 2, Decimal = 3, FixedText = 4 };

struct EntryConfig {
    int mode = 1;
    int length = 0;    // characters (modes 0, 4; Shift-JIS bytes) or digits (1 to 3)
    int decimals = 0;  // mode 3
    bool inputMethodOff = false;
    int32_t value = 0;    // modes 1, 2
    double number = 0.0;  // mode 3
    // Owner's text buffer (Shift-JIS) for modes 0 and 4; at most |length| bytes are written.
    std::span<char> text{};
};

// What one key or character did.
struct EntryStep {
    bool beep = false;       // refused: sound the beep
    bool ended = false;      // the input is over; exitKey() says with which key
    bool textReset = false;  // mode 0: the edit control must show display() again
};

class EntryField {
public:
    // Nullopt for a mode outside 0 to 4 (the owner shows kEntryBadMode).
    static std::optional<EntryField> create(const EntryConfig& config);

    EntryMode mode() const { return mode_; }
    int length() const { return length_ < 0 ? -length_ : length_; }
    bool advanceWhenFull() const { return length_ < 0; }
    // Whether the Japanese input method is open while the field has the focus.
    bool inputMethodOpen() const { return mode_ == EntryMode::Text && !inputMethodOff_; }

    // The field took the focus; `caret` is the caret position of a mode 0 edit control.
    void focusIn(int caret = 0);
    // The field lost the focus. Without an exit key it still writes what was typed.
    void focusOut();

    // A typed character (UTF-8, one character). Mode 0 ignores it: the edit control edits.
    EntryStep character(std::string_view ch);
    // A pressed key. In mode 0 call editedText() first so the field knows the text and caret
    // after the edit control has handled the key.
    EntryStep key(Key k);
    void editedText(std::string_view utf8, int caret);

    // Right-aligned label text (modes 1 to 4) or the edit control's text (mode 0), UTF-8.
    std::string display() const;
    int32_t value() const { return value_; }
    double number() const { return number_; }
    Key exitKey() const { return exit_; }
    // Whether anything was typed since the field took the focus.
    bool edited() const { return edited_; }

private:
    explicit EntryField(const EntryConfig& c);

    EntryStep digit(char d);
    EntryStep decimalPoint();
    EntryStep end(Key k);
    void startNegative();
    void clear();
    bool nothingTyped() const { return !edited_ || typed_.empty() || typed_ == "-"; }
    int digitCount() const;
    void takeTyped();  // typed text -> value / number
    void writeText(std::string_view sjis, char pad);
    void restoreOriginal();

    EntryMode mode_;
    int length_;
    int decimals_;
    bool inputMethodOff_;
    int32_t value_, previousValue_;
    double number_, previousNumber_;
    std::span<char> buffer_;
    std::string original_;  // modes 0 and 4: the buffer's bytes when the field took the focus
    std::string start_;     // mode 0 (UTF-8, trailing blanks removed) / mode 4 (Shift-JIS) starting text
    std::string typed_;     // modes 1-3: sign, digits, point; mode 0: edited UTF-8; mode 4: Shift-JIS
    bool edited_ = false;
    bool point_ = false;
    int lastCaret_ = 0;
    int caret_ = 0;
    Key exit_ = Key::None;
};

// Parses the typed text of a whole-number field; nullopt when it does not fit 32 bits.
std::optional<int32_t> parseWhole(std::string_view typed);

}  // namespace rk::controls
