#include "maintenance/archiver.h"

#include <lhasa.h>

#include <algorithm>
#include <ctime>
#include <memory>

#include "base/cp932.h"
#include "maintenance/crc16.h"
#include "maintenance/lha_writer.h"
#include "platform/file_times.h"

namespace rk {
namespace {

struct StreamDeleter {
    void operator()(LHAInputStream* s) const { lha_input_stream_free(s); }
};
struct ReaderDeleter {
    void operator()(LHAReader* r) const { lha_reader_free(r); }
};

// A stored name as a file name here: without folder parts, Shift-JIS converted unless a
// Unix archiver stored it as UTF-8. Empty for a name that is no plain file name.
std::string plainName(const LHAFileHeader& h) {
    std::string raw = h.filename ? h.filename : "";
    const size_t cut = raw.find_last_of("/\\");
    if (cut != std::string::npos) raw = raw.substr(cut + 1);
    if (raw.empty() || raw == "." || raw == "..") return {};
    const bool ascii = std::all_of(raw.begin(), raw.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii) return raw;
    if (h.os_type == LHA_OS_TYPE_UNIX && cp932::fromUtf8(raw).find('?') == std::string::npos) return raw;
    return cp932::toUtf8(raw);
}

bool isFile(const LHAFileHeader& h) {
    const std::string_view method(h.compress_method, 5);
    return method != "-lhd-" && h.symlink_target == nullptr;
}

// Walks the members of an archive; `visit` gets each file member's entry and its bytes and
// returns false to stop.
template <class Visit>
ArchiveResult walk(const fs::path& archive, Visit visit) {
    ArchiveResult r;
    std::string name = archive.string();
    std::unique_ptr<LHAInputStream, StreamDeleter> stream(lha_input_stream_from(name.data()));
    if (!stream) {
        r.error = ArchiveError::CannotOpen;
        r.file = archive.string();
        return r;
    }
    std::unique_ptr<LHAReader, ReaderDeleter> reader(lha_reader_new(stream.get()));
    if (!reader) {
        r.error = ArchiveError::CannotOpen;
        r.file = archive.string();
        return r;
    }
    Bytes data;
    std::vector<std::byte> buffer(1 << 16);
    while (LHAFileHeader* h = lha_reader_next_file(reader.get())) {
        if (!isFile(*h)) continue;
        ArchiveEntry e;
        e.name = plainName(*h);
        e.size = h->length;
        e.crc = h->crc;
        e.method = std::string(h->compress_method, 5);
        e.mtime = h->timestamp;
        data.clear();
        data.reserve(h->length);
        for (size_t n; (n = lha_reader_read(reader.get(), buffer.data(), buffer.size())) > 0;)
            data.insert(data.end(), buffer.begin(), buffer.begin() + static_cast<ptrdiff_t>(n));
        if (e.name.empty() || data.size() != h->length || lha::crc16(data) != h->crc) {
            r.error = ArchiveError::Damaged;
            r.file = e.name.empty() ? archive.string() : e.name;
            return r;
        }
        if (!visit(e, data, r)) return r;
        r.entries.push_back(std::move(e));
    }
    return r;
}

}  // namespace

int64_t toUnixTime(const FileTime& t) {
    struct tm tm {};
    tm.tm_year = t.year - 1900;
    tm.tm_mon = t.month - 1;
    tm.tm_mday = t.day;
    tm.tm_hour = t.hour;
    tm.tm_min = t.minute;
    tm.tm_sec = t.second;
    tm.tm_isdst = -1;
    return static_cast<int64_t>(std::mktime(&tm));
}

FileTime fromUnixTime(int64_t t) {
    const time_t tt = static_cast<time_t>(t);
    struct tm tm {};
    localtime_r(&tt, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

ArchiveResult createArchive(FileSystem& files, const fs::path& archive, const std::vector<ArchiveInput>& inputs) {
    ArchiveResult r;
    fs::path part = archive;
    part += ".part";
    files.remove(part);
    auto fail = [&](ArchiveError e, const fs::path& file) {
        files.remove(part);
        r.error = e;
        r.file = file.string();
        r.entries.clear();
        return r;
    };
    if (!files.write(part, 0, {}, true)) return fail(ArchiveError::WriteFailed, archive);
    for (const ArchiveInput& in : inputs) {
        auto data = files.readAll(in.source);
        auto when = files.modified(in.source);
        if (!data || !when) return fail(ArchiveError::SourceUnreadable, in.source);
        ArchiveEntry e;
        e.name = in.name.empty() ? in.source.filename().string() : in.name;
        e.mtime = toUnixTime(*when);
        lha::MemberInfo info;
        auto member = lha::encodeMember(cp932::fromUtf8(e.name), *data, e.mtime, info);
        if (!member) return fail(ArchiveError::TooLarge, in.source);
        if (!files.append(part, *member)) return fail(ArchiveError::WriteFailed, archive);
        e.size = info.size;
        e.crc = info.crc;
        e.method = info.method;
        r.entries.push_back(std::move(e));
    }
    const std::byte end[1] = {lha::kEndOfArchive};
    if (!files.append(part, end) || !files.sync(part)) return fail(ArchiveError::WriteFailed, archive);
    ArchiveResult check = verifyArchive(part, r.entries);
    if (!check.ok()) return fail(check.error, archive);
    if (!files.rename(part, archive)) return fail(ArchiveError::WriteFailed, archive);
    return r;
}

ArchiveResult checkArchive(const fs::path& archive) {
    return walk(archive, [](const ArchiveEntry&, const Bytes&, ArchiveResult&) { return true; });
}

ArchiveResult verifyArchive(const fs::path& archive, const std::vector<ArchiveEntry>& expected) {
    ArchiveResult r = checkArchive(archive);
    if (!r.ok()) return r;
    bool same = r.entries.size() == expected.size();
    for (size_t i = 0; same && i < expected.size(); ++i) {
        const ArchiveEntry &a = r.entries[i], &b = expected[i];
        same = a.name == b.name && a.size == b.size && a.crc == b.crc;
        if (!same) r.file = b.name;
    }
    if (!same) r.error = ArchiveError::Damaged;
    if (!same && r.file.empty()) r.file = archive.string();
    return r;
}

ArchiveResult extractArchive(FileSystem& files, const fs::path& archive, const fs::path& folder) {
    return walk(archive, [&](const ArchiveEntry& e, const Bytes& data, ArchiveResult& r) {
        const fs::path target = folder / e.name;
        if (!files.replaceWhole(target, data)) {
            r.error = ArchiveError::WriteFailed;
            r.file = target.string();
            return false;
        }
        (void)setModifiedTime(target, fromUnixTime(e.mtime));
        return true;
    });
}

}  // namespace rk
