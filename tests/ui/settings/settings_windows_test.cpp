// The basic and environment settings windows as the operator uses them: the start of a fresh
// installation through the basic settings, typing into the fields with keys, saving.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QTest>

#include "app/basic_settings.h"
#include "app/command_table.h"
#include "app/environment_block.h"
#include "app/invoice_settings.h"
#include "app/messages.h"
#include "base/cp932.h"
#include "platform/instance_lock.h"
#include "settings/messages.h"
#include "slips/slip_index.h"
#include "support/ui_support.h"
#include "ui/app/Application.h"
#include "ui/app/QtDialogs.h"
#include "ui/app/WindowRegistry.h"
#include "ui/controls/CDataEdit.h"
#include "ui/settings/FKankyoView.h"
#include "ui/settings/FKankyoWnd.h"
#include "ui/settings/FkihonView.h"
#include "ui/settings/FkihonWnd.h"

using namespace rk;
using namespace rk::ui;

namespace {

QString text(const char* utf8) { return QString::fromUtf8(utf8); }

// Keys go where the operator's typing goes: the current entry field, else the view's focus.
void press(FkihonView* v, int key) {
    QWidget* target = v->edit()                                 ? static_cast<QWidget*>(v->edit())
                      : v->current() == FkihonView::kDataFolder ? static_cast<QWidget*>(v->folderChooser())
                                                                : static_cast<QWidget*>(v);
    QTest::keyClick(target, static_cast<Qt::Key>(key));
}

void typeText(QWidget* w, const QString& s) {
    for (QChar c : s) QTest::sendKeyEvent(QTest::KeyAction::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

std::string field(const char* f, size_t width) {
    std::string s = cp932::toUtf8(f, width);
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

// A running installation of the sales edition with this year's data.
std::unique_ptr<Application> runningProgram(const QTemporaryDir& dir) {
    AppContext ctx(Edition::Sales, dir.path().toStdString());
    if (!writeNewInstallation(ctx, defaultSettings(systemClock()))) return nullptr;
    auto app = std::make_unique<Application>(Edition::Sales, dir.path().toStdString());
    test::clickInNextModal("新規作成");
    if (!app->start()) return nullptr;
    return app;
}

template <class W>
W* openWindow(Application& app, int command) {
    QWidget* w = app.frame()->registry()->open(command);
    auto* sub = qobject_cast<QMdiSubWindow*>(w);
    return sub ? qobject_cast<W*>(sub->widget()) : qobject_cast<W*>(w);
}

}  // namespace

class SettingsWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QtDialogs::setHeadless(true); }
    void init() { QtDialogs::shownTexts().clear(); }

    void freshInstallationStartsThroughTheBasicSettings() {
        QTemporaryDir dir("/tmp/rk-XXXXXX");
        QVERIFY(QDir(dir.path()).mkdir("data"));
        const QString dataFolder = dir.filePath("data/");
        QVERIFY(dataFolder.size() <= 38);
        {
            Application app(Edition::Sales, dir.path().toStdString());
            QtDialogs::queueAnswers({Answer::Yes});  // settings missing: create
            QVERIFY(app.start());
            auto* wnd = app.frame()->findChild<FkihonWnd*>();
            QVERIFY(wnd);
            QVERIFY(wnd->startupMode());
            QCOMPARE(wnd->parentWidget()->windowTitle(), text("  基本設定"));
            FkihonView* v = wnd->view();
            QCOMPARE(v->current(), FkihonView::kYear);
            test::saveScreenshot(wnd, "FkihonWnd");

            press(v, Qt::Key_Enter);  // year as it is
            press(v, Qt::Key_Enter);  // first month
            QCOMPARE(v->current(), FkihonView::kName);
            v->edit()->selectAll();
            typeText(v->edit(), "青葉花卉");
            press(v, Qt::Key_Down);
            QCOMPARE(field(v->edited().name, 32), std::string("青葉花卉"));
            for (int i = 3; i < FkihonView::kDataFolder; ++i) press(v, Qt::Key_Down);
            QCOMPARE(v->current(), FkihonView::kDataFolder);
            // Confirming a folder lists it and its sub-folders.
            v->folderChooser()->setEditText(dir.path());
            press(v, Qt::Key_Return);
            QVERIFY(v->folderChooser()->findText(dataFolder) >= 0);
            v->folderChooser()->setEditText(dataFolder);
            press(v, Qt::Key_Down);
            QCOMPARE(v->current(), FkihonView::kCurrentPassword);

            InstanceLock purchaseRunning;
            QVERIFY(purchaseRunning.acquire(app.context().fileSet.instanceLockFile(Edition::Purchase)));
            press(v, Qt::Key_F5);  // the data folder changed: the program ends
            const QStringList& shown = QtDialogs::shownTexts();
            QCOMPARE(shown.value(shown.size() - 2), text(msg::kOtherEditionRunning[1]));
            QCOMPARE(shown.last(), text(msg::kFileOrFirstMonthChanged));
            QTRY_VERIFY(!app.frame()->isVisible());
            QVERIFY(!QtDialogs::shownTexts().contains(text(msg::kRestartForFileSet)));  // only one message
            QCOMPARE(app.finish(), 0);
        }
        AppContext probe(Edition::Sales, dir.path().toStdString());
        auto saved = readSettings(probe.files, probe.settingsFile());
        QVERIFY(saved);
        QCOMPARE(field(saved->dataFolder, 40), dataFolder.toStdString());
        QCOMPARE(field(saved->name, 32), std::string("青葉花卉"));
        auto purchase = readSettings(probe.files, probe.fileSet.settingsFile(Edition::Purchase));
        QVERIFY(purchase);
        QCOMPARE(field(purchase->dataFolder, 40), dataFolder.toStdString());
        QVERIFY(QFile::exists(dir.filePath("FMST.Bak")));

        // The next start finds the settings and creates the year in the chosen folder.
        QtDialogs::shownTexts().clear();
        Application second(Edition::Sales, dir.path().toStdString());
        test::clickInNextModal("新規作成");
        QVERIFY(second.start());
        QVERIFY(second.context().started);
        QVERIFY(!QtDialogs::shownTexts().contains(text(msg::kSettingsMissing)));
        QVERIFY(QFile::exists(dir.filePath(QString("data/F7db%1.FT2").arg(saved->businessYear))));
        QVERIFY(!second.frame()->findChild<FkihonWnd*>());
        second.finish();
    }

    void reconfigureFromTheNewDataDialogEndsWhenClosed() {
        QTemporaryDir dir("/tmp/rk-XXXXXX");
        QVERIFY(writeNewInstallation(*std::make_unique<AppContext>(Edition::Sales, dir.path().toStdString()),
                                     defaultSettings(systemClock())));
        Application app(Edition::Sales, dir.path().toStdString());
        test::onNextModal([](QWidget* w) {
            auto* d = qobject_cast<NewDataDialog*>(w);
            QVERIFY(d);
            QVERIFY(d->button(1)->isEnabled());
            d->button(1)->click();  // 再設定
        });
        QVERIFY(app.start());
        auto* wnd = app.frame()->findChild<FkihonWnd*>();
        QVERIFY(wnd);
        QVERIFY(wnd->startupMode());
        qobject_cast<QMdiSubWindow*>(wnd->parentWidget())->close();
        QCOMPARE(QtDialogs::shownTexts().last(), text(msg::kRestartForStartup));
        QTRY_VERIFY(!app.frame()->isVisible());
        QCOMPARE(app.context().windowFlags[kBasicSettingsFlag], 0);
    }

    void fieldsTypedWithKeysAndThePasswordSaved() {
        QTemporaryDir dir("/tmp/rk-XXXXXX");
        auto app = runningProgram(dir);
        QVERIFY(app);
        auto* wnd = openWindow<FkihonWnd>(*app, cmd::kBasicSettings);
        QVERIFY(wnd);
        QVERIFY(!wnd->startupMode());
        QCOMPARE(wnd->parentWidget()->pos(), QPoint(40, 40));
        FkihonView* v = wnd->view();
        const int year = app->context().settings.businessYear;

        // The year rule as typed; Up from the password goes back to the folder, skipping the tax rate.
        QTest::keyClicks(v->edit(), "99");
        press(v, Qt::Key_Up);
        QCOMPARE(v->edited().businessYear, 1999);
        QTest::keyClicks(v->edit(), QString::number(year));
        press(v, Qt::Key_Down);
        QCOMPARE(v->edited().businessYear, year);
        QTest::keyClicks(v->edit(), "13");
        press(v, Qt::Key_Down);
        QCOMPARE(v->edited().firstMonth, 12);
        v->setCurrent(FkihonView::kFirstMonth);
        QTest::keyClicks(v->edit(), "1");
        press(v, Qt::Key_Down);
        for (int i = 2; i < 4; ++i) press(v, Qt::Key_Down);
        QCOMPARE(v->current(), 4);
        v->edit()->selectAll();
        QTest::keyClicks(v->edit(), "03-1234-5678");
        press(v, Qt::Key_Down);
        v->setCurrent(FkihonView::kCurrentPassword);
        press(v, Qt::Key_Up);
        QCOMPARE(v->current(), FkihonView::kDataFolder);
        press(v, Qt::Key_Down);
        QCOMPARE(v->current(), FkihonView::kCurrentPassword);
        press(v, Qt::Key_Down);
        QTest::keyClicks(v->edit(), "1234");
        QVERIFY(v->edit()->label()->findChild<QLabel*>("PasswordCover")->isVisible());
        test::saveScreenshot(wnd, "FkihonWnd_running");
        test::saveScreenshot(app->frame(), "FkihonWnd_in_frame");

        QtDialogs::queueAnswers({Answer::Yes});  // a new password
        press(v, Qt::Key_F5);
        QCOMPARE(QtDialogs::shownTexts().last(), text(msg::kPasswordNew));
        QTRY_VERIFY(!app->frame()->findChild<FkihonWnd*>());
        QVERIFY(app->frame()->isVisible());  // nothing needs a restart
        AppContext& ctx = app->context();
        QCOMPARE(readDataPassword(ctx.files, ctx.fileSet[kSlipHeaders]), 1234);
        auto other = readSettings(ctx.files, ctx.fileSet.settingsFile(Edition::Purchase));
        QVERIFY(other);
        QCOMPARE(field(other->phone, 40), std::string("03-1234-5678"));
        QCOMPARE(field(ctx.settings.phone, 40), std::string("03-1234-5678"));
        app->finish();
    }

    // The qualified-invoice group: reached with Down after the member number, a number of the
    // wrong shape refused in its field, the switch typed as 1, both saved with F5.
    void registrationNumberTypedAndSaved() {
        QTemporaryDir dir("/tmp/rk-XXXXXX");
        auto app = runningProgram(dir);
        QVERIFY(app);
        auto* wnd = openWindow<FkihonWnd>(*app, cmd::kBasicSettings);
        QVERIFY(wnd);
        FkihonView* v = wnd->view();
        v->setCurrent(FkihonView::kMemberNumber);
        press(v, Qt::Key_Down);
        QCOMPARE(v->current(), FkihonView::kRegistrationNumber);

        // Without a number the switch cannot be turned on.
        QTest::mouseClick(v, Qt::LeftButton, {}, QPoint(360, 582));
        QCOMPARE(QtDialogs::shownTexts().last(), text(msg::kRegistrationNumberMissing));
        QCOMPARE(v->editedInvoice().qualified, 0);
        v->setCurrent(FkihonView::kRegistrationNumber);

        QTest::keyClicks(v->edit(), "T12345678901");
        press(v, Qt::Key_Enter);
        QCOMPARE(QtDialogs::shownTexts().last(), text(msg::kRegistrationNumberShape));
        QCOMPARE(v->current(), FkihonView::kRegistrationNumber);
        QCOMPARE(v->editedInvoice().numberText(), std::string());
        v->edit()->selectAll();
        QTest::keyClicks(v->edit(), "T1234-5678-90123");
        press(v, Qt::Key_Enter);
        QCOMPARE(v->current(), FkihonView::kQualified);
        QCOMPARE(v->editedInvoice().numberText(), std::string("T1234567890123"));
        QTest::keyClicks(v->edit(), "1");
        press(v, Qt::Key_Up);
        QCOMPARE(v->editedInvoice().qualified, 1);
        v->setCurrent(-1);
        test::saveScreenshot(wnd, "FkihonWnd_invoice");

        press(v, Qt::Key_F5);
        QTRY_VERIFY(!app->frame()->findChild<FkihonWnd*>());
        AppContext& ctx = app->context();
        const InvoiceRead stored = readInvoiceSettings(ctx.files, ctx.programFolder());
        QCOMPARE(stored.state, InvoiceFile::Read);
        QCOMPARE(stored.settings.numberText(), std::string("T1234567890123"));
        QVERIFY(stored.settings.printsQualified());

        // Opened again it shows them.
        wnd = openWindow<FkihonWnd>(*app, cmd::kBasicSettings);
        QVERIFY(wnd);
        QCOMPARE(wnd->view()->editedInvoice().numberText(), std::string("T1234567890123"));
        app->finish();
    }

    // A write that fails is said and keeps the window open with what was typed.
    void aFailedWriteKeepsTheWindowOpen() {
        QTemporaryDir dir("/tmp/rk-XXXXXX");
        auto app = runningProgram(dir);
        QVERIFY(app);
        QVERIFY(QDir(dir.path()).mkdir("INVOICE.FT0"));  // no file can be written there
        auto* wnd = openWindow<FkihonWnd>(*app, cmd::kBasicSettings);
        QVERIFY(wnd);
        FkihonView* v = wnd->view();
        v->setCurrent(FkihonView::kRegistrationNumber);
        QTest::keyClicks(v->edit(), "T1234567890123");
        press(v, Qt::Key_F5);
        QVERIFY(QtDialogs::shownTexts().last().startsWith(text(msg::kInvoiceWriteFailed)));
        QCoreApplication::processEvents();  // a queued close would happen here
        QVERIFY(app->frame()->findChild<FkihonWnd*>());
        QCOMPARE(v->editedInvoice().numberText(), std::string("T1234567890123"));
        // Once the way is clear the same window saves.
        QVERIFY(QDir(dir.path()).rmdir("INVOICE.FT0"));
        press(v, Qt::Key_F5);
        QTRY_VERIFY(!app->frame()->findChild<FkihonWnd*>());
        QCOMPARE(readInvoiceSettings(app->context().files, app->context().programFolder()).settings.numberText(),
                 std::string("T1234567890123"));
        app->finish();
    }

    void restoreWithoutBackupKeepsRunning() {
        QTemporaryDir dir("/tmp/rk-XXXXXX");
        auto app = runningProgram(dir);
        QVERIFY(app);
        auto* wnd = openWindow<FkihonWnd>(*app, cmd::kBasicSettings);
        QVERIFY(wnd);
        // A file chosen in the file dialog gives its folder.
        QVERIFY(QDir(dir.path()).mkdir("Rkn7"));
        wnd->view()->takeFolderOf(dir.filePath("Rkn7/S7ma2026.Ft1"));
        QCOMPARE(field(wnd->view()->edited().dataFolder, 40), dir.filePath("Rkn7/").toStdString());
        wnd->view()->button(2)->click();
        QCOMPARE(QtDialogs::shownTexts().last(), text(msg::kNoBackup));
        // The LAN role is chosen with a click on its caption.
        QTest::mouseClick(wnd->view(), Qt::LeftButton, {}, QPoint(150, 500));
        QCOMPARE(wnd->view()->edited().lanMode, 1);
        QVERIFY(app->frame()->isVisible());

        // With a backup the settings come back from it and the program ends.
        AppContext& ctx = app->context();
        BasicSettings backup = ctx.settings;
        cp932::assign(backup.name, "控えの名前");
        QVERIFY(writeSettings(ctx.files, ctx.fileSet.settingsBackup(Edition::Sales), backup));
        wnd->view()->button(2)->click();
        QCOMPARE(QtDialogs::shownTexts().last(), text(msg::kRestoredFromBackup));
        QTRY_VERIFY(!app->frame()->isVisible());
        QCOMPARE(field(ctx.settings.name, 32), std::string("控えの名前"));
        app->finish();
        auto written = readSettings(ctx.files, ctx.settingsFile());
        QVERIFY(written);
        QCOMPARE(field(written->name, 32), std::string("控えの名前"));
    }

    void closingBeforeTheFileSetExistsAsksForARestart() {
        QTemporaryDir dir("/tmp/rk-XXXXXX");
        Application app(Edition::Sales, dir.path().toStdString());
        QtDialogs::queueAnswers({Answer::Yes});  // settings missing: create
        QVERIFY(app.start());
        auto* wnd = app.frame()->findChild<FkihonWnd*>();
        QVERIFY(wnd);
        qobject_cast<QMdiSubWindow*>(wnd->parentWidget())->close();
        QCOMPARE(QtDialogs::shownTexts().last(), text(msg::kRestartForFileSet));
        QTRY_VERIFY(!app.frame()->isVisible());
        app.finish();
    }

    void environmentSavedWithItsOptions() {
        QTemporaryDir dir("/tmp/rk-XXXXXX");
        auto app = runningProgram(dir);
        QVERIFY(app);
        AppContext& ctx = app->context();
        auto* wnd = openWindow<FKankyoWnd>(*app, cmd::kEnvironmentSettings);
        QVERIFY(wnd);
        FKankyoView* v = wnd->view();
        QCOMPARE(v->current(), v->codeField(0, false));
        QTest::keyClicks(v->edit(), "120");
        QTest::keyClick(v->edit(), Qt::Key_Enter);
        QCOMPARE(v->current(), v->codeField(0, true));
        QCOMPARE(v->edited().debit[0], 120);

        // The lookup puts the chosen account into the code field worked on last.
        QVERIFY(v->lookUp("手数料"));
        QCOMPARE(v->accountLookup()->count(), 1);
        QCOMPARE(v->accountLookup()->itemText(0), text(" 512  市場手数料"));
        v->chooseAccount(0);
        QCOMPARE(v->edited().credit[0], 512);

        v->list(FKankyoView::kCustomerCount)->setCurrentIndex(2);
        v->list(FKankyoView::kInputPoint)->setCurrentIndex(0);
        v->check(FKankyoView::kShowRecords)->setChecked(true);
        QVERIFY(app->frame()->registry()->dispatch(cmd::kAutoBackupToggle));
        QCOMPARE(QtDialogs::shownTexts().last(), text(msg::kAutoBackupOff));
        QVERIFY(app->frame()->registry()->dispatch(cmd::kCheckModeToggle));
        QCOMPARE(ctx.settings.systemCheckMode, 1);
        v->button(FKankyoView::kDefaultColours)->click();
        test::saveScreenshot(wnd, "FKankyoWnd");

        QTest::keyClick(v->edit(), Qt::Key_F5);
        QTRY_VERIFY(!app->frame()->findChild<FKankyoWnd*>());
        auto stored = readEnvironment(ctx.files, ctx.fileSet[kAccounts], Edition::Sales);
        QVERIFY(stored);
        QCOMPARE(stored->debit[0], 120);
        QCOMPARE(stored->credit[0], 512);
        QCOMPARE(stored->customerCount, 2999);
        QCOMPARE(stored->copyInputPoint, 4);
        QCOMPARE(stored->showRecordNumbers, 1);
        QCOMPARE(stored->autoBackupOff, 1);
        QCOMPARE(stored->colours[0], defaultEnvironment(Edition::Sales).colours[0]);
        QCOMPARE(ctx.env.customerCount, 2999);
        app->finish();
    }
};

QTEST_MAIN(SettingsWindowsTest)
#include "settings_windows_test.moc"
