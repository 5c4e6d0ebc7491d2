// Slip-by-slip payment from receivable processing: F7 opens the payment of the slip, the fee
// and the amount paid keep billed = fee + paid + remainder, F8 settles the slip.
#include <QPushButton>
#include <QTest>
#include <sstream>

#include "app/startup_loader.h"
#include "base/format.h"
#include "cli/cli.h"
#include "masters/master_io.h"
#include "payments/messages.h"
#include "payments/payment_file.h"
#include "receivables/messages.h"
#include "slips/slip_index.h"
#include "support/demo_year.h"
#include "support/ui_support.h"
#include "ui/controls/CDataEdit.h"
#include "ui/controls/CMojiList.h"
#include "ui/payments/FSNukinWnd.h"
#include "ui/slips/FUrikakeWnd.h"

using namespace rk;
using namespace rk::ui;

namespace {

SlipHeader headerAt(AppContext& ctx, int n) {
    SlipHeader h{};
    (void)ctx.files.readZeroFilled(ctx.fileSet[kSlipHeaders], static_cast<uint64_t>(n) * kSlipHeaderSize, bytesOf(h));
    return h;
}

double balanceOf(AppContext& ctx, int n) {
    CustomerRecord c{};
    masters::readCustomer(ctx.files, ctx.fileSet[kCustomers], n, c);
    return c.balance;
}

}  // namespace

class SlipPaymentTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<AppContext> ctx;
    ScriptedDialogs dialogs;

    int firstSlipOf(int32_t stage) {
        auto i1 = readIndexEntries(ctx->files, ctx->fileSet[kIndex1]);
        auto i2 = readIndexEntries(ctx->files, ctx->fileSet[kIndex2]);
        for (size_t n = 1; n < i2.size(); ++n)
            if (i2[n].first == stage && liveDate(i1[n].first)) return static_cast<int>(n);
        return 0;
    }

    void type(FSNukinWnd* w, const std::string& digits, Qt::Key end = Qt::Key_Return) {
        QVERIFY(w->field());
        QTest::keyClicks(w->field(), QString::fromStdString(digits));
        QTest::keyClick(w->field(), end);
    }

private slots:
    void initTestCase() {
        ctx = test::openDemoYear(dir.path().toStdString(), 30, 240, dialogs);
        QVERIFY(ctx);
    }

    void deliveredSlipIsProcessedAndPaidInOneGo() {
        const int n = firstSlipOf(kStageDelivery);
        QVERIFY(n > 0);
        const int32_t customer = headerAt(*ctx, n).customer;
        const double before = balanceOf(*ctx, customer);
        const auto paymentsBefore = payments::readPayments(ctx->files, ctx->fileSet[kPayments]).size();

        std::unique_ptr<FUrikakeWnd> processing(FUrikakeWnd::processRecord(*ctx, dialogs, n));
        QVERIFY(processing);
        processing->show();
        QVERIFY(QTest::qWaitForWindowActive(processing.get()));
        const double receivable = processing->values().receivable();
        bool recorded = false;
        connect(processing.get(), &FUrikakeWnd::recorded, [&] { recorded = true; });
        QTest::keyClick(processing->field(), Qt::Key_F7);
        QPointer<FSNukinWnd> w = processing->paymentWindow();
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QString("　売掛処理からの入金データ入力"));
        QVERIFY(QTest::qWaitForWindowActive(w));
        QCOMPARE(w->values().billed, std::trunc(receivable));
        QCOMPARE(w->values().paid, w->values().billed);
        QCOMPARE(w->row(), 4);

        type(w, "300");
        QCOMPARE(w->values().paid, w->values().billed - 300);
        QCOMPARE(w->row(), 5);
        type(w, std::to_string(static_cast<int64_t>(w->values().billed) - 800));
        QCOMPARE(w->values().remainder, 500.0);
        QCOMPARE(w->row(), 7);  // the remainder row is skipped
        QCOMPARE(w->rowValue(6), QString("500"));
        test::saveScreenshot(w, "slip_payment");

        QTest::keyClick(w->field(), Qt::Key_F8);
        QVERIFY(recorded);
        QTRY_VERIFY(!w);
        const SlipHeader h = headerAt(*ctx, n);
        QCOMPARE(h.stage, int32_t(kStageSettled));
        QCOMPARE(h.settlementDate, h.date);
        QCOMPARE(balanceOf(*ctx, customer), before + 500);
        const auto all = payments::readPayments(ctx->files, ctx->fileSet[kPayments]);
        QCOMPARE(all.size(), paymentsBefore + 1);
        QCOMPARE(all.back().slips[1], n);
        QCOMPARE(all.back().fee, 300.0);
        QCOMPARE(all.back().balanceChange, 500.0);
        QVERIFY(dialogs.shown.empty());
    }

    void f12ListsTheAccountItemsOfAnAccountColumn() {
        std::unique_ptr<FUrikakeWnd> processing(FUrikakeWnd::processRecord(*ctx, dialogs, firstSlipOf(kStageDelivery)));
        QVERIFY(processing);
        QPointer<FSNukinWnd> w = processing->openPayment();
        QVERIFY(w);
        QTest::keyClick(w->field(), Qt::Key_Right);
        QCOMPARE(w->column(), int(FSNukinWnd::kDebitColumn));
        QTest::keyClick(w->field(), Qt::Key_F12);
        QVERIFY(w->accountList());
        QCOMPARE(w->accountList()->count(), 500);
        QCOMPARE(w->accountList()->currentRow(), 0);
        QTest::keyClick(w->accountList(), Qt::Key_Down);
        QTest::keyClick(w->accountList(), Qt::Key_Return);
        QTRY_VERIFY(!w->accountList());
        QCOMPARE(w->values().feeDebit, 101);
        // A typed code outside the items keeps the one before.
        QTest::keyClicks(w->field(), "650");
        QTest::keyClick(w->field(), Qt::Key_Return);
        QCOMPARE(w->values().feeDebit, 101);
        processing.reset();  // the payment window goes with it
        QTRY_VERIFY(!w);
    }

    void settledSlipIsNotPaidAgain() {
        const int n = firstSlipOf(kStageSettled);
        QVERIFY(n > 0);
        std::unique_ptr<FUrikakeWnd> processing(FUrikakeWnd::processRecord(*ctx, dialogs, n));
        QVERIFY(processing);
        QVERIFY(!processing->openPayment());
        QCOMPARE(dialogs.shown.back(), std::string(msg::kAlreadyPaidSales));
    }

    // Ctrl+Alt+1 pays a settled slip once more after the warning, through the ordinary payment.
    void forcedPaymentOfASettledSlip() {
        dialogs.shown.clear();
        const int n = firstSlipOf(kStageSettled);
        QVERIFY(n > 0);
        const int32_t customer = headerAt(*ctx, n).customer;
        const double before = balanceOf(*ctx, customer);
        const auto paymentsBefore = payments::readPayments(ctx->files, ctx->fileSet[kPayments]).size();
        std::unique_ptr<FUrikakeWnd> processing(FUrikakeWnd::processRecord(*ctx, dialogs, n));
        QVERIFY(processing);
        processing->show();
        QVERIFY(QTest::qWaitForWindowActive(processing.get()));
        QTest::keyClick(processing->windowHandle(), Qt::Key_1, Qt::ControlModifier | Qt::AltModifier);
        QPointer<FSNukinWnd> w = processing->paymentWindow();
        QVERIFY(w);
        QCOMPARE(dialogs.shown, std::vector<std::string>{rk::msg::kForcedPayment});
        QVERIFY(QTest::qWaitForWindowActive(w));
        type(w, "0");                    // no fee: the whole amount is paid
        dialogs.answers = {Answer::Ok};  // the settled slip keeps its stage, values are rewritten
        QTest::keyClick(w->windowHandle(), Qt::Key_F8);
        QTRY_VERIFY(!w);
        QCOMPARE(dialogs.shown.back(), std::string(rk::msg::kSettledSales));
        QCOMPARE(headerAt(*ctx, n).stage, int32_t(kStageSettled));
        const auto all = payments::readPayments(ctx->files, ctx->fileSet[kPayments]);
        QCOMPARE(all.size(), paymentsBefore + 1);  // the warned duplicate
        QCOMPARE(all.back().slips[1], n);
        QCOMPARE(balanceOf(*ctx, customer), before);
    }
};

QTEST_MAIN(SlipPaymentTest)
#include "slip_payment_test.moc"
