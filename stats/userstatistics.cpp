#include "userstatistics.h"

#include "core/text.h"
#include "core/userlist.h"
#include "schedule/calendar.h"
#include "schedule/pickfiles.h"
#include "schedule/seasongames.h"
#include "stats/projection.h"

#include <algorithm>

namespace gs {

namespace {

struct ColumnLayout {
    const char* header;
    int width; // twips
    Align align;
};

constexpr ColumnLayout kWeekColumns[] = {
    {"Week", 600, Align::Center},   {"Total", 550, Align::Center},
    {"% Week", 780, Align::Center}, {"Correct", 650, Align::Center},
    {"Picks", 550, Align::Center},  {"% Overall", 820, Align::Center},
};

constexpr ColumnLayout kTotalsColumns[] = {
    {"User", 1250, Align::Left},
    {"Correct", 650, Align::Center},
    {"Picks", 600, Align::Center},
    {"% Correct", 800, Align::Center},
};

constexpr int kTotalsRowHeight = 300; // twips
constexpr int kTotalsMaxHeight = 4575;

template <size_t N> void resetGrid(GridModel& grid, const ColumnLayout (&columns)[N]) {
    grid.reset(1, static_cast<int>(N), 1, 0);
    for (int c = 0; c < static_cast<int>(N); ++c) {
        grid.setColumnWidth(c, columns[c].width);
        grid.setColumnAlign(c, columns[c].align);
        grid.setText(0, c, columns[c].header);
    }
}

int countScored(const std::vector<SeasonGame>& games) {
    int count = 0;
    for (const SeasonGame& game : games)
        count += game.scored() ? 1 : 0;
    return std::min(count, kMaxSeasonGames);
}

// One game of week w into the count: picked when either team is picked,
// correct when the picked team won.
void countGame(const SeasonGame& game, const PickTable& picks, int week, PickCount& count) {
    if (!game.scored())
        return;
    int visitor = teamNumber(trimSpaces(game.visitor));
    int home = teamNumber(trimSpaces(game.home));
    if (visitor == 0 || home == 0)
        return;
    const auto& chosen = picks[week];
    if (chosen[visitor] != 1 && chosen[home] != 1)
        return;
    ++count.picked;
    double visitorScore = numericValue(game.visitorScore);
    double homeScore = numericValue(game.homeScore);
    int winner = visitorScore > homeScore ? visitor : homeScore > visitorScore ? home : 0;
    if (winner != 0 && chosen[winner] == 1)
        ++count.correct;
}

WeekStanding closeWeek(int week, const PickCount& count, double& overall,
                       const std::vector<WeekStanding>& closed) {
    WeekStanding standing;
    standing.week = week;
    standing.correct = count.correct;
    standing.picked = count.picked;
    if (count.picked > 0)
        overall = percentOf(count.correct, count.picked);
    standing.overall = overall;
    size_t previous = static_cast<size_t>(week) - 2;
    if (week == 1 || previous >= closed.size()) {
        standing.weekCorrect = count.correct;
        standing.weekPercent = overall;
    } else {
        int weekCorrect = count.correct - closed[previous].correct;
        int weekPicked = count.picked - closed[previous].picked;
        standing.weekCorrect = weekCorrect;
        standing.weekPercent = percentOf(weekCorrect, weekPicked);
    }
    return standing;
}

void appendWeekRow(GridModel& grid, const WeekStanding& s) {
    grid.addRow();
    int r = grid.rows() - 1;
    grid.setText(r, 0, std::to_string(s.week));
    grid.setText(r, 1, std::to_string(s.weekCorrect));
    grid.setText(r, 2, decimalText(s.weekPercent));
    grid.setText(r, 3, std::to_string(s.correct));
    grid.setText(r, 4, std::to_string(s.picked));
    grid.setText(r, 5, decimalText(s.overall));
}

// The first entry equal to the name stays selected; without one, the last.
int selectName(const ListModel& list, const std::string& name) {
    const auto& entries = list.entries;
    auto found = std::find(entries.begin(), entries.end(), name);
    if (found != entries.end())
        return static_cast<int>(found - entries.begin());
    return static_cast<int>(entries.size()) - 1;
}

} // namespace

double percentOf(int correct, int picked) {
    if (picked <= 0)
        return 0.0;
    // In ten-thousandths the rounding sees the exact quotient: both counts
    // are small, so a half stays a half.
    return roundHalfEven(1e6 * correct / picked) / 1e4;
}

std::string percentText(int correct, int picked) {
    return decimalText(percentOf(correct, picked));
}

PickRecord scorePicks(const Season& season, const PickTable& picks) {
    PickRecord record;
    PickCount count;
    double overall = 0;
    int week = 1;
    WeekTracker tracker;
    const std::vector<SeasonGame>& games = season.games;
    // One row past the scored ones: with scores entered in order it is the
    // first game of the next week, which closes the last scored week.
    int last = countScored(games);
    for (int r = 0; r <= last && r < static_cast<int>(games.size()); ++r) {
        const SeasonGame& game = games[static_cast<size_t>(r)];
        if (tracker.isBoundary(game.date)) {
            record.weeks.push_back(closeWeek(week, count, overall, record.weeks));
            week = std::min(week + 1, kWeeks);
        }
        countGame(game, picks, week, count);
    }
    record.season = count;
    return record;
}

PickTable picksForView(const Pool& pool, const std::string& player) {
    Result<PlayerPicks> loaded = loadPicks(pool, player);
    return loaded ? loaded->picks : PickTable{};
}

std::vector<Standing> activeStandings(const Pool& pool, const Season& season) {
    std::vector<Standing> standings;
    for (const std::string& player : pool.activePlayers.entries) {
        PickCount count = scorePicks(season, picksForView(pool, player)).season;
        standings.push_back({player, count, percentOf(count.correct, count.picked)});
    }
    std::stable_sort(standings.begin(), standings.end(),
                     [](const Standing& a, const Standing& b) { return a.percent > b.percent; });
    return standings;
}

void UserStatisticsPanel::fillPlayerLists() {
    ListModel names;
    for (int k = 1; k <= kUserSlots; ++k) {
        const UserSlot& slot = m_pool.users[k];
        if (slot.active == 1 && !slot.name.empty())
            names.entries.push_back(slot.name);
    }
    m_model.leftPlayers = names;
    m_model.rightPlayers = names;
    m_model.leftPlayers.selected = selectName(names, m_pool.currentUser);
    m_model.rightPlayers.selected = selectName(names, kComputerPlayer);
}

void UserStatisticsPanel::showWeeks(GridModel& grid, std::vector<WeekStanding>& shown,
                                    const PickTable& picks) {
    resetGrid(grid, kWeekColumns);
    shown = scorePicks(m_season, picks).weeks;
    for (const WeekStanding& week : shown)
        appendWeekRow(grid, week);
}

void UserStatisticsPanel::showTotals() {
    GridModel& grid = m_model.totalsGrid;
    resetGrid(grid, kTotalsColumns);
    int players = static_cast<int>(m_pool.activePlayers.entries.size());
    m_model.totalsHeight = std::min((players + 1) * kTotalsRowHeight, kTotalsMaxHeight);
    m_standings = activeStandings(m_pool, m_season);
    for (const Standing& s : m_standings) {
        grid.addRow();
        int r = grid.rows() - 1;
        grid.setText(r, 0, s.player);
        grid.setText(r, 1, std::to_string(s.count.correct));
        grid.setText(r, 2, std::to_string(s.count.picked));
        grid.setText(r, 3, decimalText(s.percent));
    }
}

void UserStatisticsPanel::open() {
    m_model.visible = true;
    m_model.heading.visible = true;
    m_model.totalsCaption.visible = true;
    std::vector<std::string> errors;
    if (Result<Season> season = rebuildSeasonGames(m_pool))
        m_season = std::move(*season);
    else {
        m_season = Season{};
        errors.push_back(season.error());
    }
    // The user list is read again for players added or removed since the
    // login; the season chosen for this run stays.
    std::string season = m_pool.seasonYear;
    if (Result<UserListLoad> load = loadUserList(m_pool); !load)
        errors.push_back(load.error());
    m_pool.seasonYear = season;
    fillUserLists(m_pool);
    PickTable ownPicks{};
    if (Result<PlayerPicks> own = loadPicks(m_pool, m_pool.currentUser)) {
        ownPicks = own->picks;
        m_pool.savedActivePlayers = own->activeOrder;
    } else {
        errors.push_back(own.error());
    }

    fillPlayerLists();
    m_model.totalsCaption.caption = kStandingsCaption;

    // The computer player's picks are brought up to date before they are
    // compared with anybody's.
    Projection projection = projectTeams(m_pool, m_season);
    std::string notice;
    if (Result<ComputerPicksSaved> saved = saveComputerPicks(m_pool, projection); !saved)
        errors.push_back(saved.error());
    else
        notice = saved->notice;

    m_model.rightPlayer = kComputerPlayer;
    showWeeks(m_model.rightGrid, m_model.rightWeeks, projection.picks);
    m_model.leftPlayer = m_pool.currentUser;
    showWeeks(m_model.leftGrid, m_model.leftWeeks, ownPicks);

    fillUserLists(m_pool);
    showTotals();
    for (const std::string& error : errors)
        m_dialogs.refuse(error);
    if (!notice.empty())
        m_dialogs.message(MessageKind::Warning, notice, kProgramTitle);
}

void UserStatisticsPanel::chooseLeftPlayer(int index) {
    ListModel& list = m_model.leftPlayers;
    if (index < 0 || index >= static_cast<int>(list.entries.size()))
        return;
    list.selected = index;
    m_model.leftPlayer = list.entries[static_cast<size_t>(index)];
    showWeeks(m_model.leftGrid, m_model.leftWeeks, picksForView(m_pool, m_model.leftPlayer));
}

void UserStatisticsPanel::chooseRightPlayer(int index) {
    ListModel& list = m_model.rightPlayers;
    if (index < 0 || index >= static_cast<int>(list.entries.size()))
        return;
    list.selected = index;
    m_model.rightPlayer = list.entries[static_cast<size_t>(index)];
    showWeeks(m_model.rightGrid, m_model.rightWeeks, picksForView(m_pool, m_model.rightPlayer));
}

} // namespace gs
