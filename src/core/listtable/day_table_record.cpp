// Recording the day table into slips. Every recordable row (a new row or an order or
// delivery, with a quantity) becomes one slip written by the slip document, all under one
// hold of the data-folder lock taken after the change check, so no other station writes
// between the check and the last slip.
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

#include "app/messages.h"
#include "base/cp932.h"
#include "base/money.h"
#include "listtable/day_table.h"
#include "listtable/list_messages.h"
#include "masters/master_io.h"
#include "platform/data_lock.h"
#include "receivables/receivable.h"
#include "slips/CFq7Doc.h"
#include "slips/slip_index.h"

namespace rk::listtable {
namespace {

std::string unitOf(const char* field, size_t width) {
    std::string_view raw(field, cp932::fieldLength(field, width));
    while (!raw.empty() && (raw.back() == ' ' || raw.back() == '\0')) raw.remove_suffix(1);
    return cp932::toUtf8(raw);
}

// The remark field keeps a terminating NUL; the text is cut at a character boundary.
void setRemark(SlipLine& l, const std::string& utf8) {
    std::memset(l.remark, 0, sizeof l.remark);
    cp932::assign(l.remark, sizeof l.remark - 1, utf8);
}

std::string format(const char* pattern, int a) {
    char buf[256];
    std::snprintf(buf, sizeof buf, pattern, a);
    return buf;
}

}  // namespace

DayTable::RecordResult DayTable::record(PackingFill* packing) {
    if (!isLoaded()) return RecordResult::Refused;
    std::vector<int> rows;
    for (int r = 1; r <= kMaxRows; ++r) {
        const Row& row = this->row(r);
        if (row.customer < 1 || row.status > 1 || row.quantity == 0) continue;
        int cells = 0;
        for (int c = 1; c <= kMaxColumns; ++c) cells += cell(c, r).quantity != 0;
        if (cells > kMaxSlipLines) {
            dialogs_.message(format(msg::kTooManyLines, row.customer));
            return RecordResult::Refused;
        }
        rows.push_back(r);
    }

    // The whole time (and the size) of the header file tells a change since loading. The
    // question is asked without the lock held; a change while it was open asks again.
    Stamp expected = loadedStamp_;
    std::optional<DataLock> lock;
    for (;;) {
        const Stamp now = currentStamp();
        if (!(now == expected)) {
            if (dialogs_.ask(msg::kChangedSinceLoad, Buttons::YesNo, Answer::No) != Answer::Yes)
                return RecordResult::Declined;
            expected = now;
        }
        lock = DataLock::acquire(ctx_.fileSet.dataFolder);
        if (!lock) {
            dialogs_.message(msg::kDataBusy, Icon::Stop);
            return RecordResult::Failed;
        }
        if (currentStamp() == expected) break;
        lock.reset();
    }

    for (int r : rows) {
        if (!recordRow(r, *lock, packing)) {
            // The slips written so far are ours, not a change behind the table's back.
            loadedStamp_ = currentStamp();
            return RecordResult::Failed;
        }
    }

    // Recorded: the cells and rows are emptied, the column definitions stay. The rows go too:
    // a row left without its cells would drop its slip's lines at the next recording.
    clearCells();
    rows_.assign(kMaxRows + 1, Row{});
    heldRow_.reset();
    heldColumn_.reset();
    onDisk_.clear();
    const std::vector<IndexEntry> entries = readIndexEntries(ctx_.files, ctx_.fileSet[kIndex1]);
    for (size_t n = 1; n < entries.size(); ++n)
        if (entries[n].first == day_) onDisk_.push_back(entries[n].second);
    loadedStamp_ = currentStamp();
    recomputeTotals();
    return RecordResult::Ok;
}

// Writes row r as its slip. False when the slip could not be written (the reason has been
// shown); the rows written before stay written and in step with the table.
bool DayTable::recordRow(int r, const DataLock& lock, PackingFill* packing) {
    Row& row = rows_[static_cast<size_t>(r)];
    CFq7Doc doc(ctx_, dialogs_, nullptr, packing);
    doc.setInputMode(2);
    if (row.header > 0) {
        if (!doc.loadRecord(row.header) || doc.header.date != day_ || doc.header.customer != row.customer ||
            doc.header.stage > 1) {
            dialogs_.message(format(msg::kRowNotRecorded, row.customer));
            return true;
        }
    } else {
        doc.clearHeader();
        doc.clearLines();
        SlipHeader& h = doc.header;
        h.stage = kStageDelivery;
        h.date = day_;
        h.customer = row.customer;
        CustomerRecord c{};
        masters::readCustomer(ctx_.files, ctx_.fileSet[kCustomers], row.customer, c);
        std::memcpy(h.department, c.department, 30);
        std::memcpy(h.customerName, c.name, sizeof h.customerName);
        receivables::Processing p = receivables::start(h, 0, c, ctx_.settings, ctx_.env).values;
        receivables::store(p, h);  // the default account codes of the settings
    }
    SlipHeader& h = doc.header;
    const int stage = h.stage;
    const int loadedLines = std::clamp(h.lineCount, 0, kMaxSlipLines);

    std::array<SlipLine, kMaxSlipLines + 1> out{};
    std::array<LineText, kMaxSlipLines + 1> texts{};
    std::array<int32_t, kMaxSlipLines + 1> slots{};
    std::array<bool, kMaxSlipLines + 1> kept{};
    std::vector<int> written;
    for (int c = 1; c <= kMaxColumns; ++c) {
        const Cell& x = cell(c, r);
        if (x.quantity == 0) continue;
        const Column& col = column(c);
        const int j = static_cast<int>(written.size()) + 1;
        written.push_back(c);
        SlipLine& l = out[static_cast<size_t>(j)];
        slots[static_cast<size_t>(j)] = -1;
        for (int k = 1; k <= loadedLines && x.line >= 1; ++k) {
            if (h.lineSlots[k] != x.line) continue;
            l = doc.lines[static_cast<size_t>(k)];
            texts[static_cast<size_t>(j)] = doc.texts[static_cast<size_t>(k)];
            slots[static_cast<size_t>(j)] = x.line;
            kept[static_cast<size_t>(j)] = true;
            break;
        }
        const bool existing = kept[static_cast<size_t>(j)];
        // An existing line keeps what the table does not show (remark code and text, line
        // text, buyer, home-delivery link, ordered quantity), and, while its product stays,
        // its own name and accounts.
        const bool sameProduct = existing && l.product == col.product;
        ProductRecord p{};
        masters::readProduct(ctx_.files, ctx_.fileSet[kProducts], col.product, p);
        const std::string oldRemark =
            existing ? boxRemark(l.piecesPerBox, unitOf(l.unit, sizeof l.unit), l.boxes, l.packingKind, l.salesMethod)
                     : "";
        const bool autoRemark =
            !existing || (l.remarkCode == 0 && (l.remark[0] == '\0' || cp932::toUtf8(l.remark) == oldRemark));
        if (!existing) {
            l.member = ctx_.memberNumber;
            l.priceDecimals = std::clamp(p.decimals, 0, 2);
        }
        if (!sameProduct) {
            cp932::assign(l.productName, col.name);
            if (ctx_.edition == Edition::Purchase) {
                l.word200 = p.purchaseDebit;
                l.word204 = p.purchaseCredit;
            } else {
                l.debit = p.salesDebit;
                l.credit = p.salesCredit;
            }
        }
        cp932::assignRaw(l.unit, sizeof l.unit, std::string_view(p.unit, cp932::fieldLength(p.unit, sizeof p.unit)));
        l.packingKind = std::clamp(p.packingKind, 0, 3);
        l.salesMethod = x.method;
        l.product = col.product;
        l.grade1 = col.grade1;
        l.grade2 = col.grade2;
        if (stage == kStageOrder)
            l.ordered = x.quantity;
        else if (!existing)
            l.ordered = 0;
        l.delivered = l.quantity = x.quantity;
        l.price = x.price;
        l.amount = money::times(x.price, x.quantity);
        l.piecesPerBox = col.pieces;
        l.boxes = x.boxes;
        if (autoRemark)
            setRemark(l, x.boxes > 0
                             ? boxRemark(col.pieces, unitOf(l.unit, sizeof l.unit), x.boxes, col.packingKind, x.method)
                             : std::string());
    }

    const int n = static_cast<int>(written.size());
    doc.clearLines();
    for (int j = 1; j <= n; ++j) {
        doc.lines[static_cast<size_t>(j)] = out[static_cast<size_t>(j)];
        doc.texts[static_cast<size_t>(j)] = texts[static_cast<size_t>(j)];
        doc.loaded[static_cast<size_t>(j)] = kept[static_cast<size_t>(j)];
    }
    std::fill(std::begin(h.lineSlots), std::end(h.lineSlots), -1);
    for (int j = 1; j <= n; ++j) h.lineSlots[j] = slots[static_cast<size_t>(j)];
    h.lineCount = n;
    // Orders and deliveries carry no receivable amounts.
    h.amount = h.commission = h.receivable = h.tax = 0;
    std::fill(std::begin(h.deductions), std::end(h.deductions), 0.0);

    if (doc.record(&lock) != CFq7Doc::WriteResult::Ok) return false;

    // Keep the table in step with the files, should a later row fail.
    const int written_at = doc.lastWritten();
    SlipHeader stored{};
    (void)ctx_.files.readZeroFilled(ctx_.fileSet[kSlipHeaders], static_cast<uint64_t>(written_at) * kSlipHeaderSize,
                                    bytesOf(stored));
    row.header = written_at;
    row.status = stored.stage;
    for (int j = 1; j <= n; ++j) at(written[static_cast<size_t>(j - 1)], r).line = stored.lineSlots[j];
    return true;
}

}  // namespace rk::listtable
