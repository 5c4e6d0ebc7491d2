// A fresh installation's master files and key typing for the master window tests.
#pragma once

#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/app_context.h"
#include "app/environment_block.h"
#include "app/file_set.h"
#include "base/cp932.h"
#include "ui/app/QtDialogs.h"

namespace rk::test {

struct MasterFiles {
    QTemporaryDir dir;
    std::unique_ptr<AppContext> ctx;

    MasterFiles() {
        fs::path folder = dir.path().toStdString();
        ctx = std::make_unique<AppContext>(Edition::Sales, folder);
        ctx->fileSet = buildFileSet(Edition::Sales, folder, folder, 2026, false);
        ctx->env = defaultEnvironment(Edition::Sales);
        FileSystem& fs = ctx->files;
        (void)fs.createZeroed(ctx->fileSet[kCustomers], 1001 * 480);
        (void)fs.createZeroed(ctx->fileSet[kProducts], 1001 * 192);
        (void)fs.createZeroed(ctx->fileSet[kGrades], 101 * 48);
        (void)fs.createZeroed(ctx->fileSet[kRemarks], 1000 * 100);
        (void)fs.replaceWhole(ctx->fileSet[kAccounts], defaultAccountFile());
        ui::QtDialogs::setHeadless(true);
        ui::QtDialogs::shownTexts().clear();
    }

    template <Record T>
    T read(MasterSlot slot, int n) {
        T r{};
        (void)ctx->files.readZeroFilled(ctx->fileSet[slot], static_cast<uint64_t>(n) * sizeof(T), bytesOf(r));
        return r;
    }
};

// Types text (Japanese included) into the widget that has the focus.
inline void typeText(const QString& text) {
    for (QChar c : text) {
        QWidget* w = QApplication::focusWidget();
        if (!w) return;
        QTest::sendKeyEvent(QTest::Press, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

inline void press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    if (QWidget* w = QApplication::focusWidget()) QTest::keyClick(w, key, mods);
}

// Shows a master window with the focus, as the registry would, with message boxes that take
// the queued answers (QtDialogs::queueAnswers).
template <class W>
std::unique_ptr<W> showWindow(AppContext& ctx) {
    static ui::QtDialogs dialogs;
    auto w = std::make_unique<W>(ctx, dialogs);
    w->resize(w->sizeHint());
    w->show();
    if (!QTest::qWaitForWindowActive(w.get())) return nullptr;
    w->setFocus();
    return w;
}

template <size_t N>
QString text(const char (&field)[N]) {
    return QString::fromStdString(cp932::toUtf8(field));
}

}  // namespace rk::test
