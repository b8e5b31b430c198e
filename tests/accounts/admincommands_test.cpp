#include "tests/support/commandrun.h"

#include "adminsupport.h"
#include "core/userlist.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

namespace gs {
namespace {

using Outcome = test::CommandRun;

class AdminCommands : public testing::Test {
protected:
    test::PoolFixture program;
    Pool& pool = program.pool;

    void SetUp() override { test::writePoolOfFive(pool); }

    Outcome gridslate(std::vector<std::string> args) {
        return test::runGridslateIn(program.home.path(), std::move(args));
    }
};

TEST_F(AdminCommands, PlayersPrintsTheListInSlotOrderWithoutPasswords) {
    test::writeUserList(pool, {"admin,1,9,1,klm,0,F", "PC,1,1,0,Z,0,F",
                               "Zo\xEB,1,5,0,,0,/srv/zo\xEB", "carl,0,9,0,,0,F"});
    // The user is named in UTF-8 as well.
    Outcome o = gridslate({"--user", "Zoë", "players"});
    EXPECT_EQ(o.status, 0) << o.err;
    const std::string f = pool.programFolderText();
    EXPECT_EQ(o.out, "Name,Active,Admin,Folder\nadmin,1,1," + f + "\nPC,1,0," + f +
                         "\nZoë,1,0,/srv/zoë\ncarl,0,0," + f + "\n");
    EXPECT_EQ(o.err, "");
}

// The name arrives in UTF-8; "--active" and the rating player's name reach
// their own operations.
TEST_F(AdminCommands, AddPlayerReachesTheAddButtonsOperationAndSaves) {
    Outcome added = gridslate({"add-player", "Zoë"});
    EXPECT_EQ(added.status, 0) << added.err;
    EXPECT_EQ(added.out, "User list saved.\n");
    EXPECT_EQ(gridslate({"add-player", "--active", "dave"}).status, 0);
    EXPECT_EQ(gridslate({"add-player", "ELO"}).status, 0);
    EXPECT_EQ(test::userListLines(pool),
              (std::vector<std::string>{"admin,1,9,1,,0,F", "PC,1,1,0,Z,0,F", "ann,1,5,0,,0,F",
                                        "bob,1,9,0,,0,F", "dave,1,9,0,,0,F", "ELO,1,1,0,,1,F",
                                        "carl,0,9,0,,0,F", "Zo\xEB,0,9,0,,0,F"}));
}

TEST_F(AdminCommands, ARefusedAddPlayerExitsNonZeroAndLeavesTheListAsItWas) {
    const std::string before = test::userListBytes(pool);
    const std::string usage = "gridslate: add-player takes one name: add-player NAME [--active]\n";
    struct Case {
        const char* name;
        std::vector<std::string> args;
        std::string err;
    };
    for (const Case& c :
         {Case{"OutsideTheCodePage", {"add-player", "Snow☃"}, "gridslate: User Name Not Allowed\n"},
          Case{"NoRights",
               {"--user", "ann", "add-player", "dave"},
               "gridslate: You do not have administrator control\n"},
          Case{"NoName", {"add-player", "--active"}, usage},
          Case{"TwoNames", {"add-player", "dave", "eve"}, usage}}) {
        SCOPED_TRACE(c.name);
        Outcome o = gridslate(c.args);
        EXPECT_NE(o.status, 0);
        EXPECT_EQ(o.out + o.err, c.err);
        EXPECT_EQ(test::userListBytes(pool), before);
    }
}

TEST_F(AdminCommands, AddPlayerToAFullListExitsNonZero) {
    std::vector<std::string> users = {"admin,1,9,1,,0,F"};
    for (int i = 2; i <= kUserSlots; ++i)
        users.push_back("p" + std::to_string(i) + ",0,9,0,,0,F");
    test::writeUserList(pool, users);
    Outcome o = gridslate({"add-player", "dave", "--active"});
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, "gridslate: the user list is full: it holds 100 players\n");
}

} // namespace
} // namespace gs
