#include "maintenance/account_embedding.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "app/messages.h"
#include "app/posting_rows.h"
#include "maintenance/code_change_messages.h"
#include "maintenance/restore.h"
#include "masters/account_items.h"
#include "masters/customer_master.h"
#include "payments/payment_record.h"
#include "platform/data_lock.h"
#include "platform/rollback_journal.h"
#include "slips/slip_records.h"

namespace rk::maintenance {
namespace {

// Stages every record of `file` that `change` alters; false when the file cannot be read.
template <Record T, typename F>
bool changeRecords(FileSystem& fs, FileTransaction& tx, const fs::path& file, F change) {
    auto bytes = fs.readAll(file);
    if (!bytes) return false;
    for (size_t n = 1; (n + 1) * sizeof(T) <= bytes->size(); ++n) {
        T r{};
        std::memcpy(&r, bytes->data() + n * sizeof(T), sizeof(T));
        const T before = r;
        change(r);
        if (std::memcmp(&r, &before, sizeof(T)) != 0) tx.write(file, n * sizeof(T), bytesOf(r));
    }
    return true;
}

}  // namespace

EmbedResult embedAccountCodes(AppContext& ctx, Dialogs& dialogs) {
    if (refusedForStations(ctx, dialogs, msg::kCodeChangeStationsRun)) return EmbedResult::Refused;
    dialogs.progress(0, 1, msg::kEmbedding);
    const FileSet& f = ctx.fileSet;
    const bool sales = ctx.edition != Edition::Purchase;
    const EnvironmentBlock& env = ctx.env;

    auto lock = DataLock::acquire(f.dataFolder);
    if (!lock) {
        dialogs.message(rk::msg::kDataBusy, Icon::Stop);
        return EmbedResult::Failed;
    }
    // The products' codes of this edition, 1..999.
    std::array<std::pair<int32_t, int32_t>, 1000> codes{};
    auto products = ctx.files.readAll(f[kProducts]);
    auto customers = masters::readCustomers(ctx.files, f[kCustomers], std::max(1, env.customerCount));
    if (!products || customers.empty()) {
        dialogs.message(msg::kEmbedFailed, Icon::Stop);
        return EmbedResult::Failed;
    }
    for (size_t n = 1; n < codes.size() && (n + 1) * sizeof(ProductRecord) <= products->size(); ++n) {
        ProductRecord p{};
        std::memcpy(&p, products->data() + n * sizeof p, sizeof p);
        codes[n] = sales ? std::pair{p.salesDebit, p.salesCredit} : std::pair{p.purchaseDebit, p.purchaseCredit};
    }
    FileTransaction tx(ctx.files, FileTransaction::journalFile(f.dataFolder));
    bool ok = tx.begin();
    ok = ok && changeRecords<SlipLine>(ctx.files, tx, f[kSlipLines], [&](SlipLine& l) {
             if (l.product < 1 || l.product > 999) return;
             const auto [debit, credit] = codes[static_cast<size_t>(l.product)];
             (sales ? l.debit : l.word200) = debit;
             (sales ? l.credit : l.word204) = credit;
         });
    ok = ok && changeRecords<SlipHeader>(ctx.files, tx, f[kSlipHeaders], [&](SlipHeader& h) {
             h.taxDebit = env.debit[posting::kTaxRow];
             h.taxCredit = env.credit[posting::kTaxRow];
             for (int i = 0; i < posting::kDeductionRows; ++i) {
                 h.deductionDebit[i] = env.debit[posting::kFirstDeductionRow + i];
                 h.deductionCredit[i] = env.credit[posting::kFirstDeductionRow + i];
             }
             h.commissionDebit = env.debit[posting::kCommissionRow];
             h.commissionCredit = env.credit[posting::kCommissionRow];
         });
    ok = ok && changeRecords<PaymentRecord>(ctx.files, tx, f[kPayments], [&](PaymentRecord& p) {
             p.feeDebit = env.debit[posting::kFeeRow];
             p.paidDebit = env.debit[posting::kPaymentRow];
             p.feeCredit = env.credit[posting::kFeeRow];
             p.paidCredit = env.credit[posting::kPaymentRow];
             std::fill(std::begin(p.reserved108), std::end(p.reserved108), std::byte{0});
             // A customer's own payment account stays what payment entry booked it to.
             if (p.customer >= 1 && static_cast<size_t>(p.customer) < customers.size()) {
                 const int32_t own = customers[static_cast<size_t>(p.customer)].paymentAccount;
                 if (own >= 100 && masters::validAccountCode(own)) (sales ? p.paidDebit : p.paidCredit) = own;
             }
         });
    if (!ok || !tx.commit()) {
        dialogs.message(msg::kEmbedFailed, Icon::Stop);
        return EmbedResult::Failed;
    }
    dialogs.message(msg::kEmbedDone, Icon::Information);
    return EmbedResult::Done;
}

}  // namespace rk::maintenance
