#include "scheduleparse.h"

#include "core/csv.h"
#include "core/date.h"
#include "core/league.h"
#include "core/season.h"
#include "core/text.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <tuple>

namespace gs {

namespace {

constexpr std::string_view kHeader = "TeamA,TeamB,Date,Visitor,Home,Year";
constexpr size_t kFieldCount = 6;

bool allDigits(std::string_view text) {
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return !text.empty();
}

// A score as a table holds it: digits, after the space that older copies of
// the program wrote in front of a typed score.
bool isStoredScore(std::string_view text) {
    return allDigits(text.substr(std::min(text.find_first_not_of(' '), text.size())));
}

// A real day written M/D/YYYY, as the table stores dates.
bool isGameDate(std::string_view text) {
    std::optional<Date> date = Date::parse(text);
    return date && date->hasFullYear() && text.find_first_of(" \t-") == std::string_view::npos;
}

// Seasons whose August and following February are both dates.
constexpr int kFirstSeason = 100;
constexpr int kLastSeason = 9998;

// Why a game of the season cannot be on that day: a season is played from
// August of its year to February of the next. Empty when it can.
std::string outsideSeason(const Date& day, int season) {
    Date first = *Date::fromParts(season, 8, 1);
    Date last = Date::fromParts(season + 1, 2, 29).value_or(*Date::fromParts(season + 1, 2, 28));
    if (day >= first && day <= last)
        return {};
    return "the date " + quotedForMessage(day.text()) + " lies outside the season " +
           std::to_string(season) + " (" + first.text() + " to " + last.text() + ")";
}

} // namespace

std::string checkGameRecord(const GameRecord& record) {
    const std::string& visitor = record.visitor;
    const std::string& home = record.home;
    if (!Team::named(visitor))
        return "unknown team " + quotedForMessage(visitor);
    if (!Team::named(home))
        return "unknown team " + quotedForMessage(home);
    if (visitor == home)
        return quotedForMessage(visitor) + " cannot play itself";
    if (!isGameDate(record.date))
        return "invalid date " + quotedForMessage(record.date) +
               " (expected a real date as M/D/YYYY)";
    if (!record.visitorScore.empty() && !isStoredScore(record.visitorScore))
        return "invalid visitor score " + quotedForMessage(record.visitorScore) +
               " (expected empty or a whole number)";
    if (!record.homeScore.empty() && !isStoredScore(record.homeScore))
        return "invalid home score " + quotedForMessage(record.homeScore) +
               " (expected empty or a whole number)";
    if (record.year.size() != 4 || !allDigits(record.year))
        return "invalid year " + quotedForMessage(record.year) + " (expected four digits)";
    // Four digits may still name a year the calendar of dates does not hold.
    int season = std::stoi(record.year);
    if (season < kFirstSeason || season > kLastSeason)
        return "invalid year " + quotedForMessage(record.year) + " (expected a season from " +
               std::to_string(kFirstSeason) + " to " + std::to_string(kLastSeason) + ")";
    return outsideSeason(*Date::parse(record.date), season);
}

namespace {

// The reason a row is refused, or "".
std::string checkRow(const std::vector<std::string>& fields) {
    if (fields.size() != kFieldCount)
        return "expected " + std::to_string(kFieldCount) + " fields, found " +
               std::to_string(fields.size());
    return checkGameRecord({fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]});
}

bool isTableHeader(const std::vector<std::string>& fields) {
    std::string joined;
    for (size_t f = 0; f < fields.size(); ++f)
        joined += (f ? "," : "") + fields[f];
    return fields.size() == kFieldCount && joined == kHeader;
}

ScheduleParse refuse(size_t lineNumber, const std::string& reason) {
    ScheduleParse parse;
    parse.error = "line " + std::to_string(lineNumber) + ": " + reason;
    return parse;
}

// ---------------------------------------------------------------- community layout

enum Column {
    kSeason,
    kGameType,
    kWeek,
    kGameday,
    kKickOff,
    kAway,
    kHome,
    kAwayScore,
    kHomeScore,
    kColumns
};

constexpr std::array<std::string_view, kColumns> kColumnNames = {
    "season",    "game_type", "week",       "gameday",   "gametime",
    "away_team", "home_team", "away_score", "home_score"};

constexpr std::string_view kRegularSeason = "REG";
constexpr int kHighestScore = 999;

// Where each column stands in the header, by name in any letter case; -1
// when missing.
std::array<int, kColumns> findColumns(const std::vector<std::string>& header) {
    std::array<int, kColumns> at;
    at.fill(-1);
    for (int c = 0; c < kColumns; ++c) {
        std::string wanted = upperAscii(kColumnNames[c]);
        for (size_t f = 0; f < header.size() && at[c] < 0; ++f)
            if (upperAscii(trimSpaces(header[f])) == wanted)
                at[c] = static_cast<int>(f);
    }
    return at;
}

// A header that names any of the community columns means that layout;
// the table's own header names none of them.
bool looksLikeCommunity(const std::array<int, kColumns>& at) {
    return std::any_of(at.begin(), at.end(), [](int column) { return column >= 0; });
}

std::optional<int> wholeNumber(std::string_view text, int highest) {
    if (text.empty() || text.size() > 4 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    int value = 0;
    for (char c : text)
        value = value * 10 + (c - '0');
    if (value > highest)
        return std::nullopt;
    return value;
}

bool isMissingScore(std::string_view text) {
    return text.empty() || upperAscii(text) == "NA";
}

// Minutes after midnight of "H:MM" or "HH:MM"; -1 for no time, nullopt for
// anything else.
std::optional<int> kickOffMinutes(std::string_view text) {
    if (text.empty())
        return -1;
    size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0 || colon > 2 || text.size() != colon + 3)
        return std::nullopt;
    std::optional<int> hours = wholeNumber(text.substr(0, colon), 23);
    std::optional<int> minutes = wholeNumber(text.substr(colon + 1), 59);
    if (!hours || !minutes)
        return std::nullopt;
    return *hours * 60 + *minutes;
}

// A game of the file with what orders it within its season.
struct CommunityGame {
    GameRecord record;
    int day = 0;
    int kickOff = -1;
    size_t line = 0;
};

// The game of one row, or the reason it is refused.
std::string readCommunityRow(const std::array<std::string, kColumns>& field, int season,
                             CommunityGame& game) {
    const SeasonShape shape = seasonShape(season);
    std::optional<int> week = wholeNumber(field[kWeek], 99);
    if (!week || *week < 1 || *week > shape.weeks)
        return "invalid week " + quotedForMessage(field[kWeek]) + " (expected 1 to " +
               std::to_string(shape.weeks) + " in " + std::to_string(season) + ")";
    std::optional<Date> day = Date::parse(field[kGameday]);
    if (!day || !day->hasFullYear())
        return "invalid date " + quotedForMessage(field[kGameday]) +
               " (expected a real date as YYYY-MM-DD)";
    if (std::string outside = outsideSeason(*day, season); !outside.empty())
        return outside;
    std::optional<int> kickOff = kickOffMinutes(field[kKickOff]);
    if (!kickOff)
        return "invalid kick-off time " + quotedForMessage(field[kKickOff]) + " (expected HH:MM)";
    std::optional<Team> away = Team::ofCode(field[kAway]);
    std::optional<Team> home = Team::ofCode(field[kHome]);
    if (!away)
        return "unknown team code " + quotedForMessage(field[kAway]);
    if (!home)
        return "unknown team code " + quotedForMessage(field[kHome]);
    if (away == home)
        return quotedForMessage(field[kAway]) + " cannot play itself";
    bool awayMissing = isMissingScore(field[kAwayScore]);
    bool homeMissing = isMissingScore(field[kHomeScore]);
    if (awayMissing != homeMissing)
        return "only one of the scores is given";
    std::optional<int> awayScore = awayMissing ? 0 : wholeNumber(field[kAwayScore], kHighestScore);
    std::optional<int> homeScore = homeMissing ? 0 : wholeNumber(field[kHomeScore], kHighestScore);
    if (!awayScore)
        return "invalid away score " + quotedForMessage(field[kAwayScore]) +
               " (expected empty, NA or a whole number from 0 to 999)";
    if (!homeScore)
        return "invalid home score " + quotedForMessage(field[kHomeScore]) +
               " (expected empty, NA or a whole number from 0 to 999)";

    GameRecord& record = game.record;
    record.visitor = away->name(season);
    record.home = home->name(season);
    record.date = Date::fromParts(day->year(), day->month(), day->day())->text();
    if (!awayMissing) {
        record.visitorScore = std::to_string(*awayScore);
        record.homeScore = std::to_string(*homeScore);
    }
    record.year = std::to_string(season);
    record.week = *week;
    if (*kickOff >= 0) // kept as "HH:MM", Eastern time as the file gives it
        record.kickoff = std::string(*kickOff < 600 ? "0" : "") + std::to_string(*kickOff / 60) +
                         (*kickOff % 60 < 10 ? ":0" : ":") + std::to_string(*kickOff % 60);
    game.day = day->key();
    game.kickOff = *kickOff;
    return {};
}

ScheduleParse parseCommunity(const std::vector<CsvRecord>& rows,
                             const std::array<int, kColumns>& at, int fromSeason) {
    std::vector<std::string_view> missing;
    for (int c = 0; c < kColumns; ++c)
        if (at[c] < 0)
            missing.push_back(kColumnNames[c]);
    if (!missing.empty()) {
        std::string names;
        for (std::string_view name : missing)
            names += (names.empty() ? "" : ", ") + std::string(name);
        return refuse(rows[0].line, "the header lacks the columns " + names);
    }

    ScheduleParse parse;
    parse.layout = ScheduleLayout::Community;
    std::map<int, std::vector<CommunityGame>> seasons;
    std::map<std::tuple<int, std::string, std::string>, size_t> seen;
    for (size_t r = 1; r < rows.size(); ++r) {
        const CsvRecord& row = rows[r];
        if (row.blank)
            continue;
        std::array<std::string, kColumns> field;
        for (int c = 0; c < kColumns; ++c) {
            auto column = static_cast<size_t>(at[c]);
            if (column >= row.fields.size())
                return refuse(row.line,
                              "the row ends before the column " + std::string(kColumnNames[c]));
            field[c] = trimSpaces(row.fields[column]);
        }
        if (upperAscii(field[kGameType]) != kRegularSeason) {
            ++parse.skippedPlayoffGames;
            continue;
        }
        std::optional<int> season =
            field[kSeason].size() == 4 ? wholeNumber(field[kSeason], 9999) : std::nullopt;
        if (!season)
            return refuse(row.line, "invalid season " + quotedForMessage(field[kSeason]) +
                                        " (expected four digits)");
        if (*season < fromSeason) {
            parse.skippedSeasons.insert(*season);
            continue;
        }
        CommunityGame game;
        game.line = row.line;
        if (std::string reason = readCommunityRow(field, *season, game); !reason.empty())
            return refuse(row.line, reason);
        auto [earlier, first] =
            seen.try_emplace({*season, game.record.visitor, game.record.home}, row.line);
        if (!first)
            return refuse(row.line, game.record.visitor + " at " + game.record.home +
                                        " stands twice in season " + std::to_string(*season) +
                                        " (line " + std::to_string(earlier->second) + ")");
        std::vector<CommunityGame>& games = seasons[*season];
        int most = seasonShape(*season).maxGames;
        if (static_cast<int>(games.size()) >= most)
            return refuse(row.line, "season " + std::to_string(*season) + " has more than " +
                                        std::to_string(most) + " games");
        games.push_back(std::move(game));
    }
    if (seasons.empty()) {
        parse.error = "the file holds no regular-season games of the seasons from " +
                      std::to_string(fromSeason) + " on";
        return parse;
    }
    for (auto& [season, games] : seasons) {
        std::stable_sort(games.begin(), games.end(),
                         [](const CommunityGame& a, const CommunityGame& b) {
                             return std::tie(a.record.week, a.day, a.kickOff, a.record.home) <
                                    std::tie(b.record.week, b.day, b.kickOff, b.record.home);
                         });
        for (CommunityGame& game : games)
            parse.records.push_back(std::move(game.record));
    }
    parse.ok = true;
    return parse;
}

} // namespace

ScheduleParse parseSchedule(std::string_view csvText, int fromSeason) {
    CsvText csv = readCsv(csvText);
    if (!csv.ok()) {
        ScheduleParse parse;
        parse.error = csv.error;
        return parse;
    }
    std::vector<CsvRecord>& rows = csv.records;
    // Blank lines at the end are an editor's habit, not rows.
    while (!rows.empty() && rows.back().blank)
        rows.pop_back();

    if (!rows.empty() && !isTableHeader(rows[0].fields)) {
        std::array<int, kColumns> at = findColumns(rows[0].fields);
        if (looksLikeCommunity(at))
            return parseCommunity(rows, at, fromSeason);
    }
    if (rows.empty() || !isTableHeader(rows[0].fields))
        return refuse(1, "the header must be " + std::string(kHeader));
    if (rows.size() == 1)
        return refuse(rows[0].line + 1, "the file holds no games");

    ScheduleParse parse;
    std::map<std::string, int> seasonSizes;
    for (size_t i = 1; i < rows.size(); ++i) {
        const std::vector<std::string>& fields = rows[i].fields;
        std::string reason = checkRow(fields);
        if (!reason.empty())
            return refuse(rows[i].line, reason);
        // The weekly views and the spread table hold at most this many games.
        int most = seasonShape(static_cast<int>(numericValue(fields[5]))).maxGames;
        if (++seasonSizes[fields[5]] > most)
            return refuse(rows[i].line, "season " + fields[5] + " has more than " +
                                            std::to_string(most) + " games");
        // A score is written without the space older tables put before it.
        parse.records.push_back({fields[0], fields[1], fields[2], trimSpaces(fields[3]),
                                 trimSpaces(fields[4]), fields[5]});
    }
    parse.ok = true;
    return parse;
}

bool hasCommunityHeader(std::string_view csvText) {
    size_t end = csvText.find_first_of("\r\n");
    CsvText header = readCsv(csvText.substr(0, end));
    if (!header.ok() || header.records.empty())
        return false;
    std::array<int, kColumns> at = findColumns(header.records[0].fields);
    return std::all_of(at.begin(), at.end(), [](int column) { return column >= 0; });
}

} // namespace gs
