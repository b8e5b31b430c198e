#pragma once

// The "All-User Pick Results" board: every game of the season with its
// scores and one column per active player. Other players' picks are shown
// only for games before the pool's current day; the logged-in user sees all
// of his own and can change the picks of games still open from his column.
// A correct pick is bold on green, a wrong one on red; the last row counts
// each player's correct picks of the games he can be judged on.

#include "core/dialogs.h"
#include "core/grid.h"
#include "core/pool.h"
#include "core/poolrules.h"
#include "core/season.h"
#include "schedule/gametable.h"
#include "schedule/pickextras.h"

#include <functional>
#include <vector>

namespace gs {

// The columns before the players' ones.
inline constexpr int kResultsFixedColumns = kGameColumns;

// The caption of the board's last row: each player's correct picks of the
// games judged so far.
inline constexpr const char* kTotalsCaption = "Correct picks";
// In a confidence pool the last row adds up the points of the correct picks.
inline constexpr const char* kPointsCaption = "Points";
// The board's last column names the winners of each decided week on the
// week's last row.
inline constexpr const char* kWeekWinnerHeader = "Week winner";

struct AllResultsModel {
    GridModel grid;
    ProgressModel progress;
    bool visible = false;
    // The row the board opens at: the first game of the current week.
    int openingRow = 1;
};

class AllResultsPanel {
public:
    AllResultsPanel(Pool& pool, Dialogs& dialogs) : m_pool(pool), m_dialogs(dialogs) {}

    // Told of every step while the board is built (once per game, then once
    // per game and player), so that a window can advance its progress bar.
    void setProgressReporter(std::function<void(const ProgressModel&)> reporter) {
        m_reportProgress = std::move(reporter);
    }

    // Opening: rebuilds the board from the games table and the pick files.
    void open();
    // A click on a cell (row 0 is the header). In the logged-in user's own
    // column, on a game that can still be picked, the game's pick goes from
    // none to the visiting team, to the home team, to none, and is saved at
    // once. Any other click does nothing.
    void cyclePick(int row, int column);

    const AllResultsModel& model() const { return m_model; }
    // The logged-in user's column, or -1 when the user is not active.
    int ownColumn() const { return m_ownColumn; }

private:
    void setUpColumns();
    void fillGames();
    void fillPlayer(int column, const PickTable& picks, bool own);
    void markPick(int row, int column, const PickTable& picks, bool reveal);
    void addTotalsRow();
    void addWinnersColumn();
    void countCorrect(int column);
    int gameRows() const { return static_cast<int>(m_season.games.size()); }
    // The game of a grid row 1..gameRows().
    const Game& gameOf(int row) const { return m_season.games[static_cast<size_t>(row) - 1]; }
    bool canPick(int row) const;
    void advance();

    Pool& m_pool;
    Dialogs& m_dialogs;
    AllResultsModel m_model;
    std::function<void(const ProgressModel&)> m_reportProgress;
    Season m_season;
    std::vector<int> m_weeks; // the week of each grid row; row 0 (the header) unused
    PickTable m_ownPicks{};
    PoolRule m_rule = PoolRule::Winners;
    // The confidence values of each player's column, in a confidence pool.
    std::vector<ExtrasTable> m_values;
    // Each player column's picks, as read on opening.
    std::vector<PickTable> m_columnPicks;
    int m_ownColumn = -1;
    int m_currentWeek = 1;
    bool m_seasonOver = false;
};

} // namespace gs
