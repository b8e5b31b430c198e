// Scores entered from a file, for administrators' scripts.

#include "commands.h"

#include "core/poollock.h"
#include "core/poolmachine.h"
#include "schedule/seasongames.h"
#include "scores/scoreimport.h"

#include <optional>

namespace gs {

int importScoresCommand(CommandContext& c) {
    std::optional<std::string> file;
    bool overwrite = false;
    bool wrong = false;
    for (size_t i = 1; i < c.args.size(); ++i) {
        if (c.args[i] == "--overwrite" && !overwrite)
            overwrite = true;
        else if (!file && !c.args[i].starts_with("--"))
            file = c.args[i];
        else
            wrong = true;
    }
    if (!file || wrong) {
        c.err << "gridslate: import-scores takes one file: import-scores [--overwrite] "
                 "FILE.csv\n";
        return 2;
    }
    if (!requireAdmin(c.pool, c.pool.currentUser(), c.dialogs) ||
        !requireAdministratorsMachine(c.pool, c.dialogs))
        return 1;
    Result<PoolLock> lock = lockPoolFiles(c.pool);
    if (!lock) {
        c.dialogs.refuse(lock.error().message);
        return 1;
    }
    Result<std::unique_ptr<GamesTable>> table = openGamesTable(c.pool);
    if (!table) {
        c.dialogs.refuse(table.error().message);
        return 1;
    }
    ScoreImportResult result =
        importScoreFile(**table, *file, {.season = c.chosenSeason, .overwrite = overwrite});
    if (!result.ok) {
        c.dialogs.refuse(result.summary);
        return 1;
    }
    c.out << result.summary << '\n';
    return 0;
}

} // namespace gs
