// The program's start as the operator sees it: dialogs, the frame and the background window.
#include <QLineEdit>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>

#include "app/basic_settings.h"
#include "app/command_table.h"
#include "app/messages.h"
#include "slips/slip_index.h"
#include "support/ui_support.h"
#include "ui/app/Application.h"
#include "ui/app/BakWnd.h"
#include "ui/app/QtDialogs.h"
#include "ui/settings/FkihonWnd.h"

using namespace rk;
using namespace rk::ui;

namespace {

// An installation whose settings exist but whose year has no data yet.
void install(const QTemporaryDir& dir, Edition e = Edition::Sales) {
    AppContext ctx(e, dir.path().toStdString());
    QVERIFY(writeNewInstallation(ctx, defaultSettings(systemClock())));
}

}  // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QtDialogs::setHeadless(true);  // a message box nobody answers would hang the test
    }

    void init() { QtDialogs::shownTexts().clear(); }

    void freshFolderAsksThenOpensTheBasicSettings() {
        QTemporaryDir dir;
        {
            Application app(Edition::Sales, dir.path().toStdString());
            QtDialogs::queueAnswers({Answer::Yes});  // settings missing: create
            QVERIFY(app.start());
            QCOMPARE(QtDialogs::shownTexts().value(0), QString::fromUtf8(msg::kSettingsMissing));
            QVERIFY(QFile::exists(dir.filePath("FMST.FT0")));
            // The operator enters the real settings first.
            QVERIFY(app.frame()->findChild<FkihonWnd*>());
            QCOMPARE(app.context().windowFlags[kBasicSettingsFlag], 2);
            app.finish();
        }
        Application app(Edition::Sales, dir.path().toStdString());
        test::clickInNextModal("新規作成");
        QVERIFY(app.start());
        const int year = app.context().settings.businessYear;
        QVERIFY(QFile::exists(dir.filePath(QString("F7db%1.FT2").arg(year))));
        QCOMPARE(app.frame()->windowTitle(), QString::fromUtf8(" 販売 管理）ラクレナ Ver 7.0"));
        QVERIFY(app.frame()->background());
        for (QToolBar* bar : app.frame()->findChildren<QToolBar*>()) QVERIFY(bar->isHidden());
        QCOMPARE(app.finish(), 0);
        auto s = readSettings(app.context().files, dir.filePath("FMST.FT0").toStdString());
        QVERIFY(s);
        QCOMPARE(s->frameWidth, app.frame()->geometry().width());
    }

    void cancelInTheNewDataDialogEndsWithoutData() {
        QTemporaryDir dir;
        QVERIFY(writeNewInstallation(*std::make_unique<AppContext>(Edition::Sales, dir.path().toStdString()),
                                     defaultSettings(systemClock())));
        Application app(Edition::Sales, dir.path().toStdString());
        test::onNextModal([](QWidget* w) {
            auto* d = qobject_cast<NewDataDialog*>(w);
            QVERIFY(d);
            QVERIFY(d->button(1)->isEnabled());  // 再設定 opens the basic settings
            QVERIFY(d->button(4)->isEnabled());  // 旧ﾃﾞｰﾀ変換 opens the conversion window
            d->button(3)->click();
        });
        QVERIFY(!app.start());
        QCOMPARE(QDir(dir.path()).entryList({"F7db*"}, QDir::Files).size(), 0);
    }

    void passwordPromptAcceptsTheRightNumberOnly() {
        QTemporaryDir dir;
        {
            Application first(Edition::Sales, dir.path().toStdString());
            install(dir);
            test::clickInNextModal("新規作成");
            QVERIFY(first.start());
            Bytes pw(4);
            writeI32(pw, 0, 1234);
            QVERIFY(first.context().files.write(first.context().fileSet[kSlipHeaders], 764, pw));
            first.finish();
        }
        auto typeAndOk = [](const QString& text) {
            test::onNextModal([text](QWidget* w) {
                auto* d = qobject_cast<PasswordDialog*>(w);
                QVERIFY(d);
                QCOMPARE(d->windowTitle(), QString::fromUtf8("パスワード"));
                QTest::keyClicks(d->field(), text);
                QTest::keyClick(d->field(), Qt::Key_Return);
            });
        };
        {
            Application wrong(Edition::Sales, dir.path().toStdString());
            typeAndOk("1233");
            QVERIFY(!wrong.start());
            QCOMPARE(QtDialogs::shownTexts().last(), QString::fromUtf8(msg::kWrongPassword));
        }
        {
            Application right(Edition::Sales, dir.path().toStdString());
            typeAndOk("01234");
            QVERIFY(right.start());
            QCOMPARE(right.context().password, 1234);
            right.finish();
        }
    }

    void secondCopyIsWarnedAndNoEnds() {
        QTemporaryDir dir;
        Application first(Edition::Sales, dir.path().toStdString());
        install(dir);
        test::clickInNextModal("新規作成");
        QVERIFY(first.start());

        Application second(Edition::Sales, dir.path().toStdString());
        QtDialogs::shownTexts().clear();
        QtDialogs::queueAnswers({Answer::No});
        QVERIFY(!second.start());
        QCOMPARE(QtDialogs::shownTexts().value(0), QString::fromUtf8(msg::kAlreadyRunning));

        Application third(Edition::Sales, dir.path().toStdString());
        QtDialogs::queueAnswers({Answer::Yes});
        QVERIFY(third.start());  // both may run
        third.finish();

        // The finance edition does not look for other copies.
        install(dir, Edition::Finance);
        Application finance(Edition::Finance, dir.path().toStdString());
        QtDialogs::shownTexts().clear();
        test::clickInNextModal("新規作成");
        QVERIFY(finance.start());
        QVERIFY(!QtDialogs::shownTexts().contains(QString::fromUtf8(msg::kAlreadyRunning)));
        QVERIFY(finance.frame()->menuBar()->actions().isEmpty());
        first.finish();
    }

    void serverRegistersAsStationOneAndLeavesAtExit() {
        QTemporaryDir dir;
        {
            Application first(Edition::Sales, dir.path().toStdString());
            install(dir);
            test::clickInNextModal("新規作成");
            QVERIFY(first.start());
            first.context().settings.lanMode = 1;
            first.finish();
        }
        Application server(Edition::Sales, dir.path().toStdString());
        QVERIFY(server.start());
        QCOMPARE(server.context().stationNumber, 1);
        const QString control = QString::fromStdString(server.context().fileSet[kLanControl].string());
        QVERIFY(QFile::exists(control));
        QCOMPARE(server.finish(), 0);
        QVERIFY(!QFile::exists(control));
    }

    void storedGeometryIsClamped() {
        QTemporaryDir dir;
        AppContext ctx(Edition::Sales, dir.path().toStdString());
        BasicSettings s = defaultSettings(systemClock());
        s.frameLeft = -40;
        s.frameTop = 20;
        s.frameWidth = 800;
        s.frameHeight = 500;
        QVERIFY(writeSettings(ctx.files, ctx.settingsFile(), s));
        QtDialogs frameDialogs;
        MainFrame frame(ctx, frameDialogs);
        QCOMPARE(frame.geometry().x(), 0);
        QCOMPARE(frame.geometry().y(), 20);
        QCOMPARE(frame.geometry().width(), 1024);
        QCOMPARE(frame.geometry().height(), 600);
    }

    void backgroundWindowShowsTheYearAndCreeps() {
        QTemporaryDir dir;
        Application app(Edition::Sales, dir.path().toStdString());
        install(dir);
        test::clickInNextModal("新規作成");
        QVERIFY(app.start());
        app.context().stationNumber = 3;
        app.frame()->resize(1280, 800);
        BakWnd* bak = app.frame()->background();
        bak->refresh();
        // It sits at the frame's bottom right: width - 920, height - 240 in frame coordinates.
        QTRY_COMPARE(bak->mapTo(app.frame(), QPoint(0, 0)), QPoint(1280 - 920, 800 - 240));
        QCOMPARE(app.context().settings.frameWidth, 1280);
        for (int i = 0; i < 60; ++i) bak->tick();
        QCOMPARE(bak->tickCounter(), 0);  // wraps at 60
        bak->tick();
        QCOMPARE(bak->tickCounter(), 1);
        test::saveScreenshot(app.frame(), "main_frame");
        QImage img = bak->grab().toImage();
        // Edition colour on the left, first environment colour on the right.
        QCOMPARE(img.pixelColor(5, 190), QColor(0xC0, 0x7F, 0xC0));
        QCOMPARE(img.pixelColor(935, 190), QColor(0x40, 0x80, 0x00));
        app.finish();
    }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
