#include "slips/home_delivery_chain.h"

#include <algorithm>
#include <cstring>

namespace rk::delivery {

namespace {

// Nothing typed into the slip (its dates are only defaults): not worth a record.
bool blank(const HomeDeliveryRecord& r) {
    HomeDeliveryRecord empty{};
    HomeDeliveryRecord typed = r;
    typed.shippingDate = typed.arrivalDate = 0;
    typed.next = typed.slipDate = typed.customer = typed.line = 0;
    return std::memcmp(&typed, &empty, sizeof typed) == 0;
}

}  // namespace

bool Chain::load(int32_t first) {
    auto chain = readChain(ctx_.files, ctx_.fileSet[kHomeDelivery], first);
    if (!chain) {
        dialogs_.beep();
        dialogs_.message(kChainUnreadable, Icon::Stop);
        return false;
    }
    slips_ = std::move(*chain);
    if (slips_.empty()) slips_.push_back({});
    current_ = 0;
    showDefaults();
    return true;
}

bool Chain::currentOnClipboard() const {
    return clipboard_ &&
           std::memcmp(&*clipboard_, &slips_[static_cast<size_t>(current_)].record, sizeof(HomeDeliveryRecord)) == 0;
}

bool Chain::next() {
    if (current_ + 1 >= kMaxChain) return false;
    if (!complete(current())) {
        dialogs_.beep();
        dialogs_.message(kIncompleteNext);
        return false;
    }
    ++current_;
    if (current_ >= count()) slips_.push_back({});
    showDefaults();
    return true;
}

bool Chain::previous() {
    if (current_ == 0) return false;
    --current_;
    showDefaults();
    return true;
}

void Chain::deleteCurrent() {
    slips_.erase(slips_.begin() + current_);
    if (slips_.empty()) slips_.push_back({});
    if (current_ > 0) --current_;
    current_ = std::min(current_, count() - 1);
    showDefaults();
}

bool Chain::copy() {
    if (!complete(current())) {
        dialogs_.beep();
        dialogs_.message(kIncompleteCopy);
        return false;
    }
    clipboard_ = current();
    return true;
}

void Chain::paste() {
    if (!clipboard_) return;
    current() = *clipboard_;
    showDefaults();
}

void Chain::take(const HomeDeliveryRecord& bookRecord) {
    HomeDeliveryRecord& r = current();
    r = bookRecord;
    r.shippingDate = r.arrivalDate = 0;
    r.next = 0;
    showDefaults();
}

bool Chain::record(int32_t& first) {
    std::vector<ChainSlip> kept;
    for (const ChainSlip& s : slips_)
        if (!blank(s.record)) kept.push_back(s);
    first = 0;
    if (kept.empty()) return true;  // no slip: the line's chain is detached
    RecordResult r = recordChain(ctx_, kept, owner_);
    if (!r.write.ok()) {
        dialogs_.beep();
        dialogs_.message(r.write.message(kChainNotRecorded), Icon::Stop);
        return false;
    }
    first = r.first;
    slips_ = std::move(kept);
    current_ = std::min(current_, count() - 1);
    return true;
}

}  // namespace rk::delivery
