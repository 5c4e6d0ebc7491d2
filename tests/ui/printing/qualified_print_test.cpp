// Delivery notes and bills of a demo year printed to PDF with the qualified-invoice switch on:
// the text read back from the PDF carries the registration number and the per-rate lines;
// with the switch off the same printouts carry neither.
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cstring>
#include <sstream>

#include "app/invoice_settings.h"
#include "app/startup_loader.h"
#include "cli/cli.h"
#include "printing/conventions.h"
#include "printing/messages.h"
#include "printing/qualified_invoice.h"
#include "printing/slip_snapshot.h"
#include "ui/printing/PrintCommands.h"

using namespace rk;
using namespace rk::ui;

namespace {

QString pdfText(const QString& pdf) {
    QProcess p;
    p.start("pdftotext", {"-layout", pdf, "-"});
    p.waitForFinished(20000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The first page of a PDF as screens/<name>.png, for people to look at.
void savePage(const QString& pdf, const QString& name) {
    QDir::current().mkpath("screens");
    QProcess::execute("pdftoppm", {"-png", "-r", "60", "-f", "1", "-l", "1", "-singlefile", pdf,
                                   QDir::current().filePath("screens/" + name)});
}

QString q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

class QualifiedPrintTest : public QObject {
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

    void setQualified(bool on) {
        InvoiceSettings s{};
        std::memcpy(s.number, "T1234567890123", 14);
        s.qualified = on ? 1 : 0;
        QVERIFY(writeInvoiceSettings(ctx->files, ctx->programFolder(),
                                     readInvoiceSettings(ctx->files, ctx->programFolder()).settings, s)
                    .ok());
    }

private slots:
    void initTestCase() {
        const std::string folder = dir.path().toStdString();
        QCOMPARE(runCli({"demo", "--customers", "12", "--slips", "200", folder}), 0);
        ctx = std::make_unique<AppContext>(Edition::Sales, folder);
        CreatingPrompts prompts;
        StandAloneStation station;
        QCOMPARE(runStartupLoader(*ctx, dialogs, prompts, station), StartupResult::Run);
    }

    void deliveryNoteAndBillCarryTheNumberAndTheTaxPerRate() {
        // The customer and date of the last slip processed on credit.
        printing::SlipSnapshot files(*ctx);
        SlipHeader h{};
        for (int n = files.headerCount() - 1; n >= 1 && h.customer == 0; --n) {
            const SlipHeader s = files.header(n);
            if (s.stage == kStageProcessed && liveDate(s.date) && s.receivable > 0) h = s;
        }
        QVERIFY(h.customer > 0);
        const std::string folder = dir.path().toStdString(), c = std::to_string(h.customer);
        const std::string month = std::to_string(h.date / 100);
        const int rate = printing::applicableRate(*ctx);
        QVERIFY(rate > 0);
        const QString perRate = QString("%1%対象 ¥").arg(rate);

        const QString notes = dir.filePath("notes.pdf"), bills = dir.filePath("bills.pdf");
        auto print = [&] {
            QCOMPARE(runCli({"print", "delivery-notes", "--date", std::to_string(h.date), "--from", c, "--to", c,
                             "--pdf", notes.toStdString(), folder}),
                     0);
            QCOMPARE(runCli({"print", "bills", "--from", month, "--to", month, "--customers", c + "-" + c, "--pdf",
                             bills.toStdString(), folder}),
                     0);
        };

        setQualified(true);
        print();
        // Words as the PDF holds them, blanks and line ends evened out.
        const QString noteText = pdfText(notes).simplified(), billText = pdfText(bills).simplified();
        QVERIFY2(noteText.contains("登録番号 T1234567890123"), qPrintable(noteText));
        // The note of this slip states the tax it was processed with.
        QVERIFY2(noteText.contains(perRate + q(printing::number(h.amount)) + " 消費税 ¥" + q(printing::number(h.tax))),
                 qPrintable(noteText));
        QVERIFY(billText.contains("登録番号 T1234567890123"));
        QVERIFY(billText.contains(QString::fromUtf8(printing::msg::kDeliveryNotesQualify).left(10)));
        QVERIFY2(billText.contains(perRate) && billText.contains(" 消費税 ¥"), qPrintable(billText));
        savePage(notes, "qualified_delivery_note");
        savePage(bills, "qualified_bill");

        setQualified(false);
        print();
        for (const QString& text : {pdfText(notes), pdfText(bills)}) {
            QVERIFY(!text.contains("登録番号"));
            QVERIFY(!text.contains(perRate));
        }
    }
};

QTEST_MAIN(QualifiedPrintTest)
#include "qualified_print_test.moc"
