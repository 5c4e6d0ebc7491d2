#include "cli/cli.h"

#include <charconv>
#include <cstring>

#include "cli/document_commands.h"
#include "cli/report_commands.h"

namespace rk::cli {
namespace {

void printUsage(std::ostream& os, const std::vector<Command>& more) {
    os << "usage: rakurena [--edition F|S|Z] COMMAND [options] PROGRAM_FOLDER\n\ncommands:\n";
    for (const auto* table : {&commands(), &reportCommands(), &documentCommands(), &more})
        for (const Command& c : *table) os << "  " << c.name << "\t" << c.summary << '\n';
    os << "\nrakurena COMMAND --help tells more.\n";
}

const Command* findCommand(const std::string& name, const std::vector<Command>& more) {
    for (const auto* table : {&commands(), &reportCommands(), &documentCommands(), &more})
        for (const Command& c : *table)
            if (name == c.name) return &c;
    return nullptr;
}

}  // namespace

std::optional<std::string> Args::get(const std::string& name) const {
    auto it = options.find(name);
    if (it == options.end()) return std::nullopt;
    return it->second;
}

std::optional<int> intOption(const Args& a, const std::string& name, Io& io) {
    auto text = a.get(name);
    if (!text) return std::nullopt;
    int v = 0;
    auto [p, ec] = std::from_chars(text->data(), text->data() + text->size(), v);
    if (ec != std::errc() || p != text->data() + text->size()) {
        io.err << "rakurena: " << name << " needs a number, not '" << *text << "'\n";
        return std::nullopt;
    }
    return v;
}

int main(int argc, char** argv, Io& io, const std::vector<Command>& more) {
    Args a;
    int i = 1;
    for (; i < argc; ++i) {
        std::string t = argv[i];
        if (t == "--edition" && i + 1 < argc) {
            std::string e = argv[++i];
            if (e == "F" || e == "f" || e == "1")
                a.edition = Edition::Sales;
            else if (e == "S" || e == "s" || e == "2")
                a.edition = Edition::Purchase;
            else if (e == "Z" || e == "z" || e == "3")
                a.edition = Edition::Finance;
            else {
                io.err << "rakurena: unknown edition '" << e << "'\n";
                return kUsage;
            }
        } else if (t == "--help" || t == "-h") {
            printUsage(io.out, more);
            return kOk;
        } else {
            break;
        }
    }
    if (i >= argc) {
        printUsage(io.err, more);
        return kUsage;
    }
    a.command = argv[i++];
    // Two-word commands ("export customers") are looked up with their second word.
    if (i < argc && findCommand(a.command + ' ' + argv[i], more)) a.command += std::string(" ") + argv[i++];
    const Command* cmd = findCommand(a.command, more);
    if (!cmd) {
        io.err << "rakurena: unknown command '" << a.command << "'\n";
        printUsage(io.err, more);
        return kUsage;
    }
    for (; i < argc; ++i) {
        std::string t = argv[i];
        if (t == "--help" || t == "-h") {
            io.out << "rakurena " << cmd->name << ": " << cmd->summary << "\n\n" << cmd->usage << '\n';
            return kOk;
        }
        if (t.size() > 1 && t[0] == '-') {
            if (cmd->valueOptions.count(t)) {
                if (i + 1 >= argc) {
                    io.err << "rakurena: " << t << " needs a value\n";
                    return kUsage;
                }
                a.options[t] = argv[++i];
            } else if (cmd->flagOptions.count(t)) {
                a.options[t] = "";
            } else {
                io.err << "rakurena " << cmd->name << ": unknown option '" << t << "'\n" << cmd->usage << '\n';
                return kUsage;
            }
        } else {
            a.positional.push_back(t);
        }
    }
    if (a.positional.size() != 1) {
        io.err << "rakurena " << cmd->name << ": give exactly one PROGRAM_FOLDER\n" << cmd->usage << '\n';
        return kUsage;
    }
    return cmd->run(a, io);
}

}  // namespace rk::cli
