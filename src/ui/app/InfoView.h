// The view of the operation guide: the lines of one section of the guide text, 24 pixels
// apart. Up/Page Up and Down/Page Down scroll by one line, Esc closes the window, and the
// window closes as soon as the view loses the focus so the operator is back at the field
// that asked.
#pragma once

#include <QAbstractScrollArea>
#include <QStringList>

#include "app/app_context.h"

namespace rk::ui {

class InfoView : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int kLineHeight = 24;
    static constexpr int kWidth = 800;

    InfoView(AppContext& ctx, QWidget* parent = nullptr);

    const QStringList& lines() const { return lines_; }
    // Height of the scrolled area: the section's lines plus four.
    int scrollHeight() const { return (static_cast<int>(lines_.size()) + 4) * kLineHeight; }

signals:
    void closeRequested();

protected:
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void load(AppContext& ctx);
    void updateScrollBars();

    QStringList lines_;
};

// Folders the program's read-only resources are installed in, after the program folder.
std::vector<std::filesystem::path> resourceFolders();

}  // namespace rk::ui
