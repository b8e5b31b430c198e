#pragma once

// The gridslate command line:
//   gridslate [--home DIR] [--user NAME] [--season YYYY]
//             [--reference-date M/D/YYYY] [COMMAND ...]
// Without a command the window starts; a command runs without it.

#include "core/pool.h"
#include "core/result.h"

#include <functional>
#include <istream>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace gs {

struct CommandContext;

// A command's options and arguments, by the name the command's entry gives
// them ("--from", "file"), each read as its kind: a switch as true, a year
// as its number, any other value as its text.
struct Arguments {
    // A switch, a year or a week, a word, or the words of a repeated argument.
    using Value = std::variant<bool, int, std::string, std::vector<std::string>>;
    std::map<std::string, Value, std::less<>> values;

    bool has(std::string_view name) const { return values.contains(name); }
    template <typename T> std::optional<T> get(std::string_view name) const {
        auto value = values.find(name);
        if (value == values.end())
            return std::nullopt;
        return std::get<T>(value->second);
    }
};

struct CommandLine {
    std::optional<std::string> home;
    std::optional<std::string> user;
    std::optional<int> season;
    std::optional<std::string> referenceDate;
    bool help = false;
    bool version = false;
    std::vector<std::string> command; // the command and its words, as given
    // The command's own options and arguments, or the refusal of its words
    // with the command's usage; and what runs it.
    Result<Arguments> arguments;
    int (*run)(CommandContext&) = nullptr;
};

// Parses the arguments after the program name. Fails (Refused) with a
// one-line reason for an unknown option, a missing or wrong value, or an
// unknown command; a command's words are checked against its entry of the
// command table, into `arguments`. With --help or --version the command is
// not looked at.
Result<CommandLine> parseCommandLine(const std::vector<std::string>& args);

std::string usageText();

// Runs the program: prints help or the version, runs a command, or calls
// startWindow with the pool of the chosen home and returns its exit code.
// When the window cannot start (no home, no games table), the reason goes to
// err and, where given, to showStartError: a person who started the program
// from a menu sees no terminal. A command that reads (join) reads `in`, or
// without it the program's standard input.
int runCommandLine(const std::vector<std::string>& args,
                   const std::function<int(Pool& pool)>& startWindow, std::ostream& out,
                   std::ostream& err,
                   const std::function<void(const std::string& reason)>& showStartError = {},
                   std::istream* in = nullptr);

} // namespace gs
