#pragma once

// The computer player PC: projected winners and spreads.

namespace gs {

// Loads PC's pick file, projects every game up to the end of the coming week
// that has no projection yet, and saves the file. Needs SeasonGames current.
void ProjectTeams();

} // namespace gs
