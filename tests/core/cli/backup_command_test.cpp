// rakurena backup / restore: the nightly job's round trip, and what it refuses.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli.h"
#include "maintenance/messages.h"
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

TEST(BackupCommand, ArchiveRoundTripAndRefusals) {
    TempFolder dir;
    const fs::path program = dir / "prog", nightly = dir / "nightly";
    fs::create_directories(nightly);
    ASSERT_EQ(run({"demo", "--year", "2026", "--customers", "10", "--slips", "60", program.string()}), 0);
    const fs::path archive = nightly / "2026年dt.Lzh";
    ASSERT_EQ(run({"backup", "--archive", archive.string(), program.string()}), 0);
    ASSERT_TRUE(fs::exists(archive));

    const fs::path headers = program / "F7db2026.FT2";
    const Bytes before = readFile(headers);
    fs::remove(headers);
    ASSERT_EQ(run({"restore", "--archive", archive.string(), program.string()}), 0);
    EXPECT_EQ(readFile(headers), before);

    std::string err;
    EXPECT_EQ(run({"backup", "--archive", (nightly / "toolongname.Lzh").string(), program.string()}, &err), 1);
    EXPECT_NE(err.find(maintenance::msg::kNameTooLong), std::string::npos);
    // The folder method wants another device than the program folder's.
    EXPECT_EQ(run({"backup", "--folder", nightly.string(), program.string()}, &err), 1);
    EXPECT_NE(err.find(maintenance::msg::kSameDrive), std::string::npos);
    EXPECT_EQ(run({"backup", program.string()}), 2);
    EXPECT_EQ(run({"restore", "--archive", "a.Lzh", "--management", "m.Ft1", program.string()}), 2);
    EXPECT_EQ(run({"restore", "--archive", (nightly / "none.Lzh").string(), program.string()}, &err), 1);
    EXPECT_NE(err.find(maintenance::msg::kArchiveNotFound), std::string::npos);
}

}  // namespace
}  // namespace rk::test
