// Seasons imported from a schedule file.

#include "commands.h"

#include "core/poolmachine.h"
#include "schedule/importer.h"
#include "update/gamesupdate.h"

#include <algorithm>
#include <optional>

namespace gs {

namespace {

bool isYear(const std::string& text) {
    return text.size() == 4 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

int importScheduleCommand(CommandContext& c) {
    std::optional<std::string> file;
    ScheduleImportOptions options;
    bool overwrite = false;
    bool from = false;
    bool wrong = false;
    for (size_t i = 1; i < c.args.size(); ++i) {
        const std::string& arg = c.args[i];
        std::optional<std::string> year;
        if (arg == "--from" && i + 1 < c.args.size())
            year = c.args[++i];
        else if (arg.starts_with("--from="))
            year = arg.substr(7);
        if (year && !from && isYear(*year)) {
            options.fromSeason = std::stoi(*year);
            from = true;
        } else if (year) {
            wrong = true;
        } else if (arg == "--overwrite" && !overwrite) {
            overwrite = options.overwrite = true;
        } else if (!file && !arg.starts_with("--")) {
            file = arg;
        } else {
            wrong = true;
        }
    }
    if (!file || wrong) {
        c.err << "gridslate: import-schedule takes one file: import-schedule [--from YYYY] "
                 "[--overwrite] FILE.csv\n";
        return 2;
    }
    ScheduleImportResult result = importScheduleFile(c.pool, *file, options);
    if (!result.ok) {
        c.err << "gridslate: " << *file << ": " << result.summary << '\n';
        if (!result.conflicts.empty())
            c.err << "gridslate: import the file with --overwrite to take its word for these "
                     "games\n";
        return 1;
    }
    if (result.layout == ScheduleLayout::Table)
        c.out << "Imported " << *file << '\n';
    else
        c.out << result.summary << '\n';
    return 0;
}

int updateGamesCommand(CommandContext& c) {
    GamesUpdateOptions options;
    bool overwrite = false;
    bool wrong = false;
    for (size_t i = 1; i < c.args.size(); ++i) {
        const std::string& arg = c.args[i];
        if (arg == "--url" && i + 1 < c.args.size() && !options.url)
            options.url = c.args[++i];
        else if (arg.starts_with("--url=") && !options.url)
            options.url = arg.substr(6);
        else if (arg == "--overwrite" && !overwrite)
            overwrite = true;
        else if (arg == "--force" && !options.force)
            options.force = true;
        else
            wrong = true;
    }
    if (wrong || (options.url && options.url->empty())) {
        c.err << "gridslate: update-games takes no file: update-games [--url URL] [--overwrite] "
                 "[--force]\n";
        return 2;
    }
    if (!requireAdmin(c.pool, c.pool.currentUser(), c.dialogs) ||
        !requireAdministratorsMachine(c.pool, c.dialogs))
        return 1;
    GamesUpdateResult result = updateGames(c.pool, options, overwrite);
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
