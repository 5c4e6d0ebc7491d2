// The home-delivery print view: print date, customer range and copies, the customers whose
// slips of the date carry consignments, and the buttons that print or preview one page per
// consignment at the form's positions.
#pragma once

#include "printing/home_delivery_print.h"
#include "ui/printing/PrintSelectionView.h"

class QListWidget;
class QPushButton;

namespace rk::ui {

class TakuDenView : public PrintSelectionView {
    Q_OBJECT
public:
    enum Field { kDate, kFrom, kTo, kCopies };
    enum Button { kHelp, kPrintAll, kPreview, kPrintChosen, kButtonCount };

    TakuDenView(AppContext& ctx, Dialogs& dialogs, QWidget* parent);

    const printing::HomeDeliveryRun& run() const { return run_; }
    const printing::HomeDeliveryForm& form() const { return form_; }
    QListWidget* list() const { return list_; }
    QPushButton* button(Button b) const { return buttons_[b]; }

    // Sets one selection value as typed and collects again.
    void setValue(Field f, int value);
    // The consignments of the customers chosen in the list.
    std::vector<bool> chosen() const;

    void printAll();
    void printChosen();
    void preview();

protected:
    void fieldExited(int index, controls::Key key) override;
    void paintEvent(QPaintEvent* e) override;

private:
    void rebuild();
    bool send(const std::vector<bool>& which, bool previewOnly);

    printing::HomeDeliveryForm form_;
    printing::HomeDeliverySelection selection_;
    int32_t date_ = 0, copies_ = 1;
    printing::HomeDeliveryRun run_;
    std::vector<int> listCustomers_;  // customer of each list row
    QListWidget* list_;
    QPushButton* buttons_[kButtonCount] = {};
};

}  // namespace rk::ui
