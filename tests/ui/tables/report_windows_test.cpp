// The name search, order, commission and buyer totals windows on a demo year, opened from
// the aggregation menu through the registry and typed into with keys: what they list, the
// CSV files they write (the same bytes as the core's), their printouts and screenshots.
#include <QApplication>
#include <QCheckBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>

#include "base/cp932.h"
#include "support/demo_year.h"
#include "support/key_typing.h"
#include "support/ui_support.h"
#include "tables/key_names.h"
#include "tables/search_messages.h"
#include "ui/app/QtDialogs.h"
#include "ui/app/WindowCatalog.h"
#include "ui/app/WindowRegistry.h"
#include "ui/tables/BaisanBView.h"
#include "ui/tables/BaisanCView.h"
#include "ui/tables/BaisanView.h"
#include "ui/tables/BaisanWnd.h"
#include "ui/tables/JyuchuuSAView.h"
#include "ui/tables/JyuchuuSBView.h"
#include "ui/tables/JyuchuuSWnd.h"
#include "ui/tables/NameSyuAView.h"
#include "ui/tables/NameSyuBView.h"
#include "ui/tables/NameSyuWnd.h"
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
    std::unique_ptr<WindowRegistry> registry;

    template <class W>
    W* open(int command) {
        QWidget* sub = registry->open(command);
        if (!sub) return nullptr;
        auto* w = qobject_cast<W*>(qobject_cast<QMdiSubWindow*>(sub) ? qobject_cast<QMdiSubWindow*>(sub)->widget() : sub);
        if (w) QTest::qWaitForWindowActive(area.get());
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
        registry = std::make_unique<WindowRegistry>(*ctx, dialogs(), area.get());
        registerWindows(*registry, *ctx);
    }

    void cleanup() {
        area->closeAllSubWindows();
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
        QVERIFY(QtDialogs::shownTexts().contains(QString::fromUtf8("ファイル名にピリオドが複数あるため\nファイル名が不正です")));
        QVERIFY(printed(w, "印 刷", "buyer_totals.pdf", false) >= 1);
        test::saveScreenshot(w, "reports_buyer_totals");
        QVERIFY(!registry->open(215));
        QVERIFY(QtDialogs::shownTexts().contains("複数の 買参人集計 ウインドウは開けません"));
    }
};

QTEST_MAIN(ReportWindowsTest)
#include "report_windows_test.moc"
