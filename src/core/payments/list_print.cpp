#include "payments/list_print.h"

#include <cstdio>
#include <functional>

#include "base/cp932.h"
#include "base/format.h"
#include "masters/customer_master.h"
#include "masters/master_io.h"
#include "payments/payment_file.h"
#include "printing/conventions.h"
#include "slips/slip_index.h"

namespace rk::payments {
namespace {

using printing::Align;
using printing::Document;
using printing::FontRole;
using printing::Page;

struct Column {
    const char* title;
    int edge;  // in horizontal units: left edge of a left column, right edge of the others
    bool left = false;
};

std::string money(double v) { return fmt::grouped(static_cast<int64_t>(v), 13); }

std::string range(int32_t start, int32_t end) {
    char buf[96];
    std::snprintf(buf, sizeof buf, "集計範囲 %d月 %d日 ～ %d月 %d日", start / 100, start % 100, end / 100, end % 100);
    return buf;
}

// Lays out rows under a title and the column heads, as many pages as they take.
Document plan(const AppContext& ctx, const printing::PrintForm& form, const printing::PageArea& area, const char* title,
              const std::string& subtitle, const std::vector<Column>& columns,
              const std::vector<std::vector<std::string>>& rows) {
    const printing::PageMetrics m = printing::pageMetrics(form, area);
    Document d = printing::documentFor(form, m, title);
    const int row = std::max(1, 3 * m.u / 2);
    const int headTop = m.top + 6 * m.u;
    const int first = headTop + row + m.u / 2;
    const int perPage = std::max(1, (m.bottom - first) / row);
    const int pages = std::max<int>(1, (static_cast<int>(rows.size()) + perPage - 1) / perPage);
    const int x0 = m.left, x1 = m.left + 103 * m.h;
    auto cells = [&](Page& p, int y, const std::vector<std::string>& texts, FontRole font) {
        for (size_t c = 0; c < columns.size() && c < texts.size(); ++c) {
            const int x = m.left + columns[c].edge * m.h;
            p.text(columns[c].left ? x : x - m.h / 2, y, texts[c], font, columns[c].left ? Align::Left : Align::Right);
        }
    };
    for (int n = 0; n < pages; ++n) {
        Page p;
        p.text((x0 + x1) / 2, m.top, title, FontRole::Title, Align::Center);
        p.text(x0, m.top + 3 * m.u, subtitle);
        p.text(x1, m.top + 3 * m.u, printing::dateStamp(ctx.clock) + "  " + printing::pageNumber(n + 1), FontRole::Data,
               Align::Right);
        std::vector<std::string> heads;
        for (const Column& c : columns) heads.emplace_back(c.title);
        cells(p, headTop, heads, FontRole::Data);
        p.rule(x0, headTop + row, x1, headTop + row, 2);
        const size_t from = static_cast<size_t>(n) * static_cast<size_t>(perPage);
        for (size_t i = from; i < rows.size() && i < from + static_cast<size_t>(perPage); ++i)
            cells(p, first + static_cast<int>(i - from) * row, rows[i], FontRole::Data);
        if (n + 1 < pages) p.text(x1, m.bottom - row, printing::kContinued, FontRole::Data, Align::Right);
        d.pages.push_back(std::move(p));
    }
    return d;
}

std::string nameOf(int n, const char* field, size_t width, size_t limit) {
    const std::string_view s(field, cp932::fieldLength(field, width));
    char number[16];
    std::snprintf(number, sizeof number, "%4d  ", n);
    return number + cp932::toUtf8(s.substr(0, cp932::cutAtCharBoundary(s, limit)));
}

}  // namespace

Document planBillingList(const AppContext& ctx, const printing::PrintForm& form, const printing::PageArea& area,
                         const BillingTable& table, const std::vector<CustomerRecord>& customers, int32_t start,
                         int32_t end) {
    const bool sales = ctx.edition != Edition::Purchase;
    const std::vector<Column> columns = {{" No.  得 意 先 名", 0, true},
                                         {"  伝票数", 40},
                                         {sales ? "  売上額" : "仕入れ額", 53},
                                         {sales ? "  手数料" : "手数料益", 65},
                                         {"販売費計", 77},
                                         {"  集計額", 90},
                                         {"前期残高", 103}};
    std::vector<std::vector<std::string>> rows;
    double balances = 0;
    for (size_t n = 1; n < customers.size(); ++n) {
        const CustomerRecord& c = customers[n];
        const CustomerBill& b = table.of(static_cast<int>(n));
        balances += c.balance;
        if (b.count() == 0 && c.balance == 0) continue;
        rows.push_back({nameOf(static_cast<int>(n), c.name, sizeof c.name, 24), std::to_string(b.count()),
                        money(b.sums.sales), money(b.sums.commission), money(b.sums.costs), money(b.sums.billed),
                        money(c.balance)});
    }
    rows.push_back({"      合　計", std::to_string(table.slipCount), money(table.totals.sales),
                    money(table.totals.commission), money(table.totals.costs), money(table.totals.billed),
                    money(balances)});
    return plan(ctx, form, area, "【 請求データ集計 】", range(start, end), columns, rows);
}

Document planPaymentList(const AppContext& ctx, const printing::PrintForm& form, const printing::PageArea& area,
                         const PaymentList& list) {
    const bool sales = ctx.edition != Edition::Purchase;
    const std::vector<Column> columns = {{"No.   得意先名", 0, true},
                                         {" 伝票数", 56},
                                         {sales ? " 入金日" : " 出金日", 68},
                                         {" 送金料", 84},
                                         {sales ? " 入金額" : " 出金額", 103}};
    std::vector<std::vector<std::string>> rows;
    int number = 0;
    for (const ListEntry& e : list.entries()) {
        ++number;
        if (e.deleted()) continue;
        char date[16];
        std::snprintf(date, sizeof date, "%2d-%2d", e.date / 100, e.date % 100);
        char head[16];
        std::snprintf(head, sizeof head, "%4d ", number);
        rows.push_back({head + nameOf(e.customer, e.name.data(), e.name.size(), 24), std::to_string(e.slipCount), date,
                        money(e.fee), money(e.paid)});
    }
    rows.push_back({"      合　計", "", "", money(list.feeTotal()), money(list.paidTotal())});
    return plan(ctx, form, area, sales ? "【 入金データ集計 】" : "【 出金データ集計 】",
                range(list.periodStart, list.periodEnd), columns, rows);
}

std::string receiptAmount(double amount) {
    const std::string digits = fmt::groupDigits(std::to_string(static_cast<int64_t>(amount)));
    std::string out = "¥";
    for (char c : digits) {
        if (c >= '0' && c <= '9') {
            // U+FF10.. in UTF-8: EF BC 90..99
            out += "\xEF\xBC";
            out += static_cast<char>(0x90 + (c - '0'));
        } else {
            out += c;
        }
    }
    return out + "※";
}

Document planReceipt(const AppContext& ctx, const printing::PrintForm& form, const printing::PageArea& area,
                     const PaymentRecord& payment) {
    const printing::PageMetrics m = printing::pageMetrics(form, area);
    Document d = printing::documentFor(form, m, "領収書");
    Page p;
    const int x0 = m.left, x1 = m.left + 103 * m.h, mid = (x0 + x1) / 2;
    p.text(mid, m.top + 2 * m.u, "領　収　書", FontRole::Title, Align::Center);

    CustomerRecord c{};
    masters::readCustomer(ctx.files, ctx.fileSet[kCustomers], payment.customer, c);
    const std::string name = cp932::toUtf8(payment.customerName, sizeof payment.customerName);
    const std::string honorific = cp932::toUtf8(c.honorific, sizeof c.honorific);
    const int nameY = m.top + 8 * m.u;
    p.text(x0 + 8 * m.h, nameY, name + " " + honorific, FontRole::Title);
    p.rule(x0 + 8 * m.h, nameY + 2 * m.u, x0 + 60 * m.h, nameY + 2 * m.u);
    p.text(x1 - 8 * m.h, nameY + 4 * m.u, cp932::toUtf8(ctx.settings.name, sizeof ctx.settings.name), FontRole::Data,
           Align::Right);

    const int boxY = nameY + 8 * m.u;
    p.box(x0 + 20 * m.h, boxY, 63 * m.h, 4 * m.u);
    p.text(mid, boxY + m.u, receiptAmount(payment.paid), FontRole::Title, Align::Center);
    p.text(mid, boxY + 6 * m.u, "上記正に領収しました", FontRole::Data, Align::Center);

    std::vector<int32_t> dates;
    for (int32_t s : settledSlips(payment)) {
        SlipHeader h{};
        if (s < 1 || !ctx.files.readZeroFilled(ctx.fileSet[kSlipHeaders], static_cast<uint64_t>(s) * kSlipHeaderSize,
                                               bytesOf(h)))
            continue;
        dates.push_back(std::abs(h.date));
    }
    std::string what = "但し    売り掛けに対するご入金です";
    if (!dates.empty()) {
        char buf[128];
        std::snprintf(buf, sizeof buf, "但し    納品日 %d月%d日  から  %d月%d日  まで", dates.front() / 100,
                      dates.front() % 100, dates.back() / 100, dates.back() % 100);
        what = buf;
    }
    p.text(x0 + 20 * m.h, boxY + 9 * m.u, what);
    d.pages.push_back(std::move(p));
    return d;
}

}  // namespace rk::payments
