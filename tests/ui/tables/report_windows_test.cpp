// The name search, order, commission and buyer totals windows on a demo year, opened from
// the aggregation menu through the registry and typed into with keys: what they list, the
// CSV files they write (the same bytes as the core's), their printouts and screenshots.
#include <QApplication>
#include <QCheckBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "base/cp932.h"
#include "slips/slip_index.h"
#include "support/demo_year.h"
#include "support/key_typing.h"
#include "support/ui_support.h"
#include "tables/key_names.h"
#include "tables/search_messages.h"
#include "ui/app/QtDialogs.h"
#include "ui/app/WindowCatalog.h"
#include "ui/app/WindowRegistry.h"
#include "ui/slips/FMdinWnd.h"
#include "ui/tables/BaisanBView.h"
#include "ui/tables/BaisanCView.h"
#include "ui/tables/BaisanView.h"
#include "ui/tables/BaisanWnd.h"
#include "ui/tables/GBlockSyuAView.h"
#include "ui/tables/GBlockSyuBView.h"
#include "ui/tables/GBlockSyuWnd.h"
#include "ui/tables/GraPWnd.h"
#include "ui/tables/GraSyuView.h"
#include "ui/tables/GraSyuWnd.h"
#include "ui/tables/JyuchuuSAView.h"
#include "ui/tables/JyuchuuSBView.h"
#include "ui/tables/JyuchuuSWnd.h"
#include "ui/tables/NameSyuAView.h"
#include "ui/tables/NameSyuBView.h"
#include "ui/tables/NameSyuWnd.h"
#include "ui/tables/SyukeiCView.h"
#include "ui/tables/SyukeiWnd.h"
#include "ui/tables/TeryouSyuWnd.h"

using namespace rk;
using namespace rk::ui;
using test::key;
using test::type;

namespace {

std::string fileText(AppContext& ctx, const fs::path& p) {
    auto b = ctx.files.readAll(p);
    return b ? std::string(reinterpret_cast<const char*>(b->data()), b->size()) : std::string("(missing)");
}

// Types digits and ends the field with `end`, on whatever has the focus.
void enter(const QString& digits, Qt::Key end = Qt::Key_Return) {
    type(digits);
    key(end);
}

}  // namespace

class ReportWindowsTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<AppContext> ctx;
    ScriptedDialogs startup;
    std::unique_ptr<QMdiArea> area;
    QtDialogs dialogs;
    std::unique_ptr<WindowRegistry> registry;

    template <class W>
    W* open(int command) {
        QWidget* sub = registry->open(command);
        if (!sub) return nullptr;
        auto* w =
            qobject_cast<W*>(qobject_cast<QMdiSubWindow*>(sub) ? qobject_cast<QMdiSubWindow*>(sub)->widget() : sub);
        area->activateWindow();
        if (w && !QTest::qWaitForWindowActive(area.get())) return nullptr;
        return w;
    }
    // The planned pages of a window's print button, written as a PDF for people to look at.
    template <class W>
    int printed(W* w, const char* button, const QString& pdf, bool landscape) {
        int pages = 0;
        w->output().print = [&](const Planner& planner, QWidget*) {
            pages = static_cast<int>(planner({0, 0, 4600, 6600}).pages.size());
            QDir().mkpath("screens");
            return writePdf(planner, "screens/" + pdf, landscape);
        };
        for (QPushButton* b : w->template findChildren<QPushButton*>())
            if (b->text() == QString::fromUtf8(button)) b->click();
        return pages;
    }

private slots:
    void initTestCase() {
        QtDialogs::setHeadless(true);
        ctx = test::openDemoYear(dir.path().toStdString(), 40, 1500, startup);
        QVERIFY(ctx);
    }

    void init() {
        QtDialogs::shownTexts().clear();
        area = std::make_unique<QMdiArea>();
        area->resize(1200, 800);
        area->show();
        registry = std::make_unique<WindowRegistry>(*ctx, dialogs, area.get());
        registerWindows(*registry, *ctx);
    }

    void cleanup() {
        area->closeAllSubWindows();
        // The closed windows go now, so that the registry clears their flags.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        registry.reset();
        area.reset();
    }

    void nameSearchTypedByCodeAndItsDetailFile() {
        auto* w = open<NameSyuWnd>(192);
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QString("　名前検索集計"));
        enter("1");   // 1 January
        enter("12");  // 31 December
        QCOMPARE(w->from(), 101);
        QCOMPARE(w->to(), 1231);
        QCOMPARE(w->header()->field(), 3);
        enter("12", Qt::Key_F4);
        const tables::NameSearch direct = tables::runNameSearch(*ctx, 101, 1231, "12", tables::NameMatch::Code);
        QVERIFY(!direct.rows.empty());
        QCOMPARE(w->result().rows.size(), direct.rows.size());
        for (const auto& r : w->result().rows) QCOMPARE(r.customer, 12);
        QCOMPARE(w->list()->rowTexts(0)[3].remove(',').toLongLong(), static_cast<long long>(direct.total.sales));
        QtDialogs::queueAnswers({Answer::Yes});
        QVERIFY(w->header()->button("文字列"));
        w->header()->button("文字列")->click();
        QCOMPARE(fileText(*ctx, ctx->programFolder() / "詳細Data.Csv"), tables::nameSearchCsv(direct));
        QVERIFY(printed(w, "印 刷", "name_search.pdf", true) >= 1);
        test::saveScreenshot(w, "reports_name_search");
        // No flag is set: a second name search opens beside the first.
        QVERIFY(open<NameSyuWnd>(192));
    }

    void orderTotalsByProductAndTheirFile() {
        auto* w = open<JyuchuuSWnd>(193);
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QString("　受注集計"));
        enter("1");
        enter("12");
        const tables::OrderTotals direct = tables::runOrderTotals(*ctx, 101, 1231);
        QVERIFY(!direct.byDate.empty());
        QCOMPARE(w->list()->rowCount(), static_cast<int>(direct.byDate.size()));
        w->header()->button("ﾓｰﾄﾞ替")->click();
        QVERIFY(w->byProduct());
        QCOMPARE(w->list()->rowCount(), static_cast<int>(direct.byProduct.size()));
        QtDialogs::queueAnswers({Answer::Yes});
        w->header()->button("文字列")->click();
        QVERIFY(QtDialogs::shownTexts().contains(QString::fromUtf8(tables::msg::kOrderAsk)));
        QCOMPARE(fileText(*ctx, ctx->programFolder() / "A集計.Csv"),
                 tables::orderTotalsCsv(direct, true, tables::keyNames(*ctx, tables::kByProduct, 1000)));
        QVERIFY(printed(w, "印 刷", "order_totals.pdf", false) >= 1);
        test::saveScreenshot(w, "reports_order_totals");
        // The month customer table holds the flag the order totals test.
        QVERIFY(registry->open(187));
        QVERIFY(!registry->open(193));
        QVERIFY(QtDialogs::shownTexts().contains("複数の 受注集計 ウインドウは開けません"));
    }

    void commissionTotalsRunFromTheSearchFieldAndWriteTheirFile() {
        auto* w = open<TeryouSyuWnd>(194);
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QString("　手数料集計"));
        w->csvBox()->setChecked(true);
        enter("1");
        enter("12");
        enter("1");
        enter("20");
        key(Qt::Key_Return);  // no search text: every customer
        const tables::CommissionTotals direct = tables::runCommissionTotals(*ctx, {101, 1231, 1, 20, ""});
        QCOMPARE(w->totals().commissions, direct.commissions);
        QCOMPARE(w->totals().fees, direct.fees);
        QVERIFY(direct.total() > 0);
        QCOMPARE(fileText(*ctx, ctx->programFolder() / "手数料.Csv"),
                 tables::commissionCsv(direct, ctx->env, ctx->edition));
        QVERIFY(printed(w, "印 刷", "commission_totals.pdf", false) == 1);
        test::saveScreenshot(w, "reports_commission_totals");
        // Asked for again while open: nothing happens.
        QVERIFY(!registry->open(194));
        QVERIFY(QtDialogs::shownTexts().isEmpty());
    }

    void buyerTotalsSortedByAmountAndTheirFile() {
        auto* w = open<BaisanWnd>(215);
        QVERIFY(w);
        enter("1");
        enter("12");
        enter("0");
        enter("0");  // every buyer; Enter runs
        const tables::BuyerTotals direct = tables::runBuyerTotals(*ctx, {101, 1231});
        QVERIFY(direct.rows.size() > 10);
        QCOMPARE(w->list()->rowCount(), static_cast<int>(direct.rows.size()));
        w->sortList()->setCurrentRow(6);  // " 7. 金 額"
        const auto& rows = w->totals().rows;
        for (size_t i = 1; i < rows.size(); ++i) QVERIFY(rows[i - 1].amount <= rows[i].amount);
        QVERIFY(w->exportCsv(dir.filePath("buyers")));
        QCOMPARE(fileText(*ctx, dir.filePath("buyers.Csv").toStdString()), tables::buyerCsv(*ctx, w->totals()));
        QVERIFY(!w->exportCsv(dir.filePath("a.b.Csv")));
        QVERIFY(QtDialogs::shownTexts().contains(
            QString::fromUtf8("ファイル名にピリオドが複数あるため\nファイル名が不正です")));
        QVERIFY(printed(w, "印 刷", "buyer_totals.pdf", false) >= 1);
        test::saveScreenshot(w, "reports_buyer_totals");
        QVERIFY(!registry->open(215));
        QVERIFY(QtDialogs::shownTexts().contains("複数の 買参人集計 ウインドウは開けません"));
    }

    void lineGraphOfTheDayTable() {
        auto* table = open<GraSyuWnd>(180);
        QVERIFY(table);
        QPushButton* button = table->header()->button("線ｸﾞﾗﾌ");
        QVERIFY(button && button->isEnabled());
        button->click();
        QPointer<GraPWnd> graph = table->graphWindow();
        QVERIFY(graph);
        button->click();  // ignored while it is open
        QCOMPARE(table->graphWindow(), graph.data());
        QVERIFY(QTest::qWaitForWindowActive(graph));
        QCOMPARE(graph->view().series[0].code, 0);  // the totals without any code
        const int code = table->result().keys.front();
        key(Qt::Key_Return);  // line 1 kept
        enter(QString::number(code));
        QCOMPARE(graph->view().series[1].code, code);
        enter("998");  // not a key of the table: the line stays empty
        QCOMPARE(graph->view().series[2].code, tables::kNoSeries);
        key(Qt::Key_F12);
        QCOMPARE(graph->view().data, tables::GraphData::Price);
        key(Qt::Key_F12);
        QCOMPARE(graph->view().data, tables::GraphData::Amount);
        const tables::GraphPoints points = tables::graphPoints(table->result(), graph->view());
        QVERIFY(points.periods.size() > 14);
        QCOMPARE(graph->periods()->maximum(), static_cast<int>(points.periods.size()) - 14);
        key(Qt::Key_PageDown);
        QCOMPARE(graph->view().first, 14);
        QVERIFY(printed(graph.data(), "x 印刷", "graph_print.pdf", true) == 1);
        test::saveScreenshot(graph, "reports_line_graph");
        // Closing the table closes its graph.
        qobject_cast<QMdiSubWindow*>(table->parentWidget())->close();
        QTRY_VERIFY(!graph);
    }

    void periodByMonthOfTheMonthTable() {
        auto* table = open<GraSyuWnd>(187);
        QVERIFY(table);
        table->header()->button("個別表")->click();
        GBlockSyuWnd* block = table->blockWindow();
        QVERIFY(block);
        QVERIFY(QTest::qWaitForWindowActive(block));
        QCOMPARE(block->windowTitle(), QString("　個別表示（期別Ｘ月別表示）"));
        const int code = table->result().keys.front();
        enter(QString::number(code));
        QCOMPARE(block->code(), code);
        const tables::TableResult& r = table->result();
        QCOMPARE(block->grid().rows.size(), static_cast<size_t>(r.yearsRead));
        QCOMPARE(block->grid().rows[0].period, 10);  // the current year of a ten-year range
        for (int m = 0; m < 12; ++m) {
            const tables::Sum& s = r.cell(tables::kYearTotals + m, code);
            QString shown = block->cells()->cellText(0, m);
            if (s.quantity == 0 && s.amount == 0)
                QVERIFY(shown.isEmpty());
            else
                QCOMPARE(shown.remove(',').toLongLong(), static_cast<long long>(s.quantity));
        }
        block->header()->button("ﾓｰﾄﾞ替")->click();
        QCOMPARE(block->measure(), tables::Measure::Price);
        QVERIFY(QString::fromStdString(block->codeName()).size() > 0);
        QVERIFY(printed(block, "印 刷", "period_by_month.pdf", true) == 1);
        test::saveScreenshot(block, "reports_period_by_month");
    }

    void shippingListOpensAndDeletesSlips() {
        auto* w = open<SyukeiWnd>(176);
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QString("  出荷月日一覧"));
        const tables::ShippingGrid& g = w->grid();
        QVERIFY(g.dates.size() > 15);
        // The last dates are in view.
        QCOMPARE(w->cells()->firstRow(), w->cells()->verticalScrollBar()->maximum());
        QVERIFY(w->cells()->firstRow() > 0);
        test::saveScreenshot(w, "reports_shipping_list");
        // A cell of a stage, scrolled to the top left of the grid.
        auto find = [&](int stage, size_t& row, size_t& column) {
            for (row = 0; row < g.dates.size(); ++row)
                for (column = 0; column < g.customers.size(); ++column)
                    if (g.cell(row, column).slip && g.cell(row, column).stage == stage) {
                        w->cells()->verticalScrollBar()->setValue(static_cast<int>(row));
                        w->cells()->horizontalScrollBar()->setValue(static_cast<int>(column));
                        return w->cells()->cellRect(row, column).topLeft() == QPoint(SyukeiCView::kHeadWidth, 0) ||
                               w->cells()->viewport()->rect().contains(w->cells()->cellRect(row, column));
                    }
            return false;
        };
        size_t row = 0, column = 0;
        QVERIFY(find(kStageOrder, row, column));
        const int date = g.dates[row], customer = g.customers[column];
        QtDialogs::queueAnswers({Answer::Yes});
        QTest::mouseClick(w->cells()->viewport(), Qt::RightButton, {}, w->cells()->cellRect(row, column).center());
        QVERIFY(QtDialogs::shownTexts().contains(QString::fromUtf8(tables::msg::kShippingStop)));
        QCOMPARE(findLiveSlip(ctx->files, ctx->fileSet[kIndex1], ctx->fileSet[kSlipHeaders], date, customer), 0);
        w->rebuild();
        // A double click opens a processed slip in settlement entry.
        QVERIFY(find(kStageProcessed, row, column));
        QTest::mouseDClick(w->cells()->viewport(), Qt::LeftButton, {}, w->cells()->cellRect(row, column).center());
        FMdinWnd* slip = nullptr;
        for (QMdiSubWindow* sub : area->subWindowList())
            if (auto* f = qobject_cast<FMdinWnd*>(sub->widget())) slip = f;
        QVERIFY(slip);
        QCOMPARE(slip->mode(), 3);
        QCOMPARE(ctx->slipRequest.date, g.dates[row]);
        QCOMPARE(ctx->slipRequest.customer, g.customers[column]);
        QTRY_COMPARE(slip->doc().header.customer, g.customers[column]);
    }
};

QTEST_MAIN(ReportWindowsTest)
#include "report_windows_test.moc"
