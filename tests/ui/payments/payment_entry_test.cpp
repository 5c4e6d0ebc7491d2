// Payment entry on a demo year: the period is aggregated, a group representative is chosen,
// previous balance + period = billed, the fee and the amount paid are typed and F7 records.
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <sstream>

#include "app/startup_loader.h"
#include "base/cp932.h"
#include "base/format.h"
#include "cli/cli.h"
#include "masters/master_io.h"
#include "payments/messages.h"
#include "payments/payment_file.h"
#include "support/demo_year.h"
#include "support/ui_support.h"
#include "ui/controls/CDataEdit.h"
#include "ui/payments/NukininAView.h"
#include "ui/payments/NukininBView.h"
#include "ui/payments/NukininWnd.h"

using namespace rk;
using namespace rk::ui;

namespace {

QString money(double v) { return QString::fromStdString(fmt::groupDigits(std::to_string(static_cast<int64_t>(v)))); }

CustomerRecord customer(AppContext& ctx, int n) {
    CustomerRecord c{};
    masters::readCustomer(ctx.files, ctx.fileSet[kCustomers], n, c);
    return c;
}

}  // namespace

class PaymentEntryTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<AppContext> ctx;
    ScriptedDialogs dialogs;

    void type(NukininAView* a, const char* digits, Qt::Key end = Qt::Key_Return) {
        QVERIFY(a->field());
        if (*digits) QTest::keyClicks(a->field(), digits);
        QTest::keyClick(a->field(), end);
    }

private slots:
    void initTestCase() {
        ctx = test::openDemoYear(dir.path().toStdString(), 30, 240, dialogs);
        QVERIFY(ctx);
        // Customer 21 heads a group of 22 and 23, who owe from earlier periods.
        CustomerRecord c = customer(*ctx, 21);
        c.groupLink = 2;
        c.members[0] = 22;
        c.members[1] = 23;
        c.balance = 4000;
        QVERIFY(masters::writeRecord(ctx->files, ctx->fileSet[kCustomers], 21, c));
        for (int m : {22, 23}) {
            CustomerRecord r = customer(*ctx, m);
            r.groupLink = -21;
            r.balance = 1000 * m;
            QVERIFY(masters::writeRecord(ctx->files, ctx->fileSet[kCustomers], m, r));
        }
    }

    void groupPaymentIsTypedAndRecorded() {
        const size_t before = payments::readPayments(ctx->files, ctx->fileSet[kPayments]).size();
        NukininWnd w(*ctx, dialogs);
        QCOMPARE(w.windowTitle(), QString("　入金データ入力"));
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        NukininAView* a = w.entryView();
        QCOMPARE(a->cell(), NukininAView::kStart);
        type(a, "");  // the whole business year, as it stands
        type(a, "");
        QVERIFY(w.entry().aggregated());
        const auto& t = w.entry().table();
        QVERIFY(t.slipCount > 0);
        QCOMPARE(a->cell(), NukininAView::kCustomer);

        type(a, "21");
        QCOMPARE(w.entry().customer(), 21);
        QCOMPARE(a->memberList()->count(), 2);
        const double previous = 4000 + 22000 + 23000;
        const double period = t.of(21).sums.billed + t.of(22).sums.billed + t.of(23).sums.billed;
        QVERIFY(period > 0);
        QCOMPARE(a->amountText(1), money(previous));
        QCOMPARE(a->amountText(2), money(period));
        QCOMPARE(a->amountText(3), money(previous + period));
        QCOMPARE(a->amountText(5), money(previous + period));
        QCOMPARE(a->cell(), NukininAView::kFee);
        QCOMPARE(w.listView()->rowTexts(21)[0].mid(5, 2), QString("代表"));

        type(a, "660");
        QCOMPARE(a->amountText(5), money(previous + period - 660));
        QCOMPARE(a->cell(), NukininAView::kPaid);
        type(a, std::to_string(static_cast<int64_t>(previous + period - 2660)).c_str());
        QCOMPARE(a->amountText(6), money(2000));
        QCOMPARE(a->cell(), NukininAView::kDate);
        test::saveScreenshot(&w, "payment_entry");

        const int slips = w.entry().slipCount();
        QTest::keyClick(a->field(), Qt::Key_F7);
        QVERIFY(dialogs.shown.empty());
        QCOMPARE(customer(*ctx, 21).balance, 2000.0);
        QCOMPARE(customer(*ctx, 22).balance, 0.0);
        QCOMPARE(customer(*ctx, 23).balance, 0.0);
        const auto all = payments::readPayments(ctx->files, ctx->fileSet[kPayments]);
        QCOMPARE(all.size(), before + 1);
        QCOMPARE(all.back().customer, 21);
        QCOMPARE(all.back().slipCount, slips);
        QCOMPARE(all.back().fee, 660.0);
        QCOMPARE(all.back().memberCount, 2);
        QCOMPARE(w.entry().customer(), 0);
        QCOMPARE(t.of(22).count(), 0);
        QCOMPARE(a->cell(), NukininAView::kCustomer);
    }

    void unknownCustomerBeepsAndTheFieldStays() {
        NukininWnd w(*ctx, dialogs);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        NukininAView* a = w.entryView();
        a->focusCell(NukininAView::kCustomer);
        type(a, "3000");
        QCOMPARE(a->cell(), NukininAView::kCustomer);
        QCOMPARE(w.entry().customer(), 0);
        QTest::keyClick(a->field(), Qt::Key_F7);
        QCOMPARE(dialogs.shown.back(), std::string(msg::kNoCustomer));
        // A double click in the list takes the customer as if typed.
        emit w.listView()->customerPicked(5);
        QCOMPARE(w.entry().customer(), 5);
        QCOMPARE(a->cell(), NukininAView::kFee);
    }
};

QTEST_MAIN(PaymentEntryTest)
#include "payment_entry_test.moc"
