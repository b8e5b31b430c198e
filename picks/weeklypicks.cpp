#include "weeklypicks.h"

#include "core/dialogs.h"
#include "core/state.h"
#include "core/text.h"
#include "schedule/calendar.h"
#include "schedule/pickfiles.h"
#include "schedule/seasongames.h"
#include "stats/projection.h"
#include "stats/teamrecords.h"

#include <algorithm>
#include <string>

namespace gs {

namespace {

enum Column { kVisitorColumn = 0, kHomeColumn = 1, kWinnerColumn = 2, kSpreadColumn = 3 };

struct ColumnLayout {
    const char* header;
    int width; // twips
    Align align;
};

constexpr ColumnLayout kColumns[] = {
    {"Visitor Team", 2350, Align::Left},
    {"Home Team", 2350, Align::Left},
    {"Projected Winner", 2350, Align::Center},
    {"Projected Spread", 1600, Align::Center},
};
constexpr int kColumnCount = static_cast<int>(std::size(kColumns));

enum class Side { Visitor, Home, None };

GridModel& grid() {
    return State.Window.MSFlexGrid1;
}

bool validWeek(int week) {
    return week >= 1 && week <= kWeeks;
}

// The grid back to its header row alone, with its column layout.
void resetGrid() {
    GridModel& g = grid();
    g.reset(1, kColumnCount, 1, 0);
    for (int c = 0; c < kColumnCount; ++c) {
        g.setColumnWidth(c, kColumns[c].width);
        g.setColumnAlign(c, kColumns[c].align);
        g.setText(0, c, kColumns[c].header);
    }
    State.Window.MSFlexGrid1Games.assign(1, -1);
}

// The SeasonGames row shown in a grid row, or -1 (the header, or no row).
int gameOfRow(int row) {
    const auto& games = State.Window.MSFlexGrid1Games;
    if (row < 1 || row >= static_cast<int>(games.size()) || row >= grid().rows())
        return -1;
    int game = games[static_cast<size_t>(row)];
    return game >= 0 && game < static_cast<int>(State.SeasonGames.size()) ? game : -1;
}

Side winner(const SeasonGame& game) {
    double visitor = numericValue(game.visitorScore);
    double home = numericValue(game.homeScore);
    if (visitor > home)
        return Side::Visitor;
    if (home > visitor)
        return Side::Home;
    return Side::None;
}

// One team cell from the pick of its team in the displayed week: picked cells
// are bold and coloured by the result, the rest plain.
void markTeamCell(int row, int col) {
    GridCell& cell = grid().cell(row, col);
    cell.bold = false;
    cell.textColor.reset();
    int game = gameOfRow(row);
    int team = teamNumber(cell.text);
    if (game < 0 || team == 0 || !validWeek(State.DisplayedWeek))
        return;
    if (State.PicksTable[State.DisplayedWeek][team] != 1)
        return;
    const SeasonGame& played = State.SeasonGames[static_cast<size_t>(game)];
    Side side = col == kVisitorColumn ? Side::Visitor : Side::Home;
    cell.bold = true;
    if (played.visitorScore.empty() && played.homeScore.empty())
        cell.textColor = kBlack;
    else
        cell.textColor = winner(played) == side ? kGreen : kRed;
}

std::string projectedWinner(const SeasonGame& game, int visitor, int home) {
    if (!validWeek(State.DisplayedWeek))
        return {};
    const auto& projected = State.ProjectedPicks[State.DisplayedWeek];
    if (home && projected[home] == 1)
        return game.home;
    if (visitor && projected[visitor] == 1)
        return game.visitor;
    return {};
}

// The week of the first game without a score, counting only whole weeks of
// scored games before it; ScoredGameCount becomes the number of scored games
// ahead of that game.
int currentWeekFromScores() {
    State.ScoredGameCount = 0;
    int boundaries = 0;
    int scoredInWeek = 0;
    WeekTracker tracker;
    for (const SeasonGame& game : State.SeasonGames) {
        bool boundary = tracker.isBoundary(game.date);
        bool scored = game.scored();
        if (scored)
            ++State.ScoredGameCount;
        if (boundary) {
            if (scored)
                ++boundaries;
            scoredInWeek = 0;
        }
        if (!scored)
            break;
        ++scoredInWeek;
    }
    if (scoredInWeek == 0)
        ++boundaries;
    return boundaries + 1;
}

void loadLastSeason() {
    loadLastSeasonRecords(seasonYearNumber() - 1);
}

void showLabels(const WeekRows& rows) {
    MainWindowModel& w = State.Window;
    w.Label3.caption = std::to_string(State.DisplayedWeek);
    w.Label4.caption = rows.found() ? State.SeasonGames[static_cast<size_t>(rows.first)].date : "";
    w.Label13.caption = rows.found() ? State.SeasonGames[static_cast<size_t>(rows.last)].date : "";
}

void showDisplayedWeek() {
    WeekRows rows = findWeekRows(State.DisplayedWeek);
    FillPicksGrid(rows.first, rows.last);
    showLabels(rows);
}

void showPanelControls() {
    MainWindowModel& w = State.Window;
    w.panel = Panel::WeeklyPicks;
    for (ControlModel* control : {&w.Label2, &w.Label3, &w.Command1, &w.Command2, &w.Label4,
                                  &w.Label13, &w.Label14, &w.Command3})
        control->visible = true;
    w.Command1.enabled = false;
    w.Command2.enabled = true;
    w.Command3.caption = "Save Picks";
    w.Command3.enabled = false;
}

// Ends the season on its last week; its records become the old-scores file
// the next season starts from. True when that file was written.
bool endSeason() {
    State.DisplayedWeek = kWeeks;
    State.CurrentWeek = kWeeks;
    State.SeasonOver = true;
    return WriteOldScores();
}

void announceSeasonEnd(bool scoresSaved) {
    // A failed write has already been reported; do not claim it succeeded.
    dialogs().message(scoresSaved ? "Season is over.  Scores have been saved." : "Season is over.",
                      "Season Over");
    State.Window.Command3.enabled = false;
}

} // namespace

void mnuItemThisWeek_Click() {
    HideAllPanels();
    showPanelControls();
    State.PicksSaved = true;
    // Worked out afresh below: a season chosen since the last opening may
    // still be running.
    State.SeasonOver = false;

    RebuildSeasonGames();
    LoadPicks(State.CurrentUser);
    resetGrid();

    State.CurrentWeek = currentWeekFromScores();
    ComputeTeamRecords();
    if (State.ScoredGameCount == 0) {
        State.CurrentWeek = 1;
        State.Window.Command1.enabled = false;
        State.Window.Command2.enabled = false;
        loadLastSeason();
    }

    State.DisplayedWeek = State.CurrentWeek;
    ProjectTeams();
    bool scoresSaved = false;
    if (State.DisplayedWeek > kWeeks) {
        scoresSaved = endSeason();
    }

    showDisplayedWeek();
    if (!State.SeasonOver)
        return;
    announceSeasonEnd(scoresSaved);
    showDisplayedWeek();
}

void FillPicksGrid(int first, int last) {
    resetGrid();
    GridModel& g = grid();
    auto& rowGames = State.Window.MSFlexGrid1Games;
    int end = std::min({last, static_cast<int>(State.SeasonGames.size()) - 1, kMaxSeasonGames});
    for (int game = std::max(first, 0); first >= 0 && game <= end; ++game) {
        if (g.rows() > kMaxSeasonGames)
            break;
        const SeasonGame& row = State.SeasonGames[static_cast<size_t>(game)];
        int visitor = teamNumber(TrimSpaces(row.visitor));
        int home = teamNumber(TrimSpaces(row.home));
        g.addRow();
        int r = g.rows() - 1;
        rowGames.push_back(game);
        g.setText(r, kVisitorColumn, row.visitor);
        g.setText(r, kHomeColumn, row.home);
        g.setText(r, kWinnerColumn, projectedWinner(row, visitor, home));
        g.setText(r, kSpreadColumn, std::to_string(State.SpreadTable[static_cast<size_t>(game)]));
    }
    ColourPicks();
}

void ColourPicks() {
    for (int r = 1; r < grid().rows(); ++r) {
        markTeamCell(r, kVisitorColumn);
        markTeamCell(r, kHomeColumn);
    }
}

void Command1_Click() {
    MainWindowModel& w = State.Window;
    State.DisplayedWeek = std::min({State.DisplayedWeek + 1, State.CurrentWeek, kWeeks});
    if (State.DisplayedWeek == State.CurrentWeek) {
        w.Command3.caption = "Save Picks";
        w.Command3.enabled = !State.SeasonOver && !State.PicksSaved;
    } else {
        w.Command3.enabled = false;
    }
    w.Command1.enabled = State.DisplayedWeek != kWeeks && State.DisplayedWeek != State.CurrentWeek;
    w.Command2.enabled = true;
    showDisplayedWeek();
}

void Command2_Click() {
    MainWindowModel& w = State.Window;
    State.DisplayedWeek = std::max(State.DisplayedWeek - 1, 1);
    w.Command3.caption = "Save Picks";
    w.Command3.enabled = false;
    if (State.DisplayedWeek == 1)
        w.Command2.enabled = false;
    if (State.DisplayedWeek < kWeeks)
        w.Command1.enabled = true;
    WeekRows rows = findWeekRows(State.DisplayedWeek);
    if (rows.first == 0)
        loadLastSeason();
    FillPicksGrid(rows.first, rows.last);
    showLabels(rows);
}

void MSFlexGrid1_Click(int row, int col) {
    State.PicksSaved = false;
    int game = gameOfRow(row);
    if (game < 0)
        return;
    // A game is locked from its own day on.
    if (onOrBeforeReference(State.SeasonGames[static_cast<size_t>(game)].date))
        return;
    if (State.SeasonOver || State.DisplayedWeek != State.CurrentWeek ||
        !validWeek(State.DisplayedWeek))
        return;
    if (col != kVisitorColumn && col != kHomeColumn)
        return;
    int team = teamNumber(grid().cell(row, col).text);
    int other = teamNumber(grid().cell(row, 1 - col).text);
    // A game with a team the league does not know cannot be picked.
    if (team == 0 || other == 0)
        return;

    State.Window.Command3.caption = "Save Picks";
    State.Window.Command3.enabled = true;
    auto& picks = State.PicksTable[State.DisplayedWeek];
    picks[team] = picks[team] == 1 ? 0 : 1;
    picks[other] = 0;
    markTeamCell(row, kVisitorColumn);
    markTeamCell(row, kHomeColumn);
}

void Command3_Click() {
    ControlModel& button = State.Window.Command3;
    if (!SavePicks(State.CurrentUser)) {
        // The reason has been shown; the picks stay unsaved and can be saved again.
        button.caption = "Save Picks";
        button.enabled = true;
        State.PicksSaved = false;
        return;
    }
    button.caption = "Picks Saved";
    button.enabled = false;
    State.PicksSaved = true;
}

} // namespace gs
