#include "ftpserver.h"

#include "core/textfile.h"

#include <arpa/inet.h>
#include <cerrno>
#include <csignal>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <stdlib.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace gs::test {

namespace {

constexpr int kStartTimeoutMilliseconds = 20000;

// The first line the server prints, or "" when it printed none in time.
std::string readFirstLine(int fd) {
    std::string line;
    while (true) {
        pollfd ready{fd, POLLIN, 0};
        if (::poll(&ready, 1, kStartTimeoutMilliseconds) <= 0)
            return {};
        char c;
        ssize_t n = ::read(fd, &c, 1);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return {};
        if (c == '\n')
            return line;
        line += c;
    }
}

bool acceptsConnections(int port) {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bool connected = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return connected;
}

std::filesystem::path logPath(const TempDir& folder) {
    return folder.path() / "passwords.log";
}

std::string userName(FtpAccount account) {
    std::string user = FtpServer::kUser;
    switch (account) {
    case FtpAccount::Full:
        return user;
    case FtpAccount::NoRename:
        return user + "-norename";
    case FtpAccount::NoStore:
        return user + "-nostore";
    case FtpAccount::NoReplace:
        return user + "-noreplace";
    case FtpAccount::Stalling:
        return user + "-stalling";
    case FtpAccount::NoSize:
        return user + "-nosize";
    }
    return user;
}

} // namespace

FtpServer::FtpServer() {
    int output[2];
    if (::pipe(output) != 0)
        throw std::runtime_error("cannot create a pipe for the FTP server");
    pid_t parent = ::getpid();
    m_pid = ::fork();
    if (m_pid < 0)
        throw std::runtime_error("cannot start the FTP server");
    if (m_pid == 0) {
        // The server must not outlive a test that crashes.
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent)
            ::_exit(1);
        ::dup2(output[1], STDOUT_FILENO);
        ::close(output[0]);
        ::close(output[1]);
        ::execl("/usr/bin/python3", "python3", FTP_SERVER_SCRIPT, root().c_str(), kUser, kPassword,
                logPath(m_logFolder).c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(output[1]);
    std::string line = readFirstLine(output[0]);
    ::close(output[0]);
    m_port = std::atoi(line.c_str());
    bool ready = false;
    for (int attempt = 0; m_port > 0 && attempt < 200 && !ready; ++attempt) {
        ready = acceptsConnections(m_port);
        if (!ready)
            ::usleep(50000);
    }
    if (!ready) {
        stop();
        throw std::runtime_error("the FTP server did not start (is python3-pyftpdlib installed?)");
    }
}

FtpServer::~FtpServer() {
    stop();
}

void FtpServer::stop() {
    if (m_pid <= 0)
        return;
    ::kill(m_pid, SIGKILL);
    int status = 0;
    while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
    }
    m_pid = -1;
}

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
    std::string address = "127.0.0.1:" + std::to_string(m_port);
    if (!directory.empty())
        address += "/" + directory;
    return address;
}

} // namespace gs::test
