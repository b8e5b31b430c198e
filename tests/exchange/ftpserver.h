#pragma once

// A real FTP server for tests: pyftpdlib under /usr/bin/python3, listening on
// 127.0.0.1 on a free port and serving a fresh temporary folder, for the
// lifetime of the object. Besides a user with every right it has accounts
// set up as some real servers are, or as a failing one behaves.

#include "tests/support/serverprocess.h"
#include "tests/support/testsupport.h"

#include <filesystem>
#include <string>

namespace gs::test {

// The accounts of the server, all with the same password.
enum class FtpAccount {
    Full,      // every right
    NoRename,  // may write and delete, not rename
    NoStore,   // may delete, not write
    NoReplace, // may rename, but onto no existing name
    Stalling,  // sends half of any file, then nothing until the client leaves
    NoSize,    // never announces the size of a file it sends
    Silent,    // never answers the login, as a hung server
    NoRnto,    // takes a rename's RNFR, refuses every RNTO
};

class FtpServer {
public:
    static constexpr const char* kUser = "ann";
    static constexpr const char* kPassword = "secret";

    // Starts the server and returns once it accepts connections; throws
    // std::runtime_error when it cannot start.
    FtpServer();

    // The folder the server serves as its root.
    const std::filesystem::path& root() const { return m_root.path(); }
    int port() const { return m_process.port(); }
    // "ann:secret@127.0.0.1:PORT" followed by "/" + directory when given;
    // another account's user name is "ann-" and a word.
    std::string address(const std::string& directory = "",
                        FtpAccount account = FtpAccount::Full) const;
    // The same without a user: an anonymous login, which may only read.
    std::string anonymousAddress(const std::string& directory = "") const;
    // How many times the user sent a password so far.
    int passwordsFrom(const std::string& user) const;
    // Stops the server; its port then refuses connections.
    void stop() { m_process.stop(); }

private:
    TempDir m_root;
    TempDir m_logFolder;
    ServerProcess m_process;
};

} // namespace gs::test
