#include "commandline.h"

#include "core/dialogs.h"
#include "core/state.h"
#include "core/text.h"
#include "core/userlist.h"
#include "picks/weeklypicks.h"
#include "schedule/calendar.h"
#include "schedule/importer.h"
#include "schedule/seasongames.h"

#include <algorithm>
#include <map>

namespace gs {

namespace {

// Messages of a command: information goes to standard output, refusals to
// standard error, and any refusal makes the command fail.
class CommandDialogs final : public Dialogs {
public:
    CommandDialogs(std::ostream& out, std::ostream& err) : m_out(out), m_err(err) {}
    void message(const std::string& text, const std::string& title) override {
        if (m_quiet && title != "Error")
            return;
        if (title == "Error") {
            m_err << "gridslate: " << text << '\n';
            m_failed = true;
        } else {
            m_out << text << '\n';
        }
    }
    bool confirm(const std::string& text, const std::string& title) override {
        message(text, title);
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
bool actAsUser(const CommandLine& line, std::ostream& err) {
    std::string user = line.user.value_or("admin");
    State.CurrentUser = user;
    if (!LoadUserList())
        return false;
    if (State.CurrentUser == NewListSentinel) {
        State.CurrentUser = user;
        if (!LoadUserList())
            return false;
    }
    if (State.CurrentUser == NotFoundSentinel) {
        err << "gridslate: user \"" << user << "\" is not on the user list\n";
        return false;
    }
    if (line.season)
        State.SeasonYear = *line.season;
    return true;
}

int importScheduleCommand(const std::vector<std::string>& args, std::ostream& out,
                          std::ostream& err) {
    if (args.size() != 2) {
        err << "gridslate: import-schedule takes one file: import-schedule FILE.csv\n";
        return 2;
    }
    std::string error = importSchedule(args[1]);
    if (!error.empty()) {
        err << "gridslate: " << args[1] << ": " << error << '\n';
        return 1;
    }
    out << "Imported " << args[1] << '\n';
    return 0;
}

int projectCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) {
        err << "gridslate: project takes no arguments\n";
        return 2;
    }
    mnuItemThisWeek_Click();
    int projected = 0;
    for (int r = 0; r <= kMaxSeasonGames; ++r)
        projected += State.SpreadTable[r] != 0;
    out << "Season " << State.SeasonYear << ": week " << State.CurrentWeek << " is current"
        << (State.SeasonOver ? " (the season is over)" : "") << "; " << projected
        << " games have a projected spread.\n";
    return 0;
}

} // namespace

bool parseCommandLine(const std::vector<std::string>& args, CommandLine& out, std::string& error) {
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
        std::string name = arg;
        std::optional<std::string> value;
        if (size_t eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
        }
        auto option = kOptions.find(name);
        if (option != kOptions.end()) {
            if (!value) {
                if (i + 1 >= args.size()) {
                    error = name + " needs a value";
                    return false;
                }
                value = args[++i];
            }
            out.*(option->second) = *value;
            continue;
        }
        if (arg.rfind("-", 0) == 0) {
            error = "unknown option " + arg;
            return false;
        }
        out.command.push_back(arg);
    }
    if (out.season && !isYear(*out.season)) {
        error = "--season takes a four-digit year, not \"" + *out.season + "\"";
        return false;
    }
    if (out.referenceDate && dayOfWeek(*out.referenceDate) == 0) {
        error = "--reference-date takes a date M/D/YYYY, not \"" + *out.referenceDate + "\"";
        return false;
    }
    return true;
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
           "  --season YYYY              the season a command works on (default 2010)\n"
           "  --reference-date M/D/YYYY  the pool's current day (default 11/02/2010)\n"
           "  --help                     show this text\n"
           "\n"
           "Commands:\n"
           "  import-schedule FILE.csv   replace the seasons the file holds in the games\n"
           "                             table (header TeamA,TeamB,Date,Visitor,Home,Year)\n"
           "  project                    run the computer player as opening This Week's\n"
           "                             Picks does, and at the season's end write the\n"
           "                             old-scores file\n";
}

int runCommandLine(const std::vector<std::string>& args, const std::function<int()>& startWindow,
                   std::ostream& out, std::ostream& err) {
    CommandLine line;
    std::string error;
    if (!parseCommandLine(args, line, error)) {
        err << "gridslate: " << error << " (see gridslate --help)\n";
        return 2;
    }
    if (line.help) {
        out << usageText();
        return 0;
    }

    static const std::map<std::string,
                          int (*)(const std::vector<std::string>&, std::ostream&, std::ostream&)>
        kCommands = {{"import-schedule", importScheduleCommand}, {"project", projectCommand}};
    auto command = line.command.empty() ? kCommands.end() : kCommands.find(line.command[0]);
    if (!line.command.empty() && command == kCommands.end()) {
        err << "gridslate: unknown command " << line.command[0] << " (see gridslate --help)\n";
        return 2;
    }

    Actions_Load(line.home ? std::filesystem::path(*line.home) : defaultInstallFolder());
    if (line.referenceDate)
        State.ReferenceDate = *line.referenceDate;

    if (line.command.empty()) {
        if (!ensureGamesTable())
            return 1;
        return startWindow();
    }

    CommandDialogs commandDialogs(out, err);
    setDialogs(&commandDialogs);
    int status = 1;
    commandDialogs.setQuiet(true);
    bool ready = ensureGamesTable() && actAsUser(line, err);
    commandDialogs.setQuiet(false);
    if (ready)
        status = command->second(line.command, out, err);
    setDialogs(nullptr);
    if (status == 0 && commandDialogs.failed())
        status = 1;
    return status;
}

} // namespace gs
