#include "tests/support/commandrun.h"

#include "app/commandline.h"

#include <sstream>

namespace gs::test {

CommandRun runGridslateIn(const std::filesystem::path& home, std::vector<std::string> args) {
    args.insert(args.begin(), {"--home", home.string()});
    std::ostringstream out;
    std::ostringstream err;
    int status = runCommandLine(
        args, [](Pool&) { return 99; }, out, err);
    return {status, out.str(), err.str()};
}

} // namespace gs::test
