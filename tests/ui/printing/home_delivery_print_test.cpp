// Home-delivery printing on a demo year: the form positions typed into the form window, the
// consignments of a date printed at them into a PDF, the same pages from the command line,
// and the address-book window writing back only what it changed.
#include "printing/home_delivery_print.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QProcess>
#include <QTest>
#include <cstring>
#include <sstream>

#include "app/startup_loader.h"
#include "base/cp932.h"
#include "cli/cli.h"
#include "printing/messages.h"
#include "slips/home_delivery.h"
#include "support/key_typing.h"
#include "support/ui_support.h"
#include "ui/printing/PrintCommands.h"
#include "ui/printing/TakuDenFrmBView.h"
#include "ui/printing/TakuDenFrmWnd.h"
#include "ui/printing/TakuDenView.h"
#include "ui/printing/TakuDenWnd.h"
#include "ui/printing/TakuMasMeWnd.h"
#include "ui/slips/FTakuhaiView.h"

using namespace rk;
using namespace rk::ui;
using test::key;
using test::type;

namespace {

QString pdfText(const QString& pdf) {
    QProcess p;
    p.start("pdftotext", {"-layout", pdf, "-"});
    p.waitForFinished(20000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

void typeText(const QString& s) {
    for (QChar c : s) {
        QTest::sendKeyEvent(QTest::Press, test::focus(), Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, test::focus(), Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

}  // namespace

class HomeDeliveryPrintTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<AppContext> ctx;
    ScriptedDialogs dialogs;

    int runCli(std::vector<std::string> args) {
        std::ostringstream out, err;
        cli::Io io{out, err};
        args.insert(args.begin(), "rakurena");
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        const int rc = cli::main(static_cast<int>(argv.size()), argv.data(), io, printCommands());
        if (rc != 0) qWarning() << QString::fromStdString(err.str());
        return rc;
    }

    printing::HomeDeliveryRun wholeYear() {
        printing::HomeDeliverySelection sel{101, 1231, 1, ctx->env.customerCount};
        return printing::collectHomeDelivery(*ctx, sel);
    }

private slots:
    void initTestCase() {
        const std::string folder = dir.path().toStdString();
        QCOMPARE(runCli({"demo", "--customers", "30", "--slips", "300", folder}), 0);
        ctx = std::make_unique<AppContext>(Edition::Sales, folder);
        CreatingPrompts prompts;
        StandAloneStation station;
        QCOMPARE(runStartupLoader(*ctx, dialogs, prompts, station), StartupResult::Run);
    }

    void init() { dialogs = ScriptedDialogs{}; }

    void demoYearCarriesChainsOnSlipLines() {
        const auto run = wholeYear();
        QVERIFY(!run.unreadable);
        QVERIFY(run.consignments.size() >= 5);
        for (const auto& c : run.consignments) {
            QCOMPARE(c.customer % 6, 1);
            QCOMPARE(c.line, 1);
            QVERIFY(delivery::complete(c.record));
            QCOMPARE(c.record.shippingDate, c.date);
        }
        auto book = delivery::readBook(ctx->files, ctx->fileSet[kHomeDeliveryMaster]);
        QVERIFY(book && !book->empty() && book->size() <= 40u * 30);
    }

    void formPositionsTypedAreWrittenWhenTheWindowCloses() {
        auto w = std::make_unique<TakuDenFrmWnd>(*ctx, dialogs);
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        test::saveScreenshot(w.get(), "home_delivery_form_grid");
        type("100");  // the character height
        key(Qt::Key_Return);
        for (int i = 0; i < 7; ++i) key(Qt::Key_Down);
        QCOMPARE(w->table()->row(), 7);
        QCOMPARE(w->table()->column(), 1);
        key(Qt::Key_Left);
        type("300");
        key(Qt::Key_Return);
        type("1200");
        key(Qt::Key_Return);
        type("2600");  // the sender's name
        key(Qt::Key_Return);
        type("1200");
        key(Qt::Key_Return);
        for (int i = 0; i < 7; ++i) key(Qt::Key_Down);
        QCOMPARE(w->table()->row(), 15);
        type("650");  // the total charge
        key(Qt::Key_Return);
        type("2000");
        key(Qt::Key_Return);
        test::saveScreenshot(w.get(), "home_delivery_form_grid_typed");
        w->close();
        const Bytes form = *ctx->files.readAll(ctx->programFolder() / printing::kHomeDeliveryFormFile);
        QCOMPARE(form.size(), size_t(2048));
        QCOMPARE(readI32(form, 0), 100);
        QCOMPARE(readI32(form, 4 * 7), 300);
        QCOMPARE(readI32(form, 540), 1200);  // row 7, destination Y
        QCOMPARE(readI32(form, 4 * (256 + 7)), 2600);
        QCOMPARE(readI32(form, 4 * 15), 650);
        QCOMPARE(readI32(form, 4 * (128 + 15)), 2000);
    }

    void consignmentsOfADatePrintAtTheFormPositions() {
        const auto run = wholeYear();
        QVERIFY(!run.consignments.empty());
        const printing::Consignment& c = run.consignments.front();
        TakuDenWnd w(*ctx, dialogs);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        type(QString::number(c.date));
        key(Qt::Key_Return);
        TakuDenView* v = w.view();
        QVERIFY(!v->run().consignments.empty());
        QVERIFY(v->list()->count() >= 1);
        test::saveScreenshot(&w, "home_delivery_print_window");

        const QString pdf = dir.filePath("takuhai.pdf");
        bool printed = false;
        v->output().print = [&](const Planner& planner, QWidget*) {
            printed = writePdf(planner, pdf);
            return printed;
        };
        v->printAll();
        QVERIFY(printed);
        const QString text = pdfText(pdf);
        const auto& first = v->run().consignments.front();
        QVERIFY2(text.contains(QString::fromStdString(cp932::toUtf8(first.record.destName)).trimmed()),
                 qPrintable(text));
        QVERIFY(text.contains(QString::number(first.record.fee[0] + first.record.fee[1])));
        QCOMPARE(text.count('\f'), static_cast<int>(v->run().consignments.size()));

        // Nothing chosen in the list: nothing to print.
        v->printChosen();
        QCOMPARE(dialogs.shown.back(), std::string(printing::msg::kNoSlipChosen));
    }

    void commandLinePrintsThePeriod() {
        const QString pdf = dir.filePath("cli.pdf");
        QCOMPARE(runCli({"print", "home-delivery", "--from", "101", "--to", "1231", "--pdf", pdf.toStdString(),
                         dir.path().toStdString()}),
                 0);
        const QString text = pdfText(pdf);
        QCOMPARE(text.count('\f'), static_cast<int>(wholeYear().consignments.size()));
        QDir::current().mkpath("screens");
        QFile::remove(QDir::current().filePath("screens/home_delivery_page.png"));
        QProcess::execute("pdftoppm", {"-png", "-r", "40", "-f", "1", "-l", "1", "-singlefile", pdf,
                                       QDir::current().filePath("screens/home_delivery_page")});
        // A period without slips prints nothing and says so.
        QCOMPARE(runCli({"print", "home-delivery", "--from", "1230", "--to", "1231", "--customers", "2", "--pdf",
                         dir.filePath("none.pdf").toStdString(), dir.path().toStdString()}),
                 1);
    }

    void bookWindowWritesBackOnlyItsChanges() {
        const auto before = *delivery::readBook(ctx->files, ctx->fileSet[kHomeDeliveryMaster]);
        auto w = std::make_unique<TakuMasMeWnd>(*ctx, dialogs);
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        // A negative area code is refused with a beep and the old one stays.
        const int32_t area = before.front().destPhone[0];
        key(Qt::Key_Minus, Qt::KeypadModifier);
        type("3");
        key(Qt::Key_Return);
        QCOMPARE(dialogs.beeps, 1);
        QCOMPARE(w->book().front().destPhone[0], area);
        for (int i = 0; i < 5; ++i) key(Qt::Key_Return);
        QCOMPARE(w->view()->current(), int(FTakuhaiView::kDestName));
        for (int i = 0; i < 8; ++i) key(Qt::Key_Backspace);
        typeText("改名様");
        key(Qt::Key_Return);
        test::saveScreenshot(w.get(), "home_delivery_book");

        // Meanwhile another station books a new consignment.
        std::vector<delivery::ChainSlip> other(1);
        other[0].record = before.front();
        other[0].record.destPhone[2] = 7777;
        QVERIFY(delivery::recordChain(*ctx, other, {501, 1, 1}).write.ok());

        w->close();
        const auto after = *delivery::readBook(ctx->files, ctx->fileSet[kHomeDeliveryMaster]);
        QCOMPARE(after.size(), before.size() + 1);
        QCOMPARE(cp932::toUtf8(after[0].destName), std::string("改名様"));
        QCOMPARE(after.back().destPhone[2], 7777);
        for (size_t k = 1; k < before.size(); ++k) QVERIFY(std::memcmp(&after[k], &before[k], 352) == 0);
    }
};

QTEST_MAIN(HomeDeliveryPrintTest)
#include "home_delivery_print_test.moc"
