#pragma once

// A home of the pool for the exchange tests: its players, and the exchange
// operations with waits that return at once.

#include "exchange/exchangeoperations.h"
#include "tests/support/testsupport.h"

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace gs {
// "FTP" or "LAN" in test names and assertion failures.
inline void PrintTo(ExchangeMode mode, std::ostream* out) {
    *out << modeName(mode);
}
} // namespace gs

namespace gs::test {

// Counts the waits between tries and returns at once.
class CountingWait final : public RetryWait {
public:
    bool wait(int) override {
        ++waits;
        if (onWait)
            onWait(waits);
        return true;
    }
    int waits = 0;
    std::function<void(int)> onWait;
};

// A shared place that answers from a script, for what no real server
// would serve: its listing, the bytes each fetch delivers, and the names
// whose fetch fails. Every fetch asked for is recorded.
struct Script {
    std::string listing;
    std::map<std::string, std::string> files;
    std::set<std::string> failingFetches;
    std::vector<std::string> fetched;
};

// Transports of any mode that all answer from the script.
TransportFactory scriptedTransports(Script& script);

// The players of every test home: admin (rights), PC, and Al active; Alice
// and Bob on file but not active.
inline constexpr const char* kAdminPassword = "adm1n";
inline constexpr const char* kAlPassword = "alpass";
void addPoolPlayers(Pool& pool);

// A games table file with this season's games, scored through the date ("" for all).
void writeGamesTable(const std::filesystem::path& path, int year,
                     const std::string& scoresThrough = "");

// A whole pick file of a human player: 17 week lines, then the pool order.
std::string pickFileBytes(const std::vector<int>& weekOnePicks = {1});

struct ExchangeHome {
    // Logs the user in (the games table and the user list written) and
    // points the exchange at the place.
    ExchangeHome(const std::string& user, ExchangeMode mode, const std::string& address);

    void moveTo(ExchangeMode mode, const std::string& address) { state.place = {mode, address}; }
    // Makes the operations with other transports.
    void useTransports(TransportFactory transports);
    const std::filesystem::path& program() const { return fixture.pool.folders().program; }
    std::vector<std::string> messages() const { return fixture.dialogs.messages(); }

    PoolFixture fixture;
    Pool& pool = fixture.pool;
    FakeDialogs& dialogs = fixture.dialogs;
    ExchangeState state;
    DirectRequests requests;
    CountingWait wait;
    std::vector<std::string> moved;
    std::unique_ptr<ExchangeOperations> operations;
};

} // namespace gs::test
