#include "scoreentry.h"

#include "core/poollock.h"
#include "core/poolmachine.h"
#include "core/text.h"
#include "core/textfile.h"
#include "schedule/calendar.h"
#include "schedule/importer.h"
#include "schedule/seasongames.h"
#include "scores/scoreimport.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace gs {

namespace {

// Scores are whole numbers; nothing near this has ever been scored.
constexpr double kHighestScore = 999;

// The date an empty date stands for at the very start of the enabling scan:
// later than any reference date, so it enables nothing.
constexpr const char* kEmptyFirstDate = "1/1/2020";

// True when the text starts (after spaces) with a number numericValue reads.
bool hasLeadingNumber(std::string_view text) {
    size_t i = text.find_first_not_of(' ');
    if (i == std::string_view::npos)
        return false;
    if (text[i] == '+' || text[i] == '-')
        ++i;
    if (i < text.size() && text[i] == '.')
        ++i;
    return i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]));
}

bool isBlank(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

constexpr const char* kOverwriteQuestion =
    "\n\nReplace the scores these games hold with the file's?";

// True when a refused file would be taken if it might replace the scores
// games already hold: the only trouble is scores that differ.
bool onlyScoresDiffer(const GamesTable& table, const std::filesystem::path& file) {
    Result<std::string> bytes = readFileBytes(file);
    if (!bytes)
        return false;
    Result<std::vector<GameRecord>> games = table.records();
    if (!games)
        return false;
    ScoreImportPlan plan =
        planScoreImport(*bytes, *games, {.season = std::nullopt, .overwrite = true});
    return plan.accepted() && plan.counts.replaced > 0;
}

} // namespace

ScoreEntry::ScoreEntry(const Pool& pool, Dialogs& dialogs, std::unique_ptr<GamesTable> table)
    : m_pool(pool), m_dialogs(dialogs), m_table(std::move(table)) {
    for (ControlModel* control :
         {&visitorTeam, &homeTeam, &gameDate, &gamePosition, &seasonYearHeading, &seasonYear,
          &firstDate, &thru, &lastDate, &closeButton, &previousButton, &nextButton, &importButton,
          &importScheduleButton})
        control->visible = true;
    for (int week = 1; week <= kMaxWeeks; ++week)
        weekOptions[week] = ControlModel{"Week " + std::to_string(week), true, false};
}

ScoreEntry::~ScoreEntry() = default;

void ScoreEntry::open() {
    const int weeks = seasonShape(m_pool.seasonYear()).weeks;
    weekOptions[1].enabled = true;
    for (int week = 2; week <= kMaxWeeks; ++week) {
        weekOptions[week].enabled = false;
        weekOptions[week].visible = week <= weeks;
    }
    chosenWeek = 0;
    m_seasonFirst = m_seasonEnd = -1;

    Result<std::vector<GameRecord>> schedule = m_table->records();
    m_schedule = schedule.value_or(std::vector<GameRecord>{});
    m_cursor = std::make_unique<RecordCursor>(*m_table);
    if (!schedule || !m_cursor->lastError().empty()) {
        tellReadFailure(schedule ? m_cursor->lastError() : schedule.error().message);
        m_schedule.clear();
    }
    if (static_cast<int>(m_schedule.size()) != m_cursor->recordCount())
        m_schedule.clear(); // the table changed under us: show nothing rather than a wrong game

    for (int p = 0; p < static_cast<int>(m_schedule.size()); ++p) {
        if (m_seasonFirst < 0 && sameSeason(p))
            m_seasonFirst = p;
        if (m_seasonFirst >= 0 && !sameSeason(p))
            break;
        if (m_seasonFirst >= 0)
            m_seasonEnd = p + 1;
    }
    if (m_seasonFirst < 0) {
        moveTo(m_cursor->recordCount());
        showRecord();
        return;
    }
    int opening = openingPosition();
    if (opening < 0) {
        // Nothing played yet: "Week 1" starts the season as it always did.
        moveTo(m_seasonFirst);
        showRecord();
        return;
    }
    enablePlayedWeeks();
    WeekSpan span = weekOf(opening);
    chosenWeek = span.week;
    firstDate.caption = dateOf(span.first);
    lastDate.caption = dateOf(span.last);
    moveTo(opening);
    showRecord();
}

// The first game played by the reference date that still lacks a score, or
// the first game of the last week played; -1 when no game was played yet.
int ScoreEntry::openingPosition() const {
    int lastPlayed = -1;
    for (int p = m_seasonFirst; p < m_seasonEnd; ++p) {
        const GameRecord& game = m_schedule[static_cast<size_t>(p)];
        if (game.date.empty() || !onOrBefore(game.date, m_pool.referenceDate()))
            continue;
        if (isBlank(game.visitorScore) || isBlank(game.homeScore))
            return p;
        lastPlayed = p;
    }
    return lastPlayed < 0 ? -1 : weekOf(lastPlayed).first;
}

ScoreEntry::WeekSpan ScoreEntry::weekOf(int position) const {
    WeekSpan span;
    if (m_seasonFirst < 0 || position < m_seasonFirst || position >= m_seasonEnd)
        return span;
    WeekTracker tracker;
    span.week = 1;
    span.first = m_seasonFirst;
    tracker.isBoundary(dateOf(m_seasonFirst), officialWeekOf(m_seasonFirst));
    for (int p = m_seasonFirst + 1; p <= position; ++p)
        if (tracker.isBoundary(dateOf(p), officialWeekOf(p))) {
            ++span.week;
            span.first = p;
        }
    span.last = position;
    for (int p = position + 1; p < m_seasonEnd && p - span.first < kMaxWeekGames; ++p) {
        if (tracker.isBoundary(dateOf(p), officialWeekOf(p)))
            break;
        span.last = p;
    }
    return span;
}

void ScoreEntry::chooseWeek(int week) {
    if (week < 1 || week > kMaxWeeks || !weekOptions[week].enabled || !commitBoxes())
        return;
    if (week == 1)
        showWeekOne();
    else
        showWeek(week);
}

void ScoreEntry::nextGame() {
    if (!hasRecord() || !commitBoxes())
        return;
    int position = m_cursor->position();
    int noted = dayOfRecord(position);
    int target = std::min(position + 1, m_cursor->recordCount() - 1);
    bool stays = target == position || !sameSeason(target) ||
                 !onOrBefore(dateOf(target), m_pool.referenceDate()) ||
                 (noted == kMonday && dayOfRecord(target) != kMonday);
    moveTo(stays ? position : target);
    showRecord();
}

void ScoreEntry::previousGame() {
    if (!hasRecord() || !commitBoxes())
        return;
    int position = m_cursor->position();
    int target = position - 1;
    // The game before a week's first game is the Monday game that ends the
    // week before.
    bool stays = target < 0 || !sameSeason(target) || dayOfRecord(target) == kMonday;
    moveTo(stays ? position : target);
    showRecord();
}

bool ScoreEntry::commitAndClose() {
    if (!commitBoxes())
        return false;
    if (m_cursor && !m_cursor->flush()) {
        m_dialogs.refuse("The scores of " + gameName() +
                         " could not be saved: " + m_cursor->lastError());
        return false;
    }
    closed = true;
    return true;
}

void ScoreEntry::importScores(const ScoreFileChooser& chooseFile) {
    // A score typed but not yet written would be overwritten by the import,
    // or would make the import's write fail: keep it now.
    if (!m_cursor || !commitBoxes() || !moveTo(m_cursor->position()))
        return;
    std::optional<std::filesystem::path> file = chooseFile();
    if (!file)
        return;
    Result<PoolLock> lock = lockPoolFiles(m_pool);
    if (!lock) {
        m_dialogs.refuse(lock.error().message);
        return;
    }
    ScoreImportResult result = importScoreFile(*m_table, *file, {});
    if (!result.ok && onlyScoresDiffer(*m_table, *file)) {
        if (!m_dialogs.confirm(result.summary + kOverwriteQuestion, "Import Scores")) {
            lock->release();
            return;
        }
        result = importScoreFile(*m_table, *file, {.season = std::nullopt, .overwrite = true});
    }
    lock->release();
    if (!result.ok) {
        m_dialogs.refuse(result.summary);
        return;
    }
    m_dialogs.inform(result.summary, "Import Scores");
    reopenCursor();
}

void ScoreEntry::importSchedule(const ScoreFileChooser& chooseFile) {
    if (!m_cursor || !commitBoxes() || !moveTo(m_cursor->position()))
        return;
    std::optional<std::filesystem::path> file = chooseFile();
    if (!file)
        return;
    constexpr const char* kTitle = "Import Schedule";
    ScheduleImportResult result = importScheduleFile(m_pool, *file, {});
    if (!result.ok && !result.conflicts.empty() &&
        m_dialogs.confirm(overwriteQuestion(result.conflicts), kTitle))
        result = importScheduleFile(m_pool, *file, {.overwrite = true});
    if (!result.ok) {
        m_dialogs.refuse(result.summary);
        return;
    }
    m_dialogs.inform(result.layout == ScheduleLayout::Table ? "Imported " + file->string()
                                                            : result.summary,
                     kTitle);
    open();
}

int ScoreEntry::recordPosition() const {
    return hasRecord() ? m_cursor->position() : -1;
}

bool ScoreEntry::hasRecord() const {
    return m_cursor && !m_cursor->bof() && !m_cursor->eof() && !m_schedule.empty();
}

bool ScoreEntry::sameSeason(int position) const {
    if (position < 0 || position >= static_cast<int>(m_schedule.size()))
        return false;
    return numericValue(m_schedule[static_cast<size_t>(position)].year) == m_pool.seasonYear();
}

const std::string& ScoreEntry::dateOf(int position) const {
    return m_schedule[static_cast<size_t>(position)].date;
}

int ScoreEntry::officialWeekOf(int position) const {
    return m_schedule[static_cast<size_t>(position)].week;
}

// The day of the week of a record; a record without a date keeps the day of
// the dated record before it.
int ScoreEntry::dayOfRecord(int position) const {
    for (int p = position; p >= 0; --p)
        if (!dateOf(p).empty())
            return dayOfWeek(dateOf(p));
    return 0;
}

std::string ScoreEntry::gameName() const {
    if (!hasRecord())
        return {};
    return trimSpaces(m_cursor->field("TeamA")) + " at " + trimSpaces(m_cursor->field("TeamB"));
}

// Checks both boxes and hands their normalised scores to the cursor, which
// writes them when it moves. Nothing is kept when either box is refused.
bool ScoreEntry::commitBoxes() {
    if (!hasRecord())
        return true;
    // A box as it was shown is no edit: its stored text stays as it is,
    // whatever its form.
    std::string visitor = visitorScore;
    std::string home = homeScore;
    if ((visitorScore != m_cursor->field("Visitor") && !normaliseScore(visitorScore, visitor)) ||
        (homeScore != m_cursor->field("Home") && !normaliseScore(homeScore, home)))
        return false;
    // A score typed again as it stands keeps the form it was stored in.
    for (auto [score, field] : {std::pair{&visitor, "Visitor"}, std::pair{&home, "Home"}})
        if (!score->empty() && trimSpaces(m_cursor->field(field)) == *score)
            *score = m_cursor->field(field);
    visitorScore = visitor;
    homeScore = home;
    if (visitor != m_cursor->field("Visitor"))
        m_cursor->setField("Visitor", visitor);
    if (home != m_cursor->field("Home"))
        m_cursor->setField("Home", home);
    return true;
}

// A score in the form every machine of the pool reads ("021" becomes "21",
// "7abc" "7"). An empty box stays empty, so an untouched game stays unscored.
bool ScoreEntry::normaliseScore(const std::string& text, std::string& score) {
    if (isBlank(text)) {
        score.clear();
        return true;
    }
    std::string problem;
    double value = numericValue(text);
    if (!hasLeadingNumber(text))
        problem = "is not a number.";
    else if (value < 0)
        problem = "is negative.";
    else if (value != std::floor(value) || value > kHighestScore)
        problem = "is not a whole number from 0 to 999.";
    if (!problem.empty()) {
        m_dialogs.refuse("The score \"" + text + "\" of " + gameName() + " " + problem);
        return false;
    }
    score = decimalText(value + 0.0); // no "-0"
    return true;
}

// Moves the cursor, which first writes the scores of the record it leaves.
bool ScoreEntry::moveTo(int position) {
    if (!m_cursor)
        return false;
    std::string leaving = gameName();
    bool moved = position == m_cursor->position() ? m_cursor->flush()
                                                  : m_cursor->move(position - m_cursor->position());
    if (!moved)
        m_dialogs.refuse("The scores of " + leaving +
                         " could not be saved: " + m_cursor->lastError());
    return moved;
}

void ScoreEntry::showRecord() {
    const bool on = hasRecord();
    visitorTeam.caption = on ? m_cursor->field("TeamA") : "";
    homeTeam.caption = on ? m_cursor->field("TeamB") : "";
    visitorScore = on ? m_cursor->field("Visitor") : "";
    homeScore = on ? m_cursor->field("Home") : "";
    seasonYear.caption = on ? m_cursor->field("year") : "";
    gameDate.caption.clear();
    gamePosition.caption.clear();
    if (!on)
        return;
    int position = m_cursor->position();
    if (position < static_cast<int>(m_schedule.size()) && !dateOf(position).empty())
        gameDate.caption = dayName(dayOfWeek(dateOf(position))) + ", " + dateOf(position);
    if (WeekSpan span = weekOf(position); span.week > 0)
        gamePosition.caption = "Game " + std::to_string(position - span.first + 1) + " of " +
                               std::to_string(span.last - span.first + 1) + ", week " +
                               std::to_string(span.week);
}

// Shows the week that starts at a record: its first and last dates, and its
// first game. The week ends before the next week boundary, at the season's
// end, or after 21 games.
void ScoreEntry::showWeekFrom(int first) {
    WeekTracker tracker;
    tracker.isBoundary(dateOf(first), officialWeekOf(first));
    int last = first;
    for (int p = first + 1; p < m_seasonEnd && p - first < kMaxWeekGames; ++p) {
        if (tracker.isBoundary(dateOf(p), officialWeekOf(p)))
            break;
        last = p;
    }
    firstDate.caption = dateOf(first);
    lastDate.caption = dateOf(last);
    if (moveTo(first))
        showRecord();
}

void ScoreEntry::showWeekOne() {
    if (m_seasonFirst < 0)
        return;
    enablePlayedWeeks();
    chosenWeek = 1;
    showWeekFrom(m_seasonFirst);
}

// Every week with a game on or before the reference date can be chosen.
void ScoreEntry::enablePlayedWeeks() {
    weekOptions[1].enabled = false;
    WeekTracker tracker;
    int week = 1;
    std::string date = kEmptyFirstDate;
    for (int p = m_seasonFirst; p < m_seasonEnd; ++p) {
        if (!dateOf(p).empty())
            date = dateOf(p);
        if (tracker.isBoundary(date, officialWeekOf(p)))
            ++week;
        if (week <= kMaxWeeks && weekOptions[week].visible &&
            onOrBefore(date, m_pool.referenceDate()))
            weekOptions[week].enabled = true;
    }
}

void ScoreEntry::showWeek(int week) {
    if (m_seasonFirst < 0)
        return;
    WeekTracker tracker;
    int count = 0;
    for (int p = m_seasonFirst; p < m_seasonEnd && count < week; ++p) {
        if (tracker.isBoundary(dateOf(p), officialWeekOf(p)))
            ++count;
        if (count == week - 1) {
            chosenWeek = week;
            showWeekFrom(p);
            return;
        }
    }
}

void ScoreEntry::tellReadFailure(const std::string& reason) {
    m_dialogs.refuse("The games table " + m_pool.gamesDatabasePath().string() +
                     " cannot be read: " + reason);
}

// The cursor holds the record it stands on as it read it: after other
// writes it reads the table afresh, standing where it stood.
void ScoreEntry::reopenCursor() {
    int position = m_cursor->position();
    m_cursor = std::make_unique<RecordCursor>(*m_table);
    if (!m_cursor->lastError().empty())
        tellReadFailure(m_cursor->lastError());
    if (m_cursor->recordCount() != static_cast<int>(m_schedule.size()))
        m_schedule.clear(); // the table changed under us: show nothing rather than a wrong game
    else if (!m_cursor->move(position - m_cursor->position()))
        tellReadFailure(m_cursor->lastError());
    showRecord();
}

std::unique_ptr<ScoreEntry> openScoreEntry(const Pool& pool, Dialogs& dialogs) {
    if (!requireAdmin(pool, pool.currentUser(), dialogs) ||
        !requireAdministratorsMachine(pool, dialogs))
        return nullptr;
    Result<std::unique_ptr<GamesTable>> table = openGamesTable(pool);
    if (!table) {
        dialogs.refuse(table.error().message);
        return nullptr;
    }
    auto window = std::make_unique<ScoreEntry>(pool, dialogs, std::move(*table));
    window->open();
    return window;
}

} // namespace gs
