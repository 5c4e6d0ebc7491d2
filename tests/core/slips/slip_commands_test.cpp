#include "slips/slip_commands.h"

#include <gtest/gtest.h>

#include <string>

#include "masters/master_io.h"
#include "slips/CFq7Doc.h"
#include "slips/packing_tables.h"
#include "slips/slip_builders.h"
#include "slips/slip_messages.h"
#include "support/installation.h"

namespace rk::test {
namespace {

// Remembers the locks and refuses the pairs it is told to.
struct RecordingLocks final : SlipLocks {
    std::vector<std::pair<int, int>> refused, held;
    int lockSlip(int32_t d, int32_t c) override {
        for (auto& p : refused)
            if (p == std::pair<int, int>(d, c)) return -1;
        held.emplace_back(d, c);
        return 0;
    }
    int unlockSlip(int32_t d, int32_t c, const DataLock*) override {
        std::erase(held, std::pair<int, int>(d, c));
        return 0;
    }
    int unlockOwn() override {
        if (!held.empty()) held.erase(held.begin());
        return 0;
    }
};

class SlipCommandsTest : public ::testing::Test {
protected:
    Installation inst;
    AppContext& ctx = *inst.ctx;
    FileSystem& fs = ctx.files;
    const FileSet& f = ctx.fileSet;
    ScriptedDialogs dialogs;

    void SetUp() override {
        ctx.settings.businessYear = ctx.settings.inputYear = 2026;
        ctx.env.customerCount = 2999;
    }

    int recordNew(int date, int customer, int lines, int stage = kStageDelivery) {
        CFq7Doc doc(ctx, dialogs);
        doc.setInputMode(2);
        newSlip(doc, date, customer, lines, stage);
        EXPECT_EQ(doc.record(), CFq7Doc::WriteResult::Ok);
        return doc.lastWritten();
    }
};

TEST_F(SlipCommandsTest, ChecksBeforeRecordingRefuseWithTheirMessages) {
    CFq7Doc doc(ctx, dialogs);
    SlipCommands cmd(doc, ctx, dialogs, 2);
    newSlip(doc, 512, 7, 1);
    doc.lines[1].credit = 0;  // a single line without accounts
    EXPECT_FALSE(cmd.record());
    EXPECT_EQ(dialogs.shown.back(), msg::kNoValidLines);
    doc.lines[1].credit = 400;
    doc.header.date = 0;
    EXPECT_FALSE(cmd.record());
    EXPECT_EQ(dialogs.shown.back(), msg::kBadDate);
    doc.header.date = 512;
    doc.header.customer = 0;
    EXPECT_FALSE(cmd.record());
    EXPECT_EQ(dialogs.shown.back(), msg::kBadCustomer);
    doc.header.customer = 7;
    ctx.settings.businessYear = 2025;
    EXPECT_FALSE(cmd.record());
    EXPECT_EQ(dialogs.shown.back(), msg::kClosedYear);
    EXPECT_EQ(fs.size(f[kSlipHeaders]).value_or(0), kSlipHeaderSize);  // record 0 only
}

TEST_F(SlipCommandsTest, StageChangesOfRecording) {
    CFq7Doc doc(ctx, dialogs);
    SlipCommands delivery(doc, ctx, dialogs, 2);
    newSlip(doc, 512, 7, 2, kStageOrder);
    doc.header.tax = 99;
    ASSERT_TRUE(delivery.record());
    SlipHeader h = headerAt(fs, f[kSlipHeaders], 1);
    EXPECT_EQ(h.stage, kStageDelivery);
    EXPECT_EQ(h.tax, 0);
    EXPECT_EQ(h.amount, 0);  // the slip amount is stored by processing only
    EXPECT_EQ(h.lineCount, 2);

    // Mode 1 on a delivery: No leaves the slip open and unchanged.
    ASSERT_TRUE(doc.findAndLoad(512, 7));
    SlipCommands order(doc, ctx, dialogs, 1);
    dialogs.answers = {Answer::No};
    EXPECT_FALSE(order.record());
    EXPECT_EQ(dialogs.shown.back(), msg::kBackToOrder);
    EXPECT_EQ(doc.header.stage, kStageDelivery);
    EXPECT_EQ(doc.recordNumber(), 1);
    dialogs.answers = {Answer::Yes};
    ASSERT_TRUE(order.record());
    EXPECT_EQ(headerAt(fs, f[kSlipHeaders], 1).stage, kStageOrder);

    // A processed slip back to a delivery loses its tax, commission and deductions.
    ASSERT_TRUE(doc.findAndLoad(512, 7));
    doc.header.stage = kStageProcessed;
    doc.header.tax = 50;
    doc.header.commission = 20;
    doc.header.deductions[2] = 5;
    doc.header.receivable = 1025;
    dialogs.answers = {Answer::Yes};
    ASSERT_TRUE(delivery.record());
    EXPECT_EQ(dialogs.shown.back(), msg::kBackToDelivery);
    h = headerAt(fs, f[kSlipHeaders], 1);
    EXPECT_EQ(h.stage, kStageDelivery);
    EXPECT_EQ(h.tax, 0);
    EXPECT_EQ(h.commission, 0);
    EXPECT_EQ(h.deductions[2], 0);
    EXPECT_EQ(h.receivable, 0);
}

TEST_F(SlipCommandsTest, CompleteLinesAfterAnUnfinishedLineAreNotDroppedSilently) {
    CFq7Doc doc(ctx, dialogs);
    SlipCommands cmd(doc, ctx, dialogs, 2);
    newSlip(doc, 512, 7, 4);
    doc.lines[2].quantity = 0;
    dialogs.answers = {Answer::No};
    EXPECT_FALSE(cmd.record());
    EXPECT_NE(dialogs.shown.back().find(" 2 行目"), std::string::npos);
    EXPECT_EQ(doc.lines[4].product, 4);
    dialogs.answers = {Answer::Yes};
    ASSERT_TRUE(cmd.record());
    EXPECT_EQ(headerAt(fs, f[kSlipHeaders], 1).lineCount, 1);
}

TEST_F(SlipCommandsTest, DeleteAsksTwiceOnASettledSlip) {
    recordNew(512, 7, 2, kStageSettled);
    CFq7Doc doc(ctx, dialogs);
    SlipCommands cmd(doc, ctx, dialogs, 4);
    ASSERT_TRUE(doc.findAndLoad(512, 7));
    dialogs.answers = {Answer::Ok, Answer::No};
    EXPECT_FALSE(cmd.deleteSlip());
    EXPECT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(headerAt(fs, f[kSlipHeaders], 1).date, 512);
    dialogs.answers = {Answer::Ok, Answer::Yes};
    ASSERT_TRUE(cmd.deleteSlip());
    EXPECT_EQ(headerAt(fs, f[kSlipHeaders], 1).date, -512);
    EXPECT_EQ(entryAt(fs, f[kIndex1], 1).first, -512);

    recordNew(513, 7, 1);
    ASSERT_TRUE(doc.findAndLoad(513, 7));
    ctx.settings.businessYear = 2025;  // a closed year keeps its slips
    EXPECT_FALSE(cmd.deleteSlip());
    EXPECT_EQ(dialogs.shown.back(), msg::kClosedYear);
}

TEST_F(SlipCommandsTest, DateAndCustomerChangesRespectDuplicatesAndLocks) {
    recordNew(512, 7, 2);
    recordNew(513, 7, 1);
    RecordingLocks locks;
    CFq7Doc doc(ctx, dialogs, &locks);
    SlipCommands cmd(doc, ctx, dialogs, 2);
    ASSERT_TRUE(doc.findAndLoad(512, 7));
    EXPECT_FALSE(cmd.changeDate(513));
    EXPECT_EQ(dialogs.shown.back(), msg::kDuplicateSlip);

    locks.refused = {{512, 9}};  // another station has customer 9's slip open
    EXPECT_FALSE(cmd.changeCustomer(9));
    EXPECT_EQ(dialogs.shown.back(), msg::kSlipOpenElsewhere);
    EXPECT_EQ(headerAt(fs, f[kSlipHeaders], 1).customer, 7);

    locks.held = {{512, 7}};
    ASSERT_TRUE(cmd.changeDate(6));  // a bare month is its first day
    SlipHeader h = headerAt(fs, f[kSlipHeaders], 1);
    EXPECT_EQ(h.date, 601);
    EXPECT_TRUE(locks.held.empty());  // old pair released, new pair released by the write
    EXPECT_EQ(doc.header.date, 601);

    ASSERT_TRUE(doc.findAndLoad(601, 7));
    doc.header.stage = kStageSettled;
    EXPECT_FALSE(cmd.changeCustomer(8));
    EXPECT_EQ(dialogs.shown.back(), msg::kSettledDateOnly);
    doc.header.stage = kStageDelivery;
    ASSERT_TRUE(cmd.changeCustomer(2500));  // numbers reach the whole customer count
    EXPECT_EQ(headerAt(fs, f[kSlipHeaders], 1).customer, 2500);
}

class PackingTablesTest : public SlipCommandsTest {
protected:
    void writeText(const char* name, const std::string& text) {
        Bytes b(reinterpret_cast<const std::byte*>(text.data()),
                reinterpret_cast<const std::byte*>(text.data()) + text.size());
        ASSERT_TRUE(fs.write(ctx.programFolder() / name, 0, b, true));
    }
    void product(int n, int group) {
        ProductRecord p{};
        p.packingGroup = group;
        ASSERT_TRUE(masters::writeProduct(fs, f[kProducts], n, p));
    }
};

TEST_F(PackingTablesTest, RunsOfOneGroupCarryTheirBoxes) {
    std::string table;
    for (int i = 0; i < 20; ++i) table += std::to_string(i) + ",0,0,0," + std::to_string(100 + i) + "\r\n";
    writeText("梱包数表.csv", table);
    product(1, 4);
    product(2, 4);
    PackingTables tables(ctx);
    SlipHeader h{};
    h.customer = 3;
    std::array<SlipLine, 2> lines{};
    lines[0].product = 1;
    lines[0].boxes = 7;
    lines[1].product = 2;
    lines[1].boxes = 5;
    tables.fill(h, lines);
    EXPECT_EQ(lines[0].packingCount, 1);    // 7 boxes: one package of 4, 3 carried
    EXPECT_EQ(lines[1].packingCount, 108);  // the run ends: the table's value for 8 boxes

    // The carrier table did not exist: it is made with 1024 lines of zero codes.
    auto carriers = fs.readAll(ctx.programFolder() / "輸送業者.csv");
    ASSERT_TRUE(carriers);
    EXPECT_EQ(carriers->size(), 1024u * 6);
    writeText("輸送業者.csv", "5,0\r\n6,0\r\n7,0\r\n");
    lines[1].carrier = 9;  // another carrier ends the run after line 1
    tables.fill(h, lines);
    EXPECT_EQ(lines[0].packingCount, 107);
    EXPECT_EQ(lines[0].carrier, 7);  // customer 3's carrier
    EXPECT_EQ(lines[1].carrier, 9);

    ctx.env.showPackingCounts = 1;  // typed by hand: left alone
    lines[0].packingCount = 42;
    tables.fill(h, lines);
    EXPECT_EQ(lines[0].packingCount, 42);
}

TEST_F(PackingTablesTest, RecordingFillsPackingWithoutATable) {
    PackingTables tables(ctx);
    CFq7Doc doc(ctx, dialogs, nullptr, &tables);
    newSlip(doc, 512, 7, 1);
    doc.lines[1].boxes = 3;
    doc.lines[1].packingCount = 9;
    ASSERT_EQ(doc.record(), CFq7Doc::WriteResult::Ok);
    EXPECT_EQ(lineAt(fs, f[kSlipLines], 1).packingCount, 0);  // no table values
}

}  // namespace
}  // namespace rk::test
