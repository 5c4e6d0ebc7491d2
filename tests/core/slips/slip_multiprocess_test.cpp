// Several processes recording, changing and deleting slips of overlapping dates and
// customers at once, as stations sharing one data folder do.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "slips/slip_builders.h"
#include "slips/slip_index.h"
#include "support/installation.h"

namespace rk::test {
namespace {

constexpr int kProcesses = 4;
constexpr int kRounds = 30;

std::string tagOf(const SlipLine& l) { return std::string(l.remark, cp932::fieldLength(l.remark, sizeof l.remark)); }

// One station's work. Slips it created are its own to change or delete (a shared folder
// keeps other stations off an open slip with slip locks); a pair another station took first
// is refused and left alone. Every successful write is logged as "r deleted tags...".
void station(AppContext& ctx, int id, const fs::path& log) {
    std::ofstream out(log);
    ScriptedDialogs d;
    CFq7Doc doc(ctx, d);
    std::set<std::pair<int, int>> mine;
    for (int i = 0; i < kRounds; ++i) {
        const int date = 801 + i % 4;
        const int customer = 1 + (i * 3 + id) % 5;
        const bool found = doc.findAndLoad(date, customer);
        if (found && !mine.count({date, customer})) continue;
        if (found && i % 7 == 3) {
            const int r = doc.recordNumber();
            if (doc.deleteSlip() == CFq7Doc::WriteResult::Ok) {
                out << r << " 1\n";
                mine.erase({date, customer});
            }
            continue;
        }
        if (!found) newSlip(doc, date, customer, 0);
        const int n = doc.header.lineCount + 1;
        if (n > kMaxSlipLines) continue;
        for (int j = n; j <= std::min(n + 1, kMaxSlipLines); ++j) {
            setLine(doc, j, 1 + (i + j) % 30);
            cp932::assign(doc.lines[j].remark,
                          "P" + std::to_string(id) + "-" + std::to_string(i) + "-" + std::to_string(j));
        }
        const int r = doc.recordNumber();
        std::vector<std::string> tags;
        for (int j = 1; j <= doc.header.lineCount; ++j) tags.push_back(tagOf(doc.lines[j]));
        if (doc.record() != CFq7Doc::WriteResult::Ok) {
            EXPECT_EQ(r, -1);  // only a new slip may lose the race for its pair
            doc.start();
            continue;
        }
        mine.insert({date, customer});
        out << doc.lastWritten() << " 0";
        for (auto& t : tags) out << ' ' << t;
        out << '\n';
    }
}

// The stations run; with `rebuilding` a fifth process rebuilds the indexes over and over
// meanwhile (as `rakurena reindex` in a loop, or a second copy of the program starting
// repeatedly does). Then every logged write must be on disk as logged.
void runStationsAndCheck(bool rebuilding) {
    Installation inst;
    std::vector<pid_t> children;
    const fs::path stop = inst.folder.path() / "stop";
    pid_t rebuilder = -1;
    if (rebuilding) {
        rebuilder = ::fork();
        ASSERT_GE(rebuilder, 0);
        if (rebuilder == 0) {
            const FileSet& f = inst.ctx->fileSet;
            int failed = 0;
            while (!fs::exists(stop))
                failed +=
                    !rebuildIndexesLocked(realFileSystem(), f.dataFolder, f[kSlipHeaders], f[kIndex1], f[kIndex2]);
            ::_exit(failed == 0 ? 0 : 1);
        }
    }
    for (int id = 1; id <= kProcesses; ++id) {
        pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            station(*inst.ctx, id, inst.folder.path() / ("station" + std::to_string(id) + ".log"));
            ::_exit(::testing::Test::HasFailure() ? 1 : 0);
        }
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    if (rebuilding) {
        std::ofstream(stop).put('x');
        int status = 0;
        ASSERT_EQ(::waitpid(rebuilder, &status, 0), rebuilder);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a rebuild failed";
    }

    // The last logged state of every header number, and who wrote it.
    std::map<int, std::pair<int, std::string>> last;  // r -> (station, "deleted tags")
    for (int id = 1; id <= kProcesses; ++id) {
        std::ifstream in(inst.folder.path() / ("station" + std::to_string(id) + ".log"));
        std::string line;
        while (std::getline(in, line)) {
            std::istringstream is(line);
            int r = 0;
            is >> r;
            std::string rest;
            std::getline(is, rest);
            auto it = last.find(r);
            if (it != last.end()) {
                ASSERT_EQ(it->second.first, id) << "two stations wrote header " << r;
            }
            last[r] = {id, rest};
        }
    }
    ASSERT_GT(last.size(), 10u);

    FileSystem& fs = realFileSystem();
    const FileSet& f = inst.ctx->fileSet;
    EXPECT_TRUE(indexesAgree(fs, f));
    const int headers = static_cast<int>(*fs.size(f[kSlipHeaders]) / kSlipHeaderSize);
    EXPECT_EQ(headers - 1, static_cast<int>(last.size()));  // every header is a logged write: none lost
    std::set<std::pair<int, int>> livePairs;
    std::set<int> usedLines;
    for (int r = 1; r < headers; ++r) {
        SlipHeader h = headerAt(fs, f[kSlipHeaders], r);
        std::ostringstream seen;
        seen << ' ' << (liveDate(h.date) ? 0 : 1);
        if (liveDate(h.date)) {
            EXPECT_TRUE(livePairs.insert({h.date, h.customer}).second)
                << "second live slip " << h.date << "/" << h.customer;
            for (int j = 1; j <= h.lineCount; ++j) {
                EXPECT_TRUE(usedLines.insert(h.lineSlots[j]).second) << "line " << h.lineSlots[j] << " shared";
                SlipLine l = lineAt(fs, f[kSlipLines], h.lineSlots[j]);
                EXPECT_EQ(l.owner, r);
                seen << ' ' << tagOf(l);
            }
        }
        EXPECT_EQ(last[r].second, seen.str()) << "header " << r;
    }
}

TEST(SlipStations, ConcurrentWritersNeitherLoseDuplicateNorShareSlipsOrLines) { runStationsAndCheck(false); }

// A rebuild that swapped in an index read before another station's new entry would hide
// that slip from the duplicate check, and a second live slip of its (date, customer) follows.
TEST(SlipStations, AnIndexRebuildLoopNeverLetsASecondLiveSlipThrough) { runStationsAndCheck(true); }

}  // namespace
}  // namespace rk::test
