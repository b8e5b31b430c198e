#include "core/userlist.h"

#include "accounts/accounts.h"
#include "adminsupport.h"
#include "schedule/seasongames.h"
#include "session/login.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

namespace gs {
namespace {

using test::readBytes;
using test::writeBytes;

// Logging in with and without a preference file.
class Preferences : public testing::Test {
protected:
    test::PoolFixture program;
    Pool& pool = program.pool;
    MainWindowModel window;
    Session session{program.pool, program.dialogs, window};

    void SetUp() override {
        ASSERT_TRUE(ensureGamesTable(pool));
        // ann's password in the list is "abc".
        test::writeUserList(pool, {"admin,1,9,1,,0,F", "PC,1,1,0,Z,0,F", "ann,1,5,0,klm,0,F"});
    }
    bool logIn(const std::string& name, const std::string& password) {
        window.userName = name;
        window.password = password;
        return session.logIn();
    }
};

TEST_F(Preferences, AMissingFileMeansTheDefaultsSilently) {
    ASSERT_TRUE(logIn("ann", "abc"));
    EXPECT_TRUE(program.dialogs.messages().empty());
    const UserSlot& ann = pool.users()[3];
    EXPECT_EQ(ann.password, "abc");     // the list's, so that a save keeps it
    EXPECT_EQ(ann.exchangeAddress, ""); // no exchange place set yet

    // The next account change writes the file, password kept.
    FolderChange change(pool, program.dialogs);
    test::TempDir elsewhere;
    ASSERT_TRUE(change.select(elsewhere.path().string()));
    EXPECT_EQ(readBytes(preferencePath(pool.folders(), "ann")), "klm,\r\n");
    EXPECT_EQ(test::userListLines(pool)[2], "ann,1,5,0,klm,0," + elsewhere.path().string());
}

TEST_F(Preferences, ADamagedFileIsStillReported) {
    for (const char* damaged : {"no comma here\r\n", "\x05,x\r\n", ""}) {
        program.dialogs.clear();
        writeBytes(preferencePath(pool.folders(), "ann"), damaged);
        ASSERT_TRUE(logIn("ann", "abc")) << damaged;
        EXPECT_EQ(
            program.dialogs.messages(),
            std::vector<std::string>{"Gridslate: Error reading User Preferences. Defaults set."})
            << damaged;
        EXPECT_EQ(pool.users()[3].password, "");
    }
}

TEST_F(Preferences, APasswordChangedForAnotherPlayerLetsHimIn) {
    writeBytes(preferencePath(pool.folders(), "ann"), "klm,ftp://ann.example/\r\n");
    ASSERT_TRUE(logIn("admin", ""));
    PasswordChange change(pool, program.dialogs, "ann");
    change.password = change.verification = "new";
    ASSERT_TRUE(change.save());
    session.logOut();
    program.dialogs.clear();

    EXPECT_FALSE(logIn("ann", "abc"));
    EXPECT_EQ(program.dialogs.messages(), std::vector<std::string>{"Error: Incorrect password."});
    ASSERT_TRUE(logIn("ann", "new"));
    EXPECT_EQ(pool.users()[3].exchangeAddress, "ftp://ann.example/");
}

} // namespace
} // namespace gs
