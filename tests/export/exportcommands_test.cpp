#include "tests/support/commandrun.h"

#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

namespace gs {
namespace {

namespace fs = std::filesystem;

using test::CommandRun;

TEST(ExportCommands, WriteTheFileAndPrintItsPath) {
    test::TempDir home;
    struct Case {
        std::vector<std::string> args;
        const char* file;
    };
    for (const Case& c : {Case{{"export-history"}, "AllUserPickHistory.csv"},
                          Case{{"export-results"}, "AllUserPickResults.csv"},
                          Case{{"export-stats"}, "AllUserStats2010.csv"},
                          Case{{"--season", "2009", "export-stats"}, "AllUserStats2009.csv"}}) {
        CommandRun run = test::runGridslateIn(home.path(), c.args);
        ASSERT_EQ(run.status, 0) << c.file << run.err;
        EXPECT_EQ(run.out, (home.path() / c.file).string() + "\n");
        EXPECT_TRUE(fs::is_regular_file(home.path() / c.file));
    }
    CommandRun extra = test::runGridslateIn(home.path(), {"export-history", "x"});
    EXPECT_EQ(extra.status, 2);
    EXPECT_EQ(extra.err, "gridslate: export-history takes no arguments\n");
}

// The three commands share one runner: its failure is seen once.
TEST(ExportCommands, AFileThatCannotBeWrittenFailsWithTheReason) {
    test::TempDir home;
    fs::create_directories(home.path() / "AllUserPickHistory.csv");
    CommandRun run = test::runGridslateIn(home.path(), {"export-history"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(run.err.starts_with("gridslate: The file could not be saved.")) << run.err;
}

} // namespace
} // namespace gs
