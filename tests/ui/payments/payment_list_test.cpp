// The payment list on a demo year with payments: the period's payments listed by date,
// Delete undoes one, a double click opens the booking edit, which saves codes and date.
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <sstream>

#include "app/startup_loader.h"
#include "base/format.h"
#include "cli/cli.h"
#include "masters/master_io.h"
#include "payments/list_print.h"
#include "payments/messages.h"
#include "payments/payment_entry.h"
#include "payments/payment_file.h"
#include "support/demo_year.h"
#include "support/ui_support.h"
#include "ui/controls/CDataEdit.h"
#include "ui/payments/NukinChkAView.h"
#include "ui/payments/NukinChkBView.h"
#include "ui/payments/NukinChkWnd.h"
#include "ui/payments/NyukinHenWnd.h"
#include "ui/printing/PlanPrinter.h"

using namespace rk;
using namespace rk::ui;

class PaymentListTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<AppContext> ctx;
    ScriptedDialogs dialogs;

    double balanceOf(int n) {
        CustomerRecord c{};
        masters::readCustomer(ctx->files, ctx->fileSet[kCustomers], n, c);
        return c.balance;
    }

private slots:
    void initTestCase() {
        ctx = test::openDemoYear(dir.path().toStdString(), 30, 240, dialogs);
        QVERIFY(ctx);
    }

    void init() { dialogs = ScriptedDialogs{}; }

    void deleteUndoesAListedPayment() {
        const auto before = payments::readPayments(ctx->files, ctx->fileSet[kPayments]);
        payments::PaymentEntry e(*ctx, dialogs);
        e.setEnd(e.periodEnd());
        QVERIFY(e.choose(11));
        e.paidTyped(e.paid() - 1234);
        const double balance = balanceOf(11);
        QCOMPARE(e.record(), payments::Outcome::Ok);
        QCOMPARE(balanceOf(11), 1234.0);

        NukinChkWnd w(*ctx, dialogs);
        QCOMPARE(w.windowTitle(), QString("　入金データ集計削除"));
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        NukinChkAView* a = w.conditionView();
        for (int i = 0; i < 4; ++i) QTest::keyClick(a->field(), Qt::Key_Return);
        const auto& entries = w.list().entries();
        QCOMPARE(entries.size(), before.size());  // the demo's payments and this one
        for (size_t i = 1; i < entries.size(); ++i)
            QVERIFY(monthday::businessKey(entries[i - 1].date, ctx->settings.firstMonth) <=
                    monthday::businessKey(entries[i].date, ctx->settings.firstMonth));
        int mine = -1;
        for (size_t i = 0; i < entries.size(); ++i)
            if (entries[i].record == static_cast<int>(before.size())) mine = static_cast<int>(i);
        QVERIFY(mine >= 0);
        NukinChkBView* b = w.listView();
        b->select(mine);
        test::saveScreenshot(&w, "payment_list");
        // The printed list, kept beside the screenshots.
        QVERIFY(writePdf(
            [&](const printing::PageArea& area) {
                return payments::planPaymentList(*ctx, printing::defaultPrintForm(), area, w.list());
            },
            QDir::current().filePath("screens/payment_list.pdf")));
        PaymentRecord receipt{};
        QVERIFY(payments::readPayment(ctx->files, ctx->fileSet[kPayments], entries[0].record, receipt));
        QVERIFY(writePdf(
            [&](const printing::PageArea& area) {
                return payments::planReceipt(*ctx, printing::defaultPrintForm(), area, receipt);
            },
            QDir::current().filePath("screens/payment_receipt.pdf")));

        dialogs.answers = {Answer::No};
        QTest::keyClick(b, Qt::Key_Delete);
        QCOMPARE(dialogs.shown.back(), std::string(msg::kConfirmDelete));
        QVERIFY(!entries[static_cast<size_t>(mine)].deleted());
        dialogs.answers = {Answer::Yes};
        QTest::keyClick(b, Qt::Key_Delete);
        QVERIFY(entries[static_cast<size_t>(mine)].deleted());
        QCOMPARE(balanceOf(11), balance);
        QCOMPARE(b->rowTexts(mine)[2], QString(msg::kDeletedName));
        // A deleted entry takes no edit.
        QVERIFY(!w.edit(mine));
    }

    void doubleClickEditsTheBooking() {
        NukinChkWnd w(*ctx, dialogs);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        for (int i = 0; i < 4; ++i) QTest::keyClick(w.conditionView()->field(), Qt::Key_Return);
        int live = -1;
        for (size_t i = 0; i < w.list().entries().size() && live < 0; ++i)
            if (!w.list().entries()[i].deleted()) live = static_cast<int>(i);
        QVERIFY(live >= 0);
        const int record = w.list().entries()[static_cast<size_t>(live)].record;
        NyukinHenWnd* h = w.edit(live);
        QVERIFY(h);
        QCOMPARE(h->windowTitle(), QString("　入金データ変更"));
        QVERIFY(!w.edit(live));  // one at a time
        QVERIFY(QTest::qWaitForWindowActive(h));
        QTest::keyClicks(h->field(), "521");
        QTest::keyClick(h->field(), Qt::Key_Down);
        QTest::keyClick(h->field(), Qt::Key_Down);
        QCOMPARE(h->row(), 3);
        QTest::keyClicks(h->field(), "3");
        QTest::keyClick(h->field(), Qt::Key_Return);
        h->showSlips();
        QVERIFY(h->slipList()->count() >= 1);
        test::saveScreenshot(h, "payment_edit");
        QVERIFY(h->save());
        PaymentRecord p{};
        QVERIFY(payments::readPayment(ctx->files, ctx->fileSet[kPayments], record, p));
        QCOMPARE(p.feeDebit, 521);
        QCOMPARE(p.date, 301);
        QCOMPARE(w.list().entries()[static_cast<size_t>(live)].date, 301);
    }
};

QTEST_MAIN(PaymentListTest)
#include "payment_list_test.moc"
