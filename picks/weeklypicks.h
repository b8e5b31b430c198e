#pragma once

// The "This Week's Picks" panel of the main window: the current player's
// picks of one week in MSFlexGrid1, with the computer player's projections,
// the week buttons and "Save Picks". Its controls and grid live in
// State.Window; the window layer renders them and forwards the events here.

namespace gs {

// Menu "This Week's Picks": hides the other panels, works out the current
// week (and whether the season is over), runs the computer player and shows
// the current week.
void mnuItemThisWeek_Click();

// Fills MSFlexGrid1 with SeasonGames rows first..last (first < 0: no rows)
// and marks the picks of DisplayedWeek.
void FillPicksGrid(int first, int last);

// Marks every team cell of MSFlexGrid1 whose team is picked in DisplayedWeek:
// bold, green when the team won, red when it did not, black while neither
// score is in.
void ColourPicks();

// "Next": the following week, never past CurrentWeek.
void Command1_Click();

// "Prev.": the week before, never before week 1.
void Command2_Click();

// A click on a cell of MSFlexGrid1 (row 0 is the header): toggles the pick of
// a team of the current week whose game has not been reached yet.
void MSFlexGrid1_Click(int row, int col);

// "Save Picks": writes the current player's pick file.
void Command3_Click();

} // namespace gs
