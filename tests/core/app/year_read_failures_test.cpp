// A missing, empty or unreadable year file is an error with its reason, never an empty year:
// the commands exit 1, the ledger never stores a balance computed from part of the year, and
// the slips of a date are only those whose header still says so.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli.h"
#include "masters/master_io.h"
#include "slips/slip_builders.h"
#include "slips/slip_index.h"
#include "support/installation.h"
#include "tables/ledger.h"

namespace rk::test {
namespace {

struct CliRun {
    int status;
    std::string out, err;
};

CliRun run(std::vector<std::string> args) {
    args.insert(args.begin(), "rakurena");
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    std::ostringstream o, e;
    cli::Io io{o, e};
    const int rc = cli::main(static_cast<int>(argv.size()), argv.data(), io);
    return {rc, o.str(), e.str()};
}

class YearReadFailures : public ::testing::Test {
protected:
    Installation inst;
    AppContext& ctx = *inst.ctx;
    const std::string folder = inst.folder.path().string();

    void SetUp() override {
        CustomerRecord c{};
        cp932::assign(c.name, "駅前花店");
        c.balance = 50000;
        ASSERT_TRUE(masters::writeRecord(ctx.files, ctx.fileSet[kCustomers], 6, c));
    }
};

TEST_F(YearReadFailures, EveryReadingCommandExitsOneOnAMissingOrEmptyFile) {
    ASSERT_EQ(run({"slips", "--date", "0412", folder}).status, 0);
    ASSERT_EQ(run({"payments", "--from", "1", "--to", "12", folder}).status, 0);

    const Bytes customers = test::readFile(ctx.fileSet[kCustomers]);
    ASSERT_TRUE(ctx.files.remove(ctx.fileSet[kSlipHeaders]));
    for (std::vector<std::string> args : {std::vector<std::string>{"slips", "--date", "0412", folder},
                                          {"ledger", "--customer", "6", "--correct", folder},
                                          {"export", "table", "--kind", "1", "-o", folder + "/t.Csv", folder},
                                          {"export", "sales-totals", folder},
                                          {"reindex", folder}}) {
        const CliRun r = run(args);
        EXPECT_EQ(r.status, 1) << args[0] << ": " << r.out;
        EXPECT_NE(r.err.find(ctx.fileSet[kSlipHeaders].filename().string()), std::string::npos)
            << args[0] << " does not name the file: " << r.err;
    }
    EXPECT_EQ(test::readFile(ctx.fileSet[kCustomers]), customers) << "a balance was stored from part of the year";

    ASSERT_TRUE(ctx.files.replaceWhole(ctx.fileSet[kPayments], {}));
    EXPECT_EQ(run({"payments", "--from", "1", "--to", "12", folder}).status, 1);
}

TEST_F(YearReadFailures, TheLedgerRefusesToCorrectFromAnIncompleteRead) {
    ScriptedDialogs d;
    ASSERT_TRUE(ctx.files.remove(ctx.fileSet[kPayments]));
    const tables::Ledger l = tables::runLedger(ctx, 6, d);
    EXPECT_FALSE(l.complete);
    d.answers = {Answer::Yes};
    EXPECT_EQ(tables::offerCorrection(ctx, l, d), tables::Correction::Failed);
    CustomerRecord c{};
    masters::readCustomer(ctx.files, ctx.fileSet[kCustomers], 6, c);
    EXPECT_EQ(c.balance, 50000);
}

TEST_F(YearReadFailures, ADamagedSettingsFileIsAnErrorForTheCommands) {
    Bytes s = test::readFile(ctx.settingsFile());
    s.resize(100);  // no business year, no first month
    ASSERT_TRUE(ctx.files.replaceWhole(ctx.settingsFile(), s));
    const CliRun r = run({"info", folder});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("damaged"), std::string::npos) << r.err;
}

TEST(SlipsOfDate, AStaleIndexEntryNeverListsASlip) {
    Installation inst;
    AppContext& ctx = *inst.ctx;
    ScriptedDialogs d;
    CFq7Doc doc(ctx, d);
    newSlip(doc, 412, 6, 2);
    ASSERT_EQ(doc.record(), CFq7Doc::WriteResult::Ok);
    const int n = doc.lastWritten();
    newSlip(doc, 412, 7, 1);
    ASSERT_EQ(doc.record(), CFq7Doc::WriteResult::Ok);
    ASSERT_EQ(doc.slipsOfDate(412).size(), 2u);

    // The index still says 0412 / 6 for a header that now says 0413 (deleted, moved,
    // or the index left behind by a rebuild that lost a race).
    Bytes header = test::readFile(ctx.fileSet[kSlipHeaders]);
    writeI32(header, static_cast<size_t>(n) * kSlipHeaderSize + kIndex1First, 413);
    ASSERT_TRUE(ctx.files.replaceWhole(ctx.fileSet[kSlipHeaders], header));
    EXPECT_EQ(doc.slipsOfDate(412), std::vector<int>{doc.lastWritten()});
    EXPECT_TRUE(doc.slipsOfDate(413).empty());  // the index does not know it there
}

}  // namespace
}  // namespace rk::test
