#include "weeklypicks.h"

#include "core/poolday.h"
#include "schedule/calendar.h"
#include "schedule/pickfiles.h"
#include "stats/teamrecords.h"
#include "stats/weeklywinners.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace gs {

namespace {

enum Column {
    kVisitorColumn = 0,
    kHomeColumn = 1,
    kWinnerColumn = 2,
    kSpreadColumn = 3,
    kFavouriteColumn = 4, // only while the rating player is on the user list
};

struct ColumnLayout {
    const char* header;
    int width; // twips
    Align align;
};

constexpr ColumnLayout kColumns[] = {
    {"Visitor Team", 2350, Align::Left},       {"Home Team", 2350, Align::Left},
    {"Projected Winner", 2350, Align::Center}, {"Projected Spread", 1600, Align::Center},
    {"ELO's Favourite", 1900, Align::Center},
};
constexpr ColumnLayout kConfidenceColumn = {"Confidence", 1200, Align::Center};

// A whole number low..high; nullopt for an empty text; -1 for anything else.
std::optional<int> numberIn(const std::string& text, int low, int high) {
    size_t start = text.find_first_not_of(' ');
    if (start == std::string::npos)
        return std::nullopt;
    size_t end = text.find_last_not_of(' ') + 1;
    int value = 0;
    auto [stop, ec] = std::from_chars(text.data() + start, text.data() + end, value);
    if (ec != std::errc() || stop != text.data() + end || value < low || value > high)
        return -1;
    return value;
}

bool validWeek(int week) {
    return week >= 1 && week <= kMaxWeeks;
}

std::string projectedWinner(const PickTable& projected, int week, const Game& game) {
    if (!validWeek(week))
        return {};
    if (projected[week][game.home.number()] == 1)
        return game.homeName();
    if (projected[week][game.visitor.number()] == 1)
        return game.visitorName();
    return {};
}

// The team of a team cell of the grid.
Team teamOfColumn(const Game& game, int column) {
    return column == kVisitorColumn ? game.visitor : game.home;
}

} // namespace

bool isPickOpen(const Game& game, int gameWeek, int currentWeek, bool seasonOver,
                const PoolMoment& moment) {
    return !seasonOver && gameWeek == currentWeek && !game.lockedAt(moment);
}

std::string lockedGameText(const Game& game) {
    Result<TimeZone> zone = clockZone();
    if (!game.date || !zone)
        return "Kicked off";
    return kickedOffText(*game.date, game.kickoff, *zone);
}

void WeeklyPicksPanel::resetGrid() {
    GridModel& g = m_model.grid;
    int columns = m_state.ratingPlayer.listed ? kFavouriteColumn + 1 : kFavouriteColumn;
    const bool confidence = m_rule == PoolRule::Confidence;
    g.reset(1, columns + (confidence ? 1 : 0), 1, 0);
    for (int c = 0; c < columns; ++c) {
        g.setColumnWidth(c, kColumns[c].width);
        g.setColumnAlign(c, kColumns[c].align);
        g.setText(0, c, kColumns[c].header);
    }
    m_model.confidenceColumn = confidence ? columns : -1;
    if (confidence) {
        g.setColumnWidth(columns, kConfidenceColumn.width);
        g.setColumnAlign(columns, kConfidenceColumn.align);
        g.setText(0, columns, kConfidenceColumn.header);
    }
    m_model.gameOfRow.assign(1, -1);
}

int WeeklyPicksPanel::gameOfRow(int row) const {
    const auto& games = m_model.gameOfRow;
    if (row < 1 || row >= static_cast<int>(games.size()) || row >= m_model.grid.rows())
        return -1;
    int game = games[static_cast<size_t>(row)];
    return game >= 0 && game < static_cast<int>(m_state.season.games.size()) ? game : -1;
}

// One team cell from the pick of its team in the displayed week: picked cells
// are bold and coloured by the result, the rest plain (muted in a locked row).
void WeeklyPicksPanel::markTeamCell(int row, int column) {
    GridCell& cell = m_model.grid.cell(row, column);
    cell.bold = false;
    cell.textColor.reset();
    if (m_model.grid.cell(row, kVisitorColumn).locked)
        cell.textColor = kMutedText;
    int game = gameOfRow(row);
    if (game < 0 || !validWeek(m_displayedWeek))
        return;
    const Game& played = m_state.season.games[static_cast<size_t>(game)];
    if (m_picks[m_displayedWeek][teamOfColumn(played, column).number()] != 1)
        return;
    cell.bold = true;
    if (!played.visitorScore && !played.homeScore)
        cell.textColor = kBlack;
    else
        cell.textColor = played.winner() == teamOfColumn(played, column) ? kGreen : kRed;
}

void WeeklyPicksPanel::colourPicks() {
    for (int r = 1; r < m_model.grid.rows(); ++r) {
        markTeamCell(r, kVisitorColumn);
        markTeamCell(r, kHomeColumn);
    }
}

// Fills the grid with the season's games first..last (first < 0: no rows)
// and marks the picks of the displayed week.
void WeeklyPicksPanel::fillGrid(int first, int last) {
    resetGrid();
    GridModel& g = m_model.grid;
    const std::vector<Game>& games = m_state.season.games;
    int end = std::min({last, static_cast<int>(games.size()) - 1, kMaxGames});
    FavouriteTexts favourites(m_state.ratingPlayer, games, m_displayedWeek, std::max(first, 0));
    for (int game = std::max(first, 0); first >= 0 && game <= end; ++game) {
        if (g.rows() > kMaxGames)
            break;
        const Game& row = games[static_cast<size_t>(game)];
        g.addRow();
        int r = g.rows() - 1;
        m_model.gameOfRow.push_back(game);
        g.setText(r, kVisitorColumn, row.visitorName());
        g.setText(r, kHomeColumn, row.homeName());
        g.setText(r, kWinnerColumn,
                  projectedWinner(m_state.projection.picks, m_displayedWeek, row));
        g.setText(r, kSpreadColumn,
                  std::to_string(m_state.projection.spreads[static_cast<size_t>(game)]));
        if (m_state.ratingPlayer.listed)
            g.setText(r, kFavouriteColumn, favourites.textOf(game));
        if (m_model.confidenceColumn >= 0 && validWeek(m_displayedWeek)) {
            int value = m_extras[static_cast<size_t>(m_displayedWeek)]
                            .values[static_cast<size_t>(row.visitor.number())];
            g.setText(r, m_model.confidenceColumn, value > 0 ? std::to_string(value) : "");
        }
        if (row.lockedAt(m_pool.moment())) {
            std::string kickedOff = lockedGameText(row);
            for (int c = 0; c < g.cols(); ++c) {
                GridCell& cell = g.cell(r, c);
                cell.locked = c == kVisitorColumn;
                cell.textColor = kMutedText;
                cell.toolTip = kickedOff;
            }
        }
    }
    colourPicks();
    showTiebreaker();
}

std::vector<int> WeeklyPicksPanel::displayedRows() const {
    std::vector<int> rows;
    for (int r = 1; r < static_cast<int>(m_model.gameOfRow.size()); ++r)
        if (int game = gameOfRow(r); game >= 0)
            rows.push_back(game);
    return rows;
}

bool WeeklyPicksPanel::displayedWeekOpen(int game) const {
    return validWeek(m_displayedWeek) &&
           isPickOpen(m_state.season.games[static_cast<size_t>(game)], m_displayedWeek,
                      m_state.currentWeek, m_state.seasonOver, m_pool.moment());
}

// The game the displayed week's guess was made for, where it is still in
// the week; otherwise the week's last game.
int WeeklyPicksPanel::tiebreakGame(const std::vector<int>& rows) const {
    const std::vector<Game>& games = m_state.season.games;
    const std::optional<TiebreakGuess>& guess =
        m_extras[static_cast<size_t>(m_displayedWeek)].guess;
    for (int r : rows)
        if (guess && games[static_cast<size_t>(r)].visitor.number() == guess->visitor &&
            games[static_cast<size_t>(r)].home.number() == guess->home)
            return r;
    return lastGameRow(games, rows);
}

// The guess names its game, and is open while that game is.
void WeeklyPicksPanel::showTiebreaker() {
    ControlModel& label = m_model.tiebreakerLabel;
    ControlModel& field = m_model.tiebreakerField;
    const std::vector<int> rows = displayedRows();
    label.visible = field.visible = !rows.empty() && validWeek(m_displayedWeek);
    if (!label.visible)
        return;
    const std::vector<Game>& games = m_state.season.games;
    const std::optional<TiebreakGuess>& guess =
        m_extras[static_cast<size_t>(m_displayedWeek)].guess;
    const int game = tiebreakGame(rows);
    const Game& named = games[static_cast<size_t>(game)];
    label.caption =
        "Tiebreaker: total points of " + named.visitorName() + " at " + named.homeName();
    field.caption = guess ? std::to_string(guess->points) : "";
    field.enabled = displayedWeekOpen(game);
}

void WeeklyPicksPanel::changed() {
    m_picksSaved = false;
    m_model.savePicksButton.caption = "Save Picks";
    m_model.savePicksButton.enabled = true;
}

void WeeklyPicksPanel::setTiebreaker(const std::string& text) {
    const std::vector<int> rows = displayedRows();
    if (rows.empty() || !validWeek(m_displayedWeek))
        return;
    std::optional<TiebreakGuess>& guess = m_extras[static_cast<size_t>(m_displayedWeek)].guess;
    const std::vector<Game>& games = m_state.season.games;
    const int game = tiebreakGame(rows);
    if (!displayedWeekOpen(game)) {
        showTiebreaker();
        return;
    }
    std::optional<int> points = numberIn(text, 0, kMaxGuess);
    if (points == -1) {
        m_dialogs.refuse("The tiebreaker is a whole number of points from 0 to " +
                         std::to_string(kMaxGuess) + ".");
        showTiebreaker();
        return;
    }
    std::optional<TiebreakGuess> wanted;
    if (points) {
        const Game& named = games[static_cast<size_t>(game)];
        wanted = TiebreakGuess{*points, named.visitor.number(), named.home.number()};
    }
    if (wanted != guess) {
        guess = wanted;
        changed();
    }
    showTiebreaker();
}

void WeeklyPicksPanel::setConfidence(int row, const std::string& text) {
    const int game = gameOfRow(row);
    const int column = m_model.confidenceColumn;
    if (game < 0 || column < 0)
        return;
    auto refresh = [&] { fillGrid(displayedRows().front(), displayedRows().back()); };
    if (!displayedWeekOpen(game)) {
        refresh();
        return;
    }
    const std::vector<int> rows = displayedRows();
    std::optional<int> value = numberIn(text, 1, static_cast<int>(rows.size()));
    if (value == -1) {
        m_dialogs.refuse("The confidence of a game is a whole number from 1 to " +
                         std::to_string(rows.size()) + ", each once a week.");
        refresh();
        return;
    }
    auto& values = m_extras[static_cast<size_t>(m_displayedWeek)].values;
    auto valueOf = [&](int r) -> int& {
        return values[static_cast<size_t>(
            m_state.season.games[static_cast<size_t>(r)].visitor.number())];
    };
    const int wanted = value.value_or(0);
    const int old = valueOf(game);
    if (wanted != old) {
        // The game that held the value takes this one's old value.
        for (int r : rows)
            if (r != game && wanted > 0 && valueOf(r) == wanted)
                valueOf(r) = old;
        valueOf(game) = wanted;
        changed();
    }
    refresh();
}

void WeeklyPicksPanel::showWeekLabels(int first, int last) {
    const std::vector<Game>& games = m_state.season.games;
    m_model.weekNumber.caption = std::to_string(m_displayedWeek);
    m_model.firstDate.caption = first >= 0 ? games[static_cast<size_t>(first)].dateText() : "";
    m_model.lastDate.caption = first >= 0 ? games[static_cast<size_t>(last)].dateText() : "";
}

void WeeklyPicksPanel::showDisplayedWeek() {
    WeekRows rows = findWeekRows(m_state.season.games, m_displayedWeek);
    fillGrid(rows.first, rows.last);
    showWeekLabels(rows.first, rows.last);
}

void WeeklyPicksPanel::showPanelControls() {
    for (ControlModel* control : {&m_model.heading, &m_model.weekNumber, &m_model.nextWeekButton,
                                  &m_model.previousWeekButton, &m_model.firstDate, &m_model.thru,
                                  &m_model.lastDate, &m_model.savePicksButton})
        control->visible = true;
    m_model.nextWeekButton.enabled = false;
    m_model.previousWeekButton.enabled = true;
    m_model.savePicksButton.caption = "Save Picks";
    m_model.savePicksButton.enabled = false;
}

void WeeklyPicksPanel::loadLastSeason() {
    loadLastSeasonRecords(m_pool, m_pool.seasonYear() - 1, m_state.records);
}

// The player's picks as his file holds them; a file that cannot be read
// shows no picks.
Status WeeklyPicksPanel::loadPicks() {
    Result<PlayerPicks> loaded = gs::loadPicks(m_pool, m_pool.currentUser());
    if (!loaded) {
        m_picks = m_savedPicks = PickTable{};
        m_extras = m_savedExtras = ExtrasTable{};
        return failure(loaded.error());
    }
    m_picks = m_savedPicks = loaded->picks;
    m_pool.setSavedPoolOrder(std::move(loaded->activeOrder));
    Result<ExtrasTable> extras = loadExtras(m_pool, m_pool.currentUser());
    m_extras = m_savedExtras = extras.value_or(ExtrasTable{});
    if (!extras)
        return failure(extras.error());
    return {};
}

void WeeklyPicksPanel::open() {
    showPanelControls();
    m_picksSaved = true;
    m_rule = poolRule(m_pool.folders());
    resetGrid();
    m_state = refreshSeason(m_pool);
    if (Status loaded = loadPicks(); !loaded)
        m_state.errors.push_back(loaded.error().message);
    if (m_state.season.scoredGameCount == 0) {
        m_model.nextWeekButton.enabled = false;
        m_model.previousWeekButton.enabled = false;
    }
    m_displayedWeek = m_state.currentWeek;
    for (const std::string& error : m_state.errors)
        m_dialogs.refuse(error);
    for (const std::string& warning : m_state.warnings)
        m_dialogs.message(MessageKind::Warning, warning, kProgramTitle);
    showDisplayedWeek();
    if (!m_state.seasonOver)
        return;
    // A failed write has already been reported; do not claim it succeeded.
    m_dialogs.inform(m_state.oldScoresSaved ? "Season is over.  Scores have been saved."
                                            : "Season is over.",
                     "Season Over");
    m_model.savePicksButton.enabled = false;
    showDisplayedWeek();
}

void WeeklyPicksPanel::showNextWeek() {
    int current = m_state.currentWeek;
    const int weeks = m_state.season.shape.weeks;
    m_displayedWeek = std::min({m_displayedWeek + 1, current, weeks});
    if (m_displayedWeek == current) {
        m_model.savePicksButton.caption = "Save Picks";
        m_model.savePicksButton.enabled = !m_state.seasonOver && !m_picksSaved;
    } else {
        m_model.savePicksButton.enabled = false;
    }
    m_model.nextWeekButton.enabled = m_displayedWeek != weeks && m_displayedWeek != current;
    m_model.previousWeekButton.enabled = true;
    showDisplayedWeek();
}

void WeeklyPicksPanel::showPreviousWeek() {
    m_displayedWeek = std::max(m_displayedWeek - 1, 1);
    m_model.savePicksButton.caption = "Save Picks";
    m_model.savePicksButton.enabled = false;
    if (m_displayedWeek == 1)
        m_model.previousWeekButton.enabled = false;
    if (m_displayedWeek < m_state.season.shape.weeks)
        m_model.nextWeekButton.enabled = true;
    WeekRows rows = findWeekRows(m_state.season.games, m_displayedWeek);
    if (rows.first == 0)
        loadLastSeason();
    fillGrid(rows.first, rows.last);
    showWeekLabels(rows.first, rows.last);
}

void WeeklyPicksPanel::togglePick(int row, int column) {
    m_picksSaved = false;
    int game = gameOfRow(row);
    if (game < 0)
        return;
    const Game& played = m_state.season.games[static_cast<size_t>(game)];
    m_model.status.clear();
    if (played.lockedAt(m_pool.moment())) {
        m_model.status = played.visitorName() + " at " + played.homeName() +
                         " can no longer be picked: " + lockedGameText(played) + ".";
        return;
    }
    if (!validWeek(m_displayedWeek) || !isPickOpen(played, m_displayedWeek, m_state.currentWeek,
                                                   m_state.seasonOver, m_pool.moment()))
        return;
    if (column != kVisitorColumn && column != kHomeColumn)
        return;
    int team = teamOfColumn(played, column).number();
    int other = teamOfColumn(played, 1 - column).number();
    m_model.savePicksButton.caption = "Save Picks";
    m_model.savePicksButton.enabled = true;
    auto& picks = m_picks[m_displayedWeek];
    picks[team] = picks[team] == 1 ? 0 : 1;
    picks[other] = 0;
    markTeamCell(row, kVisitorColumn);
    markTeamCell(row, kHomeColumn);
}

void WeeklyPicksPanel::reloadPicks() {
    if (Status loaded = loadPicks(); !loaded)
        m_dialogs.refuse(loaded.error().message);
    m_picksSaved = true;
    m_model.savePicksButton.caption = "Save Picks";
    m_model.savePicksButton.enabled = false;
    showDisplayedWeek();
}

// A game that kicked off since its pick was changed keeps the pick the file
// holds; the person is told which.
void WeeklyPicksPanel::keepLockedPicks() {
    const std::vector<Game>& games = m_state.season.games;
    std::vector<int> weeks = gameWeeks(m_state.season);
    std::string kept;
    for (size_t g = 0; g < games.size() && g < weeks.size(); ++g) {
        const Game& game = games[g];
        auto& now = m_picks[static_cast<size_t>(weeks[g])];
        const auto& held = m_savedPicks[static_cast<size_t>(weeks[g])];
        auto v = static_cast<size_t>(game.visitor.number());
        auto h = static_cast<size_t>(game.home.number());
        if ((now[v] == held[v] && now[h] == held[h]) || !game.lockedAt(m_pool.moment()))
            continue;
        now[v] = held[v];
        now[h] = held[h];
        kept += "\n" + game.visitorName() + " at " + game.homeName() + ": " + lockedGameText(game);
    }
    if (kept.empty())
        return;
    showDisplayedWeek(); // the rows locked since show so
    m_dialogs.message(MessageKind::Warning,
                      "These games kicked off before the picks were saved; their picks stay "
                      "as they were:" +
                          kept,
                      kProgramTitle);
}

void WeeklyPicksPanel::savePicks() {
    keepLockedPicks();
    ControlModel& button = m_model.savePicksButton;
    Result<PickTable> saved = savePicksOver(m_pool, m_pool.currentUser(), m_picks, m_savedPicks);
    if (saved && m_extras != m_savedExtras)
        if (Status extras = saveExtras(m_pool, m_pool.currentUser(), m_extras); !extras)
            saved = failure(extras.error());
    if (!saved) {
        // The picks stay unsaved and can be saved again.
        m_dialogs.refuse(saved.error().message);
        button.caption = "Save Picks";
        button.enabled = true;
        m_picksSaved = false;
        return;
    }
    button.caption = "Picks Saved";
    button.enabled = false;
    m_picksSaved = true;
    // Weeks another program saved meanwhile came in with the save.
    m_picks = m_savedPicks = *saved;
    m_savedExtras = m_extras;
    colourPicks();
}

bool WeeklyPicksPanel::mayLeave() {
    if (!hasUnsavedPicks())
        return true;
    switch (m_dialogs.askToSave(kSavePicksQuestion, kProgramTitle)) {
    case SaveAnswer::Save:
        savePicks();
        return !hasUnsavedPicks();
    case SaveAnswer::Discard:
        // What is shown next comes from the file again.
        m_picks = m_savedPicks;
        m_extras = m_savedExtras;
        m_picksSaved = true;
        m_model.savePicksButton.enabled = false;
        colourPicks();
        return true;
    case SaveAnswer::Cancel:
        return false;
    }
    return false;
}

} // namespace gs
