#include "commands.h"

#include "core/codepage.h"
#include "picks/teampicks.h"

namespace gs {

int pickCommand(CommandContext& c) {
    const int week = *c.args.get<int>("week");
    const std::string& player = c.pool.currentUser();
    std::optional<std::vector<std::string>> teams = c.args.get<std::vector<std::string>>("teams");
    const std::optional<std::string> guess = c.args.get<std::string>("--tiebreak");
    if (!teams && !guess) {
        Result<std::vector<std::string>> lines = weekPickLines(c.pool, player, week);
        if (!lines) {
            c.dialogs.refuse(lines.error().message);
            return 1;
        }
        for (const std::string& line : *lines)
            c.out << cp1252ToUtf8(line) << '\n';
        return 0;
    }
    // Names on the command line are UTF-8; the league's names Windows-1252.
    std::vector<std::string> words = teams.value_or(std::vector<std::string>{});
    for (std::string& team : words)
        team = utf8ToCp1252Exactly(team).value_or(team);
    // The guesses and values are checked before any pick is saved, and
    // saved after the picks were.
    Result<ExtrasTable> extras = changeWeekExtras(c.pool, player, week, words, guess);
    if (!extras) {
        c.dialogs.refuse(extras.error().message);
        return 1;
    }
    if (!words.empty())
        if (Status picked = pickTeams(c.pool, player, week, words); !picked) {
            c.dialogs.refuse(picked.error().message);
            return 1;
        }
    if (Status saved = saveExtras(c.pool, player, *extras); !saved) {
        c.dialogs.refuse(saved.error().message);
        return 1;
    }
    return 0;
}

} // namespace gs
