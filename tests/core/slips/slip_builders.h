// Small builders for slip tests: lines in a document, records read back from the files.
#pragma once

#include <cstring>

#include "base/cp932.h"
#include "platform/file_system.h"
#include "slips/CFq7Doc.h"
#include "slips/slip_index.h"

namespace rk::test {

inline void setLine(CFq7Doc& doc, int j, int product, double quantity = 10, double price = 100) {
    SlipLine& l = doc.lines[j];
    l = {};
    l.product = product;
    cp932::assign(l.productName, "バラ");
    l.salesMethod = 1;
    l.grade1 = 1;
    l.grade2 = kNoGrade;
    l.quantity = l.ordered = l.delivered = quantity;
    l.price = price;
    l.amount = quantity * price;
    l.debit = 110;
    l.credit = 400;
    if (doc.header.lineCount < j) doc.header.lineCount = j;
}

// A new slip of `count` lines (products 1..count) in the document.
inline void newSlip(CFq7Doc& doc, int32_t date, int32_t customer, int count, int32_t stage = kStageDelivery) {
    doc.clearHeader();
    doc.clearLines();
    doc.header.date = date;
    doc.header.customer = customer;
    doc.header.stage = stage;
    doc.header.lineCount = 0;
    for (int j = 1; j <= count; ++j) setLine(doc, j, j, 10 * j, 100 + j);
}

inline SlipHeader headerAt(FileSystem& fs, const fs::path& file, int n) {
    SlipHeader h{};
    (void)fs.readZeroFilled(file, static_cast<uint64_t>(n) * kSlipHeaderSize, bytesOf(h));
    return h;
}

inline SlipLine lineAt(FileSystem& fs, const fs::path& file, int n) {
    SlipLine l{};
    (void)fs.readZeroFilled(file, static_cast<uint64_t>(n) * kSlipLineSize, bytesOf(l));
    return l;
}

inline IndexEntry entryAt(FileSystem& fs, const fs::path& file, int n) {
    IndexEntry e{};
    (void)fs.readZeroFilled(file, static_cast<uint64_t>(n) * kIndexEntrySize, bytesOf(e));
    return e;
}

// Whether both index files say exactly what the header file says, entry for entry.
inline ::testing::AssertionResult indexesAgree(FileSystem& fs, const FileSet& f) {
    auto headers = fs.readAll(f[kSlipHeaders]).value_or(Bytes{});
    auto i1 = fs.readAll(f[kIndex1]).value_or(Bytes{});
    auto i2 = fs.readAll(f[kIndex2]).value_or(Bytes{});
    const size_t records = headers.size() / kSlipHeaderSize;
    if (i1.size() != records * 8 || i2.size() != records * 8)
        return ::testing::AssertionFailure()
               << "index sizes " << i1.size() << "/" << i2.size() << " for " << records << " headers";
    for (size_t n = 1; n < records; ++n) {
        std::span<const std::byte> h(headers.data() + n * kSlipHeaderSize, kSlipHeaderSize);
        if (readI32(i1, n * 8) != readI32(h, 72) || readI32(i1, n * 8 + 4) != readI32(h, 76) ||
            readI32(i2, n * 8) != readI32(h, 64) || readI32(i2, n * 8 + 4) != readI32(h, 88))
            return ::testing::AssertionFailure() << "entry " << n << " disagrees with its header";
    }
    return ::testing::AssertionSuccess();
}

}  // namespace rk::test
