#include "scoreimport.h"

#include "core/csv.h"
#include "core/date.h"
#include "core/league.h"
#include "core/text.h"
#include "core/textfile.h"

#include <array>
#include <cmath>
#include <map>
#include <set>
#include <tuple>

namespace gs {

namespace {

constexpr int kHighestScore = 999; // as the score entry window allows
constexpr std::string_view kRegularSeason = "REG";

// ---------------------------------------------------------------- layouts

enum Column { kSeason, kGameType, kDate, kVisitor, kHome, kVisitorScore, kHomeScore, kColumns };

struct Layout {
    std::array<std::string_view, kColumns> names;  // "" for a column the layout lacks
    std::optional<Team> (*team)(std::string_view); // nullopt for a team it does not know
    std::string_view unknownTeam;                  // how a refusal names a team it does not know
};

constexpr Layout kCommunityLayout{
    {"season", "game_type", "gameday", "away_team", "home_team", "away_score", "home_score"},
    Team::ofCode,
    "unknown team code "};
constexpr Layout kTableLayout{{"Year", "", "Date", "TeamA", "TeamB", "Visitor", "Home"},
                              Team::namedIgnoringSpaces,
                              "unknown team "};

// Where each column of a layout stands in the header; -1 when missing.
std::array<int, kColumns> findColumns(const Layout& layout,
                                      const std::vector<std::string>& header) {
    std::array<int, kColumns> at;
    at.fill(-1);
    for (int c = 0; c < kColumns; ++c) {
        if (layout.names[c].empty())
            continue;
        std::string wanted = upperAscii(layout.names[c]);
        for (size_t f = 0; f < header.size() && at[c] < 0; ++f)
            if (upperAscii(trimSpaces(header[f])) == wanted)
                at[c] = static_cast<int>(f);
    }
    return at;
}

std::vector<std::string_view> missingColumns(const Layout& layout,
                                             const std::array<int, kColumns>& at) {
    std::vector<std::string_view> missing;
    for (int c = 0; c < kColumns; ++c)
        if (!layout.names[c].empty() && at[c] < 0)
            missing.push_back(layout.names[c]);
    return missing;
}

std::string joined(const std::vector<std::string_view>& parts, std::string_view separator) {
    std::string text;
    for (size_t k = 0; k < parts.size(); ++k)
        text += std::string(k ? separator : "") + std::string(parts[k]);
    return text;
}

// ---------------------------------------------------------------- values

bool isDigits(std::string_view text) {
    if (text.empty())
        return false;
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

int digitsValue(std::string_view digits) {
    int value = 0;
    for (char c : digits)
        value = value * 10 + (c - '0');
    return value;
}

// A date as YYYYMMDD, read from the games table's M/D/YYYY or the data
// sets' YYYY-MM-DD. 0 when the text is not a real date.
int dateKey(std::string_view text) {
    std::optional<Date> date = Date::parse(trimSpaces(text));
    return date ? date->key() : 0;
}

// A season as a number; nullopt when the text is not a four-digit year.
std::optional<int> seasonOf(std::string_view text) {
    std::string season = trimSpaces(text);
    if (season.size() != 4 || !isDigits(season))
        return std::nullopt;
    return digitsValue(season);
}

// The Year field of a table record, which is compared by numeric value.
std::optional<int> tableSeason(std::string_view year) {
    double value = numericValue(year);
    if (value != std::floor(value) || value < 0 || value > 9999)
        return std::nullopt;
    return static_cast<int>(value);
}

// True when a file leaves the score out: empty, or the data sets' "NA".
bool isMissingScore(std::string_view text) {
    std::string score = upperAscii(trimSpaces(text));
    return score.empty() || score == "NA";
}

// A decimal number: sign, digits, point, digits, and nothing else.
bool isDecimal(std::string_view text) {
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    size_t digits = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (text[i] >= '0' && text[i] <= '9')
            ++digits;
        else if (text[i] == '.' && !point)
            point = true;
        else
            return false;
    }
    return digits > 0;
}

// Checks a score of the file; "" and its value when good, else why not.
std::string checkScore(std::string_view text, int& value) {
    std::string score = trimSpaces(text);
    if (!isDecimal(score))
        return "is not a number";
    double number = numericValue(score); // not strtod: the locale may use a comma
    if (number < 0)
        return "is negative";
    if (number != std::floor(number) || number > kHighestScore)
        return "is not a whole number from 0 to " + std::to_string(kHighestScore);
    value = static_cast<int>(number);
    return {};
}

// A score as the table holds it; nullopt when the field is not a whole
// number. Entered scores look like " 24", imported ones like "24".
std::optional<int> storedScore(std::string_view text) {
    std::string score = trimSpaces(text);
    if (!isDecimal(score))
        return std::nullopt;
    double number = numericValue(score);
    if (number != std::floor(number) || std::fabs(number) > kHighestScore)
        return std::nullopt;
    return static_cast<int>(number);
}

bool isBlank(std::string_view text) {
    return trimSpaces(text).empty();
}

// A score in the form the score entry window stores it: "24".
std::string scoreText(int score) {
    return std::to_string(score);
}

// ---------------------------------------------------------------- matching

// A game as both sides name it: season, visiting and home team (by number,
// so that any season's name or code finds its team) and the date as YYYYMMDD.
using GameKey = std::tuple<int, Team, Team, int>;

struct GameIndex {
    std::set<int> seasons;
    std::map<GameKey, std::vector<size_t>> games;
};

GameIndex indexGames(const std::vector<GameRecord>& games) {
    GameIndex index;
    for (size_t g = 0; g < games.size(); ++g) {
        const GameRecord& record = games[g];
        std::optional<int> season = tableSeason(record.year);
        if (!season)
            continue;
        index.seasons.insert(*season);
        std::optional<Team> visitor = Team::namedIgnoringSpaces(record.visitor);
        std::optional<Team> home = Team::namedIgnoringSpaces(record.home);
        int date = dateKey(record.date);
        if (visitor && home && date)
            index.games[{*season, *visitor, *home, date}].push_back(g);
    }
    return index;
}

// One data row of the file, whichever its layout.
struct ScoreRow {
    size_t line = 0;
    std::array<std::string, kColumns> field;
    std::string_view missingColumn; // a needed column the row ends before
};

ScoreRow rowOf(const CsvRecord& record, const Layout& layout, const std::array<int, kColumns>& at) {
    ScoreRow row;
    row.line = record.line;
    for (int c = 0; c < kColumns; ++c) {
        if (at[c] < 0)
            continue;
        if (static_cast<size_t>(at[c]) < record.fields.size())
            row.field[c] = trimSpaces(record.fields[static_cast<size_t>(at[c])]);
        else if (row.missingColumn.empty())
            row.missingColumn = layout.names[c];
    }
    return row;
}

ScoreRowProblem problemOf(const ScoreRow& row, std::string reason) {
    return {row.line,         row.field[kVisitor],      row.field[kHome],
            row.field[kDate], row.field[kVisitorScore], row.field[kHomeScore],
            std::move(reason)};
}

// The row's first claim on a game, to catch a file that names a game twice.
struct Claim {
    size_t line = 0;
    int visitor = 0;
    int home = 0;
};

class Planner {
public:
    Planner(const std::vector<GameRecord>& games, const ScoreImportOptions& options)
        : m_games(games), m_options(options), m_index(indexGames(games)) {}

    void plan(const ScoreRow& row, const Layout& layout, ScoreImportPlan& plan) {
        if (!row.missingColumn.empty()) {
            plan.problems.push_back(
                problemOf(row, "the row ends before the column " + std::string(row.missingColumn)));
            return;
        }
        ScoreImportCounts& counts = plan.counts;
        if (!layout.names[kGameType].empty() &&
            upperAscii(row.field[kGameType]) != kRegularSeason) {
            ++counts.skippedPlayoffs;
            return;
        }
        std::optional<int> season = seasonOf(row.field[kSeason]);
        if (!season || !m_index.seasons.contains(*season) ||
            (m_options.season && *m_options.season != *season)) {
            ++counts.skippedOtherSeasons;
            return;
        }
        if (isMissingScore(row.field[kVisitorScore]) || isMissingScore(row.field[kHomeScore])) {
            ++counts.skippedNotPlayed;
            return;
        }

        std::vector<std::string> reasons;
        std::optional<Team> visitor = layout.team(row.field[kVisitor]);
        std::optional<Team> home = layout.team(row.field[kHome]);
        if (!visitor)
            reasons.push_back(std::string(layout.unknownTeam) +
                              quotedForMessage(row.field[kVisitor]));
        if (!home)
            reasons.push_back(std::string(layout.unknownTeam) + quotedForMessage(row.field[kHome]));
        int date = dateKey(row.field[kDate]);
        if (!date)
            reasons.push_back("invalid date " + quotedForMessage(row.field[kDate]));
        int visitorScore = 0;
        int homeScore = 0;
        std::string bad = checkScore(row.field[kVisitorScore], visitorScore);
        if (!bad.empty())
            reasons.push_back("the visitor score " + quotedForMessage(row.field[kVisitorScore]) +
                              " " + bad);
        bad = checkScore(row.field[kHomeScore], homeScore);
        if (!bad.empty())
            reasons.push_back("the home score " + quotedForMessage(row.field[kHomeScore]) + " " +
                              bad);
        if (!reasons.empty()) {
            std::string reason;
            for (const std::string& r : reasons)
                reason += (reason.empty() ? "" : " and ") + r;
            plan.problems.push_back(problemOf(row, reason));
            return;
        }

        auto found = m_index.games.find({*season, *visitor, *home, date});
        if (found == m_index.games.end()) {
            plan.problems.push_back(problemOf(row, "no game of the table matches"));
            return;
        }
        if (found->second.size() > 1) {
            plan.problems.push_back(
                problemOf(row, std::to_string(found->second.size()) + " games of the table match"));
            return;
        }
        enter(row, found->second.front(), visitorScore, homeScore, plan);
    }

private:
    void enter(const ScoreRow& row, size_t g, int visitorScore, int homeScore,
               ScoreImportPlan& plan) {
        ScoreImportCounts& counts = plan.counts;
        auto [claim, first] = m_claims.try_emplace(g, Claim{row.line, visitorScore, homeScore});
        if (!first) {
            const Claim& earlier = claim->second;
            if (earlier.visitor == visitorScore && earlier.home == homeScore)
                ++counts.alreadyThere;
            else
                plan.problems.push_back(problemOf(
                    row, "line " + std::to_string(earlier.line) + " gives this game " +
                             std::to_string(earlier.visitor) + "-" + std::to_string(earlier.home)));
            return;
        }

        const GameRecord& record = m_games[g];
        if (storedScore(record.visitorScore) == visitorScore &&
            storedScore(record.homeScore) == homeScore) {
            ++counts.alreadyThere;
            return;
        }
        bool empty = isBlank(record.visitorScore) && isBlank(record.homeScore);
        if (!empty && !m_options.overwrite) {
            plan.problems.push_back(problemOf(row, "the game already holds " + heldScores(record)));
            return;
        }
        ++counts.entered;
        if (!empty)
            ++counts.replaced;
        plan.changes.push_back(
            {record.rowid, record, scoreText(visitorScore), scoreText(homeScore)});
    }

    const std::vector<GameRecord>& m_games;
    const ScoreImportOptions& m_options;
    GameIndex m_index;
    std::map<size_t, Claim> m_claims;
};

// ---------------------------------------------------------------- reading

// ---------------------------------------------------------------- texts

std::string counted(int count, std::string_view one, std::string_view many) {
    return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

std::string describeProblem(const ScoreRowProblem& problem) {
    return "line " + std::to_string(problem.line) + " (" + problem.visitor + " at " + problem.home +
           ", " + problem.date + ", " + problem.visitorScore + "-" + problem.homeScore +
           "): " + problem.reason;
}

std::string describeCounts(const ScoreImportCounts& counts) {
    std::string text = counts.entered == 0
                           ? "Entered no scores"
                           : "Entered the scores of " + counted(counts.entered, "game", "games");
    if (counts.replaced > 0)
        text += " (" + counted(counts.replaced, "of them replaces", "of them replace") +
                " a different score)";
    text += "; " + counted(counts.alreadyThere, "game", "games") + " already held " +
            (counts.alreadyThere == 1 ? "its" : "their") + " scores. ";
    int skipped = counts.skippedPlayoffs + counts.skippedOtherSeasons + counts.skippedNotPlayed;
    if (skipped == 0)
        return text + "No rows were skipped.";
    return text + "Skipped " + counted(skipped, "row", "rows") + ": " +
           counted(counts.skippedPlayoffs, "playoff game", "playoff games") + ", " +
           counted(counts.skippedOtherSeasons, "row", "rows") + " of other seasons, " +
           counted(counts.skippedNotPlayed, "game", "games") + " not played yet.";
}

} // namespace

ScoreImportPlan planScoreImport(std::string_view csvText, const std::vector<GameRecord>& games,
                                const ScoreImportOptions& options) {
    ScoreImportPlan plan;
    CsvText csv = readCsv(csvText);
    if (!csv.ok()) {
        plan.fileError = csv.error;
        return plan;
    }
    // Blank lines are no rows.
    std::vector<CsvRecord> records;
    for (CsvRecord& record : csv.records)
        if (!record.blank)
            records.push_back(std::move(record));
    if (records.empty()) {
        plan.fileError = "line 1: the file is empty";
        return plan;
    }

    const std::vector<std::string>& header = records.front().fields;
    const Layout* layout = nullptr;
    std::array<int, kColumns> at{};
    std::vector<std::string_view> closest;
    for (const Layout* candidate : {&kCommunityLayout, &kTableLayout}) {
        std::array<int, kColumns> found = findColumns(*candidate, header);
        std::vector<std::string_view> missing = missingColumns(*candidate, found);
        if (missing.empty()) {
            layout = candidate;
            at = found;
            break;
        }
        if (closest.empty() || missing.size() < closest.size())
            closest = missing;
    }
    if (!layout) {
        plan.fileError = "line " + std::to_string(records.front().line) +
                         ": the header lacks the columns " + joined(closest, ", ");
        return plan;
    }

    Planner planner(games, options);
    for (size_t r = 1; r < records.size(); ++r)
        planner.plan(rowOf(records[r], *layout, at), *layout, plan);
    if (!plan.problems.empty())
        plan.changes.clear();
    return plan;
}

std::string describeScoreImport(const ScoreImportPlan& plan) {
    constexpr std::string_view kRefused = "The file was refused and no score was entered";
    if (!plan.fileError.empty())
        return std::string(kRefused) + ": " + plan.fileError + ".";
    if (!plan.problems.empty()) {
        std::string text = std::string(kRefused) + " because of " +
                           counted(static_cast<int>(plan.problems.size()), "line", "lines") + ": ";
        for (size_t p = 0; p < plan.problems.size(); ++p)
            text += (p ? "; " : "") + describeProblem(plan.problems[p]);
        return text + ".";
    }
    return describeCounts(plan.counts);
}

ScoreImportResult applyScoreImport(GamesTable& table, const ScoreImportPlan& plan) {
    ScoreImportResult result;
    if (!plan.accepted()) {
        result.summary = describeScoreImport(plan);
        return result;
    }
    if (Status written = table.writeManyScores(plan.changes); !written) {
        result.summary = "No score was entered: the games table could not be written: " +
                         written.error().message;
        return result;
    }
    result.ok = true;
    result.counts = plan.counts;
    result.summary = describeScoreImport(plan);
    return result;
}

ScoreImportResult importScoreFile(GamesTable& table, const std::filesystem::path& file,
                                  const ScoreImportOptions& options) {
    constexpr std::string_view kNothing = "No score was entered: ";
    ScoreImportResult result;
    std::error_code ec;
    // A folder opens like a file here and reads as nothing.
    if (std::filesystem::is_directory(file, ec)) {
        result.summary = std::string(kNothing) + file.string() + " is a folder, not a file";
        return result;
    }
    Result<std::string> bytes = readFileBytes(file);
    if (!bytes) {
        result.summary =
            std::string(kNothing) + file.string() + " cannot be read: " + bytes.error().message;
        return result;
    }
    Result<std::vector<GameRecord>> games = table.records();
    if (!games) {
        result.summary =
            std::string(kNothing) + "the games table cannot be read: " + games.error().message;
        return result;
    }
    return applyScoreImport(table, planScoreImport(*bytes, *games, options));
}

} // namespace gs
