#include "ui/app/MainFrame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "app/basic_settings.h"
#include "app/command_table.h"
#include "app/menu_table.h"
#include "ui/app/BakWnd.h"
#include "ui/app/WindowCatalog.h"
#include "ui/app/WindowRegistry.h"

namespace rk::ui {

MainFrame::MainFrame(AppContext& ctx, Dialogs& dialogs, QWidget* parent) : QMainWindow(parent), ctx_(ctx) {
    setObjectName("CMainFrame");
    // The frame takes its place from the settings file before anything else is read.
    const FrameRect r = clampedFrame(readSettings(ctx.files, ctx.settingsFile()));
    setGeometry(r.left, r.top, r.width, r.height);
    if (ctx.edition != Edition::Finance)
        setWindowTitle(QString::fromUtf8(ctx.editionInfo().title.data(), ctx.editionInfo().title.size()));
    mdi_ = new QMdiArea(this);
    mdi_->setObjectName("MdiClient");
    mdi_->setBackground(QColor(0x80, 0x80, 0x80));
    setCentralWidget(mdi_);
    registry_ = new WindowRegistry(ctx_, dialogs, mdi_, this);
    registerWindows(*registry_, ctx_);
    buildMenus();
    buildAccelerators();
    buildBars();
}

namespace {

QString text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

void MainFrame::buildMenus() {
    if (ctx_.edition == Edition::Finance) return;  // the finance edition has no frame menu
    std::function<void(QMenu*, const std::vector<MenuItem>&)> fill = [&](QMenu* menu, const auto& items) {
        for (const MenuItem& m : items) {
            if (m.separator()) {
                menu->addSeparator();
            } else if (!m.children.empty()) {
                fill(menu->addMenu(text(m.caption)), m.children);
            } else {
                QAction* a = menu->addAction(text(m.caption));
                a->setData(m.command);
                a->setProperty("alwaysDisabled", m.alwaysDisabled);
                const int command = m.command;
                connect(a, &QAction::triggered, this, [this, command] { runMenuCommand(command); });
            }
        }
        // Windows register as they are built: the enabled state is settled when the menu opens.
        connect(menu, &QMenu::aboutToShow, this, [this, menu] {
            for (QAction* a : menu->actions()) {
                if (a->isSeparator() || a->menu()) continue;
                const int command = a->data().toInt();
                const bool own = command == cmd::kExit || command == cmd::kAbout;
                a->setEnabled(!a->property("alwaysDisabled").toBool() && (own || registry_->isEnabled(command)));
            }
        });
    };
    for (const MenuItem& top : rk::menuBar(ctx_.edition)) fill(menuBar()->addMenu(text(top.caption)), top.children);
}

void MainFrame::buildAccelerators() {
    for (const Accelerator& acc : accelerators(ctx_.edition)) {
        auto* a = new QAction(this);
        const QKeySequence keys = QKeySequence::fromString(text(acc.keys), QKeySequence::PortableText);
        a->setShortcut(keys);
        a->setShortcutContext(Qt::WindowShortcut);
        const int command = acc.command;
        connect(a, &QAction::triggered, this, [this, command, keys] {
            if (!registry_->dispatch(command)) passKeyOn(keys);
        });
        addAction(a);
    }
}

void MainFrame::passKeyOn(const QKeySequence& keys) {
    // Nobody took the command: the key goes on to the field that has the focus as a plain key
    // press. A key press sent from here goes through the shortcut map again, so the frame's
    // accelerators are off while it is delivered; a key that finds no taker there ends.
    QWidget* focus = QApplication::focusWidget();
    if (passingKeyOn_ || !focus || keys.isEmpty()) return;
    passingKeyOn_ = true;
    for (QAction* a : actions()) a->setEnabled(false);
    QKeyEvent press(QEvent::KeyPress, keys[0].key(), keys[0].keyboardModifiers());
    QApplication::sendEvent(focus, &press);
    for (QAction* a : actions()) a->setEnabled(true);
    passingKeyOn_ = false;
}

void MainFrame::runMenuCommand(int command) {
    if (command == cmd::kExit) {
        close();
    } else if (command == cmd::kAbout) {
        about();
    } else {
        registry_->dispatch(command);
    }
}

void MainFrame::buildBars() {
    QToolBar* tools = addToolBar("ツールバー");
    tools->setObjectName("ToolBar");
    QAction* aboutAction = tools->addAction("?");
    aboutAction->setToolTip("バージョン情報");
    connect(aboutAction, &QAction::triggered, this, &MainFrame::about);
    // Message area and four key indicators.
    QStatusBar* bar = statusBar();
    for (const char* indicator : {"カナ", "CAP", "NUM", "SCRL"}) {
        auto* label = new QLabel(indicator);
        label->setEnabled(false);
        bar->addPermanentWidget(label);
    }
}

void MainFrame::about() {
    QMessageBox::about(this, "バージョン情報",
                       QString("%1\nラクレナＶｅｒ ７．０").arg(QApplication::applicationDisplayName()));
}

void MainFrame::createBackground() {
    background_ = new BakWnd(ctx_, registry_->dialogs(), this, mdi_->viewport());
    background_->lower();
    background_->show();
    connect(this, &MainFrame::refreshRequested, background_, &BakWnd::refresh);
}

void MainFrame::refreshAll() {
    emit refreshRequested();
    registry_->broadcast(cmd::kRefreshBackground);
}

void MainFrame::endProgram() {
    if (ending_) return;
    ending_ = true;
    // Later, so that the window asking for it is not deleted inside its own handler.
    QTimer::singleShot(0, this, [this] {
        close();
        QCoreApplication::quit();
    });
}

void MainFrame::endProgramKeepingFiles() {
    filesReplaced_ = true;
    endProgram();
}

void MainFrame::rememberGeometry() {
    const QRect g = geometry();
    storeFrame(ctx_.settings, {g.x(), g.y(), g.width(), g.height()});
}

void MainFrame::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    if (background_) background_->update();
}

void MainFrame::moveEvent(QMoveEvent* e) {
    QMainWindow::moveEvent(e);
    if (background_) background_->update();
}

void MainFrame::closeEvent(QCloseEvent* e) {
    mdi_->closeAllSubWindows();
    if (!mdi_->subWindowList().isEmpty()) {
        e->ignore();  // a window refused to close (unsaved input)
        return;
    }
    rememberGeometry();
    e->accept();
}

}  // namespace rk::ui
