// The archive of issued documents: every bill, delivery note and receipt that leaves the
// office (printed or faxed) is kept as a PDF file in a folder beside the data, one file per
// document, and listed in an index that is only ever appended to. Each index line names the
// document's date, kind, customer and amount, its file and the SHA-256 of the file's bytes,
// so the documents can be found by date, amount and counterparty and checked for changes.
//
// A document is stored in this order: the PDF under a temporary name, synced, renamed to its
// final name, and only then its index line appended. A crash at any point leaves no index line
// naming a missing or partly written file; at worst a whole PDF without its line, which the
// check reports.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace rk {
struct AppContext;
}

namespace rk::printing {

enum class DocumentKind { Bill, DeliveryNote, Receipt };

// "bill", "delivery" and "receipt": the kind as the index and the file names write it.
std::string_view kindKey(DocumentKind k);
std::optional<DocumentKind> kindFromKey(std::string_view key);

inline constexpr const char* kArchiveIndexFile = "index.txt";

struct ArchivedDocument {
    int32_t date = 0;  // YYYYMMDD
    DocumentKind kind = DocumentKind::Bill;
    int customer = 0;
    int64_t amount = 0;  // whole yen
    std::string file;    // name inside the archive folder
    std::string sha256;  // lower-case hexadecimal
};

// The archive folder of the installation's edition: "FArchive" (sales), "SArchive", "ZArchive"
// in the data folder.
fs::path archiveFolder(const AppContext& ctx);
// YYYYMMDD of a month-day value of the installation's business year.
int32_t calendarDate(const AppContext& ctx, int32_t monthDay);

// Stores `pdf` as the document `doc` describes (its file and hash are filled in) and appends
// its index line. Holds the archive folder's lock while it chooses the name and writes, so two
// stations never take the same name; an existing file is never replaced (a second print of the
// same document gets "_2", "_3", ...). Nullopt when the document could not be stored (the file
// error says why).
std::optional<ArchivedDocument> archiveDocument(FileSystem& files, const fs::path& folder, ArchivedDocument doc,
                                                std::span<const std::byte> pdf);

// The index's lines in the order they were written. A line that is not whole (a torn last
// line) is passed over. An archive without an index holds nothing; nullopt when the index
// exists but cannot be read.
std::optional<std::vector<ArchivedDocument>> readArchiveIndex(FileSystem& files, const fs::path& folder);

struct ArchiveQuery {
    std::optional<int> customer{};
    int32_t from = 0, to = 99991231;  // YYYYMMDD, inclusive
    std::optional<int64_t> minAmount{}, maxAmount{};
    std::optional<DocumentKind> kind{};
};

bool matches(const ArchivedDocument& d, const ArchiveQuery& q);
std::vector<ArchivedDocument> searchArchive(const std::vector<ArchivedDocument>& index, const ArchiveQuery& q);

// One finding of the check.
struct ArchiveFinding {
    enum class Kind { Missing, Changed, Unindexed } kind;
    std::string file;
};

struct ArchiveCheck {
    bool readable = true;  // false: the index could not be read
    int checked = 0;       // index lines whose files were hashed again
    std::vector<ArchiveFinding> findings;
};

// Hashes every indexed file again: a file gone or not of its recorded hash is reported, and
// so is a PDF in the folder that no index line names.
ArchiveCheck verifyArchive(FileSystem& files, const fs::path& folder);

// The index line of a document (without its line end).
std::string indexLine(const ArchivedDocument& d);
// "20260415_bill_0012_53900": date, kind, customer and amount.
std::string baseName(const ArchivedDocument& d);

}  // namespace rk::printing
