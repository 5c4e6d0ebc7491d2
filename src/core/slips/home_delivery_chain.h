// The chain of home-delivery slips of one slip line as the input window edits it: the slips
// in memory, the current one, a one-slip clipboard, and the commands of the window's buttons.
// Nothing reaches the files until record().
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "base/dialogs.h"
#include "slips/home_delivery.h"

namespace rk::delivery {

inline constexpr const char* kIncompleteNext = "現在データが不完全のため次伝票へ移行できません";
inline constexpr const char* kIncompleteCopy = "現在データが不完全のためコピーできません";
inline constexpr const char* kChainUnreadable = "宅配伝票ファイルが読み込めません";
inline constexpr const char* kChainNotRecorded =
    "宅配伝票ファイルへの書き込みができません\n宅配伝票は記録されていません";
inline constexpr const char* kGuideTopic = "＊．宅配伝票データ入力";

class Chain {
public:
    Chain(AppContext& ctx, Dialogs& dialogs, Owner owner) : ctx_(ctx), dialogs_(dialogs), owner_(owner) {}

    // Reads the chain that starts at `first`; false (after the message) when the data file
    // cannot be read. An empty chain starts with one blank slip.
    bool load(int32_t first);

    int count() const { return static_cast<int>(slips_.size()); }
    int currentNumber() const { return current_ + 1; }  // 1..count
    HomeDeliveryRecord& current() { return slips_[static_cast<size_t>(current_)].record; }
    const HomeDeliveryRecord& slip(int n) const { return slips_[static_cast<size_t>(n - 1)].record; }
    const std::optional<HomeDeliveryRecord>& clipboard() const { return clipboard_; }
    // Whether the clipboard holds the current slip as it stands (drawn inverted).
    bool currentOnClipboard() const;
    const Owner& owner() const { return owner_; }

    // The defaults applied to the current slip, as whenever a slip is shown.
    void showDefaults() { applyDefaults(current(), owner_.date); }

    bool next();      // Page Down; refused on an incomplete slip or at 255
    bool previous();  // Page Up
    void deleteCurrent();
    bool copy();
    void paste();
    // A book record replaces the current slip; its dates are cleared so the defaults apply.
    void take(const HomeDeliveryRecord& bookRecord);

    // Records the slips; `first` gets the number for the line (0 with no complete slip).
    // False (after the message) when the files could not be written.
    bool record(int32_t& first);

private:
    AppContext& ctx_;
    Dialogs& dialogs_;
    Owner owner_;
    std::vector<ChainSlip> slips_{ChainSlip{}};
    int current_ = 0;
    std::optional<HomeDeliveryRecord> clipboard_;
};

}  // namespace rk::delivery
