// The whole program as a clerk meets it: every window opened from the main frame's menus on a
// demo year, every accelerator and function key pressed as a real key event on the active
// top-level window (so Qt's shortcut map runs), then a seeded storm of random keys. The
// program must survive, keep a focused field, open each window at its size and take typed
// digits at once; afterwards the year's files must still be consistent.
#include <QDialog>
#include <QGuiApplication>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <random>

#include "app/command_table.h"
#include "app/menu_table.h"
#include "printing/slip_snapshot.h"
#include "support/demo_year.h"
#include "support/year_consistency.h"
#include "ui/app/MainFrame.h"
#include "ui/app/QtDialogs.h"
#include "ui/app/WindowRegistry.h"
#include "ui/controls/CDataEdit.h"

using namespace rk;
using namespace rk::ui;

namespace {

struct MenuCommand {
    int command;
    QString caption;
};

// Commands that leave the program or only show the about box.
bool skipped(int command) { return command == cmd::kExit || command == cmd::kAbout; }

void collect(QMenu* menu, std::vector<MenuCommand>& out) {
    emit menu->aboutToShow();  // settles which entries are enabled
    for (QAction* a : menu->actions()) {
        if (a->isSeparator()) continue;
        if (a->menu()) {
            collect(a->menu(), out);
        } else if (a->isEnabled() && !skipped(a->data().toInt())) {
            out.push_back({a->data().toInt(), a->text()});
        }
    }
}

QAction* findAction(QMenu* menu, int command) {
    emit menu->aboutToShow();
    for (QAction* a : menu->actions()) {
        if (a->menu()) {
            if (QAction* found = findAction(a->menu(), command)) return found;
        } else if (!a->isSeparator() && a->data().toInt() == command) {
            return a;
        }
    }
    return nullptr;
}

// The top-level window the keyboard goes to.
QWindow* keyWindow(QWidget* frame) {
    QWindow* w = QGuiApplication::focusWindow();
    return w ? w : frame->windowHandle();
}

void press(QWidget* frame, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(keyWindow(frame), key, mods);
}

void type(const QString& digits) {
    for (QChar c : digits) QTest::keyClick(QGuiApplication::focusWindow(), static_cast<Qt::Key>(c.unicode()));
}

CDataEdit* focusedField() { return qobject_cast<CDataEdit*>(QApplication::focusWidget()); }

}  // namespace

class KeySweepTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<AppContext> ctx_;
    QtDialogs dialogs_;
    std::unique_ptr<MainFrame> frame_;
    ScriptedDialogs loaderDialogs_;
    QTimer modalCloser_;

    // A modal dialog other than a message box (print preview, page setup, colour choice)
    // would wait for a click: it is cancelled.
    void closeModals() {
        if (QWidget* m = QApplication::activeModalWidget()) {
            if (auto* d = qobject_cast<QDialog*>(m))
                d->reject();
            else
                m->close();
        }
    }

    void openFrame() {
        frame_ = std::make_unique<MainFrame>(*ctx_, dialogs_);
        frame_->setGeometry(0, 0, 1280, 960);
        frame_->show();
        frame_->createBackground();
        QVERIFY(QTest::qWaitForWindowExposed(frame_.get()));
        frame_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame_.get()));
    }

    // Without a window manager nobody gives the frame back its activation after a modal
    // dialog closed; the window manager of a real desktop does.
    void regainActivation() {
        if (QApplication::activeWindow() || QApplication::activeModalWidget()) return;
        frame_->activateWindow();
        QCoreApplication::processEvents();
    }

    // What a key started has finished: deferred closes ran, an ended program is started again.
    void settle() {
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        reopenIfEnded();
        regainActivation();
    }

    // The program ended itself (a settings window saved): it is started again.
    void reopenIfEnded() {
        if (frame_ && frame_->isVisible()) return;
        frame_.reset();
        openFrame();
    }

    std::vector<MenuCommand> menuCommands() {
        std::vector<MenuCommand> out;
        for (QAction* top : frame_->menuBar()->actions())
            if (top->menu()) collect(top->menu(), out);
        return out;
    }

    // Opens the window of a menu command as the clerk does, through its menu entry.
    QMdiSubWindow* openFromMenu(int command) {
        frame_->mdiArea()->closeAllSubWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (QAction* top : frame_->menuBar()->actions()) {
            if (!top->menu()) continue;
            if (QAction* a = findAction(top->menu(), command)) {
                a->trigger();
                QCoreApplication::processEvents();
                return frame_->mdiArea()->activeSubWindow();
            }
        }
        return nullptr;
    }

    void closeAll() {
        closeModals();
        if (!frame_) return;
        frame_->mdiArea()->closeAllSubWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    void expectConsistentYear() {
        closeAll();
        const std::vector<std::string> problems = test::yearProblems(*ctx_, true);
        for (const std::string& p : problems) qWarning("%s", p.c_str());
        QVERIFY(problems.empty());
    }

private slots:
    void init() {
        QtDialogs::setHeadless(true);  // every question takes its preselected (safe) answer
        dir_ = std::make_unique<QTemporaryDir>();
        ctx_ = test::openDemoYear(dir_->path().toStdString(), 30, 400, loaderDialogs_);
        QVERIFY(ctx_);
        connect(&modalCloser_, &QTimer::timeout, this, &KeySweepTest::closeModals);
        modalCloser_.start(10);
        openFrame();
    }

    void cleanup() {
        modalCloser_.stop();
        disconnect(&modalCloser_, nullptr, this, nullptr);
        closeAll();
        frame_.reset();
        ctx_.reset();
        dir_.reset();
    }

    // Every window opens at least at its size (the command table's rectangle where it has
    // one), with a title, not collapsed, and its first entry field takes typed digits at once.
    void everyMenuWindowOpensSizedAndTakesTyping() {
        const auto commands = menuCommands();
        QVERIFY(commands.size() > 20);
        for (const MenuCommand& c : commands) {
            const CommandEntry* entry = findCommand(c.command);
            if (!entry) continue;  // printer setup and the guide's own entries
            QMdiSubWindow* sub = openFromMenu(c.command);
            const QString what = QString("%1 %2").arg(c.command).arg(c.caption);
            QVERIFY2(sub, qPrintable(what));
            QVERIFY2(!sub->isMinimized() && !sub->isShaded(), qPrintable(what));
            QVERIFY2(!sub->windowTitle().isEmpty(), qPrintable(what));
            if (entry->rect) {
                const Rect& r = *entry->rect;
                QVERIFY2(sub->width() >= r.right - r.left && sub->height() >= r.bottom - r.top, qPrintable(what));
            } else {
                QVERIFY2(sub->width() >= 300 && sub->height() >= 200, qPrintable(what));
            }
            QCOMPARE(sub->size(), sub->size().expandedTo(sub->widget()->minimumSizeHint()));

            if (!sub->widget()->findChild<CDataEdit*>()) continue;  // lists and the guide take no digits
            QPointer<CDataEdit> field = focusedField();
            QVERIFY2(field, qPrintable(what + " has no focused entry field"));
            QVERIFY2(sub->isAncestorOf(field), qPrintable(what));
            press(frame_.get(), Qt::Key_1);
            // The digit shows, or a one-digit field took it and moved on.
            QVERIFY2(!field || field->shownText().contains('1') || focusedField() != field, qPrintable(what));
        }
    }

    // Every accelerator of the command table and F1..F12 with every modifier, in every window.
    void everyKeyInEveryWindowEndsHarmlessly() {
        std::vector<QKeyCombination> keys;
        for (const Accelerator& a : accelerators(ctx_->edition)) {
            const QKeySequence k = QKeySequence::fromString(QString::fromUtf8(a.keys.data(), a.keys.size()));
            if (!k.isEmpty()) keys.push_back(k[0]);
        }
        for (int f = Qt::Key_F1; f <= Qt::Key_F12; ++f)
            for (auto m : {Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier})
                keys.push_back(QKeyCombination(m, static_cast<Qt::Key>(f)));
        for (const MenuCommand& c : menuCommands()) {
            if (!findCommand(c.command)) continue;
            QVERIFY(openFromMenu(c.command));
            for (QKeyCombination k : keys) {
                press(frame_.get(), k.key(), k.keyboardModifiers());
                settle();
                QVERIFY2(!frame_->mdiArea()->activeSubWindow() || QApplication::focusWidget(),
                         qPrintable(QString("%1 %2: no focus after %3")
                                        .arg(c.command)
                                        .arg(c.caption)
                                        .arg(QKeySequence(k).toString())));
            }
            closeAll();
        }
        expectConsistentYear();
    }

    // The slip entry of the clerk's day: F6 opens receivable processing of the loaded slip,
    // F7 there goes on to the payment, and F7 in slip entry itself does nothing.
    void functionKeysReachTheirWindows() {
        // A delivered slip of the demo year, not yet settled.
        const printing::SlipSnapshot files(*ctx_);
        SlipHeader slip{};
        for (int n = 1; n < files.headerCount() && !slip.customer; ++n) {
            const SlipHeader h = files.header(n);
            if ((h.stage == kStageDelivery || h.stage == kStageProcessed) && liveDate(h.date) && h.amount > 0) slip = h;
        }
        QVERIFY(slip.customer > 0);
        QVERIFY(openFromMenu(cmd::kDeliverySlip));
        type(QString::number(slip.date));
        press(frame_.get(), Qt::Key_Return);
        type(QString::number(slip.customer));
        press(frame_.get(), Qt::Key_Return);
        QVERIFY(focusedField());
        press(frame_.get(), Qt::Key_F7);  // nobody in slip entry takes F7
        QVERIFY(focusedField());
        QCOMPARE(frame_->mdiArea()->subWindowList().size(), 1);
        press(frame_.get(), Qt::Key_F6);
        QTRY_COMPARE(frame_->mdiArea()->subWindowList().size(), 2);
        QVERIFY(frame_->mdiArea()->activeSubWindow()->windowTitle().contains("売り掛け処理"));
        press(frame_.get(), Qt::Key_F7);
        QTRY_VERIFY(frame_->mdiArea()->activeSubWindow()->windowTitle().contains("入金"));
    }

    // A few thousand random keys per window (digits, Enter, Esc, arrows, function keys); the
    // year's files stay consistent afterwards.
    void randomKeyStormLeavesTheYearConsistent() {
        const int perWindow = qEnvironmentVariableIntValue("RAKURENA_STORM_KEYS") > 0
                                  ? qEnvironmentVariableIntValue("RAKURENA_STORM_KEYS")
                                  : 2000;
        const Qt::Key pool[] = {
            Qt::Key_0,    Qt::Key_1,    Qt::Key_2,    Qt::Key_3,      Qt::Key_4,      Qt::Key_5,        Qt::Key_6,
            Qt::Key_7,    Qt::Key_8,    Qt::Key_9,    Qt::Key_Return, Qt::Key_Return, Qt::Key_Return,   Qt::Key_Escape,
            Qt::Key_Up,   Qt::Key_Down, Qt::Key_Left, Qt::Key_Right,  Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Tab,
            Qt::Key_Home, Qt::Key_F1,   Qt::Key_F2,   Qt::Key_F3,     Qt::Key_F4,     Qt::Key_F5,       Qt::Key_F6,
            Qt::Key_F7,   Qt::Key_F8,   Qt::Key_F9,   Qt::Key_F11,    Qt::Key_F12,    Qt::Key_Slash,    Qt::Key_Plus};
        std::mt19937 random(20261208);
        std::uniform_int_distribution<size_t> pick(0, std::size(pool) - 1);
        std::uniform_int_distribution<int> shift(0, 15);
        for (const MenuCommand& c : menuCommands()) {
            if (!findCommand(c.command)) continue;
            // A window may refuse the state the storm left the year in (the year-end update once
            // the input year has moved on); it must say so, then the storm goes on.
            const qsizetype shownBefore = QtDialogs::shownTexts().size();
            if (!openFromMenu(c.command)) {
                QVERIFY2(QtDialogs::shownTexts().size() > shownBefore,
                         qPrintable(QString("command %1").arg(c.command)));
                continue;
            }
            for (int i = 0; i < perWindow; ++i) {
                const Qt::Key k = pool[pick(random)];
                Qt::KeyboardModifiers m = Qt::NoModifier;
                if (k == Qt::Key_Slash || k == Qt::Key_Plus) m = Qt::KeypadModifier;
                if (shift(random) == 0) m |= Qt::ShiftModifier;
                press(frame_.get(), k, m);
                settle();
            }
            closeAll();
        }
        expectConsistentYear();
    }
};

QTEST_MAIN(KeySweepTest)
#include "key_sweep_test.moc"
