// Two stations on one data folder: station A has the customer master open on a customer
// while station B, another process, deletes one of that customer's payments. A moving on
// must leave B's balance as B wrote it, and A shows the new balance once it comes back.
#include <sys/wait.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <QTest>

#include "masters/customer_master.h"
#include "masters/master_io.h"
#include "masters/messages.h"
#include "masters_support.h"
#include "payments/payment_file.h"
#include "payments/settlement.h"
#include "support/demo_year.h"
#include "ui/controls/CDataEdit.h"
#include "ui/masters/TokuisakiMsView.h"
#include "ui/masters/TokuisakiMsWnd.h"

using namespace rk;
using namespace rk::ui;
using rk::test::press;
using rk::test::typeText;

namespace {

double balanceOf(AppContext& ctx, int n) {
    CustomerRecord c{};
    masters::readCustomer(ctx.files, ctx.fileSet[kCustomers], n, c);
    return c.balance;
}

// Station B: its own process and context on the folder; deletes payment `n`.
int deleteInAnotherProcess(const std::string& folder, int n) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        AppContext b(Edition::Sales, folder);
        ScriptedDialogs quiet;
        CreatingPrompts prompts;
        StandAloneStation station;
        if (runStartupLoader(b, quiet, prompts, station) != StartupResult::Run) ::_exit(2);
        ::_exit(payments::deletePayment(b, quiet, n) == payments::Outcome::Ok ? 0 : 1);
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

}  // namespace

class CustomerTwoStationsTest : public QObject {
    Q_OBJECT

private slots:
    void movingOnLeavesAnotherStationsBalanceChange() {
        QTemporaryDir dir;
        const std::string folder = dir.path().toStdString() + "/demo";
        ScriptedDialogs quiet;
        auto ctx = test::openDemoYear(folder, 20, 300, quiet);
        QVERIFY(ctx);
        QtDialogs::setHeadless(true);
        QtDialogs::shownTexts().clear();

        // A live single payment of a customer, and that customer's balance before.
        const auto all = payments::readPayments(ctx->files, ctx->fileSet[kPayments]);
        int payment = 0, customer = 0;
        for (size_t n = all.size() - 1; n >= 1 && !payment; --n)
            if (all[n].date > 100 && all[n].memberCount == 0 && all[n].customer >= 1 && all[n].customer < 20 &&
                all[n].balanceChange != 0)
                payment = static_cast<int>(n), customer = all[n].customer;
        QVERIFY(payment > 0);
        const double before = balanceOf(*ctx, customer);

        // Station A opens the customer master and goes to that customer by its number.
        auto w = test::showWindow<TokuisakiMsWnd>(*ctx);
        QVERIFY(w);
        TokuisakiMsView* v = w->view();
        QTRY_VERIFY(v->edit() && v->edit()->hasFocus());
        typeText(QString::number(customer));
        press(Qt::Key_Return);
        QCOMPARE(v->customer(), customer);
        QCOMPARE(v->record().balance, before);

        // Station B deletes the payment: the balance moves back by what the payment booked.
        QCOMPARE(deleteInAnotherProcess(folder, payment), 0);
        const double afterB = balanceOf(*ctx, customer);
        QVERIFY(afterB != before);

        // A merely moves on to the next customer (nothing typed on this one).
        v->enterField(0);
        typeText(QString::number(customer + 1));
        press(Qt::Key_Return);
        QCOMPARE(v->customer(), customer + 1);
        QCOMPARE(balanceOf(*ctx, customer), afterB);

        // A changes the phone of the customer and moves on again: B's balance still stands,
        // and the window shows it.
        v->enterField(0);
        typeText(QString::number(customer));
        press(Qt::Key_Return);
        QCOMPARE(v->record().balance, afterB);
        v->enterField(4);
        press(Qt::Key_Home);  // Home clears the field; typing would otherwise add to the number
        typeText("0120-99");
        press(Qt::Key_Return);
        v->enterField(0);
        typeText(QString::number(customer + 1));
        press(Qt::Key_Return);
        CustomerRecord stored{};
        masters::readCustomer(ctx->files, ctx->fileSet[kCustomers], customer, stored);
        QCOMPARE(stored.balance, afterB);
        QVERIFY(QString::fromStdString(cp932::toUtf8(stored.phone)).startsWith("0120-99"));
        QVERIFY(QtDialogs::shownTexts().isEmpty());
    }

    void aBalanceChangedUnderAnOpenRecordIsShown() {
        test::MasterFiles f;
        ScriptedDialogs quiet;
        CustomerRecord c{};
        cp932::assign(c.name, "駅前花店");
        c.balance = 1000;
        QVERIFY(masters::writeCustomer(f.ctx->files, f.ctx->fileSet[kCustomers], 1, c, quiet));
        auto w = test::showWindow<TokuisakiMsWnd>(*f.ctx);
        QVERIFY(w);
        TokuisakiMsView* v = w->view();
        QTRY_VERIFY(v->edit() && v->edit()->hasFocus());
        QCOMPARE(v->record().balance, 1000.0);

        c.balance = 20000;  // another station's payment
        QVERIFY(masters::writeCustomer(f.ctx->files, f.ctx->fileSet[kCustomers], 1, c, quiet));
        press(Qt::Key_Return);  // on to the next field
        QCOMPARE(v->record().balance, 20000.0);
    }

    void aFailedWriteKeepsTheCustomerOpenAndSaysWhy() {
        test::MasterFiles f;
        auto w = test::showWindow<TokuisakiMsWnd>(*f.ctx);
        QVERIFY(w);
        TokuisakiMsView* v = w->view();
        QTRY_VERIFY(v->edit() && v->edit()->hasFocus());
        press(Qt::Key_Return);
        typeText("花の店");
        press(Qt::Key_Return);
        // The master file goes away under the window (a disk unplugged, a folder renamed).
        QVERIFY(f.ctx->files.remove(f.ctx->fileSet[kCustomers]));
        v->enterField(0);
        typeText("2");
        press(Qt::Key_Return);
        QCOMPARE(v->customer(), 1);
        QVERIFY(!QtDialogs::shownTexts().isEmpty());
        const QString shown = QtDialogs::shownTexts().last();
        QVERIFY(shown.startsWith(QString::fromUtf8(msg::kCustomerWriteFailed)));
        QVERIFY(shown.contains(QString::fromStdString(f.ctx->fileSet[kCustomers].filename().string())));
        QVERIFY(!f.ctx->files.exists(f.ctx->fileSet[kCustomers]));
    }
};

QTEST_MAIN(CustomerTwoStationsTest)
#include "customer_two_stations_test.moc"
