#pragma once

// Shared by every test: a scripted fake of the dialogs, a fresh temporary
// home folder, and small file helpers.

#include "core/dialogs.h"
#include "core/pool.h"
#include "core/season.h"
#include "schedule/gamesdb.h"
#include "schedule/seasongames.h"

#include <chrono>
#include <deque>
#include <filesystem>
#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <iosfwd>
#include <string>
#include <vector>

namespace gs::test {

// Records every message and answers questions and input boxes from queues
// (OK, Save and "" when a queue runs dry).
class FakeDialogs : public Dialogs {
public:
    struct Shown {
        std::string kind; // "message", "confirm", "askToSave" or "input"
        std::string text;
        std::string title;
        bool operator==(const Shown&) const = default;
        // "kind title: text" in assertion failures.
        friend void PrintTo(const Shown& shown, std::ostream* os);
    };

    void message(MessageKind kind, const std::string& text, const std::string& title) override;
    bool confirm(const std::string& text, const std::string& title) override;
    std::string input(const std::string& prompt, const std::string& title,
                      const std::string& defaultText) override;
    SaveAnswer askToSave(const std::string& text, const std::string& title) override;

    std::vector<Shown> shown;
    std::deque<bool> confirmAnswers;
    std::deque<SaveAnswer> saveAnswers;
    std::deque<std::string> inputAnswers;

    // The messages shown, as "title: text" lines.
    std::vector<std::string> messages() const;
    // The kind of each message shown, in order.
    std::vector<MessageKind> kinds;
    void clear() {
        shown.clear();
        kinds.clear();
    }
};

// A fresh temporary folder, removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// A pool in a fresh temporary home (its data folder created), with the
// scripted dialogs its panels talk to.
struct PoolFixture {
    PoolFixture();
    TempDir home;
    Pool pool;
    FakeDialogs dialogs;
};

std::string readBytes(const std::filesystem::path& path);
void writeBytes(const std::filesystem::path& path, const std::string& bytes);
// Every entry of a folder, hidden ones too, sorted; but for the lock and
// marker files that every data folder holds.
std::vector<std::string> folderEntries(const std::filesystem::path& folder);
// Bytes that a text-mode copy would change: every byte value and both line ends.
std::string binaryBytes();

// A day as a test writes it (M/D/YYYY); a text that is no day fails the test.
inline Date dateOf(std::string_view text) {
    return Date::parse(text).value();
}

// Noon UTC of a day (M/D/YYYY): a clock that reads that day in the
// Americas and Europe alike.
inline std::chrono::sys_seconds noonOf(std::string_view text) {
    Date day = dateOf(text);
    return std::chrono::sys_days{std::chrono::year{day.year()} / day.month() / day.day()} +
           std::chrono::hours(12);
}

// The real schedules of 2009..2015.
std::filesystem::path scheduleCsv();

// The real community games file of the seasons 2016..2021, playoffs included.
std::filesystem::path communityCsv();

// One season of the real schedules as games table records. Scores of games
// dated after scoresThrough (M/D/YYYY) are left empty; "" keeps every score.
std::vector<GameRecord> seasonRecords(int year, const std::string& scoresThrough = "");

// A date before every game: seasonRecords(year, kNoScores) has no score.
inline constexpr const char* kNoScores = "1/1/1990";

// The same season with its scored games counted, as the pool reads it.
Season csvSeason(int year, const std::string& scoresThrough = "");

// A small season of 2010 for the computer players: ten games of the teams
// 1..8, week 1 rows 0..3 (the last on a Monday), week 2 rows 4..7, week 3
// rows 8..9; nothing scored.
Season miniSeason();

// Replaces the seasons these records hold in a games table file, made
// when missing.
void writeGamesTable(const std::filesystem::path& path, const std::vector<GameRecord>& records);

// Replaces the seasons these records hold in the pool's games table.
void storeRecords(const Pool& pool, const std::vector<GameRecord>& records);

// Stores whole real seasons; scoresThrough applies to every one of them.
void storeSeasons(const Pool& pool, const std::vector<int>& years,
                  const std::string& scoresThrough = "");

// Runs fixed SQL on a database file, made when missing (set-up only; no
// values pasted in), and says whether it ran.
bool runSql(const std::filesystem::path& file, const std::string& sql);

// Every record of the pool's games table.
std::vector<GameRecord> tableRecords(const Pool& pool);

// One line a record, fields joined by "|".
std::string dumpRecords(const std::vector<GameRecord>& records);

// Changes one slot of the pool's table, as a test arranges it.
void editUser(Pool& pool, int slot, const std::function<void(UserSlot&)>& edit);

// Changes the current user's slot; a current user on no slot fails the test.
void editCurrentUser(Pool& pool, const std::function<void(UserSlot&)>& edit);

// Puts an active user in a slot; the folder defaults to the program folder.
void addUser(Pool& pool, int slot, const std::string& name, int admin = 0,
             const std::string& folder = "");

// Each line followed by CR LF.
std::string crlf(const std::vector<std::string>& lines);

// A week line of a pick file with these teams picked.
std::string weekLine(const std::vector<int>& picked = {});

} // namespace gs::test

namespace gs {

// The names every test uses, where the tests are written: in the program's
// namespace.
namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using test::folderEntries;
using test::readBytes;
using test::TempDir;
using test::writeBytes;

// Names a message kind in assertion failures ("Error" rather than bytes).
void PrintTo(MessageKind kind, std::ostream* os);

// An error's kind and message in assertion failures and after `<<`.
std::ostream& operator<<(std::ostream& out, const Error& error);
void PrintTo(const Error& error, std::ostream* out);

} // namespace gs
