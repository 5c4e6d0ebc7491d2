#include "cli/year_end_commands.h"

#include <charconv>

#include "base/format.h"
#include "maintenance/data_operation.h"
#include "maintenance/year_end.h"
#include "masters/messages.h"

namespace rk::cli {
namespace {

namespace mt = maintenance;

// Questions take their safe answer unless --force says Yes to them.
class ForceableDialogs final : public CliDialogs {
public:
    ForceableDialogs(std::ostream& err, bool force) : CliDialogs(err), force_(force) {}
    Answer ask(std::string_view text, Buttons buttons, Answer preselected, Icon icon) override {
        const Answer safe = CliDialogs::ask(text, buttons, preselected, icon);
        return force_ ? Answer::Yes : safe;
    }

private:
    bool force_;
};

// The settings, the file set and the customer count of PROGRAM_FOLDER.
bool openYear(AppContext& ctx, Io& io) {
    if (!loadInstallation(ctx, io)) return false;
    auto env = readEnvironment(ctx.files, ctx.fileSet[kAccounts], ctx.edition);
    if (!env) {
        io.err << msg::kAccountFileMissing << '\n';
        return false;
    }
    normalise(*env, ctx.edition);
    ctx.env = *env;
    return true;
}

std::optional<int32_t> monthDay(const Args& a, const std::string& name, int kind, Io& io) {
    auto v = intOption(a, name, io);
    if (!v) return std::nullopt;
    if (*v < 1 || *v > 1231 || (*v > 12 && *v <= 100)) {
        io.err << "rakurena: " << name << " takes a month and day as MMDD (or a bare month)\n";
        return std::nullopt;
    }
    return monthday::normalise(*v, kind);
}

// "A-B" or a single customer "A".
bool customerRange(const std::string& text, mt::SlipRange& r) {
    const auto dash = text.find('-');
    const std::string first = text.substr(0, dash), last = dash == std::string::npos ? first : text.substr(dash + 1);
    auto parse = [](const std::string& s, int32_t& out) {
        auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
        return ec == std::errc() && p == s.data() + s.size() && out >= 1;
    };
    return parse(first, r.startCustomer) && parse(last, r.endCustomer) && r.startCustomer <= r.endCustomer;
}

int yearEnd(const Args& a, Io& io, bool carry) {
    AppContext ctx(a.edition, fs::absolute(a.positional[0]));
    if (!openYear(ctx, io)) return kFailed;
    ForceableDialogs dialogs(io.err, a.has("--force"));
    if (!mt::yearEndAllowed(ctx, dialogs)) return kFailed;
    const mt::YearEndResult r = carry ? mt::carryOverBalances(ctx, dialogs) : mt::createNextYearMasters(ctx, dialogs);
    if (r == mt::YearEndResult::Declined) io.err << "rakurena: nothing written; --force answers Yes\n";
    if (r != mt::YearEndResult::Done) return kFailed;
    if (carry)
        io.out << "carried the balances of " << ctx.settings.businessYear << " into "
               << mt::nextYearMaster(ctx, kCustomers).string() << "; input year " << ctx.settings.inputYear << '\n';
    else
        io.out << "made the masters of " << ctx.settings.businessYear + 1 << " in "
               << mt::nextYearMaster(ctx, kCustomers).parent_path().string() << '\n';
    return kOk;
}

}  // namespace

int runYearEndMasters(const Args& a, Io& io) { return yearEnd(a, io, false); }
int runYearEndCarryOver(const Args& a, Io& io) { return yearEnd(a, io, true); }

int runSplit(const Args& a, Io& io) {
    if (!a.has("--from") || !a.has("--to") || !a.has("--to-folder")) {
        io.err << "rakurena: split needs --from, --to and --to-folder\n";
        return kUsage;
    }
    mt::SlipRange range;
    auto from = monthDay(a, "--from", monthday::kFirstDay, io);
    auto to = monthDay(a, "--to", monthday::kLastDay, io);
    if (!from || !to) return kUsage;
    range.startDate = *from;
    range.endDate = *to;
    if (a.has("--customers") && !customerRange(*a.get("--customers"), range)) {
        io.err << "rakurena: --customers takes A-B, customer numbers from 1\n";
        return kUsage;
    }
    AppContext ctx(a.edition, fs::absolute(a.positional[0]));
    if (!openYear(ctx, io)) return kFailed;
    if (!requireYearFiles(ctx, io, {kSlipLines, kSlipHeaders, kRemarkTexts})) return kFailed;
    CliDialogs dialogs(io.err);
    const fs::path folder = fs::absolute(*a.get("--to-folder")).lexically_normal();
    if (mt::splitSlips(ctx, dialogs, range, folder) != mt::OperationResult::Done) return kFailed;
    io.out << "split " << range.startDate << "-" << range.endDate << " customers " << range.startCustomer << "-"
           << range.endCustomer << " into " << folder.string() << '\n';
    return kOk;
}

}  // namespace rk::cli
