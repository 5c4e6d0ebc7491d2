// Page plans painted into a real PDF and read back.
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "ui/printing/PlanPrinter.h"

using namespace rk;

class PlanPrinterTest : public QObject {
    Q_OBJECT

private slots:
    void pdfHoldsThePlannedTextOnEveryPage() {
        QTemporaryDir dir;
        const QString pdf = dir.filePath("plan.pdf");
        printing::PageArea seen;
        auto planner = [&seen](const printing::PageArea& area) {
            seen = area;
            printing::PrintForm form = printing::defaultPrintForm();
            printing::PageMetrics m = printing::pageMetrics(form, area);
            printing::Document doc = printing::documentFor(form, m, "test");
            for (int i = 1; i <= 2; ++i) {
                printing::Page page;
                page.text(m.h, 0, "納品書", printing::FontRole::Title);
                page.text(90 * m.h, m.u * 2, "12,345", printing::FontRole::Data, printing::Align::Right);
                page.text(m.h, m.u * 4, QString("%1 P").arg(i).toStdString());
                page.rule(m.left, m.u * 3, m.right, m.u * 3);
                page.box(m.h, m.u * 5, 20 * m.h, 2 * m.u);
                doc.pages.push_back(page);
            }
            return doc;
        };
        QVERIFY(ui::writePdf(planner, pdf));
        QVERIFY(seen.right > 4000);  // A4 at 600 dpi

        QProcess text;
        text.start("pdftotext", {"-layout", pdf, "-"});
        QVERIFY(text.waitForFinished(10000));
        const QString out = QString::fromUtf8(text.readAllStandardOutput());
        QCOMPARE(out.count(QString::fromUtf8("納品書")), 2);
        QVERIFY(out.contains("12,345"));
        QVERIFY(out.contains("2 P"));
    }
};

QTEST_MAIN(PlanPrinterTest)
#include "plan_printer_test.moc"
