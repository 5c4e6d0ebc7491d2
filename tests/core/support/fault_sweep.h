// Runs a write with a fault injected at every changing call in turn (a failure, a short
// write, a crash before and in the middle of the call) and checks what the operator and the
// disk are left with: after the next start's roll-back the files are wholly as before or
// wholly as after, a write reported as done left them as after, and a write that failed
// without a crash left them as before and showed a failure.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "base/dialogs.h"
#include "platform/rollback_journal.h"
#include "support/faulty_file_system.h"

namespace rk::test {

using FileState = std::map<fs::path, std::optional<Bytes>>;

inline FileState stateOf(const std::vector<fs::path>& files) {
    FileState s;
    for (const fs::path& f : files) s[f] = realFileSystem().readAll(f);
    return s;
}

inline void putState(const FileState& s) {
    for (const auto& [f, bytes] : s) {
        std::error_code ec;
        fs::remove(fs::path(f.string() + ".tmp"), ec);
        if (!bytes) {
            fs::remove(f, ec);
        } else {
            ASSERT_TRUE(realFileSystem().replaceWhole(f, *bytes));
        }
    }
}

struct FaultSweep {
    std::vector<fs::path> files;  // the files the write may change
    fs::path journalFolder;       // where its journal lives
    // Sets up what the write starts from (called before every run).
    std::function<void()> setUp = [] {};
    // The write; true when it told the operator it was done.
    std::function<bool(FileSystem&, ScriptedDialogs&)> write;
    // Whether a shown text is the failure message of this write.
    std::function<bool(const std::string&)> isFailure = [](const std::string&) { return true; };
    // Whether the write reports to the operator itself (a core function that only returns
    // false leaves that to its caller).
    bool showsFailure = true;

    void run() {
        setUp();
        const FileState before = stateOf(files);
        {
            ScriptedDialogs d;
            ASSERT_TRUE(write(realFileSystem(), d)) << "the write fails without a fault";
        }
        const FileState after = stateOf(files);
        ASSERT_NE(before, after) << "the write changes nothing";

        using Fault = FaultyFileSystem::Fault;
        for (Fault fault : {Fault::Fail, Fault::ShortWrite, Fault::Crash, Fault::TornCrash}) {
            for (int k = 1;; ++k) {
                SCOPED_TRACE("fault " + std::to_string(static_cast<int>(fault)) + " at change " + std::to_string(k));
                putState(before);
                setUp();
                FaultyFileSystem faulty(realFileSystem());
                faulty.arm(k, fault);
                ScriptedDialogs d;
                const bool done = write(faulty, d);
                const bool reached = faulty.changes() >= k;
                // The next start rolls back whatever journal the write left.
                ASSERT_TRUE(rollBackJournal(realFileSystem(), FileTransaction::journalFile(journalFolder)));
                const FileState now = stateOf(files);
                EXPECT_TRUE(now == before || now == after) << "files neither old nor new";
                if (done) {
                    EXPECT_EQ(now, after) << "reported done, files not written";
                }
                const bool crashed = fault == Fault::Crash || fault == Fault::TornCrash;
                if (!done && !crashed) {
                    EXPECT_EQ(now, before) << "failed, files changed";
                    bool told = !showsFailure;
                    for (const std::string& t : d.shown) told = told || isFailure(t);
                    EXPECT_TRUE(told) << "a failed write showed no failure";
                }
                if (!reached) break;  // the write needs fewer changing calls than k
            }
        }
        putState(before);
    }
};

}  // namespace rk::test
