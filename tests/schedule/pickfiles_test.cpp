#include "schedule/pickfiles.h"

#include "core/state.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

namespace gs {
namespace {

namespace fs = std::filesystem;
using test::crlf;
using test::weekLine;

std::vector<std::string> lines(std::vector<std::string> first, int zeroWeeks,
                               const std::vector<std::string>& after = {}) {
    first.insert(first.end(), zeroWeeks, weekLine());
    first.insert(first.end(), after.begin(), after.end());
    return first;
}

// Every week of a pick table, one line of 32 digits a week.
std::string allWeeks(const PickTable& table) {
    std::string dump;
    for (int w = 1; w <= kWeeks; ++w) {
        for (int t = 1; t <= kTeamCount; ++t)
            dump += std::to_string(table[w][t]);
        dump += "\n";
    }
    return dump;
}

std::string spreads(int from, int to) {
    std::string text;
    for (int g = from; g <= to; ++g)
        text += std::to_string(State.SpreadTable[g]) + " ";
    return text;
}

class PickFiles : public testing::Test {
protected:
    PickFiles() {
        State.SeasonYear = "2010";
        test::addUser(1, "admin");
        test::addUser(2, "PC");
        test::addUser(3, "alice", 0, aliceFolder().string());
        fs::create_directories(aliceFolder());
    }

    fs::path aliceFolder() const { return fixture.home.path() / "alice"; }
    fs::path aliceFile() const { return aliceFolder() / "alice2010.dat"; }
    fs::path pcFile() const { return State.ProgramFolder / "PC2010.dat"; }

    test::ProgramFixture fixture;
};

TEST_F(PickFiles, MissingFilesAreCreatedWithZeros) {
    State.PicksTable[3][7] = 1;
    State.SpreadTable[5] = 12;
    LoadPicks("alice");
    EXPECT_EQ(test::readBytes(aliceFile()), crlf(lines({}, 17)));
    EXPECT_EQ(State.PicksTable, PickTable{});
    LoadPicks("PC");
    EXPECT_EQ(test::readBytes(pcFile()), crlf(lines({}, 17, std::vector<std::string>(256, "0"))));
    EXPECT_EQ(State.SpreadTable[5], 12); // a new file leaves the spreads alone
    EXPECT_TRUE(fixture.dialogs.shown.empty());
}

TEST_F(PickFiles, HumanFileHoldsPicksThenActivePlayers) {
    State.PicksTable[1][1] = 1;
    State.PicksTable[1][32] = 1;
    State.PicksTable[17][16] = 1;
    State.List5.entries = {"alice", "admin", "Bob Smith"};
    ASSERT_TRUE(SavePicks("alice"));
    EXPECT_EQ(
        test::readBytes(aliceFile()),
        crlf(lines({weekLine({1, 32})}, 15, {weekLine({16}), "alice", "admin", "Bob Smith"})));

    PickTable saved = State.PicksTable;
    State.PicksTable = PickTable{};
    LoadPicks("alice");
    EXPECT_EQ(allWeeks(State.PicksTable), allWeeks(saved));
    EXPECT_EQ(State.SavedActivePlayers, State.List5.entries);
}

TEST_F(PickFiles, ComputerFileHoldsProjectionsAndSpreadsOneToLast) {
    State.PicksTable[1][1] = 1; // not PC's table: must not be written
    State.ProjectedPicks[1][2] = 1;
    State.SpreadTable[0] = 99; // never on file
    State.SpreadTable[1] = 3;
    State.SpreadTable[2] = -4;
    State.SpreadTable[256] = 11;
    ASSERT_TRUE(SavePicks("PC"));
    std::vector<std::string> spreadLines(256, "0");
    spreadLines[0] = "3";
    spreadLines[1] = "-4";
    spreadLines[255] = "11";
    EXPECT_EQ(test::readBytes(pcFile()), crlf(lines({weekLine({2})}, 16, spreadLines)));

    State.SpreadTable.fill(7);
    LoadPicks("PC");
    EXPECT_EQ(allWeeks(State.PicksTable), allWeeks(State.ProjectedPicks));
    EXPECT_EQ(spreads(0, 3) + spreads(256, 256), "7 3 -4 0 11 ");

    // A short file gives 0 for the spreads it lacks and is left as it is.
    std::string shortFile = crlf(lines({}, 17, {"5", " 6", "x"}));
    test::writeBytes(pcFile(), shortFile);
    LoadPicks("PC");
    EXPECT_EQ(spreads(0, 4) + spreads(256, 256), "7 5 6 0 0 0 ");
    EXPECT_EQ(test::readBytes(pcFile()), shortFile);
}

struct DamagedCase {
    const char* name;
    std::string bytes;
    std::string weeks; // the first weeks as read; the rest are all 0
};

class DamagedFiles : public PickFiles, public testing::WithParamInterface<DamagedCase> {};

TEST_P(DamagedFiles, LoadWhatTheyCanAndStayUntouched) {
    test::writeBytes(aliceFile(), GetParam().bytes);
    State.PicksTable[17].fill(1);
    LoadPicks("alice");
    std::string expected = GetParam().weeks;
    while (expected.size() < 33 * kWeeks)
        expected += std::string(32, '0') + "\n";
    EXPECT_EQ(allWeeks(State.PicksTable), expected);
    EXPECT_EQ(test::readBytes(aliceFile()), GetParam().bytes);
    EXPECT_TRUE(fixture.dialogs.shown.empty());
}

// Only the odd character positions of a week line are read.
INSTANTIATE_TEST_SUITE_P(
    Reading, DamagedFiles,
    testing::Values(DamagedCase{"Empty", "", ""},
                    DamagedCase{"Semicolons", "1;0;0;1\r\n", "10010000000000000000000000000000\n"},
                    DamagedCase{"LongerLine", weekLine({2}) + ",1,1,1\r\n",
                                "01000000000000000000000000000000\n"},
                    DamagedCase{"ShortLinesWithLineFeeds", "1,0\nx,-,1,.\n",
                                "10000000000000000000000000000000\n"
                                "00100000000000000000000000000000\n"},
                    DamagedCase{"Binary", std::string("\x00\x01\xff,1\r\n\x7f", 8),
                                "00100000000000000000000000000000\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PickFiles, NameNotInTheTableUsesTheLastSlotsFolder) {
    EXPECT_EQ(pickFilePath("zed"), State.ProgramFolder / "zed2010.dat"); // no folder set
    State.UserTable[100].folder = (fixture.home.path() / "spare").string();
    fs::create_directories(fixture.home.path() / "spare");
    State.SeasonYear = "2011";
    LoadPicks("zed");
    EXPECT_TRUE(fs::exists(fixture.home.path() / "spare" / "zed2011.dat"));
}

TEST_F(PickFiles, UnsafeNamesAreRefusedWithoutTouchingAnyFile) {
    for (std::string player : {"../alice/x", "", ".."}) {
        test::addUser(4, player);
        State.PicksTable[1][1] = 1;
        LoadPicks(player);
        EXPECT_EQ(State.PicksTable, PickTable{}) << player;
        State.PicksTable[1][1] = 1;
        EXPECT_FALSE(SavePicks(player));
        std::string refusal = "Error: The name \"" + player + "\" cannot be used as a file name.";
        EXPECT_EQ(fixture.dialogs.messages(), (std::vector<std::string>{refusal, refusal}));
        fixture.dialogs.clear();
    }
    EXPECT_TRUE(fs::is_empty(aliceFolder()));
    EXPECT_TRUE(fs::is_empty(State.ProgramFolder));
}

TEST_F(PickFiles, OldScoresCarryTheirSignSpaceAndReadBack) {
    State.SeasonYear = "2009";
    State.TeamRecords[1] = {0, 10, 3, 1, 0, 0, 2};
    State.TeamRecords[2] = {0, -3, 0, 0, 12, 1, 4};
    State.TeamRecords[32] = {0, 416, 307, 14, 2, 0, 1};
    ASSERT_TRUE(WriteOldScores());
    std::vector<std::string> expected(32, " 0, 0, 0, 0, 0");
    expected[0] = " 10, 3, 1, 0, 0";
    expected[1] = "-3, 0, 0, 12, 1";
    expected[31] = " 416, 307, 14, 2, 0";
    EXPECT_EQ(test::readBytes(oldScoresPath(2009)), crlf(expected));

    TeamRecordTable written = State.TeamRecords;
    for (int t = 1; t <= kTeamCount; ++t)
        for (int c = 1; c <= 5; ++c)
            State.TeamRecords[t][c] = 77;
    ASSERT_TRUE(ReadOldScores(2009));
    EXPECT_EQ(State.TeamRecords, written);
    EXPECT_FALSE(ReadOldScores(2008)); // a missing file leaves the records alone
    EXPECT_EQ(State.TeamRecords, written);
}

} // namespace
} // namespace gs
