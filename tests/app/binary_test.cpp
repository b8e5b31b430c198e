// The gridslate executable itself, for what only a whole process shows: its
// exit status, and that it never aborts.

#include "tests/support/commandrun.h"
#include "tests/support/testsupport.h"

#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>

namespace gs {
namespace {

// Runs of the program in a working folder of their own. Each ends with one
// line saying why and an exit status below 128, never with an abort, and
// nothing lands in the working folder.
class Program : public testing::Test {
protected:
    Program() { fs::create_directory(folder); }
    // Runs the program by the shell in the working folder with these plain
    // arguments; `launch` is the shell's way there ("exec ", after what it
    // does first). The status is the exit code, or 128 + the signal that
    // ended it; standard error alone is kept.
    test::CommandRun run(const std::string& launch, const std::string& args) {
        const std::string command = "cd '" + folder.string() + "' && " + launch +
                                    GS_GRIDSLATE_PROGRAM + " " + args + " 2>&1 >/dev/null";
        FILE* shell = ::popen(command.c_str(), "r");
        test::CommandRun finished;
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, shell)) > 0;)
            finished.err.append(buffer, n);
        int status = ::pclose(shell);
        finished.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        return finished;
    }
    test::TempDir dir;
    fs::path folder = dir.path() / "work";
};

TEST_F(Program, RefusesARelativeHomeInADeletedWorkingFolder) {
    test::CommandRun finished = run("rmdir \"$PWD\" && exec ", "--home pool project");
    EXPECT_EQ(finished.status, 1);
    EXPECT_EQ(finished.err, "gridslate: the folder \"pool\" cannot be found from the working "
                            "folder: No such file or directory\n");
}

// A service without HOME, XDG_DATA_HOME or an entry in the password
// database: the program refuses rather than filling the working folder.
TEST_F(Program, RefusesToRunWithoutAnyHome) {
    if (::geteuid() != 0 || !fs::exists("/usr/bin/setpriv"))
        GTEST_SKIP() << "needs root and setpriv to run as a user the password database lacks";
    fs::permissions(dir.path(), fs::perms::all);
    fs::permissions(folder, fs::perms::all);
    // 54321 is on no line of /etc/passwd.
    test::CommandRun finished = run("exec env -u HOME -u XDG_DATA_HOME setpriv --reuid=54321 "
                                    "--regid=54321 --clear-groups ",
                                    "players");
    EXPECT_EQ(finished.status, 1);
    EXPECT_EQ(finished.err, "gridslate: no folder for the data is known: neither XDG_DATA_HOME nor "
                            "HOME is set, and the user has no home folder; give one with --home\n");
    EXPECT_TRUE(fs::is_empty(folder));
}

} // namespace
} // namespace gs
