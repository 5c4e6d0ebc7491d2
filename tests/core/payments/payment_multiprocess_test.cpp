// Two stations, as separate processes on one shared folder, paying the same customer at the
// same time: the second is refused by the first one's claim, and once the first has recorded,
// the second finds nothing left to settle. No slip is settled twice.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/lan_control.h"
#include "app/lan_station.h"
#include "payments/messages.h"
#include "payments/payment_builders.h"
#include "payments/payment_entry.h"
#include "support/installation.h"

namespace rk::test {
namespace {

struct Pipe {
    int fd[2]{-1, -1};
    Pipe() { EXPECT_EQ(::pipe(fd), 0); }
    ~Pipe() {
        ::close(fd[0]);
        ::close(fd[1]);
    }
    void send(char c) const { EXPECT_EQ(::write(fd[1], &c, 1), 1); }
    char receive() const {
        char c = 0;
        return ::read(fd[0], &c, 1) == 1 ? c : 0;
    }
};

// Exit codes of a station: 0 as expected, otherwise the step that went wrong.
int stationA(const Installation& inst, const Pipe& toParent, const Pipe& go) {
    auto ctx = inst.contextWith(realFileSystem());
    ctx->settings.lanMode = 2;
    ScriptedDialogs d;
    LanStation station;
    if (station.registerAtStart(*ctx, d) != StationStart::Continue) return 1;
    payments::PaymentEntry e(*ctx, d);
    e.setEnd(6);
    if (!e.choose(9)) return 2;
    toParent.send('a');
    if (go.receive() != 'g') return 3;
    if (e.record() != payments::Outcome::Ok) return 4;
    bool backup = false;
    station.unregisterAtExit(*ctx, d, backup);
    toParent.send('r');
    return 0;
}

int stationB(const Installation& inst, const Pipe& toParent, const Pipe& go) {
    auto ctx = inst.contextWith(realFileSystem());
    ctx->settings.lanMode = 2;
    ScriptedDialogs d;
    LanStation station;
    if (station.registerAtStart(*ctx, d) != StationStart::Continue) return 1;
    payments::PaymentEntry e(*ctx, d);
    e.setEnd(6);  // totalled while the other station holds the customer
    if (go.receive() != 'g') return 2;
    if (e.choose(9)) return 3;
    if (d.shown.empty() || d.shown.back() != msg::kCustomerBusy) return 4;
    toParent.send('b');
    if (go.receive() != 'g') return 5;
    if (!e.choose(9)) return 6;  // released by the other's recording
    if (e.record() != payments::Outcome::Stale) return 7;
    bool backup = false;
    station.unregisterAtExit(*ctx, d, backup);
    return 0;
}

TEST(PaymentProcesses, SecondStationIsRefusedAndNothingIsSettledTwice) {
    Installation inst;
    AppContext& ctx = *inst.ctx;
    putCustomer(ctx, 9, "駅前花店", 5000);
    std::vector<int> slips;
    for (int32_t date : {105, 212, 318, 425, 530}) slips.push_back(processedSlip(ctx, date, 9));
    double billed = 0;
    for (int s : slips) billed += headerAt(ctx.files, ctx.fileSet[kSlipHeaders], s).receivable;

    // The server keeps the network control file for the two clients.
    auto server = inst.contextWith(realFileSystem());
    server->settings.lanMode = 1;
    ScriptedDialogs ds;
    LanStation hs;
    ASSERT_EQ(hs.registerAtStart(*server, ds), StationStart::Continue);

    Pipe fromA, goA, fromB, goB;
    auto spawn = [&](auto body, const Pipe& out, const Pipe& in) {
        const pid_t pid = ::fork();
        if (pid == 0) ::_exit(body(inst, out, in));
        return pid;
    };
    const pid_t a = spawn(stationA, fromA, goA);
    const pid_t b = spawn(stationB, fromB, goB);
    ASSERT_EQ(fromA.receive(), 'a');  // A holds the customer
    goB.send('g');
    ASSERT_EQ(fromB.receive(), 'b');  // B was refused
    goA.send('g');
    ASSERT_EQ(fromA.receive(), 'r');  // A recorded and left
    goB.send('g');
    for (auto [pid, name] : {std::pair{a, "A"}, std::pair{b, "B"}}) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status)) << name;
        EXPECT_EQ(WEXITSTATUS(status), 0) << "station " << name << " failed at step " << WEXITSTATUS(status);
    }

    const auto all = payments::readPayments(ctx.files, ctx.fileSet[kPayments]);
    ASSERT_EQ(all.size(), 2u);  // one payment
    EXPECT_EQ(all[1].slipCount, 5);
    EXPECT_EQ(all[1].paid, 5000 + billed);
    for (int s : slips) EXPECT_EQ(headerAt(ctx.files, ctx.fileSet[kSlipHeaders], s).stage, kStageSettled);
    EXPECT_EQ(customerAt(ctx, 9).balance, 0);
    EXPECT_EQ(LanControl(*server, ds).checkIdle(), lan::kOk);  // no claim left behind
    bool backup = false;
    hs.unregisterAtExit(*server, ds, backup);
}

}  // namespace
}  // namespace rk::test
