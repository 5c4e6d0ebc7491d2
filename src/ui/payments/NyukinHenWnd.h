// The payment edit ("　入金データ変更"; purchase edition "　出金データ変更"): the four account
// codes and the date of one recorded payment. The amounts are shown only; "売り日参照" lists
// the slips the payment settled.
#pragma once

#include <QWidget>

#include "app/app_context.h"
#include "base/dialogs.h"
#include "controls/keys.h"
#include "payments/payment_list.h"
#include "payments/payment_record.h"

class QListWidget;
class QPushButton;

namespace rk::ui {

class CDataEdit;

class NyukinHenWnd : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 920, kHeight = 230;
    enum Column { kDebit = 0, kCredit = 1 };

    // Opens on entry `index` of the list; check valid() before showing.
    NyukinHenWnd(AppContext& ctx, Dialogs& dialogs, payments::PaymentList& list, int index, QWidget* parent = nullptr);

    bool valid() const { return valid_; }
    const payments::Booking& booking() const { return booking_; }
    int row() const { return row_; }
    int column() const { return column_; }
    CDataEdit* field() const { return field_; }
    QListWidget* slipList() const { return slips_; }
    QSize sizeHint() const override { return {kWidth, kHeight}; }

    // "更　　新": writes the booking; true when saved.
    bool save();
    void showSlips();

signals:
    void saved();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    QRect cell(int row, int column) const;
    int32_t& value(int row, int column);
    void openField();
    void fieldDone(controls::Key key);

    AppContext& ctx_;
    Dialogs& dialogs_;
    payments::PaymentList& list_;
    int index_;
    bool valid_ = false;
    PaymentRecord record_{};
    payments::Booking booking_;
    int row_ = 1, column_ = kDebit;
    CDataEdit* field_ = nullptr;
    QListWidget* slips_ = nullptr;
};

}  // namespace rk::ui
