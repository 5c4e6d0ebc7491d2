// The list of the payment list window: one 22-pixel row per payment with its entry number,
// customer, name, slip count, date, fee and amount, the totals under the list. A click
// selects, a double click or Enter edits, a right click on the selected row or Delete deletes.
#pragma once

#include <QAbstractScrollArea>

#include "app/app_context.h"
#include "base/dialogs.h"
#include "payments/payment_list.h"

namespace rk::ui {

class NukinChkBView : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int kRowHeight = 22, kHeadHeight = 26;

    NukinChkBView(AppContext& ctx, Dialogs& dialogs, payments::PaymentList& list, QWidget* parent = nullptr);

    // Index of the selected entry, -1 when none.
    int selected() const { return selected_; }
    void select(int index);
    void refresh();
    QStringList rowTexts(int index) const;
    QString totalsText() const;
    // Deletes the selected entry (with the question); true when it was deleted.
    bool deleteSelected();

signals:
    void editRequested(int index);
    // F2 previews, F3 prints the receipt of the selected entry.
    void receiptRequested(int index, bool print);
    void deleted();
    // The list took the focus back: an open edit window closes.
    void focusedBack();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    int indexAt(int y) const;
    void updateBar();

    AppContext& ctx_;
    Dialogs& dialogs_;
    payments::PaymentList& list_;
    int selected_ = -1;
};

}  // namespace rk::ui
