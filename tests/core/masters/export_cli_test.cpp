// `rakurena export customers` writes the same bytes as the customer master's export.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>

#include "base/cp932.h"
#include "masters/customer_csv.h"
#include "masters/master_io.h"
#include "support/temp_folder.h"

namespace rk::masters {
namespace {

int run(const std::string& args) {
    std::string cmd = std::string(RAKURENA_CLI) + " " + args + " >/dev/null 2>&1";
    int status = std::system(cmd.c_str());
    return WEXITSTATUS(status);
}

TEST(ExportCli, CustomersMatchTheWindowsBytes) {
    test::TempFolder dir;
    const std::string folder = dir.path().string();
    ASSERT_EQ(run("init --year 2026 " + folder), 0);
    FileSystem& fs = realFileSystem();
    fs::path customers = dir / "F7ma2026.FT1";
    CustomerRecord r{};
    cp932::assign(r.name, "花の店");
    r.postalFirst = 123;
    r.postalSecond = 4567;
    ASSERT_TRUE(writeRecord(fs, customers, 3, r));

    ASSERT_EQ(run("export customers " + folder), 0);
    fs::path mine = dir / "mine.csv";
    ASSERT_TRUE(exportCustomers(fs, customers, 999, mine));
    Bytes expected = test::readFile(mine);
    EXPECT_EQ(test::readFile(dir / "得意先.Csv"), expected);
    ASSERT_EQ(run("export customers -o " + (dir / "other.csv").string() + " " + folder), 0);
    EXPECT_EQ(test::readFile(dir / "other.csv"), expected);
    EXPECT_NE(std::string(reinterpret_cast<const char*>(expected.data()), expected.size())
                  .find("\r\n3, " + cp932::fromUtf8("花の店") + ",,,123-4567,1234567, "),
              std::string::npos);

    EXPECT_EQ(run("export customers " + folder + "/none"), 1);
    EXPECT_EQ(run("export " + folder), 2);
}

}  // namespace
}  // namespace rk::masters

#include "app/app_context.h"
#include "app/command_table.h"

namespace rk {
namespace {

// A balance edited in the customer master would be overwritten by a payment window and the
// other way round: each refuses while the other is open.
TEST(MasterCommands, CustomerMasterAndPaymentWindowsExcludeEachOther) {
    AppContext ctx(Edition::Sales, "/nonexistent");
    auto run = [&](int id) { return runCommand(ctx, *findCommand(id)); };
    ASSERT_EQ(run(161).kind, CommandOutcome::Kind::Open);
    for (int payment : {134, 136}) {
        auto o = run(payment);
        EXPECT_EQ(o.kind, CommandOutcome::Kind::Refused) << payment;
        EXPECT_EQ(o.message, "得意先マスター登録ウインドウアクティブ中は開けません");
    }
    windowClosed(ctx, *findCommand(161));
    ASSERT_EQ(run(134).kind, CommandOutcome::Kind::Open);
    EXPECT_EQ(run(161).kind, CommandOutcome::Kind::Refused);
}

}  // namespace
}  // namespace rk
