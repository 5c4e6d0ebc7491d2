// The list-table entry window: a day of a demo year loaded into the table (with a picture
// and the sorting sheet as a PDF), and a new day typed in by keys, boxes into cells, recorded
// into slips.
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <map>
#include <sstream>

#include "app/startup_loader.h"
#include "base/cp932.h"
#include "cli/cli.h"
#include "listtable/list_messages.h"
#include "masters/master_io.h"
#include "slips/slip_index.h"
#include "support/ui_support.h"
#include "ui/app/QtDialogs.h"
#include "ui/app/WindowCatalog.h"
#include "ui/app/WindowRegistry.h"
#include "ui/controls/CDataEdit.h"
#include "ui/controls/CMojiList.h"
#include "ui/listtable/PackInsWnd.h"
#include "ui/printing/PlanPrinter.h"

using namespace rk;
using namespace rk::ui;

namespace {

template <Record T>
T recordAt(AppContext& ctx, DataSlot slot, int n) {
    T r{};
    (void)ctx.files.readZeroFilled(ctx.fileSet[slot], static_cast<uint64_t>(n) * sizeof(T), bytesOf(r));
    return r;
}

void type(const QString& text) {
    for (QChar c : text) QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
}
void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(QApplication::focusWidget(), k, m); }
void enter(const QString& text) {
    type(text);
    key(Qt::Key_Return);
}

std::unique_ptr<AppContext> startedContext(const std::string& folder, Dialogs& dialogs) {
    auto ctx = std::make_unique<AppContext>(Edition::Sales, folder);
    CreatingPrompts prompts;
    StandAloneStation station;
    if (runStartupLoader(*ctx, dialogs, prompts, station) != StartupResult::Run) return nullptr;
    return ctx;
}

}  // namespace

class ListTableTest : public QObject {
    Q_OBJECT

    QTemporaryDir demoDir, newDir;
    std::unique_ptr<AppContext> demo, fresh;
    ScriptedDialogs dialogs;

    std::unique_ptr<PackInsWnd> open(AppContext& ctx) {
        auto w = std::make_unique<PackInsWnd>(ctx, dialogs);
        w->show();
        if (!QTest::qWaitForWindowActive(w.get())) return nullptr;
        return w;
    }

private slots:
    void initTestCase() {
        QVERIFY(demoDir.isValid() && newDir.isValid());
        std::ostringstream out, err;
        cli::Io io{out, err};
        std::vector<std::string> args{
            "rakurena", "demo", "--customers", "60", "--slips", "2400", demoDir.path().toStdString()};
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        QCOMPARE(cli::main(static_cast<int>(argv.size()), argv.data(), io), 0);
        demo = startedContext(demoDir.path().toStdString(), dialogs);
        QVERIFY(demo);

        fresh = std::make_unique<AppContext>(Edition::Sales, newDir.path().toStdString());
        BasicSettings s = defaultSettings(fresh->clock);
        s.businessYear = s.inputYear = 2026;
        s.firstMonth = 1;
        QVERIFY(writeNewInstallation(*fresh, s));
        fresh = startedContext(newDir.path().toStdString(), dialogs);
        QVERIFY(fresh);
        ProductRecord p{};
        cp932::assign(p.name, "スプレーバラ");
        cp932::assign(p.unit, "本");
        p.packingKind = 1;
        p.salesDebit = 110;
        p.salesCredit = 400;
        QVERIFY(masters::writeProduct(fresh->files, fresh->fileSet[kProducts], 12, p));
        GradeRecord g{};
        cp932::assign(g.grade1Name, "秀");
        QVERIFY(masters::writeRecord(fresh->files, fresh->fileSet[kGrades], 3, g));
        for (int n : {7, 8}) {
            CustomerRecord c{};
            cp932::assign(c.name, n == 7 ? "有限会社鈴木生花店" : "花の山田");
            QVERIFY(masters::writeRecord(fresh->files, fresh->fileSet[kCustomers], n, c));
        }
    }

    void init() { dialogs = ScriptedDialogs{}; }

    void menuEntryOpensTheWindowOnce() {
        QtDialogs::setHeadless(true);
        QMdiArea area;
        area.resize(1100, 800);
        WindowRegistry registry(*fresh, dialogs, &area);
        registerWindows(registry, *fresh);
        QVERIFY(registry.isAvailable(361));
        QWidget* w = registry.open(361);
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QString("  一覧表入力"));
        auto* sub = qobject_cast<QMdiSubWindow*>(w);
        QVERIFY(qobject_cast<PackInsWnd*>(sub ? sub->widget() : w));
        QVERIFY(!registry.open(361));  // one at a time: brought forward, not opened twice
        QCOMPARE(area.subWindowList().size(), 1);
        // Shift+Left from the frame reaches the window.
        QVERIFY(registry.dispatch(348));
        area.closeAllSubWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void busiestDemoDayLoadsAsATable() {
        // The day with the most slips still open to the table (orders and deliveries).
        std::map<int32_t, int> perDay, openPerDay;
        const auto i1 = readIndexEntries(demo->files, demo->fileSet[kIndex1]);
        const auto i2 = readIndexEntries(demo->files, demo->fileSet[kIndex2]);
        for (size_t n = 1; n < i1.size(); ++n) {
            if (!liveDate(i1[n].first)) continue;
            ++perDay[i1[n].first];
            if (i2[n].first <= kStageDelivery) ++openPerDay[i1[n].first];
        }
        auto chosen = std::max_element(openPerDay.begin(), openPerDay.end(),
                                       [](const auto& a, const auto& b) { return a.second < b.second; });
        QVERIFY(chosen != openPerDay.end());
        auto busiest = perDay.find(chosen->first);

        auto w = open(*demo);
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QString("  一覧表入力"));
        QCOMPARE(w->area(), PackInsWnd::Area::Day);
        // Down from the day goes into the rows.
        type(QString::number(busiest->first));
        key(Qt::Key_Down);
        QCOMPARE(w->table().day(), busiest->first);
        QCOMPARE(w->table().usedRows(), busiest->second);
        QVERIFY(w->table().definedColumns() >= 2);
        QCOMPARE(w->area(), PackInsWnd::Area::Cell);
        // Down past the visible rows: the row headers and cells scroll together.
        QVERIFY(busiest->second >= 7);
        for (int i = 0; i < 7; ++i) key(Qt::Key_Down);
        QCOMPARE(w->row(), 8);
        QVERIFY(w->firstRow() > 1);
        for (int i = 0; i < 7; ++i) key(Qt::Key_Up);
        QCOMPARE(w->row(), 1);
        QCOMPARE(w->firstRow(), 1);
        key(Qt::Key_Up);
        QCOMPARE(w->area(), PackInsWnd::Area::Header);
        QCOMPARE(w->headerLine(), 7);
        // Right along the columns scrolls the header and the cells.
        key(Qt::Key_Down);
        for (int i = 1; i < std::min(w->table().definedColumns(), 8); ++i) key(Qt::Key_Right);
        if (w->table().definedColumns() >= 8) QVERIFY(w->firstColumn() > 1);
        while (w->column() > 1) key(Qt::Key_Left);
        QCOMPARE(w->firstColumn(), 1);
        test::saveScreenshot(w.get(), "list_table_day");

        // The sorting sheet of that day as a PDF.
        QDir().mkpath("screens");
        const QString pdf = QDir::current().filePath("screens/sorting_sheet.pdf");
        QVERIFY(writePdf([&w](const printing::PageArea& a) { return w->plan(a); }, pdf, true));
        QVERIFY(QFileInfo(pdf).size() > 1000);

        // "文字列" writes the sheet as CSV under the name the operator gives.
        const QString csv = QDir(demoDir.path()).filePath("SHIWAKE.Csv");
        w->setFileChooser(
            [&csv](const QString& proposed) { return proposed.endsWith("仕訳表.Csv") ? csv : QString(); });
        w->findChild<QPushButton*>("文字列")->click();
        QVERIFY(QFileInfo(csv).size() > 100);
        QVERIFY(dialogs.shown.empty());

        // Ctrl+C on a column header holds the column after asking.
        w->toHeader(2, 1);
        dialogs.answers = {Answer::Yes};
        key(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QString::fromStdString(dialogs.shown.back()), QString(msg::kCopyColumn));
        QVERIFY(w->table().holdsColumn());

        // The small menu window on a column, and its sort.
        w->openMenu(2, QPoint(400, 60));
        QVERIFY(w->menu());
        test::saveScreenshot(w.get(), "list_table_menu");
        for (QPushButton* b : w->menu()->findChildren<QPushButton*>())
            if (b->text() == "商品コードソート") b->click();
        QApplication::processEvents();
        for (int c = 2; c <= w->table().definedColumns(); ++c)
            QVERIFY(w->table().column(c - 1).product <= w->table().column(c).product);

        // "ﾌﾟﾚﾋﾞｭｰ" opens the print preview of the sheet.
        bool previewed = false;
        test::onNextModal([&previewed](QWidget* m) {
            previewed = m->inherits("QPrintPreviewDialog");
            m->close();
        });
        w->findChild<QPushButton*>("ﾌﾟﾚﾋﾞｭｰ")->click();
        QVERIFY(previewed);
    }

    void boxesTypedIntoCellsAreRecordedAsSlips() {
        auto w = open(*fresh);
        QVERIFY(w);
        enter("601");
        QCOMPARE(w->area(), PackInsWnd::Area::Header);
        // Column 1: wholesale (3), product 12, grade 3, 10 to a box at 150.
        enter("3");
        enter("12");
        enter("3");
        key(Qt::Key_Return);  // grade 2 stays "none"
        enter("10");
        enter("150");
        key(Qt::Key_Return);  // no allowed quantity: into the cells
        QCOMPARE(w->area(), PackInsWnd::Area::Cell);
        QCOMPARE(w->table().column(1).name, std::string("スプレーバラ"));
        QCOMPARE(w->table().column(1).grade2, 99);

        // Customers in the row headers, boxes and a quantity in the cells.
        key(Qt::Key_Left);
        QCOMPARE(w->area(), PackInsWnd::Area::RowHead);
        enter("7");
        QCOMPARE(w->area(), PackInsWnd::Area::Cell);
        enter("3");  // boxes
        QCOMPARE(w->table().cell(1, 1).quantity, 30.0);
        QCOMPARE(w->table().cell(1, 1).method, 3);
        QCOMPARE(w->table().cell(1, 1).price, 150.0);
        QCOMPARE(w->subRow(), 1);
        key(Qt::Key_Down);
        key(Qt::Key_Left);
        enter("8");
        key(Qt::Key_Down, Qt::ShiftModifier);  // the quantity sub-row
        QCOMPARE(w->subRow(), 1);
        enter("5");
        QCOMPARE(w->table().column(1).totalQuantity, 35.0);
        // The cell's method from the pick list: an order sale takes the column's price.
        QCOMPARE(w->table().cell(1, 2).price, 0.0);
        key(Qt::Key_Left, Qt::ShiftModifier);
        auto* pick = w->findChild<CMojiList*>();
        QVERIFY(pick);
        QTest::keyClick(pick, Qt::Key_2);
        QTest::keyClick(pick, Qt::Key_Return);
        QCOMPARE(w->table().cell(1, 2).method, 2);
        QCOMPARE(w->table().cell(1, 2).price, 150.0);
        test::saveScreenshot(w.get(), "list_table_typed");

        // A customer already in another row is refused with its message.
        w->toRowHead(3);
        enter("7");
        QCOMPARE(w->table().row(3).customer, 0);
        QCOMPARE(QString::fromStdString(dialogs.shown.back()), QString(msg::kCustomerOnOtherRow));

        w->findChild<QPushButton*>("記 録")->click();
        QCOMPARE(w->table().usedRows(), 0);  // emptied, the column kept
        QCOMPARE(w->table().definedColumns(), 1);

        const auto h1 = recordAt<SlipHeader>(*fresh, kSlipHeaders, 1);
        QCOMPARE(h1.date, 601);
        QCOMPARE(h1.customer, 7);
        QCOMPARE(h1.stage, int(kStageDelivery));
        QCOMPARE(h1.lineCount, 1);
        QCOMPARE(cp932::toUtf8(h1.customerName), std::string("有限会社鈴木生花店"));
        const auto l1 = recordAt<SlipLine>(*fresh, kSlipLines, h1.lineSlots[1]);
        QCOMPARE(l1.product, 12);
        QCOMPARE(l1.salesMethod, 3);
        QCOMPARE(l1.grade1, 3);
        QCOMPARE(l1.boxes, 3.0);
        QCOMPARE(l1.quantity, 30.0);
        QCOMPARE(l1.amount, 4500.0);
        QCOMPARE(cp932::toUtf8(l1.remark), std::string("10本 x 3 箱"));
        QCOMPARE(l1.owner, 1);
        const auto h2 = recordAt<SlipHeader>(*fresh, kSlipHeaders, 2);
        QCOMPARE(h2.customer, 8);
        const auto l2 = recordAt<SlipLine>(*fresh, kSlipLines, h2.lineSlots[1]);
        QCOMPARE(l2.quantity, 5.0);
        QCOMPARE(l2.salesMethod, 2);
        QCOMPARE(l2.amount, 750.0);
        QCOMPARE(readIndexEntries(fresh->files, fresh->fileSet[kIndex1]).size(), size_t(3));

        // Loading the day again shows the two slips.
        w->toDay();
        enter("601");
        QCOMPARE(w->table().usedRows(), 2);
        QCOMPARE(w->table().cell(1, 1).boxes, 3.0);
        QCOMPARE(w->table().row(2).status, int(kStageDelivery));
    }
};

QTEST_MAIN(ListTableTest)
#include "list_table_test.moc"
