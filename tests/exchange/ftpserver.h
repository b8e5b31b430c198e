#pragma once

// A real FTP server for tests: pyftpdlib under /usr/bin/python3, listening on
// 127.0.0.1 on a free port and serving a fresh temporary folder, for the
// lifetime of the object.

#include "tests/support/testsupport.h"

#include <filesystem>
#include <string>
#include <sys/types.h>

namespace gs::test {

class FtpServer {
public:
    static constexpr const char* kUser = "ann";
    static constexpr const char* kPassword = "secret";

    // Starts the server and returns once it accepts connections; throws
    // std::runtime_error when it cannot start.
    FtpServer();
    ~FtpServer();
    FtpServer(const FtpServer&) = delete;
    FtpServer& operator=(const FtpServer&) = delete;

    // The folder the server serves as its root.
    const std::filesystem::path& root() const { return m_root.path(); }
    int port() const { return m_port; }
    // "ann:secret@127.0.0.1:PORT" followed by "/" + directory when given.
    std::string address(const std::string& directory = "") const;
    // The same for a user who may write and delete but not rename.
    std::string noRenameAddress(const std::string& directory = "") const;
    // The same without a user: an anonymous login, which may only read.
    std::string anonymousAddress(const std::string& directory = "") const;
    // Stops the server; its port then refuses connections.
    void stop();

private:
    TempDir m_root;
    pid_t m_pid = -1;
    int m_port = 0;
};

} // namespace gs::test
