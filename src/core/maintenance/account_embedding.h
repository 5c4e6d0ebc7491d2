// The account-code embedding: the account codes of the product master and of the environment
// settings written into the year's slip lines, slip headers and payment records, for data
// entered before those codes were set. One journaled transaction under the data-folder lock.
#pragma once

#include "app/app_context.h"
#include "base/dialogs.h"

namespace rk::maintenance {

enum class EmbedResult { Done, Refused, Failed };

// The progress line "  ただ今埋め込み中・・・" is shown while it works; the payment side of a
// payment keeps the customer's own payment account when one is set.
EmbedResult embedAccountCodes(AppContext& ctx, Dialogs& dialogs);

}  // namespace rk::maintenance
