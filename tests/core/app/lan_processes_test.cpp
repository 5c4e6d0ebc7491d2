// Stations as real processes against one folder.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

#include "support/test_station.h"

namespace rk {
namespace {

using test::started;
using test::TempFolder;

struct Child {
    pid_t pid = -1;
    int out = -1;  // the child's stdout

    explicit Child(const std::vector<std::string>& args) {
        int p[2];
        if (::pipe(p) != 0) return;
        pid = ::fork();
        if (pid == 0) {
            ::dup2(p[1], 1);
            ::close(p[0]);
            ::close(p[1]);
            std::vector<char*> argv;
            std::string prog = RAKURENA_LAN_WORKER;
            argv.push_back(prog.data());
            for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        ::close(p[1]);
        out = p[0];
    }
    ~Child() {
        if (pid > 0) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
        if (out >= 0) ::close(out);
    }
    // One line of output, waiting at most `ms`.
    std::string line(int ms = 5000) {
        std::string s;
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        char c;
        while (std::chrono::steady_clock::now() < end) {
            pollfd pfd{out, POLLIN, 0};
            if (::poll(&pfd, 1, 50) <= 0) continue;
            if (::read(out, &c, 1) != 1 || c == '\n') break;
            s += c;
        }
        return s;
    }
    // The exit status, or -1 when it did not end within `ms`.
    int wait(int ms = 10000) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        int status = 0;
        while (std::chrono::steady_clock::now() < end) {
            if (::waitpid(pid, &status, WNOHANG) == pid) {
                pid = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            ::usleep(10000);
        }
        return -1;
    }
    void killHard() {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        pid = -1;
    }
};

TEST(LanProcesses, ConcurrentStationsNeverShareALockOrANumber) {
    TempFolder dir;
    fs::create_directory(dir.path() / "markers");
    auto server = started(dir.path(), 1);
    ASSERT_TRUE(server);

    // A first wave fills all eight client numbers; a second wave arrives while they work and
    // gets the numbers of those that have finished, or is turned away.
    std::vector<std::unique_ptr<Child>> children;
    for (int i = 0; i < 8; ++i)
        children.push_back(std::make_unique<Child>(std::vector<std::string>{
            "stress", dir.path().string(), std::to_string(300 + 150 * i), std::to_string(i + 1)}));
    ::usleep(400000);
    for (int i = 0; i < 4; ++i)
        children.push_back(std::make_unique<Child>(
            std::vector<std::string>{"stress", dir.path().string(), "400", std::to_string(100 + i)}));

    int grants = 0, finished = 0;
    for (auto& c : children) {
        std::string out = c->line(15000);
        int rc = c->wait(15000);
        EXPECT_TRUE(rc == 0 || rc == 3) << "worker status " << rc;
        if (rc == 0) {
            ++finished;
            ASSERT_EQ(out.rfind("grants ", 0), 0u) << out;
            grants += std::stoi(out.substr(7));
        }
    }
    EXPECT_GE(finished, 8);
    EXPECT_GT(grants, 100);  // the stations really contended

    const LanTable t = server->table();
    EXPECT_EQ(t.slot(1), 1);
    for (int n = 2; n <= 9; ++n) EXPECT_EQ(t.slot(n), -1) << "station " << n;
    EXPECT_EQ(t.checkIdle(), lan::kOk);
    for (int i = 13; i <= 15; ++i) EXPECT_EQ(t.slot(i), -1);
    EXPECT_TRUE(fs::is_empty(dir.path() / "markers"));
    EXPECT_EQ(server->stop(), 0);
}

TEST(LanProcesses, KilledStationIsRecovered) {
    TempFolder dir;
    auto server = started(dir.path(), 1);
    ASSERT_TRUE(server);
    Child holder({"hold", dir.path().string(), "501", "12", "13"});
    ASSERT_EQ(holder.line(), "ready 2");

    auto client = started(dir.path(), 2);
    ASSERT_TRUE(client);
    EXPECT_EQ(client->ctx.stationNumber, 3);
    EXPECT_EQ(client->lan().lockSlip(501, 12), lan::kTaken);
    EXPECT_EQ(client->lan().claimCustomer(14), 13);

    holder.killHard();
    // The next start gets its number; its slip and its customer are free again.
    Child next({"hold", dir.path().string(), "501", "12", "13"});
    ASSERT_EQ(next.line(), "ready 2");
    LanTable t = server->table();
    EXPECT_EQ(t.slot(2), 1);
    EXPECT_EQ(t.entry(0, 2), 2);
    EXPECT_EQ(t.entry(1, 0), -1);

    // A station killed again: the running stations take over its slip and its customer.
    next.killHard();
    EXPECT_EQ(client->lan().lockSlip(501, 12), lan::kOk);
    EXPECT_EQ(server->lan().claimCustomer(13), lan::kOk);
    t = server->table();
    EXPECT_EQ(t.slot(2), -1);
    EXPECT_EQ(t.entry(0, 2), 3);
    EXPECT_EQ(t.slot(LanTable::kClaimStation), 1);
    EXPECT_TRUE(client->dialogs.shown.empty());
    EXPECT_TRUE(server->dialogs.shown.empty());
}

}  // namespace
}  // namespace rk
