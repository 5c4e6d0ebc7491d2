#include "cli/sheet_commands.h"

#include "listtable/day_table.h"
#include "listtable/list_messages.h"
#include "listtable/sorting_sheet.h"

namespace rk::cli {

// The sorting sheet of a day as the list-table window's "文字列" writes it.
int runExportSheet(const Args& a, Io& io) {
    auto date = intOption(a, "--date", io);
    if (!date || *date <= 100 || *date > 1231) {
        io.err << "rakurena: --date takes a month and day as MMDD\n";
        return kUsage;
    }
    AppContext ctx(a.edition, fs::absolute(a.positional[0]));
    if (!loadInstallation(ctx, io) || !requireYearFiles(ctx, io, {kSlipHeaders, kSlipLines, kIndex1})) return kFailed;
    CliDialogs dialogs(io.err);
    listtable::DayTable table(ctx, dialogs);
    table.load(*date);
    const fs::path out = a.get("-o").value_or((ctx.programFolder() / msg::kCsvDefaultName).string());
    return listtable::exportSortingSheet(table, ctx.files, out, dialogs) ? kOk : kFailed;
}

}  // namespace rk::cli
