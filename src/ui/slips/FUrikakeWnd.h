// The receivable processing window ("　売り掛け処理"; purchase edition "　買い掛け処理") and,
// read-only, the receivable reference ("　売り掛け参照"). Rows: slip amount, tax, tax-included,
// commission rate, commission, five deductions and the receivable amount; the tax, commission
// and deduction rows carry a debit and a credit account item. Values are edited in the value
// column and the two account columns with the shared entry field.
//
// Processing works on the open slip of a slip document (the slip entry window's own, or one
// the window loads for itself) and keeps the changed values in its header; F5 records the
// slip at stage 2 and closes the window, leaving the document cleared for the next slip.
#pragma once

#include <QPointer>
#include <QWidget>
#include <array>
#include <memory>

#include "app/app_context.h"
#include "base/dialogs.h"
#include "controls/keys.h"
#include "receivables/receivable.h"
#include "slips/CFq7Doc.h"
#include "ui/app/CommandTarget.h"
#include "ui/payments/FSNukinWnd.h"

class QPushButton;

namespace rk::ui {

class CDataEdit;
class CMojiList;

class FUrikakeWnd : public QWidget, public CommandTarget {
    Q_OBJECT
public:
    static constexpr int kWidth = 790, kHeight = 520;
    enum Column { kValueColumn = 1, kDebitColumn = 2, kCreditColumn = 4 };

    // F6 of the slip entry window: runs the opening checks on the open slip of `doc` (the slip
    // amount in its header, as the totals keep it) and opens processing over that document.
    // nullptr when a check refused (its message has been shown).
    static FUrikakeWnd* process(AppContext& ctx, Dialogs& dialogs, CFq7Doc& doc, int inputMode,
                                QWidget* parent = nullptr);
    // "売掛参照" of the slip entry window: the stored values of a processed or settled slip.
    static FUrikakeWnd* reference(AppContext& ctx, Dialogs& dialogs, const CFq7Doc& doc, QWidget* parent = nullptr);
    // Processing of recorded slip `slipNumber` in a document of the window's own, which locks
    // the slip for this station until it is recorded or the window closes.
    static FUrikakeWnd* processRecord(AppContext& ctx, Dialogs& dialogs, int slipNumber, int inputMode = 2,
                                      QWidget* parent = nullptr);

    ~FUrikakeWnd() override;

    bool isReference() const { return reference_; }
    const receivables::Processing& values() const { return values_; }
    int row() const { return row_; }
    int column() const { return column_; }
    CDataEdit* field() const { return field_; }
    CMojiList* accountList() const { return list_; }
    QPushButton* recordButton() const { return recordButton_; }
    QPushButton* paymentButton() const { return paymentButton_; }
    QSize sizeHint() const override { return {kWidth, kHeight}; }

    // The label, value and account texts of a row as shown (UTF-8 in Qt form).
    QString rowLabel(int row) const;
    QString rowValue(int row) const;

    // F5: records the slip; true when written (the window then closes).
    bool recordSlip();
    // F7: the slip-by-slip payment window over this slip (nullptr when refused). `forced`
    // (Ctrl+Alt+1) skips the refusals, after a warning on a settled slip.
    FSNukinWnd* openPayment(bool forced = false);
    FSNukinWnd* paymentWindow() const { return payment_; }
    bool onCommand(int command) override;

signals:
    // The slip was written and the document cleared: slip entry goes back to its header.
    void recorded();

protected:
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    FUrikakeWnd(AppContext& ctx, Dialogs& dialogs, CFq7Doc* doc, std::unique_ptr<CFq7Doc> own, bool reference,
                QWidget* parent);
    void start();
    void buildButtons();
    QRect cell(int row, int column) const;
    void openField();
    void openAccountList();
    void fieldDone(controls::Key key);
    void store(int row, int column, double value, controls::Key key);
    void move(controls::Key key);
    bool special(const QKeyEvent* e);
    void followAmount();
    void refreshNames();
    void changed();
    void closeWindow();

    AppContext& ctx_;
    Dialogs& dialogs_;
    CFq7Doc* doc_;
    std::unique_ptr<CFq7Doc> own_;
    std::unique_ptr<SlipLocks> ownLocks_;  // the slip lock of a slip the window loaded itself
    bool reference_;
    receivables::Processing values_;
    int32_t method_ = receivables::kTruncate;
    int taxPercent_ = 0;
    bool amountNote_ = false;
    bool settledLock_ = false;  // a settled slip's values stay put until the lock is lifted
    int row_ = 4, column_ = kValueColumn;
    CDataEdit* field_ = nullptr;
    CMojiList* list_ = nullptr;
    std::array<QString, 14> names_;  // account names by pair slot (debit, credit) of rows 2, 5..10
    QPushButton* recordButton_ = nullptr;
    QPushButton* paymentButton_ = nullptr;
    QPushButton* helpButton_ = nullptr;
    QPointer<FSNukinWnd> payment_;
};

}  // namespace rk::ui
