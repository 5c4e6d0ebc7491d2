// The day and month table windows, their conditions window and the ledger on a demo year:
// what they show, what their buttons write, and screenshots to look at.
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <sstream>

#include "app/startup_loader.h"
#include "base/cp932.h"
#include "cli/cli.h"
#include "masters/customer_master.h"
#include "masters/master_io.h"
#include "support/demo_year.h"
#include "support/ui_support.h"
#include "tables/key_names.h"
#include "tables/table_csv.h"
#include "ui/controls/CDataEdit.h"
#include "ui/printing/PlanPrinter.h"
#include "ui/tables/GraSyuBView.h"
#include "ui/tables/GraSyuCView.h"
#include "ui/tables/GraSyuView.h"
#include "ui/tables/GraSyuWnd.h"
#include "ui/tables/HanMotoBView.h"
#include "ui/tables/HanMotoView.h"
#include "ui/tables/HanMotoWnd.h"
#include "ui/tables/IkkatuSyuAView.h"
#include "ui/tables/IkkatuSyuBView.h"
#include "ui/tables/IkkatuSyuWnd.h"
#include "ui/tables/JyoukenSetWnd.h"
#include "ui/tables/UriageSyuAView.h"
#include "ui/tables/UriageSyuBView.h"
#include "ui/tables/UriageSyuWnd.h"

using namespace rk;
using namespace rk::ui;

class TablesWindowsTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<AppContext> ctx;
    ScriptedDialogs dialogs;

    static void type(CDataEdit* e, const char* digits, Qt::Key end = Qt::Key_Return) {
        QVERIFY(e);
        QTest::keyClicks(e, digits);
        QTest::keyClick(e, end);
    }

private slots:
    void initTestCase() {
        ctx = test::openDemoYear(dir.path().toStdString(), 40, 1500, dialogs);
        QVERIFY(ctx);
    }

    void init() { dialogs = ScriptedDialogs{}; }

    void dayTableShowsTheEnginesResult() {
        GraSyuWnd w(*ctx, dialogs, 1);
        w.resize(1000, 600);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(), QString("　日別得意先別表集計"));
        const tables::TableResult& r = w.result();
        QVERIFY(r.keys.size() > 10);
        QVERIFY(r.labels.size() > 100);
        QCOMPARE(w.grid()->rows().size(), r.labels.size());
        // A cell without an amount shows the dot; the measure cycles quantity, price, amount.
        const int e = w.grid()->rows().front();
        int empty = 0, filled = 0;
        for (int k : r.keys) {
            if (r.cell(e, k).amount == 0) {
                QCOMPARE(w.grid()->cellText(e, k), QString("･"));
                ++empty;
            } else {
                QCOMPARE(w.grid()->cellText(e, k).trimmed().remove(',').toLongLong(),
                         static_cast<long long>(r.cell(e, k).quantity));
                ++filled;
            }
        }
        QVERIFY(filled > 0);
        w.header()->button("ﾓｰﾄﾞ替")->click();
        w.header()->button("ﾓｰﾄﾞ替")->click();
        QCOMPARE(w.measure(), tables::Measure::Amount);
        QVERIFY(w.header()->button("線ｸﾞﾗﾌ")->isEnabled());
        test::saveScreenshot(&w, "tables_day_customer");
    }

    void rangeFieldsAndConditionsRunTheTableAgain() {
        GraSyuWnd w(*ctx, dialogs, 3);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const double before = w.result().grand.quantity;
        QCOMPARE(w.header()->field(), 1);
        type(w.header()->edit(), "3");  // start: 1 March
        QCOMPARE(w.range().from, 301);
        type(w.header()->edit(), "3");  // end: 31 March
        QCOMPARE(w.range().to, 331);
        type(w.header()->edit(), "1");
        type(w.header()->edit(), "999");
        JyoukenSetWnd* c = w.conditionsWindow();
        QVERIFY(c && c->isVisible());
        // The product column is the table's own key: the cursor starts on customers.
        QCOMPARE(c->column(), tables::kByCustomer);
        type(c->edit(), "1");
        type(c->edit(), "0");
        type(c->edit(), "0");
        type(c->edit(), "0");
        type(c->edit(), "0");
        type(c->edit(), "20", Qt::Key_F3);
        QCOMPARE(c->conditions().of(tables::kByCustomer)[5], 20);
        QCOMPARE(c->cellText(tables::kByCustomer, 2), QString("  -"));
        tables::ConditionSet expected;
        expected.of(tables::kByCustomer) = {1, 0, 0, 0, 0, 20};
        const tables::TableResult direct = tables::runTable(*ctx, 3, {301, 331, 1, 999}, expected);
        QCOMPARE(w.result().grand.quantity, direct.grand.quantity);
        QVERIFY(w.result().grand.quantity < before);
        test::saveScreenshot(c, "tables_conditions");
    }

    void monthTableOrdersByMonthAndSwapsColumns() {
        GraSyuWnd w(*ctx, dialogs, 9);
        w.resize(1000, 600);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const tables::TableResult& r = w.result();
        QCOMPARE(r.yearsRead, 1);
        QCOMPARE(w.grid()->rows().size(), size_t{13});  // the year's total and its twelve months
        QVERIFY(w.header()->byMonthBox());
        w.header()->byMonthBox()->setChecked(true);
        QCOMPARE(w.grid()->rows().size(), size_t{13});
        QVERIFY(r.keys.size() >= 2);
        const int first = r.keys[0], second = r.keys[1];
        dialogs.answers = {Answer::Yes};
        w.swapColumns(0, 1);
        QCOMPARE(w.result().keys[0], second);
        QCOMPARE(w.result().keys[1], first);
        QVERIFY(QString::fromStdString(dialogs.shown.back()).endsWith(" の列データを入れ替えます"));
        test::saveScreenshot(&w, "tables_month_product");
    }

    void csvButtonWritesTheFourFiles() {
        GraSyuWnd w(*ctx, dialogs, 4);
        const QString chosen = dir.filePath("grade.Csv");
        QVERIFY(w.exportCsv(chosen));
        auto names = tables::keyNames(*ctx, tables::kByGrade1, w.result().codeSlots);
        const std::string expected = tables::tableCsv(w.result(), names, tables::CsvPart::Amount);
        auto written = ctx->files.readAll(dir.filePath("gradeD.Csv").toStdString());
        QVERIFY(written);
        QCOMPARE(std::string(reinterpret_cast<const char*>(written->data()), written->size()), expected);
        QVERIFY(!w.exportCsv(dir.filePath("a.b.Csv")));
        QCOMPARE(dialogs.shown.back(), std::string("ファイル名にピリオドが複数あるため\nファイル名が不正です"));
        // A printout of every key column block.
        printing::Document d = w.plan({0, 0, 4000, 2800});
        QVERIFY(!d.pages.empty());
        QDir().mkpath("screens");
        QVERIFY(writePdf([&w](const printing::PageArea& a) { return w.plan(a); }, "screens/tables_print.pdf", true));
    }

    void ledgerShowsEntriesAndAsksAboutTheBalance() {
        CustomerRecord c{};
        QVERIFY(masters::readRecord(ctx->files, ctx->fileSet[kCustomers], 7, c));
        c.balance += 1234;
        QVERIFY(masters::writeRecord(ctx->files, ctx->fileSet[kCustomers], 7, c));
        HanMotoWnd w(*ctx, dialogs);
        w.resize(820, 560);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(), QString("　販売元帳集計"));
        dialogs.answers = {Answer::No};
        type(w.header()->edit(), "7");
        QCOMPARE(w.ledger().customer, 7);
        QVERIFY(!w.ledger().entries.empty());
        QVERIFY(QString::fromStdString(dialogs.shown.back()).endsWith("現在前回残高 を修正しますか"));
        CustomerRecord after{};
        QVERIFY(masters::readRecord(ctx->files, ctx->fileSet[kCustomers], 7, after));
        QCOMPARE(after.balance, c.balance);
        const QStringList first = w.list()->rowTexts(0);
        QCOMPARE(first.size(), 7);
        test::saveScreenshot(&w, "tables_ledger");
        // Yes stores the computed balance.
        dialogs.answers = {Answer::Yes};
        w.chooseCustomer(7);
        QVERIFY(masters::readRecord(ctx->files, ctx->fileSet[kCustomers], 7, after));
        QCOMPARE(after.balance, c.balance - 1234);
    }

    void salesTotalsSelectionAndCsv() {
        UriageSyuWnd w(*ctx, dialogs);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.selection(), tables::SlipSelection::All);
        const tables::CustomerTotals total = w.totals().totalOf(tables::SlipSelection::All);
        QVERIFY(total.slips > 0);
        QCOMPARE(w.list()->rowTexts(0)[1].remove(',').toLongLong(), static_cast<long long>(total.sales));
        // Clearing the last selected line selects it again.
        QListWidget* list = w.header()->selectionList();
        list->item(1)->setSelected(false);
        QCOMPARE(w.selection(), tables::SlipSelection::Processed);
        list->item(0)->setSelected(false);
        QCOMPARE(w.selection(), tables::SlipSelection::Processed);
        QVERIFY(list->item(0)->isSelected());
        // A new range runs again.
        type(w.header()->edit(), "5");
        type(w.header()->edit(), "5");
        QCOMPARE(w.from(), 501);
        QCOMPARE(w.to(), 531);
        QVERIFY(w.totals().totalOf(tables::SlipSelection::All).slips < total.slips);
        dialogs.answers = {Answer::No};
        QVERIFY(!w.exportTotals());
        dialogs.answers = {Answer::Yes};
        QVERIFY(w.exportTotals());
        auto customers = masters::readCustomers(ctx->files, ctx->fileSet[kCustomers], ctx->env.customerCount);
        const std::string expected = tables::salesTotalsCsv(w.totals(), w.selection(), customers, Edition::Sales);
        auto written = ctx->files.readAll(ctx->programFolder() / "売上集計.Csv");
        QVERIFY(written);
        QCOMPARE(std::string(reinterpret_cast<const char*>(written->data()), written->size()), expected);
        dialogs.answers = {Answer::Yes};
        QVERIFY(w.exportAccountCodes());
        QVERIFY(ctx->files.exists(ctx->programFolder() / "費用科目.Csv"));
        test::saveScreenshot(&w, "tables_sales_totals");
    }

    void bulkTotalsStagesConditionsAndCsv() {
        IkkatuSyuWnd w(*ctx, dialogs);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(!w.shownCustomers().empty());
        type(w.header()->edit(), "1");
        type(w.header()->edit(), "12");
        JyoukenSetWnd* c = w.conditionsWindow();
        QVERIFY(c && c->isVisible());
        QCOMPARE(c->column(), tables::kBySalesMethod);  // customers are the rows of the list
        type(c->edit(), "1", Qt::Key_F3);
        const tables::BulkTotals direct = [&] {
            tables::ConditionSet only;
            only.of(tables::kBySalesMethod)[0] = 1;
            return tables::runBulkTotals(*ctx, 101, 1231, only);
        }();
        QCOMPARE(tables::bulkFigures(w.totals(), w.stages(), 0).amount,
                 tables::bulkFigures(direct, w.stages(), 0).amount);
        // Orders alone: the first column is the ordered quantity.
        QListWidget* list = w.header()->stageList();
        list->item(0)->setSelected(true);
        list->item(1)->setSelected(false);
        list->item(2)->setSelected(false);
        list->item(3)->setSelected(false);
        QVERIFY(tables::onlyOrders(w.stages()));
        dialogs.answers = {Answer::Yes};
        QVERIFY(w.exportCsv());
        auto written = ctx->files.readAll(ctx->programFolder() / "一括Data.Csv");
        QVERIFY(written);
        QVERIFY(std::string(reinterpret_cast<const char*>(written->data()), written->size())
                    .starts_with(cp932::fromUtf8("No,得意先名,受注量,")));
        list->item(2)->setSelected(true);
        list->item(3)->setSelected(true);
        test::saveScreenshot(&w, "tables_bulk_totals");
    }
};

QTEST_MAIN(TablesWindowsTest)
#include "tables_windows_test.moc"
