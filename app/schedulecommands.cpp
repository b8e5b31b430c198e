// Seasons imported from a schedule file.

#include "commands.h"

#include "core/poolmachine.h"
#include "schedule/importer.h"
#include "update/gamesupdate.h"

namespace gs {

int importScheduleCommand(CommandContext& c) {
    const std::string file = *c.args.get<std::string>("file");
    ScheduleImportOptions options;
    options.fromSeason = c.args.get<int>("--from").value_or(options.fromSeason);
    options.overwrite = c.args.has("--overwrite");
    ScheduleImportResult result = importScheduleFile(c.pool, file, options);
    if (!result.ok) {
        c.err << "gridslate: " << file << ": " << result.summary << '\n';
        if (!result.conflicts.empty())
            c.err << "gridslate: import the file with --overwrite to take its word for these "
                     "games\n";
        return 1;
    }
    if (result.layout == ScheduleLayout::Table)
        c.out << "Imported " << file << '\n';
    else
        c.out << result.summary << '\n';
    return 0;
}

int updateGamesCommand(CommandContext& c) {
    GamesUpdateOptions options;
    options.url = c.args.get<std::string>("--url");
    options.force = c.args.has("--force");
    if (!requireAdmin(c.pool, c.pool.currentUser(), c.dialogs) ||
        !requireAdministratorsMachine(c.pool, c.dialogs))
        return 1;
    GamesUpdateResult result = updateGames(c.pool, options, c.args.has("--overwrite"));
    if (!result.ok) {
        c.err << "gridslate: " << result.summary << '\n';
        if (!result.conflicts.empty())
            c.err << "gridslate: update with --overwrite to take the file's word for these "
                     "games\n";
        return 1;
    }
    c.out << result.summary << '\n';
    return 0;
}

} // namespace gs
