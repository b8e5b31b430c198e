#include "testsupport.h"

#include "core/poollock.h"
#include "core/startup.h"

#include "core/text.h"
#include "schedule/calendar.h"
#include "schedule/seasongames.h"
#include "tests/support/sampledata.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sstream>
#include <stdexcept>
#include <stdlib.h>

namespace gs::test {

namespace fs = std::filesystem;

namespace {

// The next answer of a queue, or the fallback once the queue ran dry.
template <typename T> T nextAnswer(std::deque<T>& answers, T fallback) {
    if (answers.empty())
        return fallback;
    T answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

} // namespace

void FakeDialogs::message(MessageKind kind, const std::string& text, const std::string& title) {
    shown.push_back({"message", text, title});
    kinds.push_back(kind);
}

bool FakeDialogs::confirm(const std::string& text, const std::string& title) {
    shown.push_back({"confirm", text, title});
    return nextAnswer(confirmAnswers, true);
}

void PrintTo(const FakeDialogs::Shown& shown, std::ostream* os) {
    *os << shown.kind << " " << shown.title << ": " << shown.text;
}

SaveAnswer FakeDialogs::askToSave(const std::string& text, const std::string& title) {
    shown.push_back({"askToSave", text, title});
    return nextAnswer(saveAnswers, SaveAnswer::Save);
}

std::string FakeDialogs::input(const std::string& prompt, const std::string& title,
                               const std::string&) {
    shown.push_back({"input", prompt, title});
    return nextAnswer(inputAnswers, std::string());
}

std::vector<std::string> FakeDialogs::messages() const {
    std::vector<std::string> out;
    for (const auto& s : shown)
        if (s.kind == "message")
            out.push_back(s.title + ": " + s.text);
    return out;
}

TempDir::TempDir() {
    std::string pattern = (fs::temp_directory_path() / "gridslate-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    m_path = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(m_path, ec);
}

PoolFixture::PoolFixture() : pool(home.path()) {
    fs::create_directories(pool.folders().program);
}

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void writeBytes(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::vector<std::string> folderEntries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        if (std::string name = entry.path().filename().string();
            name != kLockFileName && name != kDataFolderMarker)
            names.push_back(name);
    std::sort(names.begin(), names.end());
    return names;
}

std::string binaryBytes() {
    std::string bytes = "line\r\nother\nlast\r";
    for (int i = 0; i < 256; ++i)
        bytes += static_cast<char>(i);
    return bytes;
}

fs::path scheduleCsv() {
    return fs::path(TEST_DATA_DIR) / "schedules_2009_2015.csv";
}

fs::path communityCsv() {
    return fs::path(TEST_DATA_DIR) / "games_2016_2021.csv";
}

std::vector<GameRecord> seasonRecords(int year, const std::string& scoresThrough) {
    static const std::vector<GameRecord> bundled = sample::bundledGames();
    std::vector<GameRecord> records;
    for (GameRecord r : bundled) {
        if (!scoresThrough.empty() && !onOrBefore(r.date, dateOf(scoresThrough)))
            r.visitorScore = r.homeScore = "";
        if (numericValue(r.year) == year)
            records.push_back(r);
    }
    return records;
}

Season csvSeason(int year, const std::string& scoresThrough) {
    return seasonOf(gamesOf(seasonRecords(year, scoresThrough)).value(), year);
}

Season miniSeason() {
    const std::tuple<int, int, const char*> games[] = {
        {1, 2, "9/12/2010"}, {3, 4, "9/12/2010"}, {7, 5, "9/12/2010"}, {6, 8, "9/13/2010"},
        {2, 1, "9/19/2010"}, {4, 7, "9/19/2010"}, {5, 6, "9/19/2010"}, {8, 3, "9/20/2010"},
        {1, 3, "9/26/2010"}, {4, 6, "9/27/2010"}};
    std::vector<GameRecord> records;
    for (auto [visitor, home, date] : games)
        records.push_back({teamName(visitor, 2010), teamName(home, 2010), date, "", "", "2010"});
    return seasonOf(gamesOf(records).value(), 2010);
}

void writeGamesTable(const fs::path& path, const std::vector<GameRecord>& records) {
    auto table = GamesTable::create(path);
    Status written = table ? (*table)->replaceSeasons(records) : Status(failure(table.error()));
    if (!written)
        ADD_FAILURE() << "cannot write the games table " << path << ": " << written.error().message;
}

void storeRecords(const Pool& pool, const std::vector<GameRecord>& records) {
    writeGamesTable(pool.gamesDatabasePath(), records);
}

void storeSeasons(const Pool& pool, const std::vector<int>& years,
                  const std::string& scoresThrough) {
    std::vector<GameRecord> records;
    for (int year : years)
        for (GameRecord& r : seasonRecords(year, scoresThrough))
            records.push_back(std::move(r));
    storeRecords(pool, records);
}

bool runSql(const fs::path& file, const std::string& sql) {
    sqlite3* db = nullptr;
    bool ran = sqlite3_open(file.c_str(), &db) == SQLITE_OK &&
               sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ran;
}

std::vector<GameRecord> tableRecords(const Pool& pool) {
    auto table = GamesTable::open(pool.gamesDatabasePath());
    if (!table)
        ADD_FAILURE() << "cannot open the games table: " << table.error().message;
    return table ? (*table)->records().value_or(std::vector<GameRecord>{})
                 : std::vector<GameRecord>{};
}

std::string dumpRecords(const std::vector<GameRecord>& records) {
    std::string text;
    for (const auto& r : records)
        text += r.visitor + "|" + r.home + "|" + r.date + "|" + r.visitorScore + "|" + r.homeScore +
                "|" + r.year + "\n";
    return text;
}

void editUser(Pool& pool, int slot, const std::function<void(UserSlot&)>& edit) {
    UserSlot user = pool.users().at(static_cast<size_t>(slot));
    edit(user);
    pool.setUser(slot, std::move(user));
}

void editCurrentUser(Pool& pool, const std::function<void(UserSlot&)>& edit) {
    int slot = pool.userSlot(pool.currentUser());
    if (slot == 0) {
        ADD_FAILURE() << pool.currentUser() << " is on no slot";
        return;
    }
    editUser(pool, slot, edit);
}

void addUser(Pool& pool, int slot, const std::string& name, int admin, const std::string& folder) {
    editUser(pool, slot, [&](UserSlot& user) {
        user.name = name;
        user.active = 1;
        user.admin = static_cast<int16_t>(admin);
        user.folder = folder.empty() ? pool.programFolderText() : folder;
    });
}

std::string crlf(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

std::string weekLine(const std::vector<int>& picked) {
    std::string line;
    for (int t = 1; t <= kTeamCount; ++t)
        line += std::string(t > 1 ? "," : "") +
                (std::find(picked.begin(), picked.end(), t) != picked.end() ? "1" : "0");
    return line;
}

} // namespace gs::test

namespace gs {

void PrintTo(MessageKind kind, std::ostream* os) {
    static const char* const kKinds[] = {"Information", "Warning", "Error"};
    const auto k = static_cast<size_t>(kind);
    if (k < std::size(kKinds))
        *os << kKinds[k];
    else
        *os << "MessageKind(" << k << ")";
}

std::ostream& operator<<(std::ostream& out, const Error& error) {
    static const char* const kKinds[] = {"NotFound",     "Unreadable", "Unwritable", "Malformed",
                                         "NoGamesTable", "Changed",    "Busy",       "Refused"};
    const auto kind = static_cast<size_t>(error.kind);
    return out << (kind < std::size(kKinds) ? kKinds[kind] : "ErrorKind?") << ": " << error.message;
}

void PrintTo(const Error& error, std::ostream* out) {
    *out << error;
}

} // namespace gs
