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
};

// Runs the command line as given. A window it would open is not opened: the
// run ends with windowStatus instead.
CommandRun runGridslate(const std::vector<std::string>& args, int windowStatus = 99);

// Runs the command line in the given home (--home HOME ARGS...).
CommandRun runGridslateIn(const std::filesystem::path& home, std::vector<std::string> args);

} // namespace gs::test
