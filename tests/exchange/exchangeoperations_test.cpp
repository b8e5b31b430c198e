#include "exchange/exchangeoperations.h"

#include "adminsupport.h"
#include "core/poolmachine.h"
#include "core/poolsettings.h"
#include "core/userlist.h"
#include "exchange/exchangefiles.h"
#include "exchangehome.h"
#include "schedule/seasongames.h"
#include "tests/support/testsupport.h"

#include <algorithm>
#include <sys/stat.h>

namespace gs {
namespace {

using test::ExchangeHome;
using test::pickFileBytes;
using Names = std::vector<std::string>;

Names sorted(Names names) {
    std::sort(names.begin(), names.end());
    return names;
}

std::string computerFileBytes() {
    std::vector<std::string> lines(kWeeks, test::weekLine({2}));
    lines.resize(kWeeks + 256, "3");
    return test::crlf(lines);
}

constexpr std::chrono::sys_seconds kBeforeTheSeason{
    std::chrono::sys_days{std::chrono::year{2010} / 8 / 1}};

// The operations over a shared place of either kind.
class Exchange : public testing::TestWithParam<ExchangeMode> {
protected:
    Exchange() : place(GetParam()) {}
    bool ftp() const { return GetParam() == ExchangeMode::Ftp; }
    fs::path shared() const { return place.folder(); }
    std::unique_ptr<ExchangeHome> home(const std::string& user) {
        return std::make_unique<ExchangeHome>(user, GetParam(), place.address());
    }
    // What the shared place holds for a week: every kind of file.
    void fillSharedPlace() {
        const char* players[] = {"Al", "Alice", "Bob", "admin", "Carl"};
        for (int k = 0; k < 5; ++k)
            writeBytes(shared() / (std::string(players[k]) + "2010.dat"), pickFileBytes({k + 1}));
        writeBytes(shared() / "PC2010.dat", computerFileBytes());
        writeBytes(shared() / "oldscores2010.dat", test::crlf(Names(32, " 1, 2, 0, 20, 10")));
        test::writeGamesTable(shared() / "scoresheet97.mdb", test::seasonRecords(2010));
        // Sent before the season began.
        for (const auto& entry : fs::directory_iterator(shared()))
            fs::last_write_time(entry.path(), std::chrono::file_clock::from_sys(kBeforeTheSeason));
    }

    test::SharedPlace place;
};

// Over FTP only.
class FtpExchange : public Exchange {};

TEST_P(Exchange, APlayerUploadsHisOwnPickFiles) {
    auto al = home("Al");
    // A copied home: its user list still names the original's folder.
    test::TempDir original;
    writeBytes(original.path() / "Al2010.dat", pickFileBytes({7}));
    for (int slot : {2, 3})
        test::editUser(al->pool, slot, [&](UserSlot& u) { u.folder = original.path().string(); });
    writeBytes(al->program() / "Al2010.dat", pickFileBytes({1}));
    writeBytes(al->program() / "Al2009.dat", pickFileBytes({2}));
    // Alice's name begins with Al's; the others are no pick files of his.
    for (const char* other :
         {"Alice2010.dat", "Bob2010.dat", "Al2010x.dat", "Al20100.dat", "Alyear.dat", "Al2010.txt"})
        writeBytes(al->program() / other, pickFileBytes({5}));
    writeBytes(shared() / "Al2010.dat", "last week's picks");

    EXPECT_EQ(al->operations->uploadUserFiles(), OperationEnd::Completed);
    // Over FTP every season's file of his goes; to a folder this season's.
    Names sent = ftp() ? Names{"Al2009.dat", "Al2010.dat"} : Names{"Al2010.dat"};
    EXPECT_EQ(folderEntries(shared()), sent);
    for (const std::string& name : sent)
        EXPECT_EQ(readBytes(shared() / name), readBytes(al->program() / name)) << name;
    EXPECT_EQ(al->moved.size(), sent.size());
    EXPECT_EQ(al->moved.back(), "Sent Al2010.dat to " + place.where());
    EXPECT_EQ(al->messages(), Names{"Gridslate: Operation Complete."});
    EXPECT_TRUE(al->state.fileList.entries.empty());
    EXPECT_FALSE(al->state.progress.visible);
    EXPECT_FALSE(fs::exists(al->pool.folders().staging));
}

TEST_P(Exchange, AnAdministratorUploadsOnlyTheSelectedFileAndAPlayersMachineOnlyItsPlayers) {
    auto admin = home("admin");
    EXPECT_EQ(admin->operations->uploadUserFiles(), OperationEnd::NothingDone);
    writeBytes(admin->program() / "Al2010.dat", pickFileBytes({1}));
    writeBytes(admin->program() / "Bob2010.dat", pickFileBytes({2}));
    admin->state.fileList = {{"Al2010.dat", "Bob2010.dat"}, -1};
    EXPECT_EQ(admin->operations->uploadUserFiles(), OperationEnd::Completed);
    EXPECT_TRUE(folderEntries(shared()).empty());
    admin->state.fileList = {{"Al2010.dat", "Bob2010.dat"}, 1};
    EXPECT_EQ(admin->operations->uploadUserFiles(), OperationEnd::Completed);
    EXPECT_EQ(folderEntries(shared()), Names{"Bob2010.dat"});

    // Al's machine: its admin would replace the pool's administrator's
    // picks; Al, even with the rights and a file chosen, sends only his own.
    fs::remove(shared() / "Bob2010.dat");
    ASSERT_TRUE(markPlayersMachine(admin->pool, "Al"));
    admin->dialogs.clear();
    EXPECT_EQ(admin->operations->uploadUserFiles(), OperationEnd::Failed);
    EXPECT_EQ(admin->messages(), Names{"Error: This computer is Al's machine in the pool, so only "
                                       "Al's pick files are uploaded from it: log in as Al to "
                                       "upload them."});
    test::editUser(admin->pool, 3, [](UserSlot& al) { al.admin = 1; });
    admin->pool.setCurrentUser("Al");
    EXPECT_EQ(admin->operations->uploadUserFiles(), OperationEnd::Completed);
    EXPECT_EQ(folderEntries(shared()), Names{"Al2010.dat"});
    // Picks Al made since are his machine's: its admin's download keeps
    // them, and nobody there removes a file of the shared place.
    writeBytes(admin->program() / "Al2010.dat", pickFileBytes({3}));
    admin->pool.setCurrentUser("admin");
    admin->dialogs.clear();
    admin->operations->downloadAllUserFiles();
    EXPECT_EQ(readBytes(admin->program() / "Al2010.dat"), pickFileBytes({3}));
    admin->dialogs.clear();
    EXPECT_EQ(admin->operations->deleteRemoteFile("Al2010.dat"), OperationEnd::Failed);
    EXPECT_EQ(admin->messages(), Names{std::string("Error: ") + kPlayersMachineMessage});
    EXPECT_EQ(folderEntries(shared()), Names{"Al2010.dat"});
}

TEST_P(Exchange, APickChangedAfterItsKickoffNeverReachesTheAdministrator) {
    auto admin = home("admin");
    const Game opener = rebuildSeasonGames(admin->pool).value().games.front();
    int visitor = opener.visitor.number(), home = opener.home.number();
    // The pool goes from day to day; the opener, without a kickoff, locks
    // on its day. Al's file is sent at noon of a day, on this machine's clock.
    TimeZone zone = machineZone().value();
    auto noon = [&](int days) {
        return *parsePoolMoment(opener.dateText() + " 12:00", zone, {}).value().instant() +
               std::chrono::days(days);
    };
    auto poolDay = [&](int days) {
        admin->pool.setDayOverride(PoolMoment::now(noon(days), zone).day().text());
    };
    fs::path shared = place.folder() / "Al2010.dat", held = admin->program() / "Al2010.dat";
    auto send = [&](int picked, int day) {
        writeBytes(shared, pickFileBytes({picked}));
        fs::last_write_time(shared, std::chrono::file_clock::from_sys(noon(day)));
    };

    send(visitor, -2);
    poolDay(-1);
    admin->operations->downloadAllUserFiles();
    EXPECT_EQ(readBytes(held), pickFileBytes({visitor}));

    // Sent the day before the game and taken after it: the file's time says
    // the change was made in time.
    send(home, -1);
    poolDay(1);
    admin->operations->downloadAllUserFiles();
    EXPECT_EQ(readBytes(held), pickFileBytes({home}));

    // Al picks the other team once the game is played, and sends it again.
    send(visitor, 0);
    admin->moved.clear();
    EXPECT_EQ(admin->operations->downloadAllUserFiles(), OperationEnd::Completed);
    EXPECT_EQ(readBytes(held), pickFileBytes({home}));
    EXPECT_EQ(admin->moved.back(),
              "Al: the pick of " + opener.visitorName() + " at " + opener.homeName() +
                  " (week 1) changed after its kickoff; kept " + opener.home.abbreviation(2010));
    // With an earlier file time it is still refused: the game had kicked
    // off when this machine last took the file.
    send(visitor, -2);
    admin->operations->downloadAllUserFiles();
    EXPECT_EQ(readBytes(held), pickFileBytes({home}));
}

TEST_P(Exchange, APlayerDownloadsTheListedPlayersFilesAndWithoutTheRightsTheMasterFiles) {
    fillSharedPlace();
    auto al = home("Al");
    // The pool's list as the administrator sends it: the list Al has.
    writeBytes(shared() / "UserList.db",
               userListWithoutPasswords(readBytes(userListPath(al->pool.folders()))));
    writeBytes(al->program() / "Al2010.dat", pickFileBytes({9}));
    // Left by an operation cut short: never installed.
    writeBytes(al->pool.folders().staging / "Bob2009.dat", pickFileBytes({7}));
    std::string list = readBytes(userListPath(al->pool.folders()));

    EXPECT_EQ(al->operations->downloadAllUserFiles(), OperationEnd::Completed);
    // His own file stays as his machine holds it; Carl is on no list; the
    // old scores travel only through a shared folder.
    Names taken = {"Alice2010.dat", "Bob2010.dat", "PC2010.dat", "admin2010.dat"};
    if (!ftp())
        taken.push_back("oldscores2010.dat");
    for (const std::string& name : taken)
        EXPECT_EQ(readBytes(al->program() / name), readBytes(shared() / name)) << name;
    Names files = taken;
    // The pool's names are kept with the settings; the list stands as it
    // was; when each pick file came is this machine's own record.
    files.insert(files.end(), {"Al2010.dat", "Al_UserPref.dbu", "PoolSettings.ini", "UserList.db",
                               kGamesFileName, kDownloadTimesFileName});
    EXPECT_EQ(folderEntries(al->program()), sorted(files));
    // His picks, now with the pool's order after them.
    EXPECT_EQ(readBytes(al->program() / "Al2010.dat"),
              test::replaceAll(pickFileBytes({9}), "admin\r\nAl", "admin\r\nPC\r\nAl"));
    EXPECT_EQ(readBytes(userListPath(al->pool.folders())), list);
    EXPECT_EQ(test::dumpRecords(test::tableRecords(al->pool)),
              test::dumpRecords(test::seasonRecords(2010)));
    // Over FTP the window shows what came; from a folder it is just done.
    taken.insert(taken.end(), {kGamesFileName, "UserList.db"});
    EXPECT_EQ(sorted(al->state.fileList.entries), ftp() ? sorted(taken) : Names{});
    EXPECT_EQ(al->messages(), ftp() ? Names{} : Names{"Gridslate: Operation Complete."});
    EXPECT_EQ(al->state.listing.empty(), !ftp());
    EXPECT_FALSE(fs::exists(al->pool.folders().staging));

    // With the rights (the administrator has them too) he keeps his master files.
    test::editUser(al->pool, 3, [](UserSlot& own) { own.admin = 1; });
    writeBytes(al->program() / "PC2010.dat", "the master copy");
    writeBytes(al->program() / "Bob2010.dat", "last week's picks");
    test::storeRecords(al->pool, test::seasonRecords(2010, "10/01/2010"));
    std::string table = readBytes(al->pool.gamesDatabasePath());
    EXPECT_EQ(al->operations->downloadAllUserFiles(), OperationEnd::Completed);
    EXPECT_EQ(readBytes(al->program() / "PC2010.dat"), "the master copy");
    EXPECT_EQ(readBytes(al->pool.gamesDatabasePath()), table);
    EXPECT_EQ(readBytes(al->program() / "Bob2010.dat"), readBytes(shared() / "Bob2010.dat"));
}

TEST_P(Exchange, ReceivedFilesThatCannotBeUsedAreReportedAndTheOthersInstalled) {
    writeBytes(shared() / "scoresheet97.mdb", "half a database");
    writeBytes(shared() / "Bob2010.dat", pickFileBytes({1}).substr(0, 100));
    writeBytes(shared() / "PC2010.dat", "");
    writeBytes(shared() / "Alice2010.dat", pickFileBytes({2}));
    writeBytes(shared() / "UserList.db", "2010\r\nAl,1,9,0,,0,/d\r\n"); // no pool's list
    // In a shared folder, something that is no file under a player's name.
    if (!ftp()) {
        ASSERT_EQ(::mkfifo((shared() / "Alice2009.dat").c_str(), 0600), 0);
    }
    auto al = home("Al");
    writeBytes(al->program() / "Bob2010.dat", pickFileBytes({5}));
    std::string table = readBytes(al->pool.gamesDatabasePath());
    std::string list = readBytes(userListPath(al->pool.folders()));

    // The operation did not do all it should, so a script sees a failure.
    EXPECT_EQ(al->operations->downloadAllUserFiles(), OperationEnd::Failed);
    EXPECT_EQ(readBytes(al->pool.gamesDatabasePath()), table);
    EXPECT_EQ(readBytes(al->program() / "Bob2010.dat"), pickFileBytes({5}));
    EXPECT_EQ(readBytes(al->program() / "Alice2010.dat"), pickFileBytes({2}));
    EXPECT_FALSE(fs::exists(al->program() / "PC2010.dat"));
    EXPECT_EQ(readBytes(userListPath(al->pool.folders())), list);
    EXPECT_FALSE(fs::exists(poolSettingsPath(al->pool.folders())));
    EXPECT_EQ(al->messages().size(), ftp() ? 4u : 5u);
    EXPECT_FALSE(fs::exists(al->program() / "Alice2009.dat"));
}

TEST_P(Exchange, AFetchThatFailsInstallsNothing) {
    // A shared folder lists them in this order: the first is fetched before
    // the second, too large, is refused.
    writeBytes(shared() / "Alice2010.dat", pickFileBytes({1}));
    writeBytes(shared() / "Bob2010.dat", std::string(ExchangeLimits{}.fetchBytes + 1, '1'));
    auto al = home("Al");
    EXPECT_EQ(al->operations->downloadAllUserFiles(), OperationEnd::Failed);
    EXPECT_FALSE(fs::exists(al->program() / "Alice2010.dat"));
    EXPECT_FALSE(fs::exists(al->program() / "Bob2010.dat"));
    EXPECT_EQ(al->messages().size(), 1u);
    EXPECT_FALSE(fs::exists(al->pool.folders().staging));
}

TEST_P(FtpExchange, ANameThatIsNoPlainFileNameIsNeverFetched) {
    // A legal name on the server that would lead out of the staging folder.
    writeBytes(shared() / "Bob\\..\\..\\evil2010.dat", pickFileBytes());
    writeBytes(shared() / "Bob2010.dat", pickFileBytes({1}));
    auto al = home("Al");
    EXPECT_EQ(al->operations->downloadAllUserFiles(), OperationEnd::Completed);
    EXPECT_EQ(al->state.fileList.entries, Names{"Bob2010.dat"});
}

TEST_P(Exchange, AnAdministratorUploadsTheMasterFilesAndTheUserListWithoutPasswords) {
    auto admin = home("admin");
    writeBytes(admin->program() / "PC2010.dat", computerFileBytes());
    writeBytes(admin->program() / "ELO2010.dat", computerFileBytes());
    std::string list = readBytes(userListPath(admin->pool.folders()));
    EXPECT_EQ(admin->operations->uploadAdminFiles(), OperationEnd::Completed);
    EXPECT_EQ(folderEntries(shared()),
              (Names{"ELO2010.dat", "PC2010.dat", "UserList.db", kGamesFileName}));
    EXPECT_EQ(readBytes(shared() / "UserList.db"), userListWithoutPasswords(list));
    EXPECT_EQ(readBytes(userListPath(admin->pool.folders())), list);
    EXPECT_EQ(admin->messages(), ftp() ? Names{"Gridslate: Operation Complete."} : Names{});
    EXPECT_EQ(admin->moved.size(), 4u);
    EXPECT_FALSE(fs::exists(admin->pool.folders().staging));
}

TEST_P(Exchange, AMissingMasterFileIsReportedAndTheOthersAreSent) {
    auto admin = home("admin");
    fs::remove(admin->pool.gamesDatabasePath());
    EXPECT_EQ(admin->operations->uploadAdminFiles(), OperationEnd::Completed);
    EXPECT_EQ(folderEntries(shared()), Names{"UserList.db"});
    Names expected = {"Gridslate: " + admin->pool.gamesDatabasePath().string() + " unavailable"};
    if (ftp())
        expected.push_back("Gridslate: Operation Complete.");
    EXPECT_EQ(admin->messages(), expected);
    EXPECT_EQ(admin->operations->unavailableFiles(), Names{kGamesFileName});
}

TEST_P(Exchange, OnlyAUserWithRightsUploadsTheMasterFiles) {
    auto al = home("Al");
    EXPECT_EQ(al->operations->uploadAdminFiles(), OperationEnd::NothingDone);
    EXPECT_EQ(al->messages().size(), 1u);
    // An empty place is no failure.
    EXPECT_EQ(al->operations->downloadAllUserFiles(), OperationEnd::Completed);
    EXPECT_TRUE(al->state.fileList.entries.empty());
    // To a folder this season's pick file goes, and it is missing.
    if (!ftp()) {
        al->dialogs.clear();
        EXPECT_EQ(al->operations->uploadUserFiles(), OperationEnd::Failed);
        EXPECT_EQ(al->messages(),
                  Names{"Error: The file " + (al->program() / "Al2010.dat").string() +
                        " does not exist."});
    }
    EXPECT_TRUE(folderEntries(shared()).empty());
}

TEST_P(Exchange, RemovingAFileListsThePlaceAgain) {
    writeBytes(shared() / "a.dat", "a");
    writeBytes(shared() / "b.txt", "b");
    // A shared folder's listing leaves out what is no plain file name, but
    // not what is no file.
    if (!ftp()) {
        writeBytes(shared() / "odd\rname", "x");
        fs::create_directory(shared() / "folder");
    }
    auto admin = home("admin");
    EXPECT_EQ(admin->operations->deleteRemoteFile("a.dat"), OperationEnd::Completed);
    EXPECT_EQ(admin->state.fileList.entries, ftp() ? Names{"b.txt"} : (Names{"b.txt", "folder"}));
    // Only a server's listing goes into the listing box.
    EXPECT_EQ(admin->state.listing, ftp() ? "b.txt\r\n" : "");
    EXPECT_TRUE(admin->messages().empty());
}

TEST_P(Exchange, APlaceOutOfReachEndsInOneMessageNamingTheStep) {
    auto admin = home("admin");
    std::string where = place.where();
    if (ftp()) {
        place.server.stop();
        // Cancelled while it waits to try again, an operation ends without a word.
        admin->wait.onWait = [&](int) { admin->operations->cancel(); };
        EXPECT_EQ(admin->operations->uploadAdminFiles(), OperationEnd::Cancelled);
        EXPECT_EQ(admin->wait.waits, 1);
        EXPECT_EQ(admin->messages(), Names{});
        EXPECT_FALSE(fs::exists(admin->pool.folders().staging));
    } else {
        where = (shared() / "gone").string();
        admin->moveTo(ExchangeMode::Lan, where);
    }
    // The next operation starts afresh.
    std::vector<std::string> lines;
    admin->wait.onWait = [&](int) { lines.push_back(admin->state.status); };
    EXPECT_EQ(admin->operations->downloadAllUserFiles(), OperationEnd::Failed);
    // Only a server is tried again, each failed try on the progress line.
    EXPECT_EQ(lines.size(), ftp() ? static_cast<size_t>(ExchangeLimits{}.tries - 1) : 0u);
    if (ftp()) {
        EXPECT_TRUE(lines[0].starts_with("Listing " + where + ": try 1 of 10 failed ("))
            << lines[0];
        EXPECT_TRUE(lines[0].ends_with(", error 7); trying again.")) << lines[0];
    }
    ASSERT_EQ(admin->messages().size(), 1u);
    EXPECT_TRUE(admin->messages()[0].starts_with("Error: Listing " + where + " failed"))
        << admin->messages()[0];
    EXPECT_EQ(admin->messages()[0].find(test::FtpServer::kPassword), std::string::npos);
    EXPECT_FALSE(fs::exists(admin->pool.folders().staging));
}

TEST(ExchangePlaceCheck, RefusesThisPoolsOwnFoldersAndWritingIntoAnyPoolsData) {
    test::PoolFixture home;
    const Folders& own = home.pool.folders();
    fs::create_directories(own.program / "sub");
    test::TempDir marked, withPreferences, share;
    writeBytes(marked.path() / ".gridslate-data", "");
    writeBytes(withPreferences.path() / "Bob_UserPref.dbu", "");
    // A real shared folder holds the master files: no sign of a data folder.
    writeBytes(share.path() / "UserList.db", "2010\r\n");
    writeBytes(share.path() / "scoresheet97.mdb", "");

    auto lan = [](const fs::path& folder) { return ExchangePlace{ExchangeMode::Lan, folder}; };
    const std::string inside = "lies inside it";
    const std::string data = "holds the data files of a pool";
    struct Case {
        const char* name;
        ExchangePlace place;
        std::string reading; // a piece of the refusal, or "" when allowed
        std::string writing;
    };
    const Case cases[] = {
        {"Empty", {ExchangeMode::Lan, ""}, kNoPlaceMessage, kNoPlaceMessage},
        {"SchemeOnly", {ExchangeMode::Ftp, "ftp://"}, kNoPlaceMessage, kNoPlaceMessage},
        {"DataFolder", lan(own.program), inside, inside},
        {"DataFolderWithSlash", lan(own.program.string() + "/"), inside, inside},
        {"InsideDataFolder", lan(own.program / "sub"), inside, inside},
        {"ByAWayRound", lan(own.program / "sub" / ".." / ".." / "data"), inside, inside},
        {"Staging", lan(own.staging), inside, inside},
        {"MarkedFolder", lan(marked.path()), "", data},
        {"PreferenceFiles", lan(withPreferences.path()), "", data},
        {"SharedFolder", lan(share.path()), "", ""},
        {"Ftp", {ExchangeMode::Ftp, "host/pool"}, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (auto [use, wanted] :
             {std::pair{PlaceUse::Reading, c.reading}, std::pair{PlaceUse::Writing, c.writing}}) {
            Status checked = checkExchangePlace(home.pool, c.place, use);
            std::string refusal = checked ? "" : checked.error().message;
            EXPECT_EQ(refusal.empty(), wanted.empty()) << refusal;
            EXPECT_NE(refusal.find(wanted), std::string::npos) << refusal;
        }
    }
}

TEST(LanExchange, NoOperationWorksOnTheDataFolder) {
    test::ExchangeHome admin("admin", ExchangeMode::Lan, "");
    admin.moveTo(ExchangeMode::Lan, admin.program().string());
    fs::path list = userListPath(admin.pool.folders());
    std::string bytes = readBytes(list);
    EXPECT_EQ(admin.operations->uploadAdminFiles(), OperationEnd::Failed);
    EXPECT_EQ(admin.operations->downloadAllUserFiles(), OperationEnd::Failed);
    EXPECT_EQ(admin.operations->listRemoteDirectory(), OperationEnd::Failed);
    EXPECT_EQ(admin.operations->deleteRemoteFile("UserList.db"), OperationEnd::Failed);
    EXPECT_EQ(readBytes(list), bytes);
}

INSTANTIATE_TEST_SUITE_P(Modes, Exchange, testing::Values(ExchangeMode::Ftp, ExchangeMode::Lan),
                         testing::PrintToStringParamName());
INSTANTIATE_TEST_SUITE_P(Mode, FtpExchange, testing::Values(ExchangeMode::Ftp),
                         testing::PrintToStringParamName());

} // namespace
} // namespace gs
