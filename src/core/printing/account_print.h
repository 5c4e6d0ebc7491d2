// The printed list of the account items: the named items by category with their opening
// balances on the debit (assets) or credit side (liabilities, capital), a chosen number of
// lines to the page.
#pragma once

#include <vector>

#include "masters/master_records.h"
#include "printing/page_plan.h"

namespace rk::printing {

// `items`: codes 100..599 (index 0 is code 100), as the account-item file holds them.
// `linesPerPage` is clamped to 20..50.
Document planAccountItems(const std::vector<AccountItemRecord>& items, int linesPerPage, const PrintForm& form,
                          const PageArea& area);

}  // namespace rk::printing
