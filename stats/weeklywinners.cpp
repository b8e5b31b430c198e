#include "weeklywinners.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace gs {

namespace {

// Orders games for "kicks off last": by kickoff where both have one, else by
// day, else by table order.
bool startsBefore(const Game& a, int rowA, const Game& b, int rowB) {
    if (a.kickoff && b.kickoff && a.kickoff->instant() != b.kickoff->instant())
        return a.kickoff->instant() < b.kickoff->instant();
    if (a.date && b.date && *a.date != *b.date)
        return *a.date < *b.date;
    return rowA < rowB;
}

int pointsOf(const Game& game) {
    return static_cast<int>(std::lround(game.visitorPoints() + game.homePoints()));
}

// The total points the guess is measured against: the game it was made for
// when that game is in the week, else the week's last game.
int guessTotal(const std::vector<Game>& games, const std::vector<int>& rows,
               const TiebreakGuess& guess, int lastTotal) {
    for (int r : rows) {
        const Game& game = games[static_cast<size_t>(r)];
        if (game.visitor.number() == guess.visitor && game.home.number() == guess.home)
            return pointsOf(game);
    }
    return lastTotal;
}

bool pickedAny(const std::vector<Game>& games, const std::vector<int>& rows, int week,
               const PickTable& picks) {
    const auto& chosen = picks[static_cast<size_t>(week)];
    return std::any_of(rows.begin(), rows.end(), [&](int r) {
        const Game& game = games[static_cast<size_t>(r)];
        return chosen[static_cast<size_t>(game.visitor.number())] == 1 ||
               chosen[static_cast<size_t>(game.home.number())] == 1;
    });
}

} // namespace

int lastGameRow(const std::vector<Game>& games, const std::vector<int>& rows) {
    int last = -1;
    for (int r : rows)
        if (last < 0 ||
            !startsBefore(games[static_cast<size_t>(r)], r, games[static_cast<size_t>(last)], last))
            last = r;
    return last;
}

std::vector<std::vector<int>> weekRowsOf(const std::vector<int>& gameWeeks) {
    std::vector<std::vector<int>> rows(kMaxWeeks + 1);
    for (size_t r = 0; r < gameWeeks.size(); ++r) {
        int week = std::clamp(gameWeeks[r], 1, kMaxWeeks);
        rows[static_cast<size_t>(week)].push_back(static_cast<int>(r));
    }
    return rows;
}

int weekScore(const std::vector<Game>& games, const std::vector<int>& rows, int week,
              const WinnerEntry& player, PoolRule rule) {
    const auto& chosen = player.picks[static_cast<size_t>(week)];
    const auto& values = player.extras[static_cast<size_t>(week)].values;
    int score = 0;
    for (int r : rows) {
        const Game& game = games[static_cast<size_t>(r)];
        std::optional<Team> winner = game.winner();
        if (!game.scored() || !winner || chosen[static_cast<size_t>(winner->number())] != 1)
            continue;
        score +=
            rule == PoolRule::Confidence ? values[static_cast<size_t>(game.visitor.number())] : 1;
    }
    return score;
}

std::vector<WeekWinners> rankWeeklyWinners(const std::vector<Game>& games,
                                           const std::vector<int>& gameWeeks, PoolRule rule,
                                           const std::vector<WinnerEntry>& players) {
    std::vector<WeekWinners> decided;
    std::vector<std::vector<int>> weeks = weekRowsOf(gameWeeks);
    for (int w = 1; w <= kMaxWeeks; ++w) {
        const std::vector<int>& rows = weeks[static_cast<size_t>(w)];
        bool complete = !rows.empty() && std::all_of(rows.begin(), rows.end(), [&](int r) {
            return games[static_cast<size_t>(r)].scored();
        });
        if (!complete)
            continue;
        const int lastTotal = pointsOf(games[static_cast<size_t>(lastGameRow(games, rows))]);
        // Best first: the score, then the distance of the guess (none: after
        // every guess).
        constexpr long kNoGuess = std::numeric_limits<long>::max();
        struct Ranked {
            size_t player;
            int score;
            long distance;
        };
        std::vector<Ranked> persons;
        for (size_t p = 0; p < players.size(); ++p) {
            const WinnerEntry& player = players[p];
            if (player.computer || !pickedAny(games, rows, w, player.picks))
                continue;
            const std::optional<TiebreakGuess>& guess = player.extras[static_cast<size_t>(w)].guess;
            long distance =
                guess ? std::labs(guess->points - guessTotal(games, rows, *guess, lastTotal))
                      : kNoGuess;
            persons.push_back({p, weekScore(games, rows, w, player, rule), distance});
        }
        if (persons.empty())
            continue;
        auto better = [](const Ranked& a, const Ranked& b) {
            return a.score != b.score ? a.score > b.score : a.distance < b.distance;
        };
        const Ranked best = *std::min_element(persons.begin(), persons.end(), better);
        WeekWinners week{w, {}, best.score, {}, lastTotal};
        for (const Ranked& r : persons) {
            if (r.score != best.score || r.distance != best.distance)
                continue;
            const WinnerEntry& player = players[r.player];
            week.winners.push_back(player.name);
            const std::optional<TiebreakGuess>& guess = player.extras[static_cast<size_t>(w)].guess;
            week.guesses.push_back(guess ? std::optional<int>(guess->points) : std::nullopt);
        }
        decided.push_back(std::move(week));
    }
    return decided;
}

ExtrasTable confidenceByMargin(const std::vector<Game>& games, const std::vector<int>& gameWeeks,
                               const std::vector<int>& margins) {
    ExtrasTable extras{};
    std::vector<std::vector<int>> weeks = weekRowsOf(gameWeeks);
    for (int w = 1; w <= kMaxWeeks; ++w) {
        std::vector<int> rows = weeks[static_cast<size_t>(w)];
        auto margin = [&](int r) {
            return static_cast<size_t>(r) < margins.size()
                       ? std::abs(margins[static_cast<size_t>(r)])
                       : 0;
        };
        // Equal margins: the earlier game is the more confident.
        std::sort(rows.begin(), rows.end(), [&](int a, int b) {
            return margin(a) != margin(b) ? margin(a) < margin(b) : a > b;
        });
        for (size_t k = 0; k < rows.size(); ++k) {
            const Game& game = games[static_cast<size_t>(rows[k])];
            extras[static_cast<size_t>(w)].values[static_cast<size_t>(game.visitor.number())] =
                static_cast<int>(k) + 1;
        }
    }
    return extras;
}

std::array<std::string, 5> winnerFields(const WeekWinners& week) {
    std::string names;
    std::string guesses;
    for (size_t k = 0; k < week.winners.size(); ++k) {
        names += (k ? "; " : "") + week.winners[k];
        guesses +=
            (k ? "; " : "") + (week.guesses[k] ? std::to_string(*week.guesses[k]) : std::string());
    }
    return {std::to_string(week.week), names, std::to_string(week.score), guesses,
            std::to_string(week.total)};
}

std::vector<std::string> winnersLines(const std::vector<WeekWinners>& weeks) {
    std::vector<std::string> lines{kWinnersHeader};
    for (const WeekWinners& week : weeks) {
        std::string line;
        for (const std::string& field : winnerFields(week))
            line += (line.empty() ? "" : ",") + field;
        lines.push_back(std::move(line));
    }
    return lines;
}

} // namespace gs
