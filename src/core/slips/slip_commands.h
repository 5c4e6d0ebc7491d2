// What the slip entry does with the open slip as a whole: recording it after its checks and
// stage questions, deleting it, and moving it to another date or customer.
#pragma once

#include "app/app_context.h"
#include "base/dialogs.h"
#include "slips/CFq7Doc.h"

namespace rk {

class SlipCommands {
public:
    SlipCommands(CFq7Doc& doc, AppContext& ctx, Dialogs& dialogs, int mode)
        : doc_(doc), ctx_(ctx), dialogs_(dialogs), mode_(mode) {}

    // True when the slip was written (the document is then empty for the next slip); false
    // when a check refused it, a question stopped it or the write failed, the slip still open.
    bool record();
    bool deleteSlip();
    // `typed` is normalised as a month-day value.
    bool changeDate(int typed);
    bool changeCustomer(int customer);

private:
    bool closedYear();

    CFq7Doc& doc_;
    AppContext& ctx_;
    Dialogs& dialogs_;
    int mode_;
};

}  // namespace rk
