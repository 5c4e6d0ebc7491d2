#include "slips/master_lists.h"

#include <algorithm>
#include <cstdio>
#include <span>

#include "base/cp932.h"
#include "masters/account_items.h"
#include "masters/customer_master.h"
#include "masters/master_io.h"
#include "masters/master_records.h"
#include "slips/slip_index.h"
#include "slips/slip_lines.h"

namespace rk {
namespace {

// Records first..last of a master in one read; records past the end of the file are blank.
template <typename T>
std::vector<T> readRange(const AppContext& ctx, MasterSlot slot, int first, int last) {
    std::vector<T> rows(static_cast<size_t>(std::max(0, last - first + 1)));
    std::span<std::byte> block(reinterpret_cast<std::byte*>(rows.data()), rows.size() * sizeof(T));
    if (!rows.empty() && !ctx.files.readZeroFilled(ctx.fileSet[slot], static_cast<uint64_t>(first) * sizeof(T), block))
        rows.assign(rows.size(), T{});
    return rows;
}

std::string_view textOf(const char* field, size_t width) { return {field, cp932::fieldLength(field, width)}; }

std::string line(int code, std::string_view name, size_t limit) {
    char head[16];
    std::snprintf(head, sizeof head, "%4d  ", code);
    return head + std::string(name.substr(0, cp932::cutAtCharBoundary(name, limit)));
}

std::string_view trimmedText(std::string_view s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.remove_suffix(1);
    return s;
}

// Entries of codes first..last whose name (as `nameOf` gives it) holds `needle`; every entry
// when `needle` is empty and `all` is set.
template <typename T, typename NameOf>
std::vector<PickEntry> collect(const std::vector<T>& rows, int first, NameOf nameOf, size_t limit,
                               std::string_view needle, bool all) {
    std::vector<PickEntry> out;
    for (size_t i = 0; i < rows.size(); ++i) {
        const std::string_view name = nameOf(rows[i]);
        if (!all && cp932::findWhole(name, needle) == std::string_view::npos) continue;
        const int code = first + static_cast<int>(i);
        out.push_back({code, line(code, name, limit)});
    }
    return out;
}

std::vector<PickEntry> listOf(const AppContext& ctx, MasterKind kind, int last, std::string_view needle, bool all) {
    switch (kind) {
        case MasterKind::Product: {
            auto rows = readRange<ProductRecord>(ctx, kProducts, 1, last);
            return collect(
                rows, 1, [](const ProductRecord& r) { return textOf(r.name, sizeof r.name); }, 24, needle, all);
        }
        case MasterKind::Grade1:
        case MasterKind::Grade2: {
            const bool second = kind == MasterKind::Grade2;
            auto rows = readRange<GradeRecord>(ctx, kGrades, 1, last);
            return collect(
                rows, 1,
                [second](const GradeRecord& r) {
                    return second ? textOf(r.grade2Name, sizeof r.grade2Name)
                                  : textOf(r.grade1Name, sizeof r.grade1Name);
                },
                16, needle, all);
        }
        case MasterKind::Remark: {
            auto rows = readRange<RemarkRecord>(ctx, kRemarks, 1, last);
            return collect(
                rows, 1, [](const RemarkRecord& r) { return textOf(r.text, sizeof r.text); }, 40, needle, all);
        }
        case MasterKind::Account: {
            auto rows = readRange<AccountItemRecord>(ctx, kAccounts, kFirstAccountCode, masters::kLastAccountCode);
            std::vector<PickEntry> out;
            for (size_t i = 0; i < rows.size(); ++i) {
                const int code = kFirstAccountCode + static_cast<int>(i);
                const std::string_view name = code == kProfitAccountCode
                                                  ? std::string_view(masters::kProfitAccountName)
                                                  : textOf(rows[i].name, masters::kAccountNameLimit);
                out.push_back({code, line(code, name, masters::kAccountNameLimit)});
            }
            return out;
        }
        default:
            return {};
    }
}

}  // namespace

MasterKind referenceKind(int field) {
    switch (field) {
        case kFieldProduct:
        case kFieldName:
            return MasterKind::Product;
        case kFieldGrade1:
            return MasterKind::Grade1;
        case kFieldGrade2:
            return MasterKind::Grade2;
        case kFieldRemarkCode:
        case kFieldRemarkText:
            return MasterKind::Remark;
        case kFieldDebit:
        case kFieldCredit:
            return MasterKind::Account;
        default:
            return MasterKind::None;
    }
}

int codeField(MasterKind kind, int askedFrom) {
    switch (kind) {
        case MasterKind::Product:
            return kFieldProduct;
        case MasterKind::Grade1:
            return kFieldGrade1;
        case MasterKind::Grade2:
            return kFieldGrade2;
        case MasterKind::Remark:
            return kFieldRemarkCode;
        default:
            return askedFrom;
    }
}

std::vector<PickEntry> referenceList(const AppContext& ctx, MasterKind kind) {
    switch (kind) {
        case MasterKind::Product:
            return listOf(ctx, kind, 499, {}, true);
        case MasterKind::Grade1:
        case MasterKind::Grade2:
            return listOf(ctx, kind, 100, {}, true);
        case MasterKind::Remark:
            return listOf(ctx, kind, 999, {}, true);
        case MasterKind::Account:
            return listOf(ctx, kind, masters::kLastAccountCode, {}, true);
        default:
            return {};
    }
}

std::vector<PickEntry> searchMaster(const AppContext& ctx, MasterKind kind, std::string_view sjisText) {
    const std::string_view needle = trimmedText(sjisText);
    if (needle.empty()) return {};
    switch (kind) {
        case MasterKind::Product:
        case MasterKind::Remark:
            return listOf(ctx, kind, 999, needle, false);
        case MasterKind::Grade1:
        case MasterKind::Grade2:
            return listOf(ctx, kind, 99, needle, false);
        default:
            return {};
    }
}

std::vector<PickEntry> searchCustomerNames(const AppContext& ctx, std::string_view sjisText) {
    const std::string_view needle = trimmedText(sjisText);
    std::vector<PickEntry> out;
    if (needle.empty()) return out;
    const auto all = masters::readCustomers(ctx.files, ctx.fileSet[kCustomers], ctx.env.customerCount);
    for (int n : masters::searchCustomers(all, needle))
        out.push_back({n, line(n, textOf(all[static_cast<size_t>(n)].name, 32), 32)});
    return out;
}

std::vector<DateCustomer> dateCustomerList(const AppContext& ctx, int32_t date, int mode) {
    std::vector<DateCustomer> rows;
    const bool existingOnly = mode >= 3;
    const int count = std::max(0, ctx.env.customerCount);
    if (!existingOnly) {
        const auto all = masters::readCustomers(ctx.files, ctx.fileSet[kCustomers], count);
        rows.resize(static_cast<size_t>(count));
        for (int n = 1; n <= count; ++n) {
            const size_t i = static_cast<size_t>(n);
            rows[i - 1] = {n, i < all.size() ? std::string(textOf(all[i].name, 32)) : std::string(), -1};
        }
    }
    if (date <= 100) return rows;
    const auto entries = readIndexEntries(ctx.files, ctx.fileSet[kIndex1]);
    for (size_t n = 1; n < entries.size(); ++n) {
        if (entries[n].first != date) continue;
        SlipHeader h{};
        // The header decides: a stale index entry never shows a slip that is not there.
        if (!masters::readRecord(ctx.files, ctx.fileSet[kSlipHeaders], static_cast<int64_t>(n), h) || h.date != date ||
            h.customer != entries[n].second)
            continue;
        DateCustomer row{h.customer, std::string(textOf(h.customerName, 32)), std::clamp(h.stage, 0, 3)};
        if (existingOnly) {
            rows.push_back(std::move(row));
        } else if (h.customer >= 1 && h.customer <= count) {
            rows[static_cast<size_t>(h.customer - 1)] = std::move(row);
        }
    }
    return rows;
}

}  // namespace rk
