// The data check window on a demo year, opened from the データ保守 menu of the main frame:
// its tools run from their buttons and from the frame's keys, answer through message boxes,
// and the compaction leaves a clean year and ends the program.
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include "app/basic_settings.h"
#include "app/command_table.h"
#include "maintenance/check_messages.h"
#include "maintenance/year_check.h"
#include "payments/payment_file.h"
#include "slips/slip_index.h"
#include "support/demo_year.h"
#include "support/ui_support.h"
#include "ui/app/Application.h"
#include "ui/app/MainFrame.h"
#include "ui/app/QtDialogs.h"
#include "ui/app/StartupDialogs.h"
#include "ui/maintenance/DataHoseiWnd.h"
#include "ui/maintenance/V6toV7Wnd.h"

using namespace rk;
using namespace rk::ui;

namespace {

QString text(const char* utf8) { return QString::fromUtf8(utf8); }

// Opens a window as the operator does: データ保守 → `item`.
template <class W = DataHoseiWnd>
W* openFromMenu(MainFrame& frame, const char* item = "データチェック") {
    for (QAction* top : frame.menuBar()->actions()) {
        if (top->text() != text("データ保守")) continue;
        QMenu* menu = top->menu();
        emit menu->aboutToShow();
        for (QAction* a : menu->actions())
            if (a->text() == text(item) && a->isEnabled()) a->trigger();
    }
    for (QMdiSubWindow* sub : frame.mdiArea()->subWindowList())
        if (auto* w = qobject_cast<W*>(sub->widget())) return w;
    return nullptr;
}

}  // namespace

class DataCheckWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QtDialogs::setHeadless(true); }
    void init() { QtDialogs::shownTexts().clear(); }

    void toolsRunFromButtonsAndKeys() {
        QTemporaryDir dir;
        ScriptedDialogs startup;
        auto ctx = test::openDemoYear(dir.path().toStdString(), 30, 240, startup);
        QVERIFY(ctx);
        QtDialogs frameDialogs;
        MainFrame frame(*ctx, frameDialogs);
        frame.resize(1000, 760);
        frame.show();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        DataHoseiWnd* w = openFromMenu(frame);
        QVERIFY(w);
        QCOMPARE(w->parentWidget()->windowTitle(), text("　データチェック"));
        w->parentWidget()->resize(800, 480);
        QCOMPARE(w->button(DataHoseiWnd::kMemberCount)->text(), text("ﾒﾝﾊﾞｰﾁｪｯｸ&&初期化"));
        QCOMPARE(w->button(DataHoseiWnd::kPaymentLists)->geometry(), QRect(10, 365, 170, 27));
        test::saveScreenshot(w, "DataHoseiWnd");

        // Read-only tools: the totals of the demo's payments agree; nothing is written.
        const Bytes payments = ctx->files.readAll(ctx->fileSet[kPayments]).value();
        QTest::mouseClick(w->button(DataHoseiWnd::kPaymentTotals), Qt::LeftButton);
        QCOMPARE(QtDialogs::shownTexts().last(), text(msg::kNoMismatch));
        QTest::mouseClick(w->button(DataHoseiWnd::kLastSlip), Qt::LeftButton);
        QVERIFY(QtDialogs::shownTexts().last().startsWith(text("  納品日　  ")));
        QCOMPARE(ctx->files.readAll(ctx->fileSet[kPayments]).value(), payments);

        // The frame's keys reach the window: F7 duplicate slips, F8 the integrity check.
        w->setFocus();
        QTest::keyClick(&frame, Qt::Key_F7);
        QCOMPARE(QtDialogs::shownTexts().last(), text(msg::kDuplicateSlipsNone));
        QTest::keyClick(&frame, Qt::Key_F8);
        QCOMPARE(QtDialogs::shownTexts().last(), text(msg::kYearCheckClean));
        QTest::keyClick(&frame, Qt::Key_F6);
        QCOMPARE(QtDialogs::shownTexts().last(), text(msg::kDuplicateLinesNone));
        // Alt+D: no slip without a customer in the demo.
        QTest::keyClick(&frame, Qt::Key_D, Qt::AltModifier);
        QCOMPARE(QtDialogs::shownTexts().last(), text(msg::kNoCustomerNone));
        // Alt+T asks first; No changes nothing.
        const Bytes customers = ctx->files.readAll(ctx->fileSet[kCustomers]).value();
        QtDialogs::queueAnswers({Answer::No});
        QTest::keyClick(&frame, Qt::Key_T, Qt::AltModifier);
        QCOMPARE(QtDialogs::shownTexts().last(), text(msg::kShiftUpAsk));
        QCOMPARE(ctx->files.readAll(ctx->fileSet[kCustomers]).value(), customers);

        // A client station may not rewrite the slips.
        ctx->settings.lanMode = 2;
        QTest::mouseClick(w->button(DataHoseiWnd::kCompaction), Qt::LeftButton);
        QCOMPARE(QtDialogs::shownTexts().last(), text(msg::kCheckClientRefused));
        ctx->settings.lanMode = 0;

        // Delete a few slips, then compact: the question counts them, the year stays clean and
        // the program ends.
        int deleted = 0;
        const uint64_t headers = ctx->files.size(ctx->fileSet[kSlipHeaders]).value() / kSlipHeaderSize;
        for (uint64_t n = 2; n < headers && deleted < 3; n += 11) {
            SlipHeader h{};
            QVERIFY(ctx->files.readZeroFilled(ctx->fileSet[kSlipHeaders], n * kSlipHeaderSize, bytesOf(h)));
            if (h.stage == kStageSettled || !liveDate(h.date)) continue;
            h.date = -h.date;
            QVERIFY(ctx->files.write(ctx->fileSet[kSlipHeaders], n * kSlipHeaderSize, bytesOf(h)));
            ++deleted;
        }
        QVERIFY(rebuildIndexes(ctx->files, ctx->fileSet[kSlipHeaders], ctx->fileSet[kIndex1], ctx->fileSet[kIndex2]));
        QtDialogs::queueAnswers({Answer::Yes});
        QTest::mouseClick(w->button(DataHoseiWnd::kCompaction), Qt::LeftButton);
        QVERIFY(QtDialogs::shownTexts().at(QtDialogs::shownTexts().size() - 2).startsWith(text("納品伝票に  3  件")));
        QCOMPARE(QtDialogs::shownTexts().last(), text(msg::kCompactDone));
        QCOMPARE(ctx->files.size(ctx->fileSet[kSlipHeaders]).value() / kSlipHeaderSize, headers - 3);
        QVERIFY(maintenance::checkYear(*ctx).empty());
        QTRY_VERIFY(!frame.isVisible());
    }

    void conversionTakesThePickedFilesFolder() {
        QTemporaryDir dir;
        ScriptedDialogs startup;
        auto ctx = test::openDemoYear(dir.path().toStdString(), 10, 20, startup);
        QVERIFY(ctx);
        QVERIFY(QDir(dir.path()).mkdir("old"));
        // Two old lines of this year, an empty record 0 before them.
        QByteArray lines(3 * 110, '\0');
        lines[110 + 4] = 12;  // product 12 of the first line
        QFile old(dir.filePath("old/FD1%1.ET2").arg(ctx->settings.businessYear % 100, 2, 10, QChar('0')));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(lines);
        old.close();

        QtDialogs frameDialogs;

        MainFrame frame(*ctx, frameDialogs);
        frame.resize(1100, 700);
        frame.show();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        auto* w = openFromMenu<V6toV7Wnd>(frame, "データ変換（Ｖ６→Ｖ７）");
        QVERIFY(w);
        w->parentWidget()->resize(920, 410);
        test::saveScreenshot(w, "V6toV7Wnd");
        QString asked;
        w->setFileChooser([&](const QString& pattern, QWidget*) {
            asked = pattern;
            return old.fileName();
        });
        QtDialogs::queueAnswers({Answer::Yes, Answer::Yes});  // convert; replace this year's lines
        QTest::mouseClick(w->button(V6toV7Wnd::kSalesLines), Qt::LeftButton);
        QCOMPARE(asked, QString("Fd1??.Et2"));
        QCOMPARE(QtDialogs::shownTexts().last(), text(msg::kConvertEnd));
        const Bytes converted = ctx->files.readAll(ctx->fileSet[kSlipLines]).value();
        QCOMPARE(converted.size(), size_t{3 * 224});
        QCOMPARE(readI32(converted, 224 + 64), 12);
        QTRY_VERIFY(!frame.isVisible());
    }

    // A folder without this year's data: the new-data dialog offers the conversion.
    void newDataDialogOpensTheConversion() {
        QTemporaryDir dir;
        {
            AppContext fresh(Edition::Sales, dir.path().toStdString());
            QVERIFY(writeNewInstallation(fresh, defaultSettings(systemClock())));
        }
        Application app(Edition::Sales, dir.path().toStdString());
        test::onNextModal([](QWidget* w) {
            auto* d = qobject_cast<NewDataDialog*>(w);
            QVERIFY(d);
            QVERIFY(d->button(4)->isEnabled());
            d->button(4)->click();
        });
        QVERIFY(app.start());
        QTRY_VERIFY(app.frame()->findChild<V6toV7Wnd*>());
        QCOMPARE(app.context().windowFlags[kConversionFlag], 2);  // opened in its start-up mode
    }
};

QTEST_MAIN(DataCheckWindowTest)
#include "data_check_window_test.moc"
