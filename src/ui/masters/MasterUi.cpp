#include "ui/masters/MasterUi.h"

#include <QPushButton>

#include "app/command_table.h"
#include "masters/messages.h"
#include "ui/app/MainFrame.h"
#include "ui/app/WindowRegistry.h"

namespace rk::ui {

void drawCell(QPainter& p, const QRect& cell, const QString& text, Qt::Alignment align) {
    p.save();
    p.setClipRect(cell);
    p.drawText(cell.adjusted(2, 0, -2, 0), static_cast<int>(align | Qt::AlignVCenter), text);
    p.restore();
}

void openGuide(QWidget* from, AppContext& ctx, std::string_view topic) {
    auto* frame = qobject_cast<MainFrame*>(from->window());
    if (!frame || !frame->registry()) return;
    ctx.topic = std::string(topic);
    frame->registry()->open(cmd::kGuide);
}

QPushButton* masterButton(const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

bool requireAccountFile(QWidget* from, AppContext& ctx, Dialogs& dialogs) {
    if (ctx.files.exists(ctx.fileSet[kAccounts])) return true;
    dialogs.message(msg::kAccountFileMissing, Icon::Stop);
    if (auto* frame = qobject_cast<MainFrame*>(from->window()))
        QMetaObject::invokeMethod(frame, "close", Qt::QueuedConnection);
    return false;
}

}  // namespace rk::ui
