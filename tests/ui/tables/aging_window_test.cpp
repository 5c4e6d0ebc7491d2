// The receivable aging window on a demo year, opened from the データ集計 menu and driven by
// keys: the list agrees with the ledger and with the slips themselves, prints through the
// print frame and writes its Shift-JIS CSV file.
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "base/cp932.h"
#include "base/money.h"
#include "printing/slip_snapshot.h"
#include "support/demo_year.h"
#include "support/key_typing.h"
#include "support/ui_support.h"
#include "tables/aging_messages.h"
#include "tables/ledger.h"
#include "ui/app/MainFrame.h"
#include "ui/app/QtDialogs.h"
#include "ui/tables/UriNenreiView.h"
#include "ui/tables/UriNenreiWnd.h"

using namespace rk;
using namespace rk::ui;

namespace {

QString text(const char* utf8) { return QString::fromUtf8(utf8); }

// データ集計 → `item`, as the operator chooses it.
UriNenreiWnd* openFromMenu(MainFrame& frame, const char* item) {
    for (QAction* top : frame.menuBar()->actions()) {
        if (top->text() != text("データ集計")) continue;
        QMenu* menu = top->menu();
        emit menu->aboutToShow();
        for (QAction* a : menu->actions())
            if (a->text() == text(item) && a->isEnabled()) a->trigger();
    }
    for (QMdiSubWindow* sub : frame.mdiArea()->subWindowList())
        if (auto* w = qobject_cast<UriNenreiWnd*>(sub->widget())) return w;
    return nullptr;
}

}  // namespace

class AgingWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QtDialogs::setHeadless(true); }

    void agingFromTheMenuAgreesWithSlipsAndLedger() {
        QTemporaryDir dir;
        ScriptedDialogs startup;
        auto ctx = test::openDemoYear(dir.path().toStdString(), 30, 400, startup);
        QVERIFY(ctx);
        QtDialogs frameDialogs;
        MainFrame frame(*ctx, frameDialogs);
        frame.resize(1100, 760);
        frame.show();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        UriNenreiWnd* w = openFromMenu(frame, "売掛金年齢表");
        QVERIFY(w);
        QCOMPARE(w->parentWidget()->windowTitle(), text("　売掛金年齢表"));
        // Once only.
        QVERIFY(!openFromMenu(frame, "売掛金年齢表") || frame.mdiArea()->subWindowList().size() == 1);
        UriNenreiView* v = w->view();

        // The as-of date, the customer range, and Enter on the last field lists.
        // The last month of the business year, its 28th.
        const int asOf = (ctx->settings.firstMonth == 1 ? 12 : ctx->settings.firstMonth - 1) * 100 + 28;
        test::type(QString("%1").arg(asOf, 4, 10, QChar('0')));
        test::key(Qt::Key_Return);
        test::type("1");
        test::key(Qt::Key_Return);
        test::type("30");
        test::key(Qt::Key_Return);
        const tables::Aging& a = v->aging();
        QVERIFY(a.complete);
        QVERIFY(a.rows.size() >= 5);
        QCOMPARE(v->table()->rowCount(), static_cast<int>(a.rows.size()) + 1);

        // Against the slips themselves: each customer's open slips are its processed ones.
        std::vector<double> open(31, 0.0);
        {
            printing::SlipSnapshot files(*ctx);
            for (int n = 1; n < files.headerCount(); ++n) {
                const SlipHeader h = files.header(n);
                if (liveDate(h.date) && h.stage == kStageProcessed && h.customer >= 1 && h.customer <= 30)
                    open[static_cast<size_t>(h.customer)] += h.receivable;
            }
        }
        ScriptedDialogs quiet;
        for (const tables::AgingRow& r : a.rows) {
            QCOMPARE(money::yen(r.open()), money::yen(open[static_cast<size_t>(r.customer)]));
            QCOMPARE(money::yen(r.ledger), money::yen(tables::runLedger(*ctx, r.customer, quiet).computed()));
        }
        // The list shows the total of the first customer in its row.
        const tables::AgingRow& first = a.rows.front();
        QCOMPARE(v->table()->item(0, 0)->text(), QString::number(first.customer));
        QCOMPARE(v->table()->item(0, 7)->text(), QString::fromStdString(tables::agingCells(first)[7]).trimmed());
        test::saveScreenshot(w->parentWidget(), "aging_window");

        // Ctrl+P on the frame prints through the print frame.
        QDir(QDir::current()).mkpath("screens");
        const QString pdf = QDir::current().filePath("screens/aging_print.pdf");  // kept to be looked at
        bool printed = false;
        v->output().print = [&](const Planner& planner, QWidget*) { return printed = writePdf(planner, pdf, true); };
        QTest::keyClick(&frame, Qt::Key_P, Qt::ControlModifier);
        QVERIFY(printed);
        QProcess p;
        p.start("pdftotext", {"-layout", pdf, "-"});
        QVERIFY(p.waitForFinished(20000));
        const QString printedText = QString::fromUtf8(p.readAllStandardOutput());
        QVERIFY(printedText.contains(text("売掛金年齢表")));
        QVERIFY(printedText.contains(QString::fromStdString(tables::agingCells(a.totals, true)[7]).trimmed()));

        // ﾃｷｽﾄｱｳﾄ asks, then writes the CSV file in Shift-JIS.
        QtDialogs::queueAnswers({Answer::Ok});
        QTest::mouseClick(v->button(UriNenreiView::kText), Qt::LeftButton);
        const auto csv = ctx->files.readAll(ctx->programFolder() / "売掛年齢表.Csv");
        QVERIFY(csv);
        const std::string utf8 =
            cp932::toUtf8(std::string_view(reinterpret_cast<const char*>(csv->data()), csv->size()));
        QVERIFY(utf8.starts_with(tables::msg::kAgingCsvHead));
        QCOMPARE(static_cast<size_t>(std::count(utf8.begin(), utf8.end(), '\n')), a.rows.size() + 1);
        QFile::remove(dir.filePath("Fq7.DOC"));
    }
};

QTEST_MAIN(AgingWindowTest)
#include "aging_window_test.moc"
