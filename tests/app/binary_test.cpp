// The gridslate executable itself, for what only a whole process shows: its
// exit status, and that it never aborts.

#include "tests/support/testsupport.h"

#include <functional>
#include <gtest/gtest.h>
#include <ostream>
#include <sys/wait.h>
#include <unistd.h>

namespace gs {
namespace {

namespace fs = std::filesystem;

struct Finished {
    int status = -1; // the exit code, or 128 + the signal that ended it
    std::string err;
};

// Runs the program in a fresh process whose working folder is `folder`,
// after `prepare` ran in that process (false: the run ends before it starts).
Finished runProgram(const std::vector<std::string>& args, const fs::path& folder,
                    const std::function<bool()>& prepare) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return {};
    pid_t child = ::fork();
    if (child == 0) {
        ::dup2(pipeEnds[1], STDERR_FILENO);
        ::close(pipeEnds[0]);
        ::close(pipeEnds[1]);
        if (::chdir(folder.c_str()) != 0 || !prepare())
            ::_exit(200);
        std::vector<char*> argv;
        std::string program = GS_GRIDSLATE_PROGRAM;
        argv.push_back(program.data());
        std::vector<std::string> copies = args;
        for (std::string& arg : copies)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        ::_exit(201);
    }
    ::close(pipeEnds[1]);
    Finished run;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        run.err.append(buffer, static_cast<size_t>(n));
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return run;
}

struct OddHome {
    const char* name;
    std::vector<std::string> args;
    bool removeWorkingFolder;
    int status;
    std::string err;
};

class OddHomes : public testing::TestWithParam<OddHome> {};

// Each ends with one line saying why and an exit status below 128, never
// with an abort.
TEST_P(OddHomes, EndWithAReasonAndAnOrdinaryExitStatus) {
    test::TempDir dir;
    fs::path folder = dir.path() / "work";
    fs::create_directory(folder);
    bool remove = GetParam().removeWorkingFolder;
    Finished run = runProgram(GetParam().args, folder,
                              [&] { return !remove || ::rmdir(folder.c_str()) == 0; });
    EXPECT_EQ(run.status, GetParam().status);
    EXPECT_EQ(run.err, GetParam().err);
    if (!GetParam().removeWorkingFolder) {
        EXPECT_TRUE(fs::is_empty(folder)); // nothing lands in the working folder
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OddHomes,
    testing::Values(
        OddHome{"EmptyHome",
                {"--home", "", "project"},
                false,
                2,
                "gridslate: --home takes a folder, not an empty name (see gridslate --help)\n"},
        OddHome{"RelativeHomeInADeletedWorkingFolder",
                {"--home", "pool", "project"},
                true,
                1,
                "gridslate: the folder \"pool\" cannot be found from the working folder: No "
                "such file or directory\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// A service without HOME, XDG_DATA_HOME or an entry in the password
// database: the program refuses rather than filling the working folder.
TEST(NoHome, IsRefusedWithoutWritingTheWorkingFolder) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to run as a user the password database does not know";
    test::TempDir dir;
    fs::path folder = dir.path() / "work";
    fs::create_directory(folder);
    fs::permissions(dir.path(), fs::perms::all);
    fs::permissions(folder, fs::perms::all);
    Finished run = runProgram({"players"}, folder, [] {
        ::unsetenv("HOME");
        ::unsetenv("XDG_DATA_HOME");
        const uid_t unknown = 54321; // on no line of /etc/passwd
        return ::setgid(unknown) == 0 && ::setuid(unknown) == 0;
    });
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "gridslate: no folder for the data is known: neither XDG_DATA_HOME nor HOME "
                       "is set, and the user has no home folder; give one with --home\n");
    EXPECT_TRUE(fs::is_empty(folder));
}

} // namespace
} // namespace gs
