// The table of print positions of the home-delivery form: 18 rows, destination X and Y and
// sender X and Y, one four-digit value edited at a time.
#pragma once

#include "printing/home_delivery_print.h"
#include "ui/settings/SettingsFieldView.h"

namespace rk::ui {

class TakuDenFrmBView : public SettingsFieldView {
    Q_OBJECT
public:
    static constexpr int kRowHeight = 22, kTop = 4;

    TakuDenFrmBView(AppContext& ctx, Dialogs& dialogs, printing::HomeDeliveryForm& form, QWidget* parent);

    // The field of (row, column); row 0 has only its first two columns.
    static int fieldOf(int row, int column);
    int row() const;
    int column() const;

protected:
    void fieldExited(int index, controls::Key key) override;
    void paintEvent(QPaintEvent* e) override;

private:
    printing::HomeDeliveryForm& form_;
};

}  // namespace rk::ui
