// The restore window ("　バックアップデータの復帰"): the automatic backups that exist, a
// warning, and the two other restores ("管理ﾃﾞｰﾀ指定", "圧縮ﾌｧｲﾙ指定"). A click on an
// automatic backup restores it. Every restore that replaced files ends the program.
#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "base/dialogs.h"
#include "maintenance/restore.h"
#include "platform/volumes.h"

class QLabel;
class QPushButton;

namespace rk::ui {

class DReBackWnd : public QWidget {
    Q_OBJECT
public:
    // Asks for an existing file, starting from `initial`; empty when cancelled.
    using FileChooser = std::function<QString(const QString& initial)>;
    using GuideOpener = std::function<void(const std::string& topic)>;
    enum Button { kHelp, kManagement, kArchive, kButtonCount };

    DReBackWnd(AppContext& ctx, Dialogs& dialogs, Volumes& volumes, GuideOpener guide = {}, QWidget* parent = nullptr);

    void setFileChooser(FileChooser chooser) { choose_ = std::move(chooser); }
    // Called after a restore replaced files: the program must end without writing anything.
    void setProgramEnder(std::function<void()> end) { endProgram_ = std::move(end); }
    QPushButton* button(Button b) const { return buttons_[b]; }
    // The rows shown: indexes into the automatic backups (current archive, BakA …).
    const std::vector<int>& rows() const { return rows_; }
    int selected() const { return selected_; }
    // The top-left point of a row's text.
    static QPoint rowPoint(int row) { return {280, 65 + 25 * row}; }
    QSize sizeHint() const override { return {560, 610}; }

    void restoreRow(int row);
    void restoreManagement();
    void restoreArchive();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    void finished(maintenance::RestoreEnd end);
    QString choose(const QString& initial);

    AppContext& ctx_;
    Dialogs& dialogs_;
    Volumes& volumes_;
    GuideOpener guide_;
    FileChooser choose_;
    std::function<void()> endProgram_;
    std::vector<maintenance::AutoBackup> backups_;
    std::vector<int> rows_;
    int selected_ = 0;
    QPushButton* buttons_[kButtonCount] = {};
    QLabel* note_;
};

}  // namespace rk::ui
