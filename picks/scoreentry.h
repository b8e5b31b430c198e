#pragma once

// The "Enter Scores" window: the administrator steps through the games of one
// week of the season, one record of the games table at a time, and types the
// final scores. The window is modal and made anew at every opening; the
// window layer renders this model, copies what is typed into Text1 and Text2
// before it calls a handler, and shows the boxes again afterwards.

#include "core/grid.h"
#include "core/state.h"
#include "schedule/gamesdb.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace gs {

class ScoreEntryWindow {
public:
    // Works on an open games table, which the window keeps until it is gone.
    explicit ScoreEntryWindow(std::unique_ptr<GamesTable> table);
    ~ScoreEntryWindow();
    ScoreEntryWindow(const ScoreEntryWindow&) = delete;
    ScoreEntryWindow& operator=(const ScoreEntryWindow&) = delete;

    // Opening: the cursor on the season's first record; only "Week 1" can be
    // chosen.
    void Form_Load();

    // A week option (1..17); a disabled option does nothing. The scores on
    // show are checked and kept first, as before every move.
    void Option_Click(int week);
    // "Week 1": enables every week that has a game on or before the reference
    // date and shows week 1 from its first game.
    void Option1_Click();
    // "Week 2".."Week 17": shows that week from its first game.
    void OptionN_Click(int week);

    // "Next": the next game of the week, not past a game after the reference
    // date.
    void Command3_Click();
    // "Previous": the game before, not into the week before or another season.
    void Command2_Click();
    // "Close": keeps the scores on show and rebuilds the season's games.
    // False when the window must stay open (a score was refused or could not
    // be written; the person has been told).
    bool Command1_Click();

    // The controls.
    std::string caption = "Enter Scores";
    ControlModel visitorTeam; // field "TeamA"
    ControlModel homeTeam;    // field "TeamB"
    std::string Text1;        // visiting score, field "Visitor"
    std::string Text2;        // home score, field "Home"
    ControlModel seasonYearHeading{"Season Year"};
    ControlModel seasonYear;                     // field "year"
    std::array<ControlModel, kWeeks + 1> Option; // 1..17: "Week 1".."Week 17"
    int chosenWeek = 0;                          // the option chosen, 0 for none
    ControlModel firstDate;                      // date of the week's first game
    ControlModel thru{"thru"};
    ControlModel lastDate; // date of the week's last game
    ControlModel Command1{"Close"};
    ControlModel Command2{"Previous"};
    ControlModel Command3{"Next"};
    bool closed = false;

    // The record on show: its position in table order, -1 when none.
    int recordPosition() const;

private:
    bool hasRecord() const;
    bool sameSeason(int position) const;
    int dayOfRecord(int position) const;
    const std::string& dateOf(int position) const;
    std::string gameName() const;
    bool commitBoxes();
    bool normaliseScore(const std::string& text, std::string& score);
    bool moveTo(int position);
    void showRecord();
    void showWeekFrom(int first);
    void chooseWeekOne();
    void chooseWeek(int week);
    void tellReadFailure(const std::string& reason);

    std::unique_ptr<GamesTable> m_table;
    std::unique_ptr<RecordCursor> m_cursor;
    std::vector<GameRecord> m_schedule; // table order; only teams, dates and years are used
    int m_seasonFirst = -1;             // first record of the season, -1 when it has none
    int m_seasonEnd = -1;               // one past its last record
};

// Menu "Enter Game Scores": for an administrator only. Hides the panels and
// returns the window, opened on the games table; nullptr when it must not or
// cannot open (the person has been told why).
std::unique_ptr<ScoreEntryWindow> mnuItemScores_Click();

} // namespace gs
