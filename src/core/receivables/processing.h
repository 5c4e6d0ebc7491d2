// The receivable operation on the open slip of a slip document: the checks before the
// processing window opens, and recording the processed slip.
#pragma once

#include "app/app_context.h"
#include "base/dialogs.h"
#include "receivables/receivable.h"
#include "slips/CFq7Doc.h"

namespace rk::receivables {

// The checks the slip entry window runs before opening processing, in their order. The
// questions that allow forced processing are asked here; refusals are shown. `inputMode` is
// the slip entry's mode (1 order, 2 delivery, ...); `windowOpen` whether a processing window
// is already open.
bool mayOpen(const CFq7Doc& doc, int inputMode, bool windowOpen, Dialogs& dialogs);

// The reference view is for processed and settled slips only (the message otherwise).
bool mayReference(const SlipHeader& h, bool referenceOpen, Dialogs& dialogs);

enum class Recorded {
    Ok,         // written; the document is cleared for the next slip
    Cancelled,  // the operator declined; nothing changed
    Refused,    // a closed year
    Failed,     // the files could not be written (reported); the slip stays open
};

// Stores the values into the open slip and records it at stage 2; a settled slip stays
// settled after the operator agrees. The slip keeps its slip lock until it is written, so
// the questions come first and a refusal leaves it locked and open.
[[nodiscard]] Recorded record(CFq7Doc& doc, const Processing& values, AppContext& ctx, Dialogs& dialogs);

// Takes the settlement mark off a settled slip (back to stage 2) and records it, after the
// question. Any other stage: Cancelled without a word.
[[nodiscard]] Recorded cancelSettlement(CFq7Doc& doc, const Processing& values, AppContext& ctx, Dialogs& dialogs);

}  // namespace rk::receivables
