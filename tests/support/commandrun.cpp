#include "tests/support/commandrun.h"

#include "app/commandline.h"

#include <sstream>

namespace gs::test {

CommandRun runGridslate(const std::vector<std::string>& args, int windowStatus) {
    std::ostringstream out;
    std::ostringstream err;
    int status = runCommandLine(
        args, [windowStatus](Pool&) { return windowStatus; }, out, err);
    return {status, out.str(), err.str()};
}

CommandRun runGridslateIn(const std::filesystem::path& home, std::vector<std::string> args) {
    args.insert(args.begin(), {"--home", home.string()});
    return runGridslate(args);
}

} // namespace gs::test
