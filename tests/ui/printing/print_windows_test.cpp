// The print windows on a demo year: delivery notes and bills painted into PDF files whose
// text carries the amounts of the slips; the print form window saving its ranges.
#include <QCheckBox>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QWindow>
#include <sstream>

#include "app/command_table.h"
#include "app/startup_loader.h"
#include "base/cp932.h"
#include "cli/cli.h"
#include "masters/master_io.h"
#include "printing/conventions.h"
#include "printing/document_archive.h"
#include "printing/fax.h"
#include "printing/messages.h"
#include "support/ui_support.h"
#include "ui/app/QtDialogs.h"
#include "ui/app/WindowCatalog.h"
#include "ui/app/WindowRegistry.h"
#include "ui/controls/CDataEdit.h"
#include "ui/printing/GroupSeiView.h"
#include "ui/printing/GroupSeiWnd.h"
#include "ui/printing/HinTakkuView.h"
#include "ui/printing/HinTakkuWnd.h"
#include "ui/printing/MstPrntView.h"
#include "ui/printing/MstPrntWnd.h"
#include "ui/printing/NohinMesaiView.h"
#include "ui/printing/NohinMesaiWnd.h"
#include "ui/printing/NouhinPrnView.h"
#include "ui/printing/NouhinPrnWnd.h"
#include "ui/printing/PrintCommands.h"
#include "ui/printing/PrintSizeWnd.h"

using namespace rk;
using namespace rk::ui;
namespace msg = rk::printing::msg;

namespace {

QString pdfText(const QString& pdf) {
    QProcess p;
    p.start("pdftotext", {"-layout", pdf, "-"});
    p.waitForFinished(20000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

class PrintWindowsTest : public QObject {
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

    // A date of the year with a slip processed on credit, and that slip's header.
    std::pair<int, SlipHeader> processedSlip() {
        printing::SlipSnapshot files(*ctx);
        for (int n = files.headerCount() - 1; n >= 1; --n) {
            SlipHeader h = files.header(n);
            if (h.stage == kStageProcessed && liveDate(h.date) && h.receivable > 0) return {n, h};
        }
        return {0, {}};
    }

    // Prints through the view's output into a PDF and returns its text.
    template <class View>
    QString printToPdf(View* view, const QString& name) {
        const QString pdf = dir.filePath(name);
        bool printed = false;
        view->output().print = [&](const Planner& planner, QWidget*) {
            printed = writePdf(planner, pdf);
            return printed;
        };
        view->print();
        return printed ? pdfText(pdf) : QString();
    }

private slots:
    void initTestCase() {
        const std::string folder = dir.path().toStdString();
        QCOMPARE(runCli({"demo", "--customers", "30", "--slips", "400", folder}), 0);
        ctx = std::make_unique<AppContext>(Edition::Sales, folder);
        CreatingPrompts prompts;
        StandAloneStation station;
        QCOMPARE(runStartupLoader(*ctx, dialogs, prompts, station), StartupResult::Run);
    }

    void init() { dialogs = ScriptedDialogs{}; }

    void deliveryNotesCarryTheSlipAmounts() {
        auto [n, h] = processedSlip();
        QVERIFY(n > 0);
        NouhinPrnWnd w(*ctx, dialogs);
        w.show();
        NouhinPrnView* v = w.view();
        v->setValue(NouhinPrnView::kDate, h.date);
        QVERIFY(v->list()->count() >= 1);
        const int pages = v->run().pageCount();
        // Typing the copies: 3 triples the pages, Enter there prints them all.
        v->setCurrent(NouhinPrnView::kCopies);
        QVERIFY(v->edit());
        QTest::keyClicks(v->edit(), "3");
        const QString pdf = dir.filePath("delivery.pdf");
        int printedPages = 0;
        v->output().print = [&](const Planner& planner, QWidget*) {
            printedPages = static_cast<int>(planner({0, 0, 4724, 6800}).pages.size());
            return writePdf(planner, pdf);
        };
        QTest::keyClick(v->edit(), Qt::Key_Return);
        QCOMPARE(v->run().pageCount(), 3 * pages);
        QCOMPARE(printedPages, 3 * pages);
        test::saveScreenshot(&w, "delivery_note_window");

        // The chosen slip alone, one copy: its total and line sum are on the page.
        v->setValue(NouhinPrnView::kCopies, 1);
        v->setValue(NouhinPrnView::kFrom, h.customer);
        v->setValue(NouhinPrnView::kTo, h.customer);
        QCOMPARE(v->list()->count(), 1);
        v->list()->item(0)->setSelected(true);
        bool printed = false;
        v->output().print = [&](const Planner& planner, QWidget*) { return printed = writePdf(planner, pdf); };
        v->printChosen();
        QVERIFY(printed);
        const QString text = pdfText(pdf);
        double lines = 0;
        for (const auto& l : v->run().slips[0].lines) lines += l.line.amount;
        QVERIFY2(text.contains(q(printing::number(h.receivable))), qPrintable(text));
        QVERIFY(text.contains(q(printing::number(lines))));
        QVERIFY(text.contains(q(printing::number(h.tax))));
        QVERIFY(text.contains(QRegularExpression(QString::fromUtf8("納\\s+品\\s+書"))));

        // Nothing chosen: the message, and nothing printed.
        v->list()->clearSelection();
        printed = false;
        v->printChosen();
        QVERIFY(!printed);
        QCOMPARE(dialogs.shown.back(), std::string(msg::kNoSlipChosen));
        // No fax program configured: the fax buttons stay hidden.
        QVERIFY(!v->button(NouhinPrnView::kFaxAll)->isVisible());
    }

    void faxGoesThroughTheConfiguredCommand() {
        auto [n, h] = processedSlip();
        CustomerRecord c{};
        QVERIFY(masters::readRecord(ctx->files, ctx->fileSet[kCustomers], h.customer, c));
        cp932::assign(c.phone, "03-1111-2222 FAX 03-1111-2223");
        QVERIFY(masters::writeRecord(ctx->files, ctx->fileSet[kCustomers], h.customer, c));
        QVERIFY(printing::loadFaxFonts(ctx->files, ctx->programFolder()));
        // The command gets the document and the number after its own words.
        const QString sent = dir.filePath("sent");
        const QString command = QString("/bin/sh -c \"cp $0 %1.pdf; echo $1 > %1.txt\"").arg(sent);
        qputenv(printing::kFaxCommandVariable, command.toUtf8());
        NouhinPrnWnd w(*ctx, dialogs);
        w.show();
        NouhinPrnView* v = w.view();
        QVERIFY(v->button(NouhinPrnView::kFaxAll)->isVisible());
        v->setValue(NouhinPrnView::kDate, h.date);
        v->setValue(NouhinPrnView::kFrom, h.customer);
        v->setValue(NouhinPrnView::kTo, h.customer);
        v->fax(false);
        qunsetenv(printing::kFaxCommandVariable);
        QFile number(sent + ".txt");
        QVERIFY(number.open(QIODevice::ReadOnly));
        QCOMPARE(number.readAll().trimmed(), QByteArray("0311112223"));
        QVERIFY(pdfText(sent + ".pdf").contains(q(printing::number(h.receivable))));
        // The faxed note is kept in the archive of issued documents.
        const auto index = printing::readArchiveIndex(ctx->files, printing::archiveFolder(*ctx));
        QVERIFY(index && !index->empty());
        QCOMPARE(index->back().kind, printing::DocumentKind::DeliveryNote);
        QCOMPARE(index->back().customer, h.customer);
    }

    void billsWithAndWithoutDetails() {
        auto [n, h] = processedSlip();
        for (bool details : {false, true}) {
            NohinMesaiWnd w(*ctx, dialogs, details);
            w.show();
            NohinMesaiView* v = w.view();
            v->setValue(NohinMesaiView::kFrom, h.date / 100);
            v->setValue(NohinMesaiView::kTo, h.date / 100);
            v->setValue(NohinMesaiView::kFirstCustomer, h.customer);
            v->setValue(NohinMesaiView::kLastCustomer, h.customer);
            QTest::keyClick(v, Qt::Key_F11);
            QCOMPARE(v->bills().size(), size_t(1));
            const printing::Bill& b = v->bills()[0];
            QVERIFY(!b.slips.empty());
            QVERIFY(std::any_of(b.slips.begin(), b.slips.end(), [&](auto& s) { return s.record == n; }));
            const QString text = printToPdf(v, details ? "bill_details.pdf" : "bill.pdf");
            QVERIFY2(text.contains(q(printing::number(b.total()))), qPrintable(text));
            QVERIFY(text.contains(q(printing::number(b.previous))));
            QVERIFY(text.contains(q(printing::number(b.totals.receivable))));
            QVERIFY(text.contains(QString::fromUtf8("請求額計")));
            QCOMPARE(text.contains(QString::fromUtf8("納 品 明 細")), details);
            test::saveScreenshot(&w, details ? "bill_window_details" : "bill_window");
        }
    }

    void groupBillSumsTheGroup() {
        auto [n, h] = processedSlip();
        const int member = h.customer, rep = h.customer == 1 ? 2 : 1;
        CustomerRecord r{}, m{};
        QVERIFY(masters::readRecord(ctx->files, ctx->fileSet[kCustomers], rep, r));
        QVERIFY(masters::readRecord(ctx->files, ctx->fileSet[kCustomers], member, m));
        r.groupLink = 1;
        r.members[0] = member;
        m.groupLink = -rep;
        QVERIFY(masters::writeRecord(ctx->files, ctx->fileSet[kCustomers], rep, r));
        QVERIFY(masters::writeRecord(ctx->files, ctx->fileSet[kCustomers], member, m));

        GroupSeiWnd w(*ctx, dialogs);
        w.show();
        GroupSeiView* v = w.view();
        v->setValue(GroupSeiView::kFrom, h.date / 100);
        v->setValue(GroupSeiView::kTo, h.date / 100);
        v->setValue(GroupSeiView::kRepresentative, member);
        QVERIFY(!v->collect());
        QCOMPARE(dialogs.shown.back(), std::string(msg::kNotRepresentative));
        v->setValue(GroupSeiView::kRepresentative, rep);
        QCOMPARE(v->members()->count(), 1);
        QVERIFY(v->collect());
        const printing::Bill& b = v->bill()->bill;
        QCOMPARE(b.previous, r.balance + m.balance);
        const QString text = printToPdf(v, "group_bill.pdf");
        QVERIFY2(text.contains(q(printing::number(b.total()))), qPrintable(text));
        QVERIFY(text.contains(QString::fromUtf8("御中")));
        test::saveScreenshot(&w, "group_bill_window");
    }

    void printFormWindowSavesItsRanges() {
        auto* w = new PrintSizeWnd(*ctx, dialogs);
        w->show();
        QVERIFY(w->edit());
        QTest::keyClicks(w->edit(), "25");
        QTest::keyClick(w->edit(), Qt::Key_Down);
        QCOMPARE(w->current(), 1);
        w->setCurrent(8);  // list rows
        QTest::keyClicks(w->edit(), "3");
        QTest::keyClick(w->edit(), Qt::Key_Return);
        QCOMPARE(w->current(), 9);
        w->setFontChooser([](const QFont&, QWidget*) { return std::optional<QFont>(QFont("IPAMincho")); });
        w->button(PrintSizeWnd::kFaxTitleFont)->click();
        printing::FaxFonts fax{};
        QVERIFY(ctx->files.readZeroFilled(ctx->programFolder() / printing::kFaxFontFile, 0, bytesOf(fax)));
        QCOMPARE(QString::fromStdString(cp932::toUtf8(fax.title.faceName)), QString("IPAMincho"));
        test::saveScreenshot(w, "print_form_window");
        w->button(PrintSizeWnd::kUpdate)->click();
        delete w;
        printing::PrintForm saved{};
        QVERIFY(ctx->files.readZeroFilled(ctx->programFolder() / printing::kPrintFormFile, 0, bytesOf(saved)));
        QCOMPARE(saved.fields[printing::kLinesPerPage], 20);
        QCOMPARE(saved.fields[printing::kListRows], 6);
        QCOMPARE(saved.fields[printing::kListColumns], 10);
    }

    void printCommandsAreLive() {
        QMdiArea area;
        WindowRegistry registry(*ctx, dialogs, &area);
        registerWindows(registry, *ctx);
        for (int command : {144, 145, 147, 151, 166, cmd::kPrintSetup})
            QVERIFY2(registry.isEnabled(command), qPrintable(QString::number(command)));
        QWidget* w = registry.open(147);
        QVERIFY(w);
        QVERIFY(qobject_cast<QMdiSubWindow*>(w)->widget()->findChild<NohinMesaiView*>()->details());
        QVERIFY(!registry.open(145));
        QCOMPARE(dialogs.shown.back(), std::string("複数の請求書印刷ウインドウは開けません"));
        QWidget* form = registry.open(166);
        QVERIFY(form);
        QCOMPARE(form->windowTitle(), QString("　印刷フォーム設定"));
        area.resize(900, 600);
        area.show();
        test::saveScreenshot(form, "print_form_in_frame");
        area.closeAllSubWindows();
    }

    void commandLineWritesTheSamePages() {
        auto [n, h] = processedSlip();
        const std::string folder = dir.path().toStdString();
        const QString pdf = dir.filePath("cli_notes.pdf");
        const std::string date = std::to_string(h.date);
        const std::string c = std::to_string(h.customer);
        QCOMPARE(runCli({"print", "delivery-notes", "--date", date, "--from", c, "--to", c, "--pdf", pdf.toStdString(),
                         folder}),
                 0);
        QVERIFY(pdfText(pdf).contains(q(printing::number(h.receivable))));
        const QString bills = dir.filePath("cli_bills.pdf");
        const std::string month = std::to_string(h.date / 100);
        QCOMPARE(runCli({"print", "bills", "--from", month, "--to", month, "--customers", c + "-" + c, "--details",
                         "--pdf", bills.toStdString(), folder}),
                 0);
        QVERIFY(pdfText(bills).contains(QString::fromUtf8("請求額計")));
        QCOMPARE(runCli({"print", "bills", "--from", month, "--pdf", bills.toStdString(), folder}), 2);
    }
    // 商品タック印刷 from the registry, typed by keys on the frame: one tag per line of the
    // date's slips, six to a 14.4 x 5 inch page; the command line prints the same tags.
    void tagWindowPrintsOneTagPerLine() {
        auto [n, h] = processedSlip();
        QVERIFY(n > 0);
        printing::SlipSnapshot files(*ctx);
        size_t lines = 0;
        for (int s : files.slipsOfDate(h.date)) lines += files.slip(s, false).lines.size();
        QVERIFY(lines > 0);

        QMdiArea area;
        area.resize(900, 600);
        area.show();
        WindowRegistry registry(*ctx, dialogs, &area);
        registerWindows(registry, *ctx);
        auto* sub = qobject_cast<QMdiSubWindow*>(registry.open(148));
        QVERIFY(sub);
        auto* w = qobject_cast<HinTakkuWnd*>(sub->widget());
        QVERIFY(w);
        QVERIFY(!registry.open(148));
        QCOMPARE(dialogs.shown.back(), std::string("複数の 商品タック印刷 ウインドウは開けません"));
        area.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&area));
        QWindow* win = area.windowHandle();
        QTest::keyClicks(QApplication::focusWidget(), QString::number(h.date));
        QTest::keyClick(win, Qt::Key_Return);
        QCOMPARE(w->view()->run().tags.size(), lines);
        QCOMPARE(w->view()->run().tagCountText(), QString::asprintf(" タック枚数%4d 枚", int(lines)).toStdString());
        test::saveScreenshot(sub, "tag_window");

        const QString pdf = QDir::current().filePath("screens/tags.pdf");
        int pages = 0;
        w->view()->output().print = [&](const Planner& planner, QWidget*) {
            pages = static_cast<int>(planner({0, 0, 8640, 3000, 600}).pages.size());
            return writePdf(planner, pdf);
        };
        for (int i = 0; i < 3; ++i) QTest::keyClick(win, Qt::Key_Return);  // Enter on the lines field prints
        QCOMPARE(pages, int((lines + 5) / 6));
        const QString text = pdfText(pdf);
        QCOMPARE(text.count(QString::fromUtf8("宛先")), int(lines));
        QVERIFY(text.contains(QString::fromUtf8("御中")));
        QProcess info;
        info.start("pdfinfo", {pdf});
        info.waitForFinished(20000);
        QVERIFY(QString::fromUtf8(info.readAllStandardOutput()).contains("1037 x 360 pts"));

        const QString cli = dir.filePath("cli_tags.pdf");
        QCOMPARE(runCli({"print", "tags", "--date", std::to_string(h.date), "--pdf", cli.toStdString(),
                         dir.path().toStdString()}),
                 0);
        QCOMPARE(pdfText(cli).count(QString::fromUtf8("宛先")), int(lines));
        area.closeAllSubWindows();
    }

    // 各種マスター印刷: products chosen by their number, printed, and MstData.Csv written after
    // the question; the command line writes the same file.
    void masterListWindowPrintsAndWritesTheText() {
        QMdiArea area;
        area.resize(900, 600);
        area.show();
        WindowRegistry registry(*ctx, dialogs, &area);
        registerWindows(registry, *ctx);
        auto* sub = qobject_cast<QMdiSubWindow*>(registry.open(149));
        QVERIFY(sub);
        auto* w = qobject_cast<MstPrntWnd*>(sub->widget());
        QVERIFY(w);
        area.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&area));
        QWindow* win = area.windowHandle();
        QTest::keyClick(win, Qt::Key_2);  // products; a one-digit field moves on by itself
        QCOMPARE(w->view()->selection().kind, printing::MasterList::Products);
        QTest::keyClicks(QApplication::focusWidget(), "1");
        QTest::keyClick(win, Qt::Key_Return);
        QTest::keyClicks(QApplication::focusWidget(), "40");
        QTest::keyClick(win, Qt::Key_Return);
        QCOMPARE(w->view()->selection().to, 40);
        test::saveScreenshot(sub, "master_list_window");

        const QString pdf = QDir::current().filePath("screens/master_list.pdf");
        w->view()->output().print = [&](const Planner& planner, QWidget*) { return writePdf(planner, pdf); };
        QVERIFY(w->view()->print());
        ProductRecord p{};
        masters::readProduct(ctx->files, ctx->fileSet[kProducts], 1, p);
        const QString text = pdfText(pdf);
        QVERIFY(text.contains(QString::fromUtf8("商品マスター")));
        QVERIFY(text.contains(q(printing::fieldText(p.name))));

        const fs::path csv = ctx->programFolder() / printing::kMasterCsvFile;
        dialogs.answers = {Answer::Cancel};
        QVERIFY(!w->view()->writeText());
        QVERIFY(!ctx->files.exists(csv));
        dialogs.answers = {Answer::Ok};
        QVERIFY(w->view()->writeText());
        QCOMPARE(dialogs.shown.back(), std::string(printing::msg::kMasterCsvQuestion));
        const Bytes written = ctx->files.readAll(csv).value_or(Bytes{});
        const std::string lines =
            cp932::toUtf8(std::string_view(reinterpret_cast<const char*>(written.data()), written.size()));
        QCOMPARE(std::count(lines.begin(), lines.end(), '\n'), 41);
        QVERIFY(lines.find(" 1, " + printing::fieldText(p.name) + ",") != std::string::npos);
        QCOMPARE(runCli({"export", "masters", "--kind", "products", "--to", "40", dir.path().toStdString()}), 0);
        QCOMPARE(ctx->files.readAll(csv).value_or(Bytes{}), written);
        area.closeAllSubWindows();
    }
};

QTEST_MAIN(PrintWindowsTest)
#include "print_windows_test.moc"
