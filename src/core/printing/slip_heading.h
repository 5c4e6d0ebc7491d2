// The heading every slip document starts with: the customer's block at the left, the
// company's block at the right, the name rule and the double rule that closes it.
#pragma once

#include <string>

#include "app/basic_settings.h"
#include "masters/master_records.h"
#include "printing/page_plan.h"

namespace rk::printing {

struct HeadingData {
    const CustomerRecord* customer = nullptr;
    int customerCode = 0;
    const BasicSettings* company = nullptr;
    int date = 0;               // month-day value of the document
    int consignment = 0;        // consignment number printed for federation customers
    bool noDoubleRule = false;  // the caller's copy of slot 63
};

// Draws the heading on `page` and returns y1, the first position the caller may use below it.
// The caller prints its title and the addressee's name with titleBlock().
int slipHeading(Page& page, const PageMetrics& m, const HeadingData& d);

// The y of the name rule and the x it starts at.
inline int nameRuleY(const PageMetrics& m) { return m.top + 3 * m.u; }
inline int nameRuleX(const PageMetrics& m) { return m.left + 40 * m.h; }

// The document's title on the top line, the addressee's name on the name rule and the
// company's name in the company block, all in the title font.
void titleBlock(Page& page, const PageMetrics& m, const std::string& title, const std::string& name,
                const std::string& company);

// The picture file of a document ("納品書.Bmp" ...) from the program folder, drawn over the
// company block when it exists.
void headingPicture(Page& page, const PageMetrics& m, FileSystem& fs, const fs::path& folder, const char* name);

// The customer's name followed by a blank and the honorific (UTF-8).
std::string nameWithHonorific(const CustomerRecord& c);

// Whether the customer is a federation (its name holds 経済連 or 全農).
bool isFederation(const CustomerRecord& c);

}  // namespace rk::printing
