#include "tests/support/commandrun.h"

#include "core/poolsettings.h"
#include "httpserver.h"
#include "tests/support/poolbuilder.h"
#include "tests/support/testsupport.h"

namespace gs {
namespace {

// A home with an administrator and a player without rights, and a server
// that holds the real games file.
class UpdateGamesCommand : public test::PoolBuilder, public testing::Test {
protected:
    UpdateGamesCommand() {
        season(2010).player("admin", test::kAdminRights).player("ann").bundledGames();
        savedUserList();
        test::writeBytes(server.root() / "games.csv", test::readBytes(test::communityCsv()));
    }
    test::CommandRun gridslate(std::vector<std::string> args) {
        return test::runGridslateIn(home.path(), std::move(args));
    }
    test::HttpServer server;
};

TEST_F(UpdateGamesCommand, UpdatesFromTheSettingsAddressAndExitsOneOnAFailure) {
    // The address the settings hold, beside a key of another copy.
    test::writeBytes(poolSettingsPath(pool.folders()),
                     "day=3\r\ngamesUrl=" + server.url("files/games.csv") + "\r\n");
    test::CommandRun first = gridslate({"update-games"});
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_TRUE(first.out.starts_with("Updated seasons 2016 to 2021")) << first.out;
    test::CommandRun forced = gridslate({"update-games", "--force"});
    EXPECT_EQ(forced.status, 0) << forced.err;
    EXPECT_EQ(server.requests().back(), "/files/games.csv\t");
    test::CommandRun missing = gridslate({"update-games", "--url", server.url("status/404")});
    EXPECT_EQ(missing.status, 1);
}

TEST_F(UpdateGamesCommand, IsForAdministratorsWithItsOwnArguments) {
    test::CommandRun player =
        gridslate({"--user", "ann", "update-games", "--url", server.url("files/games.csv")});
    EXPECT_EQ(player.status, 1);
    EXPECT_EQ(player.err, "gridslate: You do not have administrator control\n");
    for (std::vector<std::string> wrong : {std::vector<std::string>{"update-games", "games.csv"},
                                           {"update-games", "--url"},
                                           {"update-games", "--force", "--force"}}) {
        test::CommandRun run = gridslate(wrong);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err, "gridslate: update-games takes no file: update-games [--url URL] "
                           "[--overwrite] [--force]\n");
    }
    EXPECT_TRUE(server.requests().empty());
}

} // namespace
} // namespace gs
