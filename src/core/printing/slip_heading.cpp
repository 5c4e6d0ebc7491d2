#include "printing/slip_heading.h"

#include <algorithm>
#include <cstdio>

#include "base/cp932.h"
#include "printing/conventions.h"

namespace rk::printing {

namespace {

template <size_t N>
std::string field(const char (&f)[N]) {
    return fieldText(f);
}

}  // namespace

std::string nameWithHonorific(const CustomerRecord& c) {
    const std::string honorific = field(c.honorific);
    return field(c.name) + (honorific.empty() ? "" : " " + honorific);
}

bool isFederation(const CustomerRecord& c) {
    const std::string name = cp932::toUtf8(c.name);
    return name.find("経済連") != std::string::npos || name.find("全農") != std::string::npos;
}

int slipHeading(Page& page, const PageMetrics& m, const HeadingData& d) {
    static const CustomerRecord kNone{};
    static const BasicSettings kNoCompany{};
    const CustomerRecord& c = d.customer ? *d.customer : kNone;
    const BasicSettings& s = d.company ? *d.company : kNoCompany;
    const int u = m.u;
    auto x = [&m](int units) { return m.left + units * m.h; };
    auto y = [&m](int at) { return m.top + at; };

    page.text(x(1), y(0), postalCode(c.postalFirst, c.postalSecond));
    page.text(x(70), y(0), headingDate(d.date, s.businessYear, s.firstMonth) + " ");
    page.text(x(1), y(2 * u), field(c.address));

    const int y0 = 3 * u;
    // The name rule, drawn twice so it reads as a heavy line.
    const int ruleLength = m.titleHeight > 0 ? 6 * m.titleHeight : 10 * u;
    const int inner = u < 37 ? y0 - 4 : y0 - 6;
    for (int at : {inner, y0}) page.rule(x(40), y(at), x(40) + ruleLength, y(at));

    const std::string producer = field(c.producerCode);
    if (isFederation(c)) {
        char consignment[40];
        std::snprintf(consignment, sizeof consignment, "送状No. 3 %04d0", d.consignment % 10000);
        page.text(x(64), y(y0), "生産者コード");
        page.text(x(72), y(y0), producer);
        page.text(x(90), y(y0), consignment);
    } else if (!producer.empty()) {
        page.text(x(66), y(y0), "生産者No");
        page.text(x(80), y(y0), producer);
    }

    page.text(x(1), y(y0 + u), field(c.phone));
    page.text(x(66), y(y0 + 2 * u), field(s.address));
    const std::string department = field(c.department);
    if (!department.empty()) page.text(x(1), y(y0 + 5 * u), department);
    page.text(x(66), y(y0 + 6 * u), field(s.department));
    const int underCustomer = y0 + (department.empty() ? 6 : 7) * u;
    page.rule(x(1), y(underCustomer), x(38), y(underCustomer));
    page.text(x(66), y(y0 + 8 * u), field(s.phone));
    page.text(x(66), y(y0 + 10 * u), field(s.bank1));
    char code[32];
    std::snprintf(code, sizeof code, "ｺｰﾄﾞ  %d ", d.customerCode);
    page.text(x(1), y(y0 + 11 * u), code);
    page.text(x(66), y(y0 + 12 * u), field(s.bank2));

    const int y1 = y0 + 14 * u;
    if (!d.noDoubleRule) {
        page.rule(m.left, y(y1 + 1), m.right, y(y1 + 1));
        page.rule(m.left, y(y1 + 2), m.right, y(y1 + 2));
    }
    return y(y1);
}

void headingPicture(Page& page, const PageMetrics& m, FileSystem& fs, const fs::path& folder, const char* name) {
    const fs::path file = resolveCase(folder / name);
    if (!fs.exists(file)) return;
    const int x = m.left + 66 * m.h;
    page.images.push_back({x, nameRuleY(m) + 3 * m.u / 2, std::min(39 * m.h, m.right - x), 11 * m.u, file.string()});
}

void titleBlock(Page& page, const PageMetrics& m, const std::string& title, const std::string& name,
                const std::string& company) {
    // Each text keeps to its place whatever its length, by a smaller height where needed: the
    // title between the name rule's start and the date at 70h, the name on its rule and the
    // company name up to the right edge.
    const int nameHeight = std::min(m.titleHeight, 5 * m.u / 4);
    page.text(nameRuleX(m), m.top, title, FontRole::Title, Align::Left, fittingHeight(title, m.titleHeight, 29 * m.h));
    const int nameFit = fittingHeight(name, nameHeight, m.right - nameRuleX(m));
    page.text(nameRuleX(m), nameRuleY(m) - nameFit - 2, name, FontRole::Title, Align::Left, nameFit);
    const int companyX = m.left + 66 * m.h;
    page.text(companyX, nameRuleY(m) + 7 * m.u / 2, company, FontRole::Title, Align::Left,
              fittingHeight(company, nameHeight, m.right - companyX));
}

}  // namespace rk::printing
