#include <gtest/gtest.h>

#include "masters/master_io.h"
#include "slips/CFq7Doc.h"
#include "slips/slip_builders.h"
#include "slips/slip_messages.h"
#include "support/faulty_file_system.h"
#include "support/installation.h"

namespace rk::test {
namespace {

class SlipDocument : public ::testing::Test {
protected:
    Installation inst;
    AppContext& ctx = *inst.ctx;
    FileSystem& fs = ctx.files;
    const FileSet& f = ctx.fileSet;
    ScriptedDialogs dialogs;

    void SetUp() override {
        GradeRecord g{};
        cp932::assign(g.grade1Name, "秀");
        cp932::assign(g.grade2Name, "2L");
        ASSERT_TRUE(masters::writeRecord(fs, f[kGrades], 1, g));
        CustomerRecord c{};
        cp932::assign(c.name, "有限会社鈴木生花店");
        ASSERT_TRUE(masters::writeRecord(fs, f[kCustomers], 8, c));
    }

    // Records a new slip and returns its header number.
    int recordNew(int32_t date, int32_t customer, int lines) {
        CFq7Doc doc(ctx, dialogs);
        newSlip(doc, date, customer, lines);
        EXPECT_EQ(doc.record(), CFq7Doc::WriteResult::Ok);
        return doc.lastWritten();
    }
};

TEST_F(SlipDocument, RecordingANewSlipWritesEveryFileAtItsRecord) {
    CFq7Doc doc(ctx, dialogs);
    doc.setInputMode(2);
    newSlip(doc, 512, 7, 3);
    doc.lines[2].remarkCode = 500;
    doc.lines[2].textNumber = -1;
    cp932::assign(doc.texts[2].text, "産地直送品");
    ASSERT_EQ(doc.record(), CFq7Doc::WriteResult::Ok);

    EXPECT_EQ(doc.lastWritten(), 1);
    EXPECT_EQ(fs.size(f[kSlipHeaders]), 2 * kSlipHeaderSize);
    EXPECT_EQ(fs.size(f[kSlipLines]), 4 * kSlipLineSize);
    EXPECT_EQ(fs.size(f[kRemarkTexts]), 2 * kLineTextSize);
    SlipHeader h = headerAt(fs, f[kSlipHeaders], 1);
    EXPECT_EQ(h.date, 512);
    EXPECT_EQ(h.customer, 7);
    EXPECT_EQ(h.lineCount, 3);
    EXPECT_EQ(h.lineSlots[1], 1);
    EXPECT_EQ(h.lineSlots[3], 3);
    for (int j = 4; j <= kMaxSlipLines; ++j) ASSERT_EQ(h.lineSlots[j], -1) << j;
    for (int j = 1; j <= 3; ++j) {
        SlipLine l = lineAt(fs, f[kSlipLines], j);
        EXPECT_EQ(l.owner, 1);
        EXPECT_EQ(l.product, j);
    }
    EXPECT_EQ(lineAt(fs, f[kSlipLines], 2).textNumber, 1);
    LineText text{};
    ASSERT_TRUE(fs.read(f[kRemarkTexts], kLineTextSize, bytesOf(text)));
    EXPECT_EQ(cp932::toUtf8(text.text), "産地直送品");
    EXPECT_EQ(entryAt(fs, f[kIndex1], 1), (IndexEntry{512, 7}));
    EXPECT_EQ(entryAt(fs, f[kIndex2], 1), (IndexEntry{kStageDelivery, 3}));
    EXPECT_TRUE(indexesAgree(fs, f));

    // Cleared for the next slip: new, the date kept, the stage of the input mode.
    EXPECT_EQ(doc.recordNumber(), -1);
    EXPECT_EQ(doc.header.date, 512);
    EXPECT_EQ(doc.header.stage, 1);
    EXPECT_EQ(doc.header.lineCount, 1);
    EXPECT_EQ(doc.lines[1].product, 0);

    // Loading it back fills lines, text and name caches.
    ASSERT_TRUE(doc.findAndLoad(512, 7));
    EXPECT_EQ(doc.recordNumber(), 1);
    EXPECT_EQ(doc.header.lineCount, 3);
    EXPECT_STREQ(doc.texts[2].text, cp932::fromUtf8("産地直送品").c_str());
    EXPECT_EQ(cp932::toUtf8(doc.names[1].grade1), "秀");
    EXPECT_TRUE(doc.loaded[3]);
    EXPECT_FALSE(doc.loaded[4]);
    EXPECT_TRUE(doc.warning().empty());
}

TEST_F(SlipDocument, RewriteKeepsSlotsAppendsNewLinesAndCutsAtAnEmptyProduct) {
    recordNew(512, 7, 3);
    CFq7Doc doc(ctx, dialogs);
    ASSERT_TRUE(doc.findAndLoad(512, 7));
    doc.lines[1].price = 999;
    setLine(doc, 4, 9);
    ASSERT_EQ(doc.record(), CFq7Doc::WriteResult::Ok);
    EXPECT_EQ(fs.size(f[kSlipHeaders]), 2 * kSlipHeaderSize);  // same header record
    EXPECT_EQ(fs.size(f[kSlipLines]), 5 * kSlipLineSize);      // one line appended
    EXPECT_EQ(lineAt(fs, f[kSlipLines], 1).price, 999);
    SlipHeader h = headerAt(fs, f[kSlipHeaders], 1);
    EXPECT_EQ(h.lineCount, 4);
    EXPECT_EQ(h.lineSlots[4], 4);
    EXPECT_EQ(lineAt(fs, f[kSlipLines], 4).owner, 1);

    // A line without a product ends the slip: one line kept, the later slots freed.
    ASSERT_TRUE(doc.findAndLoad(512, 7));
    doc.lines[2].product = 0;
    ASSERT_EQ(doc.record(), CFq7Doc::WriteResult::Ok);
    h = headerAt(fs, f[kSlipHeaders], 1);
    EXPECT_EQ(h.lineCount, 1);
    for (int j = 2; j <= kMaxSlipLines; ++j) ASSERT_EQ(h.lineSlots[j], -1);
    EXPECT_EQ(fs.size(f[kSlipLines]), 5 * kSlipLineSize);  // lines are never removed
    EXPECT_EQ(entryAt(fs, f[kIndex2], 1), (IndexEntry{kStageDelivery, 1}));
    EXPECT_TRUE(indexesAgree(fs, f));
}

TEST_F(SlipDocument, DeleteNegatesTheDateAndTheNextSlipOfThePairIsNew) {
    recordNew(512, 7, 2);
    CFq7Doc doc(ctx, dialogs);
    ASSERT_TRUE(doc.findAndLoad(512, 7));
    ASSERT_EQ(doc.deleteSlip(), CFq7Doc::WriteResult::Ok);
    EXPECT_EQ(headerAt(fs, f[kSlipHeaders], 1).date, -512);
    EXPECT_EQ(entryAt(fs, f[kIndex1], 1), (IndexEntry{-512, 7}));
    EXPECT_EQ(doc.header.date, 512);
    EXPECT_FALSE(doc.findAndLoad(512, 7));
    EXPECT_FALSE(doc.findAndLoad(-512, 7));
    EXPECT_TRUE(doc.slipsOfDate(512).empty());
    EXPECT_EQ(recordNew(512, 7, 1), 2);
    EXPECT_TRUE(indexesAgree(fs, f));
    // The document starts on the date of the last slip.
    CFq7Doc fresh(ctx, dialogs);
    EXPECT_EQ(fresh.header.date, 512);
}

TEST_F(SlipDocument, MoveChangesTheSlipInPlaceAndRefusesAnExistingPair) {
    recordNew(512, 7, 2);
    recordNew(513, 7, 1);
    CFq7Doc doc(ctx, dialogs);
    ASSERT_TRUE(doc.findAndLoad(512, 7));
    EXPECT_EQ(doc.moveTo(513, 7), CFq7Doc::WriteResult::Duplicate);
    EXPECT_EQ(dialogs.shown.back(), msg::kDuplicateSlip);
    EXPECT_EQ(doc.recordNumber(), 1);
    EXPECT_EQ(headerAt(fs, f[kSlipHeaders], 1).date, 512);

    ASSERT_EQ(doc.moveTo(514, 8), CFq7Doc::WriteResult::Ok);
    SlipHeader h = headerAt(fs, f[kSlipHeaders], 1);
    EXPECT_EQ(h.date, 514);
    EXPECT_EQ(h.customer, 8);
    EXPECT_EQ(cp932::toUtf8(h.customerName), "有限会社鈴木生花店");
    EXPECT_EQ(h.lineCount, 2);
    EXPECT_EQ(fs.size(f[kSlipHeaders]), 3 * kSlipHeaderSize);
    EXPECT_EQ(entryAt(fs, f[kIndex1], 1), (IndexEntry{514, 8}));
    EXPECT_EQ(doc.header.date, 514);
    EXPECT_TRUE(indexesAgree(fs, f));
}

// Records the slip-lock calls and what the files held when the slip was unlocked.
class WatchingLocks : public SlipLocks {
public:
    WatchingLocks(FileSystem& fs, const FileSet& f) : fs_(fs), f_(f) {}
    std::vector<std::string> calls;
    bool filesWrittenAtUnlock = false;
    bool heldAtUnlock = false;
    int lockSlip(int32_t d, int32_t c) override {
        calls.push_back("lock " + std::to_string(d) + " " + std::to_string(c));
        return 0;
    }
    int unlockSlip(int32_t d, int32_t c, const DataLock* held) override {
        heldAtUnlock = held != nullptr;
        calls.push_back("unlock " + std::to_string(d) + " " + std::to_string(c));
        filesWrittenAtUnlock = headerAt(fs_, f_[kSlipHeaders], 1).date == d &&
                               entryAt(fs_, f_[kIndex1], 1) == IndexEntry{d, c} &&
                               entryAt(fs_, f_[kIndex2], 1).second == headerAt(fs_, f_[kSlipHeaders], 1).lineCount;
        return 0;
    }
    int unlockOwn() override {
        calls.push_back("unlock own");
        return 0;
    }

private:
    FileSystem& fs_;
    const FileSet& f_;
};

TEST_F(SlipDocument, TheSlipIsUnlockedOnlyAfterHeaderAndIndexesAreWritten) {
    WatchingLocks locks(fs, f);
    CFq7Doc doc(ctx, dialogs, &locks);
    newSlip(doc, 512, 7, 2);
    ASSERT_EQ(doc.record(), CFq7Doc::WriteResult::Ok);
    EXPECT_TRUE(locks.filesWrittenAtUnlock);
    EXPECT_TRUE(locks.heldAtUnlock);
    ASSERT_TRUE(doc.findAndLoad(512, 7));
    ASSERT_EQ(doc.moveTo(601, 8), CFq7Doc::WriteResult::Ok);
    EXPECT_TRUE(locks.filesWrittenAtUnlock);
    // The new pair is taken before the old one is let go.
    EXPECT_EQ(locks.calls, (std::vector<std::string>{"unlock 512 7", "lock 601 8", "unlock 512 7", "unlock 601 8"}));
}

TEST_F(SlipDocument, ASecondNewSlipForTheSamePairIsRefusedAndStaysOpen) {
    CFq7Doc a(ctx, dialogs), b(ctx, dialogs);
    newSlip(a, 601, 3, 2);
    newSlip(b, 601, 3, 4);
    ASSERT_EQ(a.record(), CFq7Doc::WriteResult::Ok);
    EXPECT_EQ(b.record(), CFq7Doc::WriteResult::Duplicate);
    EXPECT_EQ(dialogs.shown.back(), msg::kSlipRecordedElsewhere);
    EXPECT_EQ(b.header.lineCount, 4);
    EXPECT_EQ(b.lines[4].product, 4);
    EXPECT_EQ(fs.size(f[kSlipHeaders]), 2 * kSlipHeaderSize);
    EXPECT_EQ(fs.size(f[kSlipLines]), 3 * kSlipLineSize);
}

TEST_F(SlipDocument, ABrokenLineListLoadsItsLeadingLinesWithTheWarning) {
    recordNew(512, 7, 7);
    SlipHeader h = headerAt(fs, f[kSlipHeaders], 1);
    h.lineSlots[5] = -1;
    ASSERT_TRUE(fs.write(f[kSlipHeaders], kSlipHeaderSize, bytesOf(h)));

    CFq7Doc doc(ctx, dialogs);
    ASSERT_TRUE(doc.findAndLoad(512, 7));
    EXPECT_EQ(doc.header.lineCount, 4);
    EXPECT_EQ(doc.warning(),
              "  この伝票は不正です 更新[記録]すると 既定行数  7 行のところ  4 行まで有効化[正常化]できます");
    EXPECT_EQ(dialogs.beeps, 1);
    ASSERT_EQ(doc.record(), CFq7Doc::WriteResult::Ok);
    EXPECT_EQ(headerAt(fs, f[kSlipHeaders], 1).lineCount, 4);
    EXPECT_EQ(headerAt(fs, f[kSlipHeaders], 1).lineSlots[5], -1);

    // Slots outside the line file, zero slots and a line count above 99 are broken too.
    for (auto [slot, count, kept] : {std::tuple{100000, 4, 2}, std::tuple{0, 4, 2}, std::tuple{2, 150, 4}}) {
        h = headerAt(fs, f[kSlipHeaders], 1);
        h.lineCount = count;
        h.lineSlots[3] = slot;
        ASSERT_TRUE(fs.write(f[kSlipHeaders], kSlipHeaderSize, bytesOf(h)));
        ASSERT_TRUE(doc.findAndLoad(512, 7));
        EXPECT_EQ(doc.header.lineCount, kept) << slot;
        EXPECT_FALSE(doc.warning().empty());
    }
}

TEST_F(SlipDocument, DamagedFilesAreReadWithinBounds) {
    recordNew(512, 7, 2);
    // A line text number beyond the text file: no text read; recording stores a new one.
    SlipLine l = lineAt(fs, f[kSlipLines], 1);
    l.textNumber = 5000;
    ASSERT_TRUE(fs.write(f[kSlipLines], kSlipLineSize, bytesOf(l)));
    // An unterminated text record.
    Bytes full(100, std::byte{'A'});
    ASSERT_TRUE(fs.write(f[kRemarkTexts], 100, full));
    l = lineAt(fs, f[kSlipLines], 2);
    l.textNumber = 1;
    ASSERT_TRUE(fs.write(f[kSlipLines], 2 * kSlipLineSize, bytesOf(l)));

    CFq7Doc doc(ctx, dialogs);
    ASSERT_TRUE(doc.findAndLoad(512, 7));
    EXPECT_EQ(doc.texts[1].text[0], '\0');
    EXPECT_EQ(std::strlen(doc.texts[2].text), 99u);
    ASSERT_EQ(doc.record(), CFq7Doc::WriteResult::Ok);
    EXPECT_EQ(lineAt(fs, f[kSlipLines], 1).textNumber, 2);
    EXPECT_EQ(fs.size(f[kRemarkTexts]), 3 * kLineTextSize);

    // A header file cut short: the slip past its end is not found, nothing is read past it.
    ASSERT_TRUE(fs.truncate(f[kSlipHeaders], kSlipHeaderSize + 100));
    EXPECT_FALSE(doc.findAndLoad(512, 7));
    EXPECT_FALSE(doc.loadRecord(1));
    EXPECT_FALSE(doc.loadRecord(-3));
}

TEST_F(SlipDocument, TheStartDateComesFromTheLastIndexEntry) {
    ASSERT_TRUE(fs.replaceWhole(f[kIndex1], Bytes{}));
    EXPECT_EQ(CFq7Doc(ctx, dialogs).header.date, 101);
    ASSERT_TRUE(fs.replaceWhole(f[kIndex1], Bytes(8)));
    EXPECT_EQ(CFq7Doc(ctx, dialogs).header.date, 101);
    Bytes idx(24);
    writeI32(idx, 8, 1105);
    writeI32(idx, 16, -1224);
    ASSERT_TRUE(fs.replaceWhole(f[kIndex1], idx));
    EXPECT_EQ(CFq7Doc(ctx, dialogs).header.date, 1224);
}

TEST_F(SlipDocument, TheSlipsOfADateComeByCustomerWithoutACap) {
    // 2999 slips of one date, customers in falling order, and a deleted one between.
    Bytes idx(8 * 3001);
    for (int n = 1; n <= 2999; ++n) {
        writeI32(idx, n * 8, 701);
        writeI32(idx, n * 8 + 4, 3000 - n);
    }
    writeI32(idx, 3000 * 8, -701);
    writeI32(idx, 3000 * 8 + 4, 5);
    ASSERT_TRUE(fs.replaceWhole(f[kIndex1], idx));
    // Each entry is checked against its header: the headers say the same.
    Bytes headers(kSlipHeaderSize * 3001);
    for (int n = 1; n <= 3000; ++n) {
        writeI32(headers, n * kSlipHeaderSize + kIndex1First, readI32(idx, n * 8));
        writeI32(headers, n * kSlipHeaderSize + kIndex1Second, readI32(idx, n * 8 + 4));
    }
    ASSERT_TRUE(fs.replaceWhole(f[kSlipHeaders], headers));
    CFq7Doc doc(ctx, dialogs);
    auto list = doc.slipsOfDate(701);
    ASSERT_EQ(list.size(), 2999u);
    EXPECT_EQ(list.front(), 2999);  // customer 1
    EXPECT_EQ(list.back(), 1);      // customer 2999
}

TEST_F(SlipDocument, MasterReadsClampAndBlankWhatTheyMust) {
    CFq7Doc doc(ctx, dialogs);
    ProductRecord p{};
    cp932::assign(p.name, "ユリ");
    p.packingKind = 7;
    p.decimals = 5;
    p.salesDebit = 110;
    ASSERT_TRUE(masters::writeRecord(fs, f[kProducts], 3, p));
    doc.readProduct(3);
    EXPECT_EQ(doc.product.packingKind, 3);
    EXPECT_EQ(doc.product.decimals, 2);
    doc.readProduct(0);
    EXPECT_EQ(std::string(doc.product.name, 16), std::string(16, ' '));
    EXPECT_EQ(doc.product.salesDebit, 0);

    doc.header.stage = 2;
    doc.readCustomer(0);
    EXPECT_EQ(std::string(doc.customer.name, 32), std::string(32, ' '));
    EXPECT_EQ(doc.header.stage, 0);

    ASSERT_TRUE(doc.readAccount(50));
    EXPECT_EQ(std::string(doc.account.name, 20), std::string(20, ' '));
    ASSERT_TRUE(doc.readAccount(399));
    EXPECT_EQ(cp932::toUtf8(doc.account.name), "累積未処分利益      ");
    ASSERT_TRUE(doc.readAccount(110));
    EXPECT_EQ(cp932::toUtf8(doc.account.name), "売り掛け");

    ASSERT_TRUE(fs.remove(f[kAccounts]));
    EXPECT_FALSE(doc.readAccount(110));
    EXPECT_TRUE(doc.closeRequested());
    EXPECT_EQ(dialogs.shown.back(), msg::kAccountFileUnopenable);
}

TEST_F(SlipDocument, AFailedWriteReportsLeavesTheFilesAndKeepsTheSlipOpen) {
    recordNew(512, 7, 2);
    int failures = 0;
    for (auto fault : {FaultyFileSystem::Fault::Fail, FaultyFileSystem::Fault::ShortWrite}) {
        for (int k = 1; k <= 30; ++k) {
            const Bytes before = inst.bytes(kSlipLines);
            const Bytes beforeHeaders = inst.bytes(kSlipHeaders);
            FaultyFileSystem faulty(realFileSystem());
            auto c = inst.contextWith(faulty);
            ScriptedDialogs d;
            CFq7Doc doc(*c, d);
            ASSERT_TRUE(doc.findAndLoad(512, 7));
            setLine(doc, 3, 5);
            faulty.arm(k, fault);
            auto r = doc.record();
            if (r == CFq7Doc::WriteResult::Ok) {  // the fault missed, or hit a call whose failure is harmless
                CFq7Doc restore(ctx, d);
                ASSERT_TRUE(restore.findAndLoad(512, 7));
                restore.lines[3].product = 0;  // back to two lines
                ASSERT_EQ(restore.record(), CFq7Doc::WriteResult::Ok);
                continue;
            }
            ++failures;
            EXPECT_EQ(r, CFq7Doc::WriteResult::WriteFailed);
            EXPECT_EQ(d.shown.back(), msg::kSlipWriteFailed);
            EXPECT_EQ(doc.recordNumber(), 1);
            EXPECT_EQ(doc.header.lineCount, 3);
            EXPECT_EQ(doc.header.lineSlots[3], -1);
            EXPECT_TRUE(inst.bytes(kSlipLines) == before) << k;
            EXPECT_TRUE(inst.bytes(kSlipHeaders) == beforeHeaders) << k;
        }
    }
    EXPECT_GT(failures, 10);
    EXPECT_TRUE(indexesAgree(fs, f));
}

}  // namespace
}  // namespace rk::test
