#include "schedule/importer.h"

#include "schedule/seasongames.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>
#include <ostream>

namespace gs {
namespace {

namespace fs = std::filesystem;
using test::dumpRecords;

const std::string kHeader = "TeamA,TeamB,Date,Visitor,Home,Year\r\n";
const std::string kGood = "Minnesota Vikings,New Orleans Saints,9/9/2010,9,14,2010\r\n";

class Import : public testing::Test {
protected:
    void SetUp() override {
        Status created = ensureGamesTable(pool());
        ASSERT_TRUE(created) << created.error().message;
    }
    const Pool& pool() const { return fixture.pool; }
    fs::path home() const { return fixture.home.path(); }
    fs::path write(const std::string& bytes) {
        fs::path file = home() / "schedule.csv";
        test::writeBytes(file, bytes);
        return file;
    }
    // "imported", or why the import was refused.
    std::string import(const fs::path& file) {
        Status imported = importSchedule(pool(), file);
        return imported ? "imported" : imported.error().message;
    }
    test::PoolFixture fixture;
};

TEST_F(Import, ReplacesOnlyTheSeasonsOfTheFile) {
    // A UTF-8 mark and mixed line ends are what spreadsheets save.
    std::string csv("\xEF\xBB\xBF");
    csv += kHeader;
    csv += "N.Y. Giants,Dallas Cowboys,9/9/2016,,,2016\n";
    csv += kGood;
    csv += "Miami Dolphins,Buffalo Bills,09/12/2010,15,,2010\r\n\r\n";
    EXPECT_EQ(import(write(csv)), "imported");
    std::vector<GameRecord> records = test::tableRecords(pool());
    ASSERT_EQ(records.size(), 1792u - 256u + 3u);
    std::vector<GameRecord> replaced;
    for (const GameRecord& r : records)
        if (r.year == "2010" || r.year == "2016")
            replaced.push_back(r);
    EXPECT_EQ(dumpRecords(replaced), "Minnesota Vikings|New Orleans Saints|9/9/2010|9|14|2010\n"
                                     "Miami Dolphins|Buffalo Bills|09/12/2010|15||2010\n"
                                     "N.Y. Giants|Dallas Cowboys|9/9/2016|||2016\n");
    EXPECT_EQ(dumpRecords({records[0]}), dumpRecords({test::seasonRecords(2009)[0]}));
}

TEST_F(Import, QuotedFieldsReadAsTheScoreImportReadsThem) {
    // As a spreadsheet saves it: every field quoted, a comma inside one.
    std::string csv = "\"TeamA\",\"TeamB\",\"Date\",\"Visitor\",\"Home\",\"Year\"\r\n"
                      "\"Dallas Cowboys\",\"N.Y. Giants\",\"9/12/2016\",\"\",\"\",\"2016\"\r\n"
                      "\"Miami Dolphins\",Buffalo Bills,\"9/18/2016\",\"2\"\"\",,2016\r\n";
    EXPECT_EQ(import(write(csv)), "line 3: invalid visitor score \"2\\x22\" (expected empty or a "
                                  "whole number)");
    csv.replace(csv.find("\"2\"\"\""), 5, "\"24\"");
    EXPECT_EQ(import(write(csv)), "imported");
    std::vector<GameRecord> imported;
    for (const GameRecord& r : test::tableRecords(pool()))
        if (r.year == "2016")
            imported.push_back(r);
    EXPECT_EQ(dumpRecords(imported), "Dallas Cowboys|N.Y. Giants|9/12/2016|||2016\n"
                                     "Miami Dolphins|Buffalo Bills|9/18/2016|24||2016\n");
}

TEST_F(Import, AFileThatCannotBeReadIsRefused) {
    fs::path missing = home() / "none.csv";
    EXPECT_EQ(import(missing),
              std::string("cannot read ") + missing.string() + ": No such file or directory");
    EXPECT_EQ(import(home()), std::string("cannot read ") + home().string() + ": it is a folder");
}

struct Refusal {
    const char* name;
    std::string csv;
    std::string error;
};

void PrintTo(const Refusal& c, std::ostream* os) {
    *os << c.name;
}

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
    std::string before = test::readBytes(pool().gamesDatabasePath());
    EXPECT_EQ(import(write(GetParam().csv)), GetParam().error);
    EXPECT_EQ(test::readBytes(pool().gamesDatabasePath()), before);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ImportRefusal,
    testing::Values(
        Refusal{"UnknownVisitorWithLineFeeds",
                "TeamA,TeamB,Date,Visitor,Home,Year\n"
                "Minnesota Vikings,New Orleans Saints,9/9/2010,9,14,2010\n"
                "Dallas Cowboy,N.Y. Giants,9/12/2010,,,2010\n",
                "line 3: unknown team \"Dallas Cowboy\""},
        Refusal{"HostileTeamIsEscapedAndCut",
                withRow("\x1B[2J\"" + std::string(300, 'x') + ",N.Y. Giants,9/12/2010,,,2010"),
                "line 3: unknown team \"\\x1B[2J\\x22" + std::string(195, 'x') + "...\""},
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
        Refusal{"WrongHeader", std::string("teama,teamb,date,visitor,home,year\r\n") + kGood,
                "line 1: the header must be TeamA,TeamB,Date,Visitor,Home,Year"},
        Refusal{"HeaderOnly", kHeader, "line 2: the file holds no games"},
        Refusal{"SeasonOf257Games", tooManyGames(),
                "line 258: season 2011 has more than 256 games"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace gs
