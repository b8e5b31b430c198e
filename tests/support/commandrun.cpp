#include "tests/support/commandrun.h"

#include "app/commandline.h"

#include <iterator>
#include <sstream>

namespace gs::test {

CommandRun runGridslateIn(const std::filesystem::path& home, std::vector<std::string> args,
                          const std::string& input) {
    args.insert(args.begin(), {"--home", home.string()});
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    CommandRun run;
    run.status = runCommandLine(
        args, [](Pool&) { return 99; }, out, err,
        [&run](const std::string& reason) { run.shown = reason; }, &in);
    run.out = out.str();
    run.err = err.str();
    return run;
}

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

} // namespace gs::test
