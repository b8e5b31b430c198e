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
#include <span>

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
        pool.setSeasonYear(*line.season);
    return true;
}

int projectCommand(CommandContext& c) {
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

// What the value of an option or an argument must be. Each kind is read and
// checked here, once; a command gets the value as its type.
enum class ValueKind {
    Switch,  // an option without a value
    Text,    // any word (a file, a place): the operation that takes it checks it
    Word,    // any word but an empty one (a folder, a name, an address)
    Year,    // four digits, passed on as the number
    PoolDay, // a date M/D/YYYY, a date and a time "M/D/YYYY HH:MM", or "today"
    Week,    // a week 1..18, passed on as the number
};

// An option ("--name", with a value unless it is a switch) or an argument.
struct Parameter {
    std::string_view name; // "--from"; an argument's name for its command ("file")
    ValueKind kind = ValueKind::Switch;
    std::string_view shown = {}; // the value as usage shows it: "YYYY", "FILE.csv"
    std::string_view what = {};  // a wrong value's refusal: "takes a four-digit year" (a Word's
                                 // whole; else `, not "VALUE"` follows)
    bool required = false;       // an argument that must be given
    std::string_view help = {};  // the lines of --help of the program's own options
    bool repeated = false;       // the last argument, taking every word left (a list)

    bool isOption() const { return name.starts_with("--"); }
    // As usage shows it: "--from YYYY", "FILE.csv".
    std::string usage() const {
        return std::string(isOption() ? name : "") + (isOption() && !shown.empty() ? " " : "") +
               std::string(shown);
    }
};

// A command: what runs it, its options and arguments in the order its usage
// shows them, and its lines of --help. A new command is an entry here and its
// handler.
struct Command {
    std::string_view name;
    int (*run)(CommandContext&);
    std::string_view help;
    std::string_view takes = {}; // told when its words are not what it takes: "one file"
    std::vector<Parameter> parameters = {};
    bool needsUser = false; // runs only with --user NAME, which its usage shows then
    bool precise = false;   // a refusal names the wrong word, not only what it takes
};

const std::vector<Parameter> kProgramOptions = {
    {"--home", ValueKind::Word, "DIR", "takes a folder, not an empty name", false,
     "keep all data under DIR (default: the per-user data\n"
     "folder, $XDG_DATA_HOME/gridslate)"},
    {"--user", ValueKind::Word, "NAME", "takes a user's name, not an empty one", false,
     "the user a command acts as (default admin); must be\n"
     "on the user list"},
    {"--season", ValueKind::Year, "YYYY", "takes a four-digit year", false,
     "the season a command works on (default: the one\n"
     "stored in the user list, else 2010)"},
    {"--reference-date", ValueKind::PoolDay, "DAY",
     "takes a date M/D/YYYY, \"M/D/YYYY HH:MM\" or today", false,
     "the pool's day for this command: M/D/YYYY,\n"
     "\"M/D/YYYY HH:MM\" (24-hour, the machine's clock) or\n"
     "today (default: the pool's setting; without one\n"
     "11/02/2010 up to the 2015 season, now after it);\n"
     "needs administrator rights"},
    {"--help", ValueKind::Switch, {}, {}, false, "show this text"},
    {"--version", ValueKind::Switch, {}, {}, false, "show the program's version"},
};

const Parameter kSeason = {"--season", ValueKind::Year, "YYYY", "takes a four-digit year"};
const Parameter kOverwrite = {"--overwrite"};
const Parameter kFile = {"file", ValueKind::Text, "FILE.csv", {}, true};

// Every command, in the order of --help.
const std::vector<Command> kCommands = {
    {"import-schedule",
     importScheduleCommand,
     "replace the seasons the file holds in the games\n"
     "table (header TeamA,TeamB,Date,Visitor,Home,Year),\n"
     "or merge the regular-season games of a community\n"
     "games file (season,game_type,week,gameday,...) of\n"
     "the seasons from 2016 (--from: another first\n"
     "season); games in conflict refuse the file unless\n"
     "--overwrite",
     "one file",
     {{"--from", ValueKind::Year, "YYYY", "takes a season year YYYY"}, kOverwrite, kFile},
     false,
     true},
    {"project", projectCommand,
     "run the computer player as opening This Week's\n"
     "Picks does, and at the season's end write the\n"
     "old-scores file"},
    {"players", playersCommand, "print the user list as CSV: Name,Active,Admin,Folder"},
    {"add-player",
     addPlayerCommand,
     "add a player (and make him active) and save the\n"
     "user list; needs administrator rights. The name\n"
     "ELO adds the rating player, which is active",
     "one name",
     {{"name", ValueKind::Text, "NAME", {}, true}, {"--active"}}},
    {"export-history", exportHistoryCommand, "write AllUserPickHistory.csv to the home folder"},
    {"export-results", exportResultsCommand, "write AllUserPickResults.csv to the home folder"},
    {"export-stats", exportStatisticsCommand, "write AllUserStatsYYYY.csv to the home folder"},
    {"export-winners", exportWinnersCommand,
     "write AllUserWeeklyWinnersYYYY.csv to the home folder"},
    {"winners", winnersCommand,
     "print the week's winners of every decided week as\n"
     "CSV: Week,Winners,Correct,Guess,Total (Correct: the\n"
     "winners' correct picks, or points in a confidence\n"
     "pool; Total: the points of the week's last game)"},
    {"pool-rules",
     poolRulesCommand,
     "show or set how the pool scores: winners (correct\n"
     "picks, the default) or confidence (points 1..N);\n"
     "setting it needs administrator rights",
     "at most a rule",
     {{"rule", ValueKind::Text, "confidence|winners"}}},
    {"standings", standingsCommand,
     "print the All Active User Totals of User Statistics\n"
     "as CSV: User,Correct,Picks,% Correct, best first"},
    {"pool-day",
     poolDayCommand,
     "show or set the pool's day (kept in the data\n"
     "folder): M/D/YYYY, \"M/D/YYYY HH:MM\" (24-hour, the\n"
     "machine's clock), today (now), or none (11/02/2010\n"
     "up to 2015, then now); setting it needs\n"
     "administrator rights",
     "at most one day",
     {{"day", ValueKind::Text, "DAY|today|none"}}},
    {"games",
     gamesCommand,
     "print the season's games as CSV: Week,Date,Kickoff,\n"
     "Visitor,Home,Visitor Score,Home Score, in table\n"
     "order; Kickoff is Eastern time, empty where unknown",
     "at most a season",
     {kSeason}},
    {"pick",
     pickCommand,
     "make each TEAM (as the grid shows it, any season's\n"
     "name, or the community file's code) the user's pick\n"
     "in its game of WEEK (TEAM:POINTS with its confidence\n"
     "1..N); --tiebreak: the guessed total points of the\n"
     "week's last game. A locked game, an unknown team\n"
     "or both teams of a game refuse them all. Without\n"
     "TEAM print the week as CSV: Date,Kickoff,Visitor,\n"
     "Home,Pick,Locked, and last Tiebreaker,POINTS",
     "a week and teams",
     {{"week", ValueKind::Week, "WEEK", "takes a week from 1 to 18", true},
      {"--tiebreak", ValueKind::Text, "POINTS", "takes the total points guessed"},
      {"teams", ValueKind::Text, "TEAM ...", {}, false, {}, true}},
     true,
     true},
    {"ratings",
     ratingsCommand,
     "print the teams' ratings as CSV: Team,Rating,Wins,\n"
     "Losses,Ties, best first; after every scored game\n"
     "of the season (default: the pool's) dated before\n"
     "--reference-date",
     "at most a season",
     {kSeason}},
    {"import-scores",
     importScoresCommand,
     "enter a games file's final scores (with --season,\n"
     "that season's only); needs administrator rights",
     "one file",
     {kOverwrite, kFile}},
    {"update-games",
     updateGamesCommand,
     "fetch the public community games file (from URL,\n"
     "else gamesUrl in data/PoolSettings.ini) and merge\n"
     "it as import-schedule does; exits 0 when the games\n"
     "table is up to date; --force fetches the whole file\n"
     "even when the last one is unchanged; needs\n"
     "administrator rights",
     "no file",
     {{"--url", ValueKind::Word, "URL", "takes an address, not an empty one"},
      kOverwrite,
      {"--force"}},
     false,
     true},
    {"exchange-download", exchangeDownloadCommand,
     "fetch the pool's files from the user's exchange\n"
     "place, as \"Download All User Files\" does"},
    {"exchange-upload", exchangeUploadCommand,
     "send the user's own pick files to the exchange place"},
    {"exchange-upload-admin", exchangeUploadAdminCommand,
     "send the games table, the computer players' picks\n"
     "and the user list (without passwords), and the\n"
     "pool's page to its page address when one is kept;\n"
     "needs administrator rights"},
    {"publish",
     publishCommand,
     "write the pool's page for a browser (standings,\n"
     "weekly winners, the picks of the current week's\n"
     "games that have kicked off, the % Overall chart):\n"
     "DIR/index.html, else pool-YYYY.html in the home\n"
     "folder; --to sends it as index.html to ADDRESS (a\n"
     "folder or an ftp:// address, never the exchange\n"
     "place), kept for Upload Admin Files to send it\n"
     "again; --to needs administrator rights",
     "no arguments",
     {{"--out", ValueKind::Word, "DIR", "takes a folder, not an empty name"},
      {"--to", ValueKind::Word, "ADDRESS",
       "takes a folder or an ftp:// address, not an empty one"}},
     false,
     true},
    {"join",
     joinCommand,
     "with --user NAME: make this new home a player's\n"
     "machine of the pool whose files are at PLACE (a\n"
     "shared folder or an ftp:// address); the password\n"
     "for this machine is read from standard input",
     "your name and the pool's place",
     {{"place", ValueKind::Text, "PLACE", {}, true}},
     true},
};

std::string usageOf(const Command& command) {
    std::string usage(command.name);
    for (const Parameter& p : command.parameters)
        usage += p.required ? " " + p.usage() : " [" + p.usage() + "]";
    return usage;
}

// The refusal of a command's words: "import-scores takes one file", or for a
// precise command the reason, followed by the usage where it has one.
Error refusalOfWords(const Command& command, std::string reason = {}) {
    if (reason.empty() || !command.precise)
        reason = std::string(command.name) + " takes " +
                 std::string(command.takes.empty() ? "no arguments" : command.takes);
    if (!command.parameters.empty())
        reason += std::string(": ") + (command.needsUser ? "--user NAME " : "") + usageOf(command);
    return {ErrorKind::Refused, std::move(reason)};
}

bool isDigits(const std::string& text, size_t most) {
    return !text.empty() && text.size() <= most &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool isYear(const std::string& text) {
    return text.size() == 4 && isDigits(text, 4);
}

bool isWeek(const std::string& text) {
    return isDigits(text, 2) && std::stoi(text) >= 1 && std::stoi(text) <= kMaxWeeks;
}

// The value as its parameter's kind reads it, or why it is none.
Result<Arguments::Value> readValue(const Parameter& p, const std::string& text) {
    bool valid = p.kind == ValueKind::Year      ? isYear(text)
                 : p.kind == ValueKind::Week    ? isWeek(text)
                 : p.kind == ValueKind::PoolDay ? isPoolDaySetting(text)
                                                : p.kind != ValueKind::Word || !text.empty();
    if (!valid)
        return failure(ErrorKind::Refused,
                       std::string(p.name) + " " + std::string(p.what) +
                           (p.kind == ValueKind::Word ? "" : ", not \"" + text + "\""));
    if (p.kind == ValueKind::Switch)
        return true;
    if (p.kind == ValueKind::Year || p.kind == ValueKind::Week)
        return std::stoi(text);
    return text;
}

// Reads words as options ("--name VALUE" or "--name=VALUE") and arguments
// in their order, for a command or (without one) for the program. The
// program's options may be given again, the last one counting, and end at
// its first other word, the command, whose place goes to `commandAt`.
Result<Arguments> readWords(const Command* command, std::span<const std::string> words,
                            size_t* commandAt = nullptr) {
    const std::vector<Parameter>& parameters = command ? command->parameters : kProgramOptions;
    auto refuse = [&](std::string reason) -> Result<Arguments> {
        return failure(command ? refusalOfWords(*command, std::move(reason))
                               : Error{ErrorKind::Refused, std::move(reason)});
    };
    if (command && parameters.empty() && !words.empty())
        return refuse({});
    std::map<std::string_view, std::string> given;
    std::vector<std::string> list; // the words of a repeated argument
    auto nextArgument = parameters.begin();
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string word = !command && words[i] == "-h" ? "--help" : words[i];
        if (!word.starts_with(command ? "--" : "-")) {
            if (!command) {
                *commandAt = i;
                break;
            }
            nextArgument =
                std::ranges::find_if_not(nextArgument, parameters.end(), &Parameter::isOption);
            if (nextArgument == parameters.end())
                return refuse({});
            if (nextArgument->repeated) {
                list.push_back(word);
                continue;
            }
            given[nextArgument++->name] = word;
            continue;
        }
        const std::string name = word.substr(0, word.find('='));
        auto p = std::find_if(parameters.begin(), parameters.end(),
                              [&](const Parameter& p) { return p.isOption() && p.name == name; });
        if (p == parameters.end() || (p->kind == ValueKind::Switch && name != word))
            return refuse(command ? std::string(command->name) + " has no option " + word
                                  : "unknown option " + word);
        if (command && given.contains(p->name))
            return refuse(std::string(command->name) + " takes " + name + " once");
        std::string& value = given[p->name];
        if (name != word)
            value = word.substr(name.size() + 1);
        else if (p->kind != ValueKind::Switch && i + 1 == words.size())
            return refuse(name + " needs a value");
        else if (p->kind != ValueKind::Switch)
            value = words[++i];
    }
    Arguments arguments;
    for (const Parameter& p : parameters) {
        if (p.repeated && !list.empty()) {
            arguments.values.emplace(p.name, list);
            continue;
        }
        auto text = given.find(p.name);
        if (text == given.end() && p.required)
            return refuse({});
        if (text == given.end())
            continue;
        Result<Arguments::Value> value = readValue(p, text->second);
        if (!value)
            return refuse(value.error().message);
        arguments.values.emplace(p.name, std::move(*value));
    }
    return arguments;
}

// An entry of --help: its term two spaces in, the lines of its explanation
// from column 29, the first beside the term when the term leaves room.
std::string helpEntry(const std::string& term, std::string_view help) {
    constexpr size_t kColumn = 29;
    std::string entry = "  " + term;
    entry += term.size() + 4 <= kColumn ? std::string(kColumn - 2 - term.size(), ' ')
                                        : "\n" + std::string(kColumn, ' ');
    for (char c : help)
        entry += c == '\n' ? "\n" + std::string(kColumn, ' ') : std::string(1, c);
    return entry + "\n";
}

} // namespace

Result<CommandLine> parseCommandLine(const std::vector<std::string>& args) {
    CommandLine line;
    size_t commandAt = args.size();
    Result<Arguments> options = readWords(nullptr, args, &commandAt);
    if (!options)
        return failure(options.error());
    line.home = options->get<std::string>("--home");
    line.user = options->get<std::string>("--user");
    line.season = options->get<int>("--season");
    line.referenceDate = options->get<std::string>("--reference-date");
    line.help = options->has("--help");
    line.version = options->has("--version");
    line.command.assign(args.begin() + static_cast<std::ptrdiff_t>(commandAt), args.end());
    if (line.help || line.version || line.command.empty())
        return line;
    auto command = std::find_if(kCommands.begin(), kCommands.end(),
                                [&](const Command& c) { return c.name == line.command[0]; });
    if (command == kCommands.end())
        return failure(ErrorKind::Refused, "unknown command " + line.command[0]);
    line.run = command->run;
    line.arguments = readWords(&*command, std::span(line.command).subspan(1));
    if (line.arguments && command->needsUser && !line.user)
        line.arguments = failure(refusalOfWords(*command));
    return line;
}

std::string usageText() {
    std::string text = "Usage: gridslate [OPTIONS] [COMMAND ...]\n"
                       "Runs the weekly football picks pool. Without a command the window opens.\n"
                       "\n"
                       "Options:\n";
    for (const Parameter& option : kProgramOptions)
        text += helpEntry(option.usage(), option.help);
    text += "\nCommands:\n";
    for (const Command& command : kCommands)
        text += helpEntry(usageOf(command), command.help);
    return text;
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
    // Refused before anything is looked up or created for the command.
    if (!line.command.empty() && !line.arguments) {
        err << "gridslate: " << line.arguments.error().message << '\n';
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
    else if (Status held = line.season ? checkSeasonHeld(pool, *line.season) : Status{}; !held)
        dialogs.refuse(held.error().message);
    else if (line.command[0] == "join")
        ready = true; // nobody is on the list yet, and nothing may be made for him
    else
        ready = actAsUser(pool, line, dialogs, err);
    dialogs.setQuiet(false);
    // The pool's day is the administrator's, for one command as for good.
    if (ready && line.referenceDate && !pool.isAdmin(pool.currentUser())) {
        dialogs.refuse(std::string(kNotAdminMessage) +
                       ": only an administrator may set the pool's day (--reference-date)");
        ready = false;
    }
    // The season is known now: the pool's day may follow it.
    refreshPoolDay(pool);
    int status = 1;
    if (ready) {
        CommandContext context{pool,        dialogs, *line.arguments, out, err,
                               line.season, in,      line.user};
        status = line.run(context);
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
