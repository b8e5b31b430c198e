#include "exchangehome.h"

#include "core/userlist.h"
#include "schedule/gamesdb.h"
#include "schedule/seasongames.h"

#include <gtest/gtest.h>

namespace gs::test {

namespace {

class ScriptedTransport final : public Transport {
public:
    explicit ScriptedTransport(Script& script) : m_script(script) {}
    Outcome listNames(std::string& listing) override {
        listing = m_script.listing;
        return Outcome::done();
    }
    Outcome fetch(const std::string& remoteName, const std::filesystem::path& localPath) override {
        m_script.fetched.push_back(remoteName);
        if (m_script.failingFetches.count(remoteName))
            return Outcome::failure(5, "The scripted fetch of " + remoteName + " fails");
        writeBytes(localPath, m_script.files[remoteName]);
        return Outcome::done();
    }
    Outcome send(const std::filesystem::path&, const std::string&) override {
        return Outcome::done();
    }
    Outcome remove(const std::string&) override { return Outcome::done(); }
    Outcome quit() override { return Outcome::done(); }

private:
    Script& m_script;
};

} // namespace

TransportFactory scriptedTransports(Script& script) {
    return [&script](ExchangeMode, const std::string&) {
        return std::make_unique<ScriptedTransport>(script);
    };
}

void addPoolPlayers(Pool& pool) {
    addUser(pool, 1, "admin", 1);
    addUser(pool, 2, "PC");
    addUser(pool, 3, "Al");
    addUser(pool, 4, "Alice");
    addUser(pool, 5, "Bob");
    pool.users[4].active = 0;
    pool.users[5].active = 0;
    pool.users[1].password = kAdminPassword;
    pool.users[2].password = "P";
    pool.users[3].password = kAlPassword;
    pool.users[4].password = "wonder";
    pool.users[5].password = "b0b";
    fillUserLists(pool);
}

void writeGamesTable(const std::filesystem::path& path, int year,
                     const std::string& scoresThrough) {
    auto table = GamesTable::create(path);
    Status written = table ? (*table)->replaceSeasons(seasonRecords(year, scoresThrough))
                           : Status(failure(table.error()));
    if (!written)
        ADD_FAILURE() << "cannot write the games table " << path << ": " << written.error().message;
}

std::string pickFileBytes(const std::vector<int>& weekOnePicks) {
    std::vector<std::string> lines = {weekLine(weekOnePicks)};
    lines.resize(kWeeks, weekLine());
    lines.push_back("admin");
    lines.push_back("Al");
    return crlf(lines);
}

ExchangeHome::ExchangeHome(const std::string& user, ExchangeMode mode, const std::string& address) {
    EXPECT_TRUE(ensureGamesTable(pool));
    addPoolPlayers(pool);
    pool.currentUser = user;
    pool.currentSlot().exchangeAddress = address;
    EXPECT_TRUE(saveUserList(pool));
    state.place = {mode, address};
    useTransports(makeTransport);
}

void ExchangeHome::useTransports(TransportFactory transports) {
    operations = std::make_unique<ExchangeOperations>(pool, dialogs, state, std::move(transports),
                                                      requests, wait);
    operations->onFileMoved = [this](const std::string& line) { moved.push_back(line); };
}

} // namespace gs::test
