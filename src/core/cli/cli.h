// The command-line companion: one table of commands, each running the same core
// operations the windows use.
#pragma once

#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "app/year_files.h"
#include "base/dialogs.h"

namespace rk::cli {

enum ExitCode { kOk = 0, kFailed = 1, kUsage = 2 };

struct Args {
    Edition edition = Edition::Sales;
    std::string command;
    std::map<std::string, std::string> options;  // "--year" -> "2026"; flags map to ""
    std::vector<std::string> positional;

    bool has(const std::string& name) const { return options.count(name) > 0; }
    std::optional<std::string> get(const std::string& name) const;
};

struct Io {
    std::ostream& out;
    std::ostream& err;
};

struct Command {
    const char* name;
    const char* summary;
    const char* usage;                   // the --help text after the summary line
    std::set<std::string> valueOptions;  // options that take a value
    std::set<std::string> flagOptions;   // options without one
    int (*run)(const Args&, Io&);
};

// The table of all commands.
const std::vector<Command>& commands();

// Parses argv and runs; returns the process exit status. `more` are the commands a build
// adds to the table (the printing commands of the windowed build).
int main(int argc, char** argv, Io& io, const std::vector<Command>& more = {});

// Messages go to stderr; questions take their preselected answer unless told otherwise.
class CliDialogs : public Dialogs {
public:
    explicit CliDialogs(std::ostream& err) : err_(err) {}
    void message(std::string_view text, Icon) override { err_ << text << '\n'; }
    Answer ask(std::string_view text, Buttons, Answer preselected, Icon) override {
        err_ << text << '\n';
        return preselected;
    }
    void beep() override {}

private:
    std::ostream& err_;
};

// Loads the settings of PROGRAM_FOLDER and builds its file set without creating or
// changing anything. Reports on `io.err` and returns nullopt when there is no settings file.
bool loadInstallation(AppContext& ctx, Io& io);
// Says on stderr why a year file the command reads is missing, empty or unreadable (the
// command then exits 1: a missing file is never an empty year). True when all are there.
bool requireYearFiles(const AppContext& ctx, Io& io, std::initializer_list<YearFile> slots);

// Parses an integer option; reports bad usage on `io.err`.
std::optional<int> intOption(const Args& a, const std::string& name, Io& io);

}  // namespace rk::cli
