#include "receivables/processing.h"

#include <algorithm>
#include <cstdio>

#include "receivables/messages.h"

namespace rk::receivables {
namespace {

Recorded write(CFq7Doc& doc, const Processing& values, int32_t stage) {
    SlipHeader before = doc.header;
    store(values, doc.header);
    doc.header.stage = stage;
    if (doc.record() == CFq7Doc::WriteResult::Ok) return Recorded::Ok;
    doc.header = before;  // the failure was shown; the slip stays as it was, still open
    return Recorded::Failed;
}

bool refuseClosedYear(const AppContext& ctx, Dialogs& dialogs) {
    if (!closedYear(ctx.settings)) return false;
    dialogs.beep();
    dialogs.message(msg::kClosedYearToProcess, Icon::Stop);
    return true;
}

}  // namespace

bool mayOpen(const CFq7Doc& doc, int inputMode, bool windowOpen, Dialogs& dialogs) {
    const SlipHeader& h = doc.header;
    if (h.amount == 0) {
        dialogs.beep();
        if (dialogs.ask(msg::kNoAmountForce, Buttons::YesNo, Answer::No) != Answer::Yes) return false;
    }
    const int n = std::clamp(h.lineCount, 0, kMaxSlipLines);
    if (n == 0) {
        dialogs.beep();
        dialogs.message(msg::kNoValidLinesToProcess);
        return false;
    }
    if (windowOpen) {
        dialogs.message(msg::kProcessingOpen);
        return false;
    }
    if (inputMode == 1) {
        dialogs.message(msg::kWrongInputMode);
        return false;
    }
    for (int j = 1; j <= n; ++j) {
        if (doc.lines[j].price != 0) continue;
        dialogs.beep();
        if (dialogs.ask(msg::kLineWithoutPrice, Buttons::YesNo, Answer::No) != Answer::Yes) return false;
    }
    const double sum = slipTotal(std::span(&doc.lines[1], static_cast<size_t>(n)));
    if (h.amount != 0 && h.amount != sum) {
        char text[256];
        std::snprintf(text, sizeof text, msg::kTotalsDisagree, static_cast<int>(sum), static_cast<int>(h.amount));
        dialogs.message(text);
        return false;
    }
    return true;
}

bool mayReference(const SlipHeader& h, bool referenceOpen, Dialogs& dialogs) {
    if (h.stage != kStageProcessed && h.stage != kStageSettled) {
        dialogs.message(msg::kNoReferenceData);
        return false;
    }
    if (referenceOpen) {
        dialogs.message(msg::kReferenceOpen);
        return false;
    }
    return true;
}

Recorded record(CFq7Doc& doc, const Processing& values, AppContext& ctx, Dialogs& dialogs) {
    if (refuseClosedYear(ctx, dialogs)) return Recorded::Refused;
    int32_t stage = kStageProcessed;
    if (doc.header.stage == kStageSettled) {
        dialogs.beep();
        const char* text = ctx.edition == Edition::Purchase ? msg::kSettledPurchase : msg::kSettledSales;
        if (dialogs.ask(text, Buttons::OkCancel, Answer::Cancel) != Answer::Ok) return Recorded::Cancelled;
        stage = kStageSettled;
    }
    return write(doc, values, stage);
}

Recorded cancelSettlement(CFq7Doc& doc, const Processing& values, AppContext& ctx, Dialogs& dialogs) {
    if (doc.header.stage != kStageSettled) return Recorded::Cancelled;
    if (refuseClosedYear(ctx, dialogs)) return Recorded::Refused;
    if (dialogs.ask(msg::kCancelSettlement, Buttons::YesNo, Answer::No) != Answer::Yes) return Recorded::Cancelled;
    return write(doc, values, kStageProcessed);
}

}  // namespace rk::receivables
