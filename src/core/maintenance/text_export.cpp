#include "maintenance/text_export.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <unordered_map>

#include "base/cp932.h"
#include "maintenance/record_blocks.h"
#include "maintenance/tool_support.h"
#include "slips/slip_index.h"
#include "slips/slip_messages.h"

namespace rk::maintenance {
namespace {

constexpr int kCarrierLines = 1024;

// Freight per package of carrier k: the second number of line k of the carrier table (the
// first is the carrier of customer k), lines counted from 1.
std::vector<int> carrierFreights(AppContext& ctx) {
    const fs::path file = resolveCase(ctx.programFolder() / msg::kCarrierTableFile);
    auto data = ctx.files.readAll(file);
    if (!data) {
        std::string fresh;
        for (int i = 0; i < kCarrierLines; ++i) fresh += "0,0 \r\n";
        (void)ctx.files.write(file, 0, std::as_bytes(std::span(fresh.data(), fresh.size())), true);
        return {};
    }
    std::vector<int> out;
    const std::string_view text(reinterpret_cast<const char*>(data->data()), data->size());
    for (size_t at = 0; at < text.size();) {
        size_t end = text.find('\n', at);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(at, end - at);
        int freight = 0;
        if (size_t comma = line.find(','); comma != std::string_view::npos) {
            std::string_view rest = line.substr(comma + 1);
            while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
            std::from_chars(rest.data(), rest.data() + rest.size(), freight);
        }
        out.push_back(freight);
        at = end + 1;
    }
    return out;
}

std::string field(const char* f, size_t width) { return std::string(f, cp932::fieldLength(f, width)); }

long long whole(double v) { return static_cast<long long>(std::trunc(std::clamp(v, -9e15, 9e15))); }

template <class... A>
std::string sjisFormat(const char* pattern, A... args) {
    return cp932::fromUtf8(format(pattern, args...));
}

}  // namespace

std::optional<std::string> textData(AppContext& ctx) {
    const FileSet& f = ctx.fileSet;
    const auto freights = carrierFreights(ctx);
    auto lineFile = ctx.files.readAll(f[kSlipLines]);
    if (!lineFile) return std::nullopt;
    const size_t lineCount = lineFile->size() / kSlipLineSize;
    const bool purchase = ctx.edition == Edition::Purchase;
    static const char* const kSales[] = {"受注", "納品", "売掛", "入金"};
    static const char* const kPurchase[] = {"発注", "受領", "買掛", "出金"};

    std::string out = cp932::fromUtf8(msg::kTextHeading) + "\r\n";
    const bool ok = forEachRecord(ctx.files, f[kSlipHeaders], kSlipHeaderSize, 1, [&](uint64_t, auto bytes) {
        const auto h = recordFrom<SlipHeader>(bytes);
        if (!liveDate(h.date)) return;
        const std::string kind =
            h.stage >= 0 && h.stage <= 3 ? cp932::fromUtf8((purchase ? kPurchase : kSales)[h.stage]) : "";
        const std::string slip = format(" %d, %d-%d, %d ,", h.date, h.date / 100, h.date % 100, h.customer) + kind +
                                 "," + field(h.customerName, sizeof h.customerName);
        double costs = 0;
        for (double d : h.deductions) costs += d;
        const int count = std::clamp(h.lineCount, 0, kMaxSlipLines);
        for (int j = 1; j <= count; ++j) {
            const int32_t slot = h.lineSlots[j];
            if (slot < 1 || static_cast<size_t>(slot) >= lineCount) continue;
            const auto l = recordFrom<SlipLine>(std::span<const std::byte>(*lineFile).subspan(slot * kSlipLineSize));
            const int freight =
                l.carrier >= 1 && static_cast<size_t>(l.carrier) <= freights.size() ? freights[l.carrier - 1] : 0;
            out += slip;
            out += j == 1 ? format(", %lld, %lld, %lld, ", whole(h.amount), whole(h.tax), whole(costs)) : ", , , , ";
            out += format(" %d, %d, ", j, l.product) + field(l.productName, sizeof l.productName);
            out += format(", %d, %d, %d, %d, ", l.salesMethod, l.grade1, l.grade2, l.remarkCode) +
                   field(l.remark, sizeof l.remark);
            out += format(", %lld,", whole(l.quantity)) + field(l.unit, sizeof l.unit);
            out += format(", %lld, %lld, %d, %d, %lld ", whole(l.price), whole(l.amount), l.carrier, l.packingCount,
                          static_cast<long long>(l.packingCount) * freight);
            out += "\r\n";
        }
    });
    if (!ok) return std::nullopt;
    return out;
}

bool writeTextData(AppContext& ctx, const fs::path& out) {
    auto text = textData(ctx);
    return text && ctx.files.replaceWhole(out, std::as_bytes(std::span(text->data(), text->size())));
}

ToolResult exportText(AppContext& ctx, Dialogs& dialogs) {
    if (dialogs.ask(msg::kTextAsk, Buttons::YesNo, Answer::No) != Answer::Yes) return ToolResult::Stopped;
    dialogs.progress(0, 0, msg::kTextProgress);
    if (!writeTextData(ctx, ctx.programFolder() / msg::kTextFileName)) {
        dialogs.message(msg::kCheckWriteFailed, Icon::Stop);
        return ToolResult::Failed;
    }
    return ToolResult::Done;
}

ToolResult importSalesMethods(AppContext& ctx, Dialogs& dialogs) {
    if (refusedHere(ctx, dialogs)) return ToolResult::Refused;
    if (dialogs.ask(msg::kImportAsk, Buttons::YesNo, Answer::No) != Answer::Yes) return ToolResult::Stopped;
    dialogs.progress(0, 0, msg::kImportProgress);
    const fs::path otherLines = resolveCase(ctx.programFolder() / msg::kImportLinesName);
    const fs::path otherHeaders = resolveCase(ctx.programFolder() / msg::kImportHeadersName);
    if (!ctx.files.exists(otherLines)) {
        dialogs.message(msg::kImportNoLines, Icon::Stop);
        return ToolResult::Refused;
    }
    if (!ctx.files.exists(otherHeaders)) {
        dialogs.message(msg::kImportNoHeaders, Icon::Stop);
        return ToolResult::Refused;
    }
    return lockedWrite(ctx, dialogs, [&](FileTransaction& tx) {
        // The other system's live slips by (date, customer), with their line records.
        std::unordered_map<uint64_t, std::vector<int32_t>> other;
        auto key = [](int32_t date, int32_t customer) {
            return (static_cast<uint64_t>(static_cast<uint32_t>(date)) << 32) | static_cast<uint32_t>(customer);
        };
        bool ok = forEachRecord(ctx.files, otherHeaders, kSlipHeaderSize, 1, [&](uint64_t, auto bytes) {
            const auto h = recordFrom<SlipHeader>(bytes);
            if (!liveDate(h.date)) return;
            const int count = std::clamp(h.lineCount, 0, kMaxSlipLines);
            other.try_emplace(key(h.date, h.customer), h.lineSlots + 1, h.lineSlots + 1 + count);
        });
        auto otherLineBytes = ctx.files.readAll(otherLines);
        auto lineCount = recordCount(ctx.files, ctx.fileSet[kSlipLines], kSlipLineSize);
        if (!ok || !otherLineBytes || !lineCount) {
            dialogs.message(msg::kCheckReadFailed, Icon::Stop);
            return ToolResult::Failed;
        }
        const size_t otherCount = otherLineBytes->size() / kSlipLineSize;
        std::vector<std::pair<int32_t, int32_t>> wanted;  // (line record, sale method)
        ok = forEachRecord(ctx.files, ctx.fileSet[kSlipHeaders], kSlipHeaderSize, 1, [&](uint64_t, auto bytes) {
            const auto h = recordFrom<SlipHeader>(bytes);
            if (!liveDate(h.date)) return;
            auto it = other.find(key(h.date, h.customer));
            if (it == other.end()) return;
            const int count = std::min<int>(std::clamp(h.lineCount, 0, kMaxSlipLines), it->second.size());
            for (int j = 1; j <= count; ++j) {
                const int32_t mine = h.lineSlots[j], theirs = it->second[j - 1];
                if (mine < 1 || static_cast<uint64_t>(mine) >= *lineCount || theirs < 1 ||
                    static_cast<size_t>(theirs) >= otherCount)
                    continue;
                wanted.emplace_back(mine, readI32(*otherLineBytes, theirs * kSlipLineSize + 60));
            }
        });
        if (!ok) {
            dialogs.message(msg::kCheckReadFailed, Icon::Stop);
            return ToolResult::Failed;
        }
        for (auto [record, method] : wanted) {
            std::byte word[4];
            std::memcpy(word, &method, 4);
            tx.write(ctx.fileSet[kSlipLines], record * kSlipLineSize + offsetof(SlipLine, salesMethod), word);
        }
        return ToolResult::Done;
    });
}

}  // namespace rk::maintenance
