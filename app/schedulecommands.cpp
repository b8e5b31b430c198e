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

// Why a command did not take one of its words: an option of its own given
// again, an option it does not have, or a file too many.
std::string strayWord(const std::string& command, const std::string& word,
                      std::initializer_list<std::string_view> options, const char* files) {
    if (!word.starts_with("--"))
        return command + " takes " + files;
    std::string_view name = std::string_view(word).substr(0, word.find('='));
    if (std::find(options.begin(), options.end(), name) != options.end())
        return command + " takes " + std::string(name) + " once";
    return command + " has no option " + word;
}

} // namespace

int importScheduleCommand(CommandContext& c) {
    constexpr const char* kUsage = "import-schedule [--from YYYY] [--overwrite] FILE.csv";
    std::optional<std::string> file;
    ScheduleImportOptions options;
    bool overwrite = false;
    bool from = false;
    std::string stray;
    for (size_t i = 1; i < c.args.size() && stray.empty(); ++i) {
        const std::string& arg = c.args[i];
        std::optional<std::string> year;
        if (arg == "--from")
            year = i + 1 < c.args.size() ? c.args[++i] : "";
        else if (arg.starts_with("--from="))
            year = arg.substr(7);
        if (year && !isYear(*year)) {
            c.err << "gridslate: --from takes a season year YYYY, not \"" << *year
                  << "\": " << kUsage << '\n';
            return 2;
        }
        if (year && !from) {
            options.fromSeason = std::stoi(*year);
            from = true;
        } else if (arg == "--overwrite" && !overwrite) {
            overwrite = options.overwrite = true;
        } else if (!file && !arg.starts_with("--")) {
            file = arg;
        } else {
            stray = strayWord("import-schedule", arg, {"--from", "--overwrite"}, "one file");
        }
    }
    if (!file && stray.empty())
        stray = "import-schedule takes one file";
    if (!stray.empty()) {
        c.err << "gridslate: " << stray << ": " << kUsage << '\n';
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
    constexpr const char* kUsage = "update-games [--url URL] [--overwrite] [--force]";
    GamesUpdateOptions options;
    bool overwrite = false;
    std::string stray;
    for (size_t i = 1; i < c.args.size() && stray.empty(); ++i) {
        const std::string& arg = c.args[i];
        std::optional<std::string> url;
        if (arg == "--url")
            url = i + 1 < c.args.size() ? c.args[++i] : "";
        else if (arg.starts_with("--url="))
            url = arg.substr(6);
        if (url && url->empty()) {
            c.err << "gridslate: --url takes an address, not an empty one: " << kUsage << '\n';
            return 2;
        }
        if (url && !options.url)
            options.url = url;
        else if (arg == "--overwrite" && !overwrite)
            overwrite = true;
        else if (arg == "--force" && !options.force)
            options.force = true;
        else
            stray = strayWord("update-games", arg, {"--url", "--overwrite", "--force"}, "no file");
    }
    if (!stray.empty()) {
        c.err << "gridslate: " << stray << ": " << kUsage << '\n';
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
