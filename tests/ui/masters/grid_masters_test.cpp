// The grade, remark and account-item windows driven by keys, checked in their files.
#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include "masters/account_items.h"
#include "masters/master_io.h"
#include "masters/messages.h"
#include "masters_support.h"
#include "support/ui_support.h"
#include "ui/controls/CDataEdit.h"
#include "ui/controls/CMojiList.h"
#include "ui/masters/BikouMasBView.h"
#include "ui/masters/BikouMasWnd.h"
#include "ui/masters/KamokuMasAView.h"
#include "ui/masters/KamokuMasBView.h"
#include "ui/masters/KamokuMasWnd.h"
#include "ui/masters/KikakuMasBView.h"
#include "ui/masters/KikakuMasWnd.h"

using namespace rk;
using namespace rk::ui;
using rk::test::press;
using rk::test::typeText;

class GridMastersTest : public QObject {
    Q_OBJECT

private slots:
    void gradesAreTypedIntoTheirRecords() {
        test::MasterFiles f;
        auto w = test::showWindow<KikakuMasWnd>(*f.ctx);
        QVERIFY(w);
        KikakuMasBView* grid = w->grid();
        QTRY_VERIFY(qobject_cast<CDataEdit*>(grid->editor()) && grid->editor()->hasFocus());
        typeText("秀");
        press(Qt::Key_Return);
        QCOMPARE(grid->currentRow(), 2);
        press(Qt::Key_Right);  // unchanged name, on to grade 2 of row 2
        typeText("2L");
        press(Qt::Key_Right);  // the caret at the end of the text: the next Right leaves
        press(Qt::Key_Right);
        QCOMPARE(grid->currentColumn(), 3);
        typeText("12");
        press(Qt::Key_Return);
        auto g1 = f.read<GradeRecord>(kGrades, 1);
        auto g2 = f.read<GradeRecord>(kGrades, 2);
        QCOMPARE(test::text(g1.grade1Name), QString("秀"));
        QCOMPARE(test::text(g2.grade2Name), QString("2L"));
        QCOMPARE(g2.spareA, 12);
        QCOMPARE(grid->currentRow(), 3);

        // A click opens a name, never a spare value; Enter on row 99 stays there.
        grid->moveTo(99, 1);
        press(Qt::Key_Return);
        QCOMPARE(grid->currentRow(), 99);
        grid->scrollToRow(1);
        grid->moveTo(2, 2);
        test::saveScreenshot(w.get(), "KikakuMasWnd");
    }

    void remarksTakeTheirLengthByNumber() {
        test::MasterFiles f;
        auto w = test::showWindow<BikouMasWnd>(*f.ctx);
        QVERIFY(w);
        BikouMasBView* grid = w->grid();
        QTRY_VERIFY(grid->editor() && grid->editor()->hasFocus());
        typeText("午前着");
        press(Qt::Key_Down);
        QCOMPARE(grid->currentRow(), 2);
        QCOMPARE(test::text(f.read<RemarkRecord>(kRemarks, 1).text), QString("午前着"));

        const QString longText(30, QChar('x'));
        grid->moveTo(499, 1);
        typeText(longText);
        press(Qt::Key_Down);
        QCOMPARE(test::text(f.read<RemarkRecord>(kRemarks, 499).text), QString(21, QChar('x')));
        QCOMPARE(grid->currentRow(), 500);
        typeText(longText);
        press(Qt::Key_Up);
        QCOMPARE(test::text(f.read<RemarkRecord>(kRemarks, 500).text), longText);
        grid->scrollToRow(1);
        grid->moveTo(1, 1);
        test::saveScreenshot(w.get(), "BikouMasWnd");
    }

    void accountItemsBalancesDuplicatesAndTheMismatchAtClose() {
        test::MasterFiles f;
        auto w = test::showWindow<KamokuMasWnd>(*f.ctx);
        QVERIFY(w);
        KamokuMasBView* grid = w->grid();
        QTRY_VERIFY(grid->editor() && grid->editor()->hasFocus());
        QCOMPARE(grid->currentRow(), 100);
        press(Qt::Key_Return);  // name of 100 unchanged, on to its balance
        QCOMPARE(grid->currentColumn(), 2);
        typeText("1234.7");
        press(Qt::Key_Return);
        QCOMPARE(f.read<AccountItemRecord>(kAccounts, 100).openingBalance, 1234.0);
        QCOMPARE(grid->totals().debit, 1234.0);
        QCOMPARE(grid->currentRow(), 101);

        // A second "現金" is reported once.
        typeText("現金");
        press(Qt::Key_Return);
        QCOMPARE(test::text(f.read<AccountItemRecord>(kAccounts, 101).name), QString("○○銀行預金現金"));
        grid->moveTo(102, 1);
        typeText("現金");
        press(Qt::Key_Down);
        QVERIFY(
            QtDialogs::shownTexts().join("|").contains("その入力科目No.  102  と  既存No.  100  とが同一科目名です"));

        // Revenue has no balance: Right stays on the name.
        w->grid()->showCategory(3);
        QCOMPARE(grid->currentRow(), 400);
        press(Qt::Key_Right);
        QCOMPARE(grid->currentColumn(), 1);

        // The reference list puts a standard name into the item and moves down.
        w->grid()->showCategory(4);
        grid->moveTo(520, 1);
        grid->openReference();
        auto* list = qobject_cast<CMojiList*>(grid->editor());
        QVERIFY(list);
        QTRY_VERIFY(list->hasFocus());
        list->setCurrentRow(1);
        press(Qt::Key_Return);
        QCOMPARE(test::text(f.read<AccountItemRecord>(kAccounts, 520).name), QString("種苗費"));
        QCOMPARE(grid->currentRow(), 521);

        // Ctrl+Home stores the name and goes back to the top; Page Down goes 10 rows.
        QTRY_VERIFY(grid->editor() && grid->editor()->hasFocus());
        typeText("育苗費");
        press(Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(test::text(f.read<AccountItemRecord>(kAccounts, 521).name), QString("育苗費"));
        QCOMPARE(grid->currentRow(), 100);
        press(Qt::Key_PageDown);
        QCOMPARE(grid->currentRow(), 110);
        // Alt+D marks the current item in the file; a later write of the item keeps the mark.
        press(Qt::Key_D, Qt::AltModifier);
        QCOMPARE(f.read<AccountItemRecord>(kAccounts, 110).mark, 1.0);
        press(Qt::Key_Down);
        QCOMPARE(f.read<AccountItemRecord>(kAccounts, 110).mark, 1.0);
        grid->toggleMark(510);
        QCOMPARE(f.read<AccountItemRecord>(kAccounts, 510).mark, 1.0);
        grid->scrollToRow(100);
        grid->moveTo(100, 1);
        test::saveScreenshot(w.get(), "KamokuMasWnd");

        QtDialogs::shownTexts().clear();
        w->close();
        QCOMPARE(QtDialogs::shownTexts(), QStringList{QString::fromUtf8(msg::kAccountTotalsMismatch)});
        QCOMPARE(f.ctx->settings.accountWindowSetting, 20);
    }
    // "印刷" prints the named items under their categories, the balances on their side.
    void accountItemsArePrinted() {
        test::MasterFiles f;
        AccountItemRecord r{};
        (void)masters::readAccountItem(f.ctx->files, f.ctx->fileSet[kAccounts], 101, r);
        r.openingBalance = 25000;
        QVERIFY(masters::writeAccountItem(f.ctx->files, f.ctx->fileSet[kAccounts], 101, r));
        auto w = test::showWindow<KamokuMasWnd>(*f.ctx);
        QVERIFY(w);
        const QString pdf = QDir::current().filePath("screens/account_items.pdf");
        int pages = 0;
        w->header()->output().print = [&](const Planner& planner, QWidget*) {
            pages = static_cast<int>(planner({0, 0, 4724, 6800, 600}).pages.size());
            return writePdf(planner, pdf);
        };
        for (QPushButton* b : w->header()->findChildren<QPushButton*>())
            if (b->text() == "印刷") b->click();
        QCOMPARE(pages, 1);
        QProcess p;
        p.start("pdftotext", {"-layout", pdf, "-"});
        p.waitForFinished(20000);
        const QString text = QString::fromUtf8(p.readAllStandardOutput());
        for (const char* s :
             {"【 勘 定 科 目 デ ー タ 】", "【 資 産 】", "【 費 用 】", "○○銀行預金", "市場手数料", "25,000"})
            QVERIFY2(text.contains(QString::fromUtf8(s)), s);
    }
};

QTEST_MAIN(GridMastersTest)
#include "grid_masters_test.moc"
