// Printed bills and delivery notes are kept in the archive of issued documents: one PDF per
// document beside the data, each in the index with its hash, a second print under a new name,
// the command-line print adding its documents too, and a failed archive told to the operator.
#include <QListWidget>
#include <QProcess>
#include <QTest>
#include <sstream>

#include "base/format.h"
#include "base/money.h"
#include "cli/cli.h"
#include "printing/archive_messages.h"
#include "printing/document_archive.h"
#include "support/demo_year.h"
#include "ui/printing/NohinMesaiView.h"
#include "ui/printing/NohinMesaiWnd.h"
#include "ui/printing/NouhinPrnView.h"
#include "ui/printing/NouhinPrnWnd.h"
#include "ui/printing/PrintCommands.h"

using namespace rk;
using namespace rk::ui;

namespace {

QString pdfText(const fs::path& pdf) {
    QProcess p;
    p.start("pdftotext", {"-layout", QString::fromStdString(pdf.string()), "-"});
    p.waitForFinished(20000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace

class ArchivePrintTest : public QObject {
    Q_OBJECT

private slots:
    void printedBillsAndNotesAreArchived() {
        QTemporaryDir dir;
        ScriptedDialogs dialogs;
        auto ctx = test::openDemoYear(dir.path().toStdString(), 12, 200, dialogs);
        QVERIFY(ctx);
        const fs::path folder = printing::archiveFolder(*ctx);

        // Bills of the whole year: F11 collects, F12 prints, one archived PDF per bill.
        NohinMesaiWnd w(*ctx, dialogs, false);
        w.show();
        NohinMesaiView* v = w.view();
        v->setValue(NohinMesaiView::kFrom, ctx->settings.firstMonth * 100 + 1);
        v->setValue(NohinMesaiView::kTo,
                    (ctx->settings.firstMonth == 1 ? 12 : ctx->settings.firstMonth - 1) * 100 + 31);
        int printedBills = 0;
        v->output().print = [&](const Planner& planner, QWidget*) {
            printedBills = static_cast<int>(planner({0, 0, 4724, 6800}).pages.size());
            return true;
        };
        v->setFocus();
        QTest::keyClick(v, Qt::Key_F11);
        QTest::keyClick(v, Qt::Key_F12);
        QVERIFY(printedBills > 0);
        auto index = printing::readArchiveIndex(ctx->files, folder);
        QVERIFY(index);
        const size_t bills = index->size();
        QVERIFY(bills >= 3);
        const printing::ArchivedDocument bill = index->front();
        QCOMPARE(bill.kind, printing::DocumentKind::Bill);
        QCOMPARE(bill.date / 10000, ctx->settings.businessYear + (ctx->settings.firstMonth == 1 ? 0 : 1));
        // The archived bill is that customer's bill: its total is on the page.
        const QString page = pdfText(folder / bill.file);
        QVERIFY2(page.contains(QString::fromStdString(fmt::groupDigits(std::to_string(bill.amount)))),
                 qPrintable(page.left(400)));
        QVERIFY(printing::verifyArchive(ctx->files, folder).findings.empty());

        // Printed again: new files, the first ones untouched.
        const Bytes before = ctx->files.readAll(folder / bill.file).value();
        QTest::keyClick(v, Qt::Key_F12);
        index = printing::readArchiveIndex(ctx->files, folder);
        QCOMPARE(index->size(), 2 * bills);
        QCOMPARE(QString::fromStdString((*index)[bills].file),
                 QString::fromStdString(printing::baseName(bill) + "_2.pdf"));
        QCOMPARE(ctx->files.readAll(folder / bill.file).value(), before);
        // A preview is no issue.
        bool previewed = false;
        v->output().preview = [&](const Planner&, QWidget*) { previewed = true; };
        v->preview();
        QVERIFY(previewed);
        QCOMPARE(printing::readArchiveIndex(ctx->files, folder)->size(), 2 * bills);

        // Delivery notes of the date of that bill's first slip: one document per slip, one copy.
        NouhinPrnWnd notes(*ctx, dialogs);
        NouhinPrnView* n = notes.view();
        n->setValue(NouhinPrnView::kDate, v->bills().front().slips.empty() ? 401 : v->bills().front().slips[0].date);
        n->setValue(NouhinPrnView::kCopies, 2);
        n->output().print = [](const Planner&, QWidget*) { return true; };
        n->printAll();
        index = printing::readArchiveIndex(ctx->files, folder);
        QCOMPARE(index->size(), 2 * bills + n->run().slips.size());
        QCOMPARE(index->back().kind, printing::DocumentKind::DeliveryNote);
        QCOMPARE(index->back().customer, n->run().slips.back().header.customer);
        QCOMPARE(index->back().amount, static_cast<int64_t>(money::yen(n->run().slips.back().header.receivable)));

        // The command-line print archives what it writes, and the search finds it by its keys.
        std::ostringstream out, err;
        cli::Io io{out, err};
        std::vector<std::string> args{"rakurena",
                                      "print",
                                      "bills",
                                      "--from",
                                      std::to_string(bill.date % 10000),
                                      "--to",
                                      std::to_string(bill.date % 10000),
                                      "--customers",
                                      std::to_string(bill.customer),
                                      "--pdf",
                                      dir.filePath("cli.pdf").toStdString(),
                                      dir.path().toStdString()};
        std::vector<char*> argv;
        for (auto& s : args) argv.push_back(s.data());
        const int rc = cli::main(static_cast<int>(argv.size()), argv.data(), io, printCommands());
        QVERIFY2(rc == 0 || err.str().find("該当伝票がありません") != std::string::npos, err.str().c_str());
        printing::ArchiveQuery q;
        q.customer = bill.customer;
        q.kind = printing::DocumentKind::Bill;
        const auto found = printing::searchArchive(*printing::readArchiveIndex(ctx->files, folder), q);
        QVERIFY(found.size() >= 2);

        // An archive that cannot be written: the print stands, the operator is told.
        fs::remove_all(folder);
        QVERIFY(ctx->files.write(folder, 0, {}, true));  // a file where the folder belongs
        dialogs.shown.clear();
        QTest::keyClick(v, Qt::Key_F12);
        QVERIFY(!dialogs.shown.empty());
        QVERIFY(QString::fromStdString(dialogs.shown.back()).startsWith(QString::fromUtf8("印刷した書類を")));
    }
};

QTEST_MAIN(ArchivePrintTest)
#include "archive_print_test.moc"
