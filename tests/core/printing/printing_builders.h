// Slips and customers for the printing tests, written through the slip document.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>

#include "masters/master_io.h"
#include "printing/page_plan.h"
#include "slips/CFq7Doc.h"
#include "slips/slip_builders.h"
#include "support/installation.h"

namespace rk::test {

class PrintingFixture : public ::testing::Test {
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
    }

    void customer(int n, const char* name, double balance = 0) {
        CustomerRecord c{};
        cp932::assign(c.name, name);
        cp932::assign(c.honorific, "様");
        c.balance = balance;
        ASSERT_TRUE(masters::writeRecord(fs, f[kCustomers], n, c));
    }

    // Records a slip of `lines` lines (line j: quantity 10j at 100+j) and returns its number.
    int slip(int32_t date, int32_t customer, int lines, int32_t stage = kStageDelivery) {
        CFq7Doc doc(ctx, dialogs);
        newSlip(doc, date, customer, lines, stage);
        CustomerRecord c{};
        (void)masters::readRecord(fs, f[kCustomers], customer, c);
        std::memcpy(doc.header.customerName, c.name, sizeof c.name);  // as slip entry copies it
        for (int j = 1; j <= lines; ++j) doc.lines[j].amount = 1000.0 * j;
        EXPECT_EQ(doc.record(), CFq7Doc::WriteResult::Ok);
        return doc.lastWritten();
    }

    // Sets the receivable processing amounts of slip n and its stage.
    void process(int n, double amount, double tax, double commission, double costs, int32_t stage = kStageProcessed) {
        SlipHeader h{};
        ASSERT_TRUE(masters::readRecord(fs, f[kSlipHeaders], n, h));
        h.stage = stage;
        h.amount = amount;
        h.tax = tax;
        h.commission = commission;
        h.deductions[0] = costs;
        h.receivable = amount + tax - commission - costs;
        ASSERT_TRUE(masters::writeRecord(fs, f[kSlipHeaders], n, h));
    }
};

// Every text of a page, in plan order.
inline std::vector<std::string> textsOf(const printing::Page& p) {
    std::vector<std::string> out;
    for (const auto& t : p.texts) out.push_back(t.text);
    return out;
}

inline bool hasText(const printing::Page& p, const std::string& s) {
    auto all = textsOf(p);
    return std::find(all.begin(), all.end(), s) != all.end();
}

// The text printed right of a label on the same row (the next text at that y).
inline std::string valueRightOf(const printing::Page& p, const std::string& label) {
    for (size_t i = 0; i < p.texts.size(); ++i)
        if (p.texts[i].text == label)
            for (size_t k = i + 1; k < p.texts.size(); ++k)
                if (p.texts[k].y == p.texts[i].y) return p.texts[k].text;
    return "<none>";
}

inline constexpr printing::PageArea kA4{0, 0, 4724, 6800};

}  // namespace rk::test
