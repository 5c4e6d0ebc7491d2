// The bulk code change window from the registry: a product swap typed by keys on the frame,
// the question answered, and the masters and slip lines of the year checked in the files.
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include "app/startup_loader.h"
#include "app/station_hook.h"
#include "base/cp932.h"
#include "maintenance/code_change_messages.h"
#include "masters/master_io.h"
#include "slips/CFq7Doc.h"
#include "support/ui_support.h"
#include "ui/app/QtDialogs.h"
#include "ui/app/WindowCatalog.h"
#include "ui/app/WindowRegistry.h"
#include "ui/controls/CDataEdit.h"
#include "ui/maintenance/CodeAllChenVew.h"
#include "ui/maintenance/CodeAllChenWnd.h"

using namespace rk;
using namespace rk::ui;

class CodeChangeWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QtDialogs::setHeadless(true); }

    void productSwapTypedIntoTheTable() {
        QTemporaryDir dir;
        AppContext ctx(Edition::Sales, dir.path().toStdString());
        BasicSettings s = defaultSettings(ctx.clock);
        s.businessYear = s.inputYear = 2026;
        s.firstMonth = 1;
        QVERIFY(writeNewInstallation(ctx, s));
        ScriptedDialogs startup;
        CreatingPrompts prompts;
        StandAloneStation station;
        QCOMPARE(runStartupLoader(ctx, startup, prompts, station), StartupResult::Run);
        for (auto [n, name] : {std::pair{5, "バラ"}, std::pair{7, "キク"}}) {
            ProductRecord p{};
            cp932::assign(p.name, name);
            QVERIFY(masters::writeProduct(ctx.files, ctx.fileSet[kProducts], n, p));
        }
        {
            CFq7Doc doc(ctx, startup);
            doc.header.date = 512;
            doc.header.customer = 3;
            doc.header.stage = kStageDelivery;
            doc.header.lineCount = 2;
            for (int j = 1; j <= 2; ++j) {
                doc.lines[j].product = j == 1 ? 5 : 7;
                doc.lines[j].quantity = 10;
            }
            QCOMPARE(doc.record(), CFq7Doc::WriteResult::Ok);
        }

        QMdiArea area;
        area.resize(900, 640);
        area.show();
        QtDialogs dialogs;
        WindowRegistry registry(ctx, dialogs, &area);
        registerWindows(registry, ctx);
        QVERIFY(registry.isEnabled(204));
        auto* sub = qobject_cast<QMdiSubWindow*>(registry.open(204));
        QVERIFY(sub);
        auto* w = qobject_cast<CodeAllChenWnd*>(sub->widget());
        QVERIFY(w);
        CodeAllChenVew* v = w->view();
        QCOMPARE(v->kinds()->count(), 9);
        QVERIFY(!(v->kinds()->item(8)->flags() & Qt::ItemIsEnabled));
        QTest::mouseClick(v->kinds()->viewport(), Qt::LeftButton, {},
                          v->kinds()->visualItemRect(v->kinds()->item(2)).center());
        QCOMPARE(v->kind(), maintenance::CodeKind::Product);
        area.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&area));
        QWindow* win = area.windowHandle();
        for (const char* code : {"5", "7", "7", "5"}) {
            QTest::keyClicks(QApplication::focusWidget(), code);
            QTest::keyClick(win, Qt::Key_Return);
        }
        QCOMPARE(v->row(), 2);
        QCOMPARE(v->pairs()[0], (maintenance::CodePair{5, 7}));
        QCOMPARE(v->pairs()[1], (maintenance::CodePair{7, 5}));
        test::saveScreenshot(sub, "code_change_window");

        QtDialogs::shownTexts().clear();
        QtDialogs::queueAnswers({Answer::Yes});
        v->runButton()->click();
        QCOMPARE(QtDialogs::shownTexts(), QStringList{QString::fromUtf8(maintenance::msg::kCodeChangeRun)});
        ProductRecord p{};
        masters::readProduct(ctx.files, ctx.fileSet[kProducts], 5, p);
        QCOMPARE(cp932::toUtf8(p.name), std::string("キク"));
        SlipHeader h{};
        QVERIFY(masters::readRecord(ctx.files, ctx.fileSet[kSlipHeaders], 1, h));
        SlipLine l{};
        QVERIFY(masters::readRecord(ctx.files, ctx.fileSet[kSlipLines], h.lineSlots[1], l));
        QCOMPARE(l.product, 7);
        QVERIFY(masters::readRecord(ctx.files, ctx.fileSet[kSlipLines], h.lineSlots[2], l));
        QCOMPARE(l.product, 5);
        area.closeAllSubWindows();
    }
};

QTEST_MAIN(CodeChangeWindowTest)
#include "code_change_window_test.moc"
