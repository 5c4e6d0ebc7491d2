// Keyboard events of Qt as the keys the input controls know.
#pragma once

#include <QKeyEvent>

#include "controls/keys.h"

namespace rk::ui {

controls::Key toKey(const QKeyEvent* e);

// The function window a control belongs to: the window area's child it sits in, or its
// top-level window.
QWidget* functionWindow(QWidget* w);

}  // namespace rk::ui
