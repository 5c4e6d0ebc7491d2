// The backup and restore windows as the operator uses them: opened from the データ保守 menu,
// a drive chosen with the arrow keys, Enter for the management-data backup, the compressed
// backup by its button, a restore that ends the program without writing the old settings
// back. Screenshots land in screens/.
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "app/command_table.h"
#include "base/record.h"
#include "maintenance/archiver.h"
#include "maintenance/backup.h"
#include "maintenance/messages.h"
#include "support/demo_year.h"
#include "support/key_typing.h"
#include "support/ui_support.h"
#include "ui/app/Application.h"
#include "ui/app/QtDialogs.h"
#include "ui/app/WindowRegistry.h"
#include "ui/maintenance/DBackUpWnd.h"
#include "ui/maintenance/DReBackWnd.h"
#include "ui/maintenance/QtDiskQuestions.h"

using namespace rk;
using namespace rk::ui;
namespace mt = rk::maintenance;

namespace {

// Two drives: the one the program is on, and a "USB stick" on device 2.
class TwoDrives final : public Volumes {
public:
    fs::path program, stick;
    std::vector<Volume> list() override {
        return {{program, "ext4", "/dev/sda1", Volume::Kind::Fixed},
                {stick, "vfat", "/dev/sdb1", Volume::Kind::Removable}};
    }
    std::optional<uint64_t> freeBytes(const fs::path&) override { return uint64_t{8} << 30; }
    std::optional<uint64_t> device(const fs::path& p) override {
        return p.string().rfind(stick.string(), 0) == 0 ? 2 : 1;
    }
};

struct Running {
    QTemporaryDir dir{"/tmp/rk-XXXXXX"};
    std::unique_ptr<Application> app;
    fs::path folder;

    bool start() {
        folder = fs::path(dir.path().toStdString()) / "prog";
        ScriptedDialogs d;
        if (!test::openDemoYear(folder.string(), 15, 120, d)) return false;
        app = std::make_unique<Application>(Edition::Sales, folder);
        if (!app->start()) return false;
        app->frame()->activateWindow();
        return QTest::qWaitForWindowActive(app->frame());
    }
    // Opens a command from the データ保守 menu, as a click on its entry does.
    template <class W>
    W* fromMenu(int command) {
        QMenu* menu = nullptr;
        for (QAction* a : app->frame()->menuBar()->actions())
            if (a->text() == "データ保守") menu = a->menu();
        if (!menu) return nullptr;
        emit menu->aboutToShow();
        for (QAction* a : menu->actions()) {
            if (a->data().toInt() != command) continue;
            if (!a->isEnabled()) return nullptr;
            a->trigger();
        }
        auto* sub = app->frame()->mdiArea()->activeSubWindow();
        return sub ? qobject_cast<W*>(sub->widget()) : nullptr;
    }
};

Bytes bytesOf(const fs::path& p) { return realFileSystem().readAll(p).value_or(Bytes{}); }

}  // namespace

class BackupWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QtDialogs::setHeadless(true); }
    void init() { QtDialogs::shownTexts().clear(); }

    void backupWindowChoosesADriveByKeyAndBacksUpBothWays() {
        Running r;
        QVERIFY(r.start());
        TwoDrives drives;
        drives.program = r.folder;
        drives.stick = fs::path(r.dir.path().toStdString()) / "stick";
        fs::create_directories(drives.stick);
        // The window on the two drives above; otherwise as the menu opens it.
        AppContext& ctx = r.app->context();
        r.app->frame()->registry()->registerFactory(
            198, [&](int) { return new DBackUpWnd(ctx, r.app->frame()->registry()->dialogs(), drives); });
        auto* w = r.fromMenu<DBackUpWnd>(198);
        QVERIFY(w);
        QCOMPARE(w->parentWidget()->windowTitle(), QString("　データバックアップ"));
        QCOMPARE(w->drives().size(), size_t{2});
        QCOMPARE(w->freeKb(1), uint64_t{8589934});  // 64-bit free space, in kilobytes
        w->setFocus();
        QTRY_COMPARE(test::focus(), static_cast<QWidget*>(w));
        QString asked;
        w->setFileChooser([&](const QString& initial) {
            asked = initial;
            return initial;
        });

        // On the program's own drive the management-data method refuses.
        test::key(Qt::Key_Return);
        QCOMPARE(QtDialogs::shownTexts().last(), QString::fromUtf8(mt::msg::kSameDrive));
        QVERIFY(!fs::exists(r.folder / "管理ﾃﾞｰﾀ.Ft1"));

        test::key(Qt::Key_Down);
        QCOMPARE(w->selected(), 1);
        test::key(Qt::Key_Right);
        QCOMPARE(w->highlighted(), int(DBackUpWnd::kArchive));
        QVERIFY(!test::saveScreenshot(r.app->frame(), "backup_window").isEmpty());
        test::key(Qt::Key_Return);
        QCOMPARE(asked, QString::fromStdString((drives.stick / "管理ﾃﾞｰﾀ.Ft1").string()));
        const Bytes m = bytesOf(drives.stick / "管理ﾃﾞｰﾀ.Ft1");
        QCOMPARE(m.size(), size_t{1024});
        QCOMPARE(readI32(m, 0), 701);
        QCOMPARE(bytesOf(drives.stick / ctx.fileSet[kSlipHeaders].filename()), bytesOf(ctx.fileSet[kSlipHeaders]));

        w->button(DBackUpWnd::kArchive)->click();
        const std::string name = mt::defaultArchiveName(ctx);
        QCOMPARE(asked, QString::fromStdString((drives.stick / name).string()));
        QVERIFY(rk::checkArchive(drives.stick / name).ok());
        QVERIFY(fs::exists(r.folder / name));
    }

    void theRealDriveListShowsTheMountsAndTheirMedia() {
        Running r;
        QVERIFY(r.start());
        auto* w = r.fromMenu<DBackUpWnd>(198);
        QVERIFY(w);
        QVERIFY(!w->drives().empty());
        QVERIFY(std::any_of(w->drives().begin(), w->drives().end(), [](const Volume& v) { return v.mount == "/"; }));
        QVERIFY(!test::saveScreenshot(w, "backup_window_mounts").isEmpty());
    }

    void restoreWindowListsTheAutomaticBackupsAndEndsTheProgram() {
        Running r;
        QVERIFY(r.start());
        AppContext& ctx = r.app->context();
        // Two days with an automatic backup each.
        ScriptedDialogs d;
        QCOMPARE(mt::exitBackup(ctx, d), mt::ExitBackup::Made);
        QVERIFY(realFileSystem().rename(mt::currentAutoArchive(ctx), mt::generationArchive(ctx, 0)));
        QCOMPARE(mt::exitBackup(ctx, d), mt::ExitBackup::Made);
        const Bytes headers = bytesOf(ctx.fileSet[kSlipHeaders]);
        const Bytes settings = bytesOf(ctx.settingsFile());
        const Bytes current = bytesOf(mt::currentAutoArchive(ctx));

        auto* w = r.fromMenu<DReBackWnd>(201);
        QVERIFY(w);
        QCOMPARE(w->parentWidget()->windowTitle(), QString("　バックアップデータの復帰"));
        QCOMPARE(w->rows().size(), size_t{2});
        QVERIFY(!test::saveScreenshot(w, "restore_window").isEmpty());

        // The year is damaged after the backup; the settings in memory differ from the file.
        QVERIFY(realFileSystem().replaceWhole(ctx.fileSet[kSlipHeaders], Bytes(768, std::byte{0})));
        ctx.settings.frameLeft = 77;
        QtDialogs::queueAnswers({Answer::Yes, Answer::Yes});
        QTest::mouseClick(w, Qt::LeftButton, {}, DReBackWnd::rowPoint(1) + QPoint(20, 10));
        QCOMPARE(w->selected(), 1);
        QVERIFY(QtDialogs::shownTexts().contains(QString::fromUtf8(mt::msg::kSystemStops)));
        QCOMPARE(bytesOf(ctx.fileSet[kSlipHeaders]), headers);
        // The program ends; the settings file is the restored one, and no generation is added.
        QTRY_VERIFY(!r.app->frame()->isVisible());
        r.app->finish();
        QCOMPARE(bytesOf(ctx.settingsFile()), settings);
        QCOMPARE(bytesOf(mt::currentAutoArchive(ctx)), current);
        QVERIFY(!fs::exists(mt::generationArchive(ctx, 2)));
    }

    void restoreOfACompressedFileAsksAndCopies() {
        Running r;
        QVERIFY(r.start());
        AppContext& ctx = r.app->context();
        const fs::path archive = r.folder / mt::defaultArchiveName(ctx);
        ScriptedDialogs d;
        mt::ScriptedDiskQuestions disk(d);
        QCOMPARE(mt::backupToArchive(ctx, d, disk, systemVolumes(), archive), mt::Outcome::Done);
        const Bytes customers = bytesOf(ctx.fileSet[kCustomers]);
        QVERIFY(realFileSystem().replaceWhole(ctx.fileSet[kCustomers], Bytes(10, std::byte{1})));
        auto* w = r.fromMenu<DReBackWnd>(201);
        QVERIFY(w);
        w->setFileChooser([&](const QString&) { return QString::fromStdString(archive.string()); });
        QtDialogs::queueAnswers({Answer::No});
        w->button(DReBackWnd::kArchive)->click();
        QCOMPARE(bytesOf(ctx.fileSet[kCustomers]), Bytes(10, std::byte{1}));  // No: nothing copied
        QVERIFY(r.app->frame()->isVisible());
        QtDialogs::queueAnswers({Answer::Yes});
        w->button(DReBackWnd::kArchive)->click();
        QCOMPARE(bytesOf(ctx.fileSet[kCustomers]), customers);
        QCOMPARE(QtDialogs::shownTexts().last(), QString::fromUtf8(mt::msg::kProgramStops));
        QTRY_VERIFY(!r.app->frame()->isVisible());
    }
};

QTEST_MAIN(BackupWindowsTest)
#include "backup_windows_test.moc"
