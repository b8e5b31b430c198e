// What every transport does alike, against the real FTP server and a shared
// folder: the same requests, the same files left behind.

#include "exchange/ftptransport.h"
#include "exchange/lantransport.h"

#include "core/textfile.h"
#include "everyrequest.h"
#include "exchangehome.h"
#include "ftpserver.h"
#include "tests/support/testsupport.h"

#include <algorithm>
#include <curl/curl.h>
#include <gtest/gtest.h>
#include <memory>

namespace gs {
namespace {

namespace fs = std::filesystem;
using test::folderEntries;
using test::readBytes;
using test::writeBytes;

class Transports : public testing::TestWithParam<ExchangeMode> {
protected:
    Transports() {
        if (ftp()) {
            m_server = std::make_unique<test::FtpServer>();
            fs::create_directory(m_server->root() / "pool");
            m_remote = m_server->root() / "pool";
            transport = std::make_unique<FtpTransport>(m_server->address("pool"));
        } else {
            m_remote = m_shared.path() / "pool";
            fs::create_directory(m_remote);
            transport = std::make_unique<LanTransport>(m_remote);
        }
    }
    bool ftp() const { return GetParam() == ExchangeMode::Ftp; }
    const fs::path& remote() const { return m_remote; }
    // The far end can no longer be reached: the server down, the folder gone.
    void cutOff() {
        if (ftp()) {
            m_server->stop();
            return;
        }
        fs::remove_all(m_remote);
    }

    test::TempDir local;
    std::unique_ptr<Transport> transport;

private:
    std::unique_ptr<test::FtpServer> m_server;
    test::TempDir m_shared;
    fs::path m_remote;
};

TEST_P(Transports, ListingHasEveryFileOnACrLfLine) {
    std::string listing = "stale";
    ASSERT_TRUE(transport->listNames(listing).isDone());
    EXPECT_EQ(listing, "");
    for (std::string name : {"PC2010.dat", "Al2010.dat", "Alice2010.dat", "scoresheet97.mdb"})
        writeBytes(remote() / name, "x");
    // Only a shared folder holds what is no plain file: left out.
    if (!ftp()) {
        writeBytes(remote() / "odd\rname", "x");
        fs::create_directory(remote() / "folder");
    }
    ASSERT_TRUE(transport->listNames(listing).isDone());
    std::vector<std::string> lines;
    for (size_t at = 0, end; (end = listing.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(listing.substr(at, end - at));
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ(lines, (std::vector<std::string>{"Al2010.dat", "Alice2010.dat", "PC2010.dat",
                                               "scoresheet97.mdb"}));
    EXPECT_EQ(std::count(listing.begin(), listing.end(), '\n'), 4);
}

TEST_P(Transports, SendReplacesWholeAndFetchKeepsEveryByte) {
    writeBytes(remote() / "Al2010.dat", "old picks, longer than the new ones");
    writeBytes(local.path() / "Al2010.dat", test::binaryBytes());
    Outcome sent = transport->send(local.path() / "Al2010.dat", "Al2010.dat");
    ASSERT_TRUE(sent.isDone()) << sent.text;
    EXPECT_EQ(readBytes(remote() / "Al2010.dat"), test::binaryBytes());
    EXPECT_EQ(folderEntries(remote()), (std::vector<std::string>{"Al2010.dat"}));
    Outcome fetched = transport->fetch("Al2010.dat", local.path() / "copy.dat");
    ASSERT_TRUE(fetched.isDone()) << fetched.text;
    EXPECT_EQ(readBytes(local.path() / "copy.dat"), test::binaryBytes());
    EXPECT_EQ(folderEntries(local.path()), (std::vector<std::string>{"Al2010.dat", "copy.dat"}));
    writeBytes(local.path() / "Al2010.dat", "");
    ASSERT_TRUE(transport->send(local.path() / "Al2010.dat", "Al2010.dat").isDone());
    EXPECT_EQ(readBytes(remote() / "Al2010.dat"), "");
}

TEST_P(Transports, AFailedRequestLeavesBothSidesAsTheyWere) {
    EXPECT_EQ(transport->send(local.path() / "Al2010.dat", "Al2010.dat").kind,
              OutcomeKind::Failure);
    EXPECT_TRUE(folderEntries(remote()).empty());
    writeBytes(local.path() / "Al2010.dat", "my picks");
    EXPECT_EQ(transport->fetch("Al2010.dat", local.path() / "Al2010.dat").kind,
              OutcomeKind::Failure);
    EXPECT_EQ(readBytes(local.path() / "Al2010.dat"), "my picks");
    // Nor does a failed fetch leave a file where there was none.
    EXPECT_EQ(transport->fetch("Al2010.dat", local.path() / "new.dat").kind, OutcomeKind::Failure);
    EXPECT_EQ(folderEntries(local.path()), (std::vector<std::string>{"Al2010.dat"}));
}

TEST_P(Transports, FetchRefusesAFileLargerThanADataFile) {
    writeBytes(local.path() / "Al2010.dat", "my picks");
    writeBytes(remote() / "Al2010.dat", "");
    fs::resize_file(remote() / "Al2010.dat", kMaxDataFileBytes + 1);
    Outcome outcome = transport->fetch("Al2010.dat", local.path() / "Al2010.dat");
    EXPECT_NE(outcome.kind, OutcomeKind::Done);
    EXPECT_NE(outcome.text.find("larger than"), std::string::npos) << outcome.text;
    EXPECT_EQ(readBytes(local.path() / "Al2010.dat"), "my picks");
    EXPECT_EQ(folderEntries(local.path()), (std::vector<std::string>{"Al2010.dat"}));
}

TEST_P(Transports, RemoveDeletesAndAMissingFileIsDone) {
    writeBytes(remote() / "Al2010.dat", "x");
    writeBytes(remote() / "Bo2010.dat", "x");
    Outcome removed = transport->remove("Al2010.dat");
    ASSERT_TRUE(removed.isDone()) << removed.text;
    EXPECT_EQ(folderEntries(remote()), (std::vector<std::string>{"Bo2010.dat"}));
    Outcome again = transport->remove("Al2010.dat");
    EXPECT_TRUE(again.isDone()) << again.text;
}

TEST_P(Transports, FarEndOutOfReachFailsEveryRequest) {
    const fs::path gone = remote();
    cutOff();
    writeBytes(local.path() / "Al2010.dat", "picks");
    for (const Outcome& outcome : test::everyRequest(*transport, local.path())) {
        EXPECT_EQ(outcome.kind, OutcomeKind::Failure);
        if (ftp()) {
            EXPECT_EQ(outcome.code, CURLE_COULDNT_CONNECT);
            EXPECT_EQ(outcome.text.find(test::FtpServer::kPassword), std::string::npos);
        } else {
            EXPECT_EQ(outcome.text, "The shared folder " + gone.string() + " cannot be reached");
        }
    }
    EXPECT_FALSE(!ftp() && fs::exists(gone));
    EXPECT_EQ(folderEntries(local.path()), (std::vector<std::string>{"Al2010.dat"}));
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
    EXPECT_EQ(folderEntries(local.path()), (std::vector<std::string>{"Al2010.dat"}));
}

INSTANTIATE_TEST_SUITE_P(Modes, Transports, testing::Values(ExchangeMode::Ftp, ExchangeMode::Lan),
                         testing::PrintToStringParamName());

} // namespace
} // namespace gs
