#pragma once

// What a command of the command line works with, and the commands that live
// outside commandline.cpp. Each command returns its exit status: 0 on
// success, 1 when it could not do its job; its words were checked against
// its entry of the command table (commandline.cpp) before it runs.

#include "commandline.h"

#include "core/dialogs.h"
#include "core/pool.h"

#include <istream>
#include <optional>
#include <ostream>
#include <string>

namespace gs {

struct CommandContext {
    Pool& pool; // logged in as the command's user
    Dialogs& dialogs;
    const Arguments& args; // the command's options and arguments, read by its entry
    std::ostream& out;
    std::ostream& err;
    std::optional<int> chosenSeason = std::nullopt; // --season, only when it was given
    std::istream* in = nullptr;                     // standard input; null for the terminal's
    std::optional<std::string> user = std::nullopt; // --user, as given
};

// app/admincommands.cpp
int playersCommand(CommandContext& c);
int addPlayerCommand(CommandContext& c);
// app/exportcommands.cpp: export-history, export-results, export-stats.
int exportHistoryCommand(CommandContext& c);
int exportResultsCommand(CommandContext& c);
int exportStatisticsCommand(CommandContext& c);
// export-winners: AllUserWeeklyWinnersYYYY.csv.
int exportWinnersCommand(CommandContext& c);
// app/statscommands.cpp
// standings: the "All Active User Totals" of "User Statistics" as CSV.
int standingsCommand(CommandContext& c);
// winners: the week's winners of every decided week as CSV.
int winnersCommand(CommandContext& c);
// pool-rules [confidence|winners]: show or (administrator) set the pool's rule.
int poolRulesCommand(CommandContext& c);
// ratings [--season YYYY]: the teams' ratings of a season as CSV.
int ratingsCommand(CommandContext& c);
int gamesCommand(CommandContext& c);
// app/pickcommand.cpp: --user NAME pick WEEK [TEAM ...]: the teams made the
// user's picks of the week, or without a team the week's games and picks.
int pickCommand(CommandContext& c);
int poolDayCommand(CommandContext& c);
// app/scorecommands.cpp: import-scores [--overwrite] FILE.csv.
int importScoresCommand(CommandContext& c);
// app/schedulecommands.cpp: import-schedule [--from YYYY] [--overwrite] FILE.csv.
int importScheduleCommand(CommandContext& c);
// update-games [--url URL] [--overwrite] [--force]: the public games file
// fetched and merged as import-schedule merges it; needs administrator rights.
int updateGamesCommand(CommandContext& c);
// app/exchangecommands.cpp: the exchange window's operations with the user's
// stored exchange address and its mode.
int exchangeDownloadCommand(CommandContext& c);
int exchangeUploadCommand(CommandContext& c);
int exchangeUploadAdminCommand(CommandContext& c);
// app/publishcommand.cpp: publish [--out DIR] [--to ADDRESS], the pool's page.
int publishCommand(CommandContext& c);
// --user NAME join PLACE: this home, without a user list yet, becomes a
// player's machine of the pool at PLACE; the password for this machine
// comes from standard input. It runs without a user logged in.
int joinCommand(CommandContext& c);

} // namespace gs
