// The grid of the account items: one row per code 100..599 coloured by category, with the
// name and, for assets, liabilities and capital, the opening balance in its side's column.
#pragma once

#include <vector>

#include "masters/account_items.h"
#include "ui/masters/MasterGrid.h"

namespace rk::ui {

class KamokuMasBView : public MasterGrid {
    Q_OBJECT
public:
    static constexpr int kCodeWidth = 50, kNameX = 56, kDebitX = 220, kCreditX = 340, kMoneyWidth = 112;

    KamokuMasBView(AppContext& ctx, Dialogs& dialogs, QWidget* parent = nullptr);

    const AccountItemRecord& record() const { return rec_; }
    const masters::AccountTotals& totals() const { return totals_; }
    // Scrolls to the first code of a category 0..4 and opens its name.
    void showCategory(int category);
    // "参照": the standard names of the current row's category.
    void openReference();
    // Alt+D and the double click: the mark of `code` in the file.
    void toggleMark(int code);
    static QColor categoryColour(int category);

signals:
    void totalsChanged();

protected:
    void loadRow(int row) override;
    void prepareRows(int first, int last) override;
    void paintRow(QPainter& p, int row, const QRect& r) override;
    void openCell(int row, int column) override;
    void cellClosed(controls::Key key) override;
    void rowClicked(int row, int x, Qt::MouseButton button) override;
    void rowDoubleClicked(int row, int x) override;
    bool editorKey(QKeyEvent* e) override;

private:
    void referenceChosen(const controls::ListResult& result);
    void refreshTotals();

    AccountItemRecord rec_{};
    AccountItemRecord read_{};  // as last read from the file
    std::vector<AccountItemRecord> shown_;
    int shownFirst_ = 0;
    masters::AccountTotals totals_;
    masters::DuplicateNameCheck duplicates_;
    bool toTop_ = false;
};

}  // namespace rk::ui
