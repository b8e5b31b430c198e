#pragma once

// A home of the pool for the exchange tests: its players, and the exchange
// operations with waits that return at once.

#include "exchange/exchangeoperations.h"
#include "ftpserver.h"
#include "tests/support/testsupport.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
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

// The players of every test home: admin (rights), PC, and Al active; Alice
// and Bob on file but not active.
inline constexpr const char* kAlPassword = "alpass";
void addPoolPlayers(Pool& pool);

// A whole pick file of a human player: 17 week lines, then the pool order.
std::string pickFileBytes(const std::vector<int>& weekOnePicks = {1});

// One folder as a shared place: served by the real FTP server, or shared as
// it is.
struct SharedPlace {
    explicit SharedPlace(ExchangeMode mode);
    std::filesystem::path folder() const { return server.root() / "pool"; }
    // What a home stores, and what the messages show of it.
    std::string address() const;
    std::string where() const;

    ExchangeMode mode;
    FtpServer server;
};

struct ExchangeHome {
    // Logs the user in (the games table and the user list written) and
    // points the exchange at the place.
    ExchangeHome(const std::string& user, ExchangeMode mode, const std::string& address);

    void moveTo(ExchangeMode mode, const std::string& address) { state.place = {mode, address}; }
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
