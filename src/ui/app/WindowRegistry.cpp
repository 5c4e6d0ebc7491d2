#include "ui/app/WindowRegistry.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>

#include "app/guide.h"
#include "app/menu_table.h"
#include "ui/app/CommandTarget.h"
#include "ui/controls/CDataEdit.h"

namespace rk::ui {

WindowRegistry::WindowRegistry(AppContext& ctx, Dialogs& dialogs, QMdiArea* area, QObject* parent)
    : QObject(parent), ctx_(ctx), dialogs_(dialogs), area_(area) {}

void WindowRegistry::registerFactory(int command, Factory factory) { factories_[command] = std::move(factory); }

void WindowRegistry::registerAction(int command, std::function<void()> action) {
    actions_[command] = std::move(action);
}

bool WindowRegistry::isAvailable(int command) const {
    if (!factories_.count(command) || !findCommand(command)) return false;
    // Edition-only windows: the invoice print belongs to the purchase edition, the list-table
    // entry to the sales edition.
    if (command == 359) return ctx_.edition == Edition::Purchase;
    if (command == 361) return ctx_.edition == Edition::Sales;
    return true;
}

bool WindowRegistry::isEnabled(int command) const {
    if (command == cmd::kGuideContents || command == cmd::kGuideUsage) return isAvailable(cmd::kGuide);
    if (actions_.count(command)) return true;
    return isAvailable(command);
}

QWidget* WindowRegistry::windowWithFlag(int flag) const {
    for (const auto& [window, f] : flags_)
        if (f == flag) return window;
    return nullptr;
}

QWidget* WindowRegistry::open(int command) {
    const CommandEntry* entry = findCommand(command);
    if (!entry || !isAvailable(command)) return nullptr;
    const CommandOutcome outcome = runCommand(ctx_, *entry);
    switch (outcome.kind) {
        case CommandOutcome::Kind::Nothing:
            return nullptr;
        case CommandOutcome::Kind::Refused:
            if (outcome.beep) dialogs_.beep();
            dialogs_.message(outcome.message);
            return nullptr;
        case CommandOutcome::Kind::Raise:
            dialogs_.beep();
            broadcast(cmd::kSlipEntryRaise);
            if (QWidget* w = windowWithFlag(entry->flag)) {
                if (auto* sub = qobject_cast<QMdiSubWindow*>(w)) {
                    area_->setActiveSubWindow(sub);
                } else {
                    w->activateWindow();
                }
            }
            return nullptr;
        case CommandOutcome::Kind::Open:
            break;
    }
    QWidget* widget = factories_.at(command)(command);
    if (!widget) {
        windowClosed(ctx_, *entry);
        return nullptr;
    }
    QWidget* window = place(*entry, widget);
    emit opened(command, window);
    return window;
}

QWidget* WindowRegistry::place(const CommandEntry& entry, QWidget* widget) {
    QWidget* window = nullptr;
    // The size the window gave itself; a frame around a layout without size hints would
    // otherwise shrink it to a title bar.
    const QSize intended = widget->testAttribute(Qt::WA_Resized) ? widget->size() : QSize();
    if (QWidget* modal = QApplication::activeModalWidget()) {
        // A modal dialog holds the input (the start-up dialogs): the window opens above it.
        widget->setParent(modal, Qt::Window);
        widget->setAttribute(Qt::WA_DeleteOnClose);
        window = widget;
    } else {
        auto* sub = area_->addSubWindow(widget);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        window = sub;
    }
    if (entry.rect) {
        // Windows the frame creates itself: fixed title and rectangle.
        window->setWindowTitle(QString::fromUtf8(entry.title.data(), static_cast<qsizetype>(entry.title.size())));
        const Rect& r = *entry.rect;
        window->setGeometry(r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
    if (entry.flag != kNoFlag) {
        flags_[window] = entry.flag;
        const CommandEntry* s = &entry;
        connect(window, &QObject::destroyed, this, [this, window, s] {
            flags_.erase(window);
            windowClosed(ctx_, *s);
        });
    }
    window->show();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(window); sub && !entry.rect) {
        const QSize missing = (intended - widget->size()).expandedTo(QSize(0, 0));
        if (!missing.isNull()) sub->resize(sub->size() + missing);
    }
    if (auto* sub = qobject_cast<QMdiSubWindow*>(window)) {
        area_->setActiveSubWindow(sub);
    } else {
        window->activateWindow();
    }
    focusEntryField(widget);
    // The window frame hands its focus to the last focused child when it activates, which may
    // be a view rather than its field: the field takes it back once that has happened.
    QPointer<QWidget> opened(widget);
    QTimer::singleShot(0, this, [opened] {
        if (opened && opened->isVisible() && opened->isAncestorOf(QApplication::focusWidget()) &&
            !qobject_cast<CDataEdit*>(QApplication::focusWidget()))
            focusEntryField(opened);
    });
    return window;
}

void WindowRegistry::focusEntryField(QWidget* widget) {
    // Typing goes to the window's entry field at once, as in slip entry: the field the window
    // focused last, else its first visible entry field; a window without one keeps its focus.
    QWidget* target = widget->focusWidget();
    if (!qobject_cast<CDataEdit*>(target) || !target->isVisible()) {
        target = nullptr;
        for (CDataEdit* e : widget->findChildren<CDataEdit*>()) {
            if (e->isVisible() && e->isEnabled()) {
                target = e;
                break;
            }
        }
    }
    if (!target) target = widget->focusWidget() ? widget->focusWidget() : widget;
    target->setFocus(Qt::OtherFocusReason);
}

bool WindowRegistry::dispatch(int command) {
    switch (command) {
        case cmd::kGuideContents:  // the whole guide
            ctx_.topic.clear();
            return open(cmd::kGuide) != nullptr;
        case cmd::kGuideUsage:
            ctx_.topic = std::string(kGuideUsageTopic);
            return open(cmd::kGuide) != nullptr;
        default:
            break;
    }
    if (findCommand(command)) return open(command) != nullptr;
    if (auto action = actions_.find(command); action != actions_.end()) {
        action->second();
        return true;
    }
    if (QMdiSubWindow* active = area_->activeSubWindow()) {
        if (auto* target = dynamic_cast<CommandTarget*>(active->widget()); target && target->onCommand(command))
            return true;
    }
    // Help with no window to answer it: the guide on the last topic asked for.
    if (command == cmd::kHelp) return open(cmd::kGuideIndex) != nullptr;
    return false;
}

void WindowRegistry::broadcast(int command) {
    for (QMdiSubWindow* w : area_->subWindowList()) {
        if (auto* target = dynamic_cast<CommandTarget*>(w->widget())) target->onCommand(command);
    }
}

}  // namespace rk::ui
