// Delivery notes and bills as qualified invoices: the issuer's registration number, and per
// tax rate the taxable total and the tax. A delivery note rounds its tax once per rate; a bill
// lists slips whose tax receivable processing already rounded slip by slip, so it names the
// delivery notes as the qualified invoices and adds up their taxes per rate.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/app_context.h"
#include "app/invoice_settings.h"
#include "printing/page_plan.h"
#include "printing/slip_snapshot.h"

namespace rk::printing {

struct BilledSlip;

struct RateTotal {
    int rate = 0;  // whole percent
    double taxable = 0;
    double tax = 0;
};

// The issuer's settings when delivery notes and bills print as qualified invoices: the file of
// the program folder reads, its switch is on with a number of the right shape, and the
// documents are the sales side's (the purchase edition's receipts and statements are the
// buyer's papers). Read afresh for each print run, so a change in the settings window counts
// at once.
std::optional<InvoiceSettings> qualifiedIssuer(const AppContext& ctx);

// The rate the slips are taxed at: the settings' rate as a whole percent, as receivable
// processing takes it.
int applicableRate(const AppContext& ctx);

// Taxable amounts (rate, amount) added up per rate, rates ascending; the tax of each rate is
// rounded once, toward zero, from its total.
std::vector<RateTotal> roundedPerRate(const std::vector<std::pair<int, double>>& amounts);

// Taxes already rounded per slip, added up per rate with their taxable amounts.
std::vector<RateTotal> summedPerRate(const std::vector<RateTotal>& slips);

// A delivery note's totals per rate: the amounts of its lines, the tax rounded once per rate.
// A processed slip states the tax receivable processing stored for it, which the slip's
// receivable amount and every bill carry.
std::vector<RateTotal> deliveryNoteTax(const PrintedSlip& slip, int rate);

// A bill's totals per rate: the amounts and the stored taxes of its slips added up.
std::vector<RateTotal> billTax(const std::vector<BilledSlip>& slips, int rate);

// "10%対象 ¥12,345 消費税 ¥1,234"
std::string rateLine(const RateTotal& r);
// "登録番号 T1234567890123"
std::string registrationLine(const InvoiceSettings& s);

// The registration number under the company's name in the slip heading.
void registrationText(Page& page, const PageMetrics& m, const InvoiceSettings& s);

// Texts one below the other from (x, y), each fitted into `width`; returns the y below them.
int qualifiedLines(Page& page, const PageMetrics& m, int x, int y, int width, const std::vector<std::string>& lines);

}  // namespace rk::printing
