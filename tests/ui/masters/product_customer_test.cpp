// The product and customer masters driven by keys and clicks, checked in their files.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "masters/customer_master.h"
#include "masters/master_io.h"
#include "masters/messages.h"
#include "masters_support.h"
#include "support/ui_support.h"
#include "ui/controls/CDataEdit.h"
#include "ui/controls/CMojiList.h"
#include "ui/masters/GaitouDrowView.h"
#include "ui/masters/GaitouDrowWnd.h"
#include "ui/masters/HinMasAView.h"
#include "ui/masters/HinMasBView.h"
#include "ui/masters/HinMasWnd.h"
#include "ui/masters/TokuisakiGroupView.h"
#include "ui/masters/TokuisakiMsView.h"
#include "ui/masters/TokuisakiMsWnd.h"

using namespace rk;
using namespace rk::ui;
using rk::test::press;
using rk::test::typeText;

class ProductCustomerTest : public QObject {
    Q_OBJECT

private slots:
    void productWithAccountCodesFromTheDropDown() {
        test::MasterFiles f;
        auto w = test::showWindow<HinMasWnd>(*f.ctx);
        QVERIFY(w);
        HinMasBView* grid = w->grid();
        QTRY_VERIFY(grid->editor() && grid->editor()->hasFocus());
        QCOMPARE(grid->currentRow(), 1);
        typeText("スプレーバラ");
        press(Qt::Key_Return);
        typeText("本");
        press(Qt::Key_Return);
        QCOMPARE(grid->currentColumn(), 3);

        // Right click left of the credit column: the drop-down under the debit cell.
        grid->openAccountSearch(1, 3);
        QComboBox* accounts = grid->accountSearch();
        QTRY_VERIFY(accounts->hasFocus());
        QTest::keyClicks(accounts->lineEdit(), "");
        accounts->lineEdit()->setText("売り");
        emit accounts->lineEdit()->textEdited("売り");
        QCOMPARE(accounts->count(), 2);
        QCOMPARE(accounts->itemText(0), QString(" 110  売り掛け"));
        emit accounts->activated(0);
        QTRY_VERIFY(grid->editor() && grid->editor()->hasFocus());
        press(Qt::Key_Return);  // the chosen code is stored when the cell closes
        QCOMPARE(grid->currentColumn(), 4);
        typeText("400");
        press(Qt::Key_Return);
        QCOMPARE(grid->currentColumn(), 5);
        press(Qt::Key_Down);  // container list: the cursor moves inside the list
        press(Qt::Key_Return);
        QCOMPARE(grid->currentColumn(), 6);
        press(Qt::Key_F4);  // flower bucket from any column
        auto p = f.read<ProductRecord>(kProducts, 1);
        QCOMPARE(test::text(p.name), QString("スプレーバラ"));
        QCOMPARE(test::text(p.unit), QString("本"));
        QCOMPARE(p.salesDebit, 110);
        QCOMPARE(p.salesCredit, 400);
        QCOMPARE(p.packingKind, 2);

        // The row below copies the codes of the row above and keeps its own name.
        grid->moveTo(2, 1);
        typeText("カーネーション");
        press(Qt::Key_Return);
        grid->copyFromAbove();
        press(Qt::Key_Return);
        auto p2 = f.read<ProductRecord>(kProducts, 2);
        QCOMPARE(test::text(p2.name), QString("カーネーション"));
        QCOMPARE(p2.salesDebit, 110);
        QCOMPARE(p2.salesCredit, 400);

        // The name search opens the match list; choosing a row opens that product.
        w->header()->searchBox()->setText("バラ");
        emit w->header()->searchBox()->editingFinished();
        QCOMPARE(w->grid()->matches(), std::vector<int>{1});
        GaitouDrowWnd* list = w->matchList();
        QVERIFY(list);
        QCOMPARE(list->view()->count(), 1);
        QCOMPARE(list->view()->product(0), 1);
        test::saveScreenshot(list, "GaitouDrowWnd");
        grid->moveTo(5, 1);
        QTest::keyClick(list->view(), Qt::Key_Return);
        QCOMPARE(grid->currentRow(), 1);
        grid->moveTo(1, 1);
        test::saveScreenshot(w.get(), "HinMasWnd");
        QTest::keyClick(list->view(), Qt::Key_Escape);
        QTRY_VERIFY(!w->matchList());
    }

    void customerTypedGroupedAndWrittenAtClose() {
        test::MasterFiles f;
        CustomerRecord head{};
        cp932::assign(head.name, "他の代表");
        head.groupLink = 1;
        head.members[0] = 9;
        ScriptedDialogs quiet;
        QVERIFY(masters::writeCustomer(f.ctx->files, f.ctx->fileSet[kCustomers], 8, head, quiet));
        CustomerRecord member{};
        member.groupLink = -8;
        QVERIFY(masters::writeCustomer(f.ctx->files, f.ctx->fileSet[kCustomers], 9, member, quiet));

        auto w = test::showWindow<TokuisakiMsWnd>(*f.ctx);
        QVERIFY(w);
        TokuisakiMsView* v = w->view();
        QTRY_VERIFY(v->edit() && v->edit()->hasFocus());
        QCOMPARE(v->customer(), 1);
        press(Qt::Key_Return);
        typeText("花の店");
        press(Qt::Key_Return);
        QCOMPARE(v->field(), 2);
        QCOMPARE(test::text(v->record().honorific), QString("御中"));  // preset on entering
        press(Qt::Key_Return);
        typeText("仕入部");
        press(Qt::Key_Return);
        typeText("03-1234-5678");
        press(Qt::Key_Return);
        typeText("12");
        press(Qt::Key_Return);
        typeText("345");
        press(Qt::Key_Return);
        typeText("東京都中央区");
        press(Qt::Key_Return);
        QCOMPARE(v->field(), 8);
        QTRY_VERIFY(v->roundingList()->hasFocus());
        press(Qt::Key_2);  // round half up
        press(Qt::Key_Return);
        QCOMPARE(v->field(), 9);
        press(Qt::Key_Return);
        typeText("1.5");
        press(Qt::Key_Return);
        typeText("110");
        press(Qt::Key_Return);
        typeText("50000");
        press(Qt::Key_Return);
        QCOMPARE(v->field(), 13);

        // Members: 5 is taken, 8 heads a group and is refused.
        QListWidget* members = v->groupView()->members();
        members->item(4)->setSelected(true);
        QCOMPARE(v->groups().link(5), -1);
        members->item(7)->setSelected(true);
        QVERIFY(QtDialogs::shownTexts().contains(QString::fromUtf8(msg::kRepresentativeAsMember)));
        QVERIFY(!members->item(7)->isSelected());
        QCOMPARE(v->groups().members(1), std::vector<int>{5});
        test::saveScreenshot(w.get(), "TokuisakiMsWnd");

        // Another number saves customer 1 and loads 2.
        v->enterField(0);
        typeText("2");
        press(Qt::Key_Return);
        QCOMPARE(v->customer(), 2);
        auto c1 = f.read<CustomerRecord>(kCustomers, 1);
        QCOMPARE(test::text(c1.name), QString("花の店"));
        QCOMPARE(test::text(c1.honorific), QString("御中"));
        QCOMPARE(test::text(c1.department), QString("仕入部"));
        QCOMPARE(c1.postalFirst, 12);
        QCOMPARE(c1.postalSecond, 345);
        QCOMPARE(c1.commissionRounding, 1);
        QCOMPARE(c1.commissionRate, 1.5);
        QCOMPARE(c1.paymentAccount, 110);
        QCOMPARE(c1.balance, 50000.0);
        QCOMPARE(c1.groupLink, 1);
        QCOMPARE(v->customerList()->item(0)->text(), QString("   1  花の店"));

        // A number beyond the customer count is refused.
        v->enterField(0);
        typeText("1000");
        press(Qt::Key_Return);
        QCOMPARE(v->customer(), 2);

        // The search lists customers holding the text; Enter loads the chosen one.
        v->enterField(TokuisakiMsView::kSearchField);
        typeText("花");
        press(Qt::Key_Return);
        CMojiList* results = v->searchResults();
        QVERIFY(results);
        QCOMPARE(results->count(), 1);
        QTRY_VERIFY(results->hasFocus());
        press(Qt::Key_Return);
        QCOMPARE(v->customer(), 1);

        const QString csv = QDir(f.dir.path()).filePath("得意先.Csv");
        QVERIFY(v->exportTo(csv));
        QFile file(csv);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("\r\n1, "));

        w->close();
        QCOMPARE(f.read<CustomerRecord>(kCustomers, 5).groupLink, -1);
        QCOMPARE(f.read<CustomerRecord>(kCustomers, 1).members[0], 5);
        QCOMPARE(f.read<CustomerRecord>(kCustomers, 9).groupLink, -8);
    }

    void groupClearAndTheCloseCheck() {
        test::MasterFiles f;
        f.ctx->env.customerCount = 1999;
        CustomerRecord head{};
        head.groupLink = 2;
        head.members[0] = 4;
        head.members[1] = 6;  // 6 names nobody: reported at close
        ScriptedDialogs quiet;
        QVERIFY(masters::writeCustomer(f.ctx->files, f.ctx->fileSet[kCustomers], 3, head, quiet));
        CustomerRecord member{};
        member.groupLink = -3;
        QVERIFY(masters::writeCustomer(f.ctx->files, f.ctx->fileSet[kCustomers], 4, member, quiet));

        auto w = test::showWindow<TokuisakiMsWnd>(*f.ctx);
        QVERIFY(w);
        QCOMPARE(*f.ctx->files.size(f.ctx->fileSet[kCustomers]), 2066u * 480);  // room for 1999
        TokuisakiMsView* v = w->view();
        QCOMPARE(v->customerList()->count(), 1999);
        QVERIFY(v->switchTo(4));
        QVERIFY(!v->groupView()->members()->selectedItems().size());
        v->groupView()->findChild<QPushButton*>("clearGroup")->click();  // 4 leaves the group of 3
        QCOMPARE(v->groups().members(3), std::vector<int>{6});
        QtDialogs::shownTexts().clear();
        w->close();
        QCOMPARE(QtDialogs::shownTexts().size(), 1);
        QVERIFY(QtDialogs::shownTexts().value(0).startsWith("得意先No   3  のメンバー数　 1  のうち"));
        auto c3 = f.read<CustomerRecord>(kCustomers, 3);
        QCOMPARE(c3.groupLink, 1);
        QCOMPARE(c3.members[0], 6);
        QCOMPARE(c3.members[1], 0);
        QCOMPARE(f.read<CustomerRecord>(kCustomers, 4).groupLink, 0);
    }
};

QTEST_MAIN(ProductCustomerTest)
#include "product_customer_test.moc"
