// Scores entered from a file, for administrators' scripts.

#include "commands.h"

#include "core/poollock.h"
#include "core/poolmachine.h"
#include "schedule/seasongames.h"
#include "scores/scoreimport.h"

namespace gs {

int importScoresCommand(CommandContext& c) {
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
        importScoreFile(**table, *c.args.get<std::string>("file"),
                        {.season = c.chosenSeason, .overwrite = c.args.has("--overwrite")});
    if (!result.ok) {
        c.dialogs.refuse(result.summary);
        return 1;
    }
    c.out << result.summary << '\n';
    return 0;
}

} // namespace gs
