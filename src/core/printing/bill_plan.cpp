// Page layout of the bills: delivery-detail pages and summary pages of R rows each.
#include <algorithm>
#include <cstdio>

#include "base/cp932.h"
#include "base/format.h"
#include "printing/bills.h"
#include "printing/conventions.h"
#include "printing/messages.h"
#include "printing/qualified_invoice.h"
#include "printing/slip_heading.h"

namespace rk::printing {

namespace {

std::string format(const char* f, int v) {
    char buf[160];
    std::snprintf(buf, sizeof buf, f, v);
    return buf;
}

// One row of a detail page: a slip line, or (group bills) the slip's destination.
struct DetailRow {
    const BilledSlip* slip = nullptr;
    const PrintedSlip* printed = nullptr;
    const PrintedLine* line = nullptr;  // nullptr: the destination row
};

struct BillPage {
    bool detail = false;
    size_t first = 0, end = 0;  // rows of the page
    int number = 1;
    bool last = false;  // last page of its kind for the bill
};

// The rows and pages of one bill.
struct BillLayout {
    std::vector<PrintedSlip> slips;  // details only
    std::vector<DetailRow> details;
    std::vector<BillPage> pages;
};

void paginate(std::vector<BillPage>& pages, size_t rows, int perPage, bool detail, int& number) {
    const size_t r = static_cast<size_t>(std::max(perPage, 1));
    size_t first = 0;
    do {
        BillPage p{detail, first, std::min(rows, first + r), number++, false};
        first = p.end;
        p.last = first >= rows;
        pages.push_back(p);
    } while (first < rows);
}

BillLayout layoutOf(const Bill& b, const SlipSnapshot& files, int rowsPerPage, const BillOptions& o) {
    BillLayout l;
    int number = 1;
    if (o.details) {
        l.slips.reserve(b.slips.size());
        for (const BilledSlip& s : b.slips) l.slips.push_back(files.slip(s.record, false));
        for (size_t i = 0; i < b.slips.size(); ++i) {
            if (o.group) l.details.push_back({&b.slips[i], &l.slips[i], nullptr});
            for (const PrintedLine& line : l.slips[i].lines) l.details.push_back({&b.slips[i], &l.slips[i], &line});
        }
        if (!l.details.empty()) paginate(l.pages, l.details.size(), rowsPerPage, true, number);
    }
    paginate(l.pages, b.slips.size(), rowsPerPage, false, number);
    return l;
}

int rowsPerPage(const PrintForm& form) { return std::clamp(form.fields[kLinesPerPage], 6, 20); }

class BillPlanner {
public:
    BillPlanner(const AppContext& ctx, const PrintForm& form, const PageMetrics& m, const BillOptions& o,
                const SlipSnapshot& files)
        : ctx_(ctx), form_(form), m_(m), o_(o), files_(files), issuer_(qualifiedIssuer(ctx)) {}

    void plan(const Bill& b, Document& doc) const {
        const BillLayout l = layoutOf(b, files_, rowsPerPage(form_), o_);
        for (const BillPage& p : l.pages) {
            doc.pages.push_back(p.detail ? detailPage(b, l, p) : summaryPage(b, p));
            doc.pages.back().texts.shrink_to_fit();  // a month of bills holds thousands of pages
        }
    }

private:
    int col(int k) const { return column(m_, k); }
    bool sales() const { return ctx_.edition != Edition::Purchase; }

    std::string calendarDate(int32_t date) const {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%4d-%2d-%2d",
                      monthday::calendarYear(date, ctx_.settings.businessYear, ctx_.settings.firstMonth), date / 100,
                      date % 100);
        return buf;
    }

    std::string destination(int customer) const {
        const std::string sjis = cp932::fromUtf8(fieldText(files_.customer(customer).name));
        return cp932::toUtf8(sjis.substr(0, cp932::cutAtCharBoundary(sjis, 16)));
    }

    void frame(Page& page, int top, int bottom) const {
        page.rule(m_.left, bottom, m_.right, bottom);
        if (ctx_.env.verticalRuleMode != 2) {
            page.rule(m_.left, top, m_.right, top);
            page.rule(m_.left, top, m_.left, bottom);
            page.rule(m_.right, top, m_.right, bottom);
        }
    }

    Page summaryPage(const Bill& b, const BillPage& p) const {
        Page page;
        const int u = m_.u;
        HeadingData heading{&b.record, b.customer, &ctx_.settings, o_.issueDate, 0, form_.fields[kNoDoubleRule] == 1};
        const int y1 = slipHeading(page, m_, heading);
        headingPicture(page, m_, ctx_.files, ctx_.programFolder(), o_.group ? "納品書.BMP" : "請求書.BMP");
        titleBlock(page, m_, sales() ? msg::kBillTitle : msg::kStatementTitle, b.name, fieldText(ctx_.settings.name));
        if (issuer_) registrationText(page, m_, *issuer_);
        page.text(m_.left + 97 * m_.h, m_.top, pageNumber(p.number), FontRole::Data, Align::Right);
        if (o_.group) page.text(m_.left + m_.h, m_.top + 6 * u, format(msg::kGroupCustomer, b.customer));

        const int heads = y1 + u;
        page.text(col(3), heads, "No", FontRole::Data, Align::Right);
        const char* dateHead = sales() ? "納 品 年 月 日" : "受 領 品 年 月 日";
        page.text(col(10), heads, dateHead);
        // The destination column starts after the date head and ends before the line counts.
        const int destX = std::max(col(21), col(10) + textWidth(dateHead, m_.dataEm) + m_.h);
        const int destWidth = col(37) - textWidth("行数", m_.dataEm) - m_.h - destX;
        if (o_.group) page.text(destX, heads, "お届け先");
        const char* names[] = {"行数",    sales() ? "納品額 " : "受領額 ",     "消費税 ",
                               "手数料 ", sales() ? "販売費計 " : "経費費計 ", sales() ? "請求額 " : "支払額 "};
        const int rights[] = {37, 50, 62, 74, 86, 98};
        for (int i = 0; i < 6; ++i) page.text(col(rights[i]), heads, names[i], FontRole::Data, Align::Right);
        const int rowsTop = heads + 3 * u / 2;
        page.rule(m_.left, rowsTop - u / 4, m_.right, rowsTop - u / 4);

        auto amounts = [&](int y, const BilledSlip& s, bool lineCount) {
            if (lineCount) page.text(col(37), y, std::to_string(s.lineCount), FontRole::Data, Align::Right);
            const double v[] = {s.amount, s.tax, s.commission, s.deductions, s.receivable};
            for (int i = 0; i < 5; ++i) page.text(col(rights[i + 1]), y, number(v[i]), FontRole::Data, Align::Right);
        };
        int y = rowsTop + u / 2;
        for (size_t i = p.first; i < p.end; ++i) {
            const BilledSlip& s = b.slips[i];
            page.text(col(3), y, std::to_string(i + 1), FontRole::Data, Align::Right);
            page.text(col(10), y, calendarDate(s.date));
            if (o_.group) {
                const std::string name = destination(s.customer);
                page.text(destX, y, name, FontRole::Data, Align::Left, dataFit(m_, name, destWidth));
            }
            amounts(y, s, true);
            y += 2 * u;
        }
        const int rowsEnd = rowsTop + 2 * u * rowsPerPage(form_);
        frame(page, heads - u / 4, rowsEnd);
        if (!p.last) {
            page.text(col(97), rowsEnd + u / 2, kContinued, FontRole::Data, Align::Right);
            return page;
        }
        // The totals row, then the previous balance and the total to pay.
        y = rowsEnd + u / 2;
        page.text(col(10), y, "合　計");
        amounts(y, b.totals, false);
        y += 3 * u / 2;
        page.rule(m_.left + 80 * m_.h, y - u / 4, m_.right, y - u / 4);
        if (issuer_ && !b.slips.empty()) {
            // Receivable processing rounded each slip's tax: the delivery notes are the
            // qualified invoices and the bill adds up their taxes per rate.
            std::vector<std::string> lines = {msg::kDeliveryNotesQualify};
            for (const RateTotal& r : billTax(b.slips, applicableRate(ctx_))) lines.push_back(rateLine(r));
            qualifiedLines(page, m_, col(2), y, 78 * m_.h - col(2) + m_.left, lines);
        }
        page.text(m_.left + 80 * m_.h, y, msg::kPreviousBalance);
        page.text(col(98), y, number(b.previous), FontRole::Data, Align::Right);
        y += 3 * u / 2;
        page.text(m_.left + 80 * m_.h, y, sales() ? msg::kBillTotal : msg::kStatementTotal);
        page.text(col(98), y, number(b.total()), FontRole::Data, Align::Right);
        page.rule(m_.left + 80 * m_.h, y + 5 * u / 4, m_.right, y + 5 * u / 4);
        return page;
    }

    Page detailPage(const Bill& b, const BillLayout& l, const BillPage& p) const {
        Page page;
        const int u = m_.u;
        page.text(m_.left, m_.top, sales() ? msg::kDetailHeading : msg::kDetailHeadingPurchase, FontRole::Data);
        page.text(m_.left + 97 * m_.h, m_.top, pageNumber(p.number), FontRole::Data, Align::Right);
        // The customer's name ends before the issue date at 70h.
        const std::string customer = format(o_.group ? msg::kGroupCustomer : msg::kDetailCustomer, b.customer) + b.name;
        page.text(m_.left + m_.h, m_.top + 2 * u, customer, FontRole::Title, Align::Left,
                  fittingHeight(customer, std::min(m_.titleHeight, 5 * u / 4), 68 * m_.h));
        page.text(m_.left + 70 * m_.h, m_.top + 2 * u,
                  headingDate(o_.issueDate, ctx_.settings.businessYear, ctx_.settings.firstMonth));
        const int heads = m_.top + 5 * u;
        page.text(col(2), heads, sales() ? "納品月日" : "受領月日");
        page.text(col(14), heads, "商 品 名");
        page.text(col(38), heads, " 備  考");
        page.text(col(70), heads, "      数 量", FontRole::Data, Align::Right);
        page.text(col(84), heads, "      単 価", FontRole::Data, Align::Right);
        page.text(col(97), heads, "      金 額", FontRole::Data, Align::Right);
        const int rowsTop = heads + 3 * u / 2;
        page.rule(m_.left, rowsTop - u / 4, m_.right, rowsTop - u / 4);
        int y = rowsTop + u / 2;
        for (size_t i = p.first; i < p.end; ++i) {
            const DetailRow& r = l.details[i];
            if (!r.line) {
                const CustomerRecord c = files_.customer(r.slip->customer);
                const std::string name = "納品先お得意先名  " + fieldText(c.name);
                const std::string department = "納品先お得意先名部所  " + fieldText(c.department);
                page.text(col(2), y, name, FontRole::Data, Align::Left, dataFit(m_, name, col(50) - col(2) - m_.h));
                page.text(col(50), y, department, FontRole::Data, Align::Left,
                          dataFit(m_, department, m_.right - col(50)));
            } else {
                const SlipLine& s = r.line->line;
                page.text(col(2), y, monthday::japanese(r.slip->date));
                std::string product = fieldText(s.productName);
                for (const std::string& g : {r.line->grade1, r.line->grade2})
                    if (!g.empty()) product += " " + g;
                page.text(col(14), y, product);
                page.text(col(38), y, fieldText(s.remark));
                page.text(col(67), y, quantity(s.quantity), FontRole::Data, Align::Right);
                page.text(col(67) + m_.h / 4, y, fieldText(s.unit));
                page.text(col(84), y, numberOrStar(s.price, std::clamp(s.priceDecimals, 0, 2)), FontRole::Data,
                          Align::Right);
                page.text(col(97), y, numberOrStar(s.amount), FontRole::Data, Align::Right);
            }
            y += 2 * u;
        }
        const int rowsEnd = rowsTop + 2 * u * rowsPerPage(form_);
        frame(page, heads - u / 4, rowsEnd);
        if (!p.last) page.text(col(97), rowsEnd + u / 2, kContinued, FontRole::Data, Align::Right);
        return page;
    }

    const AppContext& ctx_;
    const PrintForm& form_;
    const PageMetrics& m_;
    const BillOptions& o_;
    const SlipSnapshot& files_;
    std::optional<InvoiceSettings> issuer_;
};

}  // namespace

int billPageCount(const std::vector<Bill>& bills, const SlipSnapshot& files, const PrintForm& form,
                  const BillOptions& options) {
    int pages = 0;
    for (const Bill& b : bills) pages += static_cast<int>(layoutOf(b, files, rowsPerPage(form), options).pages.size());
    return pages;
}

Document planBills(const std::vector<Bill>& bills, const SlipSnapshot& files, const AppContext& ctx,
                   const PrintForm& form, const PageArea& area, const BillOptions& options) {
    const PageMetrics m = pageMetrics(form, area);
    Document doc = documentFor(form, m, ctx.edition == Edition::Purchase ? "支払明細書" : "請求書");
    BillPlanner planner(ctx, form, m, options, files);
    for (const Bill& b : bills) planner.plan(b, doc);
    return doc;
}

}  // namespace rk::printing
