#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace gs::test {

// What one run of the command line gave.
struct CommandRun {
    int status = -1;
    std::string out;
    std::string err;
    std::string shown; // the reason a window could not start, as it shows it
};

// Runs the command line in the given home (--home HOME ARGS...), with
// `input` as its standard input. A window it would open is not opened: the
// run ends with status 99 instead.
CommandRun runGridslateIn(const std::filesystem::path& home, std::vector<std::string> args,
                          const std::string& input = "");

// The words of a command line, split at spaces.
std::vector<std::string> words(const std::string& line);

} // namespace gs::test
