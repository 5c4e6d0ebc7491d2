// What slip entry offers to pick from: the master reference lists of the grid fields, the
// character searches of the header and the grid, and the customers of a date with the stage
// of their slips. Each list is read in one go; every entry carries the code it stands for.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/app_context.h"

namespace rk {

// One line of a pick list: the code it chooses and its text ("%4d  " + name, Shift-JIS).
struct PickEntry {
    int code = 0;
    std::string text;
};

// Which master a grid field refers to.
enum class MasterKind { None, Product, Grade1, Grade2, Remark, Account };

// The master of the reference list (F12) of grid field 1..15; None for fields without one.
MasterKind referenceKind(int field);
// The code field a choice of that kind goes to (product 2, grades 4 / 5, remark 9); an
// account goes back to the field it was asked from.
int codeField(MasterKind kind, int askedFrom);

// The reference list of a kind: products 1..499, grades 1..100 by their grade 1 or grade 2
// name, remarks 1..999, account items 100..599.
std::vector<PickEntry> referenceList(const AppContext& ctx, MasterKind kind);

// Masters whose name holds `sjisText` (trailing blanks dropped; whole characters): products
// 1..999, grades 1..99 by the grade 1 or grade 2 name, remarks 1..999. Empty for an empty text.
std::vector<PickEntry> searchMaster(const AppContext& ctx, MasterKind kind, std::string_view sjisText);

// Customers 1..customer count whose name holds `sjisText`.
std::vector<PickEntry> searchCustomerNames(const AppContext& ctx, std::string_view sjisText);

// A row of the customer list of a date: stage -1 when the customer has no slip on the date.
struct DateCustomer {
    int customer = 0;
    std::string name;  // Shift-JIS, up to 32 bytes
    int stage = -1;
};

// Modes 3 and 4 (existing slips only): the live slips of the date in index order. Modes 1
// and 2: every customer 1..customer count, those with a slip on the date marked with its
// stage and the name the slip carries.
std::vector<DateCustomer> dateCustomerList(const AppContext& ctx, int32_t date, int mode);

}  // namespace rk
