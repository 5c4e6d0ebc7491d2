// Delivery notes and bills as qualified invoices: the registration number, the tax per rate
// rounded once per document on a delivery note, and on a bill the note that the delivery
// notes are the invoices with the per-rate sum of their taxes.
#include "printing/qualified_invoice.h"

#include <cstring>

#include "printing/bills.h"
#include "printing/delivery_notes.h"
#include "printing/messages.h"
#include "printing_builders.h"

namespace rk::test {
namespace {

using namespace printing;

class QualifiedInvoices : public PrintingFixture {
protected:
    PrintForm form = defaultPrintForm();

    void SetUp() override {
        PrintingFixture::SetUp();
        ctx.settings.taxRate = 10;
        qualified(true);
    }

    void qualified(bool on) {
        InvoiceSettings s{};
        std::memcpy(s.number, "T1234567890123", 14);
        s.qualified = on ? 1 : 0;
        const InvoiceSettings before = readInvoiceSettings(fs, ctx.programFolder()).settings;
        ASSERT_TRUE(writeInvoiceSettings(fs, ctx.programFolder(), before, s).ok());
    }

    // A delivered slip whose lines have the given amounts.
    int slipOf(int32_t date, int customer, std::vector<double> amounts) {
        CFq7Doc doc(ctx, dialogs);
        newSlip(doc, date, customer, static_cast<int>(amounts.size()));
        for (size_t j = 0; j < amounts.size(); ++j) doc.lines[j + 1].amount = amounts[j];
        CustomerRecord c{};
        (void)masters::readRecord(fs, f[kCustomers], customer, c);
        std::memcpy(doc.header.customerName, c.name, sizeof c.name);  // as slip entry copies it
        EXPECT_EQ(doc.record(), CFq7Doc::WriteResult::Ok);
        return doc.lastWritten();
    }
    Document notes(int32_t date, DeliveryForm kind = DeliveryForm::Standard) {
        SlipSnapshot files(ctx);
        return planDeliveryNotes(buildDeliveryRun(files, {date, 1, 999, 1}, deliveryLayout(ctx, form)), ctx, form, kA4,
                                 kind);
    }
    Document bills(BillSelection sel) {
        SlipSnapshot files(ctx);
        return planBills(collectBills(ctx, files, sel), files, ctx, form, kA4, {false, false, sel.issueDate});
    }
};

TEST(TaxPerRate, RoundedOncePerRateOrSummedAsTheSlipsRoundedIt) {
    // Two lines of 105 at 10 %: 10 + 10 line by line, 21 once for the document.
    auto r = roundedPerRate({{10, 105}, {10, 105}});
    ASSERT_EQ(r.size(), 1u);
    EXPECT_DOUBLE_EQ(r[0].taxable, 210);
    EXPECT_DOUBLE_EQ(r[0].tax, 21);
    // Rates apart, ascending; returns reduce their rate's total.
    r = roundedPerRate({{10, 1999}, {8, 1250}, {10, -999}, {8, 99}});
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].rate, 8);
    EXPECT_DOUBLE_EQ(r[0].taxable, 1349);
    EXPECT_DOUBLE_EQ(r[0].tax, 107);  // 107.92
    EXPECT_EQ(r[1].rate, 10);
    EXPECT_DOUBLE_EQ(r[1].tax, 100);
    // Slips that rounded their own tax are only added up.
    auto s = summedPerRate({{10, 105, 10}, {10, 105, 10}, {8, 100, 8}});
    ASSERT_EQ(s.size(), 2u);
    EXPECT_DOUBLE_EQ(s[1].taxable, 210);
    EXPECT_DOUBLE_EQ(s[1].tax, 20);
    EXPECT_EQ(rateLine(s[1]), "10%対象 ¥210 消費税 ¥20");
    EXPECT_EQ(rateLine({10, 1234567, 123456}), "10%対象 ¥1,234,567 消費税 ¥123,456");
}

TEST_F(QualifiedInvoices, ADeliveryNoteShowsTheNumberAndItsTaxPerRate) {
    customer(5, "花の店");
    slipOf(512, 5, {105, 105});  // not processed yet: the tax rounded once for the note
    const int processed = slipOf(513, 5, {1000, 2000, 3333});
    process(processed, 6333, 633, 0, 0);

    Document d = notes(512);
    ASSERT_EQ(d.pages.size(), 1u);
    EXPECT_TRUE(hasText(d.pages[0], "登録番号 T1234567890123"));
    EXPECT_TRUE(hasText(d.pages[0], "10%対象 ¥210 消費税 ¥21"));
    EXPECT_TRUE(hasText(d.pages[0], "花の店 様"));
    // A processed slip states the tax it was booked with.
    EXPECT_TRUE(hasText(notes(513).pages[0], "10%対象 ¥6,333 消費税 ¥633"));

    // The cooperative form carries no prices; with the switch off nothing is added.
    const auto plain = [&](const Page& p) {
        for (const auto& t : p.texts)
            if (t.text.find("登録番号") != std::string::npos || t.text.find("対象") != std::string::npos) return false;
        return true;
    };
    EXPECT_TRUE(plain(notes(512, DeliveryForm::Cooperative).pages[0]));
    qualified(false);
    const Document off = notes(512);
    EXPECT_TRUE(plain(off.pages[0]));
    EXPECT_EQ(d.pages[0].texts.size(), off.pages[0].texts.size() + 2) << "only the number and the rate line";
}

TEST_F(QualifiedInvoices, ABillNamesTheDeliveryNotesAndSumsTheirTaxes) {
    customer(1, "鈴木生花店", 5000);
    process(slipOf(505, 1, {105}), 105, 10, 0, 0);
    process(slipOf(510, 1, {105}), 105, 10, 0, 0);
    customer(2, "佐藤花店", 3000);  // only a balance: nothing to state per rate

    Document d = bills({501, 531, 1, 999, 531, ""});
    ASSERT_EQ(d.pages.size(), 2u);
    const Page& p = d.pages[0];
    EXPECT_TRUE(hasText(p, "登録番号 T1234567890123"));
    EXPECT_TRUE(hasText(p, msg::kDeliveryNotesQualify));
    // 10 + 10 as the slips were booked, not 21 rounded again over 210.
    EXPECT_TRUE(hasText(p, "10%対象 ¥210 消費税 ¥20"));
    EXPECT_EQ(valueRightOf(p, msg::kBillTotal), "5,230");
    EXPECT_TRUE(hasText(d.pages[1], "登録番号 T1234567890123"));
    EXPECT_FALSE(hasText(d.pages[1], msg::kDeliveryNotesQualify));

    // Name search finds the customer, but the invoice names it as the master does.
    d = bills({501, 531, 1, 999, 531, "鈴木"});
    ASSERT_EQ(d.pages.size(), 1u);
    EXPECT_TRUE(hasText(d.pages[0], "鈴木生花店 様"));
    qualified(false);
    d = bills({501, 531, 1, 999, 531, "鈴木"});
    EXPECT_TRUE(hasText(d.pages[0], "鈴木 様"));
    EXPECT_FALSE(hasText(d.pages[0], msg::kDeliveryNotesQualify));
}

}  // namespace
}  // namespace rk::test
