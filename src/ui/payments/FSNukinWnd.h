// Slip-by-slip payment ("　売掛処理からの入金データ入力"; purchase edition "　買掛処理からの出金
// データ入力"), opened by F7 of receivable processing on its slip: the billed amount of the slip,
// the fee, the amount paid with their account pairs, the remainder and the payment date.
// F8 or F5 records the slip as processed and settles it.
#pragma once

#include <QWidget>
#include <array>

#include "app/app_context.h"
#include "base/dialogs.h"
#include "controls/keys.h"
#include "payments/slip_payment.h"
#include "receivables/receivable.h"
#include "slips/CFq7Doc.h"
#include "ui/app/CommandTarget.h"

class QPushButton;

namespace rk::ui {

class CDataEdit;
class CMojiList;

class FSNukinWnd : public QWidget, public CommandTarget {
    Q_OBJECT
public:
    static constexpr int kWidth = 790, kHeight = 340;
    enum Column { kValueColumn = 1, kDebitColumn = 2, kCreditColumn = 4 };

    // `doc` holds the slip with the processing values already in its header.
    FSNukinWnd(AppContext& ctx, Dialogs& dialogs, CFq7Doc& doc, const receivables::Processing& processing,
               QWidget* parent = nullptr);

    const payments::SlipPaymentValues& values() const { return v_; }
    // The forced payment of receivable processing (Ctrl+Alt+1).
    void setForced(bool forced) { v_.forced = forced; }
    int row() const { return row_; }
    int column() const { return column_; }
    CDataEdit* field() const { return field_; }
    CMojiList* accountList() const { return list_; }
    QPushButton* recordButton() const { return recordButton_; }
    QString rowValue(int row) const;
    QSize sizeHint() const override { return {kWidth, kHeight}; }

    // F8: records; true when the payment was written (the window then closes).
    bool record();
    bool onCommand(int command) override;

signals:
    // The slip was settled and the document cleared.
    void paid();

protected:
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    QRect cell(int row, int column) const;
    int32_t* account(int row, int column);
    void openField();
    void fieldDone(controls::Key key);
    void store(controls::Key key);
    void move(controls::Key key);
    void refreshNames();
    void openAccountList();

    AppContext& ctx_;
    Dialogs& dialogs_;
    CFq7Doc& doc_;
    receivables::Processing processing_;
    payments::SlipPaymentValues v_;
    bool sales_;
    int row_ = 4, column_ = kValueColumn;
    CDataEdit* field_ = nullptr;
    CMojiList* list_ = nullptr;
    std::array<QString, 4> names_;  // fee debit, fee credit, paid debit, paid credit
    QPushButton* recordButton_ = nullptr;
};

}  // namespace rk::ui
