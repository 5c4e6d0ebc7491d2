// The main frame: menus, the window area holding every function window, and the
// background window behind them.
#pragma once

#include <QMainWindow>
#include <QMdiArea>

#include "app/app_context.h"
#include "base/dialogs.h"

class QKeySequence;
class QLabel;

namespace rk::ui {

class BakWnd;
class WindowRegistry;

class MainFrame : public QMainWindow {
    Q_OBJECT
public:
    MainFrame(AppContext& ctx, Dialogs& dialogs, QWidget* parent = nullptr);

    QMdiArea* mdiArea() const { return mdi_; }
    BakWnd* background() const { return background_; }
    // Opens the function windows from the menus and keys.
    WindowRegistry* registry() const { return registry_; }
    AppContext& context() { return ctx_; }

    // Creates the background window (after the frame is shown, as at start).
    void createBackground();
    // The refresh command sent to every window after the settings change.
    void refreshAll();
    // Ends the program as the settings windows ask: the frame closes (once) and the event loop
    // ends, after which the settings record is written.
    void endProgram();
    // Ends the program after a restore replaced the files under it: nothing of this run (the
    // settings record, an automatic backup) is written at exit.
    void endProgramKeepingFiles();
    bool filesReplaced() const { return filesReplaced_; }
    // Keeps the frame's geometry in the settings record (written at exit).
    void rememberGeometry();

signals:
    void refreshRequested();

protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void moveEvent(QMoveEvent* e) override;

private:
    void buildMenus();
    void buildAccelerators();
    void runMenuCommand(int command);
    void passKeyOn(const QKeySequence& keys);
    void buildBars();
    void about();

    AppContext& ctx_;
    QMdiArea* mdi_;
    BakWnd* background_ = nullptr;
    WindowRegistry* registry_;
    bool ending_ = false;
    bool filesReplaced_ = false;
    bool passingKeyOn_ = false;
};

}  // namespace rk::ui
