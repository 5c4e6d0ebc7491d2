// Arbitrary archive index files as the search and the check read them: a torn or damaged
// line is passed over, names that leave the folder are refused, and nothing reads past a line.
#include <cstdint>

#include "fuzz_input.h"
#include "printing/document_archive.h"

using namespace rk;
using namespace rk::printing;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::MemoryFileSystem mem;
    const fs::path folder = fuzz::lockFolder() / "FArchive";
    mem.files[folder / kArchiveIndexFile] =
        Bytes(reinterpret_cast<const std::byte*>(data), reinterpret_cast<const std::byte*>(data) + size);
    const auto index = readArchiveIndex(mem, folder);
    if (!index) std::abort();  // the file is there: it must be read
    for (const ArchivedDocument& d : *index) {
        if (d.file.empty() || d.file.find('/') != std::string::npos || d.sha256.size() != 64) std::abort();
        if (d.file.front() == '.') std::abort();
    }
    ArchiveQuery q;
    q.customer = size > 0 ? data[0] : 1;
    q.minAmount = 0;
    (void)searchArchive(*index, q);
    (void)verifyArchive(mem, folder);
    return 0;
}
