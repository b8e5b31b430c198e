#include "latepicks.h"

#include "core/textfile.h"
#include "schedule/calendar.h"
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

} // namespace gs
