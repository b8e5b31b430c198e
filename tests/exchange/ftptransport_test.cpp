#include "exchange/ftptransport.h"

#include "everyrequest.h"
#include "exchange/listing.h"
#include "ftpserver.h"
#include "tests/support/testsupport.h"

#include <algorithm>
#include <arpa/inet.h>
#include <curl/curl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace gs {
namespace {

namespace fs = std::filesystem;
using test::folderEntries;
using test::readBytes;
using test::writeBytes;

class FtpTransportTest : public testing::Test {
protected:
    FtpTransportTest() { fs::create_directory(server.root() / "pool"); }

    fs::path pool() const { return server.root() / "pool"; }

    std::vector<std::string> sortedNames(FtpTransport& transport) {
        std::string listing;
        Outcome outcome = transport.listNames(listing);
        EXPECT_TRUE(outcome.isDone()) << outcome.text;
        std::vector<std::string> names = parseListing(listing);
        std::sort(names.begin(), names.end());
        return names;
    }

    test::FtpServer server;
    test::TempDir local;
    FtpTransport transport{server.address("pool")};
};

TEST_F(FtpTransportTest, AddressFormsReachTheirDirectory) {
    writeBytes(pool() / "Al2010.dat", "x");
    const std::pair<std::string, std::vector<std::string>> forms[] = {
        {"ftp://" + server.address("pool"), {"Al2010.dat"}},
        {"FTP://" + server.address("pool"), {"Al2010.dat"}},
        {server.address("pool/"), {"Al2010.dat"}},
        {server.anonymousAddress("pool"), {"Al2010.dat"}},
        // Without a path, the login directory.
        {server.address(), {"pool"}},
    };
    for (const auto& [address, names] : forms) {
        SCOPED_TRACE(address);
        FtpTransport other(address);
        EXPECT_EQ(sortedNames(other), names);
    }
}

TEST_F(FtpTransportTest, ASendReplacesTheFileWholeOrNotAtAll) {
    struct Case {
        const char* name;
        std::string address;
        OutcomeKind kind;
        std::string text; // how the outcome's text begins
        std::string after;
    };
    const Case cases[] = {
        {"AnonymousMayOnlyRead", server.anonymousAddress("pool"), OutcomeKind::Failure, "",
         "old picks"},
        {"NoRenaming", server.address("pool", test::FtpAccount::NoRename), OutcomeKind::Refused,
         "The server allows no renaming", "old picks"},
        {"RenamingOntoNoExistingName", server.address("pool", test::FtpAccount::NoReplace),
         OutcomeKind::Done, "", test::binaryBytes()},
    };
    writeBytes(local.path() / "Al2010.dat", test::binaryBytes());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes(pool() / "Al2010.dat", "old picks");
        Outcome outcome = FtpTransport(c.address).send(local.path() / "Al2010.dat", "Al2010.dat");
        EXPECT_EQ(outcome.kind, c.kind) << outcome.text;
        EXPECT_TRUE(outcome.text.starts_with(c.text)) << outcome.text;
        EXPECT_EQ(readBytes(pool() / "Al2010.dat"), c.after);
        // No temporary name is left behind.
        EXPECT_EQ(folderEntries(pool()), (std::vector<std::string>{"Al2010.dat"}));
    }
}

TEST_F(FtpTransportTest, AMissingFolderOnEitherSideFails) {
    writeBytes(pool() / "Al2010.dat", "x");
    Outcome outcome = transport.fetch("Al2010.dat", local.path() / "gone" / "Al2010.dat");
    EXPECT_EQ(outcome.kind, OutcomeKind::Failure);
    EXPECT_EQ(outcome.code, CURLE_WRITE_ERROR);
    std::string listing;
    EXPECT_EQ(FtpTransport(server.address("nowhere")).listNames(listing).kind,
              OutcomeKind::Failure);
}

TEST_F(FtpTransportTest, WrongPasswordFailsWithoutShowingIt) {
    FtpTransport intruder("ftp://ann:guess@" + server.anonymousAddress("pool"));
    std::string listing;
    Outcome outcome = intruder.listNames(listing);
    EXPECT_EQ(outcome.kind, OutcomeKind::Refused);
    EXPECT_EQ(outcome.code, CURLE_LOGIN_DENIED);
    EXPECT_EQ(outcome.text, "The server refused the login of ann (server reply 530)");
    EXPECT_EQ(server.passwordsFrom("ann"), 1);
}

TEST_F(FtpTransportTest, FetchThatStallsEndsAtTheStallLimitAndKeepsTheLocalFile) {
    writeBytes(pool() / "Al2010.dat", test::binaryBytes());
    writeBytes(local.path() / "Al2010.dat", "my picks");
    ExchangeLimits limits;
    limits.stall = std::chrono::seconds(1);
    FtpTransport stalling(server.address("pool", test::FtpAccount::Stalling), limits);
    Outcome outcome = stalling.fetch("Al2010.dat", local.path() / "Al2010.dat");
    EXPECT_EQ(outcome.kind, OutcomeKind::Failure);
    EXPECT_EQ(outcome.code, CURLE_OPERATION_TIMEDOUT);
    EXPECT_TRUE(outcome.text.starts_with("The server stopped answering")) << outcome.text;
    EXPECT_EQ(readBytes(local.path() / "Al2010.dat"), "my picks");
    EXPECT_EQ(folderEntries(local.path()), (std::vector<std::string>{"Al2010.dat"}));
}

TEST_F(FtpTransportTest, NoRequestStartsOnceTheDeadlineHasPassed) {
    writeBytes(pool() / "Al2010.dat", "old picks");
    writeBytes(local.path() / "Al2010.dat", "new picks");
    transport.limit(ExchangeLimits{}, std::chrono::steady_clock::now());
    for (const Outcome& outcome : test::everyRequest(transport, local.path())) {
        EXPECT_EQ(outcome.kind, OutcomeKind::Failure);
        EXPECT_EQ(outcome.code, CURLE_OPERATION_TIMEDOUT);
    }
    EXPECT_EQ(folderEntries(pool()), (std::vector<std::string>{"Al2010.dat"}));
    EXPECT_EQ(readBytes(pool() / "Al2010.dat"), "old picks");
    EXPECT_EQ(folderEntries(local.path()), (std::vector<std::string>{"Al2010.dat"}));
}

TEST_F(FtpTransportTest, RequestsGoOnAfterQuit) {
    writeBytes(pool() / "Al2010.dat", "x");
    EXPECT_EQ(sortedNames(transport), (std::vector<std::string>{"Al2010.dat"}));
    EXPECT_TRUE(transport.quit().isDone());
    EXPECT_EQ(sortedNames(transport), (std::vector<std::string>{"Al2010.dat"}));
    // Nor does a quit without a connection fail.
    EXPECT_TRUE(FtpTransport(server.address("pool")).quit().isDone());
    EXPECT_TRUE(FtpTransport("").quit().isDone());
}

// A port that takes connections and never says a word, as a hung server.
struct SilentPort {
    SilentPort() {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        auto* any = reinterpret_cast<sockaddr*>(&address);
        if (fd < 0 || ::bind(fd, any, length) != 0 || ::listen(fd, 4) != 0 ||
            ::getsockname(fd, any, &length) != 0)
            throw std::runtime_error("cannot open a silent port");
        port = ntohs(address.sin_port);
    }
    ~SilentPort() { ::close(fd); }
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    int port = 0;
};

TEST(SilentServer, StopsTheRequestWithinItsLimit) {
    using std::chrono::seconds;
    struct Case {
        const char* name;
        seconds connect, stall;
        seconds deadline; // from now
    };
    // Last, every wait longer than the time the step has left.
    const Case cases[] = {{"ConnectLimit", seconds(1), seconds(1), seconds(600)},
                          {"Deadline", seconds(600), seconds(600), seconds(1)}};
    SilentPort silent;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FtpTransport transport("ann:secret@127.0.0.1:" + std::to_string(silent.port) + "/pool");
        ExchangeLimits limits;
        limits.connect = c.connect;
        limits.stall = c.stall;
        transport.limit(limits, std::chrono::steady_clock::now() + c.deadline);
        std::string listing;
        Outcome outcome = transport.listNames(listing);
        EXPECT_EQ(outcome.kind, OutcomeKind::Failure);
        EXPECT_EQ(outcome.code, CURLE_OPERATION_TIMEDOUT);
        EXPECT_TRUE(outcome.text.starts_with("The server stopped answering")) << outcome.text;
    }
}

TEST_F(FtpTransportTest, AFileOverTheLimitIsRefusedAndTheLocalOneKept) {
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
        std::string remote(c.bytes, 'x');
        writeBytes(pool() / "Al2010.dat", remote);
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
        EXPECT_TRUE(now == (taken ? remote : "my picks")) << now.size() << " bytes";
        EXPECT_EQ(folderEntries(local.path()), (std::vector<std::string>{"Al2010.dat"}));
    }
}

TEST(FtpAddress, DirectoryUrlHoldsNoCredentials) {
    EXPECT_EQ(FtpTransport("ann:secret@127.0.0.1:2121/pool").directoryUrl(),
              "ftp://127.0.0.1:2121/pool/");
    EXPECT_EQ(FtpTransport("ftp://127.0.0.1").directoryUrl(), "ftp://127.0.0.1/");
    EXPECT_EQ(FtpTransport("127.0.0.1/my pool/2010/").directoryUrl(),
              "ftp://127.0.0.1/my%20pool/2010/");
}

TEST(FtpAddress, AMalformedOneFailsEveryRequestWithoutConnecting) {
    test::TempDir local;
    writeBytes(local.path() / "Al2010.dat", "picks");
    for (const char* address : {"", "ftp://", "ftp:///pool", "ann:secret@/pool",
                                "http://127.0.0.1/pool", "127.0.0.1:99999/pool",
                                "ann:secret@127.0.0.1:ftp/pool", "127.0.0 .1/pool", "[::1/pool"}) {
        SCOPED_TRACE(address);
        FtpTransport transport(address);
        EXPECT_EQ(transport.directoryUrl(), "");
        for (const Outcome& outcome : test::everyRequest(transport, local.path())) {
            EXPECT_EQ(outcome.kind, OutcomeKind::MalformedAddress) << outcome.text;
            EXPECT_EQ(outcome.text.find("secret"), std::string::npos) << outcome.text;
        }
    }
    EXPECT_EQ(folderEntries(local.path()), (std::vector<std::string>{"Al2010.dat"}));
}

} // namespace
} // namespace gs
