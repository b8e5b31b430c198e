#include "allresults.h"

#include "core/userlist.h"
#include "picks/weeklypicks.h"
#include "results/viewdata.h"
#include "results/weekwinners.h"
#include "schedule/calendar.h"
#include "schedule/gametable.h"
#include "schedule/pickfiles.h"
#include "stats/pickscoring.h"
#include "stats/seasonrefresh.h"

#include <algorithm>

namespace gs {

namespace {

struct ColumnLayout {
    int width; // twips; 0 keeps the grid's default
    Align align;
};

// Each column as wide as its longest text ("Wednesday", a winner's name in
// bold; only the longest of all, "Washington Football Team", is cut) and
// no wider, so that the games and six players' columns fit a window 1024
// pixels wide.
constexpr ColumnLayout kColumns[kResultsFixedColumns] = {
    {500, Align::Center},  // week
    {1000, Align::Center}, // date
    {1000, Align::Center}, // day
    {2100, Align::Left},   // visitor
    {350, Align::Center},  // visiting score
    {2100, Align::Left},   // home
    {350, Align::Center},  // home score
};

// A player's column fits his name, and at least a total like "123/256".
constexpr int kTwipsPerCharacter = 90;
constexpr int kColumnPaddingTwips = 150;
constexpr size_t kShortestColumnCharacters = 7;
constexpr int kWinnerColumnWidth = 1800;

int playerColumnWidth(const std::string& name) {
    size_t characters = std::max(name.size(), kShortestColumnCharacters);
    return kTwipsPerCharacter * static_cast<int>(characters) + kColumnPaddingTwips;
}

} // namespace

void AllResultsPanel::advance() {
    ++m_model.progress.value;
    if (m_reportProgress)
        m_reportProgress(m_model.progress);
}

void AllResultsPanel::setUpColumns() {
    GridModel& g = m_model.grid;
    const std::vector<std::string>& players = m_pool.poolOrder();
    int columns = kResultsFixedColumns + static_cast<int>(players.size()) + 1;
    g.reset(1, columns, 1, kResultsFixedColumns);
    for (int c = 0; c < kResultsFixedColumns; ++c) {
        g.setColumnWidth(c, kColumns[c].width);
        g.setColumnAlign(c, kColumns[c].align);
        g.setText(0, c, kGameHeaders[static_cast<size_t>(c)]);
    }
    for (size_t j = 0; j < players.size(); ++j) {
        int c = kResultsFixedColumns + static_cast<int>(j);
        g.setColumnWidth(c, playerColumnWidth(players[j]));
        g.setColumnAlign(c, Align::Center);
        g.setText(0, c, players[j]);
    }
    g.setColumnWidth(columns - 1, kWinnerColumnWidth);
    g.setColumnAlign(columns - 1, Align::Left);
    g.setText(0, columns - 1, kWeekWinnerHeader);
}

// The winners of each decided week on its last row in the table's order.
void AllResultsPanel::addWinnersColumn() {
    GridModel& g = m_model.grid;
    const int column = g.cols() - 1;
    std::vector<WinnerEntry> entries;
    const std::vector<std::string>& players = m_pool.poolOrder();
    for (size_t j = 0; j < players.size(); ++j)
        entries.push_back(
            {players[j], isComputerPlayer(players[j]), m_columnPicks[j],
             m_rule == PoolRule::Confidence ? m_values[j] : extrasForView(m_pool, players[j])});
    const std::vector<int> weeks = gameWeeks(m_season);
    for (const WeekWinners& week : rankWeeklyWinners(m_season.games, weeks, m_rule, entries)) {
        // Like the picks, the winner shows once every game of the week is
        // before the pool's day: scores may be entered ahead of it.
        int lastRow = 0;
        bool shown = true;
        for (size_t r = 0; r < weeks.size(); ++r)
            if (weeks[r] == week.week) {
                lastRow = static_cast<int>(r) + 1;
                shown = shown && m_season.games[r].playedBefore(m_pool.referenceDate());
            }
        if (!shown)
            continue;
        std::string names;
        for (const std::string& name : week.winners)
            names += (names.empty() ? "" : "; ") + name;
        GridCell& cell = g.cell(lastRow, column);
        cell.text = names + " (" + std::to_string(week.score) + ")";
        cell.bold = true;
    }
}

void AllResultsPanel::fillGames() {
    GridModel& g = m_model.grid;
    m_weeks.assign(1, 0);
    WeekTracker tracker;
    int week = 1;
    for (const Game& game : m_season.games) {
        g.addRow();
        int r = g.rows() - 1;
        if (tracker.isBoundary(game))
            week = std::min(week + 1, m_season.shape.weeks);
        m_weeks.push_back(week);
        g.setText(r, kDateColumn, game.dateText());
        g.setText(r, kDayColumn, game.dayName());
        g.setText(r, kVisitorColumn, game.visitorName());
        g.setText(r, kVisitorScoreColumn, game.visitorScore ? game.visitorScore->text() : "");
        g.setText(r, kHomeColumn, game.homeName());
        g.setText(r, kHomeScoreColumn, game.homeScore ? game.homeScore->text() : "");
        if (game.winner()) {
            bool visitorWon = game.visitorPoints() > game.homePoints();
            GridCell& winner = g.cell(r, visitorWon ? kVisitorColumn : kHomeColumn);
            winner.bold = true;
            winner.textColor = kGreen;
        }
        advance();
    }
}

// One player's cell of one game, once the pick may be seen: green when the
// player picked the winner, red when he picked the loser, and the picked
// team's abbreviation.
void AllResultsPanel::markPick(int row, int column, const PickTable& picks, bool reveal) {
    GridCell& cell = m_model.grid.cell(row, column);
    cell.text.clear();
    cell.background.reset();
    cell.bold = false;
    const Game& game = gameOf(row);
    // Scores may come in before the pool's day: the colour would tell the
    // pick as well as the name. Strictly before: on the day itself the picks
    // stay hidden.
    if (!reveal && !game.playedBefore(m_pool.referenceDate()))
        return;
    const auto& chosen = picks[m_weeks[static_cast<size_t>(row)]];
    if (std::optional<Team> winner = game.winner(); game.entered() && winner) {
        // Not by colour alone: a correct pick is bold as well.
        if (chosen[winner->number()] == 1) {
            cell.background = kGreenCell;
            cell.bold = true;
        } else if (chosen[game.loser()->number()] == 1) {
            cell.background = kRedCell;
        }
    }
    if (chosen[game.visitor.number()] == 1)
        cell.text = game.visitor.abbreviation(m_season.year);
    else if (chosen[game.home.number()] == 1)
        cell.text = game.home.abbreviation(m_season.year);
}

void AllResultsPanel::fillPlayer(int column, const PickTable& picks, bool own) {
    GridModel& g = m_model.grid;
    for (int r = 1; r <= gameRows(); ++r) {
        g.setText(r, kWeekColumn, std::to_string(m_weeks[static_cast<size_t>(r)]));
        markPick(r, column, picks, own);
        advance();
    }
}

void AllResultsPanel::open() {
    m_model.visible = true;
    std::vector<std::string> errors;
    m_season = seasonForView(m_pool, errors);
    // The same week and season end as the weekly picks, for the rule of
    // which games can still be picked.
    m_currentWeek = currentWeekFromScores(m_season.games);
    if (m_season.scoredGameCount == 0)
        m_currentWeek = 1;
    m_seasonOver = m_currentWeek > m_season.shape.weeks;

    refreshPoolOrder(m_pool);
    m_ownPicks = ownPicksForView(m_pool, errors);
    m_rule = poolRule(m_pool.folders());
    m_values.clear();
    if (m_rule == PoolRule::Confidence)
        for (const std::string& player : m_pool.poolOrder())
            m_values.push_back(scoringExtras(m_pool, m_season, m_rule, player));

    const std::vector<std::string>& players = m_pool.poolOrder();
    int games = static_cast<int>(m_season.games.size());
    m_model.progress = {.visible = true,
                        .minimum = 0,
                        .maximum = games + games * static_cast<int>(players.size()),
                        .value = 0};
    setUpColumns();
    fillGames();

    m_ownColumn = -1;
    m_columnPicks.clear();
    for (size_t j = 0; j < players.size(); ++j) {
        int column = kResultsFixedColumns + static_cast<int>(j);
        bool own = players[j] == m_pool.currentUser() && m_ownColumn < 0;
        m_columnPicks.push_back(own ? m_ownPicks : picksForView(m_pool, players[j]));
        if (own)
            m_ownColumn = column;
        fillPlayer(column, m_columnPicks.back(), own);
    }
    addTotalsRow();
    addWinnersColumn();
    m_model.openingRow = 1;
    for (int r = 1; r <= gameRows(); ++r)
        if (m_weeks[static_cast<size_t>(r)] >= std::min(m_currentWeek, kWeeks)) {
            m_model.openingRow = r;
            break;
        }
    m_model.progress.visible = false;
    for (const std::string& error : errors)
        m_dialogs.refuse(error);
}

void AllResultsPanel::addTotalsRow() {
    GridModel& g = m_model.grid;
    g.addRow();
    m_weeks.push_back(0);
    int r = g.rows() - 1;
    // The totals stand apart from the picks as the game columns do.
    for (int c = kResultsFixedColumns; c < g.cols(); ++c)
        g.cell(r, c).background = kFixedCell;
    GridCell& caption = g.cell(r, kVisitorColumn);
    caption.text = m_rule == PoolRule::Confidence ? kPointsCaption : kTotalsCaption;
    caption.bold = true;
    for (int c = kResultsFixedColumns; c < g.cols() - 1; ++c)
        countCorrect(c);
}

// The total of a player's column: correct picks of the judged ones shown.
void AllResultsPanel::countCorrect(int column) {
    GridModel& g = m_model.grid;
    int correct = 0;
    int judged = 0;
    const size_t player = static_cast<size_t>(column - kResultsFixedColumns);
    for (int r = 1; r <= gameRows(); ++r) {
        const std::optional<Rgb>& mark = g.cell(r, column).background;
        if (mark == kGreenCell)
            correct += m_rule == PoolRule::Confidence && player < m_values.size()
                           ? m_values[player][static_cast<size_t>(m_weeks[static_cast<size_t>(r)])]
                                 .values[static_cast<size_t>(gameOf(r).visitor.number())]
                           : 1;
        if (mark == kGreenCell || mark == kRedCell)
            ++judged;
    }
    GridCell& total = g.cell(g.rows() - 1, column);
    if (judged == 0)
        total.text.clear();
    else if (m_rule == PoolRule::Confidence)
        total.text = std::to_string(correct);
    else
        total.text = std::to_string(correct) + "/" + std::to_string(judged);
    total.bold = judged > 0;
}

// The board changes only the picks the weekly grid could change.
bool AllResultsPanel::canPick(int row) const {
    if (row < 1 || row > gameRows())
        return false;
    return isPickOpen(gameOf(row), m_weeks[static_cast<size_t>(row)], m_currentWeek, m_seasonOver,
                      m_pool.moment());
}

void AllResultsPanel::cyclePick(int row, int column) {
    if (column != m_ownColumn || m_ownColumn < 0 || !canPick(row))
        return;
    int visitor = gameOf(row).visitor.number();
    int home = gameOf(row).home.number();
    PickTable picks = m_ownPicks;
    auto& week = picks[m_weeks[static_cast<size_t>(row)]];
    // None, then the visiting team, then the home team, then none again;
    // one picked team per game.
    if (week[visitor] == 1) {
        week[visitor] = 0;
        week[home] = 1;
    } else if (week[home] == 1) {
        week[home] = 0;
    } else {
        week[visitor] = 1;
    }
    Result<PickTable> saved = savePicksOver(m_pool, m_pool.currentUser(), picks, m_ownPicks);
    if (!saved) {
        // The board keeps showing what the file holds.
        m_dialogs.refuse(saved.error().message);
        return;
    }
    m_ownPicks = *saved;
    markPick(row, column, m_ownPicks, true);
    countCorrect(column);
}

} // namespace gs
