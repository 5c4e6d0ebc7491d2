// The group bill view: period, representative and issue date, the group's members, and the
// bill of the representative with its members' slips and balances.
#pragma once

#include <memory>
#include <vector>

#include "printing/bills.h"
#include "ui/printing/PrintSelectionView.h"

class QListWidget;
class QPushButton;

namespace rk::ui {

class GroupSeiView : public PrintSelectionView {
    Q_OBJECT
public:
    enum Field { kFrom, kTo, kRepresentative, kIssueDate };
    enum Button { kHelp, kCollect, kPrint, kPreview, kButtonCount };

    GroupSeiView(AppContext& ctx, Dialogs& dialogs, QWidget* parent);

    const printing::BillSelection& selection() const { return selection_; }
    int representative() const { return representative_; }
    // The collected bill (nullptr before a successful collection).
    const printing::GroupBill* bill() const { return bill_ ? &*bill_ : nullptr; }
    QListWidget* members() const { return members_; }
    QPushButton* button(Button b) const { return buttons_[b]; }

    void setValue(Field f, int value);
    // F11: collects the group's bill; false (after the message) for a customer that heads
    // no group or a period without slips.
    bool collect();
    printing::Document plan(const printing::PageArea& area) const;
    void print();
    void preview();

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    void showMembers();
    bool send(bool previewOnly);
    printing::BillOptions options() const { return {true, true, selection_.issueDate}; }

    printing::BillSelection selection_;
    int representative_ = 1;
    printing::PrintForm printForm_;  // read once: changes while the window is open do not apply
    std::unique_ptr<printing::SlipSnapshot> files_;
    std::optional<printing::GroupBill> bill_;
    QListWidget* members_;
    QPushButton* buttons_[kButtonCount] = {};
};

}  // namespace rk::ui
