#include "maintenance/compaction.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "maintenance/hand_year.h"
#include "platform/rollback_journal.h"
#include "support/faulty_file_system.h"

namespace rk::test {
namespace {

using maintenance::ToolResult;

// What a live slip is, independent of record numbers: its header fields, its lines with
// their texts, and the payment that settled it (date, customer, amount paid).
struct SlipPicture {
    int32_t stage;
    double amount, receivable, tax;
    std::vector<std::tuple<int32_t, double, double, std::string, std::string>> lines;
    std::tuple<int32_t, int32_t, double> payment;
    bool operator==(const SlipPicture&) const = default;
};

std::map<std::pair<int32_t, int32_t>, SlipPicture> picture(AppContext& ctx) {
    const FileSet& f = ctx.fileSet;
    const auto pays = payments::readPayments(ctx.files, f[kPayments]);
    std::map<int, std::tuple<int32_t, int32_t, double>> paidBy;
    for (size_t n = 1; n < pays.size(); ++n)
        if (liveDate(pays[n].date))
            for (int32_t s : payments::settledSlips(pays[n]))
                paidBy.try_emplace(s, pays[n].date, pays[n].customer, pays[n].paid);
    std::map<std::pair<int32_t, int32_t>, SlipPicture> out;
    for (int n = 1; n < records(ctx, kSlipHeaders, kSlipHeaderSize); ++n) {
        const auto h = recordAt<SlipHeader>(ctx, f[kSlipHeaders], n);
        if (!liveDate(h.date)) continue;
        SlipPicture p{h.stage, h.amount, h.receivable, h.tax, {}, {}};
        for (int j = 1; j <= h.lineCount; ++j) {
            const auto l = recordAt<SlipLine>(ctx, f[kSlipLines], h.lineSlots[j]);
            const auto t = l.textNumber > 0 ? recordAt<LineText>(ctx, f[kRemarkTexts], l.textNumber) : LineText{};
            p.lines.emplace_back(l.product, l.quantity, l.amount, cp932::toUtf8(l.productName), cp932::toUtf8(t.text));
        }
        if (h.paymentLink > 0) {
            const auto& q = pays.at(h.paymentLink);
            p.payment = {q.date, q.customer, q.paid};
        } else if (auto it = paidBy.find(n); it != paidBy.end()) {
            p.payment = it->second;
        }
        out[{h.date, h.customer}] = p;
    }
    return out;
}

TEST(Compaction, DropsDeletedRecordsRenumbersEverythingAndLeavesACleanYear) {
    Installation copy{Installation::CopyOf{demoYear()}};
    AppContext& ctx = *copy.ctx;
    const FileSet& f = ctx.fileSet;
    // Deleted slips, one with a line text; a line text on a live slip too.
    int deleted = 0;
    for (int n = 1; n < records(ctx, kSlipHeaders, kSlipHeaderSize) && deleted < 5; n += 7) {
        auto h = recordAt<SlipHeader>(ctx, f[kSlipHeaders], n);
        if (!liveDate(h.date) || h.stage == kStageSettled) continue;
        h.date = -h.date;
        putRecord(ctx, f[kSlipHeaders], n, h);
        putRecord(ctx, f[kIndex1], n, IndexEntry{h.date, h.customer});
        ++deleted;
    }
    ASSERT_EQ(deleted, 5);
    const int textRecord = records(ctx, kRemarkTexts, kLineTextSize);
    LineText t{};
    cp932::assign(t.text, "長い備考の文");
    putRecord(ctx, f[kRemarkTexts], textRecord, t);
    int withText = 0;
    for (int n = records(ctx, kSlipHeaders, kSlipHeaderSize) - 1; n > 0 && !withText; --n) {
        const auto h = recordAt<SlipHeader>(ctx, f[kSlipHeaders], n);
        if (!liveDate(h.date) || h.lineCount < 1) continue;
        auto l = recordAt<SlipLine>(ctx, f[kSlipLines], h.lineSlots[1]);
        l.textNumber = textRecord;
        putRecord(ctx, f[kSlipLines], h.lineSlots[1], l);
        withText = n;
    }

    // Payment A loses its last slip from the list (the slip's link still names A); payment B
    // also lists A's first slip.
    int a = 0;
    for (int n = 1; n < records(ctx, kPayments, payments::kPaymentSize) && !a; ++n) {
        const auto q = recordAt<PaymentRecord>(ctx, f[kPayments], n);
        if (liveDate(q.date) && q.memberCount == 0 && q.slipCount >= 2) a = n;
    }
    ASSERT_GT(a, 0);
    auto pa = recordAt<PaymentRecord>(ctx, f[kPayments], a);
    int b = 0;
    for (int n = a + 1; n < records(ctx, kPayments, payments::kPaymentSize) && !b; ++n) {
        const auto q = recordAt<PaymentRecord>(ctx, f[kPayments], n);
        if (liveDate(q.date) && q.memberCount == 0 && q.slipCount < 250) b = n;
    }
    ASSERT_GT(b, 0);
    const int unlisted = pa.slips[pa.slipCount];
    auto hu = recordAt<SlipHeader>(ctx, f[kSlipHeaders], unlisted);
    hu.paymentLink = a;
    putRecord(ctx, f[kSlipHeaders], unlisted, hu);
    pa.slips[pa.slipCount--] = -1;
    putRecord(ctx, f[kPayments], a, pa);
    auto pb = recordAt<PaymentRecord>(ctx, f[kPayments], b);
    pb.slips[++pb.slipCount] = pa.slips[1];
    putRecord(ctx, f[kPayments], b, pb);

    auto before = picture(ctx);
    ASSERT_FALSE(maintenance::checkYear(ctx).empty());
    const auto oldHeaders = records(ctx, kSlipHeaders, kSlipHeaderSize);
    int unused = 0;
    for (int n = 1; n < oldHeaders; ++n) {
        const auto h = recordAt<SlipHeader>(ctx, f[kSlipHeaders], n);
        unused += !liveDate(h.date) || (h.lineCount < 1 && h.stage != kStageSettled);
    }
    ASSERT_GE(unused, 5);

    ScriptedDialogs d;
    d.answers = {Answer::Yes};
    ASSERT_EQ(maintenance::compactYear(ctx, d), ToolResult::Restart);
    EXPECT_EQ(d.shown.front().rfind("納品伝票に  " + std::to_string(unused) + "  件\n入金伝票に  ", 0), 0u)
        << d.shown.front();
    EXPECT_EQ(d.shown.back(),
              "未使用領域除去によるインデックス読み直しが必要です\nラクレナを停止しますので再起動してください");

    EXPECT_EQ(records(ctx, kSlipHeaders, kSlipHeaderSize), oldHeaders - unused);
    const auto found = maintenance::checkYear(ctx);
    EXPECT_TRUE(found.empty()) << found.front().text;
    EXPECT_TRUE(indexesAgree(ctx.files, f));
    // The unlisted slip went back into A's list; the shared one stays A's only.
    before[{hu.date, hu.customer}].payment = {pa.date, pa.customer, pa.paid};
    EXPECT_TRUE(before == picture(ctx));
    for (const auto& e : fs::directory_iterator(f.dataFolder)) EXPECT_NE(e.path().extension(), ".Cmp") << e.path();
    EXPECT_FALSE(ctx.files.exists(FileTransaction::journalFile(f.dataFolder)));
}

TEST(Compaction, ASettledSlipNoPaymentHoldsIsKeptAndAFailedWriteChangesNothing) {
    HandYear y;
    const int gone = y.slip(-301, 4, kStageDelivery, 2);
    const int settled = y.slip(302, 4, kStageSettled, 1);
    const int order = y.slip(303, 5, kStageOrder, 1);
    y.reindex();
    (void)gone;

    // Any failing write while the files are replaced leaves every file as it was.
    const DataSlot slots[] = {kSlipLines, kSlipHeaders, kPayments, kRemarkTexts, kIndex1, kIndex2};
    std::map<int, Bytes> old;
    for (DataSlot s : slots) old[s] = y.inst.bytes(s);
    for (int k = 1; k <= 30; ++k) {
        FaultyFileSystem faulty(realFileSystem());
        faulty.arm(k, FaultyFileSystem::Fault::Fail);
        auto ctx = y.inst.contextWith(faulty);
        ScriptedDialogs d;
        d.answers = {Answer::Yes};
        const ToolResult r = maintenance::compactYear(*ctx, d);
        if (r == ToolResult::Restart) break;
        ASSERT_EQ(r, ToolResult::Failed) << k;
        for (DataSlot s : slots) ASSERT_EQ(y.inst.bytes(s), old[s]) << "fault " << k << " file " << s;
    }

    ScriptedDialogs d;
    d.answers = {Answer::Yes};
    ASSERT_EQ(maintenance::compactYear(y.ctx, d), ToolResult::Restart);
    ASSERT_EQ(y.count(kSlipHeaders, kSlipHeaderSize), 3);
    EXPECT_EQ(y.header(1).date, 302);  // header order; the settled slip is kept, still settled
    EXPECT_EQ(y.header(1).stage, kStageSettled);
    EXPECT_EQ(y.header(2).date, 303);
    EXPECT_EQ(recordAt<SlipLine>(y.ctx, y.f[kSlipLines], y.header(2).lineSlots[1]).owner, 2);
    (void)settled;
    (void)order;
    const auto found = maintenance::checkYear(y.ctx);
    // Still settled and still reported: nothing pays it, so its customer's balance is off too.
    EXPECT_EQ(kinds(found), (std::vector{maintenance::Finding::Kind::Unpaid, maintenance::Finding::Kind::Balance}));
}

}  // namespace
}  // namespace rk::test
