// Which window each menu command opens and when it must refuse. Every window kind has an
// open-window flag in the application context; a command tests the flags of the windows it
// conflicts with, refuses with its fixed message when one is open, and otherwise sets its own
// flag and the window mode and lets the window open. Closing the window clears the flag.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/edition.h"

namespace rk {

struct AppContext;

// Open-window flags, keys of AppContext::windowFlags. Commands naming the same flag exclude
// each other. The day/month tables have one flag per table kind 1..12.
enum WindowFlag : int {
    kNoFlag = 0,
    kSlipEntryFlag,
    kPaymentEntryFlag,
    kPaymentAggregationFlag,
    kDeliveryPrintFlag,
    kBillFlag,  // bill print, also sales totals
    kBillDetailsFlag,
    kTagsFlag,  // product tags, also the table totals window
    kMasterPrintFlag,
    kGroupBillFlag,
    kInvoicePrintFlag,
    kBasicSettingsFlag,  // -1: start-up request
    kCustomerMasterFlag,
    kProductMasterFlag,
    kGradeMasterFlag,
    kRemarkMasterFlag,
    kAccountMasterFlag,
    kHomeDeliveryMasterFlag,
    kEnvironmentFlag,
    kDayListFlag,
    kCodeTotalsFlag,  // bulk totals by code, also the ledger
    kCommissionFlag,
    kYearEndFlag,
    kRestoreFlag,
    kAccountCodeFlag,
    kConversionFlag,  // -1: start-up request
    kCodeChangeFlag,
    kDateListFlag,
    kBuyerTotalsFlag,
    kDataOperationFlag,
    kListTableFlag,
    kReceivableFlag,           // receivable processing, opened from slip entry
    kReceivableReferenceFlag,  // its reference view
    kAgingFlag,                // receivable aging
    kTableKindFlag = 100,      // + table kind 1..12
};

constexpr int tableFlag(int kind) { return kTableKindFlag + kind; }

// Commands the main frame knows by number.
namespace cmd {
inline constexpr int kOrderSlip = 130, kDeliverySlip = 131, kSettlementSlip = 133, kPaymentEntry = 134;
inline constexpr int kBasicSettings = 160, kEnvironmentSettings = 169, kConversion = 203;
inline constexpr int kRefreshBackground = 1455;                        // sent to every window after the settings change
inline constexpr int kAutoBackupToggle = 146, kCheckModeToggle = 209;  // Alt+S, Alt+D
inline constexpr int kSlipEntryRaise = 355;  // sent to every window when slip entry is asked for again
inline constexpr int kSortLines = 304, kMarkUp = 346, kMarkDown = 347;  // Alt+T, Shift+Up, Shift+Down
inline constexpr int kGuide = 324, kGuideIndex = 57666, kGuideContents = 57667, kGuideUsage = 57668;
inline constexpr int kHelp = 57670, kContextHelp = 57669;
inline constexpr int kAbout = 57664, kExit = 57665, kPrintSetup = 57606;
inline constexpr int kOpen = 57601, kPrint = 57607, kCut = 57635, kCopy = 57634, kPaste = 57637, kUndo = 57643;
inline constexpr int kPreviousPane = 57681;
// Function keys the frame binds and the windows act on: F6 receivable processing, F7 payment
// (recording in the payment entry), F8 direct payment, F9 payment recording.
inline constexpr int kReceivable = 208, kFunctionF7 = 318, kDirectPayment = 210, kPaymentRecord = 303;
}  // namespace cmd

struct Refusal {
    std::vector<int> whenOpen{};  // refused when any of these flags is above 0
    std::string_view sales{};     // message; empty: the command silently does nothing
    std::string_view purchase{};  // purchase edition's message when it differs
    bool beep = false;
};

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

struct CommandEntry {
    int id = 0;
    std::string_view window{};  // frame class of the window it opens
    std::vector<Refusal> refusals{};
    int flag = kNoFlag;    // flag it sets while the window is open
    int mode = 0;          // window mode it sets (0: unchanged)
    int keepModeFrom = 0;  // a current mode in keepModeFrom..keepModeTo is left as it is
    int keepModeTo = 0;
    bool startupRequest = false;  // flag -1 (asked for by start-up) becomes 2 instead of 1
    bool raiseWhenOpen = false;   // asked for again while open: bring the open window forward
    // Windows the main frame creates itself, at a fixed title and rectangle.
    std::string_view title{};
    std::optional<Rect> rect{};
};

// The command's row, or nullptr for a command that opens no window.
const CommandEntry* findCommand(int id);
const std::vector<CommandEntry>& commandTable();

struct CommandOutcome {
    enum class Kind { Open, Refused, Nothing, Raise } kind = Kind::Open;
    std::string message{};  // Refused: the text to show
    bool beep = false;
    int flagValue = 0;  // Open: value the flag was set to (0 when the command sets none)
};

// Tests the command against the open-window flags. When it may open, sets its flag (1, or 2
// for a start-up request) and the window mode in the context.
CommandOutcome runCommand(AppContext& ctx, const CommandEntry& entry);

// The window of the command closed (or could not be created): its flag goes back to 0.
void windowClosed(AppContext& ctx, const CommandEntry& entry);

bool flagOpen(const AppContext& ctx, int flag);

}  // namespace rk
