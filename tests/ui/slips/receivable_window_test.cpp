// Receivable processing on a delivered slip of a demo year: F5 records it at stage 2 with its
// tax, commission, deductions and receivable amount.
#include <QPushButton>
#include <QTest>
#include <sstream>

#include "app/startup_loader.h"
#include "base/cp932.h"
#include "base/format.h"
#include "cli/cli.h"
#include "masters/master_io.h"
#include "receivables/messages.h"
#include "slips/slip_index.h"
#include "support/demo_year.h"
#include "support/ui_support.h"
#include "ui/controls/CDataEdit.h"
#include "ui/controls/CMojiList.h"
#include "ui/slips/FUrikakeWnd.h"

using namespace rk;
using namespace rk::ui;
namespace rv = rk::receivables;

namespace {

SlipHeader headerAt(AppContext& ctx, int n) {
    SlipHeader h{};
    (void)ctx.files.readZeroFilled(ctx.fileSet[kSlipHeaders], static_cast<uint64_t>(n) * kSlipHeaderSize, bytesOf(h));
    return h;
}

}  // namespace

class ReceivableWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<AppContext> ctx;
    ScriptedDialogs dialogs;

    // The first live slip of `stage` in the year.
    int firstSlipOf(int32_t stage) {
        auto i1 = readIndexEntries(ctx->files, ctx->fileSet[kIndex1]);
        auto i2 = readIndexEntries(ctx->files, ctx->fileSet[kIndex2]);
        for (size_t n = 1; n < i2.size(); ++n)
            if (i2[n].first == stage && liveDate(i1[n].first)) return static_cast<int>(n);
        return 0;
    }

    void typeInto(FUrikakeWnd* w, const char* digits, Qt::Key end) {
        QVERIFY(w->field());
        QTest::keyClicks(w->field(), digits);
        QTest::keyClick(w->field(), end);
    }

private slots:
    void initTestCase() {
        ctx = test::openDemoYear(dir.path().toStdString(), 30, 240, dialogs);
        QVERIFY(ctx);
    }

    void init() { dialogs = ScriptedDialogs{}; }

    void deliveredSlipIsRecordedAtStageTwo() {
        const int n = firstSlipOf(kStageDelivery);
        QVERIFY(n > 0);
        SlipHeader before = headerAt(*ctx, n);
        CustomerRecord c{};
        c.commissionRate = 8.5;
        c.commissionRounding = rv::kRoundUp;
        cp932::assign(c.name, "有限会社鈴木生花店");
        QVERIFY(masters::writeRecord(ctx->files, ctx->fileSet[kCustomers], before.customer, c));
        ctx->settings.taxRate = 8;

        std::unique_ptr<FUrikakeWnd> w(FUrikakeWnd::processRecord(*ctx, dialogs, n));
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QString("　売り掛け処理"));
        QVERIFY(w->paymentButton()->isEnabled());
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        const double amount = w->values().amount;
        QVERIFY(amount > 0);
        const double tax = std::trunc(amount * 8 / 100);
        QCOMPARE(w->values().tax, tax);
        QCOMPARE(w->row(), 4);  // the cursor starts on the rate
        QCOMPARE(w->rowValue(4), QString("8.50"));

        // Rate 10 % priced with Enter, then 1,200 yen of freight as the fourth deduction.
        typeInto(w.get(), "10", Qt::Key_Return);
        const double commission = std::ceil((amount + tax) / 10 - 1e-9);
        QCOMPARE(w->values().commission, commission);
        QCOMPARE(w->row(), 5);
        for (int i = 0; i < 4; ++i) QTest::keyClick(w->field(), Qt::Key_Down);
        QCOMPARE(w->row(), 9);
        typeInto(w.get(), "1200", Qt::Key_Return);
        const double receivable = amount + tax - commission - 1200;
        QCOMPARE(w->rowValue(11),
                 QString::fromStdString(fmt::groupDigits(std::to_string(static_cast<int64_t>(receivable)))));
        test::saveScreenshot(w.get(), "receivable_processing");

        bool recorded = false;
        connect(w.get(), &FUrikakeWnd::recorded, [&] { recorded = true; });
        QTest::keyClick(w->field(), Qt::Key_F5);
        QVERIFY(recorded);
        const SlipHeader h = headerAt(*ctx, n);
        QCOMPARE(h.stage, int32_t(kStageProcessed));
        QCOMPARE(h.amount, amount);
        QCOMPARE(h.tax, tax);
        QCOMPARE(h.commission, commission);
        QCOMPARE(h.deductions[3], 1200.0);
        QCOMPARE(h.receivable, receivable);
        QCOMPARE(h.taxDebit, ctx->env.debit[1]);
        QCOMPARE(h.commissionCredit, ctx->env.credit[7]);
        QCOMPARE(h.lineCount, before.lineCount);
        auto i2 = readIndexEntries(ctx->files, ctx->fileSet[kIndex2]);
        QCOMPARE(i2[n].first, int32_t(kStageProcessed));
        QVERIFY(dialogs.shown.empty());
    }

    void referenceShowsAStoredSlipAndTakesNoInput() {
        const int n = firstSlipOf(kStageProcessed);
        QVERIFY(n > 0);
        CFq7Doc doc(*ctx, dialogs);
        QVERIFY(doc.loadRecord(n));
        std::unique_ptr<FUrikakeWnd> w(FUrikakeWnd::reference(*ctx, dialogs, doc));
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QString("　売り掛け参照"));
        QVERIFY(!w->field());
        QVERIFY(!w->recordButton()->isEnabled());
        QCOMPARE(w->values().receivable(), doc.header.receivable);
        QVERIFY(!FUrikakeWnd::reference(*ctx, dialogs, doc));  // one at a time
        QCOMPARE(dialogs.shown.back(), std::string(msg::kReferenceOpen));
        w->show();
        test::saveScreenshot(w.get(), "receivable_reference");
        w.reset();

        QVERIFY(doc.loadRecord(firstSlipOf(kStageOrder)));
        QVERIFY(!FUrikakeWnd::reference(*ctx, dialogs, doc));
        QCOMPARE(dialogs.shown.back(), std::string(msg::kNoReferenceData));
    }

    void f12ListsTheAccountItemsOfAnAccountColumn() {
        std::unique_ptr<FUrikakeWnd> w(FUrikakeWnd::processRecord(*ctx, dialogs, firstSlipOf(kStageDelivery)));
        QVERIFY(w);
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QTest::keyClick(w->field(), Qt::Key_Right);  // the rate row has no accounts: the commission's
        QCOMPARE(w->column(), int(FUrikakeWnd::kDebitColumn));
        QCOMPARE(w->row(), 5);
        QTest::keyClick(w->field(), Qt::Key_F12);
        QVERIFY(w->accountList());
        QCOMPARE(w->accountList()->count(), 500);
        QCOMPARE(w->accountList()->currentRow(), ctx->env.debit[7] - 100);
        QTest::keyClick(w->accountList(), Qt::Key_Down);
        QTest::keyClick(w->accountList(), Qt::Key_Return);
        QTRY_VERIFY(!w->accountList());
        QCOMPARE(w->values().commissionDebit, ctx->env.debit[7] + 1);
        QVERIFY(w->field());
        // Digits typed into the list name the account code, not the line.
        QTest::keyClick(w->field(), Qt::Key_F12);
        QVERIFY(w->accountList());
        QTest::keyClicks(w->accountList(), "510");
        QTest::keyClick(w->accountList(), Qt::Key_Return);
        QTRY_VERIFY(!w->accountList());
        QCOMPARE(w->values().commissionDebit, 510);
    }

    void closedYearRefusesAndKeepsTheWindow() {
        const int n = firstSlipOf(kStageDelivery);
        QVERIFY(n > 0);
        std::unique_ptr<FUrikakeWnd> w(FUrikakeWnd::processRecord(*ctx, dialogs, n));
        QVERIFY(w);
        ctx->settings.inputYear = ctx->settings.businessYear + 1;
        QVERIFY(!w->recordSlip());
        ctx->settings.inputYear = ctx->settings.businessYear;
        QCOMPARE(dialogs.shown.back(), std::string(msg::kClosedYearToProcess));
        QCOMPARE(headerAt(*ctx, n).stage, int32_t(kStageDelivery));
        // Only one processing window.
        QVERIFY(!FUrikakeWnd::processRecord(*ctx, dialogs, n));
        QCOMPARE(dialogs.shown.back(), std::string(msg::kProcessingOpen));
    }
};

QTEST_MAIN(ReceivableWindowTest)
#include "receivable_window_test.moc"
