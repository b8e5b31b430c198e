#include "userstatistics.h"

#include "core/poollock.h"
#include "core/userlist.h"
#include "results/weekwinners.h"
#include "schedule/pickfiles.h"
#include "stats/projection.h"
#include "stats/ratingplayer.h"

#include <algorithm>
#include <array>

namespace gs {

namespace {

struct ColumnLayout {
    int width; // twips
    Align align;
};

// In the order of kWeekHeaders and kStandingHeaders.
constexpr ColumnLayout kWeekColumns[kWeekHeaders.size()] = {
    {600, Align::Center}, // Week
    {550, Align::Center}, // Total
    {780, Align::Center}, // % Week
    {650, Align::Center}, // Correct
    {550, Align::Center}, // Picks
    {820, Align::Center}, // % Overall
};

constexpr ColumnLayout kTotalsColumns[kStandingHeaders.size()] = {
    {1250, Align::Left},  // User
    {650, Align::Center}, // Correct
    {600, Align::Center}, // Picks
    {800, Align::Center}, // % Correct
};

constexpr ColumnLayout kPointsTotalsColumns[kPointsStandingHeaders.size()] = {
    {1250, Align::Left},  // User
    {650, Align::Center}, // Points
    {650, Align::Center}, // Correct
    {600, Align::Center}, // Picks
    {800, Align::Center}, // % Correct
};

constexpr int kWeeksWonWidth = 900;

constexpr int kTotalsRowHeight = 300; // twips
constexpr int kTotalsMaxHeight = 4575;

template <size_t N>
void resetGrid(GridModel& grid, const std::array<const char*, N>& headers,
               const ColumnLayout (&columns)[N]) {
    grid.reset(1, static_cast<int>(N), 1, 0);
    for (int c = 0; c < static_cast<int>(N); ++c) {
        grid.setColumnWidth(c, columns[c].width);
        grid.setColumnAlign(c, columns[c].align);
        grid.setText(0, c, headers[static_cast<size_t>(c)]);
    }
}

template <size_t N> void appendRow(GridModel& grid, const std::array<std::string, N>& cells) {
    grid.addRow();
    int r = grid.rows() - 1;
    for (int c = 0; c < static_cast<int>(N); ++c)
        grid.setText(r, c, cells[static_cast<size_t>(c)]);
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

std::vector<Standing> activeStandings(const Pool& pool, const Season& season) {
    const PoolRule rule = poolRule(pool.folders());
    const bool confidence = rule == PoolRule::Confidence;
    std::vector<PlayerPickTable> players;
    for (const std::string& player : pool.poolOrder())
        players.push_back(
            {player, picksForView(pool, player),
             confidence ? std::optional(scoringExtras(pool, season, rule, player)) : std::nullopt});
    return rankStandings(season.games, scoringRange(season.games), players, confidence);
}

void UserStatisticsPanel::fillPlayerLists() {
    ListModel names;
    for (int k = 1; k <= kUserSlots; ++k) {
        const UserSlot& slot = m_pool.users()[k];
        if (slot.active == 1 && !slot.name.empty())
            names.entries.push_back(slot.name);
    }
    m_model.leftPlayers = names;
    m_model.rightPlayers = names;
    m_model.leftPlayers.selected = selectName(names, m_pool.currentUser());
    m_model.rightPlayers.selected = selectName(names, kComputerPlayer);
}

void UserStatisticsPanel::showWeeks(GridModel& grid, std::vector<WeekStanding>& shown,
                                    const PickTable& picks) {
    resetGrid(grid, kWeekHeaders, kWeekColumns);
    shown = scorePicks(m_season, picks).weeks;
    for (const WeekStanding& week : shown)
        appendRow(grid, weekCells(week));
}

UserStatistics computeUserStatistics(Pool& pool) {
    UserStatistics statistics;
    std::vector<std::string>& errors = statistics.errors;
    // The computer players' files written below follow the table read here.
    Result<PoolLock> lock = lockPoolFiles(pool);
    if (!lock) {
        errors.push_back(lock.error().message);
        return statistics;
    }
    statistics.season = seasonForView(pool, errors);
    if (Result<UserListLoad> load = reloadUserList(pool); !load)
        errors.push_back(load.error().message);
    refreshPoolOrder(pool);
    statistics.ownPicks = ownPicksForView(pool, errors);

    // The computer players' picks are brought up to date before they are
    // compared with anybody's.
    Projection projection = projectTeams(pool, statistics.season);
    if (Result<ComputerPicksSaved> saved = saveComputerPicks(pool, projection); !saved)
        errors.push_back(saved.error().message);
    else
        statistics.notice = saved->notice;
    updateRatingPlayer(pool, statistics.season, errors, statistics.warnings);
    statistics.computerPicks = projection.picks;

    // The logged-in user's pick file may have brought his own pool order.
    refreshPoolOrder(pool);
    statistics.standings = activeStandings(pool, statistics.season);
    statistics.rule = poolRule(pool.folders());
    return statistics;
}

void tellStatisticsProblems(const UserStatistics& statistics, Dialogs& dialogs) {
    for (const std::string& error : statistics.errors)
        dialogs.refuse(error);
    if (!statistics.notice.empty())
        dialogs.message(MessageKind::Warning, statistics.notice, kProgramTitle);
    for (const std::string& warning : statistics.warnings)
        dialogs.message(MessageKind::Warning, warning, kProgramTitle);
}

GridModel standingsGrid(const std::vector<Standing>& standings, PoolRule rule) {
    GridModel grid;
    if (rule == PoolRule::Confidence) {
        resetGrid(grid, kPointsStandingHeaders, kPointsTotalsColumns);
        for (const Standing& standing : standings)
            appendRow(grid, pointsStandingCells(standing));
        return grid;
    }
    resetGrid(grid, kStandingHeaders, kTotalsColumns);
    for (const Standing& standing : standings)
        appendRow(grid, standingCells(standing));
    return grid;
}

void UserStatisticsPanel::showTotals(const std::vector<Standing>& standings, PoolRule rule) {
    int players = static_cast<int>(m_pool.poolOrder().size());
    m_model.totalsHeight = std::min((players + 1) * kTotalsRowHeight, kTotalsMaxHeight);
    m_standings = standings;
    // The season's figures, then the weeks each player won.
    const GridModel figures = standingsGrid(m_standings, rule);
    const std::map<std::string, int> won = weeksWon(seasonWeekWinners(m_pool, m_season));
    const int column = figures.cols();
    GridModel& grid = m_model.totalsGrid;
    grid.reset(figures.rows(), column + 1);
    for (int c = 0; c < column; ++c) {
        grid.setColumnWidth(c, figures.columnWidth(c));
        grid.setColumnAlign(c, figures.columnAlign(c));
        for (int r = 0; r < figures.rows(); ++r)
            grid.cell(r, c) = figures.cell(r, c);
    }
    grid.setColumnWidth(column, kWeeksWonWidth);
    grid.setColumnAlign(column, Align::Center);
    grid.setText(0, column, kWeeksWonHeader);
    for (int r = 1; r < grid.rows(); ++r) {
        auto found = won.find(m_standings[static_cast<size_t>(r) - 1].player);
        grid.setText(r, column, std::to_string(found == won.end() ? 0 : found->second));
    }
}

void UserStatisticsPanel::open() {
    m_model.visible = true;
    m_model.heading.visible = true;
    m_model.totalsCaption.visible = true;
    UserStatistics statistics = computeUserStatistics(m_pool);
    m_season = std::move(statistics.season);
    m_model.seasonWeeks = m_season.shape.weeks;

    fillPlayerLists();
    m_model.totalsCaption.caption = kStandingsCaption;

    m_model.rightPlayer = kComputerPlayer;
    showWeeks(m_model.rightGrid, m_model.rightWeeks, statistics.computerPicks);
    m_model.leftPlayer = m_pool.currentUser();
    showWeeks(m_model.leftGrid, m_model.leftWeeks, statistics.ownPicks);

    showTotals(statistics.standings, statistics.rule);
    tellStatisticsProblems(statistics, m_dialogs);
}

void UserStatisticsPanel::choosePlayer(ListModel& list, std::string& player, GridModel& grid,
                                       std::vector<WeekStanding>& shown, int index) {
    if (index < 0 || index >= static_cast<int>(list.entries.size()))
        return;
    list.selected = index;
    player = list.entries[static_cast<size_t>(index)];
    showWeeks(grid, shown, picksForView(m_pool, player));
}

void UserStatisticsPanel::chooseLeftPlayer(int index) {
    choosePlayer(m_model.leftPlayers, m_model.leftPlayer, m_model.leftGrid, m_model.leftWeeks,
                 index);
}

void UserStatisticsPanel::chooseRightPlayer(int index) {
    choosePlayer(m_model.rightPlayers, m_model.rightPlayer, m_model.rightGrid, m_model.rightWeeks,
                 index);
}

} // namespace gs
