#include "ui/controls/QtKeys.h"

#include <QMdiSubWindow>

namespace rk::ui {

using controls::Key;

controls::Key toKey(const QKeyEvent* e) {
    const int k = e->key();
    const bool pad = e->modifiers() & Qt::KeypadModifier;
    switch (k) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return Key::Tab;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return Key::Enter;
        case Qt::Key_Escape:
            return Key::Esc;
        case Qt::Key_PageUp:
            return Key::PageUp;
        case Qt::Key_PageDown:
            return Key::PageDown;
        case Qt::Key_End:
            return Key::End;
        case Qt::Key_Home:
            return Key::Home;
        case Qt::Key_Left:
            return Key::Left;
        case Qt::Key_Up:
            return Key::Up;
        case Qt::Key_Right:
            return Key::Right;
        case Qt::Key_Down:
            return Key::Down;
        case Qt::Key_Delete:
            return Key::Delete;
        case Qt::Key_Backspace:
            return Key::Backspace;
        default:
            break;
    }
    if (pad) {
        if (k >= Qt::Key_0 && k <= Qt::Key_9) return controls::padDigit(k - Qt::Key_0);
        switch (k) {
            case Qt::Key_Asterisk:
                return Key::PadTimes;
            case Qt::Key_Plus:
                return Key::PadPlus;
            case Qt::Key_Minus:
                return Key::PadMinus;
            case Qt::Key_Slash:
                return Key::PadSlash;
            case Qt::Key_Period:
            case Qt::Key_Comma:
                return Key::PadPoint;
            case Qt::Key_Equal:
                return Key::Extra146;  // the pad's extra key
            default:
                break;
        }
    }
    if (k >= Qt::Key_F1 && k <= Qt::Key_F15) return controls::fKey(k - Qt::Key_F1 + 1);
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return controls::letter(static_cast<char>('A' + (k - Qt::Key_A)));
    return Key::None;
}

QWidget* functionWindow(QWidget* w) {
    for (QWidget* p = w; p; p = p->parentWidget()) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(p)) return sub->widget() ? sub->widget() : sub;
    }
    return w ? w->window() : nullptr;
}

}  // namespace rk::ui
