#include "schedule/importer.h"

#include "core/state.h"
#include "schedule/seasongames.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

namespace gs {
namespace {

namespace fs = std::filesystem;
using test::dumpRecords;

const std::string kHeader = "TeamA,TeamB,Date,Visitor,Home,Year\r\n";
const std::string kGood = "Minnesota Vikings,New Orleans Saints,9/9/2010,9,14,2010\r\n";

class Import : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(ensureGamesTable()); }
    fs::path write(const std::string& bytes) {
        fs::path file = program.home.path() / "schedule.csv";
        test::writeBytes(file, bytes);
        return file;
    }
    test::ProgramFixture program;
};

TEST_F(Import, ReplacesOnlyTheSeasonsOfTheFile) {
    // A UTF-8 mark and mixed line ends are what spreadsheets save.
    EXPECT_EQ(importSchedule(write("\xEF\xBB\xBF" + kHeader +
                                   "N.Y. Giants,Dallas Cowboys,9/9/2016,,,2016\n" + kGood +
                                   "Miami Dolphins,Buffalo Bills,09/12/2010,15,,2010\r\n\r\n")),
              "");
    std::vector<GameRecord> records = test::tableRecords();
    ASSERT_EQ(records.size(), 1792u - 256u + 3u);
    std::vector<GameRecord> replaced;
    for (const GameRecord& r : records)
        if (r.year == "2010" || r.year == "2016")
            replaced.push_back(r);
    EXPECT_EQ(dumpRecords(replaced), "Minnesota Vikings|New Orleans Saints|9/9/2010|9|14|2010\n"
                                     "Miami Dolphins|Buffalo Bills|09/12/2010|15||2010\n"
                                     "N.Y. Giants|Dallas Cowboys|9/9/2016|||2016\n");
    EXPECT_EQ(dumpRecords({records[0]}), dumpRecords({test::seasonRecords(2009)[0]}));
    EXPECT_TRUE(program.dialogs.shown.empty());
}

TEST_F(Import, AFileThatCannotBeReadIsRefused) {
    fs::path missing = program.home.path() / "none.csv";
    EXPECT_EQ(importSchedule(missing),
              "cannot read " + missing.string() + ": No such file or directory");
    EXPECT_EQ(importSchedule(program.home.path()),
              "cannot read " + program.home.path().string() + ": it is a folder");
}

struct Refusal {
    const char* name;
    std::string csv;
    const char* error;
};

std::string withRow(const std::string& row) {
    return kHeader + kGood + row + "\r\n" + kGood;
}

std::string tooManyGames() {
    std::string csv = kHeader;
    for (int game = 1; game <= 257; ++game)
        csv += "Dallas Cowboys,N.Y. Giants,9/12/2011,,,2011\r\n";
    return csv;
}

class ImportRefusal : public Import, public testing::WithParamInterface<Refusal> {};

TEST_P(ImportRefusal, NamesTheLineAndChangesNothing) {
    std::string before = test::readBytes(gamesDatabasePath());
    EXPECT_EQ(importSchedule(write(GetParam().csv)), GetParam().error);
    EXPECT_EQ(test::readBytes(gamesDatabasePath()), before);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ImportRefusal,
    testing::Values(
        Refusal{"UnknownVisitorWithLineFeeds",
                "TeamA,TeamB,Date,Visitor,Home,Year\n"
                "Minnesota Vikings,New Orleans Saints,9/9/2010,9,14,2010\n"
                "Dallas Cowboy,N.Y. Giants,9/12/2010,,,2010\n",
                "line 3: unknown team \"Dallas Cowboy\""},
        Refusal{"TeamPlaysItself", withRow("Dallas Cowboys,Dallas Cowboys,9/12/2010,,,2010"),
                "line 3: \"Dallas Cowboys\" cannot play itself"},
        Refusal{"NoSuchDay", withRow("Dallas Cowboys,N.Y. Giants,2/30/2010,,,2010"),
                "line 3: invalid date \"2/30/2010\" (expected a real date as M/D/YYYY)"},
        Refusal{"NegativeVisitorScore", withRow("Dallas Cowboys,N.Y. Giants,9/12/2010,-3,7,2010"),
                "line 3: invalid visitor score \"-3\" (expected empty or a whole number)"},
        Refusal{"ShortYear", withRow("Dallas Cowboys,N.Y. Giants,9/12/2010,,,10"),
                "line 3: invalid year \"10\" (expected four digits)"},
        Refusal{"TooFewFields", withRow("Dallas Cowboys,N.Y. Giants,9/12/2010,,"),
                "line 3: expected 6 fields, found 5"},
        Refusal{"WrongHeader", "teama,teamb,date,visitor,home,year\r\n" + kGood,
                "line 1: the header must be TeamA,TeamB,Date,Visitor,Home,Year"},
        Refusal{"HeaderOnly", kHeader, "line 2: the file holds no games"},
        Refusal{"SeasonOf257Games", tooManyGames(),
                "line 258: season 2011 has more than 256 games"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace gs
