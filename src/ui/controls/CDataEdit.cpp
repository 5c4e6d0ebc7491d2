#include "ui/controls/CDataEdit.h"

#include <QApplication>
#include <QKeyEvent>

#include "app/command_table.h"
#include "base/cp932.h"
#include "controls/messages.h"
#include "ui/controls/QtKeys.h"

namespace rk::ui {

using controls::EntryMode;
using controls::Key;

CDataEdit* CDataEdit::create(QWidget* view, const controls::EntryConfig& config, const QRect& display,
                             Dialogs& dialogs) {
    auto field = controls::EntryField::create(config);
    if (!field) {
        dialogs.message(msg::kEntryBadMode);
        return nullptr;
    }
    auto* edit = new CDataEdit(view, std::move(*field), display);
    edit->show();
    edit->setFocus(Qt::OtherFocusReason);
    return edit;
}

CDataEdit::CDataEdit(QWidget* view, controls::EntryField field, const QRect& display)
    : QLineEdit(view), field_(std::move(field)) {
    setObjectName("CDataEdit");
    setFrame(false);
    setAttribute(Qt::WA_InputMethodEnabled, field_.inputMethodOpen());
    if (field_.mode() == EntryMode::Text) {
        setGeometry(display);
    } else {
        // The label shows the value; the edit is a 3-pixel strip holding the focus.
        label_ = new QLabel(view);
        label_->setObjectName("CDataEditLabel");
        label_->setGeometry(display);
        label_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label_->setAutoFillBackground(true);
        QPalette p = label_->palette();
        p.setColor(QPalette::Window, QColor(0xFF, 0xFF, 0xE0));
        label_->setPalette(p);
        label_->setFrameStyle(QFrame::Box | QFrame::Plain);
        label_->show();
        setGeometry(display.right() + 1, display.top(), 3, display.height());
        connect(this, &QObject::destroyed, label_, &QObject::deleteLater);
    }
    refresh();
    connect(this, &QLineEdit::textEdited, this, [this](const QString& t) {
        // A text field takes no more Shift-JIS bytes than its length.
        if (cp932::byteLength(t.toStdString()) > static_cast<size_t>(field_.length())) {
            const int pos = cursorPosition();
            setText(lastGood_);
            setCursorPosition(std::min(pos - 1, static_cast<int>(lastGood_.size())));
            QApplication::beep();
            return;
        }
        lastGood_ = t;
    });
}

QString CDataEdit::shownText() const { return label_ ? label_->text() : text(); }

void CDataEdit::refresh() {
    const QString shown = QString::fromStdString(field_.display());
    if (label_) {
        label_->setText(shown);
    } else {
        setText(shown);
        lastGood_ = shown;
    }
}

void CDataEdit::apply(const controls::EntryStep& step) {
    if (step.beep) QApplication::beep();
    if (label_ || step.textReset || step.ended) refresh();
    if (step.ended) {
        const Key k = field_.exitKey();
        if (parentWidget()) parentWidget()->setFocus(Qt::OtherFocusReason);
        emit finished(k);
    }
}

bool CDataEdit::event(QEvent* e) {
    // Tab ends the input like any exit key instead of moving the focus.
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) {
            keyPressEvent(k);
            return true;
        }
    }
    return QLineEdit::event(e);
}

void CDataEdit::keyPressEvent(QKeyEvent* e) {
    const Key k = toKey(e);
    if (field_.mode() == EntryMode::Text) {
        // The edit control edits; exit keys other than the caret keys never reach it.
        if (k == Key::Left || k == Key::Right || !controls::isExitKey(k)) {
            if (k != Key::Home) QLineEdit::keyPressEvent(e);
        }
        field_.editedText(text().toStdString(), cursorPosition());
        apply(field_.key(k));
        return;
    }
    e->accept();
    pressKey(k);
    if (field_.exitKey() == Key::None && !e->text().isEmpty() && e->text().at(0).isPrint()) typeCharacter(e->text());
}

void CDataEdit::pressKey(Key k) {
    if (k == Key::None) return;
    if (field_.mode() == EntryMode::Text) field_.editedText(text().toStdString(), cursorPosition());
    apply(field_.key(k));
}

void CDataEdit::typeCharacter(const QString& ch) {
    if (field_.mode() == EntryMode::Text) {
        insert(ch);
        field_.editedText(text().toStdString(), cursorPosition());
        return;
    }
    // One character at a time, as typed.
    for (int i = 0; i < ch.size() && field_.exitKey() == Key::None; ++i) {
        int n = ch.at(i).isHighSurrogate() && i + 1 < ch.size() ? 2 : 1;
        apply(field_.character(ch.mid(i, n).toStdString()));
        i += n - 1;
    }
}

void CDataEdit::focusInEvent(QFocusEvent* e) {
    QLineEdit::focusInEvent(e);
    // Each time the field takes the focus the first typed character replaces the value.
    field_.focusIn(0);
    refresh();
    if (field_.mode() == EntryMode::Text) field_.focusIn(cursorPosition());
}

void CDataEdit::focusOutEvent(QFocusEvent* e) {
    if (field_.mode() == EntryMode::Text) field_.editedText(text().toStdString(), cursorPosition());
    field_.focusOut();
    QLineEdit::focusOutEvent(e);
}

void CDataEdit::injectCharacter(QWidget* window, const QString& ch) {
    if (!window) return;
    for (CDataEdit* e : window->findChildren<CDataEdit*>()) e->typeCharacter(ch);
}

void CDataEdit::injectKey(QWidget* window, Key k) {
    if (!window) return;
    for (CDataEdit* e : window->findChildren<CDataEdit*>()) e->pressKey(k);
}

bool CDataEdit::clipboardCommand(CDataEdit* edit, int command) {
    if (!edit) return false;
    if (command == cmd::kCopy)
        edit->copy();
    else if (command == cmd::kCut)
        edit->cut();
    else if (command == cmd::kPaste)
        edit->paste();
    else
        return false;
    return true;
}

}  // namespace rk::ui
