// The entry view of payment entry: the period, the customer with its name search and member
// list, the previous balance, the period amount, the billed total, the fee and the amount
// paid with their account pairs, the remainder and the payment date. Values are typed into
// the shared entry field cell by cell; F7 records.
#pragma once

#include <QWidget>
#include <vector>

#include "app/app_context.h"
#include "base/dialogs.h"
#include "controls/keys.h"
#include "payments/payment_entry.h"
#include "printing/page_plan.h"

class QListWidget;
class QPushButton;

namespace rk::ui {

class CDataEdit;
class CMojiList;

class NukininAView : public QWidget {
    Q_OBJECT
public:
    enum Cell { kStart, kEnd, kCustomer, kSearch, kFee, kPaid, kDate, kFeeDebit, kFeeCredit, kPaidDebit, kPaidCredit };
    static constexpr int kWidth = 990, kHeight = 330;

    NukininAView(AppContext& ctx, Dialogs& dialogs, payments::PaymentEntry& entry, QWidget* parent = nullptr);

    Cell cell() const { return cell_; }
    CDataEdit* field() const { return field_; }
    QListWidget* memberList() const { return members_; }
    CMojiList* searchList() const { return search_; }
    QPushButton* recordButton() const { return recordButton_; }
    QSize sizeHint() const override { return {kWidth, kHeight}; }

    // The text of amount row 1..7 as shown.
    QString amountText(int row) const;
    // A customer taken from the list view, as if typed.
    void takeCustomer(int n);
    // F7: records; true when the payment was written.
    bool record();
    void focusCell(Cell c);
    // The printed billing list ("一覧印刷", "ﾌﾟﾚﾋﾞｭｰ").
    printing::Document planList(const printing::PageArea& area) const;

signals:
    // The billing table changed (aggregated, or a payment recorded): the list redraws.
    void tableChanged();
    void recorded();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    QRect rect(Cell c) const;
    void openField();
    void closeField();
    void fieldDone(controls::Key key);
    bool store(controls::Key key);
    void move(controls::Key key);
    void openSearchList();
    void refreshMembers();
    QString accountName(int32_t code) const;

    AppContext& ctx_;
    Dialogs& dialogs_;
    payments::PaymentEntry& entry_;
    Cell cell_ = kStart;
    CDataEdit* field_ = nullptr;
    CMojiList* search_ = nullptr;
    std::vector<int> found_;
    char searchText_[21]{};
    QListWidget* members_ = nullptr;
    QPushButton* recordButton_ = nullptr;
};

}  // namespace rk::ui
