#include "schedule/pickfiles.h"

#include "schedule/pickextras.h"
#include "tests/support/namedcases.h"
#include "tests/support/testsupport.h"

#include <chrono>

namespace gs {
namespace {

using test::crlf;
using test::weekLine;

std::vector<std::string> lines(std::vector<std::string> first, int zeroWeeks,
                               const std::vector<std::string>& after = {}) {
    first.insert(first.end(), zeroWeeks, weekLine());
    first.insert(first.end(), after.begin(), after.end());
    return first;
}

// The picks a table holds, as week:team=value.
std::string allWeeks(const PickTable& table) {
    std::string dump;
    for (int w = 1; w <= kMaxWeeks; ++w)
        for (int t = 1; t <= kTeamCount; ++t)
            if (table[w][t])
                dump += std::to_string(w) + ":" + std::to_string(t) + "=" +
                        std::to_string(table[w][t]) + " ";
    return dump;
}

class PickFiles : public testing::Test {
protected:
    PickFiles() {
        pool.setSeasonYear(2010);
        test::addUser(pool, 1, "admin");
        test::addUser(pool, 2, "PC");
        test::addUser(pool, 3, "alice", 0, aliceFolder().string());
        fs::create_directories(aliceFolder());
        EXPECT_TRUE(markPickFolder(pool, aliceFolder())); // chosen in this home
    }

    fs::path aliceFolder() const { return fixture.home.path() / "alice"; }
    std::string season() const { return std::to_string(pool.seasonYear()); }
    fs::path aliceFile() const { return aliceFolder() / ("alice" + season() + ".dat"); }
    fs::path pcFile() const { return pool.folders().program / ("PC" + season() + ".dat"); }

    PlayerPicks load(const std::string& player) {
        Result<PlayerPicks> loaded = loadPicks(pool, player);
        EXPECT_TRUE(loaded) << loaded.error();
        return loaded ? *loaded : PlayerPicks{};
    }
    void save(const std::string& player, const PickTable& picks) {
        Status saved = savePicks(pool, player, picks);
        EXPECT_TRUE(saved) << saved.error();
    }
    void saveComputer(const Projection& projection) {
        auto saved = saveComputerPicks(pool, projection);
        EXPECT_TRUE(saved) << saved.error();
    }

    test::PoolFixture fixture;
    Pool& pool = fixture.pool;
};

// A save keeps the weeks another program saved since the picks were shown;
// a week changed on both sides refuses the save, naming it, and the file
// stays as that program left it.
TEST_F(PickFiles, SaveKeepsTheWeeksSavedElsewhereMeanwhile) {
    PickTable shown{};
    shown[1][3] = 1;
    save("alice", shown);
    PickTable elsewhere = shown;
    elsewhere[2][5] = elsewhere[4][6] = 1;
    save("alice", elsewhere);
    PickTable mine = shown;
    mine[1][3] = 0;
    mine[1][4] = mine[3][7] = mine[4][6] = 1;
    Result<PickTable> saved = savePicksOver(pool, "alice", mine, shown);
    ASSERT_TRUE(saved) << saved.error();
    EXPECT_EQ(allWeeks(*saved), "1:4=1 2:5=1 3:7=1 4:6=1 ");
    EXPECT_EQ(allWeeks(load("alice").picks), allWeeks(*saved));

    mine = *saved;
    mine[2][5] = mine[3][7] = 0;
    mine[2][9] = mine[3][8] = 1;
    EXPECT_THAT(savePicksOver(pool, "alice", mine, shown).error().message,
                testing::EndsWith("in the weeks also changed here (week 2, 3). Nothing was saved; "
                                  "open the picks again and make the change once more."));
    EXPECT_EQ(allWeeks(load("alice").picks), allWeeks(*saved));
}

// A missing file is made with zeros. A human's file holds the season's
// weeks, then the active players; the computer player's its projection's
// weeks, then its spreads from game 1 to the season's last.
TEST_F(PickFiles, FilesHoldEveryWeekAndGameOfTheSeason) {
    for (auto [season, weeks, games] : {std::tuple{2010, 17, 256}, {2021, 18, 272}}) {
        SCOPED_TRACE(season);
        pool.setSeasonYear(season);
        PlayerPicks human = load("alice");
        PlayerPicks computer = load("PC");
        EXPECT_EQ(allWeeks(human.picks) + allWeeks(computer.picks), "");
        EXPECT_TRUE(human.activeOrder.empty());
        EXPECT_EQ(computer.spreads, SpreadTable{});
        EXPECT_EQ(test::readBytes(aliceFile()), crlf(lines({}, weeks)));
        EXPECT_EQ(test::readBytes(pcFile()),
                  crlf(lines({}, weeks, std::vector<std::string>(games, "0"))));

        PickTable picks{};
        picks[1][1] = picks[1][32] = picks[weeks][16] = 1;
        pool.setPoolOrder({"alice", "admin", "Bob Smith"});
        save("alice", picks);
        EXPECT_EQ(test::readBytes(aliceFile()),
                  crlf(lines({weekLine({1, 32})}, weeks - 2,
                             {weekLine({16}), "alice", "admin", "Bob Smith"})));
        PlayerPicks loaded = load("alice");
        EXPECT_EQ(allWeeks(loaded.picks), allWeeks(picks));
        EXPECT_EQ(loaded.activeOrder, pool.poolOrder());

        Projection projection;
        projection.picks[weeks][2] = 1;
        projection.spreads[0] = 99; // never on file
        projection.spreads[1] = 3;
        projection.spreads[2] = 999;
        projection.spreads[games] = 11;
        saveComputer(projection);
        std::vector<std::string> rest(1 + games, "0");
        rest[0] = weekLine({2});
        rest[1] = "3";
        rest[2] = "999";
        rest[games] = "11";
        EXPECT_EQ(test::readBytes(pcFile()), crlf(lines({}, weeks - 1, rest)));
        computer = load("PC");
        EXPECT_EQ(allWeeks(computer.picks), allWeeks(projection.picks));
        projection.spreads[0] = 0;
        EXPECT_EQ(computer.spreads, projection.spreads);
    }
}

// The file is saved on every opening of the weekly panel; unchanged bytes
// are not written again. Only the computer player's projection belongs in
// its file: picks saved under its name leave it alone.
TEST_F(PickFiles, ComputerFileChangesOnlyWithItsProjection) {
    Projection projection;
    projection.picks[1][2] = 1;
    projection.spreads[1] = 3;
    saveComputer(projection);
    std::string before = test::readBytes(pcFile());
    auto longAgo = fs::file_time_type::clock::now() - std::chrono::hours(24 * 365);
    fs::last_write_time(pcFile(), longAgo);
    saveComputer(projection);
    EXPECT_EQ(fs::last_write_time(pcFile()), longAgo);
    PickTable picks{};
    picks[1][1] = 1;
    pool.setPoolOrder({"PC", "admin"});
    save("PC", picks);
    EXPECT_EQ(test::readBytes(pcFile()), before);
}

struct DamagedComputerFile : test::NamedCase {
    std::string bytes;
};

class DamagedComputerFiles : public PickFiles,
                             public testing::WithParamInterface<DamagedComputerFile> {};

std::string tidyComputerFile(std::vector<std::string> spreadLines = {}) {
    spreadLines.resize(256, "0");
    return crlf(lines({weekLine({2})}, 16, spreadLines));
}

// The damaged file is kept beside the new one, the person is told once, and
// the next save finds nothing to tell; a second damage does not take the
// place of the first one kept.
TEST_P(DamagedComputerFiles, AreKeptBesideTheNewFileAndToldOnce) {
    test::writeBytes(pcFile(), GetParam().bytes);
    Projection projection;
    projection.picks[1][2] = 1;
    Result<ComputerPicksSaved> saved = saveComputerPicks(pool, projection);
    ASSERT_TRUE(saved) << saved.error();
    EXPECT_EQ(saved->notice, "The computer player's file " + pcFile().string() +
                                 " was damaged. It is kept as PC2010.dat.damaged, and the file "
                                 "was written afresh.");
    EXPECT_EQ(test::readBytes(pcFile()), tidyComputerFile());
    EXPECT_EQ(test::readBytes(pcFile().string() + ".damaged"), GetParam().bytes);

    projection.spreads[1] = 4; // a change to a tidy file is no damage
    saved = saveComputerPicks(pool, projection);
    ASSERT_TRUE(saved) << saved.error();
    EXPECT_EQ(saved->notice, "");
    EXPECT_EQ(test::readBytes(pcFile()), tidyComputerFile({"4"}));

    test::writeBytes(pcFile(), GetParam().bytes + "again");
    ASSERT_TRUE(saveComputerPicks(pool, projection));
    EXPECT_EQ(test::readBytes(pcFile().string() + ".damaged"), GetParam().bytes);
    EXPECT_EQ(test::readBytes(pcFile().string() + ".damaged2"), GetParam().bytes + "again");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedComputerFiles,
    testing::Values(
        DamagedComputerFile{"RandomBytes", std::string("\x8f\x00\xd3Q\r\x91\n\xfe\x07,,9", 12)},
        DamagedComputerFile{"PickValueNine", "9" + tidyComputerFile().substr(1)},
        DamagedComputerFile{"SpreadOfMinus999", tidyComputerFile({"0", "0", "0", "0", "-999"})},
        DamagedComputerFile{"Truncated", crlf(lines({}, 17, {"5", "6"}))}),
    test::caseName);

struct StoredFolder : test::NamedCase {
    std::string computerFolder; // as the user list stores them; "@" stands for the home
    std::string aliceFolder;
    std::string expected; // where alice's file goes, "@" for the home
};

class StoredFolders : public PickFiles, public testing::WithParamInterface<StoredFolder> {
protected:
    std::string atHome(std::string text) const {
        if (text.starts_with("@"))
            text.replace(0, 1, fixture.home.path().string());
        return text;
    }
};

// A user list brought from another machine, or with a copied home, names
// folders of elsewhere: only a folder chosen in this home (its mark names
// this program folder) is ever used; another home's is never written into.
TEST_P(StoredFolders, PickFilesStayInThisPoolUnlessAChosenFolderExists) {
    fs::create_directories(fixture.home.path() / "other");
    writeBytes(fixture.home.path() / "other" / kPickFolderMark, "/old/home/data\r\n");
    test::editUser(pool, 2, [&](UserSlot& u) { u.folder = atHome(GetParam().computerFolder); });
    test::editUser(pool, 3, [&](UserSlot& u) { u.folder = atHome(GetParam().aliceFolder); });
    EXPECT_EQ(pickFilePath(pool, "alice"), fs::path(atHome(GetParam().expected)) / "alice2010.dat");
    EXPECT_EQ(pickFilePath(pool, "PC"), pool.folders().program / "PC2010.dat");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StoredFolders,
    testing::Values(StoredFolder{"AFolderAnotherHomeChose", "@/data", "@/other", "@/data"},
                    StoredFolder{"TheComputerPlayersFolderWithASeparator", "@/other/", "@/other",
                                 "@/data"},
                    StoredFolder{"AFolderMissingHere", "@/data", "@/missing", "@/data"},
                    StoredFolder{"AChosenFolderThatExists", "/gone/A/data", "@/alice", "@/alice"},
                    StoredFolder{"NoFolder", "@/data", "", "@/data"}),
    test::caseName);

TEST_F(PickFiles, UnsafeNamesAreRefusedWithoutTouchingAnyFile) {
    PickTable picks{};
    picks[1][1] = 1;
    for (std::string player : {"../alice/x", "", ".."}) {
        test::addUser(pool, 4, player);
        Result<PlayerPicks> loaded = loadPicks(pool, player);
        Status saved = savePicks(pool, player, picks);
        ASSERT_TRUE(!loaded && !saved) << player;
        const std::string refusal = "The name \"" + player + "\" cannot be used as a file name.";
        EXPECT_EQ(loaded.error().message + "|" + saved.error().message, refusal + "|" + refusal);
    }
    EXPECT_EQ(folderEntries(aliceFolder()), Lines{kPickFolderMark});
    EXPECT_TRUE(fs::is_empty(pool.folders().program));
}

} // namespace
} // namespace gs

namespace gs {
namespace {

// The tiebreaker file stands beside the pick file only once there is
// something in it; it is written CR LF, read leniently, and its name says
// whose it is.
TEST_F(PickFiles, TiebreakerFilesAreWrittenOnlyWhenUsedAndReadLeniently) {
    const fs::path file = aliceFolder() / ("alice" + season() + ".tie");
    ASSERT_TRUE(saveExtras(pool, "alice", ExtrasTable{}));
    EXPECT_FALSE(fs::exists(file));

    ExtrasTable extras{};
    extras[3].guess = TiebreakGuess{41, 25, 1};
    extras[17].values[7] = 2;
    extras[17].values[32] = 16;
    ASSERT_TRUE(saveExtras(pool, "alice", extras));
    auto line = [](std::string start, int team, int value) {
        for (int t = 1; t <= kTeamCount; ++t)
            start += "," + std::to_string(t == team ? value : t == 32 ? 16 * (team == 7) : 0);
        return start;
    };
    EXPECT_EQ(test::readBytes(file), crlf({line("3,41,25,1", 0, 0), line("17,,,", 7, 2)}));
    EXPECT_EQ(loadExtras(pool, "alice").value(), extras);

    // Damage: a bad week, a guess without its game, values out of range,
    // LF line ends, a line cut short. What can be read still counts.
    test::writeBytes(file, "99,1,2,3\nx\n2,55\n4,60,9,10,5,40,-1\n5,,,,3");
    ExtrasTable read = loadExtras(pool, "alice").value();
    EXPECT_FALSE(read[2].guess);
    EXPECT_EQ(read[4].guess, (TiebreakGuess{60, 9, 10}));
    EXPECT_EQ(read[4].values[1] * 100 + read[4].values[2] * 10 + read[4].values[3], 500);
    EXPECT_EQ(read[5].values[1], 3);
    EXPECT_EQ(extrasFileOwner("alice2010.tie") + "|" + extrasFileOwner("alice2010.dat") + "|" +
                  extrasFileOwner("alice10.tie"),
              "alice||");
}

} // namespace
} // namespace gs
