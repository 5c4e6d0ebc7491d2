// Lines that refer to a line of the purchase edition's slip line file: what they take from it
// and how much of its quantity is left for them.
#include <algorithm>

#include "base/money.h"
#include "slips/slip_lines.h"
#include "slips/slip_messages.h"

namespace rk {
namespace {

// The purchase edition's slip line file: the same name with its letter.
fs::path purchaseLineFile(const AppContext& ctx) {
    const fs::path& own = ctx.fileSet[kSlipLines];
    std::string name = own.filename().string();
    if (!name.empty()) name[0] = 'S';
    return own.parent_path() / name;
}

}  // namespace

int SlipLineEditor::storePurchaseReference(int a, int ref) {
    SlipLine bought{};
    const fs::path file = purchaseLineFile(ctx_);
    const uint64_t at = static_cast<uint64_t>(ref) * kSlipLineSize;
    // Only a line that is there and holds a product can be referred to.
    if (at + kSlipLineSize > ctx_.files.size(file).value_or(0) ||
        !ctx_.files.readZeroFilled(file, at, bytesOf(bought)) || bought.product < 1 || bought.product > 1000) {
        dialogs_.beep();
        return kFieldProduct;
    }
    const int next = storeProduct(a, bought.product);
    SlipLine& l = line(a);
    l.grade1 = bought.grade1;
    l.grade2 = bought.grade2;
    cacheGrades(a);
    l.purchaseRef = ref;
    return next;
}

double SlipLineEditor::purchaseRemainder(int a) const {
    const SlipLine& own = doc_.lines[a];
    if (own.purchaseRef < 1) return 0;
    SlipLine bought{};
    (void)ctx_.files.readZeroFilled(purchaseLineFile(ctx_), static_cast<uint64_t>(own.purchaseRef) * kSlipLineSize,
                                    bytesOf(bought));
    double used = 0;
    for (int j = 1; j <= kMaxSlipLines; ++j)
        if (j != a && doc_.lines[j].purchaseRef == own.purchaseRef) used += doc_.lines[j].quantity;
    // The other live slips of the date as recorded (this slip's own record counts as it is now).
    for (int n : doc_.slipsOfDate(doc_.header.date)) {
        if (n == doc_.recordNumber()) continue;
        SlipHeader h{};
        if (!ctx_.files.readZeroFilled(ctx_.fileSet[kSlipHeaders], static_cast<uint64_t>(n) * sizeof h, bytesOf(h)) ||
            !liveDate(h.date))
            continue;
        for (int j = 1; j <= std::clamp(h.lineCount, 0, kMaxSlipLines); ++j) {
            SlipLine other{};
            if (h.lineSlots[j] < 1 ||
                !ctx_.files.readZeroFilled(ctx_.fileSet[kSlipLines],
                                           static_cast<uint64_t>(h.lineSlots[j]) * kSlipLineSize, bytesOf(other)))
                continue;
            if (other.purchaseRef == own.purchaseRef) used += other.quantity;
        }
    }
    return money::clean(bought.quantity - used);
}

bool SlipLineEditor::withinPurchase(int a, double q) {
    if (line(a).purchaseRef < 1 || q <= purchaseRemainder(a)) return true;
    dialogs_.message(msg::kOverPurchased);
    return false;
}

}  // namespace rk
