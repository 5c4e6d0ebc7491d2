// The command-line tool, run as a real process.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstring>

#include "app/invoice_settings.h"
#include "support/temp_folder.h"

namespace rk {
namespace {

struct CliRun {
    int status;
    std::string out;
};

CliRun cli(const std::string& args) {
    std::string cmd = std::string(RAKURENA_CLI) + " " + args + " 2>&1";
    FILE* p = ::popen(cmd.c_str(), "r");
    std::string out;
    std::array<char, 4096> buf;
    size_t n;
    while ((n = std::fread(buf.data(), 1, buf.size(), p)) > 0) out.append(buf.data(), n);
    int status = ::pclose(p);
    return {WEXITSTATUS(status), out};
}

TEST(Cli, InitInfoReindexAndRefusals) {
    test::TempFolder dir;
    const std::string folder = dir.path().string();
    CliRun init = cli("init --year 2007 --first-month 4 " + folder);
    ASSERT_EQ(init.status, 0) << init.out;
    EXPECT_EQ(realFileSystem().size(dir / "F7db2007.FT2"), 768u);

    CliRun again = cli("init " + folder);
    EXPECT_EQ(again.status, 1);

    CliRun info = cli("info " + folder);
    ASSERT_EQ(info.status, 0) << info.out;
    EXPECT_NE(info.out.find("business year\t2007"), std::string::npos);
    EXPECT_NE(info.out.find("first month\t4"), std::string::npos);
    EXPECT_NE(info.out.find("F7ma2007.FT1\t480480"), std::string::npos);
    EXPECT_NE(info.out.find("FLAN2007.FT2\tmissing"), std::string::npos);

    CliRun reindex = cli("reindex " + folder);
    EXPECT_EQ(reindex.status, 0) << reindex.out;

    EXPECT_EQ(cli("info").status, 2);
    EXPECT_EQ(cli("frobnicate " + folder).status, 2);
    EXPECT_EQ(cli("init --year 19 " + folder + "/x").status, 2);
    EXPECT_EQ(cli("info " + folder + "/nothing").status, 1);
    EXPECT_EQ(cli("info --help").status, 0);
}

TEST(Cli, InfoShowsTheRegistrationNumber) {
    test::TempFolder dir;
    const std::string folder = dir.path().string();
    ASSERT_EQ(cli("init --year 2026 " + folder).status, 0);
    CliRun info = cli("info " + folder);
    EXPECT_NE(info.out.find("registration number\tnone\nqualified invoices\toff\n"), std::string::npos) << info.out;
    InvoiceSettings s{};
    std::memcpy(s.number, "T1234567890123", 14);
    s.qualified = 1;
    ASSERT_TRUE(writeInvoiceSettings(realFileSystem(), dir.path(), InvoiceSettings{}, s).ok());
    info = cli("info " + folder);
    EXPECT_NE(info.out.find("registration number\tT1234567890123\nqualified invoices\ton\n"), std::string::npos)
        << info.out;
    ASSERT_TRUE(realFileSystem().replaceWhole(dir / "INVOICE.FT0", Bytes(3, std::byte{1})));
    info = cli("info " + folder);
    EXPECT_EQ(info.status, 0);
    EXPECT_NE(info.out.find("registration number\tdamaged\nqualified invoices\toff\n"), std::string::npos) << info.out;
}

TEST(Cli, PurchaseEditionKeepsItsOwnFiles) {
    test::TempFolder dir;
    ASSERT_EQ(cli("--edition S init --year 2026 " + dir.path().string()).status, 0);
    EXPECT_TRUE(fs::exists(dir / "SMST.FT0"));
    EXPECT_TRUE(fs::exists(dir / "S7db2026.FT2"));
    EXPECT_TRUE(fs::exists(dir / "S7ma2026.FT1"));
    EXPECT_TRUE(fs::exists(dir / "SANA2026.FT2"));
}

}  // namespace
}  // namespace rk
