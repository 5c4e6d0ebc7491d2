// The bulk change of master codes: up to twelve pairs of old and new codes of one kind are
// applied to the master file and to every data file that names that kind of code, for the
// business year and the eleven before it. Each year is changed in one journaled transaction
// under the data-folder lock, so a crash leaves every year wholly old or wholly new.
#pragma once

#include <cstdint>
#include <vector>

#include "app/app_context.h"
#include "base/dialogs.h"

namespace rk::maintenance {

enum class CodeKind : int {
    SalesCustomer = 1,
    PurchaseCustomer,
    Product,
    Grade1,
    Grade2,
    Account,
    SalesRemark,
    PurchaseRemark,
    Summary,  // the summary texts of the finance side: not offered by this build
};
inline constexpr int kCodeKinds = 9;
inline constexpr int kCodePairs = 12;
inline constexpr int kCodeChangeYears = 12;

// "  1. 販売 得意先ｺｰﾄﾞ" .. "  9. 摘要文コード".
const char* codeKindText(CodeKind k);
bool codeKindBuilt(CodeKind k);

struct CodePair {
    int32_t from = 0;
    int32_t to = 0;
    bool operator==(const CodePair&) const = default;
};

// The limits of the kind as a pair is entered: grade codes of 100 or more become 99; account
// codes below 100 become 0, of 600 or more 599.
CodePair limitPair(CodeKind k, CodePair p);

enum class ChangeResult {
    Done,
    Refused,  // a check or the question stopped it; nothing was written
    Failed,   // a year could not be written; that year is as before, earlier years are changed
};

struct ChangeOutcome {
    ChangeResult result = ChangeResult::Refused;
    int years = 0;  // years changed
};

// Checks the pairs (each code in range, no old or new code twice, a new code whose master
// entry is in use only after a question), refuses while other stations or editions run,
// asks "変更実行します" and changes the years from the business year back.
ChangeOutcome changeCodes(AppContext& ctx, Dialogs& dialogs, CodeKind kind, std::vector<CodePair> pairs);

}  // namespace rk::maintenance
