#include "maintenance/data_operation.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "maintenance/check_messages.h"
#include "maintenance/folder_locks.h"
#include "maintenance/operation_messages.h"
#include "maintenance/restore.h"
#include "maintenance/tool_support.h"
#include "masters/master_records.h"
#include "payments/payment_record.h"
#include "slips/slip_index.h"

namespace rk::maintenance {
namespace {

// Every whole record of a file (at least record 0); nullopt when it cannot be read.
template <Record T>
std::optional<std::vector<T>> recordsOf(FileSystem& fs, const fs::path& file) {
    auto bytes = fs.readAll(file);
    if (!bytes) return std::nullopt;
    std::vector<T> out(std::max<size_t>(1, bytes->size() / sizeof(T)));
    std::memcpy(out.data(), bytes->data(), bytes->size() / sizeof(T) * sizeof(T));
    return out;
}

template <Record T>
Bytes bytesOfAll(const std::vector<T>& v) {
    Bytes b(v.size() * sizeof(T));
    std::memcpy(b.data(), v.data(), b.size());
    return b;
}

// Stages `bytes` as the whole new contents of `file`.
void replaceIn(FileTransaction& tx, const fs::path& file, const Bytes& bytes) {
    tx.write(file, 0, bytes);
    tx.truncate(file, bytes.size());
}

int customerCount(const AppContext& ctx) {
    const int n = ctx.env.customerCount;
    return n == 1999 || n == 2999 ? n : 999;
}

bool sales(const AppContext& ctx) { return ctx.edition != Edition::Purchase; }

std::string why() { return lastFileError().empty() ? std::string() : lastFileError().describe(); }

int32_t orderKey(int32_t date, int firstMonth) { return date < firstMonth * 100 ? date + 1200 : date; }

struct SplitYear {
    std::vector<SlipLine> lines{1};
    std::vector<SlipHeader> headers{1};
    std::vector<LineText> texts{1};
};

// Copies slip `h` with its lines and texts to the end of `to`.
void copySlip(SlipHeader h, const std::vector<SlipLine>& lines, const std::vector<LineText>& texts, bool salesEdition,
              SplitYear& to) {
    const int32_t number = static_cast<int32_t>(to.headers.size());
    const int count = std::clamp(h.lineCount, 0, kMaxSlipLines);
    int kept = 0;
    for (int j = 1; j <= count; ++j) {
        const int32_t slot = h.lineSlots[j];
        // A slot outside the line file ends the slip there, as loading the slip does.
        if (slot < 1 || static_cast<size_t>(slot) >= lines.size()) break;
        SlipLine l = lines[static_cast<size_t>(slot)];
        l.owner = number;
        if (l.textNumber > 0 && static_cast<size_t>(l.textNumber) < texts.size()) {
            to.texts.push_back(texts[static_cast<size_t>(l.textNumber)]);
            l.textNumber = static_cast<int32_t>(to.texts.size() - 1);
        } else {
            l.textNumber = 0;
        }
        // Links into files the new year does not have.
        l.purchaseRef = 0;
        if (salesEdition) l.word200 = 0;
        to.lines.push_back(l);
        h.lineSlots[j] = static_cast<int32_t>(to.lines.size() - 1);
        kept = j;
    }
    h.lineCount = kept;
    h.lineSlots[0] = -1;
    for (int j = kept + 1; j <= kMaxSlipLines; ++j) h.lineSlots[j] = -1;
    // The payment stays behind: a settled slip arrives as a processed one.
    if (h.stage > kStageProcessed) h.stage = kStageProcessed;
    h.settlementDate = 0;
    h.paymentLink = 0;
    to.headers.push_back(h);
}

Bytes indexOf(const std::vector<SlipHeader>& headers, bool first) {
    std::vector<IndexEntry> entries(headers.size());
    for (size_t n = 1; n < headers.size(); ++n)
        entries[n] = first ? IndexEntry{headers[n].date, headers[n].customer}
                           : IndexEntry{headers[n].stage, headers[n].lineCount};
    return bytesOfAll(entries);
}

}  // namespace

SlipRange defaultRange(int firstMonth) {
    SlipRange r;
    r.startDate = firstMonth * 100 + 1;
    r.endDate = firstMonth >= 2 ? firstMonth * 100 - 69 : 1231;
    return r;
}

bool dateInRange(const SlipRange& r, int32_t date, int firstMonth) {
    if (!liveDate(date)) return false;
    const int32_t key = orderKey(date, firstMonth);
    return key >= orderKey(r.startDate, firstMonth) && key <= orderKey(r.endDate, firstMonth);
}

bool customerInRange(const SlipRange& r, int32_t customer) {
    return customer >= r.startCustomer && customer <= r.endCustomer;
}

OperationResult splitSlips(AppContext& ctx, Dialogs& dialogs, const SlipRange& range, const fs::path& destination) {
    const FileSet& f = ctx.fileSet;
    if (sameFolder(destination, f.dataFolder)) {
        dialogs.message(msg::kSameFolder, Icon::Stop);
        return OperationResult::Refused;
    }
    std::error_code ec;
    if (!fs::is_directory(destination, ec)) {
        dialogs.message(msg::kCannotCreateSplit, Icon::Stop);
        return OperationResult::Refused;
    }
    if (refusedForStations(ctx, dialogs, msg::kOperationStations)) return OperationResult::Refused;
    FolderLocks locks;
    if (!locks.take(ctx.files, dialogs, f.dataFolder, destination)) return OperationResult::Busy;

    auto lines = recordsOf<SlipLine>(ctx.files, f[kSlipLines]);
    auto headers = recordsOf<SlipHeader>(ctx.files, f[kSlipHeaders]);
    auto texts = recordsOf<LineText>(ctx.files, f[kRemarkTexts]);
    if (!lines || !headers || !texts) {
        dialogs.message(msg::kCheckReadFailed, Icon::Stop);
        return OperationResult::Failed;
    }
    SplitYear to;
    const int firstMonth = ctx.settings.firstMonth;
    for (size_t n = 1; n < headers->size(); ++n) {
        const SlipHeader& h = (*headers)[n];
        if (customerInRange(range, h.customer) && dateInRange(range, h.date, firstMonth))
            copySlip(h, *lines, *texts, sales(ctx), to);
    }
    auto at = [&](DataSlot slot) { return destination / f[slot].filename(); };
    FileTransaction tx(ctx.files, FileTransaction::journalFile(f.dataFolder));
    replaceIn(tx, at(kSlipLines), bytesOfAll(to.lines));
    replaceIn(tx, at(kSlipHeaders), bytesOfAll(to.headers));
    replaceIn(tx, at(kPayments), Bytes(sizeof(PaymentRecord)));
    replaceIn(tx, at(kRemarkTexts), bytesOfAll(to.texts));
    replaceIn(tx, at(kIndex1), indexOf(to.headers, true));
    replaceIn(tx, at(kIndex2), indexOf(to.headers, false));
    clearFileError();
    if (!tx.commit()) {
        dialogs.message(std::string(msg::kCannotCreateSplit) + "\n" + why(), Icon::Stop);
        return OperationResult::Failed;
    }
    dialogs.message(msg::kSplitDone, Icon::Information);
    return OperationResult::Done;
}

OperationResult releaseSettled(AppContext& ctx, Dialogs& dialogs, const SlipRange& range) {
    if (refusedHere(ctx, dialogs)) return OperationResult::Refused;
    if (refusedForStations(ctx, dialogs, msg::kOperationStations)) return OperationResult::Refused;
    const bool salesEdition = sales(ctx);
    if (dialogs.ask(salesEdition ? msg::kReleaseAskSales : msg::kReleaseAskPurchase, Buttons::YesNo, Answer::No) !=
        Answer::Yes)
        return OperationResult::Declined;
    const FileSet& f = ctx.fileSet;
    FolderLocks locks;
    if (!locks.take(ctx.files, dialogs, f.dataFolder)) return OperationResult::Busy;

    auto headers = recordsOf<SlipHeader>(ctx.files, f[kSlipHeaders]);
    auto payments = recordsOf<PaymentRecord>(ctx.files, f[kPayments]);
    auto customers = recordsOf<CustomerRecord>(ctx.files, f[kCustomers]);
    if (!headers || !payments || !customers) {
        dialogs.message(msg::kCheckReadFailed, Icon::Stop);
        return OperationResult::Failed;
    }
    const int count = customerCount(ctx);
    const bool everyone = range.startCustomer <= 1 && range.endCustomer >= count;
    if (!everyone) {
        // A payment of the range that also settled another customer's slip or moved another
        // customer's balance (a group) would be half undone: refuse rather than orphan it.
        for (size_t p = 1; p < payments->size(); ++p) {
            const PaymentRecord& pay = (*payments)[p];
            if (!liveDate(pay.date)) continue;
            const bool inside = customerInRange(range, pay.customer);
            bool crossing = false;
            const int listed = std::clamp(pay.slipCount, 0, 255);
            for (int i = 1; i <= listed; ++i) {
                const int32_t s = pay.slips[i];
                if (s >= 1 && static_cast<size_t>(s) < headers->size())
                    crossing =
                        crossing || customerInRange(range, (*headers)[static_cast<size_t>(s)].customer) != inside;
            }
            const int members = std::clamp(pay.memberCount, 0, 63);
            for (int i = 0; i < members; ++i) crossing = crossing || customerInRange(range, pay.members[i]) != inside;
            if (crossing) {
                dialogs.message(salesEdition ? msg::kReleaseCrossing : msg::kReleaseCrossingPurchase, Icon::Stop);
                return OperationResult::Refused;
            }
        }
    }

    FileTransaction tx(ctx.files, FileTransaction::journalFile(f.dataFolder));
    for (size_t n = 1; n < headers->size(); ++n) {
        SlipHeader h = (*headers)[n];
        if (!customerInRange(range, h.customer) || h.stage <= kStageProcessed) continue;
        h.stage = kStageProcessed;
        h.settlementDate = 0;
        h.paymentLink = 0;
        tx.write(f[kSlipHeaders], n * kSlipHeaderSize, bytesOf(h));
        const IndexEntry entry{h.stage, h.lineCount};
        tx.write(f[kIndex2], n * kIndexEntrySize, bytesOf(entry));
    }
    if (everyone) {
        replaceIn(tx, f[kPayments], Bytes(sizeof(PaymentRecord)));
    } else {
        // Deleted, not removed: the other customers' payments keep their numbers.
        for (size_t p = 1; p < payments->size(); ++p) {
            PaymentRecord pay = (*payments)[p];
            if (!liveDate(pay.date) || !customerInRange(range, pay.customer)) continue;
            pay.date = -pay.date;
            tx.write(f[kPayments], p * sizeof(PaymentRecord), bytesOf(pay));
        }
    }
    const int last = std::min({range.endCustomer, count, static_cast<int>(customers->size()) - 1});
    for (int c = std::max(1, range.startCustomer); c <= last; ++c) {
        CustomerRecord r = (*customers)[static_cast<size_t>(c)];
        if (r.balance == r.openingBalance) continue;
        r.balance = r.openingBalance;
        tx.write(f[kCustomers], static_cast<uint64_t>(c) * sizeof(CustomerRecord), bytesOf(r));
    }
    clearFileError();
    if (!tx.commit()) {
        dialogs.message(format(msg::kOperationWriteFailed, why().c_str()), Icon::Stop);
        return OperationResult::Failed;
    }
    dialogs.message(salesEdition ? msg::kReleaseDone : msg::kReleaseDonePurchase, Icon::Information);
    return OperationResult::Done;
}

}  // namespace rk::maintenance
