// A demo year has payments (groups and slip-by-slip ones among them) whose slips are settled
// and whose balances add up; `rakurena payments` lists them.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "app/startup_loader.h"
#include "cli/cli.h"
#include "masters/customer_master.h"
#include "payments/payment_file.h"
#include "slips/slip_builders.h"
#include "support/temp_folder.h"

namespace rk::test {
namespace {

int run(std::vector<std::string> args, std::string* out = nullptr) {
    args.insert(args.begin(), "rakurena");
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    std::ostringstream o, e;
    cli::Io io{o, e};
    int rc = cli::main(static_cast<int>(argv.size()), argv.data(), io);
    if (out) *out = o.str();
    return rc;
}

TEST(DemoPayments, SettledSlipsBalancesAndTheListAgree) {
    TempFolder dir;
    const fs::path folder = dir.path() / "demo";
    ASSERT_EQ(run({"demo", "--year", "2026", "--customers", "45", "--slips", "600", folder.string()}), 0);
    AppContext ctx(Edition::Sales, folder);
    ScriptedDialogs d;
    CreatingPrompts prompts;
    StandAloneStation station;
    ASSERT_EQ(runStartupLoader(ctx, d, prompts, station), StartupResult::Run);

    const auto all = payments::readPayments(ctx.files, ctx.fileSet[kPayments]);
    ASSERT_GT(all.size(), 20u);
    int groups = 0, single = 0;
    std::map<int, int> settledBy;  // slip -> payment
    std::map<int, double> change;  // customer -> sum of its balance changes
    for (size_t n = 1; n < all.size(); ++n) {
        const PaymentRecord& p = all[n];
        ASSERT_GT(p.date, 100);
        groups += p.memberCount > 0;
        single += p.slipCount == 1 && p.memberCount == 0;
        change[p.customer] += p.balanceChange;
        for (size_t k = 0; k < payments::listedMembers(p).size(); ++k) change[p.members[k]] += p.memberBalanceChange[k];
        for (int32_t s : payments::settledSlips(p)) {
            EXPECT_TRUE(settledBy.emplace(s, static_cast<int>(n)).second) << "slip " << s << " settled twice";
            const SlipHeader h = headerAt(ctx.files, ctx.fileSet[kSlipHeaders], s);
            EXPECT_EQ(h.stage, kStageSettled);
            EXPECT_EQ(h.settlementDate, p.date);
        }
    }
    EXPECT_GT(groups, 0);
    EXPECT_GT(single, 0);
    // Every customer's balance is its opening balance moved by its payments.
    const auto customers = masters::readCustomers(ctx.files, ctx.fileSet[kCustomers], 45);
    for (int c = 1; c <= 45; ++c)
        EXPECT_EQ(customers[static_cast<size_t>(c)].balance,
                  customers[static_cast<size_t>(c)].openingBalance + change[c])
            << "customer " << c;

    std::string out;
    ASSERT_EQ(run({"payments", "--from", "1", "--to", "12", folder.string()}, &out), 0);
    std::istringstream lines(out);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line.substr(0, 8), "#payment");
    size_t count = 0;
    while (std::getline(lines, line)) {
        ++count;
        EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 7) << line;
    }
    EXPECT_EQ(count, all.size() - 1);
    ASSERT_EQ(run({"payments", "--from", "1301", "--to", "2", folder.string()}), 2);
    ASSERT_EQ(run({"payments", "--from", "2", folder.string()}), 2);
}

}  // namespace
}  // namespace rk::test
