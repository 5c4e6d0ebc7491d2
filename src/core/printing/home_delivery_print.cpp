#include "printing/home_delivery_print.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <tuple>

#include "base/format.h"
#include "printing/conventions.h"
#include "printing/slip_snapshot.h"

namespace rk::printing {

const char* const kFormRowLabels[kFormRowsShown] = {
    "文字サイズ",  "市 外 局 番", "市 内 局 番",   "加 入 番 号",   "所 在 地 １",   "所 在 地 ２",
    "所 在 地 ３", " 名　 　前 ", "着店 / 発店１", "着店 / 発店２", "着月 / 発月",   "着日 / 発日",
    "〒番号 元番", "〒番号 枝番", "料金 １－２",   "料金計/未使用", "商品名/備考文", "未 使 用  ",
};

namespace {

fs::path formFile(const fs::path& programFolder) { return resolveCase(programFolder / kHomeDeliveryFormFile); }

std::string printf1(const char* f, int v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, f, v);
    return buf;
}

}  // namespace

std::optional<HomeDeliveryForm> loadHomeDeliveryForm(FileSystem& fs, const fs::path& programFolder) {
    const fs::path file = formFile(programFolder);
    HomeDeliveryForm form;
    if (!fs.exists(file)) {
        if (!fs.createZeroed(file, sizeof form)) return std::nullopt;
        return form;
    }
    if (!fs.readZeroFilled(file, 0, bytesOf(form))) return std::nullopt;
    return form;
}

bool saveHomeDeliveryForm(FileSystem& fs, const fs::path& programFolder, const HomeDeliveryForm& form) {
    return fs.replaceWhole(formFile(programFolder), bytesOf(form));
}

HomeDeliveryRun collectHomeDelivery(const AppContext& ctx, const HomeDeliverySelection& sel) {
    HomeDeliveryRun run;
    const SlipSnapshot files(ctx);
    auto data = ctx.files.readAll(ctx.fileSet[kHomeDelivery]);
    if (!files.ok() || !data) {
        run.unreadable = true;
        return run;
    }
    const int first = ctx.settings.firstMonth;
    const int from = monthday::businessKey(sel.from, first), to = monthday::businessKey(sel.to, first);
    struct Found {
        int key, customer, record;
    };
    std::vector<Found> slips;
    const auto& index = files.index();
    for (size_t n = 1; n < index.size(); ++n) {
        const IndexEntry& e = index[n];
        if (!liveDate(e.first) || e.second < sel.firstCustomer || e.second > sel.lastCustomer) continue;
        const int key = monthday::businessKey(e.first, first);
        if (key < from || key > to) continue;
        slips.push_back({key, e.second, static_cast<int>(n)});
    }
    std::sort(slips.begin(), slips.end(),
              [](const Found& a, const Found& b) { return std::tie(a.key, a.customer) < std::tie(b.key, b.customer); });
    for (const Found& f : slips) {
        const PrintedSlip s = files.slip(f.record, false);
        if (s.header.date != index[static_cast<size_t>(f.record)].first) continue;  // index out of step
        const CustomerRecord customer = files.customer(s.header.customer);
        bool any = false;
        for (const PrintedLine& l : s.lines) {
            if (l.line.word200 <= 0) continue;
            for (const delivery::ChainSlip& c : delivery::chainIn(*data, l.line.word200)) {
                Consignment k;
                k.record = c.record;
                k.date = s.header.date;
                k.customer = s.header.customer;
                k.line = l.number;
                k.customerName = fieldText(s.header.customerName);
                if (k.customerName.empty()) k.customerName = fieldText(customer.name);
                k.product = fieldText(l.line.productName);
                k.remark = fieldText(l.line.remark);
                run.consignments.push_back(std::move(k));
                any = true;
            }
        }
        if (any) ++run.slips;
    }
    return run;
}

std::string homeDeliveryItem(const Consignment& c, int row, int side) {
    const HomeDeliveryRecord& r = c.record;
    const bool dest = side == 0;
    const int32_t* phone = dest ? r.destPhone : r.originPhone;
    const int32_t* store = dest ? r.arrivalStore : r.departureStore;
    const int32_t* postal = dest ? r.destPostal : r.originPostal;
    const int32_t date = dest ? r.arrivalDate : r.shippingDate;
    switch (row) {
        case 1:
            return printf1(" %4d", phone[0]);
        case 2:
            return printf1(" %4d", phone[1]);
        case 3:
            return printf1("%04d", phone[2]);
        case 4:
            return fieldText(dest ? r.destAddress1 : r.originAddress1);
        case 5:
            return fieldText(dest ? r.destAddress2 : r.originAddress2);
        case 6:
            return fieldText(dest ? r.destAddress3 : r.originAddress3);
        case 7:
            return fieldText(dest ? r.destName : r.originName);
        case 8:
            return printf1("%2d", store[0]);
        case 9:
            return printf1("%2d", store[1]);
        case 10:
            return printf1("%2d", date / 100);
        case 11:
            return printf1("%2d", date % 100);
        case 12:
            return printf1("%03d", postal[0]);
        case 13:
            return printf1("%04d", postal[1]);
        case 14:
            return printf1(" %5d", r.fee[dest ? 0 : 1]);
        case 15:
            return dest ? printf1(" %5d", r.fee[0] + r.fee[1]) : std::string();
        case 16:
            return dest ? c.product : c.remark;
        default:
            return {};
    }
}

Document planHomeDelivery(const std::vector<Consignment>& items, const HomeDeliveryForm& form, const PageArea& area,
                          const std::vector<bool>& which) {
    Document doc;
    doc.name = "宅配伝票";
    doc.dataFont = systemFont();
    doc.titleFont = systemFont();
    const int height = form.at(0, 0) > 0 ? form.at(0, 0) : defaultDataHeight(area.dpi);
    doc.dataHeight = height;
    doc.titleHeight = height;
    for (size_t i = 0; i < items.size(); ++i) {
        if (!which.empty() && (i >= which.size() || !which[i])) continue;
        Page page;
        for (int row = 1; row <= 16; ++row) {
            for (int side = 0; side < 2; ++side) {
                const int x = form.at(2 * side, row), y = form.at(2 * side + 1, row);
                if (x <= 0) continue;
                std::string text = homeDeliveryItem(items[i], row, side);
                if (!text.empty()) page.text(x, y, std::move(text), FontRole::Data, Align::Left, height);
            }
        }
        doc.pages.push_back(std::move(page));
    }
    return doc;
}

}  // namespace rk::printing
