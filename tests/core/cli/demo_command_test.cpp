#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli.h"
#include "slips/slip_builders.h"
#include "support/installation.h"

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

Bytes file(const fs::path& folder, const char* name) {
    return realFileSystem().readAll(folder / name).value_or(Bytes{});
}

TEST(DemoCommand, TheSameSeedGivesTheSameYearAndTheSlipsListShowsIt) {
    TempFolder dir;
    const fs::path one = dir.path() / "one", two = dir.path() / "two", other = dir.path() / "other";
    const std::vector<std::string> opts = {"--year", "2025", "--customers", "40", "--slips", "200"};
    auto demo = [&](const fs::path& p, const char* seed) {
        std::vector<std::string> a = {"demo"};
        a.insert(a.end(), opts.begin(), opts.end());
        a.insert(a.end(), {"--seed", seed, p.string()});
        return run(a);
    };
    ASSERT_EQ(demo(one, "5"), 0);
    ASSERT_EQ(demo(two, "5"), 0);
    ASSERT_EQ(demo(other, "6"), 0);
    EXPECT_NE(demo(one, "5"), 0);  // an existing installation is left alone
    for (const char* name :
         {"F7db2025.FT2", "F7da2025.FT2", "F7dd2025.FT2", "FANA2025.FT2", "F7ma2025.FT1", "F7mb2025.FT1"})
        EXPECT_TRUE(file(one, name) == file(two, name)) << name;
    EXPECT_FALSE(file(one, "F7db2025.FT2") == file(other, "F7db2025.FT2"));
    EXPECT_EQ(file(one, "F7db2025.FT2").size(), 201 * kSlipHeaderSize);

    // The slips of the busiest date, line by line.
    AppContext ctx(Edition::Sales, one);
    ctx.fileSet = buildFileSet(Edition::Sales, one, one, 2025, false);
    EXPECT_TRUE(indexesAgree(realFileSystem(), ctx.fileSet));
    ScriptedDialogs d;
    CFq7Doc doc(ctx, d);
    int date = 0, lines = 0;
    size_t most = 0;
    for (int m = 1; m <= 12; ++m)
        for (int day = 1; day <= 31; ++day)
            if (auto s = doc.slipsOfDate(m * 100 + day); s.size() > most) most = s.size(), date = m * 100 + day;
    ASSERT_GT(most, 1u);
    for (int n : doc.slipsOfDate(date)) {
        ASSERT_TRUE(doc.loadRecord(n));
        lines += doc.header.lineCount;
    }
    std::string out;
    ASSERT_EQ(run({"slips", "--date", std::to_string(date), one.string()}, &out), 0);
    std::istringstream is(out);
    std::string line;
    std::getline(is, line);
    EXPECT_EQ(line.substr(0, 7), "#header");
    int count = 0;
    while (std::getline(is, line)) {
        ++count;
        EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 11) << line;
    }
    EXPECT_EQ(count, lines);
    EXPECT_EQ(run({"slips", "--date", "1340", one.string()}), 2);
}

}  // namespace
}  // namespace rk::test
