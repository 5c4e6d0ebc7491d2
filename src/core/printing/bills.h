// Bills: per customer the period's slips processed on credit and not yet settled, with the
// previous balance and the total to pay; optionally preceded by the slips' delivery details.
// The group bill gathers a representative's and its members' slips on one bill.
#pragma once

#include <string>
#include <vector>

#include "app/app_context.h"
#include "printing/page_plan.h"
#include "printing/slip_snapshot.h"

namespace rk::printing {

struct BilledSlip {
    int record = 0;
    int customer = 0;
    int32_t date = 0;
    int lineCount = 0;
    double amount = 0, tax = 0, commission = 0, deductions = 0, receivable = 0;
};

struct Bill {
    int customer = 0;  // the customer billed (the representative of a group bill)
    CustomerRecord record{};
    std::string name;               // as printed: name and honorific, the search name, or the unknown-name text
    std::vector<BilledSlip> slips;  // by date
    BilledSlip totals;              // the five column sums
    double previous = 0;            // outstanding balance as the customer master holds it now
    double total() const { return previous + totals.receivable; }
};

struct BillSelection {
    int32_t from = 0, to = 0;  // period, month-day values
    int firstCustomer = 1, lastCustomer = 999;
    int32_t issueDate = 0;
    std::string search;  // UTF-8; not empty: name search mode
};

// The bills of the selection, customers ascending.
std::vector<Bill> collectBills(const AppContext& ctx, const SlipSnapshot& files, const BillSelection& sel);

struct GroupBill {
    enum class Status { Ok, NotRepresentative, NoSlips } status = Status::Ok;
    Bill bill;
    std::vector<int> members;
};

// The group bill of representative `rep` for the period (issue date and customers of `sel`
// ignored but the period).
GroupBill collectGroupBill(const AppContext& ctx, const SlipSnapshot& files, int rep, const BillSelection& sel);

// The members of a representative as its customer record lists them.
std::vector<int> groupMembers(const CustomerRecord& rep, int customerCount);

struct BillOptions {
    bool details = false;  // delivery-detail pages before each summary
    bool group = false;    // group bill: destinations on the rows, the addressee "御中"
    int32_t issueDate = 0;
};

// Pages of the bills with R = the form's lines per page rows each.
int billPageCount(const std::vector<Bill>& bills, const SlipSnapshot& files, const PrintForm& form,
                  const BillOptions& options);

Document planBills(const std::vector<Bill>& bills, const SlipSnapshot& files, const AppContext& ctx,
                   const PrintForm& form, const PageArea& area, const BillOptions& options);

}  // namespace rk::printing
