#include <gtest/gtest.h>

#include <set>

#include "base/money.h"
#include "listtable/day_table_fixture.h"
#include "listtable/list_messages.h"
#include "slips/slip_index.h"
#include "slips/slip_messages.h"
#include "support/faulty_file_system.h"

namespace rk::test {
namespace {

using listtable::CellPart;
using listtable::DayTable;

// A day with a slip of every kind, in this index order:
//   customer 8  delivery, products 1 and 2          -> row 1
//   customer 9  processed (stage 2), product 1      -> row 2, not editable
//   customer 10 delivery with product 3 on two lines -> row 3, status 4
//   customer 11 order (stage 0), product 2           -> row 4
// plus a slip of another day and a deleted slip of this day.
class DayTableDay : public DayTableTest {
protected:
    void SetUp() override {
        DayTableTest::SetUp();
        slip(kDay, 8, kStageDelivery, {line(1, 30, 120, 1, 3, 10), line(2, 20, 80, 3)});
        slip(513, 8, kStageDelivery, {line(1, 5, 100)});
        slip(kDay, 9, kStageProcessed, {line(1, 10, 120)});
        slip(kDay, 10, kStageDelivery, {line(3, 4, 50), line(3, 6, 50)});
        slip(kDay, 11, kStageOrder, {line(2, 7, 90, 3)});
        const int dead = slip(kDay, 12, kStageDelivery, {line(1, 1, 1)});
        CFq7Doc doc(ctx, dialogs);
        ASSERT_TRUE(doc.loadRecord(dead));
        ASSERT_EQ(doc.deleteSlip(), CFq7Doc::WriteResult::Ok);
    }
};

TEST_F(DayTableDay, LoadsEverySlipOfTheDayAsARow) {
    DayTable t(ctx, dialogs);
    t.load(kDay);
    EXPECT_TRUE(dialogs.shown.empty());
    ASSERT_EQ(t.usedRows(), 4);
    EXPECT_EQ(t.row(1).customer, 8);
    EXPECT_EQ(t.row(1).name, "有限会社鈴木生花店");
    EXPECT_EQ(t.row(1).status, kStageDelivery);
    EXPECT_EQ(t.row(2).status, kStageProcessed);
    EXPECT_EQ(t.row(3).status, listtable::kRowDuplicateKeys);
    EXPECT_EQ(t.row(4).status, kStageOrder);
    EXPECT_EQ(t.row(1).header, 1);

    // Columns in the order their goods first appear: (1,p1), (3,p2), (1,p3).
    ASSERT_EQ(t.definedColumns(), 3);
    EXPECT_EQ(t.column(1).key, 1 * 10000000 + 1 * 10000 + 1 * 100 + 99);
    EXPECT_EQ(t.column(1).name, "バラ");
    EXPECT_EQ(t.column(1).grade1Name, "秀");
    EXPECT_EQ(t.column(1).pieces, 10);
    EXPECT_EQ(t.column(1).price, 120);
    EXPECT_EQ(t.column(1).packingKind, 1);
    EXPECT_EQ(t.column(2).method, 3);
    EXPECT_EQ(t.column(3).name, "ガーベラ");  // 16 bytes of the name at most

    // The two lines of one goods item sum into one cell.
    EXPECT_EQ(t.cell(3, 3).quantity, 10);
    EXPECT_EQ(t.cell(1, 1).boxes, 3);
    EXPECT_EQ(t.cell(2, 1).method, 3);
    EXPECT_EQ(t.cell(1, 1).line, 1);
    EXPECT_EQ(t.cell(1, 2).line, 4);  // slot of the processed slip's line
    EXPECT_EQ(t.column(1).totalQuantity, 40);
    EXPECT_EQ(t.column(2).totalQuantity, 27);
    EXPECT_EQ(t.row(1).quantity, 50);
    EXPECT_EQ(t.row(1).boxes, 3);
    EXPECT_EQ(t.usedColumns(), 3);

    DayTable empty(ctx, dialogs);
    empty.load(601);
    EXPECT_EQ(empty.usedRows(), 0);
    EXPECT_EQ(empty.definedColumns(), 0);
    EXPECT_EQ(empty.record(), DayTable::RecordResult::Ok);
}

TEST_F(DayTableDay, RecordingAnUnchangedDayLeavesEverySlipFileAsItWas) {
    const Bytes headers = bytes(kSlipHeaders), lines = bytes(kSlipLines), i1 = bytes(kIndex1), i2 = bytes(kIndex2);
    DayTable t(ctx, dialogs);
    t.load(kDay);
    ASSERT_EQ(t.record(), DayTable::RecordResult::Ok);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(bytes(kSlipHeaders), headers);
    const Bytes after = bytes(kSlipLines);
    ASSERT_EQ(after.size(), lines.size());
    for (size_t i = 0; i < after.size(); ++i)
        ASSERT_EQ(after[i], lines[i]) << "line " << i / kSlipLineSize << " byte " << i % kSlipLineSize;
    EXPECT_EQ(bytes(kIndex1), i1);
    EXPECT_EQ(bytes(kIndex2), i2);
    // Emptied, the goods columns kept.
    EXPECT_EQ(t.usedRows(), 0);
    EXPECT_EQ(t.definedColumns(), 3);
    EXPECT_EQ(t.column(1).totalQuantity, 0);
}

TEST_F(DayTableDay, RecordingWritesNewAndChangedRowsAndNothingElse) {
    // What the table does not show survives the rewrite of a line.
    {
        CFq7Doc doc(ctx, dialogs);
        ASSERT_TRUE(doc.loadRecord(1));
        doc.lines[2].remarkCode = 12;
        cp932::assign(doc.lines[2].remark, "産地直送");
        doc.lines[2].buyer = 345;
        doc.lines[2].word200 = 7;
        doc.lines[2].ordered = 25;
        ASSERT_EQ(doc.record(), CFq7Doc::WriteResult::Ok);
    }
    const Bytes before = bytes(kSlipHeaders);
    const Bytes linesBefore = bytes(kSlipLines);
    const size_t headerCount = before.size() / kSlipHeaderSize;
    const size_t lineCount = linesBefore.size() / kSlipLineSize;

    DayTable t(ctx, dialogs);
    t.load(kDay);
    t.editCell(2, 1, CellPart::Quantity, 1.15);  // customer 8, product 2
    t.editCell(2, 1, CellPart::Price, 100);
    t.editCell(1, 1, CellPart::Quantity, 0);   // drops product 1 from customer 8's slip
    t.editCell(1, 2, CellPart::Quantity, 99);  // processed row: ignored
    t.editCell(3, 3, CellPart::Quantity, 99);  // status 4 row: ignored
    t.editCustomer(5, 12);                     // the deleted slip's customer is free
    t.editCell(1, 5, CellPart::Boxes, 2);      // 2 x 10 pieces
    t.editCell(3, 5, CellPart::Quantity, 6);
    t.editCell(3, 5, CellPart::Price, 55);
    EXPECT_EQ(t.cell(1, 5).quantity, 20);
    ASSERT_EQ(t.record(), DayTable::RecordResult::Ok);
    EXPECT_TRUE(dialogs.shown.empty()) << dialogs.shown.front();

    // One new header, index file 1 one entry longer, two new lines for it.
    ASSERT_EQ(bytes(kSlipHeaders).size(), (headerCount + 1) * kSlipHeaderSize);
    EXPECT_EQ(bytes(kIndex1).size(), (headerCount + 1) * kIndexEntrySize);
    EXPECT_EQ(bytes(kSlipLines).size(), (lineCount + 2) * kSlipLineSize);
    EXPECT_TRUE(indexesAgree(fs, f));

    // The processed, the two-line and the order slips (nothing typed) are untouched.
    for (int n : {3, 4, 5}) {
        EXPECT_EQ(range(kSlipHeaders, n * kSlipHeaderSize, kSlipHeaderSize),
                  Bytes(before.begin() + n * kSlipHeaderSize, before.begin() + (n + 1) * kSlipHeaderSize))
            << "header " << n;
    }
    // Lines of other slips are byte for byte what they were.
    for (size_t n = 1; n < lineCount; ++n) {
        if (n == 2) continue;
        EXPECT_EQ(range(kSlipLines, n * kSlipLineSize, kSlipLineSize),
                  Bytes(linesBefore.begin() + static_cast<long>(n * kSlipLineSize),
                        linesBefore.begin() + static_cast<long>((n + 1) * kSlipLineSize)))
            << "line " << n;
    }

    // Customer 8: one line left, rewritten in place, its hidden fields kept.
    SlipHeader h8 = headerAt(fs, f[kSlipHeaders], 1);
    EXPECT_EQ(h8.lineCount, 1);
    EXPECT_EQ(h8.lineSlots[1], 2);
    EXPECT_EQ(h8.lineSlots[2], -1);
    SlipLine l = lineAt(fs, f[kSlipLines], 2);
    EXPECT_EQ(l.quantity, 1.15);
    EXPECT_EQ(l.delivered, 1.15);
    EXPECT_EQ(l.amount, 115);  // not 114 from 1.15 x 100 in doubles
    EXPECT_EQ(l.remarkCode, 12);
    EXPECT_EQ(cp932::toUtf8(l.remark), "産地直送");
    EXPECT_EQ(l.buyer, 345);
    EXPECT_EQ(l.word200, 7);
    EXPECT_EQ(l.ordered, 25);
    EXPECT_EQ(l.owner, 1);

    // The new slip of customer 12: a delivery with the master's name and default accounts,
    // its lines in column order, each exactly as the table builds it.
    const int n = static_cast<int>(headerCount);
    SlipHeader h = headerAt(fs, f[kSlipHeaders], n);
    EXPECT_EQ(h.stage, kStageDelivery);
    EXPECT_EQ(h.date, kDay);
    EXPECT_EQ(h.customer, 12);
    EXPECT_EQ(cp932::toUtf8(h.customerName), "高橋花店");
    EXPECT_EQ(cp932::toUtf8(h.department), "本店");
    EXPECT_EQ(h.taxDebit, ctx.env.debit[1]);
    EXPECT_EQ(h.commissionCredit, ctx.env.credit[7]);
    EXPECT_EQ(h.lineCount, 2);
    EXPECT_EQ(h.amount, 0);
    EXPECT_EQ(entryAt(fs, f[kIndex1], n), (IndexEntry{kDay, 12}));
    EXPECT_EQ(entryAt(fs, f[kIndex2], n), (IndexEntry{kStageDelivery, 2}));

    SlipLine first = line(1, 20, 0, 1, 2, 10);
    cp932::assign(first.remark, "10本 x 2 箱");
    first.owner = n;
    SlipLine second = line(3, 6, 55, 1);
    second.owner = n;
    EXPECT_EQ(range(kSlipLines, h.lineSlots[1] * kSlipLineSize, kSlipLineSize),
              Bytes(bytesOf(first).begin(), bytesOf(first).end()));
    EXPECT_EQ(range(kSlipLines, h.lineSlots[2] * kSlipLineSize, kSlipLineSize),
              Bytes(bytesOf(second).begin(), bytesOf(second).end()));

    // Loading the day again shows what was recorded.
    t.load(kDay);
    ASSERT_EQ(t.usedRows(), 5);
    EXPECT_EQ(t.row(5).customer, 12);
    auto columnOf = [&t](int method, int product) {
        for (int c = 1; c <= t.definedColumns(); ++c)
            if (t.column(c).method == method && t.column(c).product == product) return c;
        return 0;
    };
    EXPECT_EQ(t.cell(columnOf(1, 1), 1).quantity, 0);
    EXPECT_EQ(t.cell(columnOf(3, 2), 1).quantity, 1.15);
    EXPECT_EQ(t.cell(columnOf(1, 1), 5).boxes, 2);
    EXPECT_EQ(t.cell(columnOf(1, 3), 5).price, 55);
}

TEST_F(DayTableDay, RowCustomerRules) {
    DayTable t(ctx, dialogs);
    t.load(kDay);
    t.editCustomer(5, 8);  // on a delivery row
    t.editCustomer(5, 9);  // on a processed row
    EXPECT_EQ(t.row(5).customer, 0);
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[0], msg::kCustomerOnOtherRow);
    EXPECT_EQ(dialogs.shown[1], msg::kCustomerOnSettledRow);

    // A row cut from the screen is still on disk: its customer cannot start a new row.
    dialogs.answers = {Answer::Yes};
    ASSERT_TRUE(t.cutRow(4));
    t.editCustomer(5, 11);
    EXPECT_EQ(t.row(5).customer, 0);
    EXPECT_EQ(dialogs.shown.back(), msg::kCustomerOnDiskOnly);
    // Pasting it back restores the row with its cells.
    ASSERT_TRUE(t.pasteRow(2));
    EXPECT_EQ(t.row(2).customer, 11);
    EXPECT_EQ(t.cell(2, 2).quantity, 7);
    EXPECT_FALSE(t.pasteRow(2));
    EXPECT_EQ(dialogs.shown.back(), msg::kNothingToPaste);

    // A row read from a slip keeps its customer; a new row takes one and its name.
    t.editCustomer(1, 13);
    EXPECT_EQ(t.row(1).customer, 8);
    t.editCustomer(6, 12);
    EXPECT_EQ(t.row(6).customer, 12);
    EXPECT_EQ(t.row(6).name, "高橋花店");
}

TEST_F(DayTableDay, ColumnHeaderEditing) {
    DayTable t(ctx, dialogs);
    t.load(kDay);
    // An empty column: typing a product gives method 1 and no grades.
    t.editColumn(4, listtable::kLineProduct, 2);
    EXPECT_EQ(t.column(4).method, 1);
    EXPECT_EQ(t.column(4).grade1, 99);
    EXPECT_EQ(t.column(4).name, "カーネーション");
    // Grade 1 makes it (1, 2, 1, 99): the key of no other column yet.
    t.editColumn(4, listtable::kLineGrade1, 1);
    EXPECT_EQ(t.column(4).grade1Name, "秀");
    // Method 3 would make it column 2's key: refused, the column as it was.
    t.editColumn(4, listtable::kLineMethod, 3);
    EXPECT_EQ(dialogs.shown.back(), msg::kCodeRegistered);
    EXPECT_EQ(t.column(4).method, 1);
    EXPECT_EQ(t.definedColumns(), 4);
}

TEST_F(DayTableDay, CellRules) {
    DayTable t(ctx, dialogs);
    t.load(kDay);
    t.editCustomer(5, 12);
    // Boxes take the column's method and pieces; an order-sale cell takes the column price.
    t.editColumn(2, listtable::kLinePieces, 10);
    t.editCell(2, 5, CellPart::Boxes, 3);
    EXPECT_EQ(t.cell(2, 5).quantity, 30);
    EXPECT_EQ(t.cell(2, 5).method, 3);
    EXPECT_EQ(t.cell(2, 5).price, 80);
    // An auction cell keeps a price of 0.
    t.editCell(1, 5, CellPart::Quantity, 5);
    EXPECT_EQ(t.cell(1, 5).price, 0);
    t.setCellMethod(1, 5, 2);
    EXPECT_EQ(t.cell(1, 5).price, 120);

    // Allowed 50 with 40 already distributed: 20 more is refused and cleared.
    t.editColumn(1, listtable::kLineAllowed, 50);
    t.editCell(1, 5, CellPart::Quantity, 20);
    EXPECT_EQ(dialogs.shown.back(), msg::kAllowedExceeded);
    EXPECT_EQ(t.cell(1, 5).quantity, 0);
    EXPECT_EQ(t.column(1).totalQuantity, 40);
    // Lowering the limit below what others hold: even 0 in this cell is over.
    t.editColumn(1, listtable::kLineAllowed, 30);
    t.editCell(1, 5, CellPart::Quantity, 0);
    EXPECT_EQ(dialogs.shown.back(), msg::kAllowedExceededByOthers);

    // A column naming no goods takes no cells.
    t.editCell(9, 5, CellPart::Quantity, 4);
    EXPECT_EQ(t.cell(9, 5).quantity, 0);
}

TEST_F(DayTableDay, ColumnsMoveWithoutDuplicateKeysOrSharedLines) {
    DayTable t(ctx, dialogs);
    t.load(kDay);
    t.editCustomer(5, 12);
    t.editCell(1, 5, CellPart::Quantity, 4);

    // A copy pasted while its key is on screen would put one goods item twice in a slip.
    dialogs.answers = {Answer::Yes};
    ASSERT_TRUE(t.copyColumn(1));
    EXPECT_FALSE(t.pasteColumn(4));
    EXPECT_EQ(dialogs.shown.back(), msg::kCodeRegistered);
    // Once the original names other goods, the copy pastes as new lines.
    t.editColumn(1, listtable::kLineGrade2, 1);
    ASSERT_TRUE(t.pasteColumn(4));
    EXPECT_EQ(t.column(4).product, 1);
    EXPECT_EQ(t.cell(4, 1).quantity, 30);
    EXPECT_EQ(t.cell(4, 1).line, -1);
    EXPECT_EQ(t.cell(1, 1).line, 1);
    EXPECT_EQ(t.cell(4, 2).quantity, 0);  // the processed row takes nothing

    // A cut column keeps its lines and moves them.
    dialogs.answers = {Answer::Yes};
    ASSERT_TRUE(t.cutColumn(2));
    EXPECT_EQ(t.column(2).product, 3);
    ASSERT_TRUE(t.pasteColumn(1));
    EXPECT_EQ(t.column(1).product, 2);
    EXPECT_EQ(t.cell(1, 1).line, 2);
    EXPECT_FALSE(t.holdsColumn());

    // Dragging column 4 to 1, and sorting by product code.
    dialogs.answers = {Answer::Yes};
    ASSERT_TRUE(t.moveColumn(4, 1));
    EXPECT_EQ(dialogs.shown.back(),
              " No.   4   　の列データの全てを \n No.   1  (ブルーマーク)の列へ納品データも含めて移動します");
    t.sortByProduct();
    EXPECT_EQ(t.column(1).product, 1);
    EXPECT_EQ(t.column(3).product, 2);
    EXPECT_EQ(t.column(4).product, 3);
    EXPECT_EQ(t.cell(3, 1).line, 2);  // the cells went with their columns
    EXPECT_EQ(t.cell(4, 3).quantity, 10);

    // Recording: no slip got one goods item twice.
    ASSERT_EQ(t.record(), DayTable::RecordResult::Ok);
    CFq7Doc doc(ctx, dialogs);
    ASSERT_TRUE(doc.findAndLoad(kDay, 8));
    EXPECT_EQ(doc.header.lineCount, 3);
    std::set<int32_t> slots;
    for (int j = 1; j <= 3; ++j) slots.insert(doc.header.lineSlots[j]);
    EXPECT_EQ(slots.size(), 3u);
}

TEST_F(DayTableDay, RecordingAfterAnotherWriteAsksFirst) {
    DayTable t(ctx, dialogs);
    t.load(kDay);
    t.editCell(1, 1, CellPart::Quantity, 33);
    slip(514, 9, kStageDelivery, {line(1, 1, 1)});  // another station writes
    const Bytes lines = bytes(kSlipLines);
    dialogs.answers = {Answer::No};
    EXPECT_EQ(t.record(), DayTable::RecordResult::Declined);
    EXPECT_EQ(dialogs.shown.back(), msg::kChangedSinceLoad);
    EXPECT_EQ(bytes(kSlipLines), lines);
    dialogs.answers = {Answer::Yes};
    EXPECT_EQ(t.record(), DayTable::RecordResult::Ok);
    EXPECT_EQ(lineAt(fs, f[kSlipLines], 1).quantity, 33);
}

TEST_F(DayTableDay, RowsBeyondASlipOrTheTableAreRefused) {
    DayTable t(ctx, dialogs);
    t.load(kDay);
    t.editCustomer(5, 12);
    for (int c = 4; c <= 103; ++c) {
        t.editColumn(c, listtable::kLineMethod, 1 + c / 50);
        t.editColumn(c, listtable::kLineGrade1, 1 + c % 50);
        t.editCell(c, 5, CellPart::Quantity, 1);
    }
    const Bytes headers = bytes(kSlipHeaders);
    EXPECT_EQ(t.record(), DayTable::RecordResult::Refused);
    EXPECT_EQ(dialogs.shown.back(),
              "得意先Ｎｏ. 12 の納品データが９９行を越えるため記録できません\n記録は行われていません");
    EXPECT_EQ(bytes(kSlipHeaders), headers);
}

TEST_F(DayTableTest, AnOrderShowsWhatWasOrdered) {
    SlipLine ordered = line(2, 7, 90, 3);
    ordered.delivered = 0;  // nothing delivered yet
    ordered.ordered = 7;
    slip(kDay, 8, kStageOrder, {ordered, line(1, 4, 100)});
    DayTable t(ctx, dialogs);
    t.load(kDay);
    EXPECT_EQ(t.cell(1, 1).quantity, 7);
    // Typing into another cell keeps the order's first line.
    t.editCell(2, 1, CellPart::Quantity, 5);
    ASSERT_EQ(t.record(), DayTable::RecordResult::Ok);
    CFq7Doc doc(ctx, dialogs);
    ASSERT_TRUE(doc.findAndLoad(kDay, 8));
    EXPECT_EQ(doc.header.stage, kStageOrder);
    ASSERT_EQ(doc.header.lineCount, 2);
    EXPECT_EQ(doc.lines[1].ordered, 7);
    EXPECT_EQ(doc.lines[1].delivered, 7);
    EXPECT_EQ(doc.lines[2].ordered, 5);
}

TEST_F(DayTableTest, ASlipBeyondTheColumnsLoadsAsFarAsItFitsAndIsNeverRewritten) {
    // Three slips of 99 different goods each: 297 goods items for 233 columns.
    for (int customer = 8; customer <= 10; ++customer) {
        std::vector<SlipLine> lines;
        for (int g = 1; g <= 99; ++g) {
            SlipLine l = line(customer - 7, 1, 10);
            l.grade1 = g;
            lines.push_back(l);
        }
        slip(kDay, customer, kStageDelivery, lines);
    }
    const Bytes headers = bytes(kSlipHeaders), lines = bytes(kSlipLines);
    DayTable t(ctx, dialogs);
    t.load(kDay);
    EXPECT_EQ(dialogs.shown, (std::vector<std::string>{msg::kTooManyColumns}));
    EXPECT_EQ(t.definedColumns(), listtable::kMaxColumns);
    EXPECT_EQ(t.row(1).status, kStageDelivery);
    EXPECT_EQ(t.row(3).status, listtable::kRowDuplicateKeys);
    EXPECT_FALSE(t.editable(3));
    ASSERT_EQ(t.record(), DayTable::RecordResult::Ok);
    EXPECT_EQ(bytes(kSlipHeaders), headers);
    EXPECT_EQ(bytes(kSlipLines), lines);
}

TEST_F(DayTableTest, AFailedSlipStopsTheRecordingAndTheTableStaysInStepWithTheFiles) {
    auto twoNewRows = [](AppContext& c, Dialogs& d) {
        auto t = std::make_unique<DayTable>(c, d);
        t->load(kDay);
        t->editColumn(1, listtable::kLineProduct, 1);
        for (int r : {1, 2}) {
            t->editCustomer(r, 7 + r);
            t->editCell(1, r, CellPart::Quantity, 10 * r);
        }
        return t;
    };
    // The first changing call that fails the recording once the first slip is in the files,
    // found by failing each call in turn on a copy of the installation.
    for (int k = 1; k < 60; ++k) {
        Installation copy(Installation::CopyOf{inst});
        FaultyFileSystem faulty(realFileSystem());
        auto c = copy.contextWith(faulty);
        ScriptedDialogs d;
        auto t = twoNewRows(*c, d);
        faulty.arm(k, FaultyFileSystem::Fault::Fail);
        const DayTable::RecordResult result = t->record();
        // Skip the calls whose failure a write survives, and those of the first slip.
        if (result == DayTable::RecordResult::Ok) continue;
        if (headerAt(c->files, c->fileSet[kSlipHeaders], 1).customer != 8) continue;
        EXPECT_EQ(result, DayTable::RecordResult::Failed);
        EXPECT_EQ(d.shown.back(), msg::kSlipWriteFailed);
        EXPECT_TRUE(indexesAgree(c->files, c->fileSet));
        EXPECT_EQ(t->row(1).header, 1);  // written: a second try rewrites it in place
        EXPECT_EQ(t->row(2).header, 0);

        faulty.arm(0, FaultyFileSystem::Fault::None);
        ASSERT_EQ(t->record(), DayTable::RecordResult::Ok);
        EXPECT_EQ(c->files.size(c->fileSet[kSlipHeaders]), 3 * kSlipHeaderSize);  // no second slip for 8
        EXPECT_EQ(headerAt(c->files, c->fileSet[kSlipHeaders], 2).customer, 9);
        EXPECT_EQ(c->files.size(c->fileSet[kSlipLines]), 3 * kSlipLineSize);
        EXPECT_TRUE(indexesAgree(c->files, c->fileSet));
        return;
    }
    FAIL() << "no call of the second slip was found";
}

TEST_F(DayTableTest, AFullTableRefusesMoreColumns) {
    DayTable t(ctx, dialogs);
    t.load(kDay);
    for (int c = 1; c <= listtable::kMaxColumns; ++c) {
        t.editColumn(c, listtable::kLineMethod, 1 + c / 50);
        t.editColumn(c, listtable::kLineGrade1, 1 + c % 50);
    }
    ASSERT_EQ(t.definedColumns(), listtable::kMaxColumns);
    dialogs.answers = {Answer::Yes};
    ASSERT_TRUE(t.copyColumn(5));
    t.editColumn(5, listtable::kLineGrade2, 1);  // frees the copied key
    EXPECT_FALSE(t.pasteColumn(1));
    EXPECT_EQ(dialogs.shown.back(), msg::kColumnsFull);
}

TEST_F(DayTableTest, ABoxRemarkIsCutAtACharacterBoundaryInsideItsField) {
    DayTable t(ctx, dialogs);
    t.load(kDay);
    t.editColumn(1, listtable::kLineMethod, 2);
    t.editColumn(1, listtable::kLinePieces, 12345);
    t.setPackingKind(1, 2);
    t.editCustomer(1, 8);
    t.editCell(1, 1, CellPart::Boxes, 99999);
    ASSERT_EQ(t.record(), DayTable::RecordResult::Ok);
    // "12345本 x 99999 ﾌﾗｺﾝ注文品" is 26 bytes; 23 would split 文.
    SlipLine l = lineAt(fs, f[kSlipLines], 1);
    EXPECT_EQ(cp932::toUtf8(l.remark), "12345本 x 99999 ﾌﾗｺﾝ注");
    EXPECT_EQ(l.remark[22], '\0');
    EXPECT_EQ(l.remark[23], '\0');
    EXPECT_EQ(l.salesMethod, 2);
    EXPECT_EQ(l.quantity, 12345.0 * 99999);
}

}  // namespace
}  // namespace rk::test
