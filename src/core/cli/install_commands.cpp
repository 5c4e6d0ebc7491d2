#include "cli/install_commands.h"

#include <cstdio>

#include "app/invoice_settings.h"
#include "app/messages.h"
#include "app/startup_loader.h"
#include "base/cp932.h"
#include "slips/slip_index.h"

namespace rk::cli {
namespace {

const char* lanModeName(int mode) {
    switch (mode) {
        case 0:
            return "0 (stand-alone)";
        case 1:
            return "1 (server)";
        case 2:
            return "2 (client)";
        default:
            return "unknown";
    }
}

}  // namespace

bool loadInstallation(AppContext& ctx, Io& io) {
    auto s = readSettings(ctx.files, ctx.settingsFile());
    if (!s) {
        io.err << "rakurena: no settings file " << ctx.settingsFile().string() << '\n';
        return false;
    }
    if (!settingsUsable(*s)) {
        io.err << "rakurena: the settings file " << ctx.settingsFile().string() << " is damaged (business year "
               << s->businessYear << ", first month " << s->firstMonth << ")\n";
        return false;
    }
    ctx.settings = ctx.storedSettings = *s;
    if (ctx.settings.inputYear < 1950) ctx.settings.inputYear = ctx.settings.businessYear;
    ctx.memberNumber = ctx.settings.memberNumber;
    if (readInvoiceSettings(ctx.files, ctx.programFolder()).state == InvoiceFile::Damaged)
        io.err << "rakurena: " << invoiceSettingsFile(ctx.programFolder()).string()
               << " is damaged; documents print without the registration number\n";
    buildYearFiles(ctx);
    return true;
}

bool requireYearFiles(const AppContext& ctx, Io& io, std::initializer_list<YearFile> slots) {
    auto why = missingYearFile(ctx.files, ctx.fileSet, slots);
    if (!why) return true;
    io.err << "rakurena: cannot read the year's files: " << why->describe() << '\n';
    return false;
}

int runInit(const Args& a, Io& io) {
    AppContext ctx(a.edition, fs::absolute(a.positional[0]));
    int rc = createInstallation(ctx, a, io);
    if (rc == kOk)
        io.out << "created " << info(a.edition).title << " year " << ctx.settings.businessYear << " in "
               << ctx.programFolder().string() << '\n';
    return rc;
}

int createInstallation(AppContext& ctx, const Args& a, Io& io) {
    const fs::path folder = ctx.programFolder();
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ctx.files.exists(ctx.settingsFile())) {
        io.err << "rakurena: " << ctx.settingsFile().string() << " exists; init does not touch an installation\n";
        return kFailed;
    }
    BasicSettings s = defaultSettings(ctx.clock);
    if (a.has("--year")) {
        auto y = intOption(a, "--year", io);
        if (!y || *y < 1950 || *y > 9999) {
            io.err << "rakurena: --year takes a four-digit year\n";
            return kUsage;
        }
        s.businessYear = s.inputYear = *y;
    }
    if (a.has("--first-month")) {
        auto m = intOption(a, "--first-month", io);
        if (!m || *m < 1 || *m > 12) {
            io.err << "rakurena: --first-month takes 1 to 12\n";
            return kUsage;
        }
        s.firstMonth = *m;
    }
    if (auto data = a.get("--data-folder")) {
        fs::path p = fs::absolute(*data);
        std::string text = p.string();
        if (text.back() != '/') text += '/';
        if (cp932::byteLength(text) > sizeof s.dataFolder || text.find(' ') != std::string::npos) {
            io.err << "rakurena: the data folder path must fit 40 bytes and hold no blank\n";
            return kUsage;
        }
        fs::create_directories(p, ec);
        cp932::assign(s.dataFolder, text);
    }
    if (!writeNewInstallation(ctx, s)) {
        io.err << "rakurena: cannot write the settings in " << folder.string() << '\n';
        return kFailed;
    }
    CliDialogs dialogs(io.err);
    CreatingPrompts prompts;
    StandAloneStation station;
    if (runStartupLoader(ctx, dialogs, prompts, station) != StartupResult::Run) return kFailed;
    return kOk;
}

int runInfo(const Args& a, Io& io) {
    AppContext ctx(a.edition, fs::absolute(a.positional[0]));
    if (!loadInstallation(ctx, io)) return kFailed;
    const BasicSettings& s = ctx.settings;
    const InvoiceRead invoice = readInvoiceSettings(ctx.files, ctx.programFolder());
    const std::string registration = invoice.state == InvoiceFile::Damaged   ? std::string("damaged")
                                     : invoice.settings.numberText().empty() ? std::string("none")
                                                                             : invoice.settings.numberText();
    io.out << "edition\t" << info(a.edition).letter << " (" << number(a.edition) << ")\n"
           << "name\t" << cp932::toUtf8(s.name) << '\n'
           << "business year\t" << s.businessYear << '\n'
           << "input year\t" << s.inputYear << '\n'
           << "first month\t" << s.firstMonth << '\n'
           << "LAN mode\t" << lanModeName(s.lanMode) << '\n'
           << "member number\t" << s.memberNumber << '\n'
           << "tax rate\t" << s.taxRate << '\n'
           << "registration number\t" << registration << '\n'
           << "qualified invoices\t" << (invoice.settings.printsQualified() ? "on" : "off") << '\n'
           << "program folder\t" << ctx.programFolder().string() << '\n'
           << "data folder\t" << ctx.fileSet.dataFolder.string() << '\n'
           << "master folder\t" << ctx.fileSet.masterFolder.string() << '\n';
    auto line = [&](const char* group, int slot, const fs::path& p) {
        if (p.empty() || !p.has_filename()) return;
        auto size = ctx.files.size(p);
        io.out << group << ' ' << slot << '\t' << p.string() << '\t'
               << (size ? std::to_string(*size) : std::string("missing")) << '\n';
    };
    for (int i = 0; i < 12; ++i)
        if (i != 9) line("data", i, ctx.fileSet.data[i]);
    for (int i = 1; i < 8; ++i) line("master", i, ctx.fileSet.master[i]);
    return kOk;
}

int runReindex(const Args& a, Io& io) {
    AppContext ctx(a.edition, fs::absolute(a.positional[0]));
    if (!loadInstallation(ctx, io) || !requireYearFiles(ctx, io, {kSlipHeaders})) return kFailed;
    const FileSet& f = ctx.fileSet;
    if (!rebuildIndexesLocked(ctx.files, f.dataFolder, f[kSlipHeaders], f[kIndex1], f[kIndex2])) {
        io.err << msg::kCannotCreate << "\n(" << lastFileError().describe() << ")\n";
        return kFailed;
    }
    auto hdr = ctx.files.size(f[kSlipHeaders]);
    io.out << "rebuilt " << (hdr ? *hdr / kSlipHeaderSize : 0) - (hdr && *hdr >= kSlipHeaderSize ? 1 : 0)
           << " index entries\n";
    return kOk;
}

}  // namespace rk::cli
