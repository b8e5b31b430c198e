#pragma once

// The "Enter Scores" window: the administrator steps through the games of one
// week of the season, one record of the games table at a time, and types the
// final scores. The window is modal and made anew at every opening; the
// window layer renders this model, copies what is typed into the two score
// boxes before it calls a handler, and shows the boxes again afterwards.

#include "core/dialogs.h"
#include "core/grid.h"
#include "core/pool.h"
#include "core/season.h"
#include "schedule/gamesdb.h"

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace gs {

class ScoreEntry {
public:
    // Works on an open games table, which the window keeps until it is gone.
    ScoreEntry(const Pool& pool, Dialogs& dialogs, std::unique_ptr<GamesTable> table);
    ~ScoreEntry();
    ScoreEntry(const ScoreEntry&) = delete;
    ScoreEntry& operator=(const ScoreEntry&) = delete;

    // Opening: every week with a game on or before the reference date can
    // be chosen, and the cursor stands on the first game of that time
    // without both scores; when every one has them, on the first game of
    // the last week played. A season not begun opens on its first game.
    void open();

    // A week option (1..17); a disabled option does nothing. The scores on
    // show are checked and kept first, as before every move. "Week 1"
    // enables every week that has a game on or before the reference date;
    // every option shows its week from its first game.
    void chooseWeek(int week);

    // "Next": the next game of the week, not past a game after the reference
    // date.
    void nextGame();
    // "Previous": the game before, not into the week before or another season.
    void previousGame();
    // "Close": keeps the scores on show. False when the window must stay open
    // (a score was refused or could not be written; the person has been told).
    // A box left as it was shown is no edit: its stored text stays byte for
    // byte, whatever its form.
    bool commitAndClose();

    // Asks for the file to import; nullopt when the person cancels.
    using ScoreFileChooser = std::function<std::optional<std::filesystem::path>()>;
    // "Import Scores...": keeps the scores on show first (so the file is
    // checked against them), asks for a file and enters its scores as the
    // import-scores command does, then tells what was done or why nothing
    // was. The boxes then show the game on show as the table holds it. A
    // file refused only because games already hold other scores is offered
    // for import over them.
    void importScores(const ScoreFileChooser& chooseFile);
    // "Import Schedule...": keeps the scores on show first, asks for a
    // schedule file and imports it as the import-schedule command does;
    // games in conflict are shown and overwritten only when the person
    // agrees. The window then opens again on the table as it stands.
    void importSchedule(const ScoreFileChooser& chooseFile);

    // The controls.
    std::string caption = "Enter Scores";
    ControlModel visitorTeam;  // field "TeamA"
    ControlModel homeTeam;     // field "TeamB"
    ControlModel gameDate;     // "Sunday, 11/7/2010"
    ControlModel gamePosition; // "Game 3 of 14, week 9"
    std::string visitorScore;  // the visiting score box, field "Visitor"
    std::string homeScore;     // the home score box, field "Home"
    ControlModel seasonYearHeading{"Season Year"};
    ControlModel seasonYear; // field "year"
    // 1..18: "Week 1".."Week 18"; week 18 is shown only for a season that has it.
    std::array<ControlModel, kMaxWeeks + 1> weekOptions;
    int chosenWeek = 0;     // the option chosen, 0 for none
    ControlModel firstDate; // date of the week's first game
    ControlModel thru{"thru"};
    ControlModel lastDate; // date of the week's last game
    ControlModel closeButton{"Close"};
    ControlModel previousButton{"Previous"};
    ControlModel nextButton{"Next"};
    ControlModel importButton{"Import Scores..."};
    ControlModel importScheduleButton{"Import Schedule..."};
    bool closed = false;

    // The record on show: its position in table order, -1 when none.
    int recordPosition() const;

private:
    // The week a record of the season belongs to, and its first and last
    // records.
    struct WeekSpan {
        int week = 0; // 0: not a record of the season
        int first = -1;
        int last = -1;
    };

    WeekSpan weekOf(int position) const;
    int openingPosition() const;
    void enablePlayedWeeks();
    bool hasRecord() const;
    bool sameSeason(int position) const;
    int dayOfRecord(int position) const;
    const std::string& dateOf(int position) const;
    int officialWeekOf(int position) const;
    std::string gameName() const;
    bool commitBoxes();
    bool normaliseScore(const std::string& text, std::string& score);
    bool moveTo(int position);
    void showRecord();
    void showWeekFrom(int first);
    void showWeekOne();
    void showWeek(int week);
    void tellReadFailure(const std::string& reason);
    void reopenCursor();

    const Pool& m_pool;
    Dialogs& m_dialogs;
    std::unique_ptr<GamesTable> m_table;
    std::unique_ptr<RecordCursor> m_cursor;
    std::vector<GameRecord> m_schedule; // table order; only teams, dates and years are used
    int m_seasonFirst = -1;             // first record of the season, -1 when it has none
    int m_seasonEnd = -1;               // one past its last record
};

// "Enter Game Scores": for an administrator only. Returns the window, opened
// on the games table; nullptr when it must not or cannot open (the person
// has been told why).
std::unique_ptr<ScoreEntry> openScoreEntry(const Pool& pool, Dialogs& dialogs);

} // namespace gs
