#pragma once

// A test server run as a child process: a Python script under
// /usr/bin/python3 that prints the port it listens on (127.0.0.1) as its
// first line. The object starts it, waits until it accepts connections and
// kills it when it goes; the server also dies with a test that crashes.

#include <string>
#include <sys/types.h>
#include <vector>

namespace gs::test {

class ServerProcess {
public:
    // Runs python3 with the arguments; throws std::runtime_error with
    // `failure` when the server does not come up. `quiet` sends the
    // server's complaints (clients that hang up mid-answer) to /dev/null.
    ServerProcess(const std::vector<std::string>& arguments, bool quiet,
                  const std::string& failure);
    ~ServerProcess();
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    int port() const { return m_port; }
    // Kills the server now (a test of a server that went away).
    void stop();

private:
    pid_t m_pid = -1;
    int m_port = 0;
};

} // namespace gs::test
