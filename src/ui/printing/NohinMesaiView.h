// The bill view: period, customer range, issue date and search name; F11 collects the bills,
// F12 prints them, with or without the delivery details of their slips.
#pragma once

#include <memory>
#include <vector>

#include "printing/bills.h"
#include "ui/printing/PrintSelectionView.h"

class QListWidget;
class QPushButton;

namespace rk::ui {

class NohinMesaiView : public PrintSelectionView {
    Q_OBJECT
public:
    enum Field { kFrom, kTo, kFirstCustomer, kLastCustomer, kIssueDate, kSearch };
    enum Button { kHelp, kCollect, kPrint, kPreview, kButtonCount };

    NohinMesaiView(AppContext& ctx, Dialogs& dialogs, bool details, QWidget* parent);

    bool details() const { return details_; }
    const printing::BillSelection& selection() const { return selection_; }
    const std::vector<printing::Bill>& bills() const { return bills_; }
    int pageCount() const { return pages_; }
    QPushButton* button(Button b) const { return buttons_[b]; }
    QListWidget* list() const { return list_; }

    // Sets a selection value as typed (dates normalised; the period end to a month's last day).
    void setValue(Field f, int value);
    void setSearch(const std::string& utf8);
    // F11: collects the bills of the selection.
    void collect();
    // The document of the collected bills (the print form read again from its file).
    printing::Document plan(const printing::PageArea& area) const;
    void print();
    void preview();

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    bool send(bool previewOnly);
    printing::BillOptions options() const;

    bool details_;
    printing::BillSelection selection_;
    char search_[21] = {};
    std::unique_ptr<printing::SlipSnapshot> files_;
    std::vector<printing::Bill> bills_;
    printing::PrintForm printForm_;
    int pages_ = 0;
    bool collecting_ = false;
    QListWidget* list_;
    QPushButton* buttons_[kButtonCount] = {};
};

}  // namespace rk::ui
