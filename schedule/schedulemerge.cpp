#include "schedulemerge.h"

#include "core/date.h"
#include "core/league.h"
#include "core/text.h"
#include "schedule/gamesdb.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <utility>

namespace gs {

namespace {

bool isBlank(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

// A score as the table holds it (" 24" as typed, "24" as imported);
// nullopt when the field holds no whole number.
std::optional<int> storedScore(std::string_view text) {
    std::string score = trimSpaces(text);
    if (score.empty() || score.size() > 4 ||
        !std::all_of(score.begin(), score.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return static_cast<int>(numericValue(score));
}

bool isScored(const GameRecord& record) {
    return !isBlank(record.visitorScore) || !isBlank(record.homeScore);
}

// "2021 week 5, Los Angeles Rams at Seattle Seahawks on 10/7/2021".
std::string gameName(int year, const GameRecord& record) {
    std::string name = std::to_string(year);
    if (record.week > 0)
        name += " week " + std::to_string(record.week);
    return name + ", " + trimSpaces(record.visitor) + " at " + trimSpaces(record.home) + " on " +
           trimSpaces(record.date);
}

// "Week 10: Atlanta Falcons at New England Patriots moved from 11/9/2025 to
// 11/10/2025", with the old week where it changed too.
std::string movedGame(const GameRecord& old, const GameRecord& now) {
    std::string text = "Week " + std::to_string(now.week) + ": " + trimSpaces(now.visitor) +
                       " at " + trimSpaces(now.home) + " moved from ";
    bool otherWeek = old.week > 0 && old.week != now.week;
    if (old.date == now.date)
        return text + "week " + std::to_string(old.week);
    text += trimSpaces(old.date);
    if (otherWeek)
        text += " (week " + std::to_string(old.week) + ")";
    return text + " to " + trimSpaces(now.date);
}

int dayKey(std::string_view date) {
    std::optional<Date> day = Date::parse(trimSpaces(date));
    return day ? day->key() : 0;
}

using TeamPair = std::pair<std::optional<Team>, std::optional<Team>>;

TeamPair teamsOf(const GameRecord& record) {
    return {Team::namedIgnoringSpaces(record.visitor), Team::namedIgnoringSpaces(record.home)};
}

// How many of the positions stand in increasing order already: the games
// that keep their places while the others move around them.
size_t longestIncreasingRun(const std::vector<int>& positions) {
    std::vector<int> tails;
    for (int position : positions) {
        auto at = std::lower_bound(tails.begin(), tails.end(), position);
        if (at == tails.end())
            tails.push_back(position);
        else
            *at = position;
    }
    return tails.size();
}

class SeasonMerger {
public:
    SeasonMerger(int year, std::vector<GameRecord> old, ScheduleMergePlan& plan)
        : m_year(year), m_old(std::move(old)), m_plan(plan), m_counts(plan.counts) {
        for (size_t p = 0; p < m_old.size(); ++p) {
            TeamPair teams = teamsOf(m_old[p]);
            // A pair named twice by the table matches once; the other record
            // is a game the file does not hold.
            if (teams.first && teams.second)
                m_byTeams.try_emplace(teams, static_cast<int>(p));
        }
    }

    void merge(const std::vector<const GameRecord*>& games) {
        SeasonOrder order{m_year, {}};
        std::vector<GameRecord> merged;
        std::vector<bool> taken(m_old.size(), false);
        std::vector<int> keptDayPositions;
        for (const GameRecord* game : games) {
            auto found = m_byTeams.find(teamsOf(*game));
            int p = found == m_byTeams.end() ? -1 : found->second;
            if (p >= 0 && taken[static_cast<size_t>(p)])
                p = -1;
            order.oldPosition.push_back(p);
            if (p < 0) {
                ++m_counts.added;
                if (!game->visitorScore.empty())
                    ++m_counts.scoresEntered;
                merged.push_back(*game);
                continue;
            }
            taken[static_cast<size_t>(p)] = true;
            bool rescheduled = false;
            merged.push_back(matched(*game, m_old[static_cast<size_t>(p)], rescheduled));
            if (!rescheduled)
                keptDayPositions.push_back(p);
        }
        removeMissing(taken);
        findBusyWeeks(merged);
        // Games that kept their day and week but not their place (whether
        // or not they got scores too): those outside the longest run of them
        // that already stands in order.
        m_counts.reordered +=
            static_cast<int>(keptDayPositions.size() - longestIncreasingRun(keptDayPositions));
        m_counts.games += static_cast<int>(merged.size());
        if (merged != m_old)
            m_plan.changesTable = true;
        m_plan.replacement.insert(m_plan.replacement.end(), merged.begin(), merged.end());
        m_plan.orders.push_back(std::move(order));
    }

private:
    // The file's game with what the table keeps of it: the date's own text
    // where the day is the same, the scores the file lacks.
    GameRecord matched(const GameRecord& game, const GameRecord& old, bool& rescheduled) {
        GameRecord merged = game;
        merged.year = old.year;
        if (dayKey(old.date) == dayKey(game.date))
            merged.date = old.date;
        if (merged.date != old.date || old.week != game.week) {
            ++m_counts.rescheduled;
            rescheduled = true;
            // A game of a bundled season that only gains its official week
            // has not moved.
            if (merged.date != old.date || old.week > 0)
                m_counts.moved.push_back(movedGame(old, merged));
        }
        if (old.visitor != game.visitor || old.home != game.home)
            ++m_counts.renamed;
        if (game.visitorScore.empty()) {
            merged.visitorScore = old.visitorScore;
            merged.homeScore = old.homeScore;
            return merged;
        }
        std::optional<int> visitor = storedScore(game.visitorScore);
        std::optional<int> home = storedScore(game.homeScore);
        if (storedScore(old.visitorScore) == visitor && storedScore(old.homeScore) == home) {
            ++m_counts.scoresAlreadyThere;
            merged.visitorScore = old.visitorScore;
            merged.homeScore = old.homeScore;
            return merged;
        }
        ++m_counts.scoresEntered;
        if (isScored(old)) {
            ++m_counts.scoresReplaced;
            m_plan.conflicts.push_back(gameName(m_year, old) + ": the table holds " +
                                       heldScores(old) + ", the file " + game.visitorScore + "-" +
                                       game.homeScore);
        }
        return merged;
    }

    // A pick file holds one pick a team and week, so no team may play twice
    // in an official week. Games without a week follow the Monday rule,
    // which may give a week two games of a team, and are not checked.
    void findBusyWeeks(const std::vector<GameRecord>& merged) {
        std::map<std::pair<int, int>, size_t> firstGame; // by week and team
        for (size_t g = 0; g < merged.size(); ++g) {
            const GameRecord& game = merged[g];
            if (game.week <= 0)
                continue;
            TeamPair teams = teamsOf(game);
            for (const auto& [team, name] :
                 {std::pair{teams.first, &game.visitor}, std::pair{teams.second, &game.home}}) {
                if (!team)
                    continue;
                auto [first, fresh] = firstGame.try_emplace({game.week, team->number()}, g);
                if (fresh)
                    continue;
                const GameRecord& other = merged[first->second];
                m_plan.busyWeeks.push_back(trimSpaces(*name) + " would play twice in " +
                                           std::to_string(m_year) + " week " +
                                           std::to_string(game.week) + ": " + gameText(other) +
                                           " and " + gameText(game));
            }
        }
    }

    static std::string gameText(const GameRecord& game) {
        return trimSpaces(game.visitor) + " at " + trimSpaces(game.home) + " on " +
               trimSpaces(game.date);
    }

    void removeMissing(const std::vector<bool>& taken) {
        int missing = static_cast<int>(std::count(taken.begin(), taken.end(), false));
        m_counts.removed += missing;
        bool tooMany = missing > kMostRemovedGames;
        for (size_t p = 0; p < m_old.size(); ++p) {
            if (taken[p])
                continue;
            const GameRecord& old = m_old[p];
            if (!tooMany && !isScored(old))
                continue;
            std::string conflict = gameName(m_year, old) + " is not in the file";
            if (isScored(old))
                conflict += " and is scored " + heldScores(old);
            if (tooMany)
                conflict += " (the file lacks " + std::to_string(missing) + " games of " +
                            std::to_string(m_year) + ")";
            m_plan.conflicts.push_back(conflict);
        }
    }

    int m_year;
    std::vector<GameRecord> m_old;
    ScheduleMergePlan& m_plan;
    ScheduleCounts& m_counts;
    std::map<TeamPair, int> m_byTeams;
};

std::string counted(int count, std::string_view one, std::string_view many) {
    return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

// "season 2021", "seasons 2016 to 2021", "seasons 2009, 2016 to 2021".
std::string seasonsText(const std::set<int>& seasons) {
    std::string text;
    for (auto it = seasons.begin(); it != seasons.end();) {
        int first = *it;
        int last = first;
        while (++it != seasons.end() && *it == last + 1)
            last = *it;
        text += (text.empty() ? "" : ", ") + std::to_string(first);
        if (last > first)
            text += (last == first + 1 ? ", " : " to ") + std::to_string(last);
    }
    return (seasons.size() == 1 ? "season " : "seasons ") + text;
}

std::string skippedText(const ScheduleCounts& counts) {
    return "Skipped " +
           counted(static_cast<int>(counts.skippedSeasons.size()), "season", "seasons") +
           " before " + std::to_string(counts.firstSeason) + " and " +
           counted(counts.skippedPlayoffGames, "playoff game", "playoff games") + ".";
}

} // namespace

ScheduleMergePlan planScheduleMerge(const std::vector<GameRecord>& table,
                                    const std::vector<GameRecord>& fileGames) {
    std::map<int, std::vector<const GameRecord*>> bySeason;
    for (const GameRecord& game : fileGames)
        bySeason[static_cast<int>(numericValue(game.year))].push_back(&game);
    std::map<int, std::vector<GameRecord>> old;
    for (const GameRecord& record : table) {
        double year = numericValue(record.year);
        if (year == std::floor(year) && bySeason.contains(static_cast<int>(year)))
            old[static_cast<int>(year)].push_back(record);
    }
    ScheduleMergePlan plan;
    for (const auto& [year, games] : bySeason) {
        plan.counts.seasons.insert(year);
        SeasonMerger(year, std::move(old[year]), plan).merge(games);
    }
    return plan;
}

std::vector<std::string> movedSpreadLines(const std::vector<std::string>& lines,
                                          const SeasonOrder& order, int firstGame) {
    size_t weekLines = 0;
    while (weekLines < lines.size() && lines[weekLines].find(',') != std::string::npos)
        ++weekLines;
    std::vector<std::string> moved(lines.begin(), lines.begin() + static_cast<long>(weekLines));
    const long numbers = static_cast<long>(lines.size() - weekLines);
    for (long line = 0; line < numbers; ++line) {
        long game = line + firstGame;
        int from = game < static_cast<long>(order.oldPosition.size())
                       ? order.oldPosition[static_cast<size_t>(game)]
                       : -1;
        long oldLine = from - firstGame;
        moved.push_back(from >= 0 && oldLine >= 0 && oldLine < numbers
                            ? lines[weekLines + static_cast<size_t>(oldLine)]
                            : "0");
    }
    return moved;
}

std::string namedGames(const std::vector<std::string>& games, std::string_view separator) {
    std::string text;
    for (size_t g = 0; g < games.size() && g < kMostGamesNamed; ++g) {
        if (g > 0)
            text += separator;
        text += games[g];
    }
    if (games.size() > kMostGamesNamed)
        text += std::string(separator) + "and " + std::to_string(games.size() - kMostGamesNamed) +
                " more";
    return text;
}

std::string describeScheduleMerge(const ScheduleCounts& counts, bool changed) {
    std::string seasons =
        seasonsText(counts.seasons) + " (" + counted(counts.games, "game", "games") + ")";
    std::string already = counted(counts.scoresAlreadyThere, "game", "games") + " already held " +
                          (counts.scoresAlreadyThere == 1 ? "its" : "their") + " scores. ";
    if (!changed)
        return "Already up to date: " + seasons +
               " stand in the games table as the file has them; " + already + skippedText(counts);
    std::string text = "Updated " + seasons + ": added " + counted(counts.added, "game", "games") +
                       ", removed " + std::to_string(counts.removed) +
                       ", changed the date or week of " + std::to_string(counts.rescheduled);
    if (counts.reordered > 0)
        text += ", moved " + std::to_string(counts.reordered) + " in the order";
    if (counts.renamed > 0)
        text += ", gave " + std::to_string(counts.renamed) + " the season's team names";
    text += "; entered the scores of " + counted(counts.scoresEntered, "game", "games");
    if (counts.scoresReplaced > 0)
        text += " (" + std::to_string(counts.scoresReplaced) + " of them over a different score)";
    text += "; " + already + skippedText(counts);
    if (!counts.moved.empty())
        text += "\n" + namedGames(counts.moved, "\n");
    return text;
}

std::string describeBusyWeeks(const std::vector<std::string>& busyWeeks) {
    return "The file was refused and the games table was left as it is: a team may play only "
           "one game a week: " +
           namedGames(busyWeeks, "; ") + ".";
}

std::string describeScheduleConflicts(const std::vector<std::string>& conflicts) {
    std::string text = "The file was refused and the games table was left as it is: " +
                       counted(static_cast<int>(conflicts.size()), "game is", "games are") +
                       " in conflict with it: ";
    return text + namedGames(conflicts, "; ") + ".";
}

} // namespace gs
