#include "maintenance/compaction.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "maintenance/tool_support.h"
#include "payments/payment_file.h"
#include "slips/slip_index.h"

namespace rk::maintenance {
namespace {

template <class T>
std::optional<std::vector<T>> recordsOf(FileSystem& fs, const fs::path& file) {
    auto bytes = fs.readAll(file);
    if (!bytes) return std::nullopt;
    std::vector<T> out(std::max<size_t>(1, bytes->size() / sizeof(T)));
    std::memcpy(out.data(), bytes->data(), std::min(bytes->size() / sizeof(T), out.size()) * sizeof(T));
    return out;
}

template <class T>
Bytes bytesOfAll(const std::vector<T>& v) {
    Bytes b(v.size() * sizeof(T));
    std::memcpy(b.data(), v.data(), b.size());
    return b;
}

struct Year {
    std::vector<SlipLine> lines;
    std::vector<SlipHeader> headers;
    std::vector<PaymentRecord> payments;
    std::vector<LineText> texts;
};

class Compactor {
public:
    explicit Compactor(const Year& old) : old_(old) {
        // Record 0 of every file is copied first.
        next_.lines.push_back(old.lines[0]);
        next_.headers.push_back(old.headers[0]);
        next_.payments.push_back(old.payments[0]);
        next_.texts.push_back(old.texts[0]);
        owner_.assign(old.headers.size(), 0);
        written_.assign(old.headers.size(), false);
    }

    Year run() {
        assignOwners();
        for (size_t n = 1; n < old_.payments.size(); ++n) {
            if (!livePayment(n)) continue;
            PaymentRecord p = old_.payments[n];
            const int32_t number = static_cast<int32_t>(next_.payments.size());
            std::vector<int32_t> list;
            for (int32_t s : lists_[n])
                if (owner_[s] == static_cast<int32_t>(n) && !written_[s]) list.push_back(writeSlip(s, number));
            std::fill(std::begin(p.slips), std::end(p.slips), -1);
            for (size_t i = 0; i < list.size(); ++i) p.slips[i + 1] = list[i];
            p.slipCount = static_cast<int32_t>(list.size());
            next_.payments.push_back(p);
        }
        // Every other live slip: orders, deliveries and processed slips with lines, and a
        // settled slip no payment holds (kept as it is rather than lost).
        for (size_t s = 1; s < old_.headers.size(); ++s) {
            const SlipHeader& h = old_.headers[s];
            if (written_[s] || !liveDate(h.date)) continue;
            if (h.lineCount >= 1 || h.stage == kStageSettled) writeSlip(static_cast<int32_t>(s), 0);
        }
        return std::move(next_);
    }

    int droppedSlips() const {
        int kept = 0;
        for (size_t s = 1; s < old_.headers.size(); ++s) {
            const SlipHeader& h = old_.headers[s];
            kept += liveDate(h.date) && (h.lineCount >= 1 || h.stage == kStageSettled || listed_[s]);
        }
        return static_cast<int>(old_.headers.size()) - 1 - kept;
    }

    int droppedPayments() const {
        int dropped = 0;
        for (size_t n = 1; n < old_.payments.size(); ++n) dropped += !livePayment(n);
        return dropped;
    }

    // The payment each live slip is written under: the live payment listing it dated like
    // its settlement, else the first listing it, else the live payment its link names for a
    // settled slip (which then lists it). A slip is written once, under one payment.
    void assignOwners() {
        lists_.assign(old_.payments.size(), {});
        listed_.assign(old_.headers.size(), false);
        auto liveSlip = [&](int32_t s) {
            return s >= 1 && static_cast<size_t>(s) < old_.headers.size() && liveDate(old_.headers[s].date);
        };
        for (size_t n = 1; n < old_.payments.size(); ++n) {
            if (!livePayment(n)) continue;
            for (int32_t s : payments::settledSlips(old_.payments[n]))
                if (liveSlip(s) && std::find(lists_[n].begin(), lists_[n].end(), s) == lists_[n].end()) {
                    lists_[n].push_back(s);
                    listed_[s] = true;
                }
        }
        for (size_t n = 1; n < old_.payments.size(); ++n)
            for (int32_t s : lists_[n])
                if (owner_[s] == 0 && old_.headers[s].settlementDate == old_.payments[n].date)
                    owner_[s] = static_cast<int32_t>(n);
        for (size_t n = 1; n < old_.payments.size(); ++n)
            for (int32_t s : lists_[n])
                if (owner_[s] == 0) owner_[s] = static_cast<int32_t>(n);
        for (size_t s = 1; s < old_.headers.size(); ++s) {
            const SlipHeader& h = old_.headers[s];
            const int32_t link = h.paymentLink;
            if (owner_[s] != 0 || !liveDate(h.date) || h.stage != kStageSettled || link < 1 ||
                static_cast<size_t>(link) >= old_.payments.size() || !livePayment(link) ||
                lists_[link].size() >= static_cast<size_t>(payments::kMaxSettledSlips))
                continue;
            owner_[s] = link;
            listed_[s] = true;
            auto& list = lists_[link];
            list.insert(std::upper_bound(list.begin(), list.end(), static_cast<int32_t>(s)), static_cast<int32_t>(s));
        }
    }

private:
    bool livePayment(size_t n) const { return liveDate(old_.payments[n].date); }

    // Writes slip `s` with its lines and their texts; returns its new number.
    int32_t writeSlip(int32_t s, int32_t payment) {
        written_[s] = true;
        SlipHeader h = old_.headers[s];
        const int32_t number = static_cast<int32_t>(next_.headers.size());
        const int count = std::clamp(h.lineCount, 0, kMaxSlipLines);
        int kept = 0;
        for (int j = 1; j <= count; ++j) {
            const int32_t slot = h.lineSlots[j];
            // A slot outside the line file ends the slip there, as loading the slip does.
            if (slot < 1 || static_cast<size_t>(slot) >= old_.lines.size()) break;
            SlipLine l = old_.lines[slot];
            l.owner = number;
            if (l.textNumber > 0 && static_cast<size_t>(l.textNumber) < old_.texts.size()) {
                next_.texts.push_back(old_.texts[l.textNumber]);
                l.textNumber = static_cast<int32_t>(next_.texts.size() - 1);
            } else {
                l.textNumber = 0;
            }
            next_.lines.push_back(l);
            h.lineSlots[j] = static_cast<int32_t>(next_.lines.size() - 1);
            kept = j;
        }
        h.lineCount = std::clamp(h.lineCount, 0, kept);
        h.lineSlots[0] = -1;
        for (int j = kept + 1; j <= kMaxSlipLines; ++j) h.lineSlots[j] = -1;
        h.paymentLink = payment;
        next_.headers.push_back(h);
        return number;
    }

    const Year& old_;
    Year next_;
    std::vector<int32_t> owner_;  // old slip -> old payment it is written under
    std::vector<bool> written_;
    std::vector<bool> listed_;
    std::vector<std::vector<int32_t>> lists_;  // old payment -> the live slips it lists
};

// The two index files of a header file.
std::pair<Bytes, Bytes> indexesOf(const std::vector<SlipHeader>& headers) {
    std::vector<IndexEntry> one(headers.size()), two(headers.size());
    for (size_t n = 1; n < headers.size(); ++n) {
        one[n] = {headers[n].date, headers[n].customer};
        two[n] = {headers[n].stage, headers[n].lineCount};
    }
    return {bytesOfAll(one), bytesOfAll(two)};
}

fs::path temporaryFor(const fs::path& file) {
    fs::path t = file;
    return t.replace_extension(".Cmp");
}

}  // namespace

ToolResult compactYear(AppContext& ctx, Dialogs& dialogs) {
    if (refusedHere(ctx, dialogs)) return ToolResult::Refused;
    const FileSet& f = ctx.fileSet;
    auto lock = DataLock::acquire(f.dataFolder);
    if (!lock) {
        dialogs.message(msg::kDataBusy, Icon::Stop);
        return ToolResult::Busy;
    }
    FileTransaction tx(ctx.files, FileTransaction::journalFile(f.dataFolder));
    auto lines = recordsOf<SlipLine>(ctx.files, f[kSlipLines]);
    auto headers = recordsOf<SlipHeader>(ctx.files, f[kSlipHeaders]);
    auto pays = recordsOf<PaymentRecord>(ctx.files, f[kPayments]);
    auto texts = recordsOf<LineText>(ctx.files, f[kRemarkTexts]);
    if (!tx.begin() || !lines || !headers || !pays || !texts) {
        dialogs.message(msg::kCheckReadFailed, Icon::Stop);
        return ToolResult::Failed;
    }
    const Year old{std::move(*lines), std::move(*headers), std::move(*pays), std::move(*texts)};
    Compactor c(old);
    c.assignOwners();
    const char* ask = ctx.edition == Edition::Purchase ? msg::kCompactAskPurchase : msg::kCompactAskSales;
    if (dialogs.ask(format(ask, c.droppedSlips(), c.droppedPayments()), Buttons::YesNo, Answer::No) != Answer::Yes)
        return ToolResult::Stopped;

    const Year next = Compactor(old).run();
    const auto [index1, index2] = indexesOf(next.headers);
    const std::pair<fs::path, Bytes> files[] = {
        {f[kSlipLines], bytesOfAll(next.lines)},
        {f[kSlipHeaders], bytesOfAll(next.headers)},
        {f[kPayments], bytesOfAll(next.payments)},
        {f[kRemarkTexts], bytesOfAll(next.texts)},
        {f[kIndex1], index1},
        {f[kIndex2], index2},
    };
    // The new files are made and read back beside the old ones first; only then are the
    // year's files replaced, all together or not at all.
    bool ok = true;
    for (const auto& [file, bytes] : files) {
        const fs::path temp = temporaryFor(file);
        ok = ok && ctx.files.replaceWhole(temp, bytes);
        auto back = ok ? ctx.files.readAll(temp) : std::nullopt;
        ok = ok && back && *back == bytes;
        if (!ok) break;
        tx.write(file, 0, *back);
        tx.truncate(file, back->size());
    }
    ok = ok && tx.commit();
    for (const auto& [file, bytes] : files) (void)ctx.files.remove(temporaryFor(file));
    if (!ok) {
        dialogs.message(msg::kCheckWriteFailed, Icon::Stop);
        return ToolResult::Failed;
    }
    dialogs.message(msg::kCompactDone, Icon::Information);
    return ToolResult::Restart;
}

}  // namespace rk::maintenance
