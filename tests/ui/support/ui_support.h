// Helpers for window tests: a temporary program folder, clicking into modal dialogs and
// keeping screenshots for people to look at.
#pragma once

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace rk::test {

// Runs `action` on the next modal dialog that opens (checked every 20 ms, for 5 seconds).
inline void onNextModal(std::function<void(QWidget*)> action) {
    auto* timer = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, tries, action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal || ++*tries > 250) {
            timer->stop();
            timer->deleteLater();
            if (modal) action(modal);
        }
    });
    timer->start(20);
}

// Clicks the button with `caption` in the next modal dialog.
inline void clickInNextModal(const QString& caption) {
    onNextModal([caption](QWidget* w) {
        for (QPushButton* b : w->findChildren<QPushButton*>())
            if (b->text() == caption) {
                b->click();
                return;
            }
    });
}

// Saves a picture of `w` as screens/<name>.png in the working folder (build/tests under ctest).
inline QString saveScreenshot(QWidget* w, const QString& name) {
    QDir dir(QDir::current());
    dir.mkpath("screens");
    const QString path = dir.filePath("screens/" + name + ".png");
    w->grab().save(path);
    return path;
}

}  // namespace rk::test
