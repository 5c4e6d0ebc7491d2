// Delivery notes: one note per slip of a date for a range of customers, in one to four
// copies, on the standard form or the cooperative consignment form. The run (which slips,
// which lines on which page) is settled first; planning then lays the pages out for the
// printable area of the chosen printer.
#pragma once

#include <string>
#include <vector>

#include "app/app_context.h"
#include "printing/page_plan.h"
#include "printing/slip_snapshot.h"
#include "slips/packing_tables.h"

namespace rk::printing {

struct DeliverySelection {
    int32_t date = 0;
    int from = 1;
    int to = 999;
    int copies = 1;  // clamped to 1..4
};

// One page of one slip: lines [first, end) of the slip's printed lines.
struct DeliveryPage {
    int slip = 0;  // index into DeliveryRun::slips
    size_t first = 0;
    size_t end = 0;
    int number = 1;     // page of the slip, from 1
    bool last = false;  // the slip's last page carries the totals
};

struct DeliveryRun {
    DeliverySelection selection;
    std::vector<PrintedSlip> slips;         // in list order
    std::vector<CustomerRecord> customers;  // the customer of each slip
    std::vector<DeliveryPage> pages;        // the pages of one copy
    int invalid = 0;                        // line slots that pointed at no line

    int copies() const { return selection.copies; }
    int pageCount() const { return static_cast<int>(pages.size()) * copies(); }
    // The invalid-line message, empty when every line was found.
    std::string invalidMessage() const;
};

struct DeliveryLayout {
    int linesPerPage = 10;  // slot 0 of the print form
    bool doubleSpacing = false;
    bool merge = false;  // member stations above 9 merge equal lines
};

// The layout options the installation's settings give.
DeliveryLayout deliveryLayout(const AppContext& ctx, const PrintForm& form);

DeliveryRun buildDeliveryRun(const SlipSnapshot& files, const DeliverySelection& sel, const DeliveryLayout& layout);

// The packing counts the cooperative form prints, worked out again from the packing-count table
// the window read when it opened (without a table, or with counts typed by hand, the stored
// counts stay).
void applyPackingTable(DeliveryRun& run, PackingTables& table, const AppContext& ctx);

enum class DeliveryForm { Standard, Cooperative };

// Plans the pages of the run, copy after copy. `chosen` (one flag per slip of the run)
// limits printing to the chosen slips; empty prints them all.
Document planDeliveryNotes(const DeliveryRun& run, const AppContext& ctx, const PrintForm& form, const PageArea& area,
                           DeliveryForm kind, const std::vector<bool>& chosen = {});

// Pages the plan will hold for the selection of slips.
int chosenPageCount(const DeliveryRun& run, const std::vector<bool>& chosen);

}  // namespace rk::printing
