#include "masters/customer_groups.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>

#include "base/cp932.h"
#include "masters/customer_master.h"
#include "masters/messages.h"

namespace rk::masters {

namespace {
// A stored link is a customer number, negated for a member; a damaged one may be the lowest int.
int negated(int link) { return link == std::numeric_limits<int>::min() ? 0 : -link; }
}  // namespace

void CustomerGroupTable::load(int n, const CustomerRecord& r) {
    if (!inRange(n)) return;
    std::memcpy(at(n).data(), &r.groupLink, sizeof(Entry));
}

void CustomerGroupTable::storeInto(int n, CustomerRecord& r) const {
    if (!inRange(n)) return;
    std::memcpy(&r.groupLink, entry(n).data(), sizeof(Entry));
}

std::vector<int> CustomerGroupTable::members(int n) const {
    std::vector<int> out;
    int k = std::min(link(n), kMaxGroupMembers);
    for (int i = 1; i <= k; ++i)
        if (inRange(entry(n)[static_cast<size_t>(i)])) out.push_back(entry(n)[static_cast<size_t>(i)]);
    return out;
}

std::optional<CustomerGroupTable::Refusal> CustomerGroupTable::applySelection(int c,
                                                                              const std::vector<bool>& selected) {
    if (!inRange(c)) return std::nullopt;
    if (link(c) < 0) {
        // A member cannot head a group of its own; its own link stays as it is.
        for (int m = 1; m <= count_ && m < static_cast<int>(selected.size()); ++m)
            if (selected[static_cast<size_t>(m)]) return Refusal{m, msg::kMemberCannotLead};
        return std::nullopt;
    }
    // Every entry touched is saved first, so a refusal leaves the whole table as it was.
    std::vector<std::pair<int, Entry>> saved{{c, at(c)}};
    auto undo = [&] {
        for (auto it = saved.rbegin(); it != saved.rend(); ++it) at(it->first) = it->second;
    };
    at(c).fill(0);
    for (int m = 1; m <= count_ && m < static_cast<int>(selected.size()); ++m) {
        int l = link(m);
        if (!selected[static_cast<size_t>(m)]) {
            if (l == -c) {
                saved.emplace_back(m, at(m));
                at(m)[0] = 0;
            }
            continue;
        }
        const char* refusal = m == c                         ? msg::kOwnNumberAsMember
                              : l > 0                        ? msg::kRepresentativeAsMember
                              : l < 0 && l != -c             ? msg::kMemberOfOtherGroup
                              : at(c)[0] >= kMaxGroupMembers ? msg::kGroupFull
                                                             : nullptr;
        if (refusal) {
            undo();
            return Refusal{m, refusal};
        }
        saved.emplace_back(m, at(m));
        int k = ++at(c)[0];
        at(c)[static_cast<size_t>(k)] = m;
        at(m)[0] = -c;
    }
    return std::nullopt;
}

void CustomerGroupTable::clear(int c) {
    if (!inRange(c)) return;
    int l = link(c);
    if (l < 0 && inRange(-l)) {
        Entry& p = at(-l);
        int k = std::clamp(p[0], 0, kMaxGroupMembers);
        auto first = p.begin() + 1, last = p.begin() + 1 + k;
        auto it = std::find(first, last, c);
        if (it != last) {
            std::move(it + 1, p.end(), it);
            p[63] = 0;
            p[0] = std::max(p[0] - 1, 0);
        }
    }
    for (size_t i = 1; i < 64; ++i) {
        int m = at(c)[i];
        if (inRange(m) && link(m) == -c) at(m)[0] = 0;
        at(c)[i] = 0;
    }
    at(c)[0] = 0;
}

void CustomerGroupTable::checkAtClose(Dialogs& dialogs) const {
    char text[512];
    bool go = true;
    for (int i = 1; i <= count_ && go; ++i) {
        int n = std::min(link(i), kMaxGroupMembers);
        for (int s = 1; s <= n && go; ++s) {
            int m = entry(i)[static_cast<size_t>(s)];
            if (link(m) == -i) continue;
            std::snprintf(text, sizeof text, msg::kGroupMemberMismatch, i, link(i), m, negated(link(m)));
            go = dialogs.ask(text, Buttons::YesNo, Answer::Yes) == Answer::Yes;
        }
    }
    go = true;
    for (int i = 1; i <= count_ && go; ++i) {
        int p = negated(link(i));
        if (p <= 0) continue;
        auto list = members(p);
        if (std::find(list.begin(), list.end(), i) != list.end()) continue;
        std::snprintf(text, sizeof text, msg::kGroupParentMismatch, i, p);
        go = dialogs.ask(text, Buttons::YesNo, Answer::Yes) == Answer::Yes;
    }
}

WriteResult CustomerGroupTable::writeBack(FileSystem& fs, const fs::path& file) const {
    SharedWrite w(fs, file.parent_path());
    if (!w.ready()) return w.result();
    std::vector<CustomerRecord> all(static_cast<size_t>(count_) + 1);
    std::span<std::byte> block(reinterpret_cast<std::byte*>(all.data()), all.size() * sizeof(CustomerRecord));
    if (!w.read(file, 0, block)) return w.result();
    // Only the group area of the customers whose group data differs is written; the other
    // fields stay as the live file has them.
    for (int n = 1; n <= count_; ++n) {
        CustomerRecord r = all[static_cast<size_t>(n)];
        storeInto(n, r);
        tidyGroupArea(r, count_);
        if (std::memcmp(&r, &all[static_cast<size_t>(n)], sizeof r) != 0) w.writeRecord(file, n, r);
    }
    return w.commit();
}

}  // namespace rk::masters
