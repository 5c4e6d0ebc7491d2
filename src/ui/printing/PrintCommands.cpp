#include "ui/printing/PrintCommands.h"

#include <QApplication>
#include <cstdlib>
#include <memory>

#include "app/environment_block.h"
#include "base/format.h"
#include "printing/bills.h"
#include "printing/delivery_notes.h"
#include "printing/home_delivery_print.h"
#include "printing/messages.h"
#include "printing/tags.h"
#include "ui/printing/DocumentArchiver.h"
#include "ui/printing/PlanPrinter.h"

namespace rk::ui {

namespace {

using cli::Args;
using cli::Io;

// Painting needs an application object; without a screen it paints offscreen.
std::unique_ptr<QApplication> paintingApplication() {
    if (QCoreApplication::instance()) return nullptr;
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "rakurena";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QApplication>(argc, argv);
}

// The installation with its environment block, as the windows see it.
bool loadForPrinting(AppContext& ctx, Io& io) {
    if (!cli::loadInstallation(ctx, io)) return false;
    auto env = readEnvironment(ctx.files, ctx.fileSet[kAccounts], ctx.edition);
    ctx.env = env.value_or(defaultEnvironment(ctx.edition));
    normalise(ctx.env, ctx.edition);
    return true;
}

std::optional<int> dateOption(const Args& a, const std::string& name, Io& io, int kind) {
    auto v = cli::intOption(a, name, io);
    if (!v) return std::nullopt;
    if (*v < 1 || *v > 1231) {
        io.err << "rakurena: " << name << " takes a date MMDD\n";
        return std::nullopt;
    }
    return monthday::normalise(*v, kind);
}

// "A-B" or "A".
bool customerRange(const std::string& text, int& first, int& last) {
    const size_t dash = text.find('-');
    try {
        first = std::stoi(text.substr(0, dash));
        last = dash == std::string::npos ? first : std::stoi(text.substr(dash + 1));
    } catch (...) {
        return false;
    }
    return first >= 1 && last >= first;
}

int writeDocument(const Planner& planner, const std::string& pdf, int pages, Io& io) {
    if (pages == 0) {
        io.err << printing::msg::kNoSlips << '\n';
        return cli::kFailed;
    }
    if (pages > printing::msg::kMaxPages) {
        io.err << QString::asprintf(printing::msg::kTooManyPages, pages, printing::msg::kMaxPages).toStdString()
               << '\n';
        return cli::kFailed;
    }
    if (!writePdf(planner, QString::fromStdString(pdf))) {
        io.err << "rakurena: cannot write " << pdf << '\n';
        return cli::kFailed;
    }
    io.out << "wrote " << pages << " pages to " << pdf << '\n';
    return cli::kOk;
}

// Keeps the documents written to the PDF in the archive of issued documents.
int archive(const AppContext& ctx, const std::vector<IssuedDocument>& documents, Io& io) {
    cli::CliDialogs dialogs(io.err);
    return archiveIssued(ctx, dialogs, documents) ? cli::kOk : cli::kFailed;
}

int runDeliveryNotes(const Args& a, Io& io) {
    if (!a.has("--date") || !a.has("--pdf")) {
        io.err << "rakurena print delivery-notes: --date and --pdf are needed\n";
        return cli::kUsage;
    }
    auto app = paintingApplication();
    AppContext ctx(a.edition, fs::absolute(a.positional[0]));
    if (!loadForPrinting(ctx, io)) return cli::kFailed;
    printing::DeliverySelection sel;
    sel.to = ctx.env.customerCount;
    auto date = dateOption(a, "--date", io, monthday::kFirstDay);
    if (!date) return cli::kUsage;
    sel.date = *date;
    for (auto [name, target] :
         {std::pair{"--from", &sel.from}, std::pair{"--to", &sel.to}, std::pair{"--copies", &sel.copies}}) {
        if (!a.has(name)) continue;
        auto v = cli::intOption(a, name, io);
        if (!v) return cli::kUsage;
        *target = *v;
    }
    const printing::PrintForm form =
        printing::loadPrintForm(ctx.files, ctx.programFolder()).value_or(printing::defaultPrintForm());
    const printing::SlipSnapshot files(ctx);
    printing::DeliveryRun run = printing::buildDeliveryRun(files, sel, printing::deliveryLayout(ctx, form));
    PackingTables packing(ctx);
    packing.loadPackingTable();
    printing::applyPackingTable(run, packing, ctx);
    if (!run.invalidMessage().empty()) io.err << run.invalidMessage() << '\n';
    const auto kind = a.has("--cooperative") ? printing::DeliveryForm::Cooperative : printing::DeliveryForm::Standard;
    const Planner planner = [&](const printing::PageArea& area) {
        return printing::planDeliveryNotes(run, ctx, form, area, kind);
    };
    const int written = writeDocument(planner, *a.get("--pdf"), run.pageCount(), io);
    if (written != cli::kOk) return written;
    return archive(ctx, deliveryNotesIssued(ctx, run, form, kind), io);
}

int runTags(const Args& a, Io& io) {
    if (!a.has("--date") || !a.has("--pdf")) {
        io.err << "rakurena print tags: --date and --pdf are needed\n";
        return cli::kUsage;
    }
    auto app = paintingApplication();
    AppContext ctx(a.edition, fs::absolute(a.positional[0]));
    if (!loadForPrinting(ctx, io)) return cli::kFailed;
    printing::TagSelection sel;
    sel.to = ctx.env.customerCount;
    auto date = dateOption(a, "--date", io, monthday::kFirstDay);
    if (!date) return cli::kUsage;
    sel.date = *date;
    for (auto [name, target] : {std::pair{"--from", &sel.from}, std::pair{"--to", &sel.to}}) {
        if (!a.has(name)) continue;
        auto v = cli::intOption(a, name, io);
        if (!v) return cli::kUsage;
        *target = *v;
    }
    const printing::PrintForm form =
        printing::loadPrintForm(ctx.files, ctx.programFolder()).value_or(printing::defaultPrintForm());
    const printing::SlipSnapshot files(ctx);
    const printing::TagRun run = printing::buildTagRun(files, sel);
    io.out << run.slipCountText() << '\n' << run.tagCountText() << '\n';
    const Planner planner = [&](const printing::PageArea& area) { return printing::planTags(run, ctx, form, area); };
    return writeDocument(planner, *a.get("--pdf"), run.pageCount(), io);
}

int runBills(const Args& a, Io& io) {
    if (!a.has("--from") || !a.has("--to") || !a.has("--pdf")) {
        io.err << "rakurena print bills: --from, --to and --pdf are needed\n";
        return cli::kUsage;
    }
    auto app = paintingApplication();
    AppContext ctx(a.edition, fs::absolute(a.positional[0]));
    if (!loadForPrinting(ctx, io)) return cli::kFailed;
    printing::BillSelection sel;
    sel.lastCustomer = ctx.env.customerCount;
    auto from = dateOption(a, "--from", io, monthday::kFirstDay);
    auto to = dateOption(a, "--to", io, monthday::kLastDay);
    if (!from || !to) return cli::kUsage;
    sel.from = *from;
    sel.to = *to;
    sel.issueDate = sel.to;
    if (a.has("--issue")) {
        auto issue = dateOption(a, "--issue", io, monthday::kFirstDay);
        if (!issue) return cli::kUsage;
        sel.issueDate = *issue;
    }
    if (a.has("--customers") && !customerRange(*a.get("--customers"), sel.firstCustomer, sel.lastCustomer)) {
        io.err << "rakurena print bills: --customers takes A-B or A\n";
        return cli::kUsage;
    }
    sel.search = a.get("--search").value_or("");
    const printing::PrintForm form =
        printing::loadPrintForm(ctx.files, ctx.programFolder()).value_or(printing::defaultPrintForm());
    const printing::SlipSnapshot files(ctx);
    std::vector<printing::Bill> bills;
    printing::BillOptions options{a.has("--details"), a.has("--group"), sel.issueDate};
    if (options.group) {
        if (!a.has("--customers") || sel.firstCustomer != sel.lastCustomer) {
            io.err << "rakurena print bills: --group needs the representative as --customers N\n";
            return cli::kUsage;
        }
        printing::GroupBill g = printing::collectGroupBill(ctx, files, sel.firstCustomer, sel);
        if (g.status == printing::GroupBill::Status::NotRepresentative) {
            io.err << printing::msg::kNotRepresentative << '\n';
            return cli::kFailed;
        }
        if (g.status == printing::GroupBill::Status::NoSlips) {
            io.err << printing::msg::kNoSlips << '\n';
            return cli::kFailed;
        }
        options.details = true;
        bills.push_back(std::move(g.bill));
    } else {
        bills = printing::collectBills(ctx, files, sel);
    }
    const Planner planner = [&](const printing::PageArea& area) {
        return printing::planBills(bills, files, ctx, form, area, options);
    };
    const int written =
        writeDocument(planner, *a.get("--pdf"), printing::billPageCount(bills, files, form, options), io);
    if (written != cli::kOk) return written;
    return archive(ctx, billsIssued(ctx, bills, files, form, options), io);
}

int runHomeDelivery(const Args& a, Io& io) {
    if (!a.has("--from") || !a.has("--to") || !a.has("--pdf")) {
        io.err << "rakurena print home-delivery: --from, --to and --pdf are needed\n";
        return cli::kUsage;
    }
    auto app = paintingApplication();
    AppContext ctx(a.edition, fs::absolute(a.positional[0]));
    if (!loadForPrinting(ctx, io)) return cli::kFailed;
    printing::HomeDeliverySelection sel;
    sel.lastCustomer = ctx.env.customerCount;
    auto from = dateOption(a, "--from", io, monthday::kFirstDay);
    auto to = dateOption(a, "--to", io, monthday::kLastDay);
    if (!from || !to) return cli::kUsage;
    sel.from = *from;
    sel.to = *to;
    if (a.has("--customers") && !customerRange(*a.get("--customers"), sel.firstCustomer, sel.lastCustomer)) {
        io.err << "rakurena print home-delivery: --customers takes A-B or A\n";
        return cli::kUsage;
    }
    auto form = printing::loadHomeDeliveryForm(ctx.files, ctx.programFolder());
    if (!form) {
        io.err << printing::msg::kHomeDeliveryFormUnreadable << '\n';
        return cli::kFailed;
    }
    const printing::HomeDeliveryRun run = printing::collectHomeDelivery(ctx, sel);
    if (run.unreadable) {
        io.err << printing::msg::kHomeDeliveryUnreadable << '\n';
        return cli::kFailed;
    }
    const Planner planner = [&](const printing::PageArea& area) {
        return printing::planHomeDelivery(run.consignments, *form, area);
    };
    return writeDocument(planner, *a.get("--pdf"), static_cast<int>(run.consignments.size()), io);
}

}  // namespace

const std::vector<cli::Command>& printCommands() {
    static const std::vector<cli::Command> kCommands = {
        {"print delivery-notes",
         "write the delivery notes of a date to a PDF file, as the delivery note window prints them",
         "usage: rakurena print delivery-notes --date MMDD [--from N] [--to N] [--copies K] [--cooperative]\n"
         "                                     --pdf FILE PROGRAM_FOLDER\n"
         "One note per slip of the date for customers N..N, K copies (1-4); --cooperative prints the\n"
         "consignment form. The page size is A4. Each note (one copy) is also kept in the archive of\n"
         "issued documents (see rakurena archive search).",
         {"--date", "--from", "--to", "--copies", "--pdf"},
         {"--cooperative"},
         runDeliveryNotes},
        {"print tags",
         "write the product tags of a date to a PDF file, as the tag window prints them",
         "usage: rakurena print tags --date MMDD [--from N] [--to N] --pdf FILE PROGRAM_FOLDER\n"
         "One tag per slip line of the date for customers N..N, six to a 14.4 x 5 inch page.",
         {"--date", "--from", "--to", "--pdf"},
         {},
         runTags},
        {"print bills",
         "write the bills of a period to a PDF file, as the bill windows print them",
         "usage: rakurena print bills --from MMDD --to MMDD [--customers A-B] [--issue MMDD] [--search NAME]\n"
         "                            [--details] [--group] --pdf FILE PROGRAM_FOLDER\n"
         "--details puts the delivery details before each bill; --group prints the group bill of the\n"
         "representative given as --customers N. The issue date defaults to the period end. Each bill\n"
         "is also kept in the archive of issued documents (see rakurena archive search).",
         {"--from", "--to", "--customers", "--issue", "--search", "--pdf"},
         {"--details", "--group"},
         runBills},
        {"print home-delivery",
         "write the home-delivery slips of a period to a PDF file, as the home-delivery print window prints them",
         "usage: rakurena print home-delivery --from MMDD --to MMDD [--customers A-B] --pdf FILE PROGRAM_FOLDER\n"
         "One page per consignment on the lines of the period's slips, printed at the positions of\n"
         "TAKUFORM.DAT in the program folder (created empty when missing: set the positions first).",
         {"--from", "--to", "--customers", "--pdf"},
         {},
         runHomeDelivery},
    };
    return kCommands;
}

}  // namespace rk::ui
