#include "schedule/pickfiles.h"

#include "core/state.h"
#include "tests/support/testsupport.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace gs {
namespace {

namespace fs = std::filesystem;

const std::string kZeroWeek = "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0";

std::string crlf(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

std::vector<std::string> repeated(const std::string& line, int count) {
    return std::vector<std::string>(count, line);
}

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// One week of a pick table as 32 characters, team 1 first.
std::string weekDigits(const PickTable& table, int week) {
    std::string digits;
    for (int t = 1; t <= kTeamCount; ++t)
        digits += std::to_string(table[week][t]);
    return digits;
}

std::string allWeeks(const PickTable& table) {
    std::string dump;
    for (int w = 1; w <= kWeeks; ++w)
        dump += weekDigits(table, w) + "\n";
    return dump;
}

void addUser(int slot, const std::string& name, const std::string& folder) {
    UserSlot& user = State.UserTable[slot];
    user.name = name;
    user.folder = folder;
    user.active = 1;
}

class PickFiles : public testing::Test {
protected:
    PickFiles() {
        State.SeasonYear = "2010";
        std::string data = programFolderText();
        addUser(1, "admin", data);
        addUser(2, "PC", data);
        addUser(3, "alice", aliceFolder().string());
        fs::create_directories(aliceFolder());
    }

    fs::path aliceFolder() const { return fixture.home.path() / "alice"; }
    fs::path aliceFile() const { return aliceFolder() / "alice2010.dat"; }
    fs::path pcFile() const { return State.ProgramFolder / "PC2010.dat"; }

    // Every file below the home folder, relative to it.
    std::vector<std::string> filesOnDisk() const {
        std::vector<std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(fixture.home.path()))
            if (entry.is_regular_file())
                files.push_back(fs::relative(entry.path(), fixture.home.path()).string());
        std::sort(files.begin(), files.end());
        return files;
    }

    test::ProgramFixture fixture;
};

TEST_F(PickFiles, MissingHumanFileIsCreatedWithSeventeenZeroLines) {
    State.PicksTable[3][7] = 1;
    State.SavedActivePlayers = {"kept"};
    LoadPicks("alice");
    EXPECT_EQ(test::readBytes(aliceFile()), crlf(repeated(kZeroWeek, 17)));
    EXPECT_EQ(kZeroWeek.size(), 63u);
    EXPECT_EQ(State.PicksTable, PickTable{});
    EXPECT_EQ(State.SavedActivePlayers, std::vector<std::string>{"kept"});
    EXPECT_TRUE(fixture.dialogs.shown.empty());
}

TEST_F(PickFiles, MissingComputerFileGetsItsSpreadLines) {
    State.SpreadTable[5] = 12;
    LoadPicks("PC");
    EXPECT_EQ(test::readBytes(pcFile()), crlf(repeated(kZeroWeek, 17) + repeated("0", 256)));
    EXPECT_EQ(State.SpreadTable[5], 12); // a new file leaves the spreads alone
}

TEST_F(PickFiles, HumanFileHoldsPicksThenActivePlayers) {
    State.PicksTable[1][1] = 1;
    State.PicksTable[1][32] = 1;
    State.PicksTable[17][16] = 1;
    State.List5.entries = {"alice", "admin", "Bob Smith"};
    ASSERT_TRUE(SavePicks("alice"));

    std::string week1 = "1" + kZeroWeek.substr(1, 61) + "1";
    std::string week17 = kZeroWeek;
    week17[30] = '1';
    EXPECT_EQ(test::readBytes(aliceFile()),
              crlf(std::vector<std::string>{week1} + repeated(kZeroWeek, 15) +
                   std::vector<std::string>{week17, "alice", "admin", "Bob Smith"}));

    PickTable saved = State.PicksTable;
    State.PicksTable = PickTable{};
    LoadPicks("alice");
    EXPECT_EQ(allWeeks(State.PicksTable), allWeeks(saved));
    EXPECT_EQ(State.SavedActivePlayers, State.List5.entries);
}

TEST_F(PickFiles, HumanFileWithoutActivePlayersHasExactlySeventeenLines) {
    State.PicksTable[2][5] = 1;
    ASSERT_TRUE(SavePicks("alice"));
    std::string week2 = kZeroWeek;
    week2[8] = '1';
    EXPECT_EQ(test::readBytes(aliceFile()),
              crlf(std::vector<std::string>{kZeroWeek, week2} + repeated(kZeroWeek, 15)));
}

TEST_F(PickFiles, ComputerFileHoldsProjectionsAndSpreadsOneToLast) {
    State.PicksTable[1][1] = 1; // not PC's table: must not be written
    State.ProjectedPicks[1][2] = 1;
    State.SpreadTable[0] = 99; // never on file
    State.SpreadTable[1] = 3;
    State.SpreadTable[2] = -4;
    State.SpreadTable[256] = 11;
    ASSERT_TRUE(SavePicks("PC"));

    std::string week1 = kZeroWeek;
    week1[2] = '1';
    std::vector<std::string> spreads = repeated("0", 256);
    spreads[0] = "3";
    spreads[1] = "-4";
    spreads[255] = "11";
    EXPECT_EQ(test::readBytes(pcFile()),
              crlf(std::vector<std::string>{week1} + repeated(kZeroWeek, 16) + spreads));

    State.SpreadTable.fill(7);
    LoadPicks("PC");
    EXPECT_EQ(weekDigits(State.PicksTable, 1), "01000000000000000000000000000000");
    EXPECT_EQ(State.SpreadTable[0], 7);
    EXPECT_EQ(State.SpreadTable[1], 3);
    EXPECT_EQ(State.SpreadTable[2], -4);
    EXPECT_EQ(State.SpreadTable[3], 0);
    EXPECT_EQ(State.SpreadTable[256], 11);
}

struct WeekLineCase {
    const char* name;
    std::string line;
    std::string digits; // teams 1..32 as read
};

class WeekLines : public PickFiles, public testing::WithParamInterface<WeekLineCase> {};

TEST_P(WeekLines, OnlyOddPositionsCount) {
    test::writeBytes(aliceFile(),
                     crlf(std::vector<std::string>{GetParam().line} + repeated(kZeroWeek, 16)));
    State.PicksTable[1].fill(9);
    LoadPicks("alice");
    EXPECT_EQ(weekDigits(State.PicksTable, 1), GetParam().digits);
}

INSTANTIATE_TEST_SUITE_P(
    Reading, WeekLines,
    testing::Values(
        WeekLineCase{"Commas", "1,0,0,1,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,1",
                     "10010000000000000000000000000001"},
        WeekLineCase{"Semicolons",
                     "1;0;0;1;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;1",
                     "10010000000000000000000000000001"},
        WeekLineCase{"TrailingComma",
                     "0,1,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,1,0,",
                     "01000000000000000000000000000010"},
        WeekLineCase{"ShortLine", "1,0,1", "10100000000000000000000000000000"},
        WeekLineCase{"EmptyLine", "", "00000000000000000000000000000000"},
        WeekLineCase{"NotDigits", "x,-,1,.", "00100000000000000000000000000000"},
        WeekLineCase{"LongerLine", kZeroWeek + ",1,1,1", "00000000000000000000000000000000"}),
    [](const auto& info) { return std::string(info.param.name); });

struct DamagedCase {
    const char* name;
    std::string bytes;
    std::string picks; // all 17 weeks as read
};

class DamagedFiles : public PickFiles, public testing::WithParamInterface<DamagedCase> {};

TEST_P(DamagedFiles, LoadWhatTheyCanAndStayUntouched) {
    test::writeBytes(aliceFile(), GetParam().bytes);
    State.PicksTable[17].fill(1);
    LoadPicks("alice");
    EXPECT_EQ(allWeeks(State.PicksTable), GetParam().picks);
    EXPECT_EQ(test::readBytes(aliceFile()), GetParam().bytes);
    EXPECT_TRUE(fixture.dialogs.shown.empty());
}

std::string weeksDump(const std::vector<std::string>& first) {
    std::string dump;
    for (int w = 0; w < kWeeks; ++w)
        dump +=
            (w < static_cast<int>(first.size()) ? first[w] : "00000000000000000000000000000000") +
            "\n";
    return dump;
}

INSTANTIATE_TEST_SUITE_P(
    Reading, DamagedFiles,
    testing::Values(DamagedCase{"Empty", "", weeksDump({})},
                    DamagedCase{"ThreeWeeks", crlf({"1,0", "0,1", "0,0,1"}),
                                weeksDump({"10000000000000000000000000000000",
                                           "01000000000000000000000000000000",
                                           "00100000000000000000000000000000"})},
                    DamagedCase{"LineFeedsOnly", "0,1\n1\n",
                                weeksDump({"01000000000000000000000000000000",
                                           "10000000000000000000000000000000"})},
                    DamagedCase{"Binary", std::string("\x00\x01\xff,1\r\n\x7f", 8),
                                weeksDump({"00100000000000000000000000000000"})}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PickFiles, ShortComputerFileLeavesMissingSpreadsAtZero) {
    std::string bytes = crlf(repeated(kZeroWeek, 17) + std::vector<std::string>{"5", " 6", "x"});
    test::writeBytes(pcFile(), bytes);
    State.SpreadTable.fill(8);
    LoadPicks("PC");
    EXPECT_EQ(State.SpreadTable[0], 8);
    EXPECT_EQ(State.SpreadTable[1], 5);
    EXPECT_EQ(State.SpreadTable[2], 6);
    EXPECT_EQ(State.SpreadTable[3], 0);
    EXPECT_EQ(State.SpreadTable[4], 0);
    EXPECT_EQ(State.SpreadTable[256], 0);
    EXPECT_EQ(test::readBytes(pcFile()), bytes);
}

TEST_F(PickFiles, NameNotInTheTableUsesTheLastSlotsFolder) {
    State.UserTable[100].folder = (fixture.home.path() / "spare").string();
    fs::create_directories(fixture.home.path() / "spare");
    EXPECT_EQ(pickFilePath("zed"), fixture.home.path() / "spare" / "zed2010.dat");
    LoadPicks("zed");
    EXPECT_TRUE(fs::exists(fixture.home.path() / "spare" / "zed2010.dat"));
}

TEST_F(PickFiles, SlotWithoutAFolderKeepsFilesWithTheData) {
    EXPECT_EQ(pickFilePath("zed"), State.ProgramFolder / "zed2010.dat");
}

TEST_F(PickFiles, EverySeasonHasItsOwnFile) {
    State.PicksTable[1][1] = 1;
    ASSERT_TRUE(SavePicks("alice"));
    State.SeasonYear = "2011";
    LoadPicks("alice");
    EXPECT_EQ(State.PicksTable, PickTable{});
    EXPECT_EQ(test::readBytes(aliceFolder() / "alice2011.dat"), crlf(repeated(kZeroWeek, 17)));
    EXPECT_NE(test::readBytes(aliceFile()), crlf(repeated(kZeroWeek, 17)));
}

struct UnsafeCase {
    const char* name;
    std::string player;
};

class UnsafeNames : public PickFiles, public testing::WithParamInterface<UnsafeCase> {};

TEST_P(UnsafeNames, AreRefusedWithoutTouchingAnyFile) {
    addUser(4, GetParam().player, programFolderText());
    std::vector<std::string> before = filesOnDisk();
    State.PicksTable[1][1] = 1;

    LoadPicks(GetParam().player);
    EXPECT_EQ(State.PicksTable, PickTable{});
    State.PicksTable[1][1] = 1;
    EXPECT_FALSE(SavePicks(GetParam().player));

    EXPECT_EQ(filesOnDisk(), before);
    ASSERT_EQ(fixture.dialogs.shown.size(), 2u);
    EXPECT_EQ(fixture.dialogs.shown[0].title, "Error");
    EXPECT_EQ(fixture.dialogs.shown[0].text,
              "The name \"" + GetParam().player + "\" cannot be used as a file name.");
}

INSTANTIATE_TEST_SUITE_P(Names, UnsafeNames,
                         testing::Values(UnsafeCase{"ParentFolder", "../alice/x"},
                                         UnsafeCase{"Slash", "a/b"}, UnsafeCase{"Empty", ""},
                                         UnsafeCase{"Dots", ".."}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PickFiles, FolderThatDoesNotExistIsReportedNotCreated) {
    fs::path nowhere = fixture.home.path() / "nowhere";
    State.UserTable[3].folder = nowhere.string();
    State.PicksTable[1][1] = 1;

    LoadPicks("alice");
    EXPECT_EQ(State.PicksTable, PickTable{});
    EXPECT_FALSE(SavePicks("alice"));
    EXPECT_FALSE(fs::exists(nowhere));
    ASSERT_EQ(fixture.dialogs.shown.size(), 2u);
    for (const auto& shown : fixture.dialogs.shown) {
        EXPECT_EQ(shown.title, "Error");
        EXPECT_NE(shown.text.find("nowhere"), std::string::npos) << shown.text;
    }
}

ino_t inodeOf(const fs::path& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_ino;
}

TEST_F(PickFiles, UnchangedComputerFileIsNotRewritten) {
    State.ProjectedPicks[3][3] = 1;
    State.SpreadTable[7] = 4;
    ASSERT_TRUE(SavePicks("PC"));
    std::string bytes = test::readBytes(pcFile());
    ino_t saved = inodeOf(pcFile());

    ASSERT_TRUE(savePicksIfChanged("PC"));
    EXPECT_EQ(inodeOf(pcFile()), saved);

    // The same lines with other line ends are brought back to CR LF.
    std::string lineFeeds;
    for (char c : bytes)
        if (c != '\r')
            lineFeeds += c;
    test::writeBytes(pcFile(), lineFeeds);
    ASSERT_TRUE(savePicksIfChanged("PC"));
    EXPECT_EQ(test::readBytes(pcFile()), bytes);

    State.SpreadTable[8] = 2;
    ASSERT_TRUE(savePicksIfChanged("PC"));
    EXPECT_NE(test::readBytes(pcFile()), bytes);
    LoadPicks("PC");
    EXPECT_EQ(State.SpreadTable[8], 2);
}

class OldScores : public PickFiles {};

TEST_F(OldScores, ValuesCarryTheirSignSpaceAndReadBack) {
    State.SeasonYear = "2009";
    for (int t = 1; t <= kTeamCount; ++t)
        for (int c = 1; c <= 5; ++c)
            State.TeamRecords[t][c] = 0;
    State.TeamRecords[1] = {0, 10, 3, 1, 0, 0, 2};
    State.TeamRecords[2] = {0, -3, 0, 0, 12, 1, 4};
    State.TeamRecords[32] = {0, 416, 307, 14, 2, 0, 1};
    ASSERT_TRUE(WriteOldScores());

    std::vector<std::string> lines = repeated(" 0, 0, 0, 0, 0", 32);
    lines[0] = " 10, 3, 1, 0, 0";
    lines[1] = "-3, 0, 0, 12, 1";
    lines[31] = " 416, 307, 14, 2, 0";
    EXPECT_EQ(test::readBytes(State.ProgramFolder / "oldscores2009.dat"), crlf(lines));

    TeamRecordTable written = State.TeamRecords;
    for (int t = 1; t <= kTeamCount; ++t)
        for (int c = 1; c <= 5; ++c)
            State.TeamRecords[t][c] = 77;
    ASSERT_TRUE(ReadOldScores(2009));
    EXPECT_EQ(State.TeamRecords, written);
}

TEST_F(OldScores, MissingFileLeavesTheRecordsAlone) {
    State.TeamRecords[5][1] = 123;
    EXPECT_FALSE(ReadOldScores(2008));
    EXPECT_EQ(State.TeamRecords[5][1], 123);
    EXPECT_FALSE(fs::exists(oldScoresPath(2008)));
}

TEST_F(OldScores, ShortFileGivesZeroForWhatItLacks) {
    test::writeBytes(oldScoresPath(2008), "1,2,3,4,5\n 6 , 7\n");
    State.TeamRecords[3][1] = 55;
    State.TeamRecords[2][5] = 55;
    ASSERT_TRUE(ReadOldScores(2008));
    EXPECT_EQ(State.TeamRecords[1], (std::array<double, 7>{0, 1, 2, 3, 4, 5, 2}));
    EXPECT_EQ(State.TeamRecords[2], (std::array<double, 7>{0, 6, 7, 0, 0, 0, 4}));
    EXPECT_EQ(State.TeamRecords[3][1], 0);
}

} // namespace
} // namespace gs
