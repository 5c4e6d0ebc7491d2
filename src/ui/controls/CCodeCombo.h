// A combo box variant of the pick list: when it loses the focus or drops down it stores its
// id in the list result and tells the owning view (listCommand()), which reads the choice.
#pragma once

#include <QComboBox>

#include "controls/list_result.h"

namespace rk::ui {

class CCodeCombo : public QComboBox {
    Q_OBJECT
public:
    CCodeCombo(int id, controls::ListResult& result, QWidget* view);
    int id() const { return id_; }
    void showPopup() override;

signals:
    void listCommand();

protected:
    void focusOutEvent(QFocusEvent* e) override;

private:
    void report();

    int id_;
    controls::ListResult& result_;
};

}  // namespace rk::ui
