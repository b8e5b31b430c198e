// What every transport does alike, against the real FTP server and a shared
// folder, and what only the FTP transport meets: the same requests, the same
// files left behind.

#include "exchange/ftptransport.h"

#include "core/textfile.h"
#include "exchangehome.h"
#include "tests/support/testsupport.h"

#include <curl/curl.h>

namespace gs {
namespace {

using Names = std::vector<std::string>;

// One request of each kind (list, fetch, send, remove) on "Al2010.dat",
// fetching into and sending from the local folder, which holds that file.
std::vector<Outcome> everyRequest(Transport& transport, const fs::path& local) {
    std::string listing;
    return {transport.listNames(listing), transport.fetch("Al2010.dat", local / "copy.dat"),
            transport.send(local / "Al2010.dat", "Al2010.dat"), transport.remove("Al2010.dat")};
}

class Transports : public testing::TestWithParam<ExchangeMode> {
protected:
    Transports() : place(GetParam()), transport(makeTransport(GetParam(), place.address())) {}
    bool ftp() const { return GetParam() == ExchangeMode::Ftp; }
    fs::path remote() const { return place.folder(); }
    // The far end can no longer be reached: the server down, the folder gone.
    void cutOff() { ftp() ? place.server.stop() : void(fs::remove_all(remote())); }

    test::SharedPlace place;
    test::TempDir local;
    std::unique_ptr<Transport> transport;
};

// What only a server meets.
class FtpTransports : public Transports {
protected:
    test::FtpServer& server = place.server;
};

TEST_P(Transports, SendReplacesWholeFetchKeepsEveryByteAndRemoveDeletes) {
    writeBytes(remote() / "Al2010.dat", "old picks, longer than the new ones");
    writeBytes(local.path() / "Al2010.dat", test::binaryBytes());
    Outcome sent = transport->send(local.path() / "Al2010.dat", "Al2010.dat");
    ASSERT_TRUE(sent.isDone()) << sent.text;
    EXPECT_EQ(readBytes(remote() / "Al2010.dat"), test::binaryBytes());
    EXPECT_EQ(folderEntries(remote()), (Names{"Al2010.dat"}));
    Outcome fetched = transport->fetch("Al2010.dat", local.path() / "copy.dat");
    ASSERT_TRUE(fetched.isDone()) << fetched.text;
    EXPECT_EQ(readBytes(local.path() / "copy.dat"), test::binaryBytes());
    EXPECT_EQ(folderEntries(local.path()), (Names{"Al2010.dat", "copy.dat"}));
    writeBytes(local.path() / "Al2010.dat", "");
    ASSERT_TRUE(transport->send(local.path() / "Al2010.dat", "Al2010.dat").isDone());
    EXPECT_EQ(readBytes(remote() / "Al2010.dat"), "");
    Outcome removed = transport->remove("Al2010.dat");
    ASSERT_TRUE(removed.isDone()) << removed.text;
    EXPECT_TRUE(folderEntries(remote()).empty());
    // A missing file is removed already.
    Outcome again = transport->remove("Al2010.dat");
    EXPECT_TRUE(again.isDone()) << again.text;
}

TEST_P(Transports, AFailedRequestLeavesBothSidesAsTheyWere) {
    EXPECT_EQ(transport->send(local.path() / "Al2010.dat", "Al2010.dat").kind,
              OutcomeKind::Failure);
    EXPECT_TRUE(folderEntries(remote()).empty());
    writeBytes(local.path() / "Al2010.dat", "my picks");
    // A server's "no such file" is its last word on it.
    const OutcomeKind missing = ftp() ? OutcomeKind::Refused : OutcomeKind::Failure;
    EXPECT_EQ(transport->fetch("Al2010.dat", local.path() / "Al2010.dat").kind, missing);
    EXPECT_EQ(readBytes(local.path() / "Al2010.dat"), "my picks");
    // Nor does a failed fetch leave a file where there was none.
    EXPECT_EQ(transport->fetch("Al2010.dat", local.path() / "new.dat").kind, missing);
    EXPECT_EQ(folderEntries(local.path()), (Names{"Al2010.dat"}));
}

TEST_P(Transports, FarEndOutOfReachFailsEveryRequest) {
    const fs::path gone = remote();
    cutOff();
    writeBytes(local.path() / "Al2010.dat", "picks");
    for (const Outcome& outcome : everyRequest(*transport, local.path())) {
        EXPECT_EQ(outcome.kind, OutcomeKind::Failure);
        if (ftp()) {
            EXPECT_EQ(outcome.code, CURLE_COULDNT_CONNECT);
            EXPECT_EQ(outcome.text.find(test::FtpServer::kPassword), std::string::npos);
        } else {
            EXPECT_EQ(outcome.text, "The shared folder " + gone.string() + " cannot be reached");
        }
    }
    EXPECT_FALSE(!ftp() && fs::exists(gone));
    EXPECT_EQ(folderEntries(local.path()), (Names{"Al2010.dat"}));
}

TEST_P(Transports, HostileNamesAreRefusedWithoutARequest) {
    writeBytes(remote() / ".." / "secret.dat", "outside");
    // With the server stopped, any request would fail to connect instead.
    if (ftp())
        cutOff();
    writeBytes(local.path() / "Al2010.dat", "picks");
    for (std::string name : {"../secret.dat", "/etc/passwd", "a/b.dat", "a\\b.dat", "", "..",
                             "x.dat\r\nDELE y.dat", "x\x01.dat"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(transport->fetch(name, local.path() / "got.dat").code, kRefusedNameCode);
        EXPECT_EQ(transport->send(local.path() / "Al2010.dat", name).code, kRefusedNameCode);
        EXPECT_EQ(transport->remove(name).code, kRefusedNameCode);
    }
    EXPECT_EQ(readBytes(remote() / ".." / "secret.dat"), "outside");
    EXPECT_EQ(folderEntries(local.path()), (Names{"Al2010.dat"}));
}

INSTANTIATE_TEST_SUITE_P(Modes, Transports, testing::Values(ExchangeMode::Ftp, ExchangeMode::Lan),
                         testing::PrintToStringParamName());
INSTANTIATE_TEST_SUITE_P(Mode, FtpTransports, testing::Values(ExchangeMode::Ftp),
                         testing::PrintToStringParamName());

TEST_P(FtpTransports, ASendReplacesTheFileWholeOrNotAtAll) {
    struct Case {
        const char* name;
        std::string address;
        OutcomeKind kind;
        std::string text; // how the outcome's text begins
        std::string after;
    };
    const Case cases[] = {
        {"AnonymousMayOnlyRead", server.anonymousAddress("pool"), OutcomeKind::Refused, "",
         "old picks"},
        // May delete: the old file would go if it were removed first.
        {"NoStoring", server.address("pool", test::FtpAccount::NoStore), OutcomeKind::Refused, "",
         "old picks"},
        {"NoRenaming", server.address("pool", test::FtpAccount::NoRename), OutcomeKind::Refused,
         "The server allows no renaming", "old picks"},
        {"RenamingOntoNoExistingName", server.address("pool", test::FtpAccount::NoReplace),
         OutcomeKind::Done, "", test::binaryBytes()},
        {"RenamingRefused", server.address("pool", test::FtpAccount::NoRnto), OutcomeKind::Refused,
         "The server did not rename the sent file to Al2010.dat", "old picks"},
    };
    writeBytes(local.path() / "Al2010.dat", test::binaryBytes());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes(remote() / "Al2010.dat", "old picks");
        Outcome outcome = FtpTransport(c.address).send(local.path() / "Al2010.dat", "Al2010.dat");
        EXPECT_EQ(outcome.kind, c.kind) << outcome.text;
        EXPECT_TRUE(outcome.text.starts_with(c.text)) << outcome.text;
        EXPECT_EQ(readBytes(remote() / "Al2010.dat"), c.after);
        // No temporary name is left behind.
        EXPECT_EQ(folderEntries(remote()), (Names{"Al2010.dat"}));
    }
}

TEST_P(FtpTransports, AMissingFolderOnEitherSideFails) {
    writeBytes(remote() / "Al2010.dat", "x");
    Outcome outcome = transport->fetch("Al2010.dat", local.path() / "gone" / "Al2010.dat");
    EXPECT_EQ(outcome.kind, OutcomeKind::Failure);
    EXPECT_EQ(outcome.code, CURLE_WRITE_ERROR);
    std::string listing;
    EXPECT_EQ(FtpTransport(server.address("nowhere")).listNames(listing).kind,
              OutcomeKind::Refused);
}

TEST_P(FtpTransports, AnAnonymousLoginReadsAndAWrongPasswordIsRefusedWithoutShowingIt) {
    writeBytes(remote() / "Al2010.dat", "x");
    std::string listing = "stale";
    Outcome listed = FtpTransport(server.anonymousAddress("pool")).listNames(listing);
    EXPECT_TRUE(listed.isDone()) << listed.text;
    EXPECT_EQ(listing, "Al2010.dat\r\n");
    FtpTransport intruder("ftp://ann:guess@" + server.anonymousAddress("pool"));
    Outcome outcome = intruder.listNames(listing);
    EXPECT_EQ(outcome.kind, OutcomeKind::Refused);
    EXPECT_EQ(outcome.code, CURLE_LOGIN_DENIED);
    EXPECT_EQ(outcome.text, "The server refused the login of ann (server reply 530)");
    // Nor does a refused send log in again to clean up after itself.
    writeBytes(local.path() / "Al2010.dat", "picks");
    EXPECT_EQ(intruder.send(local.path() / "Al2010.dat", "Al2010.dat").kind, OutcomeKind::Refused);
    EXPECT_EQ(server.passwordsFrom("ann"), 2);
}

TEST_P(FtpTransports, AServerThatStopsAnsweringIsLeftWithinTheLimit) {
    using std::chrono::seconds;
    struct Case {
        const char* name;
        test::FtpAccount account;
        seconds connect, stall;
        seconds deadline; // from now
    };
    // Last, every wait longer than the time the step has left.
    const Case cases[] = {
        {"StalledFetch", test::FtpAccount::Stalling, seconds(600), seconds(1), seconds(600)},
        {"ConnectLimit", test::FtpAccount::Silent, seconds(1), seconds(1), seconds(600)},
        {"Deadline", test::FtpAccount::Silent, seconds(600), seconds(600), seconds(1)},
    };
    writeBytes(remote() / "Al2010.dat", test::binaryBytes());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes(local.path() / "Al2010.dat", "my picks");
        FtpTransport hung(server.address("pool", c.account));
        hung.limit({.connect = c.connect, .stall = c.stall},
                   std::chrono::steady_clock::now() + c.deadline);
        Outcome outcome = hung.fetch("Al2010.dat", local.path() / "Al2010.dat");
        EXPECT_EQ(outcome.kind, OutcomeKind::Failure);
        EXPECT_EQ(outcome.code, CURLE_OPERATION_TIMEDOUT);
        EXPECT_TRUE(outcome.text.starts_with("The server stopped answering")) << outcome.text;
        EXPECT_EQ(readBytes(local.path() / "Al2010.dat"), "my picks");
        EXPECT_EQ(folderEntries(local.path()), (Names{"Al2010.dat"}));
    }
}

TEST_P(FtpTransports, NoRequestStartsOnceTheDeadlineHasPassed) {
    writeBytes(remote() / "Al2010.dat", "old picks");
    writeBytes(local.path() / "Al2010.dat", "new picks");
    transport->limit(ExchangeLimits{}, std::chrono::steady_clock::now());
    for (const Outcome& outcome : everyRequest(*transport, local.path())) {
        EXPECT_EQ(outcome.kind, OutcomeKind::Failure);
        EXPECT_EQ(outcome.code, CURLE_OPERATION_TIMEDOUT);
    }
    EXPECT_EQ(folderEntries(remote()), (Names{"Al2010.dat"}));
    EXPECT_EQ(readBytes(remote() / "Al2010.dat"), "old picks");
    EXPECT_EQ(folderEntries(local.path()), (Names{"Al2010.dat"}));
}

TEST_P(FtpTransports, AFileOverTheLimitIsRefusedAndTheLocalOneKept) {
    constexpr size_t kLimit = ExchangeLimits{}.fetchBytes;
    struct Case {
        const char* name;
        test::FtpAccount account;
        size_t bytes;
    };
    const Case cases[] = {{"AnnouncedAtTheLimit", test::FtpAccount::Full, kLimit},
                          {"AnnouncedOverTheLimit", test::FtpAccount::Full, kLimit + 1},
                          {"UnannouncedAtTheLimit", test::FtpAccount::NoSize, kLimit},
                          {"UnannouncedOverTheLimit", test::FtpAccount::NoSize, kLimit + 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string served(c.bytes, 'x');
        writeBytes(remote() / "Al2010.dat", served);
        writeBytes(local.path() / "Al2010.dat", "my picks");
        FtpTransport sized(server.address("pool", c.account));
        Outcome outcome = sized.fetch("Al2010.dat", local.path() / "Al2010.dat");
        bool taken = c.bytes == kLimit;
        EXPECT_EQ(outcome.kind, taken ? OutcomeKind::Done : OutcomeKind::Refused) << outcome.text;
        if (!taken) {
            EXPECT_EQ(outcome.code, CURLE_FILESIZE_EXCEEDED);
            EXPECT_TRUE(outcome.text.starts_with("Al2010.dat is larger than 4 MB")) << outcome.text;
        }
        // Compared whole, but not printed: four megabytes would drown the report.
        std::string now = readBytes(local.path() / "Al2010.dat");
        EXPECT_TRUE(now == (taken ? served : "my picks")) << now.size() << " bytes";
        EXPECT_EQ(folderEntries(local.path()), (Names{"Al2010.dat"}));
    }
}

TEST(FtpAddress, GivesTheDirectoryOrFailsEveryRequestWithoutConnecting) {
    // The directory holds no credentials.
    const std::pair<const char*, const char*> directories[] = {
        {"ann:secret@127.0.0.1:2121/pool", "ftp://127.0.0.1:2121/pool/"},
        {"ftp://127.0.0.1", "ftp://127.0.0.1/"},
        {"FTP://127.0.0.1/pool/", "ftp://127.0.0.1/pool/"},
        {"127.0.0.1/my pool/2010/", "ftp://127.0.0.1/my%20pool/2010/"},
    };
    for (auto [address, directory] : directories)
        EXPECT_EQ(FtpTransport(address).directoryUrl(), directory) << address;
    test::TempDir local;
    writeBytes(local.path() / "Al2010.dat", "picks");
    for (const char* address : {"", "ftp://", "ftp:///pool", "ann:secret@/pool",
                                "http://127.0.0.1/pool", "127.0.0.1:99999/pool",
                                "ann:secret@127.0.0.1:ftp/pool", "127.0.0 .1/pool", "[::1/pool"}) {
        SCOPED_TRACE(address);
        FtpTransport transport(address);
        EXPECT_EQ(transport.directoryUrl(), "");
        for (const Outcome& outcome : everyRequest(transport, local.path())) {
            EXPECT_EQ(outcome.kind, OutcomeKind::MalformedAddress) << outcome.text;
            EXPECT_EQ(outcome.text.find("secret"), std::string::npos) << outcome.text;
        }
    }
    EXPECT_EQ(folderEntries(local.path()), (Names{"Al2010.dat"}));
}

} // namespace
} // namespace gs
