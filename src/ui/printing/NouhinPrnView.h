// The delivery note view: print date, customer range and copies, the slips of the date with
// their page count, and the buttons that print, preview or fax the notes.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "printing/delivery_notes.h"
#include "printing/print_form.h"
#include "ui/printing/PrintSelectionView.h"

class QCheckBox;
class QListWidget;
class QPushButton;

namespace rk::ui {

class NouhinPrnView : public PrintSelectionView {
    Q_OBJECT
public:
    enum Field { kDate, kFrom, kTo, kCopies };
    enum Button { kHelp, kPrintAll, kPreview, kPrintChosen, kFaxAll, kFaxChosen, kCooperativePreview, kButtonCount };

    NouhinPrnView(AppContext& ctx, Dialogs& dialogs, QWidget* parent);

    const printing::DeliverySelection& selection() const { return selection_; }
    const printing::DeliveryRun& run() const { return run_; }
    QListWidget* list() const { return list_; }
    QPushButton* button(Button b) const { return buttons_[b]; }
    QCheckBox* cooperative() const { return cooperative_; }

    // Sets one selection value as typed (the date normalised, copies clamped) and rebuilds.
    void setValue(Field f, int value);
    // The slips chosen in the list, one flag per slip of the run.
    std::vector<bool> chosen() const;
    // The document of the run for a printable area: all slips, or only the chosen ones.
    printing::Document plan(const printing::PageArea& area, bool chosenOnly, printing::DeliveryForm kind) const;

    void printAll();
    void printChosen();
    void preview(printing::DeliveryForm kind);
    void fax(bool chosenOnly);

protected:
    void fieldExited(int index, controls::Key key) override;
    void paintEvent(QPaintEvent* e) override;

private:
    void rebuild();
    printing::DeliveryForm form() const;
    // Sends the pages on; false (after the message) when nothing or too much would go.
    bool send(bool chosenOnly, printing::DeliveryForm kind, bool previewOnly);

    printing::PrintForm printForm_;
    std::optional<printing::FaxFonts> faxFonts_;
    printing::DeliverySelection selection_;
    printing::DeliveryRun run_;
    PackingTables packing_;  // the packing-count table as the window opened
    QListWidget* list_;
    QCheckBox* cooperative_;
    QPushButton* buttons_[kButtonCount] = {};
};

}  // namespace rk::ui
