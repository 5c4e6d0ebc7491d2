// The data backup window ("　データバックアップ"): the mounted file systems with their free
// space and medium, one of them selected, and the two backup methods. Enter or
// "管理データ方式" copies the year's files to the selected medium with a management file;
// "圧縮ファイル方式" makes one checked LHA archive and copies it there.
#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "base/dialogs.h"
#include "platform/volumes.h"

class QLabel;
class QPushButton;

namespace rk::ui {

class DBackUpWnd : public QWidget {
    Q_OBJECT
public:
    // Asks for the file to write, starting from `initial`; empty when cancelled.
    using FileChooser = std::function<QString(const QString& initial)>;
    using GuideOpener = std::function<void(const std::string& topic)>;
    enum Method { kManagement, kArchive };

    DBackUpWnd(AppContext& ctx, Dialogs& dialogs, Volumes& volumes, GuideOpener guide = {}, QWidget* parent = nullptr);

    void setFileChooser(FileChooser chooser) { choose_ = std::move(chooser); }
    int selected() const { return selected_; }
    int highlighted() const { return highlighted_; }
    const std::vector<Volume>& drives() const { return drives_; }
    uint64_t freeKb(int row) const { return free_[static_cast<size_t>(row)]; }
    QPushButton* button(Method m) const { return m == kManagement ? management_ : archive_; }
    QSize sizeHint() const override { return {740, 530}; }

    // The two methods, as their buttons start them.
    void backUpManagementData();
    void backUpArchive();

protected:
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    void measure(int row);
    void select(int row);
    QString choose(const QString& initial);

    AppContext& ctx_;
    Dialogs& dialogs_;
    Volumes& volumes_;
    GuideOpener guide_;
    FileChooser choose_;
    std::vector<Volume> drives_;
    std::vector<uint64_t> free_;
    int selected_ = 0;
    int highlighted_ = kManagement;
    QPushButton* management_;
    QPushButton* archive_;
    QLabel* note_;
};

}  // namespace rk::ui
