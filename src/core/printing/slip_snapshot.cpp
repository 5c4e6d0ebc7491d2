#include "printing/slip_snapshot.h"

#include <algorithm>
#include <cstdlib>

#include "printing/conventions.h"
#include "slips/slip_index.h"

namespace rk::printing {

namespace {

template <Record T>
T recordAt(const Bytes& file, int64_t n) {
    if (n < 1) return T{};
    const uint64_t at = static_cast<uint64_t>(n) * sizeof(T);
    if (at >= file.size()) return T{};
    return recordFrom<T>(std::span<const std::byte>(file).subspan(at));
}

bool sameGoods(const SlipLine& a, const SlipLine& b) {
    return a.salesMethod == b.salesMethod && a.product == b.product && a.grade1 == b.grade1 && a.grade2 == b.grade2 &&
           a.remarkCode == b.remarkCode && a.buyer == b.buyer;
}

}  // namespace

SlipSnapshot::SlipSnapshot(const AppContext& ctx) {
    FileSystem& fs = ctx.files;
    headers_ = fs.openReader(ctx.fileSet[kSlipHeaders]);
    lines_ = fs.openReader(ctx.fileSet[kSlipLines]);
    texts_ = fs.openReader(ctx.fileSet[kRemarkTexts]);
    const auto headerBytes = headers_ ? headers_->size() : std::nullopt;
    const auto lineBytes = lines_ ? lines_->size() : std::nullopt;
    ok_ = headerBytes && lineBytes;
    headerCount_ = static_cast<int>(headerBytes.value_or(0) / sizeof(SlipHeader));
    lineRecords_ = lineBytes.value_or(0) / sizeof(SlipLine);
    textRecords_ = texts_ ? texts_->size().value_or(0) / sizeof(LineText) : 0;
    grades_ = fs.readAll(ctx.fileSet[kGrades]).value_or(Bytes{});
    customers_ = fs.readAll(ctx.fileSet[kCustomers]).value_or(Bytes{});
    index_ = readIndexEntries(fs, ctx.fileSet[kIndex1]);
}

SlipHeader SlipSnapshot::header(int n) const {
    if (n < 1 || n >= headerCount_ || !headers_) return SlipHeader{};
    if (auto it = headerCache_.find(n); it != headerCache_.end()) return it->second;
    // Runs ask for headers in record order, so the ones after n are read with it.
    constexpr int kAhead = 64;
    if (n < aheadFirst_ || n >= aheadFirst_ + static_cast<int>(ahead_.size())) {
        ahead_.resize(static_cast<size_t>(std::min(kAhead, headerCount_ - n)));
        auto got = headers_->readZeroFilled(static_cast<uint64_t>(n) * sizeof(SlipHeader),
                                            std::as_writable_bytes(std::span(ahead_)));
        if (!got) ahead_.clear();
        aheadFirst_ = n;
        if (ahead_.empty()) return SlipHeader{};
    }
    return headerCache_.emplace(n, ahead_[static_cast<size_t>(n - aheadFirst_)]).first->second;
}

CustomerRecord SlipSnapshot::customer(int n) const { return recordAt<CustomerRecord>(customers_, n); }

std::string SlipSnapshot::gradeName(int code, bool second) const {
    if (code <= 0) return "";
    const GradeRecord g = recordAt<GradeRecord>(grades_, code);
    // The slip windows show ten bytes of each name.
    return second ? fieldText(g.grade2Name, 10) : fieldText(g.grade1Name, 10);
}

PrintedSlip SlipSnapshot::slip(int n, bool merge) const {
    PrintedSlip s;
    s.record = n;
    s.header = header(n);
    const int count = std::clamp(s.header.lineCount, 0, kMaxSlipLines);
    // A slip's lines usually sit side by side in the line file: each run is one read.
    std::vector<SlipLine> read(static_cast<size_t>(count) + 1);
    std::vector<bool> usable(static_cast<size_t>(count) + 1, false);
    for (int j = 1; j <= count;) {
        const int32_t slot = s.header.lineSlots[j];
        if (slot <= 0 || static_cast<uint64_t>(slot) >= lineRecords_) {
            ++j;
            continue;
        }
        int run = 1;
        while (j + run <= count && s.header.lineSlots[j + run] == slot + run &&
               static_cast<uint64_t>(slot + run) < lineRecords_)
            ++run;
        auto got = lines_->read(static_cast<uint64_t>(slot) * sizeof(SlipLine),
                                std::as_writable_bytes(std::span(read).subspan(static_cast<size_t>(j), run)));
        for (int k = 0; k < run; ++k)
            usable[static_cast<size_t>(j + k)] = got && *got >= static_cast<size_t>(k + 1) * sizeof(SlipLine);
        j += run;
    }
    for (int j = 1; j <= count; ++j) {
        if (!usable[static_cast<size_t>(j)]) {
            ++s.invalid;
            continue;
        }
        const SlipLine& line = read[static_cast<size_t>(j)];
        if (merge) {
            auto earlier = std::find_if(s.lines.begin(), s.lines.end(),
                                        [&line](const PrintedLine& p) { return sameGoods(p.line, line); });
            if (earlier != s.lines.end()) {
                SlipLine& into = earlier->line;
                into.quantity += line.quantity;
                into.amount += line.amount;
                into.boxes += line.boxes;
                // A merged line of no quantity keeps its price at 0 rather than dividing by it.
                into.price = into.quantity != 0 ? into.amount / into.quantity : 0;
                continue;
            }
        }
        PrintedLine p;
        p.number = j;
        p.line = line;
        p.grade1 = gradeName(line.grade1, false);
        p.grade2 = gradeName(line.grade2, true);
        if (line.textNumber > 0 && static_cast<uint64_t>(line.textNumber) < textRecords_) {
            LineText t{};
            if (texts_->readZeroFilled(static_cast<uint64_t>(line.textNumber) * sizeof(LineText), bytesOf(t)))
                p.text = fieldText(t.text);
        }
        s.lines.push_back(std::move(p));
    }
    return s;
}

std::vector<int> SlipSnapshot::slipsOfDate(int32_t date) const {
    std::vector<std::pair<int32_t, int>> found;
    if (date > 100)
        for (size_t n = 1; n < index_.size(); ++n)
            if (index_[n].first == date) found.emplace_back(index_[n].second, static_cast<int>(n));
    std::stable_sort(found.begin(), found.end(), [](auto& a, auto& b) { return a.first < b.first; });
    std::vector<int> out;
    for (auto& [c, n] : found)
        if (header(n).date == date) out.push_back(n);  // a stale index never prints a wrong slip
    return out;
}

int32_t lastSlipDate(const AppContext& ctx) { return lastIndexedDate(ctx.files, ctx.fileSet[kIndex1]); }

}  // namespace rk::printing
