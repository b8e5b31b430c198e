#include "latepicks.h"

#include "core/textfile.h"
#include "schedule/calendar.h"
#include "schedule/pickextras.h"
#include "schedule/pickfiles.h"

namespace gs {

namespace {

constexpr int kVisitorPicked = 1;
constexpr int kHomePicked = 2;

std::string keptText(const Game& game, const GameValue& kept) {
    if (!kept)
        return "no pick";
    std::string visitor = game.visitor.abbreviation(game.season);
    std::string home = game.home.abbreviation(game.season);
    if (*kept == kVisitorPicked)
        return visitor;
    if (*kept == kHomePicked)
        return home;
    return visitor + " and " + home;
}

// Puts the kept pick's digits of both teams into the week line.
void putPick(std::string& line, const Game& game, const GameValue& kept) {
    int value = kept.value_or(0);
    for (auto [team, bit] : {std::pair{game.visitor, kVisitorPicked}, {game.home, kHomePicked}}) {
        size_t position = 2 * static_cast<size_t>(team.number()) - 2;
        if (position < line.size())
            line[position] = (value & bit) ? '1' : '0';
    }
}

} // namespace

std::vector<GameValue> gamePicks(const Season& season, const std::vector<int>& weeks,
                                 const PickTable& picks) {
    std::vector<GameValue> values;
    values.reserve(season.games.size());
    for (size_t g = 0; g < season.games.size(); ++g) {
        const Game& game = season.games[g];
        const auto& week = picks[static_cast<size_t>(weeks[g])];
        int value = (week[game.visitor.number()] == 1 ? kVisitorPicked : 0) |
                    (week[game.home.number()] == 1 ? kHomePicked : 0);
        values.push_back(value ? GameValue(value) : std::nullopt);
    }
    return values;
}

Result<ReceivedPicks> mergeReceivedPicks(const Season& season, const std::string& player,
                                         const std::filesystem::path& held,
                                         const std::filesystem::path& received,
                                         const DownloadTimes& times, const TimeZone& zone) {
    SeasonShape shape = seasonShape(season.year);
    Result<std::vector<std::string>> lines = readTextFile(received);
    if (!lines)
        return failure(lines.error());
    Result<PickFileContent> offered = readPickFile(received, shape);
    if (!offered)
        return failure(offered.error());
    Result<PickFileContent> kept = readPickFile(held, shape);
    PickTable heldPicks = kept ? kept->picks : PickTable{};

    std::vector<int> weeks = gameWeeks(season);
    LateChangeMerge merge = mergeLateChanges(season.games, gamePicks(season, weeks, heldPicks),
                                             gamePicks(season, weeks, offered->picks), times, zone);
    ReceivedPicks result;
    if (merge.refused.empty())
        return result;
    for (const RefusedChange& refused : merge.refused) {
        const Game& game = season.games[refused.game];
        int week = weeks[refused.game];
        if (static_cast<size_t>(week) <= lines->size())
            putPick((*lines)[static_cast<size_t>(week) - 1], game, refused.kept);
        result.refusals.push_back(player + ": the pick of " + game.visitorName() + " at " +
                                  game.homeName() + " (week " + std::to_string(week) +
                                  ") changed after its kickoff; kept " +
                                  keptText(game, refused.kept));
    }
    result.lines = std::move(*lines);
    return result;
}

namespace {

// A week's guess as a value of each game: the points at the game it names.
std::vector<GameValue> gameGuesses(const Season& season, const std::vector<int>& weeks,
                                   const ExtrasTable& extras) {
    std::vector<GameValue> values(season.games.size());
    for (size_t g = 0; g < season.games.size(); ++g) {
        const Game& game = season.games[g];
        const std::optional<TiebreakGuess>& guess = extras[static_cast<size_t>(weeks[g])].guess;
        if (guess && guess->visitor == game.visitor.number() && guess->home == game.home.number())
            values[g] = guess->points;
    }
    return values;
}

std::vector<GameValue> gameConfidences(const Season& season, const std::vector<int>& weeks,
                                       const ExtrasTable& extras) {
    std::vector<GameValue> values(season.games.size());
    for (size_t g = 0; g < season.games.size(); ++g) {
        int value = extras[static_cast<size_t>(weeks[g])]
                        .values[static_cast<size_t>(season.games[g].visitor.number())];
        if (value != 0)
            values[g] = value;
    }
    return values;
}

Result<ExtrasTable> readExtrasFile(const std::filesystem::path& path, SeasonShape shape) {
    Result<std::vector<std::string>> lines = readTextFile(path);
    if (!lines)
        return failure(lines.error());
    return parseExtras(*lines, shape);
}

} // namespace

Result<ReceivedPicks> mergeReceivedExtras(const Season& season, const std::string& player,
                                          const std::filesystem::path& held,
                                          const std::filesystem::path& received,
                                          const DownloadTimes& times, const TimeZone& zone) {
    SeasonShape shape = seasonShape(season.year);
    Result<ExtrasTable> offered = readExtrasFile(received, shape);
    if (!offered)
        return failure(offered.error());
    // A missing or unreadable copy holds nothing.
    ExtrasTable kept = readExtrasFile(held, shape).value_or(ExtrasTable{});

    std::vector<int> weeks = gameWeeks(season);
    LateChangeMerge guesses = mergeLateChanges(season.games, gameGuesses(season, weeks, kept),
                                               gameGuesses(season, weeks, *offered), times, zone);
    LateChangeMerge confidences =
        mergeLateChanges(season.games, gameConfidences(season, weeks, kept),
                         gameConfidences(season, weeks, *offered), times, zone);
    ReceivedPicks result;
    if (guesses.refused.empty() && confidences.refused.empty())
        return result;

    ExtrasTable merged = *offered;
    auto keptText = [](const GameValue& value) {
        return value ? std::to_string(*value) : std::string("none");
    };
    for (const RefusedChange& refused : guesses.refused) {
        const Game& game = season.games[refused.game];
        size_t week = static_cast<size_t>(weeks[refused.game]);
        std::optional<TiebreakGuess>& guess = merged[week].guess;
        // A week holds one guess: the held one comes back, or the new one for
        // this game goes.
        if (refused.kept)
            guess = TiebreakGuess{*refused.kept, game.visitor.number(), game.home.number()};
        else if (guess && guess->visitor == game.visitor.number() &&
                 guess->home == game.home.number())
            guess.reset();
        result.refusals.push_back(player + ": the tiebreaker of week " + std::to_string(week) +
                                  " (" + game.visitorName() + " at " + game.homeName() +
                                  ") changed after its kickoff; kept " + keptText(refused.kept));
    }
    for (const RefusedChange& refused : confidences.refused) {
        const Game& game = season.games[refused.game];
        size_t week = static_cast<size_t>(weeks[refused.game]);
        merged[week].values[static_cast<size_t>(game.visitor.number())] = refused.kept.value_or(0);
        result.refusals.push_back(player + ": the confidence of " + game.visitorName() + " at " +
                                  game.homeName() + " (week " + std::to_string(week) +
                                  ") changed after its kickoff; kept " + keptText(refused.kept));
    }
    result.lines = extrasLines(merged, shape);
    return result;
}

} // namespace gs
