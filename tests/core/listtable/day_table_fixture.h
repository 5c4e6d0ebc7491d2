// A day of slips for the day-table tests: masters for three products, a grade and a few
// customers, and slips whose lines agree with those masters (so an unchanged table records
// them back byte for byte).
#pragma once

#include <gtest/gtest.h>

#include <cstring>

#include "base/money.h"
#include "listtable/day_table.h"
#include "masters/master_io.h"
#include "slips/CFq7Doc.h"
#include "slips/slip_builders.h"
#include "support/installation.h"

namespace rk::test {

class DayTableTest : public ::testing::Test {
protected:
    Installation inst;
    AppContext& ctx = *inst.ctx;
    FileSystem& fs = ctx.files;
    const FileSet& f = ctx.fileSet;
    ScriptedDialogs dialogs;

    static constexpr int32_t kDay = 512;

    void SetUp() override {
        const char* names[] = {"", "バラ", "カーネーション", "ガーベラ"};
        for (int p = 1; p <= 3; ++p) {
            ProductRecord r{};
            cp932::assign(r.name, names[p]);
            cp932::assign(r.unit, "本");
            r.packingKind = 1;
            r.salesDebit = 110;
            r.salesCredit = 400;
            ASSERT_TRUE(masters::writeRecord(fs, f[kProducts], p, r));
        }
        GradeRecord g{};
        cp932::assign(g.grade1Name, "秀");
        cp932::assign(g.grade2Name, "2L");
        ASSERT_TRUE(masters::writeRecord(fs, f[kGrades], 1, g));
        const char* customers[] = {"有限会社鈴木生花店", "花の山田", "田中フラワー", "佐藤園芸", "高橋花店"};
        for (int i = 0; i < 5; ++i) {
            CustomerRecord c{};
            cp932::assign(c.name, customers[i]);
            cp932::assign(c.department, "本店");
            ASSERT_TRUE(masters::writeRecord(fs, f[kCustomers], 8 + i, c));
        }
    }

    // A line the way the table writes it: names, unit, packing and accounts from the masters.
    SlipLine line(int product, double quantity, double price, int method = 1, double boxes = 0, double pieces = 0) {
        SlipLine l{};
        ProductRecord p{};
        masters::readProduct(fs, f[kProducts], product, p);
        cp932::assignRaw(l.productName, 16, std::string(p.name, 16));
        std::memcpy(l.unit, p.unit, 4);
        l.salesMethod = method;
        l.product = product;
        l.grade1 = 1;
        l.grade2 = kNoGrade;
        l.packingKind = p.packingKind;
        l.delivered = l.quantity = quantity;
        l.price = price;
        l.amount = money::times(price, quantity);
        l.boxes = boxes;
        l.piecesPerBox = pieces;
        l.debit = p.salesDebit;
        l.credit = p.salesCredit;
        if (boxes > 0) cp932::assign(l.remark, 23, listtable::boxRemark(pieces, "本", boxes, p.packingKind, method));
        return l;
    }

    // Records a slip of the given lines and returns its header number.
    int slip(int32_t day, int customer, int stage, std::vector<SlipLine> lines) {
        CFq7Doc doc(ctx, dialogs);
        doc.clearHeader();
        doc.clearLines();
        doc.header.date = day;
        doc.header.customer = customer;
        doc.header.stage = stage;
        CustomerRecord c{};
        masters::readCustomer(fs, f[kCustomers], customer, c);
        std::memcpy(doc.header.customerName, c.name, 32);
        doc.header.lineCount = static_cast<int>(lines.size());
        for (size_t j = 0; j < lines.size(); ++j) {
            doc.lines[j + 1] = lines[j];
            if (stage == kStageOrder) doc.lines[j + 1].ordered = lines[j].quantity;
        }
        EXPECT_EQ(doc.record(), CFq7Doc::WriteResult::Ok);
        return doc.lastWritten();
    }

    Bytes bytes(DataSlot s) { return fs.readAll(f[s]).value_or(Bytes{}); }
    Bytes range(DataSlot s, uint64_t offset, uint64_t size) {
        Bytes all = bytes(s);
        if (offset + size > all.size()) return {};
        return Bytes(all.begin() + static_cast<long>(offset), all.begin() + static_cast<long>(offset + size));
    }
};

}  // namespace rk::test
