// Printing home-delivery slips onto the carrier's pre-printed forms. "TAKUFORM.DAT" in the
// program folder holds the print positions: 512 int32 values, four columns of 128 rows
// (destination X, destination Y, sender X, sender Y) in printer device units; row 0 column 0
// is the character height. An item prints only where its X is above 0.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "printing/page_plan.h"
#include "slips/home_delivery.h"

namespace rk::printing {

inline constexpr const char* kHomeDeliveryFormFile = "TAKUFORM.DAT";
inline constexpr int kFormRows = 128, kFormColumns = 4, kFormRowsShown = 18;

struct HomeDeliveryForm {
    std::array<int32_t, kFormRows * kFormColumns> values{};
    int32_t& at(int column, int row) { return values[static_cast<size_t>(kFormRows * column + row)]; }
    int32_t at(int column, int row) const { return values[static_cast<size_t>(kFormRows * column + row)]; }
};
static_assert(sizeof(HomeDeliveryForm) == 2048);

// The row labels of the settings window, rows 0..17.
extern const char* const kFormRowLabels[kFormRowsShown];

// Reads the form file (any letter case), creating it as 2,048 zero bytes when missing.
// nullopt when it can neither be read nor created.
std::optional<HomeDeliveryForm> loadHomeDeliveryForm(FileSystem& fs, const fs::path& programFolder);
// Writes the form file whole.
bool saveHomeDeliveryForm(FileSystem& fs, const fs::path& programFolder, const HomeDeliveryForm& form);

// One consignment to print, with what its sales slip line says.
struct Consignment {
    HomeDeliveryRecord record{};
    int32_t date = 0;
    int customer = 0;
    int line = 0;
    std::string customerName;  // UTF-8
    std::string product;       // the line's product name, UTF-8
    std::string remark;        // the line's remark, UTF-8
};

struct HomeDeliverySelection {
    int32_t from = 0, to = 0;  // month-day values
    int firstCustomer = 1, lastCustomer = 0;
};

struct HomeDeliveryRun {
    std::vector<Consignment> consignments;  // by date, customer and line
    int slips = 0;                          // sales slips with consignments
    bool unreadable = false;                // the slip or home-delivery files could not be read
};

// The consignments of the chains of the live slips of the period whose customer lies within
// the range. Only chains a slip line points at are printed; detached records are not.
HomeDeliveryRun collectHomeDelivery(const AppContext& ctx, const HomeDeliverySelection& sel);

// The texts of one consignment at the form's positions, one page per consignment; `which`
// (when not empty) chooses consignments by index.
Document planHomeDelivery(const std::vector<Consignment>& items, const HomeDeliveryForm& form, const PageArea& area,
                          const std::vector<bool>& which = {});

// The texts of one consignment keyed by row (1..16) and side (0 destination, 1 sender); an
// empty text prints nothing.
std::string homeDeliveryItem(const Consignment& c, int row, int side);

}  // namespace rk::printing
