#include "slips/CFq7Doc.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

#include "masters/master_io.h"
#include "slips/loadable_lines.h"
#include "slips/slip_index.h"
#include "slips/slip_messages.h"

namespace rk {
namespace {

NoSlipLocks gNoLocks;

template <size_t N>
void cacheName(char (&dst)[N], const char* src, size_t count) {
    std::memset(dst, 0, N);
    std::memcpy(dst, src, std::min(count, N - 1));
}

}  // namespace

// A slip's lines name the same few grades and account items over and over: each is read once
// per load.
struct CFq7Doc::MasterMemo {
    std::map<int, GradeRecord> grades;
    std::map<int, AccountItemRecord> accounts;
};

CFq7Doc::CFq7Doc(AppContext& ctx, Dialogs& dialogs, SlipLocks* locks, PackingFill* packing)
    : ctx_(ctx), dialogs_(dialogs), locks_(locks ? locks : &gNoLocks), packing_(packing) {
    start();
}

void CFq7Doc::setSlipLocks(SlipLocks* locks) { locks_ = locks ? locks : &gNoLocks; }

void CFq7Doc::start() {
    clearLines();
    clearHeader();
    record_ = -1;
    warning_.clear();
    // The new slip takes the date of the last slip in the files. An empty or header-only
    // index has no last slip.
    header.date = lastIndexedDate(ctx_.files, ctx_.fileSet[kIndex1]);
}

void CFq7Doc::clearLines() {
    lines = {};
    texts = {};
    names = {};
    loaded = {};
}

void CFq7Doc::clearHeader() {
    std::memset(header.department, 0, sizeof header.department);
    std::memset(header.customerName, 0, sizeof header.customerName);
    header.stage = 0;
    header.reserved68 = 0;
    header.paymentLink = 0;
    header.customer = 0;
    header.settlementDate = 0;
    header.lineCount = 1;
    header.amount = header.commission = header.receivable = header.tax = 0;
    std::fill(std::begin(header.deductions), std::end(header.deductions), 0.0);
    std::memset(header.reserved168, 0, sizeof header.reserved168);
    std::fill(std::begin(header.lineSlots), std::end(header.lineSlots), -1);
}

bool CFq7Doc::findAndLoad(int32_t date, int32_t customer) {
    const FileSet& f = ctx_.fileSet;
    const int n = findLiveSlip(ctx_.files, f[kIndex1], f[kSlipHeaders], date, customer);
    if (n == 0) {
        record_ = -1;
        return false;
    }
    return loadRecord(n);
}

bool CFq7Doc::loadRecord(int n) {
    if (n < 1) return false;
    SlipHeader h{};
    auto got = ctx_.files.read(ctx_.fileSet[kSlipHeaders], static_cast<uint64_t>(n) * kSlipHeaderSize, bytesOf(h));
    if (!got || *got != sizeof h) return false;
    fillFromHeader(h, n);
    return true;
}

void CFq7Doc::fillFromHeader(const SlipHeader& h, int n) {
    header = h;
    record_ = n;
    loadedAmount_ = h.amount;
    warning_.clear();
    clearLines();
    loadLines();
}

// Reads lines 1..N. Consecutive slots (the usual case: a slip's lines are appended together)
// are read in one go. A slot that cannot hold a line ends the slip with the warning; the
// next recording keeps only the lines before it.
void CFq7Doc::loadLines() {
    FileSystem& fs = ctx_.files;
    const fs::path& lineFile = ctx_.fileSet[kSlipLines];
    const fs::path& textFile = ctx_.fileSet[kRemarkTexts];
    const uint64_t lineRecords = fs.size(lineFile).value_or(0) / kSlipLineSize;
    const uint64_t textRecords = fs.size(textFile).value_or(0) / kLineTextSize;

    const int stored = header.lineCount;
    const int n = loadableLines(header, lineRecords);
    if (slipDamaged(stored, n)) {
        dialogs_.beep();
        warning_ = invalidSlipWarning(stored, n);
    }
    header.lineCount = n;

    for (int j = 1; j <= n;) {
        int run = 1;
        while (j + run <= n && header.lineSlots[j + run] == header.lineSlots[j] + run) ++run;
        std::span<std::byte> dst(reinterpret_cast<std::byte*>(&lines[j]), run * kSlipLineSize);
        auto got = fs.read(lineFile, static_cast<uint64_t>(header.lineSlots[j]) * kSlipLineSize, dst);
        for (int k = 0; k < run; ++k) {
            if (!got || *got < (k + 1) * kSlipLineSize) break;
            loaded[j + k] = true;
        }
        j += run;
    }
    MasterMemo memo;
    for (int j = 1; j <= n; ++j) {
        const int32_t t = lines[j].textNumber;
        if (t > 0 && static_cast<uint64_t>(t) < textRecords) {
            (void)fs.readZeroFilled(textFile, static_cast<uint64_t>(t) * kLineTextSize, bytesOf(texts[j]));
            texts[j].text[sizeof texts[j].text - 1] = '\0';
        }
        cacheNames(j, memo);
    }
}

void CFq7Doc::cacheNames(int j, MasterMemo& memo) {
    const SlipLine& l = lines[j];
    const bool sales = ctx_.edition == Edition::Sales;
    const int32_t debit = sales ? l.debit : l.word200;
    const int32_t credit = sales ? l.credit : l.word204;
    LineNames& nm = names[j];
    auto accountName = [&](int code, char(&dst)[13]) {
        auto it = memo.accounts.find(code);
        if (it != memo.accounts.end()) {
            account = it->second;
        } else {
            if (!readAccount(code)) return;
            memo.accounts.emplace(code, account);
        }
        cacheName(dst, account.name, 12);
    };
    auto gradeRecord = [&](int code) {
        auto it = memo.grades.find(code);
        if (it != memo.grades.end()) {
            grade = it->second;
        } else {
            readGrade(code);
            memo.grades.emplace(code, grade);
        }
    };
    if (debit > 99) accountName(debit, nm.debit);
    if (credit > 99) accountName(credit, nm.credit);
    if (l.grade1 > 0) {
        gradeRecord(l.grade1);
        cacheName(nm.grade1, grade.grade1Name, 10);
    }
    if (l.grade2 > 0) {
        gradeRecord(l.grade2);
        cacheName(nm.grade2, grade.grade2Name, 10);
    }
}

std::vector<int> CFq7Doc::slipsOfDate(int32_t date) const {
    std::vector<std::pair<int32_t, int>> found;
    if (date > 100) {
        auto entries = readIndexEntries(ctx_.files, ctx_.fileSet[kIndex1]);
        for (size_t n = 1; n < entries.size(); ++n) {
            if (entries[n].first != date) continue;
            // A stale entry (a slip deleted or moved since the index was written) never
            // lists a slip: the header itself must still say this date and customer.
            std::byte pair[8];
            auto got = ctx_.files.read(ctx_.fileSet[kSlipHeaders], n * kSlipHeaderSize + kIndex1First, pair);
            if (!got || *got != 8 || readI32(pair, 0) != date || readI32(pair, 4) != entries[n].second) continue;
            found.emplace_back(entries[n].second, static_cast<int>(n));
        }
    }
    std::sort(found.begin(), found.end());
    std::vector<int> out;
    out.reserve(found.size());
    for (auto& [c, n] : found) out.push_back(n);
    return out;
}

void CFq7Doc::readCustomer(int n) {
    masters::readCustomer(ctx_.files, ctx_.fileSet[kCustomers], n, customer);
    if (n <= 0) header.stage = 0;
}

void CFq7Doc::readProduct(int n) { masters::readProduct(ctx_.files, ctx_.fileSet[kProducts], n, product); }

void CFq7Doc::readGrade(int n) { (void)masters::readRecord(ctx_.files, ctx_.fileSet[kGrades], n, grade); }

void CFq7Doc::readRemark(int n) {
    (void)masters::readRecord(ctx_.files, ctx_.fileSet[kRemarks], n, remark);
    remark.text[sizeof remark.text - 1] = '\0';
}

bool CFq7Doc::readAccount(int code) {
    if (masters::readAccountItem(ctx_.files, ctx_.fileSet[kAccounts], code, account)) return true;
    if (!closeRequested_) dialogs_.message(msg::kAccountFileUnopenable, Icon::Stop);
    closeRequested_ = true;
    return false;
}

void CFq7Doc::copyLine(int a, int b) {
    if (a < 0 || b < 0 || a >= kDocLines || b >= kDocLines) return;
    lines[a] = lines[b];
    texts[a] = texts[b];
    names[a] = names[b];
}

}  // namespace rk
