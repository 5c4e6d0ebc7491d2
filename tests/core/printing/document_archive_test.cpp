// The archive of issued documents: the hash, the append-only index, search by date, amount
// and customer, the check of the files, and what a crash while archiving leaves behind.
#include "printing/document_archive.h"

#include <gtest/gtest.h>

#include "base/sha256.h"
#include "support/faulty_file_system.h"
#include "support/temp_folder.h"

namespace rk::printing {
namespace {

std::span<const std::byte> bytes(const std::string& s) { return std::as_bytes(std::span(s.data(), s.size())); }

ArchivedDocument doc(int32_t date, DocumentKind kind, int customer, int64_t amount) {
    ArchivedDocument d;
    d.date = date;
    d.kind = kind;
    d.customer = customer;
    d.amount = amount;
    return d;
}

TEST(Sha256, KnownDigestsWholeAndInPieces) {
    EXPECT_EQ(Sha256::hex(bytes("")), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(Sha256::hex(bytes("abc")), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    const std::string two = "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq";  // 56 bytes: padding spills
    EXPECT_EQ(Sha256::hex(bytes(two)), "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    const std::string million(1000000, 'a');
    Sha256 pieces;
    for (size_t at = 0; at < million.size(); at += 999) pieces.add(bytes(million.substr(at, 999)));
    std::string hex;
    for (uint8_t b : pieces.finish()) hex += "0123456789abcdef"[b >> 4], hex += "0123456789abcdef"[b & 15];
    EXPECT_EQ(hex, "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

TEST(DocumentArchive, AppendsOneLinePerDocumentAndNeverReplacesAFile) {
    test::TempFolder tmp;
    const fs::path folder = tmp / "FArchive";
    FileSystem& files = realFileSystem();
    auto first = archiveDocument(files, folder, doc(20260415, DocumentKind::Bill, 12, 53900), bytes("%PDF first"));
    ASSERT_TRUE(first);
    EXPECT_EQ(first->file, "20260415_bill_0012_53900.pdf");
    EXPECT_EQ(first->sha256, Sha256::hex(bytes("%PDF first")));
    // The same document printed again gets a name of its own.
    auto again = archiveDocument(files, folder, doc(20260415, DocumentKind::Bill, 12, 53900), bytes("%PDF again"));
    ASSERT_TRUE(again);
    EXPECT_EQ(again->file, "20260415_bill_0012_53900_2.pdf");
    EXPECT_EQ(test::readFile(folder / first->file).size(), 10u);
    ASSERT_TRUE(archiveDocument(files, folder, doc(20260416, DocumentKind::Receipt, 3, -120), bytes("%PDF r")));

    const std::string index(reinterpret_cast<const char*>(test::readFile(folder / kArchiveIndexFile).data()),
                            test::readFile(folder / kArchiveIndexFile).size());
    EXPECT_EQ(index.substr(0, index.find('\n')),
              "20260415\tbill\t12\t53900\t20260415_bill_0012_53900.pdf\t" + first->sha256);
    auto read = readArchiveIndex(files, folder);
    ASSERT_TRUE(read);
    ASSERT_EQ(read->size(), 3u);
    EXPECT_EQ((*read)[2].amount, -120);
    EXPECT_EQ((*read)[2].kind, DocumentKind::Receipt);

    // A folder nothing was archived in holds nothing, and that is no error.
    auto none = readArchiveIndex(files, tmp / "SArchive");
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->empty());
}

TEST(DocumentArchive, SearchByEachKeyAndTheirCombinations) {
    std::vector<ArchivedDocument> index = {
        doc(20260401, DocumentKind::DeliveryNote, 5, 12000), doc(20260415, DocumentKind::Bill, 5, 80000),
        doc(20260415, DocumentKind::DeliveryNote, 9, 3000),  doc(20260502, DocumentKind::Bill, 9, 45000),
        doc(20260510, DocumentKind::Receipt, 5, 80000),
    };
    auto amounts = [&](const ArchiveQuery& q) {
        std::vector<int64_t> out;
        for (const auto& d : searchArchive(index, q)) out.push_back(d.amount + d.customer * 1000000);
        return out;
    };
    using V = std::vector<int64_t>;
    EXPECT_EQ(amounts({}).size(), 5u);
    EXPECT_EQ(amounts({.customer = 9}), (V{9003000, 9045000}));
    // Date range, both ends inclusive.
    EXPECT_EQ(amounts({.from = 20260415, .to = 20260502}), (V{5080000, 9003000, 9045000}));
    EXPECT_EQ(amounts({.from = 20260502}), (V{9045000, 5080000}));
    // Amount range, both ends inclusive.
    EXPECT_EQ(amounts({.minAmount = 12000, .maxAmount = 45000}), (V{5012000, 9045000}));
    EXPECT_EQ(amounts({.maxAmount = 3000}), (V{9003000}));
    EXPECT_EQ(amounts({.kind = DocumentKind::Bill}), (V{5080000, 9045000}));
    // Combinations.
    EXPECT_EQ(amounts({.customer = 5, .from = 20260410, .to = 20260531}), (V{5080000, 5080000}));
    EXPECT_EQ(amounts({.customer = 5, .from = 20260410, .minAmount = 80000, .kind = DocumentKind::Receipt}),
              (V{5080000}));
    EXPECT_TRUE(amounts({.customer = 9, .from = 20260401, .to = 20260430, .minAmount = 40000}).empty());
}

TEST(DocumentArchive, VerifyFindsChangedMissingAndUnindexedFiles) {
    test::TempFolder tmp;
    const fs::path folder = tmp / "FArchive";
    FileSystem& files = realFileSystem();
    auto a = archiveDocument(files, folder, doc(20260401, DocumentKind::DeliveryNote, 1, 100), bytes("%PDF a"));
    auto b = archiveDocument(files, folder, doc(20260401, DocumentKind::DeliveryNote, 2, 200), bytes("%PDF b"));
    auto c = archiveDocument(files, folder, doc(20260401, DocumentKind::DeliveryNote, 3, 300), bytes("%PDF c"));
    ASSERT_TRUE(a && b && c);
    ArchiveCheck clean = verifyArchive(files, folder);
    EXPECT_EQ(clean.checked, 3);
    EXPECT_TRUE(clean.findings.empty());

    ASSERT_TRUE(files.write(folder / a->file, 5, bytes("X")));  // one byte changed, same size
    ASSERT_TRUE(files.remove(folder / b->file));
    ASSERT_TRUE(files.write(folder / "stray.pdf", 0, bytes("%PDF"), true));
    const ArchiveCheck check = verifyArchive(files, folder);
    ASSERT_EQ(check.findings.size(), 3u);
    EXPECT_EQ(check.findings[0].kind, ArchiveFinding::Kind::Changed);
    EXPECT_EQ(check.findings[0].file, a->file);
    EXPECT_EQ(check.findings[1].kind, ArchiveFinding::Kind::Missing);
    EXPECT_EQ(check.findings[1].file, b->file);
    EXPECT_EQ(check.findings[2].kind, ArchiveFinding::Kind::Unindexed);
    EXPECT_EQ(check.findings[2].file, "stray.pdf");
}

// After every fault at every changing call: each index line names a whole file of its hash,
// a document reported stored has its line, and the archive takes the next document cleanly.
TEST(DocumentArchive, ACrashWhileArchivingLeavesNoLineToAMissingOrPartialFile) {
    using Fault = test::FaultyFileSystem::Fault;
    const std::string pdf(5000, 'p');
    for (Fault fault : {Fault::Fail, Fault::ShortWrite, Fault::Crash, Fault::TornCrash}) {
        for (int k = 1;; ++k) {
            SCOPED_TRACE("fault " + std::to_string(static_cast<int>(fault)) + " at change " + std::to_string(k));
            test::TempFolder tmp;
            const fs::path folder = tmp / "FArchive";
            ASSERT_TRUE(archiveDocument(realFileSystem(), folder, doc(20260401, DocumentKind::Bill, 1, 10),
                                        bytes("%PDF before")));
            test::FaultyFileSystem faulty(realFileSystem());
            faulty.arm(k, fault);
            const auto stored = archiveDocument(faulty, folder, doc(20260402, DocumentKind::Bill, 2, 20), bytes(pdf));

            auto lines = readArchiveIndex(realFileSystem(), folder);
            ASSERT_TRUE(lines);
            for (const ArchivedDocument& d : *lines) {
                const auto b = realFileSystem().readAll(folder / d.file);
                ASSERT_TRUE(b) << d.file << " is named by the index but missing";
                EXPECT_EQ(Sha256::hex(*b), d.sha256) << d.file << " is not whole";
            }
            // Reported stored: its line is there. Not stored: at most a whole line whose sync failed.
            if (stored) {
                EXPECT_EQ(lines->size(), 2u);
            }
            EXPECT_LE(lines->size(), 2u);

            // The next document after the restart is stored and read back whole.
            ASSERT_TRUE(archiveDocument(realFileSystem(), folder, doc(20260403, DocumentKind::Bill, 3, 30),
                                        bytes("%PDF after")));
            lines = readArchiveIndex(realFileSystem(), folder);
            ASSERT_TRUE(lines);
            EXPECT_EQ(lines->back().customer, 3);
            EXPECT_TRUE(verifyArchive(realFileSystem(), folder).findings.size() <= 1u);  // at most the stray PDF
            if (faulty.changes() < k) break;
        }
    }
}

}  // namespace
}  // namespace rk::printing
