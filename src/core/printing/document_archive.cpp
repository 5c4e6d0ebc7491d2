#include "printing/document_archive.h"

#include <algorithm>
#include <charconv>
#include <set>

#include "app/app_context.h"
#include "base/format.h"
#include "base/sha256.h"
#include "platform/data_lock.h"

namespace rk::printing {

namespace {

constexpr int kMaxCopiesOfOneName = 9999;

template <typename T>
bool parseNumber(std::string_view s, T& out) {
    if (s.empty()) return false;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && p == s.data() + s.size();
}

bool isHashText(std::string_view s) {
    return s.size() == 64 &&
           std::all_of(s.begin(), s.end(), [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

// A file name the index may name: no folder parts, nothing hidden.
bool plainName(std::string_view s) {
    return !s.empty() && s.find('/') == std::string_view::npos && s != "." && s != ".." && s.front() != '.';
}

std::optional<ArchivedDocument> parseLine(std::string_view line) {
    std::vector<std::string_view> f;
    size_t at = 0;
    while (f.size() < 7) {
        const size_t tab = line.find('\t', at);
        f.push_back(line.substr(at, tab == std::string_view::npos ? std::string_view::npos : tab - at));
        if (tab == std::string_view::npos) break;
        at = tab + 1;
    }
    if (f.size() != 6) return std::nullopt;
    ArchivedDocument d;
    const auto kind = kindFromKey(f[1]);
    if (!parseNumber(f[0], d.date) || !kind || !parseNumber(f[2], d.customer) || !parseNumber(f[3], d.amount) ||
        !plainName(f[4]) || !isHashText(f[5]))
        return std::nullopt;
    d.kind = *kind;
    d.file = f[4];
    d.sha256 = f[5];
    return d;
}

std::span<const std::byte> bytesOf(const std::string& s) { return std::as_bytes(std::span(s.data(), s.size())); }

}  // namespace

std::string_view kindKey(DocumentKind k) {
    switch (k) {
        case DocumentKind::Bill:
            return "bill";
        case DocumentKind::DeliveryNote:
            return "delivery";
        case DocumentKind::Receipt:
            return "receipt";
    }
    return "bill";
}

std::optional<DocumentKind> kindFromKey(std::string_view key) {
    for (DocumentKind k : {DocumentKind::Bill, DocumentKind::DeliveryNote, DocumentKind::Receipt})
        if (kindKey(k) == key) return k;
    return std::nullopt;
}

fs::path archiveFolder(const AppContext& ctx) {
    const fs::path& data = ctx.fileSet.dataFolder.empty() ? ctx.programFolder() : ctx.fileSet.dataFolder;
    return data / (std::string(1, ctx.editionInfo().letter) + "Archive");
}

int32_t calendarDate(const AppContext& ctx, int32_t monthDay) {
    const int year = monthday::calendarYear(monthDay, ctx.settings.businessYear, ctx.settings.firstMonth);
    return year * 10000 + monthDay;
}

std::string baseName(const ArchivedDocument& d) {
    return std::to_string(d.date) + "_" + std::string(kindKey(d.kind)) + "_" + fmt::zeroPadded(d.customer, 4) + "_" +
           std::to_string(d.amount);
}

std::string indexLine(const ArchivedDocument& d) {
    return std::to_string(d.date) + "\t" + std::string(kindKey(d.kind)) + "\t" + std::to_string(d.customer) + "\t" +
           std::to_string(d.amount) + "\t" + d.file + "\t" + d.sha256;
}

std::optional<ArchivedDocument> archiveDocument(FileSystem& files, const fs::path& folder, ArchivedDocument doc,
                                                std::span<const std::byte> pdf) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) return noteFileError("mkdir", folder, ec.value()), std::nullopt;
    auto lock = DataLock::acquire(folder);
    if (!lock) return std::nullopt;

    // A name no file has yet: a document printed again never replaces the one kept before.
    const std::string base = baseName(doc);
    doc.file.clear();
    for (int n = 1; n <= kMaxCopiesOfOneName && doc.file.empty(); ++n) {
        const std::string name = base + (n == 1 ? "" : "_" + std::to_string(n)) + ".pdf";
        if (!files.exists(folder / name)) doc.file = name;
    }
    if (doc.file.empty()) return noteFileError("name", folder / (base + ".pdf"), EEXIST), std::nullopt;
    doc.sha256 = Sha256::hex(pdf);

    // The whole file under its final name before any index line names it.
    const fs::path target = folder / doc.file;
    fs::path temporary = target;
    temporary += ".tmp";
    if (files.exists(temporary)) (void)files.remove(temporary);
    if (!files.write(temporary, 0, pdf, true) || !files.sync(temporary) || !files.rename(temporary, target)) {
        const FileError why = lastFileError();
        if (files.exists(temporary)) (void)files.remove(temporary);
        noteFileError(why.operation, why.path, why.code);
        return std::nullopt;
    }

    const fs::path index = folder / kArchiveIndexFile;
    std::string line = indexLine(doc) + "\n";
    if (!files.exists(index)) {
        if (!files.write(index, 0, {}, true)) return std::nullopt;
    } else if (const auto size = files.size(index); size && *size > 0) {
        // A line torn by an earlier crash is closed off so that it never runs into this one.
        std::byte last[1]{};
        if (files.read(index, *size - 1, last).value_or(0) == 1 && last[0] != std::byte{'\n'}) line.insert(0, "\n");
    }
    if (!files.append(index, bytesOf(line)) || !files.sync(index)) return std::nullopt;
    return doc;
}

std::optional<std::vector<ArchivedDocument>> readArchiveIndex(FileSystem& files, const fs::path& folder) {
    const fs::path index = folder / kArchiveIndexFile;
    std::vector<ArchivedDocument> out;
    if (!files.exists(index)) return out;
    const auto bytes = files.readAll(index);
    if (!bytes) return std::nullopt;
    const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = text.find('\n', at);
        if (end == std::string_view::npos) break;  // torn last line
        if (auto d = parseLine(text.substr(at, end - at))) out.push_back(std::move(*d));
        at = end + 1;
    }
    return out;
}

bool matches(const ArchivedDocument& d, const ArchiveQuery& q) {
    if (q.customer && d.customer != *q.customer) return false;
    if (d.date < q.from || d.date > q.to) return false;
    if (q.minAmount && d.amount < *q.minAmount) return false;
    if (q.maxAmount && d.amount > *q.maxAmount) return false;
    return !q.kind || d.kind == *q.kind;
}

std::vector<ArchivedDocument> searchArchive(const std::vector<ArchivedDocument>& index, const ArchiveQuery& q) {
    std::vector<ArchivedDocument> out;
    std::copy_if(index.begin(), index.end(), std::back_inserter(out),
                 [&](const ArchivedDocument& d) { return matches(d, q); });
    return out;
}

ArchiveCheck verifyArchive(FileSystem& files, const fs::path& folder) {
    ArchiveCheck check;
    const auto index = readArchiveIndex(files, folder);
    if (!index) {
        check.readable = false;
        return check;
    }
    std::set<std::string> named;
    for (const ArchivedDocument& d : *index) {
        named.insert(d.file);
        ++check.checked;
        const auto bytes = files.readAll(folder / d.file);
        if (!bytes) {
            check.findings.push_back({ArchiveFinding::Kind::Missing, d.file});
        } else if (Sha256::hex(*bytes) != d.sha256) {
            check.findings.push_back({ArchiveFinding::Kind::Changed, d.file});
        }
    }
    std::error_code ec;
    std::vector<std::string> loose;
    for (auto it = fs::directory_iterator(folder, ec); !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (it->path().extension() == ".pdf" && !named.count(name)) loose.push_back(name);
    }
    std::sort(loose.begin(), loose.end());
    for (const std::string& name : loose) check.findings.push_back({ArchiveFinding::Kind::Unindexed, name});
    return check;
}

}  // namespace rk::printing
