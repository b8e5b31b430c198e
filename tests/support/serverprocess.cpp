#include "serverprocess.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <stdlib.h>
#include <sys/prctl.h>
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

} // namespace

ServerProcess::ServerProcess(const std::vector<std::string>& arguments, bool quiet,
                             const std::string& failure) {
    std::vector<char*> argv = {const_cast<char*>("python3")};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    int output[2];
    if (::pipe(output) != 0)
        throw std::runtime_error(failure + " (no pipe)");
    pid_t parent = ::getpid();
    m_pid = ::fork();
    if (m_pid < 0)
        throw std::runtime_error(failure + " (no process)");
    if (m_pid == 0) {
        // The server must not outlive a test that crashes.
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent)
            ::_exit(1);
        ::dup2(output[1], STDOUT_FILENO);
        if (quiet)
            ::dup2(::open("/dev/null", O_WRONLY), STDERR_FILENO);
        ::close(output[0]);
        ::close(output[1]);
        ::execv("/usr/bin/python3", argv.data());
        ::_exit(127);
    }
    ::close(output[1]);
    std::string line = readFirstLine(output[0]);
    ::close(output[0]);
    // The servers print their port once they listen: from then on the
    // system queues every connection until the server takes it.
    m_port = std::atoi(line.c_str());
    if (m_port <= 0) {
        stop();
        throw std::runtime_error(failure);
    }
}

ServerProcess::~ServerProcess() {
    stop();
}

void ServerProcess::stop() {
    if (m_pid <= 0)
        return;
    ::kill(m_pid, SIGKILL);
    int status = 0;
    while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
    }
    m_pid = -1;
}

} // namespace gs::test
