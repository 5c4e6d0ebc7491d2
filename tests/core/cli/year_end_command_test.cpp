// rakurena year-end and split: the same steps as the windows, with --force for the questions.
#include <gtest/gtest.h>

#include <sstream>

#include "app/basic_settings.h"
#include "cli/cli.h"
#include "maintenance/operation_messages.h"
#include "slips/slip_index.h"
#include "support/temp_folder.h"

namespace rk::test {
namespace {

int run(std::vector<std::string> args, std::string* err = nullptr) {
    args.insert(args.begin(), "rakurena");
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    std::ostringstream o, e;
    cli::Io io{o, e};
    const int rc = cli::main(static_cast<int>(argv.size()), argv.data(), io);
    if (err) *err = e.str();
    return rc;
}

TEST(YearEndCommand, MastersThenCarryOverThenRefused) {
    TempFolder dir;
    const std::string program = (dir / "prog").string();
    ASSERT_EQ(run({"demo", "--year", "2026", "--customers", "10", "--slips", "60", program}), 0);
    const fs::path next = dir / "prog" / "F7ma2027.FT1";
    std::string err;
    ASSERT_EQ(run({"year-end", "masters", program}, &err), 0) << err;
    ASSERT_TRUE(fs::exists(next));
    // Overwriting needs --force.
    EXPECT_EQ(run({"year-end", "masters", program}, &err), 1);
    EXPECT_NE(err.find(msg::kCustomerMasterExists), std::string::npos);
    EXPECT_EQ(run({"year-end", "masters", "--force", program}), 0);

    // The demo has unprocessed deliveries: only --force carries past them.
    const fs::path settings = dir / "prog" / "FMST.FT0";
    if (run({"year-end", "carry-over", program}, &err) == 1) {
        EXPECT_NE(err.find("強制転記をしますか"), std::string::npos);
        EXPECT_EQ(readSettings(realFileSystem(), settings)->inputYear, 2026);
    }
    ASSERT_EQ(run({"year-end", "carry-over", "--force", program}, &err), 0) << err;
    EXPECT_EQ(readSettings(realFileSystem(), settings)->inputYear, 2027);
    EXPECT_EQ(run({"year-end", "carry-over", "--force", program}, &err), 1);
    EXPECT_NE(err.find(msg::kNotInputYear), std::string::npos);
}

TEST(SplitCommand, RangeIntoAnotherFolder) {
    TempFolder dir;
    const std::string program = (dir / "prog").string();
    ASSERT_EQ(run({"demo", "--year", "2026", "--customers", "10", "--slips", "60", program}), 0);
    const fs::path out = dir / "out";
    fs::create_directories(out);
    std::string err;
    ASSERT_EQ(
        run({"split", "--from", "4", "--to", "6", "--customers", "2-5", "--to-folder", out.string(), program}, &err), 0)
        << err;
    const auto size = fs::file_size(out / "F7db2026.FT2");
    EXPECT_EQ(size % kSlipHeaderSize, 0u);
    EXPECT_EQ(fs::file_size(out / "FANA2026.FT2") / kIndexEntrySize, size / kSlipHeaderSize);
    EXPECT_EQ(run({"split", "--from", "4", "--to", "6", "--to-folder", program, program}, &err), 1);
    EXPECT_NE(err.find(msg::kSameFolder), std::string::npos);
    EXPECT_EQ(run({"split", "--from", "4", "--to", "6", "--customers", "5-2", "--to-folder", out.string(), program}),
              2);
}

}  // namespace
}  // namespace rk::test
