#include "maintenance/code_change.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>

#include "app/environment_block.h"
#include "app/file_set.h"
#include "app/messages.h"
#include "maintenance/code_change_messages.h"
#include "maintenance/messages.h"
#include "maintenance/restore.h"
#include "masters/master_records.h"
#include "payments/payment_record.h"
#include "platform/data_lock.h"
#include "platform/instance_lock.h"
#include "platform/rollback_journal.h"
#include "slips/slip_records.h"

namespace rk::maintenance {
namespace {

using CodeMap = std::map<int32_t, int32_t>;

// Each value is mapped once, from what the record held: a swap 5<->7 stays a swap.
bool mapCode(const CodeMap& m, int32_t& v) {
    auto it = m.find(v);
    if (it == m.end()) return false;
    v = it->second;
    return true;
}

struct Range {
    int first, last;
};

Range rangeOf(CodeKind k, const AppContext& ctx) {
    switch (k) {
        case CodeKind::SalesCustomer:
        case CodeKind::PurchaseCustomer:
            return {1, std::clamp(ctx.env.customerCount, 1, 2999)};
        case CodeKind::Grade1:
        case CodeKind::Grade2:
            return {1, 99};
        case CodeKind::Account:
            return {100, 599};
        default:
            return {1, 999};
    }
}

// A file of fixed records changed in memory; only the records that differ are staged.
class RecordFile {
public:
    RecordFile(FileSystem& fs, fs::path file, size_t size) : file_(std::move(file)), size_(size) {
        if (auto b = fs.readAll(file_)) {
            before_ = *b;
            ok_ = true;
        }
        now_ = before_;
    }
    bool ok() const { return ok_; }
    size_t count() const { return now_.size() / size_; }
    std::span<std::byte> record(size_t n) {
        if ((n + 1) * size_ > now_.size()) now_.resize((n + 1) * size_);
        return {now_.data() + n * size_, size_};
    }
    template <Record T>
    T get(size_t n) {
        T r{};
        std::memcpy(&r, record(n).data(), sizeof(T));
        return r;
    }
    template <Record T>
    void put(size_t n, const T& r) {
        std::memcpy(record(n).data(), &r, sizeof(T));
    }
    void stage(FileTransaction& tx) const {
        for (size_t n = 0; n * size_ < now_.size(); ++n) {
            const size_t at = n * size_;
            const bool changed =
                at + size_ > before_.size() || std::memcmp(now_.data() + at, before_.data() + at, size_) != 0;
            if (changed) tx.write(file_, at, std::span<const std::byte>(now_.data() + at, size_));
        }
    }

private:
    fs::path file_;
    size_t size_;
    Bytes before_, now_;
    bool ok_ = false;
};

template <Record T>
void eachRecord(RecordFile& f, const std::function<void(T&)>& change) {
    for (size_t n = 1; n < f.count(); ++n) {
        T r = f.get<T>(n);
        change(r);
        f.put(n, r);
    }
}

// Moves the master entries: every old entry is read before any is blanked or written.
// `offset`/`width` limit the move to one column (the grade names).
void moveEntries(RecordFile& master, const std::vector<CodePair>& pairs, size_t offset, size_t width) {
    std::vector<Bytes> saved;
    for (const CodePair& p : pairs) {
        auto r = master.record(static_cast<size_t>(p.from)).subspan(offset, width);
        saved.emplace_back(r.begin(), r.end());
    }
    for (const CodePair& p : pairs) {
        auto r = master.record(static_cast<size_t>(p.from)).subspan(offset, width);
        std::fill(r.begin(), r.end(), std::byte{0});
    }
    for (size_t i = 0; i < pairs.size(); ++i) {
        auto r = master.record(static_cast<size_t>(pairs[i].to)).subspan(offset, width);
        std::copy(saved[i].begin(), saved[i].end(), r.begin());
    }
}

bool entryInUse(RecordFile& master, int code, size_t offset, size_t width) {
    auto r = master.record(static_cast<size_t>(code)).subspan(offset, width);
    return std::any_of(r.begin(), r.end(), [](std::byte b) { return b != std::byte{0} && b != std::byte{' '}; });
}

struct Year {
    FileSet sales, purchase;
};

Year yearFiles(const AppContext& ctx, int year) {
    const bool member = ctx.fileSet.masterFolder != ctx.fileSet.dataFolder;
    return {buildFileSet(Edition::Sales, ctx.programFolder(), ctx.fileSet.dataFolder, year, member),
            buildFileSet(Edition::Purchase, ctx.programFolder(), ctx.fileSet.dataFolder, year, member)};
}

struct MasterPlace {
    fs::path file;
    size_t size, offset, width;
};

MasterPlace masterOf(CodeKind k, const Year& y) {
    switch (k) {
        case CodeKind::SalesCustomer:
            return {y.sales.serverMaster[kCustomers], sizeof(CustomerRecord), 0, sizeof(CustomerRecord)};
        case CodeKind::PurchaseCustomer:
            return {y.purchase.serverMaster[kCustomers], sizeof(CustomerRecord), 0, sizeof(CustomerRecord)};
        case CodeKind::Product:
            return {y.sales.serverMaster[kProducts], sizeof(ProductRecord), 0, sizeof(ProductRecord)};
        case CodeKind::Grade1:
            return {y.sales.serverMaster[kGrades], sizeof(GradeRecord), 0, 16};
        case CodeKind::Grade2:
            return {y.sales.serverMaster[kGrades], sizeof(GradeRecord), 16, 16};
        case CodeKind::Account:
            return {y.sales.serverMaster[kAccounts], sizeof(AccountItemRecord), 0, sizeof(AccountItemRecord)};
        case CodeKind::SalesRemark:
            return {y.sales.serverMaster[kRemarks], sizeof(RemarkRecord), 0, sizeof(RemarkRecord)};
        default:
            return {y.purchase.serverMaster[kRemarks], sizeof(RemarkRecord), 0, sizeof(RemarkRecord)};
    }
}

void changeAccountsOfEnvironment(RecordFile& accounts, const CodeMap& m) {
    (void)accounts.record(71);  // the three blocks fill records 0..71
    for (int e = 0; e < 3; ++e) {
        EnvironmentBlock env{};
        std::byte* at = accounts.record(0).data() + static_cast<size_t>(e) * kEnvironmentStride;
        std::memcpy(&env, at, sizeof env);
        for (int i = 0; i < 9; ++i) {
            (void)mapCode(m, env.debit[i]);
            (void)mapCode(m, env.credit[i]);
        }
        std::memcpy(at, &env, sizeof env);
    }
}

// Stages every change of one year. False when a file the kind needs could not be read.
bool stageYear(FileSystem& fs, FileTransaction& tx, CodeKind kind, const Year& y, const std::vector<CodePair>& pairs) {
    CodeMap m;
    for (const CodePair& p : pairs) m[p.from] = p.to;
    const MasterPlace place = masterOf(kind, y);
    RecordFile master(fs, place.file, place.size);
    if (!master.ok()) return false;
    moveEntries(master, pairs, place.offset, place.width);
    std::deque<RecordFile> data;  // stays where it is as more files are added
    auto file = [&](const fs::path& p, size_t size) -> RecordFile* {
        data.emplace_back(fs, p, size);
        return data.back().ok() ? &data.back() : nullptr;  // a data file that cannot be read is skipped
    };
    auto lines = [&](const FileSet& f, const std::function<void(SlipLine&)>& change) {
        if (RecordFile* r = file(f[kSlipLines], sizeof(SlipLine))) eachRecord<SlipLine>(*r, change);
    };
    switch (kind) {
        case CodeKind::SalesCustomer:
        case CodeKind::PurchaseCustomer: {
            const FileSet& f = kind == CodeKind::SalesCustomer ? y.sales : y.purchase;
            RecordFile* headers = file(f[kSlipHeaders], sizeof(SlipHeader));
            RecordFile* index = headers ? file(f[kIndex1], sizeof(IndexEntry)) : nullptr;
            for (size_t n = 1; headers && n < headers->count(); ++n) {
                SlipHeader h = headers->get<SlipHeader>(n);
                if (!mapCode(m, h.customer)) continue;
                const CustomerRecord c = master.get<CustomerRecord>(static_cast<size_t>(h.customer));
                std::memcpy(h.department, c.department, sizeof h.department);
                std::memcpy(h.customerName, c.name, sizeof h.customerName);
                headers->put(n, h);
                // The index follows its header in the same transaction.
                if (index) index->put(n, IndexEntry{h.date, h.customer});
            }
            if (RecordFile* payments = file(f[kPayments], sizeof(PaymentRecord))) {
                eachRecord<PaymentRecord>(*payments, [&](PaymentRecord& p) {
                    if (mapCode(m, p.customer)) {
                        const CustomerRecord c = master.get<CustomerRecord>(static_cast<size_t>(p.customer));
                        std::memcpy(p.customerName, c.name, sizeof p.customerName);
                    }
                    for (int32_t& member : p.members) (void)mapCode(m, member);
                });
            }
            break;
        }
        case CodeKind::Product:
            for (const FileSet* f : {&y.sales, &y.purchase}) lines(*f, [&](SlipLine& l) { mapCode(m, l.product); });
            break;
        case CodeKind::Grade1:
        case CodeKind::Grade2:
            for (const FileSet* f : {&y.sales, &y.purchase})
                lines(*f, [&](SlipLine& l) { mapCode(m, kind == CodeKind::Grade1 ? l.grade1 : l.grade2); });
            break;
        case CodeKind::SalesRemark:
            lines(y.sales, [&](SlipLine& l) { mapCode(m, l.remarkCode); });
            break;
        case CodeKind::PurchaseRemark:
            lines(y.purchase, [&](SlipLine& l) { mapCode(m, l.remarkCode); });
            break;
        case CodeKind::Account: {
            changeAccountsOfEnvironment(master, m);
            lines(y.sales, [&](SlipLine& l) {
                mapCode(m, l.debit);
                mapCode(m, l.credit);
            });
            lines(y.purchase, [&](SlipLine& l) {
                mapCode(m, l.word200);
                mapCode(m, l.word204);
            });
            for (const FileSet* f : {&y.sales, &y.purchase}) {
                if (RecordFile* h = file((*f)[kSlipHeaders], sizeof(SlipHeader)))
                    eachRecord<SlipHeader>(*h, [&](SlipHeader& s) {
                        for (int32_t* c : {&s.taxDebit, &s.commissionDebit, &s.taxCredit, &s.commissionCredit})
                            mapCode(m, *c);
                        for (int i = 0; i < 5; ++i) {
                            mapCode(m, s.deductionDebit[i]);
                            mapCode(m, s.deductionCredit[i]);
                        }
                    });
                if (RecordFile* p = file((*f)[kPayments], sizeof(PaymentRecord)))
                    eachRecord<PaymentRecord>(*p, [&](PaymentRecord& r) {
                        for (int32_t* c : {&r.feeDebit, &r.paidDebit, &r.feeCredit, &r.paidCredit}) mapCode(m, *c);
                    });
                if (RecordFile* c = file(f->serverMaster[kCustomers], sizeof(CustomerRecord)))
                    eachRecord<CustomerRecord>(*c, [&](CustomerRecord& r) { mapCode(m, r.paymentAccount); });
            }
            if (RecordFile* p = file(y.sales.serverMaster[kProducts], sizeof(ProductRecord)))
                eachRecord<ProductRecord>(*p, [&](ProductRecord& r) {
                    for (int32_t* c : {&r.salesDebit, &r.salesCredit, &r.purchaseDebit, &r.purchaseCredit})
                        mapCode(m, *c);
                });
            break;
        }
        case CodeKind::Summary:
            return false;
    }
    master.stage(tx);
    for (const RecordFile& r : data)
        if (r.ok()) r.stage(tx);
    return true;
}

bool otherProgramsRun(AppContext& ctx, Dialogs& dialogs) {
    for (Edition e : {Edition::Sales, Edition::Purchase, Edition::Finance}) {
        if (e == ctx.edition) continue;
        if (InstanceLock::heldByAnyone(ctx.fileSet.instanceLockFile(e))) {
            dialogs.message(msg::kCodeChangeEditionRuns, Icon::Stop);
            return true;
        }
    }
    return refusedForStations(ctx, dialogs, msg::kCodeChangeStationsRun);
}

}  // namespace

const char* codeKindText(CodeKind k) {
    static const char* const kTexts[kCodeKinds] = {
        "  1. 販売 得意先ｺｰﾄﾞ", "  2. 仕入 得意先ｺｰﾄﾞ", "  3. 商品コード",
        "  4. 規格１コード",    "  5. 規格２コード",    "  6. 勘定科目コード",
        "  7. 販売 備考文ｺｰﾄﾞ", "  8. 仕入 備考文ｺｰﾄﾞ", "  9. 摘要文コード"};
    return kTexts[std::clamp(static_cast<int>(k), 1, kCodeKinds) - 1];
}

bool codeKindBuilt(CodeKind k) { return k != CodeKind::Summary; }

CodePair limitPair(CodeKind k, CodePair p) {
    for (int32_t* c : {&p.from, &p.to}) {
        if ((k == CodeKind::Grade1 || k == CodeKind::Grade2) && *c >= 100) *c = 99;
        if (k == CodeKind::Account) *c = *c < 100 ? 0 : std::min(*c, 599);
    }
    return p;
}

ChangeOutcome changeCodes(AppContext& ctx, Dialogs& dialogs, CodeKind kind, std::vector<CodePair> entered) {
    if (!codeKindBuilt(kind)) return {};
    // The pairs as the kind takes them; a pair with a code of 0 (or no change) is skipped.
    std::vector<CodePair> pairs;
    for (CodePair p : entered) {
        p = limitPair(kind, p);
        if (p.from != 0 && p.to != 0 && p.from != p.to) pairs.push_back(p);
    }
    if (pairs.empty()) return {};
    // Everything is checked before anything is written.
    const Range range = rangeOf(kind, ctx);
    std::set<int32_t> olds, news;
    for (const CodePair& p : pairs) {
        if (p.from < range.first || p.from > range.last || p.to < range.first || p.to > range.last) {
            dialogs.beep();
            dialogs.message(msg::codeOutOfRange(p.from, p.to, range.first, range.last), Icon::Stop);
            return {};
        }
        if (!olds.insert(p.from).second || !news.insert(p.to).second) {
            dialogs.beep();
            dialogs.message(msg::codeTwice(p.from, p.to), Icon::Stop);
            return {};
        }
    }
    const Year current = yearFiles(ctx, ctx.settings.businessYear);
    const MasterPlace place = masterOf(kind, current);
    RecordFile master(ctx.files, place.file, place.size);
    if (!master.ok()) {
        dialogs.message(msg::kCodeChangeNoMaster, Icon::Stop);
        return {};
    }
    for (const CodePair& p : pairs) {
        // A new code in use is overwritten unless it moves away in the same change.
        if (!olds.count(p.to) && entryInUse(master, p.to, place.offset, place.width) &&
            dialogs.ask(msg::codeInUse(p.to), Buttons::YesNo, Answer::No) != Answer::Yes)
            return {};
    }
    if (otherProgramsRun(ctx, dialogs)) return {};
    if (dialogs.ask(msg::kCodeChangeRun, Buttons::YesNo, Answer::No) != Answer::Yes) return {};

    ChangeOutcome out{ChangeResult::Done, 0};
    for (int k = 0; k < kCodeChangeYears; ++k) {
        const Year y = yearFiles(ctx, ctx.settings.businessYear - k);
        if (!ctx.files.exists(masterOf(kind, y).file)) break;  // the first year without the master ends the walk
        auto lock = DataLock::acquire(ctx.fileSet.dataFolder);
        if (!lock) {
            dialogs.message(rk::msg::kDataBusy, Icon::Stop);
            out.result = ChangeResult::Failed;
            break;
        }
        FileTransaction tx(ctx.files, FileTransaction::journalFile(ctx.fileSet.dataFolder));
        if (!tx.begin() || !stageYear(ctx.files, tx, kind, y, pairs) || !tx.commit()) {
            dialogs.message(msg::codeChangeFailed(ctx.settings.businessYear - k), Icon::Stop);
            out.result = ChangeResult::Failed;
            break;
        }
        ++out.years;
    }
    return out;
}

}  // namespace rk::maintenance
