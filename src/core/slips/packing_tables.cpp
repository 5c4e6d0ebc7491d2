#include "slips/packing_tables.h"

#include <cstdlib>
#include <map>
#include <string>

#include "masters/master_io.h"
#include "slips/slip_messages.h"

namespace rk {
namespace {

// The text lines of a file; CR LF or LF.
std::vector<std::string> textLines(const Bytes& data) {
    std::vector<std::string> out;
    std::string cur;
    for (std::byte b : data) {
        const char c = static_cast<char>(b);
        if (c == '\n') {
            out.push_back(cur);
            cur.clear();
        } else if (c != '\r') {
            cur += c;
        }
    }
    if (!cur.empty()) out.push_back(cur);
    return out;
}

// Comma-separated integers; a missing or blank value is 0.
std::vector<int> integers(const std::string& line) {
    std::vector<int> out;
    size_t start = 0;
    while (start <= line.size()) {
        size_t comma = line.find(',', start);
        if (comma == std::string::npos) comma = line.size();
        out.push_back(static_cast<int>(std::strtol(line.substr(start, comma - start).c_str(), nullptr, 10)));
        start = comma + 1;
    }
    return out;
}

}  // namespace

void PackingTables::load() {
    loadPackingTable();
    loadCarriers();
}

void PackingTables::loadPackingTable() {
    const fs::path folder = ctx_.programFolder();
    table_.clear();
    haveTable_ = false;
    if (auto data = ctx_.files.readAll(resolveCase(folder / msg::kPackingTableFile))) {
        haveTable_ = true;
        for (const std::string& text : textLines(*data)) {
            if (table_.size() >= kRows) break;
            std::array<int, kGroups + 1> row{};
            auto v = integers(text);
            for (size_t k = 0; k < row.size() && k < v.size(); ++k) row[k] = v[k];
            table_.push_back(row);
        }
    }
}

void PackingTables::loadCarriers() {
    carriers_.clear();
    const fs::path carrierFile = resolveCase(ctx_.programFolder() / msg::kCarrierTableFile);
    auto data = ctx_.files.readAll(carrierFile);
    if (!data) {
        // Only a missing table is created (an unreadable one is left for the operator to
        // look at). Without it no carrier is known either way, so a failed creation only
        // means the next load tries again.
        if (ctx_.files.exists(carrierFile)) return;
        std::string fresh;
        for (int i = 0; i < 1024; ++i) fresh += "0,0 \r\n";
        if (!ctx_.files.replaceWhole(carrierFile, std::as_bytes(std::span(fresh)))) carriers_.clear();
        return;
    }
    for (const std::string& text : textLines(*data)) carriers_.push_back(integers(text)[0]);
}

int PackingTables::packages(int group, int boxes) const {
    if (!haveTable_) return 0;
    if (group >= 1 && group <= kGroups && boxes >= 0 && boxes < kRows) {
        return static_cast<size_t>(boxes) < table_.size() ? table_[boxes][group] : 0;
    }
    return group >= 1 && boxes > 0 ? (boxes + group - 1) / group : 0;
}

int PackingTables::carrierOf(int customer) const {
    return customer >= 1 && static_cast<size_t>(customer) <= carriers_.size() ? carriers_[customer - 1] : 0;
}

int PackingTables::groupOf(int product) {
    if (product < 1 || product > 999) return 1;
    ProductRecord p{};
    masters::readProduct(ctx_.files, ctx_.fileSet[kProducts], product, p);
    return std::max(1, p.packingGroup);
}

void PackingTables::fill(const SlipHeader& header, std::span<SlipLine> lines) {
    if (ctx_.env.showPackingCounts) return;  // typed by hand
    load();
    countPackages(lines);
    for (SlipLine& l : lines)
        if (l.carrier == 0) l.carrier = carrierOf(header.customer);
}

void PackingTables::countPackages(std::span<SlipLine> lines) {
    std::map<int, int> groups;
    auto group = [&](int product) {
        auto it = groups.find(product);
        if (it == groups.end()) it = groups.emplace(product, groupOf(product)).first;
        return it->second;
    };
    const size_t n = lines.size();
    int carry = 0;
    for (size_t j = 0; j < n; ++j) {
        SlipLine& l = lines[j];
        const int g = group(l.product);
        const int total = static_cast<int>(l.boxes) + carry;
        const bool last = j + 1 == n;
        if (last || group(lines[j + 1].product) != g || lines[j + 1].carrier != l.carrier) {
            l.packingCount = packages(g, total);
            carry = 0;
        } else {
            const SlipLine& next = lines[j + 1];
            const int quotient = total / g;
            l.packingCount = quotient;
            carry = total - quotient * g;
            const bool afterNextDiffers = j + 2 >= n || lines[j + 2].product != l.product;
            if (next.product == l.product && carry == 0 && next.boxes == 1 &&
                packages(g, total) == packages(g, total + 1) && afterNextDiffers) {
                l.packingCount = 0;
                carry = quotient;
            }
        }
    }
    if (carry > 0 && n > 0) lines[n - 1].packingCount += 1;
}

}  // namespace rk
