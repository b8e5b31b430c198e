#include "teamviews.h"

#include "core/text.h"
#include "results/viewdata.h"
#include "schedule/seasongames.h"
#include "stats/ratings.h"
#include "stats/teamrecords.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>

namespace gs {

namespace {

// The season's games; without them the views show last season's records.
Season loadSeason(const Pool& pool, Dialogs& dialogs) {
    std::vector<std::string> errors;
    Season season = seasonForView(pool, errors);
    for (const std::string& error : errors)
        dialogs.refuse(error);
    return season;
}

void showList(ListModel& list, std::vector<std::string> entries) {
    list.entries = std::move(entries);
    list.selected = -1;
}

} // namespace

void TeamDetail::showControls(bool visible) {
    TeamDetailModel& m = m_model;
    for (ControlModel* control :
         {&m.frame, &m.winsHeading, &m.lossesHeading, &m.tiesHeading, &m.pointsForHeading,
          &m.pointsAgainstHeading, &m.wins, &m.losses, &m.ties, &m.pointsFor, &m.pointsAgainst,
          &m.beatenHeading, &m.lostToHeading, &m.remainingHeading, &m.divisionHeading,
          &m.pickedHeading, &m.pickedCount, &m.timesCaption})
        control->visible = visible;
    m.gameBox.visible = false;
}

void TeamDetail::hide() {
    showControls(false);
    m_team.reset();
}

void TeamDetail::showTeam(Team team, const PickTable& picks) {
    TeamDetailModel& m = m_model;
    showControls(true);
    m_team = team;

    m_season = loadSeason(m_pool, m_dialogs);
    TeamRecordTable records = computeTeamRecords(m_pool, m_season);
    m_lists = teamGameLists(m_season, picks, team);
    const int year = m_season.year;
    auto names = [year](const std::vector<Team>& teams) {
        std::vector<std::string> entries;
        for (Team t : teams)
            entries.push_back(t.name(year));
        return entries;
    };
    showList(m.beaten, names(m_lists.beaten));
    showList(m.lostTo, names(m_lists.lostTo));
    std::vector<std::string> remaining;
    for (const Game& game : m_lists.remaining)
        remaining.push_back(game.visitor == team ? "@" + game.homeName() : game.visitorName());
    showList(m.remaining, std::move(remaining));
    showList(m.division, names(m_lists.division));

    const LeagueTable& teams = league();
    // Before the season's first score the records are last season's; a
    // season with scores is never "over" before its first one.
    m.frame.caption = team.name(m_pool.seasonYear());
    if (m_season.scoredGameCount == 0)
        m.frame.caption += kLastYearSuffix;
    const auto& record = records[static_cast<size_t>(team.number())];
    m.pointsFor.caption = decimalText(record.pointsFor);
    m.pointsAgainst.caption = decimalText(record.pointsAgainst);
    m.wins.caption = decimalText(record.wins);
    m.losses.caption = decimalText(record.losses);
    m.ties.caption = decimalText(record.ties);
    m.divisionHeading.caption =
        teams.divisionName[static_cast<size_t>(team.division())] + " Division";
    m.pickedCount.caption = std::to_string(m_lists.pickedCount);
    m.timesCaption.caption = m_lists.pickedCount == 1 ? "time" : "times";
}

void TeamDetail::showGameBox(const std::string& heading, const GameLine& first,
                             const GameLine& second) {
    TeamDetailModel& m = m_model;
    m.gameBox.visible = true;
    m.gameBox.caption = heading;
    m.firstDate = ControlModel{first.date, true};
    m.firstResult = ControlModel{first.result, true};
    // A second line only for a second meeting.
    bool secondShown = !second.date.empty() || !second.result.empty();
    m.secondDate = ControlModel{second.date, secondShown};
    m.secondResult = ControlModel{second.result, secondShown};
}

void TeamDetail::showMeetings(OpponentList list, int index) {
    TeamDetailModel& m = m_model;
    ListModel& clicked = list == OpponentList::Beaten ? m.beaten : m.lostTo;
    ListModel& other = list == OpponentList::Beaten ? m.lostTo : m.beaten;
    const std::vector<Team>& opponents =
        list == OpponentList::Beaten ? m_lists.beaten : m_lists.lostTo;
    if (!m_team || index < 0 || index >= static_cast<int>(opponents.size()))
        return;
    clicked.selected = index;
    other.selected = -1;
    HeadToHeadResult meetings =
        headToHead(m_season, *m_team, opponents[static_cast<size_t>(index)]);
    showGameBox(meetings.heading, {meetings.firstDate, meetings.firstResult},
                {meetings.secondDate, meetings.secondResult});
}

void TeamDetail::showRemainingGame(int index) {
    TeamDetailModel& m = m_model;
    if (!m_team || index < 0 || index >= static_cast<int>(m_lists.remaining.size()))
        return;
    const Game& remaining = m_lists.remaining[static_cast<size_t>(index)];
    if (std::optional<Game> game = findScheduledGame(m_season, remaining.visitor, remaining.home))
        showGameBox(game->visitorName() + " at " + game->homeName(),
                    {game->dayName(), game->dateText()}, {});
    else
        showGameBox({}, {}, {});
    m.beaten.selected = -1;
    m.lostTo.selected = -1;
    m.remaining.selected = -1;
}

std::vector<int> rankTeams(const TeamRecordTable& records) {
    struct Measure {
        bool nothingAllowed;
        double value; // points for when nothing was allowed, else the ratio
    };
    std::array<Measure, kTeamCount + 1> measures{};
    for (int t = 1; t <= kTeamCount; ++t) {
        double pointsFor = records[t].pointsFor;
        double pointsAgainst = records[t].pointsAgainst;
        bool nothingAllowed = pointsAgainst == 0;
        double value = nothingAllowed ? pointsFor : pointsFor / pointsAgainst;
        // Only damaged scores could make this undefined; such a team ranks as 0.
        measures[t] = {nothingAllowed, std::isnan(value) ? 0.0 : value};
    }
    std::vector<int> order(kTeamCount);
    std::iota(order.begin(), order.end(), 1);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const Measure& x = measures[a];
        const Measure& y = measures[b];
        if (x.nothingAllowed != y.nothingAllowed)
            return x.nothingAllowed;
        return x.value > y.value;
    });
    return order;
}

void TeamDetailPanel::readOwnPicks() {
    std::vector<std::string> errors;
    m_picks = ownPicksForView(m_pool, errors);
    for (const std::string& error : errors)
        m_dialogs.refuse(error);
}

void TeamStatisticsPanel::open() {
    m_model.visible = true;
    m_detail.hide();
    m_model.heading.visible = true;
    m_model.hint.visible = true;
    // In the alphabetical order of the season's own names: a team renamed
    // since stands where its name of that season sorts.
    const int season = m_pool.seasonYear();
    m_listTeams.clear();
    for (int t = 1; t <= kTeamCount; ++t)
        m_listTeams.push_back(*Team::ofNumber(t));
    std::stable_sort(m_listTeams.begin(), m_listTeams.end(),
                     [&](Team a, Team b) { return a.name(season) < b.name(season); });
    m_model.teams = ListModel{};
    for (Team team : m_listTeams)
        m_model.teams.entries.push_back(team.name(season));
    readOwnPicks();
}

void TeamStatisticsPanel::showTeam(int index) {
    if (index < 0 || index >= static_cast<int>(m_listTeams.size()))
        return;
    m_model.teams.selected = index;
    showTeamDetail(m_listTeams[static_cast<size_t>(index)]);
}

void TeamRankingPanel::open() {
    m_model.visible = true;
    m_detail.hide();
    GridModel& grid = m_model.ranking;
    grid.reset(kTeamCount + 1, 3, 1, 0);
    grid.setColumnWidth(0, kRankColumnTwips);
    grid.setColumnAlign(0, Align::Center);
    grid.setText(0, 0, "Rank");
    grid.setColumnWidth(1, kTeamColumnTwips);
    grid.setColumnAlign(1, Align::Left);
    grid.setText(0, 1, "Team");
    // The record beside the rank, written as the ratings write it.
    grid.setColumnWidth(2, kRecordColumnTwips);
    grid.setColumnAlign(2, Align::Center);
    grid.setText(0, 2, "Record");

    TeamRecordTable records = computeTeamRecords(m_pool, loadSeason(m_pool, m_dialogs));
    std::vector<int> order = rankTeams(records);
    m_rankedTeams.clear();
    for (int rank = 1; rank <= kTeamCount; ++rank) {
        int team = order[static_cast<size_t>(rank) - 1];
        m_rankedTeams.push_back(*Team::ofNumber(team));
        const auto& record = records[team];
        grid.setText(rank, 0, std::to_string(rank));
        grid.setText(rank, 1, teamName(team, m_pool.seasonYear()));
        grid.setText(rank, 2,
                     decimalText(record.wins) + "-" + decimalText(record.losses) + "-" +
                         decimalText(record.ties));
    }
    showRatings();
    readOwnPicks();
}

void TeamRankingPanel::showRatings() {
    GridModel& grid = m_model.ratings;
    m_model.ratingsHeading.visible = true;
    grid.reset(1, 3, 1, 0);
    const std::pair<const char*, int> columns[] = {
        {"Team", kTeamColumnTwips}, {"Rating", kRatingColumnTwips}, {"Record", kRecordColumnTwips}};
    for (int c = 0; c < 3; ++c) {
        grid.setText(0, c, columns[c].first);
        grid.setColumnWidth(c, columns[c].second);
        grid.setColumnAlign(c, c == 0 ? Align::Left : Align::Center);
    }
    m_ratingTeams.clear();
    Result<std::vector<Game>> games = readGames(m_pool);
    if (!games) {
        m_dialogs.refuse(games.error().message);
        return;
    }
    for (const TeamRating& team :
         seasonRatingList(*games, m_pool.seasonYear(), m_pool.referenceDate())) {
        grid.addRow();
        int r = grid.rows() - 1;
        grid.setText(r, 0, team.name);
        grid.setText(r, 1, std::to_string(shownRating(team.rating)));
        grid.setText(r, 2,
                     std::to_string(team.wins) + "-" + std::to_string(team.losses) + "-" +
                         std::to_string(team.ties));
        m_ratingTeams.push_back(team.team);
    }
}

void TeamRankingPanel::showTeamOfRatingRow(int row) {
    if (row < 1 || row > static_cast<int>(m_ratingTeams.size()))
        return;
    showTeamDetail(m_ratingTeams[static_cast<size_t>(row) - 1]);
}

void TeamRankingPanel::showTeamOfRow(int row) {
    if (row < 1 || row > static_cast<int>(m_rankedTeams.size()))
        return;
    showTeamDetail(m_rankedTeams[static_cast<size_t>(row) - 1]);
}

} // namespace gs
