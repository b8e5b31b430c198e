#include "tests/support/commandrun.h"

#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

namespace gs {
namespace {

namespace fs = std::filesystem;

using test::CommandRun;

struct ExportCommandCase {
    const char* name;
    const char* command;
    const char* file;
    const char* firstLine;
};

void PrintTo(const ExportCommandCase& c, std::ostream* os) {
    *os << c.name;
}

class ExportCommands : public testing::TestWithParam<ExportCommandCase> {
protected:
    test::TempDir home;
};

TEST_P(ExportCommands, WriteTheFileAndPrintItsPath) {
    const ExportCommandCase& c = GetParam();
    CommandRun run = test::runGridslateIn(home.path(), {c.command});
    ASSERT_EQ(run.status, 0) << run.err;
    fs::path file = home.path() / c.file;
    EXPECT_EQ(run.out, file.string() + "\n");
    std::string bytes = test::readBytes(file);
    EXPECT_TRUE(bytes.starts_with(c.firstLine)) << bytes.substr(0, 80);
}

TEST_P(ExportCommands, FailWithTheReasonWhenTheFileCannotBeWritten) {
    const ExportCommandCase& c = GetParam();
    // A folder where the file should go cannot be replaced by it.
    fs::create_directories(home.path() / c.file);
    CommandRun run = test::runGridslateIn(home.path(), {c.command});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(run.err.starts_with("gridslate: The file could not be saved.")) << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Commands, ExportCommands,
    testing::Values(ExportCommandCase{"History", "export-history", "AllUserPickHistory.csv",
                                      "Week,Date,,Visitor Team,,Home Team,,admin,PC\r\n"},
                    ExportCommandCase{"Results", "export-results", "AllUserPickResults.csv",
                                      "Week,Date,,Visitor Team,,Home Team,,admin,PC\r\n"},
                    ExportCommandCase{"Statistics", "export-stats", "AllUserStats2010.csv",
                                      "\r\nUser: admin\r\n"}),
    [](const testing::TestParamInfo<ExportCommandCase>& info) {
        return std::string(info.param.name);
    });

TEST(ExportCommand, TakesTheSeasonOption) {
    test::TempDir home;
    CommandRun run = test::runGridslateIn(home.path(), {"--season", "2009", "export-stats"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, (home.path() / "AllUserStats2009.csv").string() + "\n");
    CommandRun extra = test::runGridslateIn(home.path(), {"export-history", "x"});
    EXPECT_EQ(extra.status, 2);
}

} // namespace
} // namespace gs
