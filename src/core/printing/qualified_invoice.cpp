#include "printing/qualified_invoice.h"

#include <algorithm>
#include <map>

#include "base/money.h"
#include "printing/bills.h"
#include "printing/conventions.h"
#include "printing/messages.h"
#include "printing/slip_heading.h"

namespace rk::printing {

std::optional<InvoiceSettings> qualifiedIssuer(const AppContext& ctx) {
    if (ctx.edition == Edition::Purchase) return std::nullopt;
    const InvoiceRead r = readInvoiceSettings(ctx.files, ctx.programFolder());
    if (r.state != InvoiceFile::Read || !r.settings.printsQualified()) return std::nullopt;
    return r.settings;
}

int applicableRate(const AppContext& ctx) {
    const double r = ctx.settings.taxRate;
    return money::holdsWhole(r) && r > 0 && r < 100 ? static_cast<int>(r) : 0;
}

std::vector<RateTotal> roundedPerRate(const std::vector<std::pair<int, double>>& amounts) {
    std::map<int, double> byRate;
    for (const auto& [rate, amount] : amounts) byRate[rate] += amount;
    std::vector<RateTotal> out;
    for (const auto& [rate, taxable] : byRate) {
        const double total = money::yen(taxable);
        out.push_back({rate, total, money::percent(total, rate)});
    }
    return out;
}

std::vector<RateTotal> summedPerRate(const std::vector<RateTotal>& slips) {
    std::map<int, RateTotal> byRate;
    for (const RateTotal& s : slips) {
        RateTotal& t = byRate[s.rate];
        t.rate = s.rate;
        t.taxable += s.taxable;
        t.tax += s.tax;
    }
    std::vector<RateTotal> out;
    for (const auto& [rate, t] : byRate) out.push_back(t);
    return out;
}

std::vector<RateTotal> deliveryNoteTax(const PrintedSlip& slip, int rate) {
    std::vector<std::pair<int, double>> amounts;
    for (const PrintedLine& l : slip.lines) amounts.emplace_back(rate, l.line.amount);
    std::vector<RateTotal> out = roundedPerRate(amounts);
    if (out.empty()) out.push_back({rate, 0, 0});
    // Every line carries the one rate, so the stored tax is that rate's.
    if (slip.header.stage >= kStageProcessed && out.size() == 1) out[0].tax = money::yen(slip.header.tax);
    return out;
}

std::vector<RateTotal> billTax(const std::vector<BilledSlip>& slips, int rate) {
    std::vector<RateTotal> each;
    for (const BilledSlip& s : slips) each.push_back({rate, s.amount, s.tax});
    return summedPerRate(each);
}

std::string rateLine(const RateTotal& r) {
    return std::to_string(r.rate) + "%対象 ¥" + number(r.taxable) + " 消費税 ¥" + number(r.tax);
}

std::string registrationLine(const InvoiceSettings& s) {
    return std::string(msg::kRegistrationNumber) + s.numberText();
}

void registrationText(Page& page, const PageMetrics& m, const InvoiceSettings& s) {
    // Below the company's name (title font, at most 5/4 u high from 3 1/2 u under the name rule).
    const int x = m.left + 66 * m.h;
    const std::string text = registrationLine(s);
    page.text(x, nameRuleY(m) + 5 * m.u, text, FontRole::Data, Align::Left, dataFit(m, text, m.right - x));
}

int qualifiedLines(Page& page, const PageMetrics& m, int x, int y, int width, const std::vector<std::string>& lines) {
    for (const std::string& s : lines) {
        page.text(x, y, s, FontRole::Data, Align::Left, dataFit(m, s, width));
        y += m.u + m.u / 8;
    }
    return y;
}

}  // namespace rk::printing
