#include "cli/backup_commands.h"
#include "cli/check_commands.h"
#include "cli/cli.h"
#include "cli/export_commands.h"
#include "cli/install_commands.h"
#include "cli/payment_commands.h"
#include "cli/sheet_commands.h"
#include "cli/slip_commands.h"
#include "cli/station_commands.h"
#include "cli/table_commands.h"
#include "cli/year_end_commands.h"

namespace rk::cli {

const std::vector<Command>& commands() {
    static const std::vector<Command> kCommands = {
        {"init",
         "create a new installation (settings, masters and an empty year)",
         "usage: rakurena init [--year YYYY] [--first-month M] [--data-folder PATH] PROGRAM_FOLDER\n"
         "Refuses a folder that already has a settings file.",
         {"--year", "--first-month", "--data-folder"},
         {},
         runInit},
        {"info",
         "show the installation's settings and the year's files",
         "usage: rakurena info PROGRAM_FOLDER",
         {},
         {},
         runInfo},
        {"reindex",
         "rebuild the two slip index files from the slip header file",
         "usage: rakurena reindex PROGRAM_FOLDER",
         {},
         {},
         runReindex},
        {"stations",
         "list the stations, slip locks and customer claim of the network control file",
         "usage: rakurena stations PROGRAM_FOLDER\n"
         "Says which marked stations still run. Changes nothing.",
         {},
         {},
         runStations},
        {"demo",
         "create a new installation filled with a realistic year of a flower wholesaler",
         "usage: rakurena demo [--year YYYY] [--customers N] [--slips N] [--seed S] PROGRAM_FOLDER\n"
         "Defaults: 120 customers, 3000 slips, seed 1. The same seed gives the same files.\n"
         "Refuses a folder that already has a settings file.",
         {"--year", "--customers", "--slips", "--seed"},
         {},
         runDemo},
        {"slips",
         "list the live slips of a date, one line per slip line",
         "usage: rakurena slips --date MMDD [--customer N] PROGRAM_FOLDER\n"
         "Tab-separated: header number, customer, stage, line, product code, grade 1, grade 2,\n"
         "ordered, delivered and final quantity, unit price, amount.",
         {"--date", "--customer"},
         {},
         runSlips},
        {"payments",
         "list the payments of a period, one line per payment",
         "usage: rakurena payments --from MMDD --to MMDD PROGRAM_FOLDER\n"
         "A bare month is its first day for --from and its last for --to. Tab-separated in date\n"
         "order: payment number, date, customer, fee, amount paid, balance change, members and\n"
         "settled slip header numbers (comma-separated). Deleted payments are left out.",
         {"--from", "--to"},
         {},
         runPayments},
        {"export customers",
         "write the customer list as the Shift-JIS CSV file of the customer master window",
         "usage: rakurena export customers [-o FILE] PROGRAM_FOLDER\n"
         "Writes customers 1 to the customer count whose name is not blank; FILE defaults to\n"
         "得意先.Csv in PROGRAM_FOLDER and is replaced when it exists.",
         {"-o"},
         {},
         runExportCustomers},
        {"export masters",
         "write MstData.Csv of one master list, as the master list window's ﾃｷｽﾄｱｳﾄ does",
         "usage: rakurena export masters [--kind KIND] [--from N] [--to N] PROGRAM_FOLDER\n"
         "KIND is customers (default), products, grades, accounts or remarks; N..N the codes (all of the\n"
         "list by default). The file is MstData.Csv in PROGRAM_FOLDER and is replaced when it exists.",
         {"--kind", "--from", "--to"},
         {},
         runExportMasters},
        {"export table",
         "write the four CSV files of a day or month table, as its window's 文字列 does",
         "usage: rakurena export table --kind K [--from MMDD] [--to MMDD] [--years N]\n"
         "       [--start-code N] [--end-code N] [--where CONDITIONS] -o FILE PROGRAM_FOLDER\n"
         "Kinds 1-6 are day tables (customer, sales method, product, grade 1, grade 2, remark),\n"
         "7-12 the month tables of the same keys. --from/--to default to the business year; a bare\n"
         "month 1-12 means its first (--from) or last (--to) day. Month tables read the N business\n"
         "years up to the current one (default 10). FILE.Csv becomes FILEA.Csv .. FILED.Csv.",
         {"--kind", "--from", "--to", "--years", "--start-code", "--end-code", "--where", "-o"},
         {},
         runExportTable},
        {"export sales-totals",
         "write 売上集計.Csv of the sales totals window (and the account-code files)",
         "usage: rakurena export sales-totals [--from MMDD] [--to MMDD] [--slips all|processed|settled]\n"
         "       [--account-codes FOLDER] [-o FILE] PROGRAM_FOLDER\n"
         "Totals the processed (stage 2) and settled (stage 3) slips per customer with the current\n"
         "balances. FILE defaults to 売上集計.Csv in PROGRAM_FOLDER. --account-codes also writes the\n"
         "three account-code files of the range into FOLDER.",
         {"--from", "--to", "--slips", "--account-codes", "-o"},
         {},
         runExportSalesTotals},
        {"export bulk",
         "write 一括Data.Csv of the bulk totals by code",
         "usage: rakurena export bulk [--from MMDD] [--to MMDD] [--stages 1,2,3,4] [--where CONDITIONS]\n"
         "       [-o FILE] PROGRAM_FOLDER\n"
         "Stages: 1 orders, 2 deliveries, 3 processed, 4 settled (default all). CONDITIONS as\n"
         "'product:10,0,0,0,0,20;remark:5': six rows per dimension (method, product, grade1, grade2,\n"
         "remark); rows 1-5 list codes, a non-zero row 6 makes rows 1 and 6 a range.",
         {"--from", "--to", "--stages", "--where", "-o"},
         {},
         runExportBulk},
        {"ledger",
         "print the ledger of one customer with its running balance",
         "usage: rakurena ledger --customer N [--from MMDD] [--to MMDD] [--correct] PROGRAM_FOLDER\n"
         "Prints the opening, stored and computed balances, then one tab-separated line per entry\n"
         "dated from..to: number, date, amount, payment, fee, balance, receivable, group payment.\n"
         "--correct stores the computed balance when it differs from the stored one.",
         {"--customer", "--from", "--to"},
         {"--correct"},
         runLedger},
        {"export sheet",
         "write the sorting sheet of a day as the Shift-JIS CSV file of the list-table window",
         "usage: rakurena export sheet --date MMDD [-o FILE] PROGRAM_FOLDER\n"
         "FILE defaults to 仕訳表.Csv in PROGRAM_FOLDER; its name must end in .Csv and take at most\n"
         "12 bytes, as in the window. Changes no slip.",
         {"--date", "-o"},
         {},
         runExportSheet},
        {"backup",
         "back up the year: one checked LHA archive, or every file to a folder with a management file",
         "usage: rakurena backup --archive FILE.Lzh PROGRAM_FOLDER\n"
         "       rakurena backup --folder DIR [--management NAME] PROGRAM_FOLDER\n"
         "--archive packs the year's files (settings, masters, data, print forms) into FILE, whose\n"
         "name takes at most 12 bytes and ends in .Lzh; the archive is made in PROGRAM_FOLDER,\n"
         "read back and checked, then copied. --folder copies the 28 files of the year to DIR (on\n"
         "another device) with the management file NAME (default 管理ﾃﾞｰﾀ.Ft1). Not enough space\n"
         "fails. Exit 0 only when every file arrived and was checked.",
         {"--archive", "--folder", "--management"},
         {},
         runBackup},
        {"restore",
         "put the year back from a backup archive or a management-data backup",
         "usage: rakurena restore --archive FILE.Lzh PROGRAM_FOLDER\n"
         "       rakurena restore --management FILE PROGRAM_FOLDER\n"
         "Replaces the live files; no station may be running on the data folder. Questions are\n"
         "answered yes (a file whose time stamp differs from the management file is restored);\n"
         "a file missing from the backup is passed over and counted. Exit 0 when files were\n"
         "put back (the messages on stderr say whether all of them were).",
         {"--archive", "--management"},
         {},
         runRestore},
        {"check",
         "check the year's slip, payment and customer files against each other (read-only)",
         "usage: rakurena check PROGRAM_FOLDER\n"
         "Prints one line per finding: index entries that disagree with their headers, line slots\n"
         "outside the line file, lines named twice or owned by another slip, live slips sharing a\n"
         "date and customer, payment slip lists that disagree with the slips' payment links, settled\n"
         "slips no payment lists, and customer balances other than opening + settled - paid.\n"
         "Exit status 1 when anything is found. Writes nothing.",
         {},
         {},
         runCheck},
        {"export text",
         "write TextData.Csv: every line of every live slip as text, as the data check window does",
         "usage: rakurena export text [-o FILE] PROGRAM_FOLDER\n"
         "FILE defaults to TextData.Csv in PROGRAM_FOLDER and is replaced when it exists. Reads the\n"
         "carrier table 輸送業者.csv of PROGRAM_FOLDER for the freight (creating it when missing).",
         {"-o"},
         {},
         runExportText},
        {"year-end masters",
         "make next year's masters from this year's (the year-end update, step 1)",
         "usage: rakurena year-end masters [--force] PROGRAM_FOLDER\n"
         "Next year's customer master gets this year's customers with balances 0; the product,\n"
         "grade, account-item and remark masters are copied. An existing next-year customer or\n"
         "account-item master is replaced only with --force. Refused for a LAN client and while\n"
         "other stations run, and once the business year is no longer the input year.",
         {},
         {"--force"},
         runYearEndMasters},
        {"year-end carry-over",
         "carry every customer's balance into next year's master (the year-end update, step 2)",
         "usage: rakurena year-end carry-over [--force] PROGRAM_FOLDER\n"
         "Each customer's current balance plus its processed slips becomes its current and opening\n"
         "balance next year, and next year becomes the input year, both in one write. Unprocessed\n"
         "slips refuse it unless --force; a balance on customers 96-99 always does.",
         {},
         {"--force"},
         runYearEndCarryOver},
        {"split",
         "copy the slips of a date and customer range into another folder as a year of its own",
         "usage: rakurena split --from MMDD --to MMDD [--customers A-B] --to-folder DIR PROGRAM_FOLDER\n"
         "Dates in business-year order; customers default to 1-999. DIR must exist and differ from\n"
         "the data folder; its slip, payment, line text and index files of the year are replaced.\n"
         "Settled slips arrive processed, without their payments. The year itself is only read.",
         {"--from", "--to", "--customers", "--to-folder"},
         {},
         runSplit},
    };
    return kCommands;
}

}  // namespace rk::cli
