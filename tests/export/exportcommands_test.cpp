#include "tests/support/commandrun.h"

#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

namespace gs {
namespace {

namespace fs = std::filesystem;

using test::CommandRun;

// Each command reaches its export (the files' contents are the export's
// own tests'); the three share one runner, so its refusal and its failure
// are seen once.
TEST(ExportCommands, WriteTheFileAndPrintItsPathOrFailWithTheReason) {
    test::TempDir home;
    for (const auto& [command, file] : {std::pair{"export-history", "AllUserPickHistory.csv"},
                                        {"export-results", "AllUserPickResults.csv"},
                                        {"export-stats", "AllUserStats2010.csv"}}) {
        CommandRun run = test::runGridslateIn(home.path(), {command});
        ASSERT_EQ(run.status, 0) << command << run.err;
        EXPECT_EQ(run.out, (home.path() / file).string() + "\n");
        EXPECT_TRUE(fs::is_regular_file(home.path() / file));
    }
    CommandRun extra = test::runGridslateIn(home.path(), {"export-history", "x"});
    EXPECT_EQ(extra.status, 2);
    EXPECT_EQ(extra.err, "gridslate: export-history takes no arguments\n");

    fs::remove(home.path() / "AllUserPickHistory.csv");
    fs::create_directories(home.path() / "AllUserPickHistory.csv");
    CommandRun failed = test::runGridslateIn(home.path(), {"export-history"});
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.out, "");
    EXPECT_TRUE(failed.err.starts_with("gridslate: The file could not be saved.")) << failed.err;
}

} // namespace
} // namespace gs
