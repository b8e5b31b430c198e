#include "exchange/lantransport.h"

#include "core/textfile.h"
#include "everyrequest.h"
#include "exchange/listing.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

namespace gs {
namespace {

namespace fs = std::filesystem;
using test::folderEntries;
using test::readBytes;
using test::writeBytes;

class LanTransportTest : public testing::Test {
protected:
    test::TempDir shared;
    test::TempDir local;
    LanTransport transport{shared.path()};
};

TEST_F(LanTransportTest, SendListFetchRoundTripKeepsEveryByte) {
    writeBytes(local.path() / "Al2010.dat", test::binaryBytes());
    ASSERT_TRUE(transport.send(local.path() / "Al2010.dat", "Al2010.dat").isDone());
    std::string listing;
    ASSERT_TRUE(transport.listNames(listing).isDone());
    EXPECT_EQ(listing, "Al2010.dat\r\n");
    ASSERT_TRUE(transport.fetch("Al2010.dat", local.path() / "copy.dat").isDone());
    EXPECT_EQ(readBytes(local.path() / "copy.dat"), test::binaryBytes());
    EXPECT_EQ(readBytes(shared.path() / "Al2010.dat"), test::binaryBytes());
}

TEST_F(LanTransportTest, ListsThePlainFilesSorted) {
    writeBytes(shared.path() / "PC2010.dat", "x");
    writeBytes(shared.path() / "Al2010.dat", "x");
    writeBytes(shared.path() / "UserList.db", "x");
    writeBytes(shared.path() / "odd\rname", "x");
    fs::create_directory(shared.path() / "folder");
    std::string listing;
    ASSERT_TRUE(transport.listNames(listing).isDone());
    EXPECT_EQ(listing, "Al2010.dat\r\nPC2010.dat\r\nUserList.db\r\n");
}

TEST_F(LanTransportTest, SendReplacesAnExistingFileAndLeavesNothingElse) {
    writeBytes(shared.path() / "Al2010.dat", "old picks");
    writeBytes(local.path() / "Al2010.dat", "new picks");
    ASSERT_TRUE(transport.send(local.path() / "Al2010.dat", "Al2010.dat").isDone());
    EXPECT_EQ(readBytes(shared.path() / "Al2010.dat"), "new picks");
    EXPECT_EQ(folderEntries(shared.path()), (std::vector<std::string>{"Al2010.dat"}));
}

TEST_F(LanTransportTest, FetchOfAMissingFileFailsAndKeepsTheLocalFile) {
    writeBytes(local.path() / "Al2010.dat", "my picks");
    Outcome outcome = transport.fetch("Al2010.dat", local.path() / "Al2010.dat");
    EXPECT_EQ(outcome.kind, OutcomeKind::Failure);
    EXPECT_EQ(outcome.text,
              "The file " + (shared.path() / "Al2010.dat").string() + " does not exist");
    EXPECT_EQ(readBytes(local.path() / "Al2010.dat"), "my picks");
    EXPECT_EQ(folderEntries(local.path()), (std::vector<std::string>{"Al2010.dat"}));
}

TEST_F(LanTransportTest, FetchRefusesAFileLargerThanADataFile) {
    writeBytes(local.path() / "Al2010.dat", "my picks");
    fs::resize_file((writeBytes(shared.path() / "Al2010.dat", ""), shared.path() / "Al2010.dat"),
                    kMaxDataFileBytes + 1);
    Outcome outcome = transport.fetch("Al2010.dat", local.path() / "Al2010.dat");
    EXPECT_EQ(outcome.kind, OutcomeKind::Failure);
    EXPECT_NE(outcome.text.find("larger than"), std::string::npos) << outcome.text;
    EXPECT_EQ(readBytes(local.path() / "Al2010.dat"), "my picks");
    EXPECT_EQ(folderEntries(local.path()), (std::vector<std::string>{"Al2010.dat"}));
}

TEST_F(LanTransportTest, SendOfAMissingFileFailsAndWritesNothing) {
    Outcome outcome = transport.send(local.path() / "Al2010.dat", "Al2010.dat");
    EXPECT_EQ(outcome.kind, OutcomeKind::Failure);
    EXPECT_EQ(outcome.text,
              "The file " + (local.path() / "Al2010.dat").string() + " does not exist");
    EXPECT_TRUE(folderEntries(shared.path()).empty());
}

TEST_F(LanTransportTest, AnUnreachableFolderFailsEveryRequest) {
    fs::path gone = shared.path() / "unplugged";
    LanTransport unreachable(gone);
    writeBytes(local.path() / "Al2010.dat", "picks");
    for (const Outcome& outcome : test::everyRequest(unreachable, local.path())) {
        EXPECT_EQ(outcome.kind, OutcomeKind::Failure);
        EXPECT_EQ(outcome.text, "The shared folder " + gone.string() + " cannot be reached");
    }
    EXPECT_FALSE(fs::exists(gone));
    EXPECT_EQ(folderEntries(local.path()), (std::vector<std::string>{"Al2010.dat"}));
}

TEST_F(LanTransportTest, RemovingAMissingFileIsDone) {
    writeBytes(shared.path() / "Al2010.dat", "picks");
    EXPECT_TRUE(transport.remove("Al2010.dat").isDone());
    EXPECT_TRUE(folderEntries(shared.path()).empty());
    EXPECT_TRUE(transport.remove("Al2010.dat").isDone());
}

TEST_F(LanTransportTest, RefusesNamesThatAreNotPlainFileNames) {
    fs::create_directory(shared.path() / "pool");
    LanTransport inner(shared.path() / "pool");
    writeBytes(shared.path() / "secret.dat", "outside");
    writeBytes(local.path() / "Al2010.dat", "picks");
    for (std::string name : {"../secret.dat", "../x.dat", "a/b.dat", "a\\b", "", ".."}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(inner.fetch(name, local.path() / "got.dat").code, kRefusedNameCode);
        EXPECT_EQ(inner.send(local.path() / "Al2010.dat", name).code, kRefusedNameCode);
        EXPECT_EQ(inner.remove(name).code, kRefusedNameCode);
    }
    EXPECT_EQ(folderEntries(shared.path()), (std::vector<std::string>{"pool", "secret.dat"}));
    EXPECT_TRUE(folderEntries(shared.path() / "pool").empty());
    EXPECT_EQ(folderEntries(local.path()), (std::vector<std::string>{"Al2010.dat"}));
}

} // namespace
} // namespace gs
