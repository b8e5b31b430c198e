#include "stats/ratingplayer.h"

#include "schedule/seasongames.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

namespace gs {
namespace {

namespace fs = std::filesystem;

using test::weekLine;

constexpr int kArizona = 1;
constexpr int kAtlanta = 2;
constexpr int kBuffalo = 4;

// Week 1: rows 0..2, week 2: rows 3..5, week 3: row 6.
std::vector<SeasonGame> miniSeason() {
    return {
        {"Arizona Cardinals", "Atlanta Falcons", "9/12/2010", "", ""},
        {"Baltimore Ravens", "Buffalo Bills", "9/12/2010", "", ""},
        {"Carolina Panthers", "Chicago Bears", "9/13/2010", "", ""},
        {"Atlanta Falcons", "Arizona Cardinals", "9/19/2010", "", ""},
        {"Buffalo Bills", "Baltimore Ravens", "9/19/2010", "", ""},
        {"Chicago Bears", "Carolina Panthers", "9/20/2010", "", ""},
        {"Arizona Cardinals", "Baltimore Ravens", "9/26/2010", "", ""},
    };
}

void scoreRows(std::vector<SeasonGame>& games, int end) {
    for (int r = 0; r < end; ++r) {
        games[r].visitorScore = "10";
        games[r].homeScore = "20";
    }
}

// "week: teams picked" for weeks 1..3, then the margins of the seven games.
std::string projected(const RatingProjection& projection) {
    std::string text;
    for (int w = 1; w <= 3; ++w) {
        text += std::to_string(w) + ":";
        for (int t = 1; t <= kTeamCount; ++t)
            text += projection.picks[w][t] == 1 ? " " + std::to_string(t) : "";
        text += "; ";
    }
    for (int r = 0; r < 7; ++r)
        text += std::to_string(projection.margins[r]) + " ";
    return text;
}

TEST(RatingPicks, TheBetterChanceIsPickedForTheComingWeekAndKept) {
    std::vector<SeasonGame> games = miniSeason();
    TeamRatings ratings = startingRatings();
    // Arizona away at Atlanta: D = 1505 - 1700 + 65 = -130, the visitor by 5.2.
    ratings[kArizona] = 1700;
    // Baltimore at Buffalo: D = 0, an even game: the home team, by at least 1.
    ratings[kBuffalo] = 1440;
    // Carolina at Chicago: D = 65, the home team by 2.6.
    RatingProjection projection;
    projectRatingPicks(projection, Season{games, 0, {}}, ratings);
    EXPECT_EQ(projected(projection), "1: 1 4 6; 2:; 3:; 5 1 3 0 0 0 0 ");

    // Week 1 played; the ratings have moved. Week 1 keeps its picks and
    // margins, week 2 is picked from the ratings of now.
    scoreRows(games, 3);
    ratings = startingRatings();
    ratings[kAtlanta] = 1900; // away at Arizona: D = -330, by 13.2
    projectRatingPicks(projection, Season{games, 0, {}}, ratings);
    EXPECT_EQ(projected(projection), "1: 1 4 6; 2: 2 3 5; 3:; 5 1 3 13 3 3 0 ");
}

TEST(RatingPicks, GamesPastTheLastWeekArePickedInTheLastWeek) {
    // Weeks 1 and 2 played; the coming game of week 3 belongs to a season
    // of two weeks, so it is the last week's.
    std::vector<SeasonGame> games = miniSeason();
    scoreRows(games, 6);
    RatingProjection projection;
    projectRatingPicks(projection, Season{games, 6, SeasonShape{2, 256}}, startingRatings());
    std::string text = projected(projection);
    EXPECT_EQ(text.find("2:;"), std::string::npos) << text;
    EXPECT_NE(text.find("3:;"), std::string::npos) << text;
}

class RatingPlayerFile : public testing::Test {
protected:
    RatingPlayerFile() {
        pool.setSeasonYear("2010");
        test::addUser(pool, 1, "admin", 1);
        test::addUser(pool, 2, "PC");
        test::addUser(pool, 3, "ELO");
        test::editUser(pool, 3, [](UserSlot& elo) { elo.flag = true; });
    }
    fs::path eloPath() const { return pool.folders().program / "ELO2010.dat"; }

    RatingPlayerState update() {
        std::vector<GameRecord> records;
        for (const SeasonGame& g : miniSeason())
            records.push_back({g.visitor, g.home, g.date, g.visitorScore, g.homeScore, "2010"});
        std::vector<std::string> errors;
        std::vector<std::string> warnings;
        RatingPlayerState state =
            updateRatingPlayer(pool, records, seasonOf(records, 2010), errors, warnings);
        EXPECT_EQ(errors.size() + warnings.size(), 0u);
        return state;
    }

    test::PoolFixture fixture;
    Pool& pool = fixture.pool;
};

TEST_F(RatingPlayerFile, HoldsTheWeekLinesThenAMarginAGameAndReadsBackTheSame) {
    // 2010 is the first season held: every team at 1505, every home team by
    // 65 / 25 = 2.6, so 3.
    RatingPlayerState state = update();
    ASSERT_TRUE(state.listed);
    std::vector<std::string> lines = {weekLine({2, 4, 6})};
    lines.resize(kWeeks, weekLine());
    lines.resize(kWeeks + 3, "3");
    lines.resize(kWeeks + kMaxSeasonGames, "0");
    EXPECT_EQ(test::readBytes(eloPath()), test::crlf(lines));
    EXPECT_FALSE(fs::exists(pool.folders().program / "PC2010.dat"));

    RatingProjection loaded = loadRatingPicks(pool);
    EXPECT_EQ(loaded.picks, state.projection.picks);
    EXPECT_EQ(loaded.margins, state.projection.margins);
    // A player's view reads it as any pick file.
    Result<PlayerPicks> picks = loadPicks(pool, "ELO");
    ASSERT_TRUE(picks);
    EXPECT_EQ(picks->picks, state.projection.picks);
    EXPECT_TRUE(picks->activeOrder.empty());
}

TEST_F(RatingPlayerFile, APersonWhoTookTheNameBeforeKeepsHisFile) {
    test::editUser(pool, 3, [](UserSlot& elo) { elo.flag = false; });
    const std::string his = test::crlf({weekLine({1}), "admin", "PC", "ELO"});
    test::writeBytes(eloPath(), his);
    EXPECT_FALSE(update().listed);
    EXPECT_EQ(test::readBytes(eloPath()), his);
}

TEST(FavouriteTexts, NameThePickItsChanceAsTheWeekBeganAndTheKeptMargin) {
    std::vector<SeasonGame> games = miniSeason();
    RatingPlayerState state;
    state.listed = true;
    state.seasonStart = startingRatings();
    state.seasonStart[kArizona] = 1700;
    projectRatingPicks(state.projection, Season{games, 0, {}}, state.seasonStart);
    // D = -130: the visitor's chance 0.6788; D = 65: 0.5925; D = 0: 0.5.
    FavouriteTexts week1(state, games, 1, 0);
    EXPECT_EQ(week1.textOf(0), "AZ 68 % by 5");
    EXPECT_EQ(week1.textOf(1), "BUF 59 % by 3");
    EXPECT_EQ(week1.textOf(3), ""); // week 2 is not projected yet
}

} // namespace
} // namespace gs
