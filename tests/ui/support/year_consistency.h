// The year's files checked as `rakurena check` checks them: one line per problem found.
#pragma once

#include <string>
#include <vector>

#include "app/app_context.h"
#include "maintenance/year_check.h"

namespace rk::test {

// With `balancesTyped`, balances that disagree with the slips and payments are not counted:
// the customer master lets the operator type a balance, so keys typed at random may do so.
inline std::vector<std::string> yearProblems(const AppContext& ctx, bool balancesTyped = false) {
    std::vector<std::string> out;
    for (const maintenance::Finding& f : maintenance::checkYear(ctx))
        if (!(balancesTyped && f.kind == maintenance::Finding::Kind::Balance)) out.push_back(f.text);
    return out;
}

}  // namespace rk::test
