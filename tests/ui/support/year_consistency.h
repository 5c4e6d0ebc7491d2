// The year's files checked as `rakurena check` checks them: one line per problem found.
#pragma once

#include <string>
#include <vector>

#include "app/app_context.h"
#include "maintenance/year_check.h"

namespace rk::test {

inline std::vector<std::string> yearProblems(const AppContext& ctx) {
    std::vector<std::string> out;
    for (const maintenance::Finding& f : maintenance::checkYear(ctx)) out.push_back(f.text);
    return out;
}

}  // namespace rk::test
