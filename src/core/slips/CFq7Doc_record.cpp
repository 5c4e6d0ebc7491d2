// Recording, deleting and moving the open slip. Each write holds the data-folder lock, takes
// new record numbers from the files' own lengths under it, and lands through one journaled
// transaction: header, lines, texts and both index entries are written whole or not at all.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "app/messages.h"
#include "platform/data_lock.h"
#include "platform/rollback_journal.h"
#include "slips/CFq7Doc.h"
#include "slips/slip_index.h"
#include "slips/slip_messages.h"

namespace rk {

CFq7Doc::WriteResult CFq7Doc::record(const DataLock* held) { return write(header, held); }

CFq7Doc::WriteResult CFq7Doc::deleteSlip() {
    if (record_ < 1) {  // never recorded: simply discarded
        clearAfterWrite(std::abs(header.date));
        return WriteResult::Ok;
    }
    SlipHeader h = header;
    h.date = -std::abs(h.date);
    return write(h);
}

CFq7Doc::WriteResult CFq7Doc::moveTo(int32_t date, int32_t customerNumber) {
    if (record_ < 1) return WriteResult::NotRecorded;
    const FileSet& f = ctx_.fileSet;
    if (findLiveSlip(ctx_.files, f[kIndex1], f[kSlipHeaders], date, customerNumber, record_) != 0)
        return reportFailure(WriteResult::Duplicate);
    SlipHeader h = header;
    if (date != h.date || customerNumber != h.customer) {
        if (locks_->lockSlip(date, customerNumber) != 0) return reportFailure(WriteResult::Locked);
        (void)locks_->unlockSlip(h.date, h.customer);
    }
    if (customerNumber != h.customer) {
        readCustomer(customerNumber);
        // The whole name, terminated: a partial copy would leave the tail of the old name.
        std::memset(h.customerName, 0, sizeof h.customerName);
        std::memcpy(h.customerName, customer.name, 30);
        h.customer = customerNumber;
    }
    h.date = date;
    return write(h);
}

CFq7Doc::WriteResult CFq7Doc::reportFailure(WriteResult r) {
    switch (r) {
        case WriteResult::Busy:
            dialogs_.message(msg::kDataBusy, Icon::Stop);
            break;
        case WriteResult::Duplicate:
            dialogs_.message(record_ < 1 ? msg::kSlipRecordedElsewhere : msg::kDuplicateSlip, Icon::Stop);
            break;
        case WriteResult::WriteFailed:
            dialogs_.message(msg::kSlipWriteFailed, Icon::Stop);
            break;
        case WriteResult::Locked:
            dialogs_.beep();
            dialogs_.message(msg::kSlipOpenElsewhere, Icon::Stop);
            break;
        default:
            break;
    }
    return r;
}

void CFq7Doc::clearAfterWrite(int32_t date) {
    clearHeader();
    clearLines();
    header.date = date;
    header.stage = std::max(0, inputMode_ - 1);
    record_ = -1;
    warning_.clear();
}

CFq7Doc::WriteResult CFq7Doc::write(SlipHeader h, const DataLock* held) {
    FileSystem& fs = ctx_.files;
    const FileSet& f = ctx_.fileSet;
    int r = record_;
    {
        std::optional<DataLock> own;
        if (!held) {
            own = DataLock::acquire(f.dataFolder);
            if (!own) return reportFailure(WriteResult::Busy);
        }
        const DataLock* lock = held ? held : &*own;
        FileTransaction tx(fs, FileTransaction::journalFile(f.dataFolder));
        if (!tx.begin()) return reportFailure(WriteResult::WriteFailed);

        auto headerLen = tx.length(f[kSlipHeaders]);
        auto lineLen = tx.length(f[kSlipLines]);
        auto textLen = tx.length(f[kRemarkTexts]);
        if (!headerLen || !lineLen || !textLen) return reportFailure(WriteResult::WriteFailed);
        // A new slip's number comes from the header file itself, under the lock: two stations
        // can never be handed the same one.
        if (r < 1) r = static_cast<int>(std::max<uint64_t>(1, (*headerLen + kSlipHeaderSize - 1) / kSlipHeaderSize));
        // One live slip per customer and day, checked where no other station can slip in.
        if (liveDate(h.date) && findLiveSlip(fs, f[kIndex1], f[kSlipHeaders], h.date, h.customer, r) != 0)
            return reportFailure(WriteResult::Duplicate);

        std::array<SlipLine, kMaxSlipLines + 1> out;
        std::copy(lines.begin(), lines.begin() + out.size(), out.begin());
        int n = std::clamp(h.lineCount, 0, kMaxSlipLines);
        for (int j = 1; j <= n; ++j) {
            if (out[j].product < 1) {
                n = j - 1;
                break;
            }
        }
        if (packing_ && n > 0) packing_->fill(h, std::span<SlipLine>(&out[1], static_cast<size_t>(n)));

        const uint64_t lineRecords = *lineLen / kSlipLineSize;
        const uint64_t textRecords = *textLen / kLineTextSize;
        for (int j = 1; j <= n; ++j) {
            SlipLine& l = out[j];
            if (l.textNumber > 0 && static_cast<uint64_t>(l.textNumber) < textRecords) {
                tx.write(f[kRemarkTexts], static_cast<uint64_t>(l.textNumber) * kLineTextSize, bytesOf(texts[j]));
            } else if (l.textNumber != 0) {  // -1: not stored yet (or a number outside the file)
                auto t = tx.appendRecord(f[kRemarkTexts], bytesOf(texts[j]), kLineTextSize);
                if (!t) return reportFailure(WriteResult::WriteFailed);
                l.textNumber = static_cast<int32_t>(*t);
            }
            // A line is rewritten in place only when its slot is a line of this slip: a line
            // another slip owns is never overwritten.
            const int32_t slot = h.lineSlots[j];
            const bool inPlace =
                slot >= 1 && static_cast<uint64_t>(slot) < lineRecords && (!loaded[j] || l.owner == r || l.owner == 0);
            l.owner = r;
            if (inPlace) {
                tx.write(f[kSlipLines], static_cast<uint64_t>(slot) * kSlipLineSize, bytesOf(l));
            } else {
                auto s = tx.appendRecord(f[kSlipLines], bytesOf(l), kSlipLineSize);
                if (!s) return reportFailure(WriteResult::WriteFailed);
                h.lineSlots[j] = static_cast<int32_t>(*s);
            }
        }
        for (int j = n + 1; j <= kMaxSlipLines; ++j) h.lineSlots[j] = -1;
        h.lineCount = n;

        const IndexEntry e1{h.date, h.customer}, e2{h.stage, n};
        tx.write(f[kSlipHeaders], static_cast<uint64_t>(r) * kSlipHeaderSize, bytesOf(h));
        tx.write(f[kIndex1], static_cast<uint64_t>(r) * kIndexEntrySize, bytesOf(e1));
        tx.write(f[kIndex2], static_cast<uint64_t>(r) * kIndexEntrySize, bytesOf(e2));
        if (!tx.commit()) return reportFailure(WriteResult::WriteFailed);
        // Released only now that header and indexes agree, and before another station can
        // write: whoever locks this slip next finds it in the index.
        (void)locks_->unlockSlip(std::abs(h.date), h.customer, lock);
    }
    lastWritten_ = r;
    clearAfterWrite(std::abs(h.date));
    return WriteResult::Ok;
}

}  // namespace rk
