// Product tags: one tag per slip line of a handling date, for a range of customers, six to a
// page (three across, two down) on a 14.4 x 5 inch page. Each tag names the product, its
// grades, the addressee and the sender.
#pragma once

#include <string>
#include <vector>

#include "app/app_context.h"
#include "printing/page_plan.h"
#include "printing/slip_snapshot.h"

namespace rk::printing {

struct TagSelection {
    int32_t date = 0;
    int from = 1;
    int to = 999;
};

struct Tag {
    std::string product;  // UTF-8, trimmed
    std::string grade1, grade2;
    std::string customer;
};

struct TagRun {
    TagSelection selection;
    int slips = 0;
    std::vector<Tag> tags;

    static constexpr int kAcross = 3, kDown = 2, kPerPage = kAcross * kDown;
    int pageCount() const { return (static_cast<int>(tags.size()) + kPerPage - 1) / kPerPage; }
    // " 該当伝票数 %3d 件" and " タック枚数%4d 枚" as the window shows them.
    std::string slipCountText() const;
    std::string tagCountText() const;
};

// The tag page: 14.4 x 5 inches; a cell 4.8 x 2.5 inches; text lines a third of an inch apart.
constexpr double kTagPageWidthInch = 14.4, kTagPageHeightInch = 5.0;

// The live slips of the date whose customer lies within from..to, in index order.
TagRun buildTagRun(const SlipSnapshot& files, const TagSelection& sel);

Document planTags(const TagRun& run, const AppContext& ctx, const PrintForm& form, const PageArea& area);

}  // namespace rk::printing
