#include "ui/app/MainFrame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QToolBar>

#include "app/basic_settings.h"
#include "ui/app/BakWnd.h"

namespace rk::ui {

MainFrame::MainFrame(AppContext& ctx, QWidget* parent) : QMainWindow(parent), ctx_(ctx) {
    setObjectName("CMainFrame");
    // The frame takes its place from the settings file before anything else is read.
    const FrameRect r = clampedFrame(readSettings(ctx.files, ctx.settingsFile()));
    setGeometry(r.left, r.top, r.width, r.height);
    if (ctx.edition != Edition::Finance) setWindowTitle(QString::fromUtf8(ctx.editionInfo().title.data(),
                                                                          ctx.editionInfo().title.size()));
    mdi_ = new QMdiArea(this);
    mdi_->setObjectName("MdiClient");
    mdi_->setBackground(QColor(0x80, 0x80, 0x80));
    setCentralWidget(mdi_);
    buildMenus();
    buildBars();
}

void MainFrame::buildMenus() {
    if (ctx_.edition == Edition::Finance) return;  // the finance edition has no frame menu
    QMenu* file = menuBar()->addMenu("ファイル(&F)");
    QAction* exit = file->addAction("終了(&X)");
    exit->setData(57665);
    connect(exit, &QAction::triggered, this, &QWidget::close);
    QMenu* help = menuBar()->addMenu("ヘルプ(&H)");
    QAction* aboutAction = help->addAction("バージョン情報(&A)...");
    aboutAction->setData(57664);
    connect(aboutAction, &QAction::triggered, this, &MainFrame::about);
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
    background_ = new BakWnd(ctx_, this, mdi_->viewport());
    background_->lower();
    background_->show();
    connect(this, &MainFrame::refreshRequested, background_, &BakWnd::refresh);
}

void MainFrame::refreshAll() { emit refreshRequested(); }

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
