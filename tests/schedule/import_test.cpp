#include "schedule/importer.h"

#include "core/state.h"
#include "schedule/bundledschedules.h"
#include "schedule/gamesdb.h"
#include "schedule/seasongames.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

namespace gs {
namespace {

namespace fs = std::filesystem;

constexpr const char* kHeader = "TeamA,TeamB,Date,Visitor,Home,Year\r\n";

std::string dump(const std::vector<GameRecord>& records) {
    std::string text;
    for (const auto& r : records)
        text += r.TeamA + "|" + r.TeamB + "|" + r.Date + "|" + r.Visitor + "|" + r.Home + "|" +
                r.Year + "\n";
    return text;
}

std::vector<GameRecord> tableRecords() {
    std::string error;
    auto table = GamesTable::open(gamesDatabasePath(), error);
    EXPECT_TRUE(table) << error;
    return table ? table->records() : std::vector<GameRecord>{};
}

// The records of one season, and the number of records of every other one.
std::string seasonView(const std::vector<GameRecord>& records, const std::string& year) {
    std::string shown;
    std::string counts;
    std::string last;
    int run = 0;
    auto close = [&] {
        if (run)
            counts += last + " x" + std::to_string(run) + "\n";
    };
    for (const auto& r : records) {
        if (r.Year == year)
            shown += dump({r});
        if (r.Year != last) {
            close();
            last = r.Year;
            run = 0;
        }
        ++run;
    }
    close();
    return counts + shown;
}

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
    std::string csv = "\xEF\xBB\xBFTeamA,TeamB,Date,Visitor,Home,Year\r\n"
                      "N.Y. Giants,Dallas Cowboys,9/9/2016,,,2016\n"
                      "Minnesota Vikings,New Orleans Saints,9/9/2010,9,14,2010\r\n"
                      "Miami Dolphins,Buffalo Bills,9/12/2010,15,,2010\r\n"
                      "Detroit Lions,Chicago Bears,09/12/2010,,,2010\r\n\r\n";
    EXPECT_EQ(importSchedule(write(csv)), "");
    EXPECT_EQ(seasonView(tableRecords(), "2010"),
              "2009 x256\n"
              "2010 x3\n"
              "2011 x256\n2012 x256\n2013 x256\n2014 x256\n2015 x256\n"
              "2016 x1\n"
              "Minnesota Vikings|New Orleans Saints|9/9/2010|9|14|2010\n"
              "Miami Dolphins|Buffalo Bills|9/12/2010|15||2010\n"
              "Detroit Lions|Chicago Bears|09/12/2010|||2010\n");
    EXPECT_TRUE(program.dialogs.shown.empty());
}

TEST_F(Import, TheBundledSchedulesImportWhole) {
    ScheduleParse parse = parseSchedule(kBundledSchedules);
    ASSERT_TRUE(parse.ok) << parse.error;
    EXPECT_EQ(parse.records.size(), 1792u);
    EXPECT_EQ(importSchedule(test::scheduleCsv()), "");
    std::vector<GameRecord> records = tableRecords();
    EXPECT_EQ(dump(records), dump(parse.records));
}

TEST_F(Import, BuildsTheLeagueTableWhenNeeded) {
    State.LeagueTable = LeagueTableData{};
    EXPECT_EQ(importSchedule(
                  write(std::string(kHeader) + "N.Y. Giants,Dallas Cowboys,9/9/2016,,,2016\r\n")),
              "");
    EXPECT_EQ(seasonView(tableRecords(), "2016").substr(0, 10), "2009 x256\n");
}

TEST_F(Import, AMissingTableGetsTheBundledSeasonsFirst) {
    fs::remove(gamesDatabasePath());
    EXPECT_EQ(importSchedule(
                  write(std::string(kHeader) + "N.Y. Giants,Dallas Cowboys,9/9/2016,,,2016\r\n")),
              "");
    EXPECT_EQ(tableRecords().size(), 1793u);
}

TEST_F(Import, AFileThatCannotBeReadIsRefused) {
    std::string before = test::readBytes(gamesDatabasePath());
    fs::path missing = program.home.path() / "none.csv";
    EXPECT_EQ(importSchedule(missing),
              "cannot read " + missing.string() + ": No such file or directory");
    EXPECT_EQ(importSchedule(program.home.path()),
              "cannot read " + program.home.path().string() + ": it is a folder");
    EXPECT_EQ(test::readBytes(gamesDatabasePath()), before);
}

struct Refusal {
    const char* name;
    std::string csv;
    const char* error;
};

const std::string kGood = "Minnesota Vikings,New Orleans Saints,9/9/2010,9,14,2010\r\n";

std::string withRow(const std::string& row) {
    return kHeader + kGood + row + "\r\n" + kGood;
}

class ImportRefusal : public Import, public testing::WithParamInterface<Refusal> {};

TEST_P(ImportRefusal, NamesTheLineAndChangesNothing) {
    std::string before = test::readBytes(gamesDatabasePath());
    EXPECT_EQ(importSchedule(write(GetParam().csv)), GetParam().error);
    EXPECT_EQ(test::readBytes(gamesDatabasePath()), before);
    EXPECT_EQ(parseSchedule(GetParam().csv).error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ImportRefusal,
    testing::Values(
        Refusal{"UnknownVisitor", withRow("Dallas Cowboy,N.Y. Giants,9/12/2010,,,2010"),
                "line 3: unknown team \"Dallas Cowboy\""},
        Refusal{"TeamNameCase", withRow("Dallas Cowboys,n.y. giants,9/12/2010,,,2010"),
                "line 3: unknown team \"n.y. giants\""},
        Refusal{"TeamNameSpaces", withRow(" Dallas Cowboys,N.Y. Giants,9/12/2010,,,2010"),
                "line 3: unknown team \" Dallas Cowboys\""},
        Refusal{"TeamPlaysItself", withRow("Dallas Cowboys,Dallas Cowboys,9/12/2010,,,2010"),
                "line 3: \"Dallas Cowboys\" cannot play itself"},
        Refusal{"NoSuchDay", withRow("Dallas Cowboys,N.Y. Giants,2/30/2010,,,2010"),
                "line 3: invalid date \"2/30/2010\" (expected a real date as M/D/YYYY)"},
        Refusal{"WordForDate", withRow("Dallas Cowboys,N.Y. Giants,soon,,,2010"),
                "line 3: invalid date \"soon\" (expected a real date as M/D/YYYY)"},
        Refusal{"EmptyDate", withRow("Dallas Cowboys,N.Y. Giants,,,,2010"),
                "line 3: invalid date \"\" (expected a real date as M/D/YYYY)"},
        Refusal{"TwoDigitYearDate", withRow("Dallas Cowboys,N.Y. Giants,9/12/10,,,2010"),
                "line 3: invalid date \"9/12/10\" (expected a real date as M/D/YYYY)"},
        Refusal{"LettersInDate", withRow("Dallas Cowboys,N.Y. Giants,9x/12/2010,,,2010"),
                "line 3: invalid date \"9x/12/2010\" (expected a real date as M/D/YYYY)"},
        Refusal{"NegativeScore", withRow("Dallas Cowboys,N.Y. Giants,9/12/2010,-3,7,2010"),
                "line 3: invalid visitor score \"-3\" (expected empty or a whole number)"},
        Refusal{"LetterInScore", withRow("Dallas Cowboys,N.Y. Giants,9/12/2010,3,7a,2010"),
                "line 3: invalid home score \"7a\" (expected empty or a whole number)"},
        Refusal{"SpaceInScore", withRow("Dallas Cowboys,N.Y. Giants,9/12/2010, 3,7,2010"),
                "line 3: invalid visitor score \" 3\" (expected empty or a whole number)"},
        Refusal{"FractionScore", withRow("Dallas Cowboys,N.Y. Giants,9/12/2010,3,7.5,2010"),
                "line 3: invalid home score \"7.5\" (expected empty or a whole number)"},
        Refusal{"ShortYear", withRow("Dallas Cowboys,N.Y. Giants,9/12/2010,,,10"),
                "line 3: invalid year \"10\" (expected four digits)"},
        Refusal{"YearWithSpace", withRow("Dallas Cowboys,N.Y. Giants,9/12/2010,,,2010 "),
                "line 3: invalid year \"2010 \" (expected four digits)"},
        Refusal{"TooFewFields", withRow("Dallas Cowboys,N.Y. Giants,9/12/2010,,"),
                "line 3: expected 6 fields, found 5"},
        Refusal{"TooManyFields", withRow("Dallas Cowboys,N.Y. Giants,9/12/2010,,,2010,"),
                "line 3: expected 6 fields, found 7"},
        Refusal{"BlankLineBetweenRows", withRow(""), "line 3: expected 6 fields, found 1"},
        Refusal{"WrongHeader", "TeamA,TeamB,Date,Visitor,Home\r\n" + kGood,
                "line 1: the header must be TeamA,TeamB,Date,Visitor,Home,Year"},
        Refusal{"HeaderInOtherCase", "teama,teamb,date,visitor,home,year\r\n" + kGood,
                "line 1: the header must be TeamA,TeamB,Date,Visitor,Home,Year"},
        Refusal{"NoHeader", kGood + kGood,
                "line 1: the header must be TeamA,TeamB,Date,Visitor,Home,Year"},
        Refusal{"EmptyFile", "", "line 1: the header must be TeamA,TeamB,Date,Visitor,Home,Year"},
        Refusal{"HeaderOnly", kHeader, "line 2: the file holds no games"},
        Refusal{"LfLineEnds",
                "TeamA,TeamB,Date,Visitor,Home,Year\n" + kGood.substr(0, kGood.size() - 2) +
                    "\nDallas Cowboy,N.Y. Giants,9/12/2010,,,2010\n",
                "line 3: unknown team \"Dallas Cowboy\""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Import, ASeasonHoldsAtMost256Games) {
    std::string csv = kHeader;
    for (int game = 1; game <= 257; ++game)
        csv += "Dallas Cowboys,N.Y. Giants,9/12/2011,,,2011\r\n";
    std::string before = test::readBytes(gamesDatabasePath());
    EXPECT_EQ(importSchedule(write(csv)), "line 258: season 2011 has more than 256 games");
    EXPECT_EQ(test::readBytes(gamesDatabasePath()), before);
}

} // namespace
} // namespace gs
