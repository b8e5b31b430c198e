#include "commandline.h"

#include "commands.h"

#include "core/codepage.h"
#include "core/dialogs.h"
#include "core/poolday.h"
#include "core/poolmachine.h"
#include "core/startup.h"
#include "core/text.h"
#include "core/textfile.h"
#include "core/userlist.h"
#include "core/version.h"
#include "schedule/calendar.h"
#include "schedule/pickfiles.h"
#include "schedule/seasongames.h"
#include "stats/seasonrefresh.h"

#include <algorithm>
#include <map>

namespace gs {

namespace {

// Messages of a command: information goes to standard output, refusals to
// standard error, and any refusal makes the command fail.
class CommandDialogs final : public Dialogs {
public:
    CommandDialogs(std::ostream& out, std::ostream& err) : m_out(out), m_err(err) {}
    void message(MessageKind kind, const std::string& text, const std::string&) override {
        if (kind == MessageKind::Error) {
            m_err << "gridslate: " << text << '\n';
            m_failed = true;
            return;
        }
        // Kept apart from what a command prints, and no failure.
        if (kind == MessageKind::Warning) {
            m_err << "gridslate: " << text << '\n';
            return;
        }
        if (!m_quiet)
            m_out << text << '\n';
    }
    bool confirm(const std::string& text, const std::string& title) override {
        message(MessageKind::Information, text, title);
        return false;
    }
    std::string input(const std::string&, const std::string&, const std::string&) override {
        return {};
    }
    bool failed() const { return m_failed; }
    // Drops information messages, such as the defaults a user without a
    // preference file gets: a command needs none of those preferences.
    void setQuiet(bool quiet) { m_quiet = quiet; }

private:
    std::ostream& m_out;
    std::ostream& m_err;
    bool m_failed = false;
    bool m_quiet = false;
};

bool isYear(const std::string& text) {
    return text.size() == 4 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Logs the command's user in without a window: the user must stand in the
// user list (a missing list is created first).
bool actAsUser(Pool& pool, const CommandLine& line, Dialogs& dialogs, std::ostream& err) {
    std::string user = line.user.value_or(kAdminUser);
    // Names on the command line are UTF-8; the user list keeps Windows-1252.
    pool.setCurrentUser(utf8ToCp1252Exactly(user).value_or(user));
    Result<UserListLoad> load = loadUserList(pool);
    if (load && load->outcome == UserListOutcome::Created)
        load = loadUserList(pool);
    if (!load) {
        dialogs.refuse(load.error().message);
        return false;
    }
    if (load->outcome == UserListOutcome::UserNotFound) {
        err << "gridslate: user \"" << user << "\" is not on the user list\n";
        return false;
    }
    if (playsElsewhere(pool, pool.currentUser())) {
        dialogs.refuse(playsElsewhereMessage(user));
        return false;
    }
    if (line.season)
        pool.setSeasonYear(std::stoi(*line.season));
    return true;
}

int projectCommand(CommandContext& c) {
    if (c.args.size() != 1) {
        c.err << "gridslate: project takes no arguments\n";
        return 2;
    }
    SeasonState state = refreshSeason(c.pool);
    // As the weekly panel does, the user's pick file is made when missing.
    if (Result<PlayerPicks> picks = loadPicks(c.pool, c.pool.currentUser()); !picks)
        state.errors.push_back(picks.error().message);
    for (const std::string& error : state.errors)
        c.dialogs.refuse(error);
    // Told on standard error, apart from the summary, without failing.
    for (const std::string& warning : state.warnings)
        c.err << "gridslate: " << warning << '\n';
    // A summary would read as success; the reasons above say what failed.
    if (!state.errors.empty())
        return 1;
    int projected = 0;
    for (int r = 0; r <= kMaxGames; ++r)
        projected += state.projection.spreads[r] != 0;
    c.out << "Season " << c.pool.seasonYear() << ": week " << state.currentWeek << " is current"
          << (state.seasonOver ? " (the season is over)" : "") << "; " << projected
          << " games have a projected spread.\n";
    return 0;
}

} // namespace

Result<CommandLine> parseCommandLine(const std::vector<std::string>& args) {
    CommandLine out;
    static const std::map<std::string, std::optional<std::string> CommandLine::*> kOptions = {
        {"--home", &CommandLine::home},
        {"--user", &CommandLine::user},
        {"--season", &CommandLine::season},
        {"--reference-date", &CommandLine::referenceDate},
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!out.command.empty()) {
            out.command.push_back(arg);
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            out.help = true;
            continue;
        }
        if (arg == "--version") {
            out.version = true;
            continue;
        }
        std::string name = arg;
        std::optional<std::string> value;
        if (size_t eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
        }
        auto option = kOptions.find(name);
        if (option != kOptions.end()) {
            if (!value) {
                if (i + 1 >= args.size())
                    return failure(ErrorKind::Refused, name + " needs a value");
                value = args[++i];
            }
            out.*(option->second) = *value;
            continue;
        }
        if (arg.rfind("-", 0) == 0)
            return failure(ErrorKind::Refused, "unknown option " + arg);
        out.command.push_back(arg);
    }
    // An empty name would stand for the working folder, where the data of a
    // pool never belongs.
    if (out.home && out.home->empty())
        return failure(ErrorKind::Refused, "--home takes a folder, not an empty name");
    // Refused before anything is looked up or created for it.
    if (out.user && out.user->empty())
        return failure(ErrorKind::Refused, "--user takes a user's name, not an empty one");
    if (out.season && !isYear(*out.season))
        return failure(ErrorKind::Refused,
                       "--season takes a four-digit year, not \"" + *out.season + "\"");
    if (out.referenceDate && !isPoolDaySetting(*out.referenceDate))
        return failure(ErrorKind::Refused,
                       "--reference-date takes a date M/D/YYYY or today, not \"" +
                           *out.referenceDate + "\"");
    return out;
}

std::string usageText() {
    return "Usage: gridslate [OPTIONS] [COMMAND ...]\n"
           "Runs the weekly football picks pool. Without a command the window opens.\n"
           "\n"
           "Options:\n"
           "  --home DIR                 keep all data under DIR (default: the per-user data\n"
           "                             folder, $XDG_DATA_HOME/gridslate)\n"
           "  --user NAME                the user a command acts as (default admin); must be\n"
           "                             on the user list\n"
           "  --season YYYY              the season a command works on (default: the one\n"
           "                             stored in the user list, else 2010)\n"
           "  --reference-date M/D/YYYY|today\n"
           "                             the pool's current day for this command (default:\n"
           "                             the pool's setting; without one 11/02/2010 up to\n"
           "                             the 2015 season, today's date after it)\n"
           "  --help                     show this text\n"
           "  --version                  show the program's version\n"
           "\n"
           "Commands:\n"
           "  import-schedule [--from YYYY] [--overwrite] FILE.csv\n"
           "                             replace the seasons the file holds in the games\n"
           "                             table (header TeamA,TeamB,Date,Visitor,Home,Year),\n"
           "                             or merge the regular-season games of a community\n"
           "                             games file (season,game_type,week,gameday,...) of\n"
           "                             the seasons from 2016 (--from: another first\n"
           "                             season); games in conflict refuse the file unless\n"
           "                             --overwrite\n"
           "  project                    run the computer player as opening This Week's\n"
           "                             Picks does, and at the season's end write the\n"
           "                             old-scores file\n"
           "  players                    print the user list as CSV: Name,Active,Admin,Folder\n"
           "  add-player NAME [--active]\n"
           "                             add a player (and make him active) and save the\n"
           "                             user list; needs administrator rights. The name\n"
           "                             ELO adds the rating player, which is active\n"
           "  export-history             write AllUserPickHistory.csv to the home folder\n"
           "  export-results             write AllUserPickResults.csv to the home folder\n"
           "  export-stats               write AllUserStatsYYYY.csv to the home folder\n"
           "  standings                  print the All Active User Totals of User Statistics\n"
           "                             as CSV: User,Correct,Picks,% Correct, best first\n"
           "  pool-day [M/D/YYYY|today|none]\n"
           "                             show or set the pool's day (kept in the data\n"
           "                             folder; none: 11/02/2010 up to 2015, then today)\n"
           "  games [--season YYYY]      print the season's games as CSV: Week,Date,Visitor,\n"
           "                             Home,Visitor Score,Home Score, in table order\n"
           "  ratings [--season YYYY]    print the teams' ratings as CSV: Team,Rating,Wins,\n"
           "                             Losses,Ties, best first; after every scored game\n"
           "                             of the season (default: the pool's) dated before\n"
           "                             --reference-date\n"
           "  import-scores [--overwrite] FILE.csv\n"
           "                             enter a games file's final scores (with --season,\n"
           "                             that season's only); needs administrator rights\n"
           "  update-games [--url URL] [--overwrite] [--force]\n"
           "                             fetch the public community games file (from URL,\n"
           "                             else gamesUrl in data/PoolSettings.ini) and merge\n"
           "                             it as import-schedule does; exits 0 when the games\n"
           "                             table is up to date; --force fetches the whole file\n"
           "                             even when the last one is unchanged; needs\n"
           "                             administrator rights\n"
           "  exchange-download          fetch the pool's files from the user's exchange\n"
           "                             place, as \"Download All User Files\" does\n"
           "  exchange-upload            send the user's own pick files to the exchange place\n"
           "  exchange-upload-admin      send the games table, the computer players' picks\n"
           "                             and the user list (without passwords); needs\n"
           "                             administrator rights\n"
           "  join PLACE                 with --user NAME: make this new home a player's\n"
           "                             machine of the pool whose files are at PLACE (a\n"
           "                             shared folder or an ftp:// address); the password\n"
           "                             for this machine is read from standard input\n";
}

namespace {

int runParsedCommandLine(const std::vector<std::string>& args,
                         const std::function<int(Pool& pool)>& startWindow, std::ostream& out,
                         std::ostream& err,
                         const std::function<void(const std::string&)>& showStartError,
                         std::istream* in) {
    Result<CommandLine> parsed = parseCommandLine(args);
    if (!parsed) {
        err << "gridslate: " << parsed.error().message << " (see gridslate --help)\n";
        return 2;
    }
    const CommandLine& line = *parsed;
    if (line.help) {
        out << usageText();
        return 0;
    }
    if (line.version) {
        out << "gridslate " << kVersion << '\n';
        return 0;
    }
    // Every command, by name. Commands of other areas live in their own
    // files (commands.h).
    static const std::map<std::string, int (*)(CommandContext&)> kCommands = {
        {"import-schedule", importScheduleCommand},
        {"export-history", exportHistoryCommand},
        {"export-results", exportResultsCommand},
        {"export-stats", exportStatisticsCommand},
        {"project", projectCommand},
        {"players", playersCommand},
        {"add-player", addPlayerCommand},
        {"standings", standingsCommand},
        {"ratings", ratingsCommand},
        {"games", gamesCommand},
        {"pool-day", poolDayCommand},
        {"import-scores", importScoresCommand},
        {"update-games", updateGamesCommand},
        {"exchange-download", exchangeDownloadCommand},
        {"exchange-upload", exchangeUploadCommand},
        {"exchange-upload-admin", exchangeUploadAdminCommand},
        {"join", joinCommand},
    };
    auto command = line.command.empty() ? kCommands.end() : kCommands.find(line.command[0]);
    if (!line.command.empty() && command == kCommands.end()) {
        err << "gridslate: unknown command " << line.command[0] << " (see gridslate --help)\n";
        return 2;
    }
    auto refuseStart = [&](const std::string& reason) {
        err << "gridslate: " << reason << '\n';
        if (line.command.empty() && showStartError)
            showStartError(reason);
        return 1;
    };
    Result<std::filesystem::path> home =
        line.home ? Result<std::filesystem::path>(*line.home) : defaultHome();
    if (!home)
        return refuseStart(home.error().message);
    // A relative home is taken from the working folder, which may be gone.
    std::error_code ec;
    std::filesystem::path absoluteHome = std::filesystem::absolute(*home, ec);
    if (ec) {
        std::string reason = "the folder \"";
        reason += home->string();
        reason += "\" cannot be found from the working folder: ";
        reason += ec.message();
        return refuseStart(reason);
    }
    Pool pool(absoluteHome);
    prepareFolders(pool);
    loadPoolDaySetting(pool);
    if (line.referenceDate)
        pool.setDayOverride(*line.referenceDate);
    refreshPoolDay(pool);
    if (line.command.empty()) {
        if (Status ready = ensureGamesTable(pool); !ready)
            return refuseStart(ready.error().message);
        return startWindow(pool);
    }
    CommandDialogs dialogs(out, err);
    // A command needs none of the preferences a user without a preference
    // file is told about.
    dialogs.setQuiet(true);
    bool ready = false;
    if (Status table = ensureGamesTable(pool); !table)
        dialogs.refuse(table.error().message);
    else if (Status held = line.season ? checkSeasonHeld(pool, std::stoi(*line.season)) : Status{};
             !held)
        dialogs.refuse(held.error().message);
    else if (line.command[0] == "join")
        ready = true; // nobody is on the list yet, and nothing may be made for him
    else
        ready = actAsUser(pool, line, dialogs, err);
    dialogs.setQuiet(false);
    // The season is known now: the pool's day may follow it.
    refreshPoolDay(pool);
    int status = 1;
    if (ready) {
        CommandContext context{pool, dialogs, line.command, out, err};
        if (line.season)
            context.chosenSeason = std::stoi(*line.season);
        context.in = in;
        context.user = line.user;
        status = command->second(context);
    }
    if (status == 0 && dialogs.failed())
        status = 1;
    return status;
}

} // namespace

int runCommandLine(const std::vector<std::string>& args,
                   const std::function<int(Pool& pool)>& startWindow, std::ostream& out,
                   std::ostream& err,
                   const std::function<void(const std::string& reason)>& showStartError,
                   std::istream* in) {
    // A folder that vanishes or cannot be read under the program ends the
    // command with its reason, not with an abort.
    try {
        return runParsedCommandLine(args, startWindow, out, err, showStartError, in);
    } catch (const std::filesystem::filesystem_error& e) {
        err << "gridslate: " << e.what() << '\n';
        return 1;
    }
}

} // namespace gs
