#include "tables/table_graph.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "tables/report_print.h"
#include "tables/search_messages.h"

namespace rk::tables {

namespace {

constexpr double kMaxima[16] = {10,     50,     100,     500,     1000,     5000,     10000,     50000,
                                100000, 500000, 1000000, 5000000, 10000000, 50000000, 100000000, 500000000};

std::string fullWidth(long long v) {
    static const char* const kDigits[10] = {"０", "１", "２", "３", "４", "５", "６", "７", "８", "９"};
    const std::string digits = std::to_string(v);
    std::string out = digits.size() < 2 ? "　" : "";
    for (char c : digits) out += kDigits[c - '0'];
    return out;
}

Measure measureOfData(GraphData d) { return static_cast<Measure>(static_cast<int>(d) % 3); }

double valueOf(const Sum& s, Measure m) { return measureOf(s, m); }

}  // namespace

int graphDataCount(bool month) { return month ? 9 : 3; }

double axisMaximum(int step) { return kMaxima[std::clamp(step, 0, 15)]; }

int axisStep(double v) {
    for (int s = 0; s < 15; ++s)
        if (v <= kMaxima[s]) return s;
    return 15;
}

std::string axisLabel(double value, int step) {
    const long long v = std::llround(value);
    if (step <= 1) return fullWidth(v);
    if (step <= 4) return std::to_string(v);
    struct Unit {
        double size;
        const char* name;
    };
    static constexpr Unit kUnits[] = {{1e8, "億"}, {1e7, "千万"}, {1e4, "万"}, {1e3, "千"}};
    // The smallest unit an axis uses: its labels never fall below a tenth of it.
    const double floor = step <= 6 ? 1e3 : step <= 12 ? 1e4 : 1e7;
    Unit unit{floor, floor == 1e3 ? "千" : floor == 1e4 ? "万" : "千万"};
    for (const Unit& u : kUnits)
        if (u.size >= floor && value >= u.size) {
            unit = u;
            break;
        }
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", value / unit.size);
    return buf + std::string(unit.name);
}

std::array<uint32_t, kGraphSeries> defaultGraphColours() {
    return {0xE00000, 0x0000E0, 0x008000, 0xC000C0, 0xE08000, 0x008080, 0x804000};
}

GraphView defaultGraphView() {
    GraphView v;
    const auto colours = defaultGraphColours();
    for (int i = 0; i < kGraphSeries; ++i) v.series[static_cast<size_t>(i)].colour = colours[static_cast<size_t>(i)];
    v.series[0].code = 0;  // the totals, until the operator chooses codes
    return v;
}

GraphPoints graphPoints(const TableResult& r, const GraphView& v) {
    GraphPoints g;
    const bool month = tableKind(r.kind).month;
    const int d = static_cast<int>(v.data);
    const bool years = month && d >= 3 && d < 6, running = month && d >= 6;
    for (int e : r.order) {
        const int label = r.labels[static_cast<size_t>(e)];
        if (label == 0) continue;
        const bool yearTotal = month && label % 100 == 0;
        if (yearTotal != years) continue;
        g.periods.push_back(e);
        g.labels.push_back(periodLabel(label));
    }
    const Measure m = measureOfData(v.data);
    // Running sums restart with each business year.
    auto sums = [&](int code) {
        std::vector<double> out;
        Sum run;
        int year = 0;
        for (int e : g.periods) {
            const Sum& s = code == 0 ? r.periods[static_cast<size_t>(e)] : r.cell(e, code);
            if (!running) {
                out.push_back(valueOf(s, m));
                continue;
            }
            const int y = r.labels[static_cast<size_t>(e)] / 100;
            if (y != year) run = Sum{}, year = y;
            run.add(s.quantity, s.amount);
            out.push_back(valueOf(run, m));
        }
        return out;
    };
    double left = 0, right = 0;
    for (int k : r.keys)
        for (double x : sums(k)) left = std::max(left, x);
    for (double x : sums(0)) right = std::max(right, x);
    g.leftStep = axisStep(left);
    g.rightStep = axisStep(right);
    for (int i = 0; i < kGraphSeries; ++i) {
        const int code = v.series[static_cast<size_t>(i)].code;
        if (code == 0 || (code > 0 && code < r.codeSlots)) g.values[static_cast<size_t>(i)] = sums(code);
    }
    return g;
}

printing::Page planGraph(const TableResult& r, const GraphView& v, const std::vector<std::string>& names,
                         const printing::PageArea& area, int textHeight) {
    using printing::Align;
    printing::Page page;
    const GraphPoints g = graphPoints(r, v);
    const int th = std::max(1, textHeight);
    const int left = area.left + th * 5, right = area.right - th * 5;
    const int top = area.top + th * 2, bottom = area.bottom - th * 3;
    const int w = std::max(1, right - left), h = std::max(1, bottom - top);
    // Axes and the ten gridlines with the labels of both scales.
    page.rule(left, top, left, bottom, 2);
    page.rule(right, top, right, bottom, 2);
    page.rule(left, bottom, right, bottom, 2);
    const double lmax = axisMaximum(g.leftStep), rmax = axisMaximum(g.rightStep);
    for (int i = 1; i <= 10; ++i) {
        const int y = bottom - h * i / 10;
        page.rules.push_back({left, y, right, y, 1, 0xC0C0C0});
        page.text(left - th / 2, y - th / 2, axisLabel(lmax * i / 10, g.leftStep), printing::FontRole::Data,
                  Align::Right, th);
        page.text(right + th / 2, y - th / 2, axisLabel(rmax * i / 10, g.rightStep), printing::FontRole::Data,
                  Align::Left, th);
    }
    page.text(right + th / 2, top - th * 2, msg::kGraphTotalScale, printing::FontRole::Data, Align::Left, th);
    page.text(left, top - th * 2, msg::kGraphModes[static_cast<int>(v.data)], printing::FontRole::Data, Align::Left,
              th);
    // Fourteen periods from `first`.
    const int count = static_cast<int>(g.periods.size());
    const int first = std::clamp(v.first, 0, std::max(0, count - 1));
    const int shown = std::min(kGraphPeriods, count - first);
    auto xOf = [&](int i) { return left + w * (2 * i + 1) / (2 * kGraphPeriods); };
    for (int i = 0; i < shown; ++i)
        page.text(xOf(i), bottom + th / 2, g.labels[static_cast<size_t>(first + i)], printing::FontRole::Data,
                  Align::Center, th);
    for (int s = 0; s < kGraphSeries; ++s) {
        const auto& values = g.values[static_cast<size_t>(s)];
        if (values.empty()) continue;
        const GraphSeries& series = v.series[static_cast<size_t>(s)];
        const double max = series.code == 0 ? rmax : lmax;
        auto yOf = [&](double x) { return bottom - static_cast<int>(h * std::clamp(x / max, 0.0, 1.0)); };
        for (int i = 0; i + 1 < shown; ++i)
            page.rules.push_back({xOf(i), yOf(values[static_cast<size_t>(first + i)]), xOf(i + 1),
                                  yOf(values[static_cast<size_t>(first + i + 1)]), 3, series.colour});
        // The series' number and name in its colour under the axis.
        const std::string name = series.code == 0 ? "合計"
                                 : static_cast<size_t>(series.code) < names.size()
                                     ? names[static_cast<size_t>(series.code)]
                                     : std::string();
        char head[24];
        std::snprintf(head, sizeof head, "%d:%d ", s + 1, series.code);
        const int x = left + (w / kGraphSeries) * s;
        page.rules.push_back({x, bottom + th * 2 + th / 2, x + th, bottom + th * 2 + th / 2, 3, series.colour});
        page.text(x + th + th / 4, bottom + th * 2, head + name, printing::FontRole::Data, Align::Left, th);
    }
    return page;
}

}  // namespace rk::tables
