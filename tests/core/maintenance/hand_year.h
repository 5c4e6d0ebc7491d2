// Hand-made years for the data check tools: slip headers, lines, texts and payments written
// record by record, the indexes rebuilt from them, so a test can plant exactly one fault.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "base/cp932.h"
#include "maintenance/maintenance_builders.h"

namespace rk::test {

struct HandYear {
    Installation inst;
    AppContext& ctx = *inst.ctx;
    const FileSet& f = ctx.fileSet;

    int count(DataSlot slot, uint64_t size) { return records(ctx, slot, size); }

    // A line appended to the line file; its record number. Amount = quantity x price.
    int line(int owner, int product, double quantity, double price, int text = 0) {
        SlipLine l{};
        cp932::assign(l.productName, "バラ" + std::to_string(product));
        cp932::assign(l.unit, "本");
        cp932::assign(l.remark, "赤");
        l.owner = owner;
        l.salesMethod = 1;
        l.product = product;
        l.grade1 = 1;
        l.grade2 = kNoGrade;
        l.remarkCode = 3;
        l.textNumber = text;
        l.quantity = l.ordered = l.delivered = quantity;
        l.price = price;
        l.amount = quantity * price;
        const int n = count(kSlipLines, kSlipLineSize);
        putRecord(ctx, f[kSlipLines], n, l);
        return n;
    }

    int text(const char* t) {
        LineText x{};
        cp932::assign(x.text, t);
        const int n = count(kRemarkTexts, kLineTextSize);
        putRecord(ctx, f[kRemarkTexts], n, x);
        return n;
    }

    // A slip with `lines` new lines (products 1..), appended; its header number.
    int slip(int32_t date, int32_t customer, int32_t stage, int lines, double receivable = 0) {
        const int n = count(kSlipHeaders, kSlipHeaderSize);
        SlipHeader h{};
        std::memset(h.lineSlots, 0xFF, sizeof h.lineSlots);
        cp932::assign(h.customerName, "花屋" + std::to_string(customer));
        h.date = date;
        h.customer = customer;
        h.stage = stage;
        h.lineCount = lines;
        double sum = 0;
        for (int j = 1; j <= lines; ++j) {
            h.lineSlots[j] = line(n, j, 10 * j, 100 + j);
            sum += 10 * j * (100 + j);
        }
        h.amount = stage >= kStageProcessed ? sum : 0;
        h.tax = stage >= kStageProcessed ? 100 : 0;
        h.receivable = receivable ? receivable : (stage >= kStageProcessed ? sum + 100 : 0);
        putRecord(ctx, f[kSlipHeaders], n, h);
        return n;
    }

    SlipHeader header(int n) { return recordAt<SlipHeader>(ctx, f[kSlipHeaders], n); }
    void put(int n, const SlipHeader& h) { putRecord(ctx, f[kSlipHeaders], n, h); }
    PaymentRecord payment(int n) { return recordAt<PaymentRecord>(ctx, f[kPayments], n); }
    void put(int n, const PaymentRecord& p) { putRecord(ctx, f[kPayments], n, p); }

    // A payment of `customer` settling `slips` (set to stage 3 with the payment's date); the
    // customer's balance is left as the payment leaves it (0 owed).
    int pay(int32_t customer, int32_t date, std::vector<int32_t> slips, bool link = false) {
        if (count(kPayments, payments::kPaymentSize) == 0) putRecord(ctx, f[kPayments], 0, PaymentRecord{});
        const int n = count(kPayments, payments::kPaymentSize);
        PaymentRecord p = payments::blankPayment();
        p.customer = customer;
        p.date = date;
        p.slipCount = static_cast<int32_t>(slips.size());
        double total = 0;
        for (size_t i = 0; i < slips.size(); ++i) {
            p.slips[i + 1] = slips[i];
            SlipHeader h = header(slips[i]);
            h.stage = kStageSettled;
            h.settlementDate = date;
            if (link) h.paymentLink = n;
            total += h.receivable;
            put(slips[i], h);
        }
        p.paid = total;
        put(n, p);
        return n;
    }

    void reindex() { ASSERT_TRUE(rebuildIndexes(ctx.files, f[kSlipHeaders], f[kIndex1], f[kIndex2])); }
};

}  // namespace rk::test
