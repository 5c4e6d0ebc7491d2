// The grid of the product master: one row per product 1..999; every editor close writes the
// row's record and the next row is read again from the file.
#pragma once

#include <vector>

#include "masters/master_records.h"
#include "ui/masters/MasterGrid.h"

class QComboBox;

namespace rk::ui {

class HinMasBView : public MasterGrid {
    Q_OBJECT
public:
    // Left edges and widths of the columns 0 (number) .. 9.
    static constexpr int kColumnX[10] = {0, 44, 178, 218, 372, 526, 574, 634, 674, 782};
    static constexpr int kColumnW[10] = {40, 130, 36, 150, 150, 44, 56, 36, 104, 44};

    HinMasBView(AppContext& ctx, Dialogs& dialogs, QWidget* parent = nullptr);

    const ProductRecord& record() const { return rec_; }
    // "上行科目ｺﾋﾟｰ".
    void copyFromAbove();
    // The name search: fills the match list and asks for the match list window.
    void search(const QString& text);
    // The products the last name search found.
    const std::vector<int>& matches() const { return matches_; }
    // A product chosen in the match list: its row opens on the name.
    void productChosen(int product, controls::Key key);
    // The account drop-down under the debit (column 3) or credit (4) cell of `row`.
    void openAccountSearch(int row, int column);
    QComboBox* accountSearch() const { return accounts_; }
    // The running edition's debit and credit codes of a record.
    int32_t& debit(ProductRecord& r) const;
    int32_t& credit(ProductRecord& r) const;

signals:
    void matchListWanted();

protected:
    void loadRow(int row) override;
    void prepareRows(int first, int last) override;
    void paintRow(QPainter& p, int row, const QRect& r) override;
    void openCell(int row, int column) override;
    void cellClosed(controls::Key key) override;
    void rowClicked(int row, int x, Qt::MouseButton button) override;
    bool editorKey(QKeyEvent* e) override;
    void firstFocus() override;
    void wheelEvent(QWheelEvent* e) override;

private:
    std::vector<int> matches_;
    QRect cell(int row, int column) const;
    void store();
    void openList(int row, int column);
    void fillAccounts(const QString& text);
    void accountChosen(int index);

    ProductRecord rec_{};
    ProductRecord read_{};  // as last read from the file
    std::vector<ProductRecord> shown_;
    std::vector<AccountItemRecord> accountNames_;
    int shownFirst_ = 0;
    QComboBox* accounts_ = nullptr;
    int accountsRow_ = 0, accountsColumn_ = 0;
};

}  // namespace rk::ui
