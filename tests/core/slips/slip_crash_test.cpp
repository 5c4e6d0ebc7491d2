// Recording killed at every point where it changes a file: after the next start every slip
// is wholly old or wholly new and the indexes agree with the headers.
#include <gtest/gtest.h>

#include <functional>

#include "platform/rollback_journal.h"
#include "slips/slip_builders.h"
#include "support/faulty_file_system.h"
#include "support/installation.h"

namespace rk::test {
namespace {

constexpr DataSlot kSlipFiles[] = {kSlipHeaders, kSlipLines, kRemarkTexts, kIndex1, kIndex2};

struct Snapshot {
    std::vector<Bytes> files;
    bool operator==(const Snapshot&) const = default;
};

Snapshot snapshot(const Installation& inst) {
    Snapshot s;
    for (DataSlot slot : kSlipFiles) s.files.push_back(inst.bytes(slot));
    return s;
}

// Two slips to start from: (512, 7) with three lines and a text, (513, 8) with two.
void seed(Installation& inst) {
    ScriptedDialogs d;
    CFq7Doc doc(*inst.ctx, d);
    newSlip(doc, 512, 7, 3);
    doc.lines[2].textNumber = -1;
    cp932::assign(doc.texts[2].text, "元の備考");
    ASSERT_EQ(doc.record(), CFq7Doc::WriteResult::Ok);
    newSlip(doc, 513, 8, 2);
    ASSERT_EQ(doc.record(), CFq7Doc::WriteResult::Ok);
}

using Operation = std::function<void(CFq7Doc&)>;

const std::vector<std::pair<const char*, Operation>>& operations() {
    static const std::vector<std::pair<const char*, Operation>> ops = {
        {"new slip",
         [](CFq7Doc& doc) {
             newSlip(doc, 514, 7, 4);
             doc.lines[3].textNumber = -1;
             cp932::assign(doc.texts[3].text, "新しい備考");
             (void)doc.record();
         }},
        {"changed slip",
         [](CFq7Doc& doc) {
             ASSERT_TRUE(doc.findAndLoad(512, 7));
             doc.lines[1].price = 777;
             cp932::assign(doc.texts[2].text, "書き換えた備考");
             setLine(doc, 4, 20);
             setLine(doc, 5, 21);
             doc.lines[5].textNumber = -1;
             (void)doc.record();
         }},
        {"deleted slip",
         [](CFq7Doc& doc) {
             ASSERT_TRUE(doc.findAndLoad(513, 8));
             (void)doc.deleteSlip();
         }},
        {"moved slip",
         [](CFq7Doc& doc) {
             ASSERT_TRUE(doc.findAndLoad(512, 7));
             (void)doc.moveTo(601, 9);
         }},
    };
    return ops;
}

TEST(SlipCrash, EveryWritePointLeavesTheSlipWhollyOldOrWhollyNew) {
    for (const auto& [name, op] : operations()) {
        SCOPED_TRACE(name);
        // The clean run gives the new state and the number of changing calls.
        Installation seeded;
        seed(seeded);
        Installation clean(Installation::CopyOf{seeded});
        const Snapshot before = snapshot(clean);
        FaultyFileSystem counting(realFileSystem());
        {
            auto c = clean.contextWith(counting);
            ScriptedDialogs d;
            CFq7Doc doc(*c, d);
            op(doc);
        }
        const Snapshot after = snapshot(clean);
        ASSERT_FALSE(before == after);
        const int points = counting.changes();
        ASSERT_GT(points, 8);

        int sawOld = 0, sawNew = 0;
        for (auto kind : {FaultyFileSystem::Fault::Crash, FaultyFileSystem::Fault::TornCrash}) {
            for (int k = 1; k <= points; ++k) {
                SCOPED_TRACE(k);
                Installation inst(Installation::CopyOf{seeded});
                FaultyFileSystem faulty(realFileSystem());
                faulty.arm(k, kind);
                {
                    auto c = inst.contextWith(faulty);
                    ScriptedDialogs d;
                    CFq7Doc doc(*c, d);
                    op(doc);
                }
                ASSERT_TRUE(faulty.crashed());
                // The next start.
                ASSERT_TRUE(recoverInterruptedWrite(realFileSystem(), inst.ctx->fileSet.dataFolder));
                const Snapshot now = snapshot(inst);
                const bool isOld = now == before, isNew = now == after;
                EXPECT_TRUE(isOld || isNew);
                sawOld += isOld;
                sawNew += isNew;
                EXPECT_TRUE(indexesAgree(realFileSystem(), inst.ctx->fileSet));
                EXPECT_FALSE(realFileSystem().exists(FileTransaction::journalFile(inst.ctx->fileSet.dataFolder)));
            }
        }
        EXPECT_GT(sawOld, 0);
        EXPECT_GT(sawNew, 0);
    }
}

TEST(SlipCrash, TheNextWriterRollsBackAnUnfinishedWriteFirst) {
    Installation inst;
    seed(inst);
    const Snapshot before = snapshot(inst);
    FaultyFileSystem faulty(realFileSystem());
    faulty.arm(6, FaultyFileSystem::Fault::TornCrash);  // inside the data writes
    {
        auto c = inst.contextWith(faulty);
        ScriptedDialogs d;
        CFq7Doc doc(*c, d);
        operations()[1].second(doc);
    }
    ASSERT_TRUE(faulty.crashed());
    ASSERT_FALSE(snapshot(inst) == before);  // half written
    ASSERT_TRUE(realFileSystem().exists(FileTransaction::journalFile(inst.ctx->fileSet.dataFolder)));

    // Another station records without a restart in between.
    ScriptedDialogs d;
    CFq7Doc other(*inst.ctx, d);
    newSlip(other, 700, 3, 1);
    ASSERT_EQ(other.record(), CFq7Doc::WriteResult::Ok);
    EXPECT_EQ(other.lastWritten(), 3);
    ASSERT_TRUE(other.findAndLoad(512, 7));
    EXPECT_EQ(other.lines[1].price, 101);  // the crashed change is gone whole
    EXPECT_EQ(other.header.lineCount, 3);
    EXPECT_TRUE(indexesAgree(realFileSystem(), inst.ctx->fileSet));
}

}  // namespace
}  // namespace rk::test
