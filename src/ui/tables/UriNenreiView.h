// The selection and list of the receivable aging window: the as-of date and the customer
// range; F11 (or Enter on the last field) lists every customer's open slips by age beside
// its previous balance and the ledger check; F12 prints the list, ﾌﾟﾚﾋﾞｭｰ previews it and
// ﾃｷｽﾄｱｳﾄ writes it as a Shift-JIS CSV file into the program folder.
#pragma once

#include "tables/aging.h"
#include "ui/printing/PrintSelectionView.h"

class QPushButton;
class QTableWidget;

namespace rk::ui {

class UriNenreiView : public PrintSelectionView {
    Q_OBJECT
public:
    enum Field { kAsOf = 0, kFirstCustomer, kLastCustomer };
    enum Button { kHelp, kCollect, kPrint, kPreview, kText, kButtonCount };

    UriNenreiView(AppContext& ctx, Dialogs& dialogs, QWidget* parent);

    void setValue(Field f, int value);
    // Runs the aging for the selection; false (after the message) when the files cannot be read.
    bool collect();
    bool print(bool previewOnly = false);
    // Asks, then writes the CSV file; true when written.
    bool writeText();

    const tables::Aging& aging() const { return aging_; }
    QTableWidget* table() const { return table_; }
    QPushButton* button(Button b) const { return buttons_[b]; }

protected:
    void fieldExited(int index, controls::Key key) override;
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void fillTable();

    int32_t asOf_ = 0, first_ = 1, last_ = 999;
    bool collected_ = false;
    tables::Aging aging_;
    QTableWidget* table_;
    QPushButton* buttons_[kButtonCount] = {};
};

}  // namespace rk::ui
