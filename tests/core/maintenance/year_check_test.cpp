#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "cli/cli.h"
#include "maintenance/maintenance_builders.h"

namespace rk::test {
namespace {

using Kind = maintenance::Finding::Kind;

std::string joined(const std::vector<maintenance::Finding>& found) {
    std::string s;
    for (const auto& f : found) s += f.text + "\n";
    return s;
}

int runCli(std::vector<std::string> args, std::string* out = nullptr) {
    args.insert(args.begin(), "rakurena");
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    std::ostringstream o, e;
    cli::Io io{o, e};
    int rc = cli::main(static_cast<int>(argv.size()), argv.data(), io);
    if (out) *out = o.str() + e.str();
    return rc;
}

// Demo years of other sizes and seeds, made and checked the way a person would.
TEST(YearCheck, EveryDemoYearIsClean) {
    const auto found = maintenance::checkYear(*demoYear().ctx);
    EXPECT_TRUE(found.empty()) << joined(found);
    for (const char* seed : {"1", "8"}) {
        TempFolder dir;
        ASSERT_EQ(runCli({"demo", "--customers", "60", "--slips", "400", "--seed", seed, dir.path().string()}), 0);
        std::string out;
        EXPECT_EQ(runCli({"check", dir.path().string()}, &out), 0) << out;
        EXPECT_EQ(out, "");
    }
}

// One kind of damage planted in a fresh copy of the demo year.
struct Planted {
    Installation inst{Installation::CopyOf{demoYear()}};
    AppContext& ctx = *inst.ctx;
    const FileSet& f = ctx.fileSet;

    // A live slip with lines and a settled one listed by payment `payment`.
    int liveSlip(int from = 1) {
        for (int n = from; n < records(ctx, kSlipHeaders, kSlipHeaderSize); ++n) {
            const auto h = recordAt<SlipHeader>(ctx, f[kSlipHeaders], n);
            if (liveDate(h.date) && h.lineCount >= 2) return n;
        }
        ADD_FAILURE() << "no live slip";
        return 1;
    }
    std::vector<maintenance::Finding> check() { return maintenance::checkYear(ctx); }
};

TEST(YearCheck, FindsIndexAndLineDamage) {
    {
        Planted p;
        const int n = p.liveSlip();
        auto e = recordAt<IndexEntry>(p.ctx, p.f[kIndex1], n);
        e.second += 1;
        putRecord(p.ctx, p.f[kIndex1], n, e);
        const auto found = p.check();
        EXPECT_EQ(kinds(found), std::vector{Kind::IndexEntry}) << joined(found);
    }
    {
        Planted p;
        ASSERT_TRUE(p.ctx.files.truncate(p.f[kIndex2], p.ctx.files.size(p.f[kIndex2]).value() - 8));
        EXPECT_TRUE(has(p.check(), Kind::IndexLength));
    }
    {
        Planted p;
        const int n = p.liveSlip();
        auto h = recordAt<SlipHeader>(p.ctx, p.f[kSlipHeaders], n);
        h.lineSlots[2] = records(p.ctx, kSlipLines, kSlipLineSize) + 3;
        putRecord(p.ctx, p.f[kSlipHeaders], n, h);
        const auto found = p.check();
        EXPECT_EQ(kinds(found), std::vector{Kind::SlotOutside}) << joined(found);
    }
    {
        // Slip b names slip a's first line: the line is owned twice, and b's copy has the
        // wrong owner.
        Planted p;
        const int a = p.liveSlip();
        const int b = p.liveSlip(a + 1);
        const auto ha = recordAt<SlipHeader>(p.ctx, p.f[kSlipHeaders], a);
        auto hb = recordAt<SlipHeader>(p.ctx, p.f[kSlipHeaders], b);
        hb.lineSlots[1] = ha.lineSlots[1];
        putRecord(p.ctx, p.f[kSlipHeaders], b, hb);
        const auto found = p.check();
        EXPECT_TRUE(has(found, Kind::LineTwice)) << joined(found);
        EXPECT_FALSE(has(found, Kind::Balance)) << joined(found);
    }
    {
        Planted p;
        const int n = p.liveSlip();
        const auto h = recordAt<SlipHeader>(p.ctx, p.f[kSlipHeaders], n);
        auto l = recordAt<SlipLine>(p.ctx, p.f[kSlipLines], h.lineSlots[1]);
        l.owner = n + 1;
        l.textNumber = 5000;
        putRecord(p.ctx, p.f[kSlipLines], h.lineSlots[1], l);
        const auto found = p.check();
        EXPECT_EQ(kinds(found), (std::vector{Kind::LineOwner, Kind::TextOutside})) << joined(found);
    }
    {
        Planted p;
        const int n = p.liveSlip();
        auto h = recordAt<SlipHeader>(p.ctx, p.f[kSlipHeaders], n);
        h.lineCount = 120;
        putRecord(p.ctx, p.f[kSlipHeaders], n, h);
        EXPECT_TRUE(has(p.check(), Kind::LineCount));
    }
}

TEST(YearCheck, FindsATwinSlipAndATornFile) {
    Planted p;
    // A second live slip of the same date and customer, appended with its index entries.
    const int n = p.liveSlip();
    auto h = recordAt<SlipHeader>(p.ctx, p.f[kSlipHeaders], n);
    h.lineCount = 0;
    const int twin = records(p.ctx, kSlipHeaders, kSlipHeaderSize);
    putRecord(p.ctx, p.f[kSlipHeaders], twin, h);
    putRecord(p.ctx, p.f[kIndex1], twin, IndexEntry{h.date, h.customer});
    putRecord(p.ctx, p.f[kIndex2], twin, IndexEntry{h.stage, 0});
    auto found = p.check();
    ASSERT_FALSE(found.empty());
    EXPECT_EQ(found.front().kind, Kind::DuplicateSlip) << joined(found);
    EXPECT_NE(found.front().text.find(std::to_string(twin)), std::string::npos);

    const std::byte half[5]{};
    ASSERT_TRUE(p.ctx.files.append(p.f[kSlipLines], half));
    EXPECT_TRUE(has(p.check(), Kind::TornFile));
}

TEST(YearCheck, FindsPaymentDamageAndWrongBalances) {
    {
        // A settled slip taken out of its payment's list: nothing pays it any more.
        Planted p;
        const int pay = livePaymentWith(p.ctx, 2);
        ASSERT_GT(pay, 0);
        auto rec = recordAt<PaymentRecord>(p.ctx, p.f[kPayments], pay);
        const int slip = rec.slips[rec.slipCount];
        rec.slips[rec.slipCount] = -1;
        --rec.slipCount;
        putRecord(p.ctx, p.f[kPayments], pay, rec);
        const auto found = p.check();
        ASSERT_TRUE(has(found, Kind::Unpaid)) << joined(found);
        EXPECT_NE(joined(found).find("slip " + std::to_string(slip) + " "), std::string::npos) << joined(found);
    }
    {
        // A slip whose payment link names a payment that does not list it, and a payment
        // listing a deleted slip.
        Planted p;
        const int pay = livePaymentWith(p.ctx);
        auto rec = recordAt<PaymentRecord>(p.ctx, p.f[kPayments], pay);
        auto h = recordAt<SlipHeader>(p.ctx, p.f[kSlipHeaders], rec.slips[1]);
        h.paymentLink = pay + 1;
        putRecord(p.ctx, p.f[kSlipHeaders], rec.slips[1], h);
        auto found = p.check();
        EXPECT_EQ(kinds(found), (std::vector{Kind::PaymentList, Kind::PaymentList})) << joined(found);

        h.paymentLink = 0;
        h.date = -h.date;
        putRecord(p.ctx, p.f[kSlipHeaders], rec.slips[1], h);
        found = p.check();
        EXPECT_TRUE(has(found, Kind::PaymentList)) << joined(found);
    }
    {
        Planted p;
        const int pay = livePaymentWith(p.ctx);
        const auto rec = recordAt<PaymentRecord>(p.ctx, p.f[kPayments], pay);
        auto c = recordAt<CustomerRecord>(p.ctx, p.f[kCustomers], rec.customer);
        c.balance += 1000;
        putRecord(p.ctx, p.f[kCustomers], rec.customer, c);
        const auto found = p.check();
        ASSERT_EQ(kinds(found), std::vector{Kind::Balance}) << joined(found);
        EXPECT_EQ(found.front().text.rfind("customer " + std::to_string(rec.customer) + ":", 0), 0u);
    }
}

TEST(YearCheck, CommandReportsEachFindingAndAMissingFile) {
    Planted p;
    const int n = p.liveSlip();
    auto e = recordAt<IndexEntry>(p.ctx, p.f[kIndex1], n);
    e.first = 1231;
    putRecord(p.ctx, p.f[kIndex1], n, e);
    const auto before = readFile(p.f[kIndex1]);
    std::string out;
    EXPECT_EQ(runCli({"check", p.ctx.programFolder().string()}, &out), 1);
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1) << out;
    EXPECT_EQ(readFile(p.f[kIndex1]), before);  // read-only

    ASSERT_TRUE(p.ctx.files.remove(p.f[kPayments]));
    EXPECT_EQ(runCli({"check", p.ctx.programFolder().string()}, &out), 1);
    EXPECT_NE(out.find("cannot read"), std::string::npos) << out;
    EXPECT_FALSE(p.ctx.files.exists(p.f[kPayments]));
}

}  // namespace
}  // namespace rk::test
