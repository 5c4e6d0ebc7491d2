// Opening windows through the registry: refusals with their texts, shared flags, fixed
// rectangles, and the operation guide window.
#include <QFile>
#include <QLineEdit>
#include <QMenuBar>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "app/guide.h"
#include "app/menu_table.h"
#include "app/startup_loader.h"
#include "base/cp932.h"
#include "support/ui_support.h"
#include "ui/app/Application.h"
#include "ui/app/CommandTarget.h"
#include "ui/app/InfoView.h"
#include "ui/app/InfoWnd.h"
#include "ui/app/MainFrame.h"
#include "ui/app/QtDialogs.h"
#include "ui/app/StartupDialogs.h"
#include "ui/app/WindowRegistry.h"

using namespace rk;
using namespace rk::ui;

namespace {

// A window that records the commands it is sent.
class Probe : public QLineEdit, public CommandTarget {
public:
    std::vector<int> received;
    bool onCommand(int command) override {
        received.push_back(command);
        return command == 208;
    }
};

QString q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

class WindowRegistryTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<AppContext> ctx;
    std::unique_ptr<QMdiArea> area;
    std::unique_ptr<WindowRegistry> registry;
    ScriptedDialogs dialogs;
    std::vector<Probe*> probes;

    void make(Edition e) {
        registry.reset();
        area = std::make_unique<QMdiArea>();
        area->resize(1000, 700);
        area->show();
        QVERIFY(QTest::qWaitForWindowActive(area.get()));
        ctx = std::make_unique<AppContext>(e, dir.path().toStdString());
        dialogs = ScriptedDialogs{};
        registry = std::make_unique<WindowRegistry>(*ctx, dialogs, area.get());
        probes.clear();
        for (const CommandEntry& c : commandTable()) {
            registry->registerFactory(c.id, [this](int) {
                probes.push_back(new Probe);
                return probes.back();
            });
        }
        registry->registerFactory(cmd::kGuide, [this](int) { return new InfoWnd(*ctx); });
        registry->registerFactory(cmd::kGuideIndex, [this](int) { return new InfoWnd(*ctx); });
    }

    void closeAll() {
        area->closeAllSubWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

private slots:
    void cleanup() {
        registry.reset();
        area.reset();
    }

    void commandWithoutAWindowStaysUnavailable() {
        ctx = std::make_unique<AppContext>(Edition::Sales, dir.path().toStdString());
        area = std::make_unique<QMdiArea>();
        WindowRegistry empty(*ctx, dialogs, area.get());
        QVERIFY(!empty.isAvailable(131));
        QVERIFY(!empty.isEnabled(cmd::kGuideContents));
        QVERIFY(!empty.open(131));
        QCOMPARE(ctx->windowFlags[kSlipEntryFlag], 0);
    }

    // Every window that exists once refuses a second one with its own text, in both editions.
    void secondInstancesAreRefusedWithTheirTexts() {
        for (Edition e : {Edition::Sales, Edition::Purchase}) {
            make(e);
            for (const CommandEntry& c : commandTable()) {
                if (!registry->isAvailable(c.id)) continue;
                for (const Refusal& r : c.refusals) {
                    if (r.whenOpen != std::vector<int>{c.flag} || r.sales.empty() || c.id == 359) continue;
                    closeAll();
                    dialogs = ScriptedDialogs{};
                    QVERIFY2(registry->open(c.id), qPrintable(QString::number(c.id)));
                    QVERIFY(!registry->open(c.id));
                    const auto& expected = e == Edition::Purchase && !r.purchase.empty() ? r.purchase : r.sales;
                    QCOMPARE(q(dialogs.shown.at(0)), q(expected));
                    if (c.id != 151) {
                        QVERIFY(q(expected).startsWith("複数の"));
                        QVERIFY(q(expected).endsWith("ウインドウは開けません"));
                    }
                    QCOMPARE(dialogs.beeps, r.beep ? 1 : 0);
                }
            }
            closeAll();
        }
    }

    void sharedFlagsAndConflictsRefuseWithFixedTexts() {
        make(Edition::Sales);
        QVERIFY(registry->open(188));  // month product table, kind 9
        QVERIFY(!registry->open(167));
        QCOMPARE(q(dialogs.shown.back()), QString("複数の宅配伝票フォーム設定ウインドウは開けません"));
        QVERIFY(registry->open(145));
        QVERIFY(!registry->open(177));
        QCOMPARE(q(dialogs.shown.back()), QString("複数の 売り上げ実績集計 ウインドウは開けません"));
        QVERIFY(!registry->open(192));
        QCOMPARE(q(dialogs.shown.back()), QString("複数の 名前検索集計 ウインドウは開けません"));
        QVERIFY(registry->open(134));
        QVERIFY(!registry->open(130));
        QCOMPARE(q(dialogs.shown.back()), QString("入金データ入力ウインドウアクティブ中は開けません"));
        QVERIFY(!registry->open(161));
        QVERIFY(q(dialogs.shown.back()).startsWith("他に得意先の前期残高を変更する恐れのウインドウ"));

        // Closing a window clears its flag: the bill window gone, the totals open.
        closeAll();
        QCOMPARE(ctx->windowFlags[kBillFlag], 0);
        QVERIFY(registry->open(192));
        QVERIFY(registry->open(192) != nullptr);  // name search opens as often as asked
        QVERIFY(registry->open(177));
        QVERIFY(registry->open(168));
        const int before = static_cast<int>(dialogs.shown.size());
        QVERIFY(!registry->open(168));  // nothing happens, nothing is shown
        QCOMPARE(static_cast<int>(dialogs.shown.size()), before);
    }

    void frameWindowsTakeTheirTitleAndRectangle() {
        make(Edition::Sales);
        QWidget* w = registry->open(161);
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QString("　得意先マスター登録"));
        QCOMPARE(w->geometry(), QRect(10, 10, 940, 630));
        QCOMPARE(ctx->windowFlags[kCustomerMasterFlag], 1);
    }

    void slipEntryAskedForAgainComesForward() {
        make(Edition::Sales);
        QWidget* slip = registry->open(131);
        QVERIFY(slip);
        Probe* slipProbe = probes.back();
        QVERIFY(registry->open(162));
        QVERIFY(!registry->open(130));
        QCOMPARE(dialogs.beeps, 1);
        QCOMPARE(area->activeSubWindow(), slip);
        QCOMPARE(slipProbe->received, std::vector<int>{cmd::kSlipEntryRaise});
        QCOMPARE(ctx->windowMode, 2);
        // Keys bound in the frame go to the active window.
        QVERIFY(registry->dispatch(208));
        QVERIFY(!registry->dispatch(209));
    }

    void guideShowsTheTopicsSection() {
        make(Edition::Sales);
        ctx->topic = "＊．得意先コード入力";
        QWidget* w = registry->open(cmd::kGuide);
        QVERIFY(w);
        auto* info = w->findChild<InfoWnd*>();
        QVERIFY(info);
        QCOMPARE(w->windowTitle(), QString("  操作案内"));
        const QStringList& lines = info->view()->lines();
        QVERIFY(lines.size() >= 3);
        QCOMPARE(lines.front(), QString("＊．得意先コード入力"));
        for (const QString& l : lines.mid(1)) QVERIFY(!l.contains("＊．"));
        QCOMPARE(info->view()->scrollHeight(), (static_cast<int>(lines.size()) + 4) * 24);
        QTRY_VERIFY(info->view()->hasFocus());
        QVERIFY(!test::saveScreenshot(w, "guide_window").isEmpty());

        // Esc closes it.
        QTest::keyClick(info->view(), Qt::Key_Escape);
        QTRY_VERIFY(area->subWindowList().isEmpty());
    }

    void guideClosesWhenAnotherWindowTakesTheFocus() {
        make(Edition::Sales);
        QVERIFY(registry->open(162));
        ctx->topic = "";
        QWidget* guide = registry->open(cmd::kGuideIndex);
        auto* info = guide->findChild<InfoWnd*>();
        QVERIFY(info->view()->lines().size() > 50);  // the whole guide
        QTRY_VERIFY(info->view()->hasFocus());
        QScrollBar* bar = info->view()->verticalScrollBar();
        QTest::keyClick(info->view(), Qt::Key_Down);
        QTest::keyClick(info->view(), Qt::Key_PageDown);
        QCOMPARE(bar->value(), 48);  // one line per key
        QTest::keyClick(info->view(), Qt::Key_PageUp);
        QCOMPARE(bar->value(), 24);
        QPointer<QWidget> alive(guide);
        area->setActiveSubWindow(area->subWindowList().front());
        QTRY_VERIFY(alive.isNull());
    }

    void guideFromTheProgramFolderComesFirst() {
        make(Edition::Sales);
        QFile f(dir.filePath("Fq7.DOC"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(cp932::fromUtf8("＊．独自の項目\r\n説明です\r\n＊．終\r\n").c_str());
        f.close();
        ctx->topic = "＊．独自の項目";
        QWidget* w = registry->open(cmd::kGuide);
        QCOMPARE(w->findChild<InfoWnd*>()->view()->lines(), QStringList({"＊．独自の項目", "説明です"}));
        ctx->topic = "＊．月日入力";  // not in this file: nothing is shown
        w = registry->open(cmd::kGuide);
        QVERIFY(w->findChild<InfoWnd*>()->view()->lines().isEmpty());
        QFile::remove(dir.filePath("Fq7.DOC"));
    }

    void frameMenusFollowTheTableAndTheRegisteredWindows() {
        QtDialogs::setHeadless(true);
        AppContext purchase(Edition::Purchase, dir.path().toStdString());
        QtDialogs frameDialogs;
        MainFrame frame(purchase, frameDialogs);
        QStringList tops;
        for (QAction* a : frame.menuBar()->actions()) tops << a->text();
        QCOMPARE(tops, QStringList({"ファイル(&F)", "伝票入力", "伝票印刷", "初期設定", "データ集計", "データ保守",
                                    "ヘルプ(&H)"}));
        QMenu* slips = frame.menuBar()->actions().at(1)->menu();
        emit slips->aboutToShow();
        QCOMPARE(slips->actions().at(0)->text(), QString("発注伝票入力"));
        QVERIFY(slips->actions().at(0)->isEnabled());  // the slip entry window is built
        QMenu* help = frame.menuBar()->actions().last()->menu();
        emit help->aboutToShow();
        QVERIFY(help->actions().at(0)->isEnabled());  // 総合説明: the guide exists
        help->actions().at(0)->trigger();
        QCOMPARE(frame.mdiArea()->subWindowList().size(), 1);

        // Every accelerator of the table is a key Qt understands.
        int bound = 0;
        for (QAction* a : frame.actions()) {
            QVERIFY(!a->shortcut().isEmpty());
            ++bound;
        }
        QCOMPARE(bound, static_cast<int>(accelerators(Edition::Purchase).size()));
        QMenu* totals = frame.menuBar()->actions().at(4)->menu();
        emit totals->aboutToShow();
        QVERIFY(!test::saveScreenshot(totals, "menu_totals_purchase").isEmpty());

        frame.registry()->registerFactory(204, [](int) { return new QLineEdit; });
        QMenu* maintenance = frame.menuBar()->actions().at(5)->menu();
        emit maintenance->aboutToShow();
        for (QAction* a : maintenance->actions())
            if (a->data().toInt() == 204) QVERIFY(!a->isEnabled());  // shown disabled in this edition
    }

    // The new-data dialog's explanation opens the guide above the dialog, which stays.
    void newDataDialogExplainsMissingData() {
        QtDialogs::setHeadless(true);
        QTemporaryDir folder;
        {
            AppContext fresh(Edition::Sales, folder.path().toStdString());
            QVERIFY(writeNewInstallation(fresh, defaultSettings(systemClock())));
        }
        Application app(Edition::Sales, folder.path().toStdString());
        QStringList shown;
        bool dialogStayed = false;
        test::onNextModal([&](QWidget* w) {
            auto* d = qobject_cast<NewDataDialog*>(w);
            QVERIFY(d);
            QVERIFY(d->button(0)->isEnabled());
            d->button(0)->click();
            auto* info = d->findChild<InfoWnd*>();
            if (info) {
                shown = info->view()->lines();
                QVERIFY(!test::saveScreenshot(info, "guide_missing_data").isEmpty());
            }
            dialogStayed = d->isVisible();
            d->button(3)->click();
        });
        QVERIFY(!app.start());
        QVERIFY(dialogStayed);
        QVERIFY(shown.size() > 3);
        QCOMPARE(shown.front(), q(kMissingDataTopic));
    }
};

QTEST_MAIN(WindowRegistryTest)
#include "window_registry_test.moc"
