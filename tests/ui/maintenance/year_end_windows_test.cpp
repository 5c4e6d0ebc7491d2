// The year-end update and the data operation windows on a demo year, opened from the
// データ保守 menu of the main frame: their buttons and fields as the operator uses them, the
// questions answered through the message-box hook and the files checked afterwards.
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "maintenance/archiver.h"
#include "maintenance/operation_messages.h"
#include "maintenance/year_end.h"
#include "masters/master_records.h"
#include "slips/slip_index.h"
#include "support/demo_year.h"
#include "support/key_typing.h"
#include "support/ui_support.h"
#include "ui/app/MainFrame.h"
#include "ui/app/QtDialogs.h"
#include "ui/controls/CDataEdit.h"
#include "ui/maintenance/DataOpeWnd.h"
#include "ui/maintenance/NenKOusinWnd.h"

using namespace rk;
using namespace rk::ui;

namespace {

QString text(const char* utf8) { return QString::fromUtf8(utf8); }

// データ保守 → `item`, as the operator opens it; the window, or nullptr.
template <class W>
W* openFromMenu(MainFrame& frame, const char* item) {
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

std::vector<SlipHeader> headersOf(FileSystem& fs, const fs::path& file) {
    const Bytes b = fs.readAll(file).value_or(Bytes{});
    std::vector<SlipHeader> out(b.size() / sizeof(SlipHeader));
    std::memcpy(out.data(), b.data(), out.size() * sizeof(SlipHeader));
    return out;
}

}  // namespace

class YearEndWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QtDialogs::setHeadless(true); }
    void init() { QtDialogs::shownTexts().clear(); }

    void yearEndStepsAndDuplicateLines() {
        QTemporaryDir dir;
        ScriptedDialogs startup;
        auto ctx = test::openDemoYear(dir.path().toStdString(), 12, 60, startup);
        QVERIFY(ctx);
        QtDialogs frameDialogs;
        MainFrame frame(*ctx, frameDialogs);
        frame.resize(1000, 760);
        frame.show();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        auto* w = openFromMenu<NenKOusinWnd>(frame, "年度更新");
        QVERIFY(w);
        QCOMPARE(w->parentWidget()->windowTitle(), text("　年度更新"));
        QCOMPARE(w->button(NenKOusinWnd::kMasters)->geometry(), QRect(20, 35, 200, 35));
        QCOMPARE(w->button(NenKOusinWnd::kCarryOver)->text(), text("次年度へ売掛額転送"));
        test::saveScreenshot(w, "NenKOusinWnd");

        // Step 1, then again with No to the overwrite: nothing changes the second time.
        const fs::path next = maintenance::nextYearMaster(*ctx, kCustomers);
        QTest::mouseClick(w->button(NenKOusinWnd::kMasters), Qt::LeftButton);
        QVERIFY(ctx->files.exists(next));
        const Bytes made = ctx->files.readAll(next).value();
        QtDialogs::queueAnswers({Answer::No});
        QTest::mouseClick(w->button(NenKOusinWnd::kMasters), Qt::LeftButton);
        QCOMPARE(QtDialogs::shownTexts().last(), text(msg::kCustomerMasterExists));
        QCOMPARE(ctx->files.readAll(next).value(), made);

        // No shared lines in the demo; one planted pair is listed.
        QTest::mouseClick(w->button(NenKOusinWnd::kDuplicates), Qt::LeftButton);
        QCOMPARE(QtDialogs::shownTexts().last(), text(msg::kDuplicateNone));

        // The carry-over: forced past the unprocessed slips; the window closes and the
        // balances and the input year are in the files.
        const auto headers = headersOf(ctx->files, ctx->fileSet[kSlipHeaders]);
        int unprocessed = 0;
        std::vector<double> owed(13, 0.0);
        for (size_t n = 1; n < headers.size(); ++n) {
            const SlipHeader& h = headers[n];
            if (h.date < 101 || h.date > 1231) continue;
            unprocessed += h.stage < kStageProcessed;
            if (h.stage == kStageProcessed && h.customer >= 1 && h.customer <= 12) owed[h.customer] += h.receivable;
        }
        CustomerRecord three{};
        QVERIFY(ctx->files.readZeroFilled(ctx->fileSet[kCustomers], 3 * sizeof three, bytesOf(three)));
        if (unprocessed > 0) QtDialogs::queueAnswers({Answer::Yes});
        QPointer<NenKOusinWnd> open(w);
        QTest::mouseClick(w->button(NenKOusinWnd::kCarryOver), Qt::LeftButton);
        QVERIFY(QtDialogs::shownTexts().last().startsWith(text(msg::kCarriedSales)));
        QTRY_VERIFY(!open);
        CustomerRecord carried{};
        QVERIFY(ctx->files.readZeroFilled(next, 3 * sizeof carried, bytesOf(carried)));
        QCOMPARE(carried.openingBalance, three.balance + owed[3]);
        QCOMPARE(readSettings(ctx->files, ctx->settingsFile())->inputYear, ctx->settings.businessYear + 1);

        // The year is no longer the input year: the window refuses to open.
        QVERIFY(!openFromMenu<NenKOusinWnd>(frame, "年度更新"));
        QCOMPARE(QtDialogs::shownTexts().last(), text(msg::kNotInputYear));

        // A planted shared line: the report replaces the buttons.
        ctx->settings.inputYear = ctx->settings.businessYear;
        SlipHeader later = headers[5];
        later.lineSlots[1] = headers[2].lineSlots[1];
        QVERIFY(ctx->files.write(ctx->fileSet[kSlipHeaders], 5 * sizeof later, bytesOf(later)));
        w = openFromMenu<NenKOusinWnd>(frame, "年度更新");
        QVERIFY(w);
        QTest::mouseClick(w->button(NenKOusinWnd::kDuplicates), Qt::LeftButton);
        QVERIFY(w->report()->isVisible());
        QCOMPARE(w->report()->count(), 1);
        QVERIFY(!w->button(NenKOusinWnd::kCarryOver)->isVisible());
        test::saveScreenshot(w, "NenKOusinWnd_duplicates");
    }

    void dataOperationRangeSplitReleaseAndImport() {
        QTemporaryDir dir;
        ScriptedDialogs startup;
        auto ctx = test::openDemoYear(dir.path().toStdString(), 12, 60, startup);
        QVERIFY(ctx);
        QtDialogs frameDialogs;
        MainFrame frame(*ctx, frameDialogs);
        frame.resize(1000, 760);
        frame.show();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        auto* w = openFromMenu<DataOpeWnd>(frame, "データオペレーション");
        QVERIFY(w);
        QCOMPARE(w->parentWidget()->windowTitle(), text("　データ操作"));
        QVERIFY(!w->button(text("InvoiceDataSet"))->isEnabled());
        QTest::mouseClick(w->button(text("転 送")), Qt::LeftButton);
        QCOMPARE(QtDialogs::shownTexts().last(), text("現在開発中です"));
        QTest::mouseClick(w->button(text("連 結")), Qt::LeftButton);
        QCOMPARE(QtDialogs::shownTexts().last(), text("現在開発中です"));

        // The range typed into the four fields: 4-1 to 4-30 of customers 1 to 6.
        QTRY_VERIFY(qobject_cast<CDataEdit*>(test::focus()));
        test::type("401");
        test::key(Qt::Key_Return);
        test::type("430");
        test::key(Qt::Key_Return);
        test::type("1");
        test::key(Qt::Key_Return);
        test::type("6");
        test::key(Qt::Key_Return);
        QCOMPARE(w->range().startDate, 401);
        QCOMPARE(w->range().endDate, 430);
        QCOMPARE(w->range().endCustomer, 6);
        test::saveScreenshot(w, "DataOpeWnd");

        // Split into another folder: exactly the live slips of the range, none settled.
        const QString out = dir.filePath("split");
        QVERIFY(QDir().mkpath(out));
        w->setFileChooser([&](const QString& initial, const QString&) {
            return QFileInfo(initial).fileName().isEmpty() ? QString() : out + "/" + QFileInfo(initial).fileName();
        });
        QTest::mouseClick(w->button(text("分 離")), Qt::LeftButton);
        QCOMPARE(QtDialogs::shownTexts().last(), text(msg::kSplitDone));
        const auto live = headersOf(ctx->files, ctx->fileSet[kSlipHeaders]);
        size_t expected = 0;
        for (size_t n = 1; n < live.size(); ++n)
            expected += live[n].customer >= 1 && live[n].customer <= 6 && live[n].date >= 401 && live[n].date <= 430;
        const auto split = headersOf(ctx->files, fs::path(out.toStdString()) / ctx->fileSet[kSlipHeaders].filename());
        QCOMPARE(split.size(), expected + 1);
        for (size_t n = 1; n < split.size(); ++n) QVERIFY(split[n].stage <= kStageProcessed);

        // Release of every customer: Yes to the warning; no payment is left.
        test::key(Qt::Key_Up);  // from the start date back to the end customer
        test::type("999");
        test::key(Qt::Key_Return);
        QCOMPARE(w->range().endCustomer, 999);
        QtDialogs::queueAnswers({Answer::Yes});
        QTest::mouseClick(w->button(text("入金解除")), Qt::LeftButton);
        QCOMPARE(QtDialogs::shownTexts().at(QtDialogs::shownTexts().size() - 2), text(msg::kReleaseAskSales));
        QCOMPARE(ctx->files.size(ctx->fileSet[kPayments]).value(), 2432u);
        for (const SlipHeader& h : headersOf(ctx->files, ctx->fileSet[kSlipHeaders])) QVERIFY(h.stage <= 2);

        // Server import: none in the data folder yet; then one, expanded into a new folder.
        QTest::mouseClick(w->button(text("ｻｰﾊﾞﾃﾞｰﾀ取込")), Qt::LeftButton);
        QCOMPARE(QtDialogs::shownTexts().last(), text(msg::kServerArchiveMissing));
        const fs::path archive = ctx->fileSet.dataFolder / (std::to_string(ctx->settings.businessYear) + "年dt.Lzh");
        QVERIFY(createArchive(ctx->files, archive, {{ctx->fileSet[kSlipHeaders], {}}, {ctx->fileSet[kSlipLines], {}}})
                    .ok());
        const QString browse = dir.filePath("browse/Fd.Lzh");
        w->setFileChooser([&](const QString&, const QString&) { return browse; });
        QtDialogs::queueAnswers({Answer::Yes});  // make the missing folder
        QTest::mouseClick(w->button(text("ｻｰﾊﾞﾃﾞｰﾀ取込")), Qt::LeftButton);
        QVERIFY(
            QtDialogs::shownTexts().last().endsWith(text("　へ取り込みました\nこのホルダー指定により閲覧できます")));
        QCOMPARE(
            ctx->files.readAll(fs::path(dir.filePath("browse").toStdString()) / ctx->fileSet[kSlipHeaders].filename()),
            ctx->files.readAll(ctx->fileSet[kSlipHeaders]));
        // Never into the live folder.
        w->setFileChooser([&](const QString&, const QString&) { return dir.filePath("x.Lzh"); });
        QTest::mouseClick(w->button(text("ｻｰﾊﾞﾃﾞｰﾀ取込")), Qt::LeftButton);
        QCOMPARE(QtDialogs::shownTexts().last(), text(msg::kImportIntoLive));
    }
};

QTEST_MAIN(YearEndWindowsTest)
#include "year_end_windows_test.moc"
