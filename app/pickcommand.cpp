#include "commands.h"

#include "core/codepage.h"
#include "picks/teampicks.h"

namespace gs {

int pickCommand(CommandContext& c) {
    const int week = *c.args.get<int>("week");
    const std::string& player = c.pool.currentUser();
    std::optional<std::vector<std::string>> teams = c.args.get<std::vector<std::string>>("teams");
    if (!teams) {
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
    for (std::string& team : *teams)
        team = utf8ToCp1252Exactly(team).value_or(team);
    if (Status picked = pickTeams(c.pool, player, week, *teams); !picked) {
        c.dialogs.refuse(picked.error().message);
        return 1;
    }
    return 0;
}

} // namespace gs
