#include "ui/controls/CCodeCombo.h"

#include <QFocusEvent>

namespace rk::ui {

CCodeCombo::CCodeCombo(int id, controls::ListResult& result, QWidget* view)
    : QComboBox(view), id_(id), result_(result) {
    setObjectName("CCodeCombo");
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

void CCodeCombo::report() {
    result_.id = id_;
    result_.value = currentIndex();
    emit listCommand();
}

void CCodeCombo::showPopup() {
    report();
    QComboBox::showPopup();
}

void CCodeCombo::focusOutEvent(QFocusEvent* e) {
    QComboBox::focusOutEvent(e);
    // The combo's own popup taking the focus is not leaving the control.
    if (e->reason() != Qt::PopupFocusReason) report();
}

}  // namespace rk::ui
