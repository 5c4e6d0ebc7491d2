// The entry field every input screen types into. The owning view configures it, creates it
// over a display rectangle and gives it the focus; when a key that ends the input arrives the
// field stores the value, hands the focus back to the view and emits finished() with that key.
// In modes 1 to 4 the value shows in a right-aligned label over the rectangle and the edit
// control itself is a narrow strip beside it; in mode 0 the edit control shows the text.
#pragma once

#include <QLabel>
#include <QLineEdit>

#include "base/dialogs.h"
#include "controls/entry_field.h"

namespace rk::ui {

class CDataEdit : public QLineEdit {
    Q_OBJECT
public:
    // Creates the field as a visible child of `view` with the focus; nullptr (after the mode
    // error message) for a mode outside 0 to 4.
    static CDataEdit* create(QWidget* view, const controls::EntryConfig& config, const QRect& display,
                             Dialogs& dialogs);

    const controls::EntryField& field() const { return field_; }
    int32_t value() const { return field_.value(); }
    double number() const { return field_.number(); }
    controls::Key exitKey() const { return field_.exitKey(); }
    QLabel* label() const { return label_; }
    // The text the field shows (label or edit control).
    QString shownText() const;

    // Copy, cut or paste on the field being edited (the frame's edit commands); false when
    // no field is being edited.
    static bool clipboardCommand(CDataEdit* edit, int command);

    // Typing injected by a parent or a pick list into every entry field of a window.
    static void injectCharacter(QWidget* window, const QString& ch);
    static void injectKey(QWidget* window, controls::Key k);

signals:
    void finished(rk::controls::Key exitKey);

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    CDataEdit(QWidget* view, controls::EntryField field, const QRect& display);
    void typeCharacter(const QString& ch);
    void pressKey(controls::Key k);
    void apply(const controls::EntryStep& step);
    void refresh();

    controls::EntryField field_;
    QLabel* label_ = nullptr;
    QString lastGood_;  // mode 0: the last text that fitted the length
};

}  // namespace rk::ui
