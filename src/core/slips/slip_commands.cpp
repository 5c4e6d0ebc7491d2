#include "slips/slip_commands.h"

#include <algorithm>
#include <cstdio>

#include "base/format.h"
#include "slips/slip_lines.h"
#include "slips/slip_messages.h"

namespace rk {
namespace {

void clearReceivable(SlipHeader& h) {
    h.amount = h.commission = h.receivable = h.tax = 0;
    std::fill(std::begin(h.deductions), std::end(h.deductions), 0.0);
}

}  // namespace

// A business year before the input year is closed: its slips stay as they are.
bool SlipCommands::closedYear() {
    if (ctx_.settings.businessYear >= ctx_.settings.inputYear) return false;
    dialogs_.beep();
    dialogs_.message(msg::kClosedYear, Icon::Stop);
    return true;
}

bool SlipCommands::record() {
    const Edition e = ctx_.edition;
    const int n = countValidLines(doc_, e);
    if (n == 0) {
        dialogs_.message(msg::kNoValidLines);
        return false;
    }
    if (doc_.header.date <= 100) {
        dialogs_.message(msg::kBadDate);
        return false;
    }
    if (doc_.header.customer <= 0) {
        dialogs_.message(msg::kBadCustomer);
        return false;
    }
    if (closedYear()) return false;
    // Only the leading valid lines are recorded: complete lines after an unfinished one would be
    // lost without a word.
    for (int j = n + 2; j <= kMaxSlipLines; ++j) {
        if (!validLine(doc_.lines[j], e)) continue;
        char buf[256];
        std::snprintf(buf, sizeof buf, msg::kLinesAfterInvalid, n + 1);
        if (dialogs_.ask(buf, Buttons::YesNo, Answer::No) != Answer::Yes) return false;
        break;
    }

    SlipHeader h = doc_.header;
    if (h.stage < kStageProcessed) clearReceivable(h);
    if (mode_ == 2 && h.stage == kStageOrder) h.stage = kStageDelivery;
    if (h.stage == kStageDelivery && mode_ == 1) {
        if (dialogs_.ask(msg::kBackToOrder, Buttons::YesNo, Answer::No) != Answer::Yes) return false;
        h.stage = kStageOrder;
        h.receivable = 0;
    } else if (h.stage == kStageProcessed) {
        if (dialogs_.ask(msg::kBackToDelivery, Buttons::YesNo, Answer::No) != Answer::Yes) return false;
        h.stage = kStageDelivery;
        // A delivery carries no tax, commission or deductions: processing computes them anew.
        clearReceivable(h);
    }
    h.lineCount = n;
    const SlipHeader before = doc_.header;
    doc_.header = h;
    if (doc_.record() == CFq7Doc::WriteResult::Ok) return true;
    doc_.header = before;
    return false;
}

bool SlipCommands::deleteSlip() {
    dialogs_.beep();
    if (doc_.recordNumber() >= 1 && closedYear()) return false;
    if (doc_.header.stage == kStageSettled &&
        dialogs_.ask(msg::kSettledDeleteQuestion, Buttons::OkCancel, Answer::Cancel) != Answer::Ok)
        return false;
    if (dialogs_.ask(msg::kDeleteQuestion, Buttons::YesNo, Answer::No) != Answer::Yes) return false;
    return doc_.deleteSlip() == CFq7Doc::WriteResult::Ok;
}

bool SlipCommands::changeDate(int typed) {
    if (doc_.recordNumber() < 1 || closedYear()) return false;
    const int d = monthday::normalise(typed, monthday::kFirstDay);
    if (d <= 100) {
        dialogs_.message(msg::kBadDate);
        return false;
    }
    return doc_.moveTo(d, doc_.header.customer) == CFq7Doc::WriteResult::Ok;
}

bool SlipCommands::changeCustomer(int customer) {
    if (doc_.recordNumber() < 1 || closedYear()) return false;
    if (doc_.header.stage == kStageSettled) {
        dialogs_.message(msg::kSettledDateOnly);
        return false;
    }
    if (customer < 1 || customer > ctx_.env.customerCount) {
        dialogs_.message(msg::kBadCustomer);
        return false;
    }
    return doc_.moveTo(doc_.header.date, customer) == CFq7Doc::WriteResult::Ok;
}

}  // namespace rk
