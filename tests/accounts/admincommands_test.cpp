#include "tests/support/commandrun.h"

#include "adminsupport.h"
#include "core/userlist.h"
#include "tests/support/testsupport.h"

#include <iterator>
#include <sstream>

namespace gs {
namespace {

using Outcome = test::CommandRun;

class AdminCommands : public testing::Test {
protected:
    test::PoolFixture program;
    Pool& pool = program.pool;

    void SetUp() override { test::writePoolOfFive(pool); }

    // Runs a command line, its words split at spaces.
    Outcome gridslate(const std::string& line) {
        std::istringstream words(line);
        return test::runGridslateIn(program.home.path(),
                                    {std::istream_iterator<std::string>(words), {}});
    }
};

TEST_F(AdminCommands, PlayersPrintsTheListInSlotOrderWithoutPasswords) {
    test::writeUserList(pool, {"admin,1,9,1,klm,0,F", "PC,1,1,0,Z,0,F",
                               "Zo\xEB,1,5,0,,0,/srv/zo\xEB", "carl,0,9,0,,0,F"});
    // The user is named in UTF-8 as well.
    Outcome o = gridslate("--user Zoë players");
    EXPECT_EQ(o.status, 0) << o.err;
    const std::string f = pool.programFolderText();
    EXPECT_EQ(o.out, "Name,Active,Admin,Folder\nadmin,1,1," + f + "\nPC,1,0," + f +
                         "\nZoë,1,0,/srv/zoë\ncarl,0,0," + f + "\n");
    EXPECT_EQ(o.err, "");
}

// The name arrives in UTF-8; "--active" and the rating player's name reach
// their own operations.
TEST_F(AdminCommands, AddPlayerReachesTheAddButtonsOperationAndSaves) {
    Outcome added = gridslate("add-player Zoë");
    EXPECT_EQ(added.status, 0) << added.err;
    EXPECT_EQ(added.out, "User list saved.\n");
    EXPECT_EQ(gridslate("add-player --active dave").status, 0);
    EXPECT_EQ(gridslate("add-player ELO").status, 0);
    EXPECT_EQ(test::userListLines(pool),
              (std::vector<std::string>{"admin,1,9,1,,0,F", "PC,1,1,0,Z,0,F", "ann,1,5,0,,0,F",
                                        "bob,1,9,0,,0,F", "dave,1,9,0,,0,F", "ELO,1,1,0,,1,F",
                                        "carl,0,9,0,,0,F", "Zo\xEB,0,9,0,,0,F"}));
}

// Each refusal on a full list, which only the last case reaches.
TEST_F(AdminCommands, ARefusedAddPlayerExitsNonZeroAndLeavesTheListAsItWas) {
    std::vector<std::string> users = {"admin,1,9,1,,0,F"};
    for (int i = 2; i <= kUserSlots; ++i)
        users.push_back("p" + std::to_string(i) + ",1,9,0,,0,F");
    test::writeUserList(pool, users);
    const std::string before = test::userListBytes(pool);
    const std::string usage = "gridslate: add-player takes one name: add-player NAME [--active]\n";
    struct Case {
        const char* name;
        const char* line;
        int status;
        std::string err;
    };
    for (const Case& c :
         {Case{"OutsideTheCodePage", "add-player Snow☃", 1, "gridslate: User Name Not Allowed\n"},
          Case{"NoRights", "--user p2 add-player dave", 1,
               "gridslate: You do not have administrator control\n"},
          Case{"NoName", "add-player --active", 2, usage},
          Case{"TwoNames", "add-player dave eve", 2, usage},
          Case{"FullList", "add-player dave --active", 1,
               "gridslate: the user list is full: it holds 100 players\n"}}) {
        SCOPED_TRACE(c.name);
        Outcome o = gridslate(c.line);
        EXPECT_EQ(o.status, c.status);
        EXPECT_EQ(o.out + o.err, c.err);
        EXPECT_EQ(test::userListBytes(pool), before);
    }
}

} // namespace
} // namespace gs
