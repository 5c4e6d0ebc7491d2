// How the read paths take the year's files: each file opened once per operation, only the
// headers the index points at, and a print run's slips as they were when first read.
#include <gtest/gtest.h>

#include <map>

#include "platform/read_session_file_system.h"
#include "printing/conventions.h"
#include "printing/slip_snapshot.h"
#include "printing_builders.h"
#include "slips/slip_index.h"
#include "tables/slip_scan.h"

namespace rk::test {
namespace {

// Counts the files opened and the reads made through it, by file name.
class CountingFileSystem final : public FileSystem {
    class Reader final : public FileReader {
    public:
        Reader(std::unique_ptr<FileReader> r, int& count) : r_(std::move(r)), count_(count) {}
        std::optional<size_t> read(uint64_t o, std::span<std::byte> out) override {
            ++count_;
            return r_->read(o, out);
        }
        std::optional<uint64_t> size() override { return r_->size(); }

    private:
        std::unique_ptr<FileReader> r_;
        int& count_;
    };

public:
    std::map<std::string, int> opens, reads;

    std::optional<size_t> read(const fs::path& p, uint64_t o, std::span<std::byte> out) override {
        ++reads[p.filename().string()];
        ++opens[p.filename().string()];  // a read by name opens the file for itself
        return real_.read(p, o, out);
    }
    std::unique_ptr<FileReader> openReader(const fs::path& p) override {
        ++opens[p.filename().string()];
        auto r = real_.openReader(p);
        return r ? std::make_unique<Reader>(std::move(r), reads[p.filename().string()]) : nullptr;
    }
    bool write(const fs::path& p, uint64_t o, std::span<const std::byte> d, bool create) override {
        return real_.write(p, o, d, create);
    }
    std::optional<uint64_t> append(const fs::path& p, std::span<const std::byte> d) override {
        return real_.append(p, d);
    }
    std::optional<uint64_t> size(const fs::path& p) override { return real_.size(p); }
    bool exists(const fs::path& p) override { return real_.exists(p); }
    bool writable(const fs::path& p) override { return real_.writable(p); }
    std::optional<FileTime> modified(const fs::path& p) override { return real_.modified(p); }
    bool truncate(const fs::path& p, uint64_t n) override { return real_.truncate(p, n); }
    bool sync(const fs::path& p) override { return real_.sync(p); }
    bool rename(const fs::path& a, const fs::path& b) override { return real_.rename(a, b); }
    bool remove(const fs::path& p) override { return real_.remove(p); }
    bool copy(const fs::path& a, const fs::path& b) override { return real_.copy(a, b); }

private:
    FileSystem& real_ = realFileSystem();
};

class SlipReads : public PrintingFixture {
protected:
    static std::string name(const fs::path& p) { return p.filename().string(); }

    // The records handed to the choice and the lines handed over, of a scan.
    struct Seen {
        std::vector<int> headers;
        std::vector<std::pair<int, int>> lines;  // (record, line number)
    };
    Seen scan(FileSystem& files, const tables::IndexFilter* filter) {
        Seen seen;
        tables::scanSlips(
            files, f[kSlipHeaders], f[kSlipLines],
            [&](const SlipHeader&, int record) {
                seen.headers.push_back(record);
                return true;
            },
            [&](int ordinal, int line, const SlipLine&) {
                seen.lines.push_back({seen.headers[static_cast<size_t>(ordinal)], line});
            },
            filter);
        return seen;
    }
};

TEST_F(SlipReads, TheIndexChoosesTheHeadersReadAndAnIndexOutOfStepReadsThemAll) {
    for (int d = 501; d <= 510; ++d) slip(d, d % 3 + 1, 2);
    const tables::IndexFilter customer2{f[kIndex1], [](int, int32_t, int32_t c) { return c == 2; }};
    Seen picked = scan(fs, &customer2);
    EXPECT_EQ(picked.headers, (std::vector<int>{2, 5, 8}));  // dates 502, 505, 508
    EXPECT_EQ(picked.lines.size(), 6u);

    // An index shorter than the header file (a crash between the two) points nowhere safely:
    // every header is read and the choice decides.
    ASSERT_TRUE(fs.truncate(f[kIndex1], 5 * kIndexEntrySize));
    Seen all = scan(fs, &customer2);
    EXPECT_EQ(all.headers.size(), 10u);
    EXPECT_EQ(all.lines.size(), 20u);
}

TEST_F(SlipReads, LinesComeInLineFileOrderAndASlotNamedTwiceGoesToBothSlips) {
    const int a = slip(501, 1, 3), b = slip(502, 1, 2);
    // Damage slip b: its first line names slip a's second line record, its second a slot past the file.
    SlipHeader ha{}, hb{};
    ASSERT_TRUE(masters::readRecord(fs, f[kSlipHeaders], a, ha));
    ASSERT_TRUE(masters::readRecord(fs, f[kSlipHeaders], b, hb));
    hb.lineSlots[1] = ha.lineSlots[2];
    hb.lineSlots[2] = 100000;
    ASSERT_TRUE(masters::writeRecord(fs, f[kSlipHeaders], b, hb));

    std::vector<std::pair<int, int>> seen;
    const tables::ScanResult r = tables::scanSlips(
        fs, f[kSlipHeaders], f[kSlipLines], [](const SlipHeader&, int) { return true; },
        [&](int ordinal, int line, const SlipLine&) {
            seen.push_back({ordinal, line});
        });
    EXPECT_EQ(r.skippedSlots, 1);
    EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{0, 1}, {0, 2}, {1, 1}, {0, 3}}));
}

TEST_F(SlipReads, ASessionOpensEachFileOnceAndNeverReadsAFileItReplacedThroughItsOldName) {
    for (int d = 501; d <= 505; ++d) slip(d, 1, 3);
    CountingFileSystem counting;
    ReadSessionFileSystem session(counting);
    AppContext viaSession(ctx.edition, ctx.programFolder(), session);
    viaSession.fileSet = ctx.fileSet;
    viaSession.settings = ctx.settings;
    viaSession.env = ctx.env;
    CFq7Doc reader(viaSession, dialogs);
    for (int n : reader.slipsOfDate(503)) ASSERT_TRUE(reader.loadRecord(n));
    for (int n = 1; n <= 5; ++n) ASSERT_TRUE(reader.loadRecord(n));
    EXPECT_EQ(counting.opens[name(f[kSlipHeaders])], 1);
    EXPECT_EQ(counting.opens[name(f[kSlipLines])], 1);
    EXPECT_EQ(counting.opens[name(f[kGrades])], 1);

    // A file replaced whole through the session is read anew, not through the old descriptor.
    Bytes grades = fs.readAll(f[kGrades]).value();
    GradeRecord g{};
    cp932::assign(g.grade1Name, "優");
    std::memcpy(grades.data() + sizeof g, &g, sizeof g);
    ASSERT_TRUE(session.replaceWhole(f[kGrades], grades));
    GradeRecord back{};
    ASSERT_TRUE(masters::readRecord(session, f[kGrades], 1, back));
    EXPECT_EQ(printing::fieldText(back.grade1Name), "優");
}

TEST_F(SlipReads, APrintRunKeepsTheHeadersItReadAndReadsOnlyTheSlipsItPrints) {
    for (int d = 501; d <= 520; ++d) slip(d, 1, 2);
    CountingFileSystem counting;
    AppContext viaCounting(ctx.edition, ctx.programFolder(), counting);
    viaCounting.fileSet = ctx.fileSet;
    viaCounting.settings = ctx.settings;
    viaCounting.env = ctx.env;
    printing::SlipSnapshot files(viaCounting);
    const printing::PrintedSlip before = files.slip(7, false);
    ASSERT_EQ(before.lines.size(), 2u);
    EXPECT_EQ(before.header.date, 507);

    // Another station moves slip 7 to another date while the run is being printed: the run
    // goes on with the header it read.
    SlipHeader h{};
    ASSERT_TRUE(masters::readRecord(fs, f[kSlipHeaders], 7, h));
    h.date = 601;
    ASSERT_TRUE(masters::writeRecord(fs, f[kSlipHeaders], 7, h));
    EXPECT_EQ(files.header(7).date, 507);
    EXPECT_EQ(files.slipsOfDate(507), std::vector<int>{7});

    // One open of each slip file; the lines of one slip in one read.
    EXPECT_EQ(counting.opens[name(f[kSlipHeaders])], 1);
    EXPECT_EQ(counting.opens[name(f[kSlipLines])], 1);
    EXPECT_EQ(counting.reads[name(f[kSlipLines])], 1);
}

}  // namespace
}  // namespace rk::test
