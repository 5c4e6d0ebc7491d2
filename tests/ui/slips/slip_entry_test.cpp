// The slip entry window driven by keys: a new delivery slip of three lines recorded with F5
// and found in the files, reopened and changed in place, and the refusals.
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include "app/lan_control.h"
#include "app/lan_station.h"
#include "app/startup_loader.h"
#include "app/station_hook.h"
#include "base/cp932.h"
#include "masters/master_io.h"
#include "slips/slip_messages.h"
#include "support/key_typing.h"
#include "support/ui_support.h"
#include "ui/app/QtDialogs.h"
#include "ui/app/WindowCatalog.h"
#include "ui/app/WindowRegistry.h"
#include "ui/controls/CDataEdit.h"
#include "ui/slips/DentakuWnd.h"
#include "ui/slips/FChanjeDateWnd.h"
#include "ui/slips/FMdinAView.h"
#include "ui/slips/FMdinBView.h"
#include "ui/slips/FMdinCView.h"
#include "ui/slips/FMdinWnd.h"
#include "ui/slips/FUrikakeWnd.h"
#include "ui/slips/FWidthMojiWnd.h"

using namespace rk;
using namespace rk::ui;

namespace {

template <Record T>
T recordAt(AppContext& ctx, DataSlot slot, int n) {
    T r{};
    (void)ctx.files.readZeroFilled(ctx.fileSet[slot], static_cast<uint64_t>(n) * sizeof(T), bytesOf(r));
    return r;
}

using test::key;
using test::type;
using test::typeLine;

}  // namespace

class SlipEntryTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<AppContext> ctx;
    ScriptedDialogs dialogs;

    std::unique_ptr<FMdinWnd> open(int mode) {
        auto w = std::make_unique<FMdinWnd>(*ctx, dialogs, mode);
        w->show();
        if (!QTest::qWaitForWindowActive(w.get())) return nullptr;
        return w;
    }

    // Date and customer on the header.
    void openSlip(int date, int customer) {
        type(QString::number(date));
        key(Qt::Key_Return);
        type(QString::number(customer));
        key(Qt::Key_Return);
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
        QCOMPARE(runStartupLoader(*ctx, dialogs, prompts, station), StartupResult::Run);
        for (int n : {12, 13, 14}) {
            ProductRecord p{};
            cp932::assign(p.name, n == 12 ? "スプレーバラ" : n == 13 ? "カーネーション" : "トルコキキョウ");
            cp932::assign(p.unit, "本");
            p.salesDebit = 110;
            p.salesCredit = 400;
            QVERIFY(masters::writeProduct(ctx->files, ctx->fileSet[kProducts], n, p));
        }
        GradeRecord g{};
        cp932::assign(g.grade1Name, "秀");
        QVERIFY(masters::writeRecord(ctx->files, ctx->fileSet[kGrades], 3, g));
        CustomerRecord c{};
        cp932::assign(c.name, "有限会社鈴木生花店");
        QVERIFY(masters::writeRecord(ctx->files, ctx->fileSet[kCustomers], 7, c));
    }

    void newDeliverySlipIsRecordedByteForByte() {
        auto w = open(2);
        QVERIFY(w);
        openSlip(512, 7);
        QVERIFY(w->gridActive());
        QCOMPARE(w->line(), 1);
        typeLine(12, 10, 150);
        typeLine(13, 20, 80);
        typeLine(14, 3, 400);
        QCOMPARE(w->totals().lines, 3);
        QCOMPARE(w->totals().amount, 1500.0 + 1600 + 1200);
        w->resize(1012, 526 + 57);
        test::saveScreenshot(w.get(), "slip_entry_mode2_new");
        key(Qt::Key_F5);
        QVERIFY(!w->gridActive());

        const auto h = recordAt<SlipHeader>(*ctx, kSlipHeaders, 1);
        QCOMPARE(h.date, 512);
        QCOMPARE(h.customer, 7);
        QCOMPARE(h.stage, int(kStageDelivery));
        QCOMPARE(h.lineCount, 3);
        QCOMPARE(h.amount, 0.0);  // stored by receivable processing
        QCOMPARE(cp932::toUtf8(h.customerName), std::string("有限会社鈴木生花店"));
        const int products[] = {12, 13, 14};
        const double amounts[] = {1500, 1600, 1200};
        for (int j = 1; j <= 3; ++j) {
            QCOMPARE(h.lineSlots[j], j);
            const auto l = recordAt<SlipLine>(*ctx, kSlipLines, j);
            QCOMPARE(l.product, products[j - 1]);
            QCOMPARE(l.owner, 1);
            QCOMPARE(l.salesMethod, 1);
            QCOMPARE(l.grade1, 3);
            QCOMPARE(l.grade2, 99);
            QCOMPARE(l.ordered, 0.0);
            QCOMPARE(l.amount, amounts[j - 1]);
            QCOMPARE(l.debit, 110);
        }
        QCOMPARE(recordAt<IndexEntry>(*ctx, kIndex1, 1), (IndexEntry{512, 7}));
        QCOMPARE(recordAt<IndexEntry>(*ctx, kIndex2, 1), (IndexEntry{1, 3}));
    }

    // Enter on a product code kept as it is goes past the name, as typing the code does.
    void enterOnAKeptProductCodeSkipsTheName() {
        auto w = open(2);
        QVERIFY(w);
        key(Qt::Key_Return);
        type("7");
        key(Qt::Key_Return);
        key(Qt::Key_Up);  // the last line of the slip
        QCOMPARE(w->grid()->field(), 1);
        QVERIFY(w->doc().lines[w->line()].product != 99);
        key(Qt::Key_Return);
        QCOMPARE(w->grid()->field(), 2);
        key(Qt::Key_Return);
        QCOMPARE(w->grid()->field(), 4);
    }

    void reopenedSlipIsChangedInPlace() {
        auto w = open(2);
        QVERIFY(w);
        key(Qt::Key_Return);  // the date of the last slip is already there
        type("7");
        key(Qt::Key_Return);
        QCOMPARE(w->line(), 4);  // the first empty line
        QCOMPARE(w->doc().recordNumber(), 1);
        key(Qt::Key_Up);
        key(Qt::Key_Up);
        for (int i = 0; i < 5; ++i) key(Qt::Key_Right);
        QCOMPARE(w->grid()->field(), 6);
        type("25");
        key(Qt::Key_Return);
        test::saveScreenshot(w.get(), "slip_entry_mode2_loaded");
        key(Qt::Key_F5);
        QVERIFY(!w->gridActive());
        QCOMPARE(ctx->files.size(ctx->fileSet[kSlipLines]).value_or(0), 4 * kSlipLineSize);
        const auto l = recordAt<SlipLine>(*ctx, kSlipLines, 2);
        QCOMPARE(l.quantity, 25.0);
        QCOMPARE(l.amount, 2000.0);
        QCOMPARE(recordAt<SlipHeader>(*ctx, kSlipHeaders, 1).lineSlots[2], 2);
    }

    void settlementModeLoadsButRefusesNewSlips() {
        auto w = open(3);
        QVERIFY(w);
        QVERIFY(!w->footer()->button("記録(F5)"));  // no record button in this mode
        QVERIFY(!w->footer()->button("売掛(F6)")->isEnabled());
        openSlip(512, 7);
        QVERIFY(w->gridActive());
        QCOMPARE(w->line(), 1);
        QCOMPARE(w->grid()->field(), 7);  // straight to the unit price
        test::saveScreenshot(w.get(), "slip_entry_mode3_loaded");
        w->close();

        auto v = open(3);
        QVERIFY(v);
        dialogs.shown.clear();
        openSlip(601, 8);
        QVERIFY(!v->gridActive());
        QCOMPARE(dialogs.shown.back(), std::string(msg::kNoNewSlipInMode));
    }

    void orderModeAsksBeforeTurningADeliveryBack() {
        auto w = open(1);
        QVERIFY(w);
        openSlip(512, 7);
        test::saveScreenshot(w.get(), "slip_entry_mode1_loaded");
        dialogs.answers = {Answer::No};
        key(Qt::Key_F5);
        QCOMPARE(dialogs.shown.back(), std::string(msg::kBackToOrder));
        QVERIFY(w->gridActive());
        QCOMPARE(recordAt<SlipHeader>(*ctx, kSlipHeaders, 1).stage, int(kStageDelivery));
    }

    void slipOpenOnAnotherStationIsRefused() {
        // This station serves a shared folder; a client station has the slip of 512 / 7 open.
        ctx->settings.lanMode = 1;
        LanStation server;
        QCOMPARE(server.registerAtStart(*ctx, dialogs), StationStart::Continue);
        AppContext other(Edition::Sales, dir.path().toStdString());
        other.fileSet = ctx->fileSet;
        other.settings = ctx->settings;
        other.settings.lanMode = 2;
        other.env = ctx->env;
        ScriptedDialogs otherDialogs;
        LanStation client;
        QCOMPARE(client.registerAtStart(other, otherDialogs), StationStart::Continue);
        QCOMPARE(other.stationNumber, 2);
        QCOMPARE(LanControl(other, otherDialogs).lockSlip(512, 7), lan::kOk);

        auto w = open(2);
        QVERIFY(w);
        dialogs.shown.clear();
        openSlip(512, 7);
        QVERIFY(!w->gridActive());
        QCOMPARE(dialogs.shown.back(), std::string(msg::kSlipOpenElsewhere));
        QCOMPARE(w->doc().header.customer, 0);
        QCOMPARE(w->header()->field(), 2);
        QCOMPARE(w->doc().recordNumber(), -1);  // nothing was loaded

        // Once the other station has left, the same typing opens the slip.
        bool backup = false;
        (void)client.unregisterAtExit(other, otherDialogs, backup);
        type("7");
        key(Qt::Key_Return);
        QVERIFY(w->gridActive());
        QCOMPARE(w->doc().recordNumber(), 1);
        w->close();
        (void)server.unregisterAtExit(*ctx, dialogs, backup);
        ctx->settings.lanMode = 0;
    }

    void fieldExplanationOpensTheGuideOnThePrompt() {
        FMdinWnd w(*ctx, dialogs, 3);
        std::string topic;
        w.setGuideOpener([&topic](const std::string& t) { topic = t; });
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QVERIFY(w.footer()->button("個別解説")->isEnabled());
        w.footer()->button("個別解説")->click();
        QCOMPARE(topic, std::string("＊．月日入力"));
        openSlip(512, 7);
        w.footer()->button("個別解説")->click();
        QCOMPARE(topic, std::string("＊．単価入力"));
    }

    void dateChangeMovesTheSlip() {
        auto w = open(2);
        QVERIFY(w);
        openSlip(512, 7);
        QVERIFY(w->gridActive());
        w->footer()->button("月日変更")->click();
        auto* change = w->findChild<FChanjeDateWnd*>();
        QVERIFY(change);
        auto* edit = change->findChild<CDataEdit*>();
        QVERIFY(edit);
        test::saveScreenshot(change, "slip_date_change");
        QTest::keyClick(edit, '6');
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(recordAt<SlipHeader>(*ctx, kSlipHeaders, 1).date, 601);
        QCOMPARE(recordAt<IndexEntry>(*ctx, kIndex1, 1), (IndexEntry{601, 7}));
        QVERIFY(!w->gridActive());
        QCOMPARE(w->doc().header.date, 601);
    }

    void f6ProcessesTheLoadedSlipAtStageTwo() {
        // The program's own wiring: the catalog gives slip entry its receivable processing.
        QtDialogs::setHeadless(true);
        QMdiArea area;
        WindowRegistry registry(*ctx, dialogs, &area);
        registerWindows(registry, *ctx);
        auto w = open(2);
        QVERIFY(w);
        QVERIFY(w->canOpenReceivable());
        openSlip(601, 7);
        typeLine(12, 10, 150);
        key(Qt::Key_F5);
        const int number = static_cast<int>(ctx->files.size(ctx->fileSet[kSlipHeaders]).value_or(0) / 768) - 1;
        key(Qt::Key_Return);  // the same date again
        type("7");
        key(Qt::Key_Return);
        QVERIFY(w->gridActive());
        QCOMPARE(w->doc().recordNumber(), number);
        key(Qt::Key_F6);
        QCOMPARE(area.subWindowList().size(), 1);
        auto* processing = qobject_cast<FUrikakeWnd*>(area.subWindowList().first()->widget());
        QVERIFY(processing);
        QTest::keyClick(processing->field(), Qt::Key_F5);
        QTRY_VERIFY(area.subWindowList().isEmpty());
        const auto h = recordAt<SlipHeader>(*ctx, kSlipHeaders, number);
        QCOMPARE(h.stage, int(kStageProcessed));
        QVERIFY(h.amount > 0);
        QVERIFY(!w->gridActive());  // back on the header for the next slip

        // The processed slip again: "売掛参照" shows its stored values, read-only.
        key(Qt::Key_Return);
        type("7");
        key(Qt::Key_Return);
        QVERIFY(w->gridActive());
        QVERIFY(w->footer()->button("売掛参照")->isEnabled());
        w->footer()->button("売掛参照")->click();
        QCOMPARE(area.subWindowList().size(), 1);
        auto* reference = qobject_cast<FUrikakeWnd*>(area.subWindowList().first()->widget());
        QVERIFY(reference && reference->isReference());
        QCOMPARE(reference->values().amount, h.amount);
        w.reset();  // the reference closes with the slip window
        QTRY_VERIFY(area.subWindowList().isEmpty());
    }
    // F4 on a line: the text typed in the line text window is kept with remark 999 and
    // recorded with the slip; F4 there detaches it again.
    void lineTextIsKeptWithTheSlip() {
        auto w = open(2);
        QVERIFY(w);
        QWindow* win = w->windowHandle();
        openSlip(520, 7);
        QVERIFY(w->gridActive());
        typeLine(13, 4, 100);
        QTest::keyClick(win, Qt::Key_Up);
        QCOMPARE(w->line(), 1);
        QTest::keyClick(win, Qt::Key_F4);
        QVERIFY(w->lineText());
        QCOMPARE(w->lineText()->line(), 1);
        QTest::keyClicks(w->lineText()->edit(), "Rose 2");
        QTest::sendKeyEvent(QTest::KeyAction::Click, win, Qt::Key_unknown, QString("箱"), Qt::NoModifier);
        // A second request is refused while the first is open.
        dialogs.shown.clear();
        w->openLineText();
        QCOMPARE(dialogs.shown, std::vector<std::string>{msg::kLineTextOpen});
        test::saveScreenshot(w.get(), "slip_entry_line_text");
        QTest::keyClick(win, Qt::Key_Return);
        QTRY_VERIFY(!w->lineText());
        QVERIFY(w->gridActive());
        QCOMPARE(w->doc().lines[1].remarkCode, 999);
        QCOMPARE(w->doc().lines[1].textNumber, -1);
        QCOMPARE(cp932::toUtf8(w->doc().texts[1].text), std::string("Rose 2箱"));
        QTest::keyClick(win, Qt::Key_F5);
        QVERIFY(!w->gridActive());
        const int n = w->doc().lastWritten();
        const auto l = recordAt<SlipLine>(*ctx, kSlipLines, recordAt<SlipHeader>(*ctx, kSlipHeaders, n).lineSlots[1]);
        QCOMPARE(l.remarkCode, 999);
        QVERIFY(l.textNumber >= 1);
        QCOMPARE(cp932::toUtf8(recordAt<LineText>(*ctx, kRemarkTexts, l.textNumber).text), std::string("Rose 2箱"));

        // Reopened: F4 in the window detaches the text; recorded, the line keeps text number 0.
        openSlip(520, 7);
        QTest::keyClick(win, Qt::Key_Up);
        QTest::keyClick(win, Qt::Key_F4);
        QVERIFY(w->lineText());
        QCOMPARE(w->lineText()->edit()->text(), QString("Rose 2箱"));
        QTest::keyClick(win, Qt::Key_F4);
        QTRY_VERIFY(!w->lineText());
        QTest::keyClick(win, Qt::Key_F5);
        const auto m = recordAt<SlipLine>(*ctx, kSlipLines, recordAt<SlipHeader>(*ctx, kSlipHeaders, n).lineSlots[1]);
        QCOMPARE(m.textNumber, 0);
    }

    // F3 on the quantity: 1,200 x 3 + 500 goes into the field as typed; a divide after the add
    // is refused; Esc gives the grid the keyboard back.
    void calculatorTotalGoesIntoTheField() {
        auto w = open(2);
        QVERIFY(w);
        QWindow* win = w->windowHandle();
        openSlip(521, 7);
        typeLine(13, 4, 100);
        QTest::keyClick(win, Qt::Key_Up);
        for (int i = 0; i < 5; ++i) QTest::keyClick(win, Qt::Key_Right);
        QCOMPARE(w->grid()->field(), 6);
        QTest::keyClick(win, Qt::Key_F3);
        QVERIFY(w->calculator());
        auto row = [win](const char* digits, Qt::Key end, Qt::KeyboardModifiers m = Qt::KeypadModifier) {
            QTest::keyClicks(QApplication::focusWidget(), digits);
            QTest::keyClick(win, end, m);
        };
        row("1200", Qt::Key_Asterisk);
        row("3", Qt::Key_Asterisk);
        row("500", Qt::Key_Plus);
        QCOMPARE(w->calculator()->tape().total(), 4100);
        dialogs.shown.clear();
        row("2", Qt::Key_Slash);
        QCOMPARE(dialogs.shown, std::vector<std::string>{msg::kOperatorOrder});
        QCOMPARE(w->calculator()->tape().row(3).value, 0);
        test::saveScreenshot(w.get(), "slip_entry_calculator");
        QTest::keyClick(win, Qt::Key_Return);
        QVERIFY(w->calculator());  // it stays open on the line
        QVERIFY(w->grid()->edit());
        QCOMPARE(w->grid()->edit()->shownText().trimmed(), QString("4,100"));
        QTest::keyClick(win, Qt::Key_Return);
        QCOMPARE(w->doc().lines[1].quantity, 4100.0);
        QCOMPARE(w->doc().lines[1].amount, 410000.0);
        // Leaving the line closes the calculator.
        QTest::keyClick(win, Qt::Key_Down);
        QTRY_VERIFY(!w->calculator());
        QTest::keyClick(win, Qt::Key_F3);
        QVERIFY(w->calculator());
        QTest::keyClick(win, Qt::Key_Escape);
        QTRY_VERIFY(!w->calculator());
        QVERIFY(w->grid()->edit());
        QVERIFY(w->grid()->edit()->hasFocus());
    }
};

QTEST_MAIN(SlipEntryTest)
#include "slip_entry_test.moc"
