#include "maintenance/year_check.h"

#include <algorithm>
#include <cstdio>
#include <unordered_map>

#include "base/money.h"
#include "maintenance/record_blocks.h"
#include "masters/master_records.h"
#include "payments/payment_file.h"
#include "slips/slip_index.h"

namespace rk::maintenance {
namespace {

using Kind = Finding::Kind;

// What the later passes need of each header.
struct SlipSummary {
    int32_t date = 0, customer = 0, stage = 0, link = 0;
    double receivable = 0;
};

// The ledger's limit on the member count of a payment record.
constexpr int kLedgerMembers = 62;

// What the balance check needs of a live payment.
struct LivePayment {
    int32_t customer = 0, date = 0;
    double paid = 0, fee = 0;
    std::vector<std::pair<int32_t, double>> members;  // number, balance change
    std::vector<int32_t> slips;                       // as listed, at most 255
};

class Checker {
public:
    Checker(FileSystem& fs, const FileSet& f, int customers) : fs_(fs), f_(f), customers_(customers) {}

    std::vector<Finding> run() {
        if (!sizes()) return std::move(out_);
        headers();
        lines();
        payments();
        balances();
        return std::move(out_);
    }

private:
    template <class... A>
    void add(Kind k, const char* format, A... args) {
        char text[512];
        std::snprintf(text, sizeof text, format, args...);
        out_.push_back({k, text});
    }

    bool sizes() {
        struct Want {
            fs::path file;
            uint64_t recordSize;
            uint64_t* count;
        };
        const Want wants[] = {
            {f_[kSlipHeaders], kSlipHeaderSize, &headerCount_},
            {f_[kSlipLines], kSlipLineSize, &lineCount_},
            {f_[kRemarkTexts], kLineTextSize, &textCount_},
            {f_[kIndex1], kIndexEntrySize, &index1Count_},
            {f_[kIndex2], kIndexEntrySize, &index2Count_},
            {f_[kPayments], payments::kPaymentSize, &paymentCount_},
            {f_[kCustomers], sizeof(CustomerRecord), &customerCount_},
        };
        bool readable = true;
        for (const Want& w : wants) {
            auto length = fs_.size(w.file);
            if (!length) {
                add(Kind::Unreadable, "cannot read %s", w.file.string().c_str());
                readable = false;
                continue;
            }
            *w.count = *length / w.recordSize;
            if (*length % w.recordSize != 0)
                add(Kind::TornFile, "%s: length %llu is not a whole number of %llu-byte records",
                    w.file.filename().string().c_str(), static_cast<unsigned long long>(*length),
                    static_cast<unsigned long long>(w.recordSize));
        }
        if (!readable) return false;
        for (auto [count, name] : {std::pair{index1Count_, "index file 1"}, std::pair{index2Count_, "index file 2"}})
            if (count != headerCount_)
                add(Kind::IndexLength, "%s has %llu entries for %llu slip header records", name,
                    static_cast<unsigned long long>(count), static_cast<unsigned long long>(headerCount_));
        return true;
    }

    void headers() {
        const auto index1 = readIndexEntries(fs_, f_[kIndex1]);
        const auto index2 = readIndexEntries(fs_, f_[kIndex2]);
        slips_.assign(headerCount_, {});
        claim_.assign(lineCount_, 0);
        std::unordered_map<uint64_t, uint64_t> firstOf;  // (date, customer) -> header
        const bool ok = forEachRecord(fs_, f_[kSlipHeaders], kSlipHeaderSize, 1, [&](uint64_t n, auto bytes) {
            const auto h = recordFrom<SlipHeader>(bytes);
            const int slip = static_cast<int>(n);
            slips_[n] = {h.date, h.customer, h.stage, h.paymentLink, h.receivable};
            if (n < index1.size() && index1[n] != IndexEntry{h.date, h.customer})
                add(Kind::IndexEntry, "slip %d: index 1 entry (%d, %d), header (%d, %d)", slip, index1[n].first,
                    index1[n].second, h.date, h.customer);
            if (n < index2.size() && index2[n] != IndexEntry{h.stage, h.lineCount})
                add(Kind::IndexEntry, "slip %d: index 2 entry (%d, %d), header stage %d and %d lines", slip,
                    index2[n].first, index2[n].second, h.stage, h.lineCount);
            if (!liveDate(h.date)) return;
            const uint64_t key =
                (static_cast<uint64_t>(static_cast<uint32_t>(h.date)) << 32) | static_cast<uint32_t>(h.customer);
            if (auto [it, fresh] = firstOf.emplace(key, n); !fresh)
                add(Kind::DuplicateSlip, "slips %llu and %d are both live for date %d, customer %d",
                    static_cast<unsigned long long>(it->second), slip, h.date, h.customer);
            if (h.lineCount < 0 || h.lineCount > kMaxSlipLines) {
                add(Kind::LineCount, "slip %d: line count %d", slip, h.lineCount);
                return;
            }
            for (int j = 1; j <= h.lineCount; ++j) {
                const int32_t slot = h.lineSlots[j];
                if (slot < 1 || static_cast<uint64_t>(slot) >= lineCount_)
                    add(Kind::SlotOutside, "slip %d: line %d names line record %d outside the line file", slip, j,
                        slot);
                else if (claim_[slot] != 0)
                    add(Kind::LineTwice, "line record %d belongs to slip %d and to slip %d (line %d)", slot,
                        claim_[slot], slip, j);
                else
                    claim_[slot] = slip;
            }
        });
        if (!ok) add(Kind::Unreadable, "cannot read %s", f_[kSlipHeaders].string().c_str());
    }

    void lines() {
        const bool ok = forEachRecord(fs_, f_[kSlipLines], kSlipLineSize, 1, [&](uint64_t n, auto bytes) {
            if (claim_[n] == 0) return;
            const auto l = recordFrom<SlipLine>(bytes);
            if (l.owner != claim_[n])
                add(Kind::LineOwner, "line record %llu of slip %d names slip %d as its owner",
                    static_cast<unsigned long long>(n), claim_[n], l.owner);
            if (l.textNumber > 0 && static_cast<uint64_t>(l.textNumber) >= textCount_)
                add(Kind::TextOutside, "line record %llu of slip %d: text %d outside the line text file",
                    static_cast<unsigned long long>(n), claim_[n], l.textNumber);
        });
        if (!ok) add(Kind::Unreadable, "cannot read %s", f_[kSlipLines].string().c_str());
    }

    bool liveSlip(int32_t s) const {
        return s >= 1 && static_cast<uint64_t>(s) < headerCount_ && liveDate(slips_[s].date);
    }

    void payments() {
        std::unordered_map<int32_t, std::vector<int32_t>> listers;
        livePayment_.assign(paymentCount_, false);
        const bool ok = forEachRecord(fs_, f_[kPayments], payments::kPaymentSize, 1, [&](uint64_t n, auto bytes) {
            const auto p = recordFrom<PaymentRecord>(bytes);
            if (!liveDate(p.date)) return;
            const int pay = static_cast<int>(n);
            livePayment_[n] = true;
            if (p.slipCount < 0 || p.slipCount > payments::kMaxSettledSlips)
                add(Kind::PaymentList, "payment %d: slip count %d", pay, p.slipCount);
            for (int32_t s : payments::settledSlips(p)) {
                if (!liveSlip(s)) {
                    add(Kind::PaymentList, "payment %d lists slip %d, which is not a live slip", pay, s);
                    continue;
                }
                if (slips_[s].link != 0 && slips_[s].link != pay)
                    add(Kind::PaymentList, "payment %d lists slip %d, whose payment link is %d", pay, s,
                        slips_[s].link);
                auto& who = listers[s];
                if (!who.empty())
                    add(Kind::PaymentList, "slip %d is listed by payments %d and %d", s, who.front(), pay);
                who.push_back(pay);
            }
            LivePayment live{p.customer, p.date, p.paid, p.fee, {}, {}};
            if (p.memberCount >= 0 && p.memberCount <= kLedgerMembers)
                for (int k = 0; k < p.memberCount; ++k)
                    live.members.emplace_back(p.members[k], p.memberBalanceChange[k]);
            const int listed = std::min(std::max(p.slipCount, 0), 255);
            live.slips.assign(p.slips + 1, p.slips + 1 + listed);
            payments_.push_back(std::move(live));
        });
        if (!ok) add(Kind::Unreadable, "cannot read %s", f_[kPayments].string().c_str());
        for (uint64_t s = 1; s < headerCount_; ++s) {
            const SlipSummary& slip = slips_[s];
            if (!liveDate(slip.date)) continue;
            auto it = listers.find(static_cast<int32_t>(s));
            const bool listed = it != listers.end();
            if (slip.link != 0) {
                const bool linkLive =
                    slip.link >= 1 && static_cast<uint64_t>(slip.link) < paymentCount_ && livePayment_[slip.link];
                if (!linkLive)
                    add(Kind::PaymentList, "slip %llu links payment %d, which is not a live payment",
                        static_cast<unsigned long long>(s), slip.link);
                else if (!listed || std::find(it->second.begin(), it->second.end(), slip.link) == it->second.end())
                    add(Kind::PaymentList, "slip %llu links payment %d, which does not list it",
                        static_cast<unsigned long long>(s), slip.link);
            }
            if (slip.stage == kStageSettled && !listed)
                add(Kind::Unpaid, "slip %llu (date %d, customer %d) is settled but no payment lists it",
                    static_cast<unsigned long long>(s), slip.date, slip.customer);
        }
    }

    // The stored balance against the year's own record of it, reckoned as the ledger does:
    // opening + settled slips - payments, with what group payments moved between a
    // representative and its members.
    void balances() {
        const int count = std::clamp<int>(customers_, 0, static_cast<int>(std::max<uint64_t>(customerCount_, 1)) - 1);
        std::vector<double> computed(count + 1, 0.0), stored(count + 1, 0.0);
        forEachRecord(fs_, f_[kCustomers], sizeof(CustomerRecord), 1, [&](uint64_t n, auto bytes) {
            if (n > static_cast<uint64_t>(count)) return;
            const auto c = recordFrom<CustomerRecord>(bytes);
            computed[n] += c.openingBalance;
            stored[n] = c.balance;
        });
        auto inRange = [&](int32_t c) { return c >= 1 && c <= count; };
        auto settledOwner = [&](int32_t s) {
            return liveSlip(s) && slips_[s].stage >= kStageSettled ? slips_[s].customer : -1;
        };
        for (uint64_t s = 1; s < headerCount_; ++s)
            if (liveDate(slips_[s].date) && slips_[s].stage >= kStageSettled && inRange(slips_[s].customer))
                computed[slips_[s].customer] += slips_[s].receivable;
        for (const LivePayment& p : payments_) {
            if (p.date > 1231) continue;
            auto slipsOf = [&](auto wanted) {
                double sum = 0;
                for (int32_t s : p.slips)
                    if (const int32_t owner = settledOwner(s); owner >= 0 && wanted(owner)) sum += slips_[s].receivable;
                return sum;
            };
            for (const auto& [m, change] : p.members) {
                if (m == p.customer || !inRange(m)) continue;
                const int32_t member = m;  // a lambda may not capture a structured binding in clang 14
                computed[m] += change - slipsOf([member](int32_t owner) { return owner == member; });
            }
            if (!inRange(p.customer)) continue;
            double group = 0;
            if (!p.members.empty()) {
                for (const auto& member : p.members) group -= member.second;
                group += slipsOf([&](int32_t owner) { return owner != p.customer; });
            }
            computed[p.customer] += group - p.paid - p.fee;
        }
        for (int c = 1; c <= count; ++c)
            if (money::yen(computed[c]) != money::yen(stored[c]))
                add(Kind::Balance, "customer %d: balance %.0f, opening + settled - paid gives %.0f", c,
                    money::yen(stored[c]), money::yen(computed[c]));
    }

    FileSystem& fs_;
    const FileSet& f_;
    const int customers_;
    std::vector<Finding> out_;
    uint64_t headerCount_ = 0, lineCount_ = 0, textCount_ = 0, index1Count_ = 0, index2Count_ = 0, paymentCount_ = 0,
             customerCount_ = 0;
    std::vector<SlipSummary> slips_;
    std::vector<int32_t> claim_;  // line record -> live slip whose slots name it
    std::vector<bool> livePayment_;
    std::vector<LivePayment> payments_;
};

}  // namespace

std::vector<Finding> checkYear(FileSystem& fs, const FileSet& files, int customerCount) {
    return Checker(fs, files, customerCount).run();
}

std::vector<Finding> checkYear(const AppContext& ctx) {
    return checkYear(ctx.files, ctx.fileSet, ctx.env.customerCount);
}

}  // namespace rk::maintenance
