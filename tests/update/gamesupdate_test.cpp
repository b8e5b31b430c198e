#include "update/gamesupdate.h"

#include "core/poolsettings.h"
#include "core/textfile.h"
#include "httpserver.h"
#include "schedule/seasongames.h"

#include <gtest/gtest.h>

namespace gs {
namespace {

namespace fs = std::filesystem;

// The real file, its data rows as they stand, or with a change per row.
std::string realFile(const std::function<void(std::vector<std::string>& fields)>& change = {}) {
    std::string text = test::readBytes(test::communityCsv());
    if (!change)
        return text;
    std::string out;
    for (const std::string& line : splitLines(text)) {
        std::vector<std::string> fields;
        size_t start = 0;
        for (size_t comma; (comma = line.find(',', start)) != std::string::npos; start = comma + 1)
            fields.push_back(line.substr(start, comma - start));
        fields.push_back(line.substr(start));
        if (fields[0] != "game_id")
            change(fields);
        for (size_t f = 0; f < fields.size(); ++f)
            out += (f ? "," : "") + fields[f];
        out += "\n";
    }
    return out;
}

// The last week of 2021 not yet played.
std::string withoutLastWeeksScores() {
    return realFile([](std::vector<std::string>& f) {
        if (f[1] == "2021" && f[2] == "REG" && f[3] == "18")
            f[8] = f[10] = "";
    });
}

class GamesUpdate : public testing::Test {
protected:
    GamesUpdate() {
        ensureGamesTable(pool());
        options.limits.retryPause = std::chrono::milliseconds(0);
    }
    const Pool& pool() const { return fixture.pool; }
    void serve(const std::string& bytes) { test::writeBytes(server.root() / "games.csv", bytes); }
    GamesUpdateResult update(const std::string& path, bool overwrite = false) {
        options.url = server.url(path);
        return updateGames(pool(), options, overwrite);
    }
    std::string tableBytes() { return test::readBytes(pool().gamesDatabasePath()); }
    std::string downloads() {
        return test::readBytes(pool().folders().program / kGamesDownloadsFileName);
    }
    // Whether the last request asked only for a changed file.
    bool lastRequestWasConditional() {
        std::string last = server.requests().back();
        return !last.ends_with("\t");
    }
    test::PoolFixture fixture;
    test::HttpServer server;
    GamesUpdateOptions options;
};

const char* const kSkipped = " Skipped 0 seasons before 2016 and 70 playoff games.";

TEST_F(GamesUpdate, FillsTheSeasonsThenFollowsTheFile) {
    serve(withoutLastWeeksScores());
    GamesUpdateResult first = update("files/games.csv");
    EXPECT_TRUE(first.ok);
    EXPECT_EQ(first.summary, std::string("Updated seasons 2016 to 2021 (1552 games): added 1552 "
                                         "games, removed 0, changed the date or week of 0; "
                                         "entered the scores of 1536 games; 0 games already "
                                         "held their scores.") +
                                 kSkipped);
    EXPECT_FALSE(lastRequestWasConditional());

    // Unchanged: the server says so and nothing is read or written.
    std::string before = tableBytes();
    GamesUpdateResult second = update("files/games.csv");
    EXPECT_TRUE(second.ok);
    EXPECT_FALSE(second.changed);
    EXPECT_EQ(second.summary, "Already up to date: the games file at " +
                                  server.url("files/games.csv") +
                                  " has not changed since it was last applied.");
    EXPECT_TRUE(lastRequestWasConditional());
    EXPECT_EQ(tableBytes(), before);
    // Forced, the whole file comes again and changes nothing.
    options.force = true;
    GamesUpdateResult forced = update("files/games.csv");
    EXPECT_FALSE(lastRequestWasConditional());
    EXPECT_TRUE(forced.ok && !forced.changed);
    EXPECT_TRUE(forced.summary.starts_with("Already up to date: seasons 2016 to 2021"))
        << forced.summary;
    options.force = false;

    // The last week's scores arrive.
    serve(realFile());
    GamesUpdateResult third = update("files/games.csv");
    EXPECT_TRUE(third.changed);
    EXPECT_TRUE(third.summary.starts_with("Updated seasons 2016 to 2021 (1552 games): added 0 "
                                          "games, removed 0, changed the date or week of 0; "
                                          "entered the scores of 16 games; 1536 games already"))
        << third.summary;

    // A corrected score is refused, then taken when overwritten.
    serve(realFile([](std::vector<std::string>& f) {
        if (f[0] == "2016_01_CAR_DEN")
            f[10] = "22";
    }));
    before = tableBytes();
    std::string kept = downloads();
    GamesUpdateResult refused = update("files/games.csv");
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.conflicts,
              std::vector<std::string>{"2016 week 1, Carolina Panthers at Denver Broncos on "
                                       "9/8/2016: the table holds 20-21, the file 20-22"});
    EXPECT_EQ(tableBytes(), before);
    EXPECT_EQ(downloads(), kept);
    GamesUpdateResult overwritten = update("files/games.csv", true);
    EXPECT_TRUE(overwritten.ok);
    EXPECT_TRUE(overwritten.changed);

    // A table changed since (a score typed in) is never taken as up to date.
    std::vector<GameRecord> records = test::tableRecords(pool());
    records.back().homeScore = " 99";
    test::storeRecords(pool(), records);
    GamesUpdateResult afterTyping = update("files/games.csv");
    EXPECT_FALSE(lastRequestWasConditional());
    EXPECT_FALSE(afterTyping.ok);
    EXPECT_EQ(afterTyping.conflicts.size(), 1u);
}

TEST_F(GamesUpdate, ARefusedFileLeavesTheTableByteIdentical) {
    serve(withoutLastWeeksScores());
    ASSERT_TRUE(update("files/games.csv").ok);
    serve(realFile());
    // Cut inside a row, without the server saying so.
    std::string real = realFile();
    test::writeBytes(server.root() / "cut.csv", real.substr(0, real.size() / 2));
    std::string before = tableBytes();
    std::string kept = downloads();
    const std::pair<std::string, std::string> refusals[] = {
        {"status/404", "The games file could not be fetched: the server answered {url} with "
                       "HTTP code 404. The games table was left as it is."},
        {"nolength/cut.csv",
         "The games file was refused: the file from {url} was cut short: its last line is not "
         "complete. The games table was left as it is."},
        {"html", "The games file was refused: what {url} sent is not the community games file: "
                 "its first line is not the file's header. The games table was left as it is."},
    };
    for (auto [path, summary] : refusals) {
        SCOPED_TRACE(path);
        summary.replace(summary.find("{url}"), 5, server.url(path));
        GamesUpdateResult result = update(path);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.summary, summary);
        EXPECT_EQ(tableBytes(), before);
        EXPECT_EQ(downloads(), kept);
    }
}

TEST(GamesFileUrl, DefaultIsWrittenBesideTheSettingsAnotherCopyKeeps) {
    test::PoolFixture fixture;
    fs::path settings = poolSettingsPath(fixture.pool.folders());
    test::writeBytes(settings, "# the pool's settings\r\nday=3\r\n");
    Result<std::string> url = gamesFileUrl(fixture.pool, std::nullopt);
    ASSERT_TRUE(url) << url.error().message;
    EXPECT_EQ(*url, kDefaultGamesUrl);
    EXPECT_EQ(test::readBytes(settings), "# the pool's settings\r\nday=3\r\ngamesUrl=" +
                                             std::string(kDefaultGamesUrl) + "\r\n");
    test::writeBytes(settings, "gamesUrl = file:///srv/games.csv \r\nday=3\r\n");
    EXPECT_EQ(gamesFileUrl(fixture.pool, std::nullopt).value(), "file:///srv/games.csv");
    EXPECT_EQ(gamesFileUrl(fixture.pool, "http://127.0.0.1/x.csv").value(),
              "http://127.0.0.1/x.csv");
}

} // namespace
} // namespace gs
