// The archiver: what we write comes back byte for byte, through our reader and through other
// LHA readers; what an independent LHA implementation wrote is read by us; damage and failed
// writes are reported and leave the old archive alone.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "jlha_fixture.h"
#include "maintenance/archiver.h"
#include "maintenance/crc16.h"
#include "maintenance/lha_writer.h"
#include "platform/file_times.h"
#include "support/faulty_file_system.h"
#include "support/temp_folder.h"

namespace rk {
namespace {

using test::readFile;
using test::TempFolder;

Bytes textBytes(std::string_view s) {
    Bytes b(s.size());
    std::memcpy(b.data(), s.data(), s.size());
    return b;
}

void writeFile(const fs::path& p, const Bytes& b) { ASSERT_TRUE(realFileSystem().replaceWhole(p, b)); }

// Contents that exercise the coder: nothing, one byte, incompressible noise, long runs past
// the longest match, repeats farther apart than the window, fixed records over many blocks.
std::vector<std::pair<std::string, Bytes>> samples() {
    std::mt19937 rng(7);
    Bytes noise(70000);
    for (auto& b : noise) b = static_cast<std::byte>(rng());
    Bytes runs(5000, std::byte{0});
    for (size_t i = 1000; i < 1600; ++i) runs[i] = std::byte{0x41};
    Bytes far;
    for (int rep = 0; rep < 3; ++rep) far.insert(far.end(), noise.begin(), noise.begin() + 9000);
    Bytes records;
    for (int r = 0; r < 20000; ++r) {
        Bytes rec(224, std::byte{0});
        for (int i = 0; i < 4; ++i) rec[static_cast<size_t>(i)] = static_cast<std::byte>(r >> (8 * i));
        rec[40] = static_cast<std::byte>(rng() % 7);
        records.insert(records.end(), rec.begin(), rec.end());
    }
    return {{"empty.dat", {}},
            {"one.dat", {std::byte{0x5A}}},
            {"noise.bin", noise},
            {"runs.bin", runs},
            {"far.bin", far},
            {"F7da2026.FT2", records},
            {"FMST.FT0", Bytes(640, std::byte{0x20})},  // upper case stays upper case
            {"輸送業者.csv", textBytes("ヤマト運輸,1\n佐川急便,2\n")}};
}

struct Made {
    TempFolder folder;
    fs::path archive;
    std::vector<std::pair<std::string, Bytes>> files;
};

void makeArchive(Made& m) {
    m.files = samples();
    std::vector<ArchiveInput> inputs;
    fs::create_directories(m.folder / "src");
    int minute = 0;
    for (auto& [name, bytes] : m.files) {
        writeFile(m.folder / "src" / name, bytes);
        ASSERT_TRUE(setModifiedTime(m.folder / "src" / name, {2026, 5, 10, 8, minute++, 30}));
        inputs.push_back({m.folder / "src" / name, ""});
    }
    m.archive = m.folder / "2026年dt.Lzh";
    ArchiveResult r = createArchive(realFileSystem(), m.archive, inputs);
    ASSERT_TRUE(r.ok()) << r.file;
    ASSERT_EQ(r.entries.size(), m.files.size());
}

TEST(Archive, RoundTripKeepsBytesNamesAndTimes) {
    Made m;
    makeArchive(m);
    ArchiveResult check = checkArchive(m.archive);
    ASSERT_TRUE(check.ok());
    EXPECT_EQ(check.entries[2].method, "-lh0-");  // noise does not shrink: stored
    EXPECT_EQ(check.entries[5].method, "-lh5-");
    fs::create_directories(m.folder / "out");
    writeFile(m.folder / "out" / "F7da2026.FT2", textBytes("old contents to be replaced"));
    ArchiveResult x = extractArchive(realFileSystem(), m.archive, m.folder / "out");
    ASSERT_TRUE(x.ok()) << x.file;
    int minute = 0;
    for (auto& [name, bytes] : m.files) {
        EXPECT_EQ(readFile(m.folder / "out" / name), bytes) << name;
        EXPECT_EQ(realFileSystem().modified(m.folder / "out" / name), (FileTime{2026, 5, 10, 8, minute++, 30})) << name;
    }
    // Fixed records compress far below the 40 % an office expects of its backups.
    EXPECT_LT(fs::file_size(m.archive), fs::file_size(m.folder / "src" / "F7da2026.FT2") / 10 + 80000);
}

TEST(Archive, CrcIsTheLhaOne) {
    EXPECT_EQ(lha::crc16(textBytes("123456789")), 0xBB3D);
    EXPECT_EQ(lha::crc16({}), 0);
}

bool haveTool(const char* tool) {
    return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

TEST(Archive, OtherReadersExtractOurArchivesByteForByte) {
    for (const char* tool : {"lhasa", "bsdtar"}) {
        if (!haveTool(tool)) GTEST_SKIP() << tool << " is not installed (scripts/setup installs it)";
        Made m;
        makeArchive(m);
        const fs::path out = m.folder / "out";
        fs::create_directories(out);
        const std::string cmd = std::string("cd '") + out.string() + "' && LC_ALL=C.UTF-8 " +
                                (std::string(tool) == "lhasa" ? "lhasa xq '" : "bsdtar -xf '") + m.archive.string() +
                                "' >/dev/null 2>&1";
        ASSERT_EQ(std::system(cmd.c_str()), 0) << tool;
        for (auto& [name, bytes] : m.files) {
            // lhasa keeps the stored Shift-JIS bytes as the name; bsdtar converts them.
            const bool sjisName = name == "輸送業者.csv";
            fs::path got = out / name;
            if (sjisName && std::string(tool) == "lhasa") got = out / "\x97\x41\x91\x97\x8b\xc6\x8e\xd2.csv";
            EXPECT_EQ(readFile(got), bytes) << tool << " " << name;
        }
    }
}

TEST(Archive, ReadsAnArchiveOfAnIndependentLhaImplementation) {
    TempFolder t;
    Bytes fixture(kJlhaFixtureLength);
    std::memcpy(fixture.data(), kJlhaFixture, kJlhaFixtureLength);
    writeFile(t / "old.lzh", fixture);
    fs::create_directories(t / "out");
    ArchiveResult r = extractArchive(realFileSystem(), t / "old.lzh", t / "out");
    ASSERT_TRUE(r.ok()) << r.file;
    ASSERT_EQ(r.entries.size(), 3u);
    EXPECT_EQ(r.entries[0].method, "-lh5-");
    EXPECT_EQ(r.entries[1].method, "-lh6-");
    // The level-0 name comes back in lower case from an MS-DOS archiver; restore matches
    // names without regard to case.
    EXPECT_EQ(resolveCase(t / "out" / "FMST.FT0").filename(), "fmst.ft0");
    std::string settings;
    for (int i = 0; i < 40; ++i) settings += "FMST fixture: settings bytes\n";
    EXPECT_EQ(readFile(resolveCase(t / "out" / "FMST.FT0")), textBytes(settings));
    Bytes records;
    for (int i = 0; i < 300; ++i) {
        Bytes rec(224, std::byte{0});
        for (int k = 0; k < 4; ++k) rec[static_cast<size_t>(k)] = static_cast<std::byte>(i >> (8 * k));
        std::memcpy(rec.data() + 20, "BARA  RED ", 10);
        records.insert(records.end(), rec.begin(), rec.end());
    }
    EXPECT_EQ(readFile(t / "out" / "F7da2026.FT2"), records);
    EXPECT_EQ(readFile(t / "out" / "輸送業者.csv"), textBytes("yamato,1\n"));
}

TEST(Archive, DamageIsFoundAndNamesNeverLeaveTheFolder) {
    Made m;
    makeArchive(m);
    Bytes bytes = readFile(m.archive);
    // A byte inside the records member's compressed data.
    bytes[bytes.size() - 200] ^= std::byte{0x10};
    writeFile(m.folder / "bad.lzh", bytes);
    ArchiveResult r = checkArchive(m.folder / "bad.lzh");
    EXPECT_EQ(r.error, ArchiveError::Damaged);
    EXPECT_EQ(checkArchive(m.folder / "missing.lzh").error, ArchiveError::CannotOpen);

    // A stored name with folder parts (another archiver's) lands flat in the folder.
    lha::MemberInfo info;
    auto member = lha::encodeMember("../../escape.dat", Bytes(100, std::byte{1}), 0, info);
    ASSERT_TRUE(member);
    member->push_back(lha::kEndOfArchive);
    writeFile(m.folder / "path.lzh", *member);
    fs::create_directories(m.folder / "deep" / "out");
    ArchiveResult flat = extractArchive(realFileSystem(), m.folder / "path.lzh", m.folder / "deep" / "out");
    ASSERT_TRUE(flat.ok());
    ASSERT_EQ(flat.entries.size(), 1u);
    EXPECT_EQ(flat.entries[0].name.find('/'), std::string::npos);
    EXPECT_TRUE(fs::exists(m.folder / "deep" / "out" / flat.entries[0].name));
    EXPECT_FALSE(fs::exists(m.folder / "escape.dat"));
}

TEST(Archive, AFailedWriteLeavesTheOldArchive) {
    Made m;
    makeArchive(m);
    const Bytes old = readFile(m.archive);
    std::vector<ArchiveInput> inputs;
    for (auto& [name, bytes] : m.files) inputs.push_back({m.folder / "src" / name, ""});
    for (int k = 1;; ++k) {
        test::FaultyFileSystem faulty(realFileSystem());
        faulty.arm(k, test::FaultyFileSystem::Fault::ShortWrite);
        ArchiveResult r = createArchive(faulty, m.archive, inputs);
        if (faulty.changes() < k) break;  // every call went through: nothing left to fail
        if (r.ok()) {
            // Only clearing a stale part file failed, which does not matter.
            EXPECT_TRUE(checkArchive(m.archive).ok()) << "call " << k;
            continue;
        }
        EXPECT_EQ(readFile(m.archive), old) << "call " << k;
        EXPECT_FALSE(fs::exists(m.folder / "2026年dt.Lzh.part")) << "call " << k;
    }
    // A source that cannot be read is named.
    ArchiveResult r = createArchive(realFileSystem(), m.archive, {{m.folder / "src" / "gone.dat", ""}});
    EXPECT_EQ(r.error, ArchiveError::SourceUnreadable);
    EXPECT_NE(r.file.find("gone.dat"), std::string::npos);
    EXPECT_EQ(readFile(m.archive), old);
}

}  // namespace
}  // namespace rk
