#pragma once

// The gridslate command line:
//   gridslate [--home DIR] [--user NAME] [--season YYYY]
//             [--reference-date M/D/YYYY] [COMMAND ...]
// Without a command the window starts; a command runs without it.

#include "core/pool.h"
#include "core/result.h"

#include <functional>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace gs {

struct CommandLine {
    std::optional<std::string> home;
    std::optional<std::string> user;
    std::optional<std::string> season;
    std::optional<std::string> referenceDate;
    bool help = false;
    bool version = false;
    std::vector<std::string> command; // the command and its arguments
};

// Parses the arguments after the program name. Fails (Refused) with a
// one-line reason for an unknown option or a missing value.
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
