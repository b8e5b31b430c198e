#include "stats/ratings.h"

#include "core/text.h"
#include "schedule/seasongames.h"
#include "stats/ratingplayer.h"
#include "tests/support/commandrun.h"
#include "tests/support/testsupport.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace gs {
namespace {

using test::weekLine;

constexpr int kArizona = 1;
constexpr int kAtlanta = 2;

// The margin a projection keeps on file: halves away from zero, at least 1.
TEST(Ratings, MarginFromTheEdge) {
    std::string margins;
    for (double edge : {100.0, -37.5, 37.4, 12.0, 0.0, -312.5})
        margins += std::to_string(marginOnFile(edge)) + " ";
    EXPECT_EQ(margins, "4 2 1 1 1 13 ");
}

GameRecord record(const char* visitor, const char* home, const char* date, const char* vs,
                  const char* hs, const char* year) {
    return {visitor, home, date, vs, hs, year};
}

TEST(Ratings, ASeasonStartsFromTheLastOneCarriedOver) {
    // Atlanta beats Arizona 24-17 in 2009, the first season the table holds:
    // 1505 + 16.462462 and 1505 - 16.462462. In 2010 each moves a third of
    // the way back to 1505, and again in 2011; a season after the table's
    // last is carried over once more, whatever lies between. Baltimore,
    // without a game, stays at 1505.
    std::vector<GameRecord> records = {
        record("Arizona Cardinals", "Atlanta Falcons", "9/13/2009", "17", "24", "2009"),
        record("Arizona Cardinals", "Atlanta Falcons", "9/12/2010", "", "", "2010"),
        record("Atlanta Falcons", "Arizona Cardinals", "9/19/2011", "", "", "2011"),
    };
    const double won = 16.462462070399;
    struct StartCase {
        int year;
        double atlanta;
    };
    for (const StartCase& c :
         {StartCase{2008, 1505}, StartCase{2009, 1505}, StartCase{2010, 1505 + won * 2 / 3},
          StartCase{2011, 1505 + won * 4 / 9}, StartCase{2013, 1505 + won * 8 / 27}}) {
        TeamRatings ratings = seasonStartRatings(gamesOf(records).value(), c.year);
        EXPECT_NEAR(ratings[kAtlanta], c.atlanta, 1e-9) << c.year;
        EXPECT_NEAR(ratings[kArizona], 3010 - c.atlanta, 1e-9) << c.year;
        EXPECT_EQ(ratings[3], kStartingRating) << c.year;
    }
}

// The ratings worked out here on their own, from the formula as the pool's
// rules state it, over every season of the real schedules.
std::map<int, std::map<std::string, double>> independentSeasonEnds() {
    std::map<std::string, double> rating;
    std::map<int, std::map<std::string, double>> ends;
    for (int year = 2009; year <= 2015; ++year) {
        for (auto& [team, value] : rating)
            value = value * 2 / 3 + 1505.0 / 3;
        for (const Game& g : test::csvSeason(year).games) {
            double& home = rating.try_emplace(g.homeName(), 1505).first->second;
            double& visitor = rating.try_emplace(g.visitorName(), 1505).first->second;
            double d = home - visitor + 65;
            double p = 1 / (std::pow(10, -d / 400) + 1);
            double margin = g.homePoints() - g.visitorPoints();
            double r = margin > 0 ? 1 : margin < 0 ? 0 : 0.5;
            double winnerD = margin > 0 ? d : -d;
            double m = margin == 0 ? std::log(2) * 2.2
                                   : std::log(std::max(std::abs(margin), 1.0) + 1) * 2.2 /
                                         (0.001 * winnerD + 2.2);
            home += 20 * m * (r - p);
            visitor -= 20 * m * (r - p);
        }
        ends[year] = rating;
    }
    return ends;
}

TEST(Ratings, EverySeasonEndAgreesWithAnIndependentComputation) {
    std::vector<GameRecord> records;
    for (int year = 2009; year <= 2015; ++year)
        for (GameRecord& r : test::seasonRecords(year))
            records.push_back(std::move(r));
    auto ends = independentSeasonEnds();
    for (int year = 2009; year <= 2015; ++year) {
        std::vector<TeamRating> list =
            seasonRatingList(gamesOf(records).value(), year, std::nullopt);
        ASSERT_EQ(list.size(), 32u);
        // A few teams: Arizona, Cleveland, Miami, Pittsburgh and Tennessee.
        for (const TeamRating& line : list) {
            if (line.team.number() % 7 != 1)
                continue;
            EXPECT_NEAR(line.rating, ends[year][line.name], 1e-6) << year << " " << line.name;
        }
    }
}

std::string listDump(const std::vector<TeamRating>& list, size_t lines) {
    std::string dump;
    for (size_t k = 0; k < lines && k < list.size(); ++k) {
        const TeamRating& t = list[k];
        dump += t.name + " " + std::to_string(shownRating(t.rating)) + " " +
                std::to_string(t.wins) + "-" + std::to_string(t.losses) + "-" +
                std::to_string(t.ties) + "\n";
    }
    return dump;
}

// Atlanta beat Arizona 24-17 and Buffalo tied Baltimore 10-10 on
// 9/13/2009, Carolina won 30-3 at Chicago on 9/14/2009; the rematch of
// Arizona and Atlanta is not played yet.
const std::vector<GameRecord> kSmallTable = {
    record("Arizona Cardinals", "Atlanta Falcons", "9/13/2009", "17", "24", "2009"),
    record("Baltimore Ravens", "Buffalo Bills", "9/13/2009", "10", "10", "2009"),
    record("Carolina Panthers", "Chicago Bears", "9/14/2009", "30", "3", "2009"),
    record("Atlanta Falcons", "Arizona Cardinals", "9/20/2009", "", "", "2009"),
};

TEST(Ratings, AListCountsTheGamesBeforeTheDayBestFirstAndEqualsByTeam) {
    // Before 9/14 the Carolina game does not count. A tie costs the home
    // team, which was expected to win: Buffalo 1502.18, Baltimore 1507.82.
    // The teams without a game stay at 1505, in team order.
    EXPECT_EQ(
        listDump(seasonRatingList(gamesOf(kSmallTable).value(), 2009, test::dateOf("9/14/2009")),
                 4),
        "Atlanta Falcons 1521 1-0-0\n"
        "Baltimore Ravens 1508 0-0-1\n"
        "Carolina Panthers 1505 0-0-0\n"
        "Chicago Bears 1505 0-0-0\n");
    std::vector<TeamRating> all =
        seasonRatingList(gamesOf(kSmallTable).value(), 2009, std::nullopt);
    // Carolina won by 27 away as the underdog: 1545.69.
    EXPECT_EQ(listDump(all, 3), "Carolina Panthers 1546 1-0-0\n"
                                "Atlanta Falcons 1521 1-0-0\n"
                                "Baltimore Ravens 1508 0-0-1\n");
    EXPECT_EQ(listDump({all.end() - 2, all.end()}, 2), "Arizona Cardinals 1489 0-1-0\n"
                                                       "Chicago Bears 1464 0-1-0\n");
}

// The command lists the season asked for, else the pool's, up to the pool's day.
TEST(RatingsCommand, PrintsTheListOfTheSeasonAskedFor) {
    test::PoolFixture fixture;
    std::vector<GameRecord> records = kSmallTable;
    records.push_back(record("Arizona Cardinals", "Atlanta Falcons", "9/12/2010", "", "", "2010"));
    test::storeRecords(fixture.pool, records);
    struct Case {
        std::vector<std::string> args;
        const char* best; // the line after the header
    };
    // 2010 starts a third of the way back to 1505.
    for (const Case& c : {Case{{"ratings"}, "Carolina Panthers,1532,0,0,0"},
                          Case{{"ratings", "--season", "2009"}, "Carolina Panthers,1546,1,0,0"},
                          Case{{"--reference-date", "9/14/2009", "ratings", "--season=2009"},
                               "Atlanta Falcons,1521,1,0,0"}}) {
        test::CommandRun run = test::runGridslateIn(fixture.home.path(), c.args);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_THAT(run.out,
                    testing::StartsWith(std::string("Team,Rating,Wins,Losses,Ties\n") + c.best));
    }
}

// ------------------------------------------------------------ the rating player

constexpr int kBuffalo = 4;

void scoreRows(std::vector<Game>& games, int end) {
    for (int r = 0; r < end; ++r) {
        games[r].visitorScore = Score::parse("10");
        games[r].homeScore = Score::parse("20");
    }
}

// "week: teams picked" for weeks 1..3, then the margins of the ten games.
std::string projected(const RatingProjection& projection) {
    std::string text;
    for (int w = 1; w <= 3; ++w) {
        text += std::to_string(w) + ":";
        for (int t = 1; t <= kTeamCount; ++t)
            text += projection.picks[w][t] == 1 ? " " + std::to_string(t) : "";
        text += "; ";
    }
    for (int r = 0; r < 10; ++r)
        text += std::to_string(projection.margins[r]) + " ";
    return text;
}

TEST(RatingPicks, TheBetterChanceIsPickedForTheComingWeekAndKept) {
    std::vector<Game> games = test::miniSeason().games;
    TeamRatings ratings = startingRatings();
    // Arizona away at Atlanta: D = 1505 - 1700 + 65 = -130, the visitor by 5.2.
    ratings[kArizona] = 1700;
    // Baltimore at Buffalo: D = 0, an even game: the home team, by at least 1.
    ratings[kBuffalo] = 1440;
    // Cincinnati at Carolina, Chicago at Cleveland: D = 65, the home team by 2.6.
    RatingPlayerState state{true, 2010, ratings, {}};
    RatingProjection& projection = state.projection;
    projectRatingPicks(projection, Season{games, 0, {}}, ratings);
    EXPECT_EQ(projected(projection), "1: 1 4 5 8; 2:; 3:; 5 1 3 3 0 0 0 0 0 0 ");
    // The favourite's chance as the week began (0.6788, 0.5 and 0.5925) and
    // the kept margin; week 2 is not projected yet.
    FavouriteTexts week1(state, games, 1, 0);
    EXPECT_EQ(week1.textOf(0) + "|" + week1.textOf(1) + "|" + week1.textOf(2) + "|" +
                  week1.textOf(3) + "|" + week1.textOf(4),
              "AZ 68 % by 5|BUF 50 % by 1|CAR 59 % by 3|CLE 59 % by 3|");

    // Week 1 played, home teams winning: week 1 keeps its picks and
    // margins, week 2 is picked from the ratings after week 1. Picked late,
    // with every game played, each week still comes from the ratings as it
    // began: the file is the same whenever the player joined.
    for (int scored : {4, 8, 10}) {
        scoreRows(games, scored);
        projectRatingPicks(projection, Season{games, 0, {}}, ratings);
    }
    EXPECT_EQ(projected(projection), "1: 1 4 5 8; 2: 1 3 6 7; 3: 1 6; 5 1 3 3 8 3 1 1 4 5 ");
    RatingProjection late;
    projectRatingPicks(late, Season{games, 0, {}}, ratings);
    EXPECT_EQ(projected(late), projected(projection));
}

TEST(RatingPicks, GamesPastTheLastWeekArePickedInTheLastWeek) {
    // Weeks 1 and 2 played; the coming games of week 3 belong to a season
    // of two weeks, so they are the last week's.
    std::vector<Game> games = test::miniSeason().games;
    scoreRows(games, 8);
    RatingProjection projection;
    projectRatingPicks(projection, Season{games, 8, SeasonShape{2, 256}}, startingRatings());
    std::string text = projected(projection);
    EXPECT_EQ(text.find("2:;"), std::string::npos) << text;
    EXPECT_NE(text.find("3:;"), std::string::npos) << text;
}

class RatingPlayerFile : public testing::Test {
protected:
    RatingPlayerFile() {
        pool.setSeasonYear(2010);
        test::addUser(pool, 1, "admin", 1);
        test::addUser(pool, 2, "PC");
        test::addUser(pool, 3, "ELO");
        test::editUser(pool, 3, [](UserSlot& elo) { elo.flag = true; });
    }
    fs::path eloPath() const { return pool.folders().program / "ELO2010.dat"; }

    RatingPlayerState update() {
        Season season = test::miniSeason();
        std::vector<std::string> errors, warnings;
        RatingPlayerState state = updateRatingPlayer(pool, season.games, season, errors, warnings);
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
    std::vector<std::string> lines = {weekLine({2, 4, 5, 8})};
    lines.resize(kWeeks, weekLine());
    lines.resize(kWeeks + 4, "3");
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

} // namespace
} // namespace gs
