// No printed text runs over another: every printout of a demo year, with the longest customer
// name the master holds and with 6, 10 and 20 rows a page, is written to PDF and the word
// boxes `pdftotext -bbox` reads back from it must not overlap.
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <cstring>
#include <sstream>

#include "app/invoice_settings.h"
#include "app/startup_loader.h"
#include "base/cp932.h"
#include "cli/cli.h"
#include "masters/master_io.h"
#include "payments/list_print.h"
#include "payments/payment_file.h"
#include "payments/payment_list.h"
#include "printing/print_form.h"
#include "printing/slip_snapshot.h"
#include "ui/listtable/PackInsWnd.h"
#include "ui/printing/GroupSeiView.h"
#include "ui/printing/GroupSeiWnd.h"
#include "ui/printing/NohinMesaiView.h"
#include "ui/printing/NohinMesaiWnd.h"
#include "ui/printing/NouhinPrnView.h"
#include "ui/printing/NouhinPrnWnd.h"
#include "ui/printing/PlanPrinter.h"
#include "ui/printing/PrintCommands.h"
#include "ui/tables/GraSyuWnd.h"

using namespace rk;
using namespace rk::ui;

namespace {

struct Word {
    int page;
    double x1, y1, x2, y2;
    QString text;
};

std::vector<Word> pdfWords(const QString& pdf) {
    QProcess p;
    p.start("pdftotext", {"-bbox", pdf, "-"});
    p.waitForFinished(60000);
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    std::vector<Word> words;
    int page = 0;
    static const QRegularExpression token(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    for (auto it = token.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith("<page")) {
            ++page;
            continue;
        }
        words.push_back({page, m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                         m.captured(4).toDouble(), m.captured(5)});
    }
    return words;
}

// Two words overprint when their boxes share more than a sliver in both directions.
QStringList overlaps(const std::vector<Word>& words) {
    QStringList out;
    for (size_t i = 0; i < words.size(); ++i) {
        for (size_t j = i + 1; j < words.size(); ++j) {
            const Word& a = words[i];
            const Word& b = words[j];
            if (a.page != b.page) continue;
            const double w = std::min(a.x2, b.x2) - std::max(a.x1, b.x1);
            const double h = std::min(a.y2, b.y2) - std::max(a.y1, b.y1);
            const double lower = std::min(a.y2 - a.y1, b.y2 - b.y1);
            if (w > 0.5 && h > 0.3 * lower)
                out << QString("page %1: \"%2\" over \"%3\"").arg(a.page).arg(a.text, b.text);
        }
    }
    return out;
}

// 29 bytes of Shift-JIS: the longest name the customer master keeps.
constexpr const char* kLongName = "株式会社港南フラワー園芸店本ｱ";

}  // namespace

class OverprintTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<AppContext> ctx;
    ScriptedDialogs dialogs;
    int32_t date = 0;
    int customer = 0, representative = 0;

    int runCli(std::vector<std::string> args) {
        std::ostringstream out, err;
        cli::Io io{out, err};
        args.insert(args.begin(), "rakurena");
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        return cli::main(static_cast<int>(argv.size()), argv.data(), io, printCommands());
    }

    void setRowsPerPage(int rows) {
        printing::PrintForm form =
            printing::loadPrintForm(ctx->files, ctx->programFolder()).value_or(printing::defaultPrintForm());
        form.fields[printing::kLinesPerPage] = rows;
        QVERIFY(ctx->files.write(ctx->programFolder() / printing::kPrintFormFile, 0, bytesOf(form), true));
    }

    void expectNoOverprint(const Planner& planner, const QString& name, bool landscape = false) {
        // Kept beside the screenshots for people to look at.
        QDir().mkpath("screens");
        const QString pdf = QDir::current().filePath("screens/overprint_" + name + ".pdf");
        QVERIFY2(writePdf(planner, pdf, landscape), qPrintable(name));
        const std::vector<Word> words = pdfWords(pdf);
        QVERIFY2(!words.empty(), qPrintable(name));
        const QStringList found = overlaps(words);
        QVERIFY2(found.isEmpty(), qPrintable(name + ": " + found.mid(0, 6).join("; ")));
    }

    template <class View>
    Planner plannerOf(View* view) {
        Planner captured;
        view->output().print = [&captured](const Planner& planner, QWidget*) {
            captured = planner;
            return true;
        };
        view->print();
        return captured;
    }

private slots:
    void initTestCase() {
        const std::string folder = dir.path().toStdString();
        QCOMPARE(runCli({"demo", "--customers", "30", "--slips", "400", folder}), 0);
        ctx = std::make_unique<AppContext>(Edition::Sales, folder);
        CreatingPrompts prompts;
        StandAloneStation station;
        QCOMPARE(runStartupLoader(*ctx, dialogs, prompts, station), StartupResult::Run);
        // The customer of the last processed slip gets the longest name and becomes the member
        // of a group whose representative has a long name too.
        printing::SlipSnapshot files(*ctx);
        for (int n = files.headerCount() - 1; n >= 1 && !customer; --n) {
            const SlipHeader h = files.header(n);
            if (h.stage == kStageProcessed && liveDate(h.date) && h.receivable > 0) {
                date = h.date;
                customer = h.customer;
            }
        }
        QVERIFY(customer > 0);
        representative = customer == 1 ? 2 : 1;
        CustomerRecord c{}, r{};
        QVERIFY(masters::readRecord(ctx->files, ctx->fileSet[kCustomers], customer, c));
        QVERIFY(masters::readRecord(ctx->files, ctx->fileSet[kCustomers], representative, r));
        cp932::assign(c.name, kLongName);
        QCOMPARE(cp932::fromUtf8(cp932::toUtf8(c.name)).size(), size_t(29));
        cp932::assign(c.honorific, "御中");
        cp932::assign(r.name, kLongName);
        r.groupLink = 1;
        r.members[0] = customer;
        c.groupLink = -representative;
        QVERIFY(masters::writeRecord(ctx->files, ctx->fileSet[kCustomers], customer, c));
        QVERIFY(masters::writeRecord(ctx->files, ctx->fileSet[kCustomers], representative, r));
    }

    void slipDocuments_data() {
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("qualified");
        for (int rows : {6, 10, 20}) QTest::addRow("%d rows", rows) << rows << false;
        // As qualified invoices: the registration number and the lines per tax rate as well.
        for (int rows : {6, 20}) QTest::addRow("%d rows qualified", rows) << rows << true;
    }

    // Delivery notes (both forms), bills with and without details and the group bill.
    void slipDocuments() {
        QFETCH(int, rows);
        QFETCH(bool, qualified);
        setRowsPerPage(rows);
        InvoiceSettings invoice{};
        std::memcpy(invoice.number, "T1234567890123", 14);
        invoice.qualified = qualified ? 1 : 0;
        QVERIFY(writeInvoiceSettings(ctx->files, ctx->programFolder(),
                                     readInvoiceSettings(ctx->files, ctx->programFolder()).settings, invoice)
                    .ok());
        const QString tag = QString::number(rows) + (qualified ? "_qualified" : "");
        {
            NouhinPrnWnd w(*ctx, dialogs);
            NouhinPrnView* v = w.view();
            v->setValue(NouhinPrnView::kDate, date);
            v->setValue(NouhinPrnView::kFrom, customer);
            v->setValue(NouhinPrnView::kTo, customer);
            for (auto kind : {printing::DeliveryForm::Standard, printing::DeliveryForm::Cooperative}) {
                const bool coop = kind == printing::DeliveryForm::Cooperative;
                expectNoOverprint([v, kind](const printing::PageArea& a) { return v->plan(a, false, kind); },
                                  (coop ? "cooperative_" : "delivery_") + tag);
            }
        }
        for (bool details : {false, true}) {
            NohinMesaiWnd w(*ctx, dialogs, details);
            NohinMesaiView* v = w.view();
            v->setValue(NohinMesaiView::kFrom, date / 100);
            v->setValue(NohinMesaiView::kTo, date / 100);
            v->setValue(NohinMesaiView::kFirstCustomer, customer);
            v->setValue(NohinMesaiView::kLastCustomer, customer);
            QTest::keyClick(v, Qt::Key_F11);
            QCOMPARE(v->bills().size(), size_t(1));
            expectNoOverprint(plannerOf(v), (details ? "bill_details_" : "bill_") + tag);
        }
        {
            GroupSeiWnd w(*ctx, dialogs);
            GroupSeiView* v = w.view();
            v->setValue(GroupSeiView::kFrom, date / 100);
            v->setValue(GroupSeiView::kTo, date / 100);
            v->setValue(GroupSeiView::kRepresentative, representative);
            QVERIFY(v->collect());
            expectNoOverprint(plannerOf(v), "group_bill_" + tag);
        }
    }

    // The payment list, a receipt, a day table and the sorting sheet.
    void listsAndReceipt() {
        setRowsPerPage(10);
        payments::PaymentList list(*ctx, dialogs);
        list.firstCustomer = 1;
        list.lastCustomer = ctx->env.customerCount;
        list.aggregate();
        QVERIFY(!list.entries().empty());
        expectNoOverprint(
            [&](const printing::PageArea& a) {
                return payments::planPaymentList(*ctx, printing::defaultPrintForm(), a, list);
            },
            "payment_list");
        PaymentRecord payment{};
        QVERIFY(payments::readPayment(ctx->files, ctx->fileSet[kPayments], list.entries().front().record, payment));
        cp932::assign(payment.customerName, kLongName);
        expectNoOverprint(
            [&](const printing::PageArea& a) {
                return payments::planReceipt(*ctx, printing::defaultPrintForm(), a, payment);
            },
            "receipt");
        GraSyuWnd table(*ctx, dialogs, 2);
        expectNoOverprint([&table](const printing::PageArea& a) { return table.plan(a); }, "day_table", true);
        PackInsWnd sheet(*ctx, dialogs);
        expectNoOverprint([&sheet](const printing::PageArea& a) { return sheet.plan(a); }, "sorting_sheet", true);
    }
};

QTEST_MAIN(OverprintTest)
#include "overprint_test.moc"
