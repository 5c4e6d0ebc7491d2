#include "maintenance/old_version.h"

#include <cstdio>
#include <cstring>

#include "base/cp932.h"
#include "maintenance/tool_support.h"

namespace rk::maintenance {
namespace {

using How = OldFile::How;

const OldFile kOldFiles[] = {
    {"FD1", "F7da", false, How::SlipLines, 110, 224, "販売伝票明細"},
    {"FD2", "F7db", false, How::NotGiven, 330, 768, "販売伝票"},
    {"FD3", "F7dc", false, How::NotGiven, 314, 2432, "入金データ"},
    {"FD4", "F7dd", false, How::Records, 100, 100, "備考文"},
    {"FD6", "F7df", false, How::NotGiven, 304, 352, "宅配データ"},
    {"SD1", "S7da", false, How::SlipLines, 110, 224, "仕入伝票明細"},
    {"SD2", "S7db", false, How::NotGiven, 330, 768, "仕入伝票"},
    {"SD3", "S7dc", false, How::NotGiven, 314, 2432, "出金データ"},
    {"SD4", "S7dd", false, How::Records, 100, 100, "仕入備考文"},
    {"SD6", "S7df", false, How::NotGiven, 330, 128, "振り替え伝票"},
    {"GEK", "GENK", false, How::NotGiven, 240, 952, "減価償却データ"},
    {"MST1", "F7ma", true, How::NotGiven, 160, 480, "得意先マスター"},
    {"MST2", "F7mb", true, How::NotGiven, 46, 192, "商品マスター"},
    {"MST3", "F7mc", true, How::WholeFile, 0, 0, "規格マスター"},
    {"MST5", "F7me", true, How::Records, 100, 100, "備考マスター"},
    {"SST1", "S7ma", true, How::NotGiven, 160, 480, "仕入先マスター"},
    {"SST4", "S7md", true, How::NotGiven, 0, 0, "勘定科目"},
    {"SST5", "S7me", true, How::Records, 100, 100, "仕入備考マスター"},
    {"SST6", "S7mf", true, How::NotGiven, 80, 96, "摘要文マスター"},
};

int16_t i16(std::span<const std::byte> b, size_t off) {
    int16_t v;
    std::memcpy(&v, b.data() + off, 2);
    return v;
}

int32_t i32(std::span<const std::byte> b, size_t off) {
    int32_t v;
    std::memcpy(&v, b.data() + off, 4);
    return v;
}

// The new file of a row for `year`, named as the file set names it.
fs::path newFileOf(const AppContext& ctx, const OldFile& f, int year) {
    const fs::path& folder = f.master ? ctx.fileSet.masterFolder : ctx.fileSet.dataFolder;
    return folder / (std::string(f.newBase) + std::to_string(year) + (f.master ? ".FT1" : ".FT2"));
}

std::optional<Bytes> converted(FileSystem& fs, const fs::path& from, const OldFile& f) {
    auto old = fs.readAll(from);
    if (!old) return std::nullopt;
    if (f.how == How::WholeFile) return old;
    if (f.how == How::Records) return Bytes(old->begin(), old->begin() + old->size() / f.oldRecord * f.oldRecord);
    // Slip lines: record 0 is a placeholder of blanks, then every old line converted.
    Bytes out(kSlipLineSize, std::byte{' '});
    for (size_t at = kOldLineSize; at + kOldLineSize <= old->size(); at += kOldLineSize) {
        const SlipLine l = convertSlipLine(std::span<const std::byte, kOldLineSize>(old->data() + at, kOldLineSize));
        const auto b = bytesOf(l);
        out.insert(out.end(), b.begin(), b.end());
    }
    return out;
}

}  // namespace

std::span<const OldFile> oldFiles() { return kOldFiles; }

SlipLine convertSlipLine(std::span<const std::byte, kOldLineSize> old) {
    SlipLine l{};
    std::memcpy(l.productName, old.data() + 12, 24);  // over the name and the 8 bytes after it
    std::memcpy(l.unit, old.data() + 90, 4);
    std::memcpy(l.remark, old.data() + 36, 24);
    l.owner = i16(old, 0);
    l.salesMethod = i16(old, 2);
    l.product = i16(old, 4);
    l.grade1 = i16(old, 6);
    l.grade2 = i16(old, 8);
    l.remarkCode = i16(old, 10);
    l.textNumber = i16(old, 76);
    const int32_t buyer = i32(old, 106);
    l.buyer = buyer >= -9999 && buyer <= 9999 ? buyer : 0;
    const std::string_view remark(l.remark, cp932::fieldLength(l.remark, sizeof l.remark));
    const char* const kinds[] = {"箱", "ﾌﾗｺﾝ", "ﾄﾚｰ"};
    for (int k = 0; k < 3; ++k)
        if (cp932::findWhole(remark, cp932::fromUtf8(kinds[k])) != std::string_view::npos) l.packingKind = k + 1;
    l.piecesPerBox = i16(old, 102);
    l.boxes = i16(old, 104);
    l.ordered = i32(old, 78);
    l.delivered = i32(old, 82);
    l.quantity = i32(old, 86);
    l.price = i32(old, 94);
    l.amount = i32(old, 98);
    int32_t* accounts = &l.debit;  // 192..220: eight account codes
    for (int k = 0; k < 8; ++k) accounts[k] = i16(old, 60 + 2 * k);
    return l;
}

fs::path oldFileOf(FileSystem& fs, const fs::path& folder, const OldFile& f, int year) {
    char two[8];
    std::snprintf(two, sizeof two, "%02d", year % 100);
    const char* ext = f.master ? ".ET1" : ".ET2";
    for (const std::string& y : {std::string(two), std::to_string(year)}) {
        const fs::path p = resolveCase(folder / (std::string(f.oldBase) + y + ext));
        if (fs.exists(p)) return p;
    }
    return {};
}

ToolResult convertOldYears(AppContext& ctx, Dialogs& dialogs, const fs::path& oldFolder, ConversionReport* report) {
    auto lock = DataLock::acquire(ctx.fileSet.dataFolder);
    if (!lock) {
        dialogs.message(msg::kDataBusy, Icon::Stop);
        return ToolResult::Busy;
    }
    const int first = ctx.settings.businessYear;
    for (int year = first; year > first - kMaxConvertedYears; --year) {
        dialogs.progress(first - year, kMaxConvertedYears, format(msg::kConvertYear, year));
        bool anyMain = false;
        for (const char* main : {"FD1", "SD1", "SD6"})
            for (const OldFile& f : kOldFiles)
                if (std::strcmp(f.oldBase, main) == 0 && !oldFileOf(ctx.files, oldFolder, f, year).empty())
                    anyMain = true;
        bool existing = false;
        for (const OldFile& f : kOldFiles)
            if (f.how != How::NotGiven && !oldFileOf(ctx.files, oldFolder, f, year).empty() &&
                ctx.files.exists(newFileOf(ctx, f, year)))
                existing = true;
        const bool convert =
            !existing || dialogs.ask(format(msg::kConvertReplaceAsk, year), Buttons::YesNo, Answer::No) == Answer::Yes;
        for (const OldFile& f : kOldFiles) {
            if (!convert || f.how == How::NotGiven) continue;
            const fs::path from = oldFileOf(ctx.files, oldFolder, f, year);
            if (from.empty()) continue;
            const fs::path to = newFileOf(ctx, f, year);
            auto bytes = converted(ctx.files, from, f);
            if (!bytes || !ctx.files.replaceWhole(to, *bytes)) {
                dialogs.message(format(msg::kConvertWriteFailed, to.string().c_str()), Icon::Stop);
                return ToolResult::Failed;
            }
            if (report) report->converted.push_back(from.filename().string() + " -> " + to.filename().string());
        }
        if (convert && report) report->years.push_back(year);
        if (!anyMain) break;
    }
    return ToolResult::Restart;
}

}  // namespace rk::maintenance
