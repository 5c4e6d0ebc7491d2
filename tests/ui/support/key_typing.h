// Typing into whatever has the keyboard focus, as the operator does, and one goods line of the
// slip entry grid typed from its first field.
#pragma once

#include <QApplication>
#include <QTest>

namespace rk::test {

inline QWidget* focus() { return QApplication::focusWidget(); }
inline void type(const QString& text) {
    for (QChar c : text) QTest::keyClick(focus(), c.toLatin1());
}
inline void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(focus(), k, m); }

// Sales method 1, the product, grade 3, no grade 2, quantity and price; the keypad "/" then
// goes on to the next line.
inline void typeLine(int product, int quantity, int price) {
    type("1");  // a one-digit field moves on by itself
    type(QString::number(product));
    key(Qt::Key_Return);
    type("3");
    key(Qt::Key_Return);
    type("0");
    key(Qt::Key_Return);
    type(QString::number(quantity));
    key(Qt::Key_Return);
    type(QString::number(price));
    key(Qt::Key_Return);
    key(Qt::Key_Slash, Qt::KeypadModifier);
}

}  // namespace rk::test
