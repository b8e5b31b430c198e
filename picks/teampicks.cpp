#include "teampicks.h"

#include "core/text.h"
#include "schedule/calendar.h"
#include "schedule/pickfiles.h"
#include "schedule/seasongames.h"
#include "stats/weeklywinners.h"

#include <algorithm>
#include <charconv>

namespace gs {

namespace {

// The team a word names in the season, as the grid, a season's list or the
// community file names it.
std::optional<Team> teamOfWord(const std::string& word, int season) {
    std::string upper = upperAscii(trimSpaces(word));
    for (int number = 1; number <= kTeamCount; ++number) {
        Team team = *Team::ofNumber(number);
        if (upperAscii(team.abbreviation(season)) == upper)
            return team;
    }
    if (std::optional<Team> named = Team::namedIgnoringSpaces(word))
        return named;
    return Team::ofCode(word);
}

std::string gameName(const Game& game, int week) {
    return game.visitorName() + " at " + game.homeName() + " (week " + std::to_string(week) + ")";
}

// The season's games of the week, by their place in the season.
std::vector<int> gamesOfWeek(const Season& season, int week) {
    std::vector<int> weeks = gameWeeks(season);
    std::vector<int> games;
    for (size_t g = 0; g < weeks.size(); ++g)
        if (weeks[g] == week)
            games.push_back(static_cast<int>(g));
    return games;
}

Result<Season> seasonWithWeek(const Pool& pool, int week) {
    Result<Season> season = rebuildSeasonGames(pool);
    if (!season)
        return season;
    if (week < 1 || week > season->shape.weeks)
        return failure(ErrorKind::Refused,
                       "the " + std::to_string(season->year) + " season has weeks 1 to " +
                           std::to_string(season->shape.weeks) + ", not " + std::to_string(week));
    return season;
}

} // namespace

Result<std::vector<TeamPick>> readTeamPicks(const std::vector<std::string>& words,
                                            const Season& season, int week) {
    std::vector<int> games = gamesOfWeek(season, week);
    std::vector<TeamPick> picks;
    for (const std::string& word : words) {
        std::optional<Team> team = teamOfWord(word, season.year);
        if (!team)
            return failure(ErrorKind::Refused, "no team is named \"" + word + "\"");
        auto game = std::find_if(games.begin(), games.end(), [&](int g) {
            const Game& played = season.games[static_cast<size_t>(g)];
            return played.visitor == *team || played.home == *team;
        });
        if (game == games.end())
            return failure(ErrorKind::Refused, team->name(season.year) + " play no game in week " +
                                                   std::to_string(week));
        auto same = std::find_if(picks.begin(), picks.end(),
                                 [&](const TeamPick& pick) { return pick.game == *game; });
        if (same != picks.end() && same->team != *team)
            return failure(ErrorKind::Refused,
                           "both teams of " +
                               gameName(season.games[static_cast<size_t>(*game)], week) +
                               " are named: pick one of them");
        if (same == picks.end())
            picks.push_back({*game, *team});
    }
    return picks;
}

Status pickTeams(Pool& pool, const std::string& player, int week,
                 const std::vector<std::string>& words) {
    auto refused = [](const std::string& reason) {
        return failure(ErrorKind::Refused, reason + "; no pick was saved");
    };
    if (player == kComputerPlayer || player == kRatingPlayer)
        return refused(player + " makes its own picks");
    Result<Season> season = seasonWithWeek(pool, week);
    if (!season)
        return season.error().kind == ErrorKind::Refused ? refused(season.error().message)
                                                         : failure(season.error());
    Result<std::vector<TeamPick>> chosen = readTeamPicks(words, *season, week);
    if (!chosen)
        return refused(chosen.error().message);
    Result<PlayerPicks> held = loadPicks(pool, player);
    if (!held)
        return failure(held.error());
    PickTable picks = held->picks;
    for (const TeamPick& pick : *chosen) {
        const Game& game = season->games[static_cast<size_t>(pick.game)];
        if (game.lockedAt(pool.moment()))
            return refused(gameName(game, week) + " is locked at the pool's day " +
                           pool.moment().text());
        auto& weekPicks = picks[static_cast<size_t>(week)];
        weekPicks[static_cast<size_t>(game.visitor.number())] = 0;
        weekPicks[static_cast<size_t>(game.home.number())] = 0;
        weekPicks[static_cast<size_t>(pick.team.number())] = 1;
    }
    Result<PickTable> saved = savePicksOver(pool, player, picks, held->picks);
    if (!saved)
        return failure(saved.error());
    return {};
}

namespace {

// A whole number low..high, or nullopt.
std::optional<int> numberIn(std::string_view text, int low, int high) {
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < low ||
        value > high)
        return std::nullopt;
    return value;
}

} // namespace

Result<ExtrasTable> changeWeekExtras(const Pool& pool, const std::string& player, int week,
                                     std::vector<std::string>& words,
                                     const std::optional<std::string>& guess) {
    auto refused = [](const std::string& reason) {
        return failure(ErrorKind::Refused, reason + "; no pick was saved");
    };
    if (isComputerPlayer(player))
        return refused(player + " makes its own picks");
    Result<ExtrasTable> extras = loadExtras(pool, player);
    if (!extras)
        return extras;
    Result<Season> season = seasonWithWeek(pool, week);
    if (!season)
        return season.error().kind == ErrorKind::Refused ? refused(season.error().message)
                                                         : failure(season.error());
    const std::vector<int> games = gamesOfWeek(*season, week);
    auto& values = (*extras)[static_cast<size_t>(week)].values;
    std::vector<int> given;
    for (std::string& word : words) {
        size_t colon = word.rfind(':');
        if (colon == std::string::npos)
            continue;
        std::optional<int> value =
            numberIn(std::string_view(word).substr(colon + 1), 1, static_cast<int>(games.size()));
        if (!value)
            return refused(""
                           " + word + "
                           " gives a confidence other than 1 to " +
                           std::to_string(games.size()));
        if (std::find(given.begin(), given.end(), *value) != given.end())
            return refused("the confidence " + std::to_string(*value) + " is given twice");
        given.push_back(*value);
        word.resize(colon);
        Result<std::vector<TeamPick>> pick = readTeamPicks({word}, *season, week);
        if (!pick)
            return refused(pick.error().message);
        const Game& game = season->games[static_cast<size_t>(pick->front().game)];
        if (game.lockedAt(pool.moment()))
            return refused(gameName(game, week) + " is locked at the pool's day " +
                           pool.moment().text());
        int& own = values[static_cast<size_t>(game.visitor.number())];
        for (int g : games)
            if (int& other = values[static_cast<size_t>(
                    season->games[static_cast<size_t>(g)].visitor.number())];
                other == *value && &other != &own)
                other = own;
        own = *value;
    }
    if (!guess)
        return extras;
    std::optional<TiebreakGuess>& held = (*extras)[static_cast<size_t>(week)].guess;
    int last = lastGameRow(season->games, games);
    for (int g : games)
        if (held && season->games[static_cast<size_t>(g)].visitor.number() == held->visitor &&
            season->games[static_cast<size_t>(g)].home.number() == held->home)
            last = g;
    if (last < 0)
        return refused("week " + std::to_string(week) + " has no games");
    const Game& game = season->games[static_cast<size_t>(last)];
    if (game.lockedAt(pool.moment()))
        return refused("the tiebreaker's game, " + gameName(game, week) +
                       ", is locked at the pool's day " + pool.moment().text());
    if (guess->empty()) {
        held.reset();
        return extras;
    }
    std::optional<int> points = numberIn(*guess, 0, kMaxGuess);
    if (!points)
        return refused("--tiebreak takes the total points guessed, 0 to " +
                       std::to_string(kMaxGuess) + ", not \"" + *guess + "\"");
    held = TiebreakGuess{*points, game.visitor.number(), game.home.number()};
    return extras;
}

Result<std::vector<std::string>> weekPickLines(const Pool& pool, const std::string& player,
                                               int week) {
    Result<Season> season = seasonWithWeek(pool, week);
    if (!season)
        return failure(season.error());
    Result<PlayerPicks> held = loadPicks(pool, player);
    if (!held)
        return failure(held.error());
    const auto& weekPicks = held->picks[static_cast<size_t>(week)];
    std::vector<std::string> lines = {"Date,Kickoff,Visitor,Home,Pick,Locked"};
    for (int g : gamesOfWeek(*season, week)) {
        const Game& game = season->games[static_cast<size_t>(g)];
        std::string pick;
        for (Team team : {game.visitor, game.home})
            if (weekPicks[static_cast<size_t>(team.number())] == 1)
                pick = team.abbreviation(season->year);
        lines.push_back(game.dateText() + "," + game.kickoffText() + "," + game.visitorName() +
                        "," + game.homeName() + "," + pick + "," +
                        (game.lockedAt(pool.moment()) ? "yes" : "no"));
    }
    Result<ExtrasTable> extras = loadExtras(pool, player);
    if (!extras)
        return failure(extras.error());
    const std::optional<TiebreakGuess>& guess = (*extras)[static_cast<size_t>(week)].guess;
    lines.push_back("Tiebreaker," + (guess ? std::to_string(guess->points) : std::string()));
    return lines;
}

} // namespace gs
