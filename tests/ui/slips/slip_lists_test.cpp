// Slip entry inside the main frame with the program's own wiring: the customer list of a date,
// the master reference lists and character searches, the line keys (marks, copy and paste
// through the line file, sort), F1, the packing-kind choice and a slip asked for by another window.
#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTest>

#include "app/startup_loader.h"
#include "app/station_hook.h"
#include "base/cp932.h"
#include "masters/master_io.h"
#include "slips/slip_lines.h"
#include "slips/slip_messages.h"
#include "support/key_typing.h"
#include "support/ui_support.h"
#include "ui/app/MainFrame.h"
#include "ui/app/QtDialogs.h"
#include "ui/app/WindowRegistry.h"
#include "ui/controls/CDataEdit.h"
#include "ui/controls/CMojiList.h"
#include "ui/slips/FMdinAView.h"
#include "ui/slips/FMdinBView.h"
#include "ui/slips/FMdinCView.h"
#include "ui/slips/FMdinWnd.h"
#include "ui/slips/GaitouListView.h"
#include "ui/slips/GaitouListWnd.h"

using namespace rk;
using namespace rk::ui;

namespace {

using test::focus;
using test::key;
using test::type;
using test::typeLine;

void pad(char digit) { QTest::keyClick(focus(), Qt::Key(Qt::Key_0 + (digit - '0')), Qt::KeypadModifier); }
// Japanese text, one character a key event.
void typeText(const QString& text) {
    for (QChar c : text) {
        QTest::sendKeyEvent(QTest::Press, focus(), Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, focus(), Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

}  // namespace

class SlipListsTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<AppContext> ctx;
    ScriptedDialogs startup;
    QtDialogs dialogs;
    std::unique_ptr<MainFrame> frame;

    SlipLine lineOf(FMdinWnd* w, int j) { return w->doc().lines[j]; }

    FMdinWnd* openSlipEntry(int command) {
        QWidget* sub = frame->registry()->open(command);
        return sub ? sub->findChild<FMdinWnd*>() : nullptr;
    }

    void closeAll() {
        frame->mdiArea()->closeAllSubWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QTRY_VERIFY(frame->mdiArea()->subWindowList().isEmpty());
    }

private slots:
    void initTestCase() {
        QVERIFY(dir.isValid());
        ctx = std::make_unique<AppContext>(Edition::Sales, dir.path().toStdString());
        BasicSettings s = defaultSettings(ctx->clock);
        s.businessYear = s.inputYear = 2026;
        s.firstMonth = 1;
        QVERIFY(writeNewInstallation(*ctx, s));
        CreatingPrompts prompts;
        StandAloneStation station;
        QCOMPARE(runStartupLoader(*ctx, startup, prompts, station), StartupResult::Run);
        ctx->env.customerCount = 2999;
        const char* names[] = {"スプレーバラ", "カーネーション", "ミニバラ"};
        for (int n : {12, 13, 14, 20}) {
            ProductRecord p{};
            cp932::assign(p.name, n == 20 ? "ガーベラ" : names[n - 12]);
            cp932::assign(p.unit, "本");
            p.salesDebit = 110;
            p.salesCredit = 400;
            QVERIFY(masters::writeProduct(ctx->files, ctx->fileSet[kProducts], n, p));
        }
        GradeRecord g{};
        cp932::assign(g.grade1Name, "秀");
        QVERIFY(masters::writeRecord(ctx->files, ctx->fileSet[kGrades], 3, g));
        for (int n : {7, 2500}) {
            CustomerRecord c{};
            cp932::assign(c.name, n == 7 ? "有限会社鈴木生花店" : "遠野園芸");
            QVERIFY(masters::writeRecord(ctx->files, ctx->fileSet[kCustomers], n, c));
        }
        QtDialogs::setHeadless(true);
        frame = std::make_unique<MainFrame>(*ctx, dialogs);
        frame->resize(1280, 900);
        frame->show();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
    }

    void cleanup() {
        closeAll();
        QtDialogs::shownTexts().clear();
    }

    void customerListOfTheDateOpensTheChosenSlip() {
        FMdinWnd* w = openSlipEntry(131);
        QVERIFY(w);
        type("512");
        key(Qt::Key_Return);
        type("7");
        key(Qt::Key_Return);
        typeLine(12, 10, 150);
        key(Qt::Key_F5);
        QVERIFY(!w->gridActive());

        key(Qt::Key_Return);  // the same date
        key(Qt::Key_F12);
        auto* list = frame->findChild<GaitouListWnd*>();
        QVERIFY(list);
        GaitouListView* rows = list->view();
        QCOMPARE(rows->count(), 2999);  // every customer of the count
        QCOMPARE(rows->row(6).stage, int(kStageDelivery));
        QCOMPARE(rows->row(2499).stage, -1);
        QCOMPARE(QApplication::focusWidget(), rows);
        QTest::keyClick(rows, Qt::Key_Down);
        QCOMPARE(rows->selected(), 1);
        test::saveScreenshot(list->parentWidget(), "customer_list_of_date");
        // Typed digits name the customer whatever row is selected, and show in the field.
        pad('7');
        QCOMPARE(w->header()->edit()->shownText().trimmed(), QString("7"));
        key(Qt::Key_Return);
        QTRY_VERIFY(!frame->findChild<GaitouListWnd*>());
        QVERIFY(w->gridActive());
        QCOMPARE(w->doc().recordNumber(), 1);
        QCOMPARE(w->line(), 2);
    }

    void escapeKeepsTheFieldAndTypedNumbersReachTheCount() {
        FMdinWnd* w = openSlipEntry(131);
        QVERIFY(w);
        type("512");
        key(Qt::Key_Return);
        key(Qt::Key_F12);
        QVERIFY(frame->findChild<GaitouListWnd*>());
        key(Qt::Key_Escape);
        QTRY_VERIFY(!frame->findChild<GaitouListWnd*>());
        QVERIFY(!w->gridActive());
        QCOMPARE(w->header()->field(), 2);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w->header()->edit()));
        type("2500");
        key(Qt::Key_Return);
        QVERIFY(w->gridActive());
        QCOMPARE(w->doc().header.customer, 2500);
        QCOMPARE(cp932::toUtf8(w->doc().header.customerName), std::string("遠野園芸"));
    }

    void masterReferenceListsFeedTheirCodes() {
        FMdinWnd* w = openSlipEntry(131);
        QVERIFY(w);
        type("601");
        key(Qt::Key_Return);
        type("7");
        key(Qt::Key_Return);
        QVERIFY(w->gridActive());
        key(Qt::Key_F12);  // the sales method has its codes as a hint
        QCOMPARE(w->footer()->hint(), QString(msg::kMethodHintSales));
        type("1");
        QCOMPARE(w->grid()->field(), 2);
        QVERIFY(w->footer()->hint().isEmpty());
        key(Qt::Key_F12);
        CMojiList* list = w->grid()->pickList();
        QVERIFY(list);
        QCOMPARE(list->count(), 499);
        test::saveScreenshot(w, "slip_entry_product_reference");
        type("13");
        key(Qt::Key_Return);
        QVERIFY(!w->grid()->pickList());
        QCOMPARE(lineOf(w, 1).product, 13);
        QCOMPARE(w->grid()->field(), 4);  // as after Enter on the code
        w->footer()->button("ﾏｽﾀｰ参照(F12")->click();
        QVERIFY(w->grid()->pickList());
        type("3");
        key(Qt::Key_Return);
        QCOMPARE(lineOf(w, 1).grade1, 3);
        QCOMPARE(w->grid()->field(), 5);
        for (int i = 0; i < 10; ++i) key(Qt::Key_Right);
        QCOMPARE(w->grid()->field(), 15);
        key(Qt::Key_F12);
        QCOMPARE(w->grid()->pickList()->count(), 500);
        type("401");  // a typed number is the account code, not a row
        key(Qt::Key_Return);
        QCOMPARE(lineOf(w, 1).credit, 401);
        QCOMPARE(w->line(), 1);  // as Enter on the last field: line 1 is not complete yet
        QCOMPARE(w->grid()->field(), 1);
        // Esc leaves a list without a choice.
        key(Qt::Key_Right);
        key(Qt::Key_F12);
        QVERIFY(w->grid()->pickList());
        key(Qt::Key_Escape);
        QVERIFY(!w->grid()->pickList());
        QCOMPARE(w->grid()->field(), 2);
        QCOMPARE(lineOf(w, 1).product, 13);
    }

    void characterSearchInTheGridAndTheHeader() {
        FMdinWnd* w = openSlipEntry(131);
        QVERIFY(w);
        type("602");
        key(Qt::Key_Return);
        key(Qt::Key_Right);
        QCOMPARE(w->header()->field(), 3);
        w->footer()->button("文字検索")->click();
        QCOMPARE(QtDialogs::shownTexts().back(), QString(msg::kCustomerSearchEmpty));
        typeText("鈴木");
        key(Qt::Key_S, Qt::AltModifier);
        CMojiList* customers = w->header()->searchList();
        QVERIFY(customers);
        QCOMPARE(customers->count(), 1);
        test::saveScreenshot(w, "slip_entry_customer_search");
        key(Qt::Key_Return);
        QVERIFY(w->gridActive());
        QCOMPARE(w->doc().header.customer, 7);

        type("1");
        type("99");
        key(Qt::Key_Return);
        QCOMPARE(w->grid()->field(), 3);  // product 99 takes a typed name
        w->footer()->button("文字検索")->click();
        QCOMPARE(QtDialogs::shownTexts().back(), QString(msg::kGridSearchWhere));  // nothing typed yet
        typeText("バラ");
        key(Qt::Key_S, Qt::AltModifier);
        CMojiList* products = w->grid()->pickList();
        QVERIFY(products);
        QCOMPARE(products->count(), 2);
        key(Qt::Key_Down);
        key(Qt::Key_Return);
        QCOMPARE(lineOf(w, 1).product, 14);
        QCOMPARE(cp932::toUtf8(lineOf(w, 1).productName), std::string("ミニバラ"));
        QCOMPARE(w->grid()->field(), 4);

        // A grade code takes its search text in a box over the name beside it.
        key(Qt::Key_S, Qt::AltModifier);
        QCOMPARE(focus()->objectName(), QString("gradeSearch"));
        typeText("秀");
        key(Qt::Key_Return);
        QVERIFY(w->grid()->pickList());
        QCOMPARE(w->grid()->pickList()->count(), 1);
        key(Qt::Key_Return);
        QCOMPARE(lineOf(w, 1).grade1, 3);
        QCOMPARE(w->grid()->field(), 5);
    }

    void markedLinesAreCopiedPastedAndSorted() {
        FMdinWnd* w = openSlipEntry(131);
        QVERIFY(w);
        type("603");
        key(Qt::Key_Return);
        type("7");
        key(Qt::Key_Return);
        typeLine(14, 3, 400);
        typeLine(12, 10, 150);
        typeLine(13, 20, 80);
        QCOMPARE(w->line(), 4);
        key(Qt::Key_T, Qt::AltModifier);
        QCOMPARE(lineOf(w, 1).product, 12);
        QCOMPARE(lineOf(w, 2).product, 13);
        QCOMPARE(lineOf(w, 3).product, 14);

        key(Qt::Key_Up);
        key(Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE(w->line(), 2);
        QVERIFY(w->lines().marked(3));
        key(Qt::Key_Up, Qt::ShiftModifier);
        QVERIFY(w->lines().marked(2));
        QCOMPARE(w->line(), 1);
        test::saveScreenshot(w, "slip_entry_marked_lines");
        key(Qt::Key_Insert, Qt::ControlModifier);
        const fs::path saved = ctx->programFolder() / msg::kLineCopyFile;
        QCOMPARE(ctx->files.size(saved).value_or(0), 2 * kSlipLineSize);
        QVERIFY(!w->lines().marked(2) && !w->lines().marked(3));
        for (int i = 0; i < 3; ++i) key(Qt::Key_Down);
        QCOMPARE(w->line(), 4);
        key(Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(lineOf(w, 4).product, 13);
        QCOMPARE(lineOf(w, 5).product, 14);
        QCOMPARE(w->totals().lines, 5);
        QCOMPARE(w->totals().amount, 1500.0 + 1600 + 1200 + 1600 + 1200);

        // F1 opens the guide on the prompt of the field.
        key(Qt::Key_F1);
        QCOMPARE(ctx->topic, std::string("＊．売り方入力"));
    }

    void packingKindIsChosenForALine() {
        FMdinWnd* w = openSlipEntry(131);
        QVERIFY(w);
        type("604");
        key(Qt::Key_Return);
        type("7");
        key(Qt::Key_Return);
        type("1");
        type("20");
        key(Qt::Key_Return);
        type("3");
        key(Qt::Key_Return);
        type("0");
        key(Qt::Key_Return);
        QCOMPARE(w->grid()->field(), 6);
        QString shot;
        test::onNextModal([&shot](QWidget* dlg) {
            shot = test::saveScreenshot(dlg, "slip_entry_packing_choice");
            for (QPushButton* b : dlg->findChildren<QPushButton*>())
                if (b->text() == "ﾄﾚｰ指定") b->click();
        });
        key(Qt::Key_F2);
        QVERIFY(!shot.isEmpty());
        QCOMPARE(lineOf(w, 1).packingKind, int(kPackTray));
        QCOMPARE(w->grid()->field(), 11);
        // The frame is active again once the choice has closed.
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w->grid()->edit()));
        type("10");
        key(Qt::Key_Return);
        type("4");
        key(Qt::Key_Return);
        QCOMPARE(lineOf(w, 1).quantity, 40.0);
        QCOMPARE(QString::fromStdString(cp932::toUtf8(lineOf(w, 1).remark)).trimmed(), QString("10本x4ﾄﾚｰ"));
    }

    void aDeliveryAskedForInOrderModeTurnsBackIntoAnOrder() {
        // Another window asks for the delivery of 512 / 7 in order mode (1 + 10).
        ctx->slipRequest = {512, 7};
        ctx->windowMode = 11;
        FMdinWnd* w = openSlipEntry(130);
        QVERIFY(w);
        QCOMPARE(w->mode(), 1);
        QVERIFY(w->gridActive());
        QCOMPARE(w->doc().header.stage, int(kStageDelivery));
        test::saveScreenshot(w, "slip_entry_mode1_requested");
        // A line with home-delivery slips shows its number on the first display colour.
        w->doc().lines[1].word200 = 3;
        QCOMPARE(w->grid()->grab(QRect(0, 0, 40, 58)).toImage().pixelColor(6, 6), QColor::fromRgb(ctx->colours[0]));
        w->doc().lines[1].word200 = 0;
        QCOMPARE(w->grid()->grab(QRect(0, 0, 40, 58)).toImage().pixelColor(6, 6), QColor(Qt::white));
        QtDialogs::queueAnswers({Answer::Yes});
        key(Qt::Key_F5);
        QVERIFY(QtDialogs::shownTexts().contains(QString(msg::kBackToOrder)));
        SlipHeader h{};
        QVERIFY(ctx->files.readZeroFilled(ctx->fileSet[kSlipHeaders], 768, bytesOf(h)));
        QCOMPARE(h.stage, int(kStageOrder));
        QCOMPARE(h.date, 512);
    }

    void aSettledSlipAskedForOpensInPaymentReference() {
        {
            CFq7Doc doc(*ctx, startup);
            doc.header.date = 605;
            doc.header.customer = 7;
            doc.header.stage = kStageSettled;
            cp932::assign(doc.header.customerName, "有限会社鈴木生花店");
            std::fill(std::begin(doc.header.lineSlots), std::end(doc.header.lineSlots), -1);
            SlipLineEditor ed(doc, *ctx, startup, 4);
            ed.storeMethod(1, 1);
            ed.storeProduct(1, 12);
            ed.storeGrade(1, 1, 3);
            ed.storeGrade(1, 2, 0);
            doc.lines[1].quantity = doc.lines[1].delivered = 10;
            ed.storePrice(1, 150);
            ed.recount();
            QCOMPARE(doc.record(), CFq7Doc::WriteResult::Ok);
        }
        // The day list asks for a settled slip with the settlement command and mode 4 + 10.
        ctx->slipRequest = {605, 7};
        ctx->windowMode = 14;
        FMdinWnd* w = openSlipEntry(133);
        QVERIFY(w);
        QCOMPARE(w->mode(), 4);
        QVERIFY(!w->footer()->button("記録(F5)"));
        QVERIFY(w->gridActive());
        QCOMPARE(w->line(), 2);  // the first empty line, field 1
        QCOMPARE(w->grid()->field(), 1);
        test::saveScreenshot(w, "slip_entry_mode4_requested");
        key(Qt::Key_Up);
        for (int i = 0; i < 5; ++i) key(Qt::Key_Right);  // a settled slip passes over the money fields
        QCOMPARE(w->grid()->field(), 9);
    }
};

QTEST_MAIN(SlipListsTest)
#include "slip_lists_test.moc"
