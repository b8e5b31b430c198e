#include "csvexports.h"

#include "core/league.h"
#include "core/text.h"
#include "core/textfile.h"
#include "core/userlist.h"
#include "results/weekwinners.h"
#include "schedule/calendar.h"
#include "schedule/gametable.h"
#include "schedule/pickfiles.h"
#include "schedule/seasongames.h"

#include <algorithm>
#include <map>

namespace gs {

namespace fs = std::filesystem;

namespace {

template <typename Fields> std::string joinFields(const Fields& fields) {
    std::string line;
    bool first = true;
    for (const auto& field : fields) {
        if (!first)
            line += ',';
        line += field;
        first = false;
    }
    return line;
}

// Counts the progress bar up to its maximum and tells the listener.
class ProgressCounter {
public:
    ProgressCounter(const ProgressListener& listener, int maximum) : m_listener(listener) {
        m_model.visible = true;
        m_model.minimum = 1;
        m_model.value = 1;
        m_model.maximum = std::max(maximum, m_model.minimum);
        tell();
    }
    ~ProgressCounter() {
        m_model.visible = false;
        tell();
    }
    ProgressCounter(const ProgressCounter&) = delete;
    ProgressCounter& operator=(const ProgressCounter&) = delete;

    void step() {
        if (m_model.value >= m_model.maximum)
            return;
        ++m_model.value;
        tell();
    }

private:
    void tell() {
        if (m_listener)
            m_listener(m_model);
    }
    const ProgressListener& m_listener;
    ProgressModel m_model;
};

// Reads each player's picks once; a file that cannot be read gives no
// picks and is reported.
class PickReader {
public:
    explicit PickReader(const Pool& pool) : m_pool(pool) {}
    PlayerPickTable read(const std::string& name) {
        auto known = m_read.find(name);
        if (known == m_read.end()) {
            PickTable picks{};
            if (Result<PlayerPicks> loaded = loadPicks(m_pool, name))
                picks = loaded->picks;
            else
                problems.push_back(loaded.error().message);
            known = m_read.emplace(name, picks).first;
        }
        return {name, known->second};
    }
    std::vector<std::string> problems;

private:
    const Pool& m_pool;
    std::map<std::string, PickTable> m_read;
};

Result<ExportOutcome> writeExport(const fs::path& path, const std::vector<std::string>& lines,
                                  std::vector<std::string> problems) {
    if (Status written = writeLinesAtomic(path, lines); !written)
        return failure(written.error());
    return ExportOutcome{path, std::move(problems)};
}

Result<ExportOutcome> exportPicks(PickExport kind, Pool& pool, const ProgressListener& progress) {
    Result<Season> season = rebuildSeasonGames(pool);
    if (!season)
        return failure(season.error());
    refreshPoolOrder(pool);
    PickReader reader(pool);
    std::vector<PlayerPickTable> players;
    for (const std::string& name : pool.poolOrder())
        players.push_back(reader.read(name));

    const int games = static_cast<int>(season->games.size());
    const int maximum = games * static_cast<int>(players.size()) + games;
    std::vector<std::string> lines;
    {
        ProgressCounter counter(progress, maximum);
        lines = pickExportLines(kind, season->games, season->year, players, pool.referenceDate(),
                                [&counter] { counter.step(); });
    }
    fs::path path = kind == PickExport::History ? pickHistoryPath(pool.folders())
                                                : pickResultsPath(pool.folders());
    return writeExport(path, lines, std::move(reader.problems));
}

} // namespace

fs::path pickHistoryPath(const Folders& folders) {
    return folders.install / "AllUserPickHistory.csv";
}

fs::path pickResultsPath(const Folders& folders) {
    return folders.install / "AllUserPickResults.csv";
}

fs::path userStatisticsPath(const Folders& folders, int season) {
    return folders.install / ("AllUserStats" + std::to_string(season) + ".csv");
}

fs::path weeklyWinnersPath(const Folders& folders, int season) {
    return folders.install / ("AllUserWeeklyWinners" + std::to_string(season) + ".csv");
}

std::vector<std::string> gameListLines(const Season& season) {
    std::vector<std::string> lines = {"Week,Date,Kickoff,Visitor,Home,Visitor Score,Home Score"};
    std::vector<int> weeks = gameWeeks(season);
    // Whole numbers; a score of spaces only is entered but shows as nothing.
    auto score = [](const std::optional<Score>& entered) {
        return trimSpaces(entered->text()).empty()
                   ? std::string()
                   : std::to_string(static_cast<long>(entered->points()));
    };
    for (size_t g = 0; g < season.games.size(); ++g) {
        const Game& game = season.games[g];
        bool scored = game.scored();
        lines.push_back(std::to_string(weeks[g]) + "," + game.dateText() + "," +
                        game.kickoffText() + "," + game.visitorName() + "," + game.homeName() +
                        "," + (scored ? score(game.visitorScore) : "") + "," +
                        (scored ? score(game.homeScore) : ""));
    }
    return lines;
}

std::vector<std::string> pickExportLines(PickExport kind, const std::vector<Game>& games,
                                         int season, const std::vector<PlayerPickTable>& players,
                                         const Date& referenceDate,
                                         const std::function<void()>& step) {
    auto advance = [&step] {
        if (step)
            step();
    };
    const int gameRows = static_cast<int>(games.size());
    const int totalsRow = gameRows + 1;
    const size_t columns = kGameColumns + players.size();
    std::vector<std::vector<std::string>> table(static_cast<size_t>(gameRows) + 2,
                                                std::vector<std::string>(columns));

    std::vector<std::string>& header = table[0];
    std::copy(kGameHeaders.begin(), kGameHeaders.end(), header.begin());
    for (size_t j = 0; j < players.size(); ++j)
        header[kGameColumns + j] = players[j].name;

    std::string dayText;
    for (int g = 0; g < gameRows; ++g) {
        const Game& game = games[static_cast<size_t>(g)];
        // A game without a date is played on the day of the game before it.
        if (game.date)
            dayText = game.dayName();
        std::vector<std::string>& row = table[static_cast<size_t>(g) + 1];
        row[kDateColumn] = game.dateText();
        row[kDayColumn] = dayText;
        row[kVisitorColumn] = game.visitorName();
        row[kVisitorScoreColumn] = game.visitorScore ? game.visitorScore->text() : "";
        row[kHomeColumn] = game.homeName();
        row[kHomeScoreColumn] = game.homeScore ? game.homeScore->text() : "";
        advance();
    }

    for (size_t j = 0; j < players.size(); ++j) {
        const PickTable& picks = players[j].picks;
        const size_t column = kGameColumns + j;
        WeekTracker tracker;
        int week = 1;
        int total = 0;
        for (int r = 1; r <= gameRows; ++r) {
            const Game& game = games[static_cast<size_t>(r) - 1];
            std::vector<std::string>& row = table[static_cast<size_t>(r)];
            if (tracker.isBoundary(game))
                ++week;
            row[kWeekColumn] = std::to_string(week);
            // The pick tables end with the last week; later weeks hold no picks.
            bool hasWeek = week <= kMaxWeeks;
            std::optional<Team> winner = game.winner();
            if (kind == PickExport::History) {
                // A game without a pick shows nothing and counts for nobody.
                std::optional<Team> shown;
                if (hasWeek && picks[week][game.visitor.number()] == 1)
                    shown = game.visitor;
                else if (hasWeek && picks[week][game.home.number()] == 1)
                    shown = game.home;
                row[column] = shown ? shown->abbreviation(season) : "";
                // Only games played before the reference date count; a game
                // on that day may still be running.
                if (shown && game.entered() && winner == shown && game.playedBefore(referenceDate))
                    ++total;
            } else {
                bool right =
                    game.entered() && winner && hasWeek && picks[week][winner->number()] == 1;
                row[column] = right ? "1" : "0";
                total += right ? 1 : 0;
            }
            advance();
        }
        table[static_cast<size_t>(totalsRow)][column] = signedText(total);
    }

    std::vector<std::string> lines;
    for (int r = 0; r <= totalsRow; ++r) {
        const std::vector<std::string>& row = table[static_cast<size_t>(r)];
        bool entered = r > 0 && r < totalsRow && games[static_cast<size_t>(r) - 1].entered();
        if (r == 0 || r == totalsRow || entered)
            lines.push_back(joinFields(row));
        advance();
    }
    return lines;
}

std::vector<std::string> userStatisticsLines(const std::vector<Game>& games,
                                             const Date& referenceDate,
                                             const std::vector<PlayerPickTable>& weekly,
                                             const std::vector<PlayerPickTable>& totals) {
    // The figures of "User Statistics", but only games played by the
    // reference day count: scores entered ahead of it are left out.
    ScoringRange range = scoringRange(games, referenceDate);
    std::vector<std::string> lines;
    for (const PlayerPickTable& player : weekly) {
        lines.emplace_back();
        lines.push_back("User: " + player.name);
        lines.push_back(joinFields(kWeekHeaders));
        for (const WeekStanding& week : scorePicks(games, range, player.picks).weeks)
            lines.push_back(joinFields(weekCells(week)));
    }
    lines.emplace_back();
    lines.emplace_back("User Stat Summary:");
    lines.push_back(joinFields(kStandingHeaders));
    for (const Standing& standing : rankStandings(games, range, totals))
        lines.push_back(joinFields(standingCells(standing)));
    return lines;
}

Result<ExportOutcome> exportPickHistory(Pool& pool, const ProgressListener& progress) {
    return exportPicks(PickExport::History, pool, progress);
}

Result<ExportOutcome> exportPickResults(Pool& pool, const ProgressListener& progress) {
    return exportPicks(PickExport::Results, pool, progress);
}

namespace {

// The season's games and the pool's players, both read afresh for an
// export of the whole pool: the games are those of the season in force,
// and so is the file's name.
Result<Season> seasonOfWholePool(Pool& pool) {
    Result<Season> season = rebuildSeasonGames(pool);
    if (!season)
        return failure(season.error());
    if (Result<UserListLoad> load = reloadUserList(pool); !load)
        return failure(load.error());
    refreshPoolOrder(pool);
    return season;
}

} // namespace

Result<ExportOutcome> exportUserStatistics(Pool& pool, const ProgressListener& progress) {
    Result<Season> season = seasonOfWholePool(pool);
    if (!season)
        return failure(season.error());

    // Every active slot once, in slot order.
    std::vector<std::string> weeklyNames;
    for (int k = 1; k <= kUserSlots; ++k) {
        const UserSlot& slot = pool.users()[k];
        if (slot.active == 1 && !slot.name.empty() &&
            std::find(weeklyNames.begin(), weeklyNames.end(), slot.name) == weeklyNames.end())
            weeklyNames.push_back(slot.name);
    }
    const std::vector<std::string>& totalsNames = pool.poolOrder();

    PickReader reader(pool);
    std::vector<PlayerPickTable> weekly;
    std::vector<PlayerPickTable> totals;
    {
        ProgressCounter counter(progress,
                                static_cast<int>(weeklyNames.size() + totalsNames.size()));
        for (const std::string& name : weeklyNames) {
            weekly.push_back(reader.read(name));
            counter.step();
        }
        for (const std::string& name : totalsNames) {
            totals.push_back(reader.read(name));
            counter.step();
        }
    }
    std::vector<std::string> lines =
        userStatisticsLines(season->games, pool.referenceDate(), weekly, totals);
    return writeExport(userStatisticsPath(pool.folders(), pool.seasonYear()), lines,
                       std::move(reader.problems));
}

Result<ExportOutcome> exportWeeklyWinners(Pool& pool) {
    Result<Season> season = seasonOfWholePool(pool);
    if (!season)
        return failure(season.error());
    return writeExport(weeklyWinnersPath(pool.folders(), pool.seasonYear()),
                       winnersLines(seasonWeekWinners(pool, *season)), {});
}

ProgressListener CsvExports::listener() {
    return [this](const ProgressModel& model) {
        m_progress = model;
        if (onProgress)
            onProgress(model);
    };
}

void CsvExports::finish(const Result<ExportOutcome>& outcome, const std::string& completeText) {
    if (!outcome) {
        m_dialogs.refuse(outcome.error().message);
        return;
    }
    for (const std::string& problem : outcome->problems)
        m_dialogs.refuse(problem);
    // Where the file went, so it can be found and opened.
    m_dialogs.inform(completeText + ".\nThe file is " + outcome->path.string(), kExportStatusTitle);
}

void CsvExports::exportHistory() {
    finish(exportPickHistory(m_pool, listener()), "User Pick History Export Complete");
}

void CsvExports::exportResults() {
    finish(exportPickResults(m_pool, listener()), "User Pick Results Export Complete");
}

void CsvExports::exportStatistics() {
    finish(exportUserStatistics(m_pool, listener()), "User Stat Export Complete");
}

void CsvExports::exportWinners() {
    finish(exportWeeklyWinners(m_pool), "Weekly Winners Export Complete");
}

} // namespace gs
