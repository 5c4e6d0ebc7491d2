#include "printing/delivery_notes.h"

#include <algorithm>
#include <cstdio>

#include "printing/conventions.h"
#include "printing/messages.h"
#include "printing/qualified_invoice.h"
#include "printing/slip_heading.h"

namespace rk::printing {

namespace {

int rowsOf(const PrintedLine& l, const DeliveryLayout& layout) {
    return (layout.doubleSpacing ? 2 : 1) + (l.text.empty() ? 0 : 1);
}

std::string format(const char* f, int v) {
    char buf[160];
    std::snprintf(buf, sizeof buf, f, v);
    return buf;
}

// Everything the foot of a slip's last page prints.
struct SlipTotals {
    double quantity = 0, lineAmounts = 0;
    int boxes[4] = {0, 0, 0, 0};  // by packing kind 1..3
    int packing = 0;
    bool everyLinePacked = true;
};

SlipTotals totalsOf(const PrintedSlip& s) {
    SlipTotals t;
    for (const PrintedLine& l : s.lines) {
        t.quantity += l.line.quantity;
        t.lineAmounts += l.line.amount;
        t.packing += l.line.packingCount;
        const int kind = l.line.packingKind;
        if (kind >= 1 && kind <= 3)
            t.boxes[kind] += static_cast<int>(l.line.boxes);
        else
            t.everyLinePacked = false;
    }
    return t;
}

// The box counts by packing kind, each when not zero, as the environment asks: 0 none,
// conditional only when every line has a packing kind, otherwise always.
std::vector<std::string> boxCountTexts(const SlipTotals& t, int option) {
    std::vector<std::string> out;
    if (option == 0) return out;
    // The settings window stores the conditional choice as 2; 3 is its older value.
    if ((option == 2 || option == 3) && !t.everyLinePacked) return out;
    const char* texts[4] = {nullptr, msg::kBoxes, msg::kFlowerContainers, msg::kTrays};
    for (int kind = 1; kind <= 3; ++kind)
        if (t.boxes[kind] != 0) out.push_back(format(texts[kind], t.boxes[kind]));
    return out;
}

}  // namespace

void applyPackingTable(DeliveryRun& run, PackingTables& table, const AppContext& ctx) {
    if (!table.haveTable() || ctx.env.showPackingCounts) return;
    for (PrintedSlip& slip : run.slips) {
        std::vector<SlipLine> lines;
        lines.reserve(slip.lines.size());
        for (const PrintedLine& l : slip.lines) lines.push_back(l.line);
        table.countPackages(lines);
        for (size_t i = 0; i < lines.size(); ++i) slip.lines[i].line.packingCount = lines[i].packingCount;
    }
}

namespace {

class NotePlanner {
public:
    NotePlanner(const DeliveryRun& run, const AppContext& ctx, const PrintForm& form, const PageMetrics& m,
                DeliveryForm kind)
        : run_(run),
          ctx_(ctx),
          form_(form),
          m_(m),
          kind_(kind),
          layout_(deliveryLayout(ctx, form)),
          // The cooperative form prints no prices: it is no invoice.
          issuer_(kind == DeliveryForm::Standard ? qualifiedIssuer(ctx) : std::nullopt) {}

    Page page(const DeliveryPage& p) const {
        Page page;
        const PrintedSlip& slip = run_.slips[p.slip];
        const CustomerRecord& customer = run_.customers[p.slip];
        HeadingData heading{&customer,           slip.header.customer, &ctx_.settings,
                            run_.selection.date, slip.record,          form_.fields[kNoDoubleRule] == 1};
        const int y1 = slipHeading(page, m_, heading);
        const bool sales = ctx_.edition != Edition::Purchase;
        const char* title = sales ? (kind_ == DeliveryForm::Standard ? msg::kDeliveryTitle : msg::kConsignmentTitle)
                                  : msg::kReceiptTitle;
        const char* picture = sales ? (kind_ == DeliveryForm::Standard ? "納品書.Bmp" : "送り状.Bmp") : "受領書.Bmp";
        headingPicture(page, m_, ctx_.files, ctx_.programFolder(), picture);
        titleBlock(page, m_, title, nameWithHonorific(customer), fieldText(ctx_.settings.name));
        if (issuer_) registrationText(page, m_, *issuer_);
        page.text(m_.left + 97 * m_.h, m_.top, pageNumber(p.number), FontRole::Data, Align::Right);

        const int u = m_.u;
        const int heads = y1 + u;
        const int rowsTop = heads + 3 * u / 2;
        const int rowsEnd = rowsTop + 2 * u * layout_.linesPerPage;
        kind_ == DeliveryForm::Standard ? standardHeads(page, heads) : cooperativeHeads(page, heads);
        page.rule(m_.left, rowsTop - u / 4, m_.right, rowsTop - u / 4);

        int y = rowsTop;
        for (size_t i = p.first; i < p.end; ++i) {
            const PrintedLine& l = slip.lines[i];
            const int textY = y + u / 2;
            kind_ == DeliveryForm::Standard ? standardRow(page, l, textY) : cooperativeRow(page, l, textY);
            y += 2 * u * (layout_.doubleSpacing ? 2 : 1);
            if (!l.text.empty()) {
                page.text(column(m_, 6), y + u / 2, l.text);
                y += 2 * u;
            }
        }
        // The frame of the line area: the foot rule and, unless switched off, the side rules.
        page.rule(m_.left, rowsEnd, m_.right, rowsEnd);
        if (ctx_.env.verticalRuleMode != 2) {
            page.rule(m_.left, heads - u / 4, m_.left, rowsEnd);
            page.rule(m_.right, heads - u / 4, m_.right, rowsEnd);
            page.rule(m_.left, heads - u / 4, m_.right, heads - u / 4);
        }
        if (!p.last) {
            const char* note = kind_ == DeliveryForm::Standard ? kContinued : kContinuedCooperative;
            page.text(column(m_, 97), rowsEnd + u / 2, note, FontRole::Data, Align::Right);
        } else {
            kind_ == DeliveryForm::Standard ? standardFoot(page, slip, rowsEnd) : cooperativeFoot(page, slip, rowsEnd);
        }
        return page;
    }

private:
    int col(int k) const { return column(m_, k); }

    std::string gradeLabel(int which) const {
        const std::string s = fieldText(ctx_.env.costNames[which]);
        return s.empty() ? (which == 0 ? "規格１" : "規格２") : s;
    }

    void standardHeads(Page& page, int y) const {
        page.text(col(2), y, "No");
        page.text(col(6), y, "商 品 名");
        page.text(col(23), y, gradeLabel(0));
        page.text(col(32), y, gradeLabel(1));
        page.text(col(41), y, "備  考");
        page.text(col(73), y, "数 量 ∪ ", FontRole::Data, Align::Right);
        page.text(col(84), y, "単 価 ", FontRole::Data, Align::Right);
        page.text(col(97), y, "金 額 ", FontRole::Data, Align::Right);
    }

    void standardRow(Page& page, const PrintedLine& l, int y) const {
        const SlipLine& s = l.line;
        page.text(col(4), y, std::to_string(l.number), FontRole::Data, Align::Right);
        page.text(col(6), y, fieldText(s.productName));
        page.text(col(23), y, l.grade1);
        page.text(col(32), y, l.grade2);
        page.text(col(41), y, fieldText(s.remark));
        page.text(col(71), y, quantity(s.quantity), FontRole::Data, Align::Right);
        page.text(col(71) + m_.h / 4, y, fieldText(s.unit));
        page.text(col(83), y, numberOrStar(s.price, std::clamp(s.priceDecimals, 0, 2)), FontRole::Data, Align::Right);
        page.text(col(97), y, numberOrStar(s.amount), FontRole::Data, Align::Right);
    }

    void standardFoot(Page& page, const PrintedSlip& slip, int yf) const {
        const SlipTotals t = totalsOf(slip);
        const SlipHeader& h = slip.header;
        const int u = m_.u;
        double costs = 0;
        for (double d : h.deductions) costs += d;
        // Box counts and the shipped quantity at the left, the money at the right.
        int y = yf + u / 2;
        for (const std::string& s : boxCountTexts(t, ctx_.env.boxCountPrinting)) {
            page.text(col(2), y, s);
            y += u;
        }
        const bool sales = ctx_.edition != Edition::Purchase;
        page.text(col(2), y, sales ? msg::kShippedSales : msg::kShippedPurchase);
        page.text(col(30), y, quantity(t.quantity), FontRole::Data, Align::Right);
        if (issuer_) {
            // Per rate the taxable total and the tax, left of the money column.
            std::vector<std::string> lines;
            for (const RateTotal& r : deliveryNoteTax(slip, applicableRate(ctx_))) lines.push_back(rateLine(r));
            qualifiedLines(page, m_, col(2), y + u + u / 4, col(60) - col(2), lines);
        }
        const struct {
            const char* label;
            double value;
        } rows[] = {{msg::kSumTotal, t.lineAmounts},      {msg::kTaxPlus, h.tax},
                    {msg::kCommissionA, h.commission},    {msg::kCostsB, costs},
                    {msg::kAPlusB, h.commission + costs}, {msg::kGrandTotal, h.receivable}};
        y = yf + u / 2;
        for (const auto& r : rows) {
            page.text(col(62), y, r.label);
            page.text(col(97), y, number(r.value), FontRole::Data, Align::Right);
            y += u + u / 8;
        }
        page.rule(col(61), y, m_.right, y);
    }

    void cooperativeHeads(Page& page, int y) const {
        page.text(col(2), y, "No");
        page.text(col(6), y, " 商 品 名");
        page.text(col(40), y, "入り数", FontRole::Data, Align::Right);
        page.text(col(50), y, "箱　数", FontRole::Data, Align::Right);
        page.text(col(60), y, "梱包数", FontRole::Data, Align::Right);
        page.text(col(72), y, "   数  量", FontRole::Data, Align::Right);
        page.text(col(75), y, "  摘　要");
    }

    static std::string orValue(double v, const std::string& text) { return v == 0 ? "    ･" : text; }

    void cooperativeRow(Page& page, const PrintedLine& l, int y) const {
        const SlipLine& s = l.line;
        page.text(col(4), y, std::to_string(l.number), FontRole::Data, Align::Right);
        std::string product = fieldText(s.productName);
        for (const std::string& g : {l.grade1, l.grade2})
            if (!g.empty()) product += " " + g;
        page.text(col(6), y, product);
        page.text(col(40), y, orValue(s.piecesPerBox, quantity(s.piecesPerBox)), FontRole::Data, Align::Right);
        page.text(col(50), y, orValue(s.boxes, quantity(s.boxes)), FontRole::Data, Align::Right);
        page.text(col(60), y, orValue(s.packingCount, std::to_string(s.packingCount)), FontRole::Data, Align::Right);
        page.text(col(72), y, orValue(s.quantity, quantity(s.quantity) + " " + fieldText(s.unit)), FontRole::Data,
                  Align::Right);
        std::string remark = fieldText(s.remark);
        // An order line carries its mark unless slip entry has already put one into the remark.
        if (s.salesMethod == 2 && remark.find("注") == std::string::npos)
            remark = (s.buyer > 0 ? format("注%d", s.buyer) : std::string("注文")) + " " + remark;
        page.text(col(75), y, remark);
    }

    void cooperativeFoot(Page& page, const PrintedSlip& slip, int yf) const {
        const SlipTotals t = totalsOf(slip);
        int boxes = 0;
        for (const PrintedLine& l : slip.lines) boxes += static_cast<int>(l.line.boxes);
        const int y = yf + m_.u / 2;
        page.text(col(6), y, "合計");
        page.text(col(50), y, format("  %4d", boxes), FontRole::Data, Align::Right);
        page.text(col(60), y, format("  %4d", t.packing), FontRole::Data, Align::Right);
        page.text(col(72), y, "  " + quantity(t.quantity), FontRole::Data, Align::Right);
        int by = y + m_.u + m_.u / 2;
        for (const std::string& s : boxCountTexts(t, ctx_.env.boxCountPrinting)) {
            page.text(col(6), by, s);
            by += m_.u;
        }
    }

    const DeliveryRun& run_;
    const AppContext& ctx_;
    const PrintForm& form_;
    const PageMetrics& m_;
    DeliveryForm kind_;
    DeliveryLayout layout_;
    std::optional<InvoiceSettings> issuer_;
};

}  // namespace

std::string DeliveryRun::invalidMessage() const { return invalid > 0 ? format(msg::kInvalidLines, invalid) : ""; }

DeliveryLayout deliveryLayout(const AppContext& ctx, const PrintForm& form) {
    DeliveryLayout l;
    l.linesPerPage = std::clamp(form.fields[kLinesPerPage], 6, 20);
    l.doubleSpacing = ctx.edition == Edition::Sales && ctx.env.skipLinePrinting == 1;
    l.merge = ctx.settings.memberNumber > 9;
    return l;
}

DeliveryRun buildDeliveryRun(const SlipSnapshot& files, const DeliverySelection& sel, const DeliveryLayout& layout) {
    DeliveryRun run;
    run.selection = sel;
    run.selection.copies = std::clamp(sel.copies, 1, 4);
    const int capacity = std::max(layout.linesPerPage, 3);
    for (int n : files.slipsOfDate(sel.date)) {
        PrintedSlip slip = files.slip(n, layout.merge);
        const int customer = slip.header.customer;
        if (customer < sel.from || customer > sel.to) continue;
        run.invalid += slip.invalid;
        const int index = static_cast<int>(run.slips.size());
        DeliveryPage page{index, 0, 0, 1, false};
        int rows = 0;
        for (size_t i = 0; i < slip.lines.size(); ++i) {
            const int r = rowsOf(slip.lines[i], layout);
            if (rows + r > capacity && rows > 0) {
                page.end = i;
                run.pages.push_back(page);
                page = DeliveryPage{index, i, i, page.number + 1, false};
                rows = 0;
            }
            rows += r;
        }
        page.end = slip.lines.size();
        page.last = true;
        run.pages.push_back(page);
        run.customers.push_back(files.customer(customer));
        run.slips.push_back(std::move(slip));
    }
    return run;
}

int chosenPageCount(const DeliveryRun& run, const std::vector<bool>& chosen) {
    int pages = 0;
    for (const DeliveryPage& p : run.pages)
        if (chosen.empty() || (static_cast<size_t>(p.slip) < chosen.size() && chosen[p.slip])) ++pages;
    return pages * run.copies();
}

Document planDeliveryNotes(const DeliveryRun& run, const AppContext& ctx, const PrintForm& form, const PageArea& area,
                           DeliveryForm kind, const std::vector<bool>& chosen) {
    const PageMetrics m = pageMetrics(form, area);
    Document doc = documentFor(form, m, ctx.edition == Edition::Purchase ? "受領書" : "納品書");
    NotePlanner planner(run, ctx, form, m, kind);
    for (int copy = 0; copy < run.copies(); ++copy)
        for (const DeliveryPage& p : run.pages)
            if (chosen.empty() || (static_cast<size_t>(p.slip) < chosen.size() && chosen[p.slip]))
                doc.pages.push_back(planner.page(p));
    return doc;
}

}  // namespace rk::printing
