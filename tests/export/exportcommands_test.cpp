#include "tests/support/commandrun.h"

#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

namespace gs {
namespace {

namespace fs = std::filesystem;

using test::CommandRun;

TEST(ExportCommands, WriteTheFileAndPrintItsPathOrFailWithTheReason) {
    struct Case {
        const char* command;
        const char* file;
    };
    for (const Case& c : {Case{"export-history", "AllUserPickHistory.csv"},
                          Case{"export-results", "AllUserPickResults.csv"},
                          Case{"export-stats", "AllUserStats2010.csv"}}) {
        SCOPED_TRACE(c.command);
        test::TempDir home;
        CommandRun run = test::runGridslateIn(home.path(), {c.command});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, (home.path() / c.file).string() + "\n");
        EXPECT_TRUE(fs::is_regular_file(home.path() / c.file));

        // A folder where the file should go cannot be replaced by it.
        test::TempDir blocked;
        fs::create_directories(blocked.path() / c.file);
        run = test::runGridslateIn(blocked.path(), {c.command});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_TRUE(run.err.starts_with("gridslate: The file could not be saved.")) << run.err;
    }
}

TEST(ExportCommands, TakeTheSeasonOptionAndNoArguments) {
    test::TempDir home;
    CommandRun run = test::runGridslateIn(home.path(), {"--season", "2009", "export-stats"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, (home.path() / "AllUserStats2009.csv").string() + "\n");
    CommandRun extra = test::runGridslateIn(home.path(), {"export-history", "x"});
    EXPECT_EQ(extra.status, 2);
    EXPECT_EQ(extra.err, "gridslate: export-history takes no arguments\n");
}

} // namespace
} // namespace gs
