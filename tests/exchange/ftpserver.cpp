#include "ftpserver.h"

#include "core/textfile.h"

namespace gs::test {

namespace {

std::filesystem::path logPath(const TempDir& folder) {
    return folder.path() / "passwords.log";
}

std::string userName(FtpAccount account) {
    // In the order of the accounts, as the server script names them.
    const char* suffixes[] = {"",          "-norename", "-nostore", "-noreplace",
                              "-stalling", "-nosize",   "-silent",  "-nornto"};
    return FtpServer::kUser + std::string(suffixes[static_cast<int>(account)]);
}

} // namespace

FtpServer::FtpServer()
    : m_process(
          {FTP_SERVER_SCRIPT, root().string(), kUser, kPassword, logPath(m_logFolder).string()},
          false, "the FTP server did not start (is python3-pyftpdlib installed?)") {}

std::string FtpServer::address(const std::string& directory, FtpAccount account) const {
    return userName(account) + ":" + kPassword + "@" + anonymousAddress(directory);
}

int FtpServer::passwordsFrom(const std::string& user) const {
    int count = 0;
    for (const std::string& line : splitLines(readBytes(logPath(m_logFolder))))
        count += line == user;
    return count;
}

std::string FtpServer::anonymousAddress(const std::string& directory) const {
    std::string address = "127.0.0.1:" + std::to_string(m_process.port());
    if (!directory.empty())
        address += "/" + directory;
    return address;
}

} // namespace gs::test
