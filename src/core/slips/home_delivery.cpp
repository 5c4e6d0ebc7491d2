#include "slips/home_delivery.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <set>

#include "base/cp932.h"
#include "platform/record_stream.h"

namespace rk::delivery {

namespace {

constexpr int kDaysIn[13] = {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// The Shift-JIS text of a field without its trailing ASCII or full-width blanks.
std::string trimmed(const char* field, size_t width) {
    std::string s(field, cp932::fieldLength(field, width));
    size_t end = 0;
    for (size_t i = 0; i < s.size();) {
        const bool lead = cp932::isLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size();
        const size_t w = lead ? 2 : 1;
        const bool blank = lead ? (s[i] == '\x81' && s[i + 1] == '\x40') : s[i] == ' ';
        if (!blank) end = i + w;
        i += w;
    }
    return s.substr(0, end);
}
template <size_t N>
std::string trimmed(const char (&field)[N]) {
    return trimmed(field, N);
}

bool samePhones(const HomeDeliveryRecord& a, const HomeDeliveryRecord& b) {
    return std::equal(std::begin(a.destPhone), std::end(a.destPhone), std::begin(b.destPhone)) &&
           std::equal(std::begin(a.originPhone), std::end(a.originPhone), std::begin(b.originPhone));
}

}  // namespace

int32_t rollOver(int32_t date) {
    const int month = date / 100, day = date % 100;
    if (month < 1 || month > 12 || day <= kDaysIn[month]) return date;
    return (month % 12 + 1) * 100 + 1;
}

void applyDefaults(HomeDeliveryRecord& r, int32_t slipDate) {
    if (r.shippingDate == 0) r.shippingDate = slipDate;
    if (r.arrivalDate == 0) r.arrivalDate = r.shippingDate + 1;
    r.arrivalDate = rollOver(r.arrivalDate);
}

bool complete(const HomeDeliveryRecord& r) {
    for (int i = 0; i < 3; ++i)
        if (r.destPhone[i] == 0 || r.originPhone[i] == 0) return false;
    return !trimmed(r.destAddress1).empty() && !trimmed(r.originAddress1).empty() && !trimmed(r.destName).empty() &&
           !trimmed(r.originName).empty();
}

bool fitsDigits(int32_t value, int digits) {
    int64_t limit = 1;
    for (int i = 0; i < digits; ++i) limit *= 10;
    return value >= 0 && value < limit;
}

std::vector<ChainSlip> chainIn(std::span<const std::byte> file, int32_t first) {
    std::vector<ChainSlip> out;
    const int64_t records = static_cast<int64_t>(file.size() / kRecordSize);
    std::set<int32_t> seen;
    // A damaged next-number (a loop, a number past the end) ends the chain where it breaks.
    for (int32_t n = first; n > 0 && n < records && static_cast<int>(out.size()) < kMaxChain;) {
        if (!seen.insert(n).second) break;
        ChainSlip s;
        s.record = recordFrom<HomeDeliveryRecord>(file.subspan(static_cast<size_t>(n) * kRecordSize, kRecordSize));
        s.number = n;
        n = s.record.next;
        out.push_back(s);
    }
    return out;
}

std::optional<std::vector<ChainSlip>> readChain(FileSystem& fs, const fs::path& dataFile, int32_t first) {
    if (first <= 0) return std::vector<ChainSlip>{};
    auto bytes = fs.readAll(dataFile);
    if (!bytes) return std::nullopt;
    return chainIn(*bytes, first);
}

std::optional<std::vector<HomeDeliveryRecord>> readBook(FileSystem& fs, const fs::path& book) {
    const fs::path file = resolveCase(book);
    if (!fs.exists(file)) return std::vector<HomeDeliveryRecord>{};
    auto bytes = fs.readAll(file);
    if (!bytes) return std::nullopt;
    std::vector<HomeDeliveryRecord> out(bytes->size() / kRecordSize);
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = recordFrom<HomeDeliveryRecord>(std::span<const std::byte>(*bytes).subspan(i * kRecordSize));
    return out;
}

std::string searchEntry(int number, const HomeDeliveryRecord& r) {
    char head[16];
    std::snprintf(head, sizeof head, "%4d  ", number);
    std::string body = trimmed(r.destName);
    for (const auto* line : {&r.destAddress1, &r.destAddress2, &r.destAddress3}) {
        const std::string t = trimmed(*line);
        if (!t.empty()) body += "  " + t;
    }
    // Padded with full-width blanks and cut to 42 bytes, never inside a character.
    while (body.size() < 42) body += "\x81\x40";
    body.resize(cp932::cutAtCharBoundary(body, 42));
    body.resize(42, ' ');  // a double-byte character cut off leaves one blank
    return cp932::toUtf8(head + body + " \x81\xE1 " + trimmed(r.originName));
}

std::vector<SearchHit> search(const std::vector<HomeDeliveryRecord>& book, const HomeDeliveryRecord& current,
                              SearchField field) {
    using Text = const char(HomeDeliveryRecord::*)[32];
    Text text = nullptr;
    switch (field) {
        case SearchField::DestAddress1:
            text = &HomeDeliveryRecord::destAddress1;
            break;
        case SearchField::DestAddress2:
            text = &HomeDeliveryRecord::destAddress2;
            break;
        case SearchField::DestAddress3:
            text = &HomeDeliveryRecord::destAddress3;
            break;
        case SearchField::DestName:
            text = &HomeDeliveryRecord::destName;
            break;
        case SearchField::OriginAddress1:
            text = &HomeDeliveryRecord::originAddress1;
            break;
        case SearchField::OriginAddress2:
            text = &HomeDeliveryRecord::originAddress2;
            break;
        case SearchField::OriginAddress3:
            text = &HomeDeliveryRecord::originAddress3;
            break;
        case SearchField::OriginName:
            text = &HomeDeliveryRecord::originName;
            break;
        default:
            break;
    }
    const std::string wanted = text ? trimmed(current.*text) : std::string();
    std::vector<SearchHit> out;
    for (size_t i = 0; i < book.size(); ++i) {
        const HomeDeliveryRecord& r = book[i];
        bool match = false;
        if (field == SearchField::DestPhone)
            match = r.destPhone[2] == current.destPhone[2];
        else if (field == SearchField::OriginPhone)
            match = r.originPhone[2] == current.originPhone[2];
        else
            match = cp932::findWhole(trimmed(r.*text), wanted) != std::string_view::npos;
        if (match) out.push_back({static_cast<int>(i) + 1, searchEntry(static_cast<int>(i) + 1, r)});
    }
    return out;
}

RecordResult recordChain(AppContext& ctx, std::vector<ChainSlip>& slips, const Owner& owner) {
    if (slips.empty()) return {{WriteStatus::Unchanged, {}}, 0};
    const fs::path data = ctx.fileSet[kHomeDelivery];
    const fs::path book = resolveCase(ctx.fileSet[kHomeDeliveryMaster]);
    SharedWrite w(ctx.files, ctx.fileSet.dataFolder);
    if (!w.ready()) return {w.result(), 0};
    FileTransaction& tx = w.transaction();
    FileSystem& fs = ctx.files;

    // A missing data file starts with its two placeholder records.
    if (!fs.exists(data)) {
        const Bytes zeros(2 * kRecordSize);
        tx.write(data, 0, zeros);
    }
    auto dataLength = tx.length(data);
    // The address book can hold a record for every consignment ever sent: it is passed over
    // once for the first record of each consignment's telephone numbers, not read into memory.
    const uint64_t stored = fs.exists(book) ? fs.size(book).value_or(0) / kRecordSize : 0;
    std::vector<int64_t> inBook(slips.size(), -1);
    const bool bookRead =
        !fs.exists(book) || forEachRecord<HomeDeliveryRecord>(fs, book, [&](uint64_t k, const HomeDeliveryRecord& e) {
            for (size_t i = 0; i < slips.size(); ++i)
                if (inBook[i] < 0 && samePhones(e, slips[i].record)) inBook[i] = static_cast<int64_t>(k);
        });
    if (!dataLength || !bookRead) return {WriteResult::failed(), 0};
    const int32_t records = static_cast<int32_t>(*dataLength / kRecordSize);
    // New records go after the file's last whole record, never onto the placeholders.
    int32_t nextFree = std::max(kFirstDataRecord, records + (*dataLength % kRecordSize ? 1 : 0));
    for (ChainSlip& s : slips) {
        if (s.number < kFirstDataRecord || s.number >= records) s.number = nextFree++;
    }
    // Book records to write, by number: a found one is replaced, a new one goes after the end
    // (a later consignment of the chain to the same numbers replaces it again).
    std::map<uint64_t, HomeDeliveryRecord> entries;
    uint64_t end = stored;
    for (size_t i = 0; i < slips.size(); ++i) {
        HomeDeliveryRecord& r = slips[i].record;
        applyDefaults(r, owner.date);  // a slip is never stored without its dates
        r.next = i + 1 < slips.size() ? slips[i + 1].number : 0;
        r.slipDate = owner.date;
        r.customer = owner.customer;
        r.line = owner.line;
        tx.write(data, static_cast<uint64_t>(slips[i].number) * kRecordSize, bytesOf(r));

        HomeDeliveryRecord entry = r;
        entry.next = 0;
        uint64_t k = end;
        if (inBook[i] >= 0) {
            k = static_cast<uint64_t>(inBook[i]);
        } else {
            auto added = std::find_if(entries.lower_bound(stored), entries.end(),
                                      [&](const auto& e) { return samePhones(e.second, entry); });
            if (added != entries.end()) k = added->first;
        }
        if (k == end) ++end;
        entries[k] = entry;
    }
    for (const auto& [k, entry] : entries) tx.write(book, k * kRecordSize, bytesOf(entry));
    WriteResult r = w.commit();
    return {r, r.ok() ? slips.front().number : 0};
}

WriteResult writeBookChanges(AppContext& ctx, const std::vector<HomeDeliveryRecord>& before,
                             const std::vector<HomeDeliveryRecord>& after) {
    const fs::path book = resolveCase(ctx.fileSet[kHomeDeliveryMaster]);
    SharedWrite w(ctx.files, ctx.fileSet.dataFolder);
    if (!w.ready()) return w.result();
    auto live = readBook(ctx.files, book);
    if (!live) return WriteResult::failed();
    FileTransaction& tx = w.transaction();
    for (size_t k = 0; k < before.size() && k < after.size(); ++k) {
        if (std::memcmp(&before[k], &after[k], kRecordSize) == 0) continue;
        // Only the bytes this window changed go onto the record as it is now.
        HomeDeliveryRecord now = k < live->size() ? (*live)[k] : before[k];
        applyChangedFields(before[k], after[k], now, std::span<const FieldSpan>{});
        tx.write(book, k * kRecordSize, bytesOf(now));
    }
    // Added records go after whatever the book holds now, another station's included.
    const uint64_t end = live->size() * kRecordSize;
    for (size_t k = before.size(); k < after.size(); ++k)
        tx.write(book, end + (k - before.size()) * kRecordSize, bytesOf(after[k]));
    return w.commit();
}

}  // namespace rk::delivery
