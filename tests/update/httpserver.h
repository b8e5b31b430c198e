#pragma once

// A real HTTP server for tests: httpserver.py under /usr/bin/python3,
// listening on 127.0.0.1 on a free port and serving a fresh temporary
// folder, for the lifetime of the object. Besides whole files it answers
// with status codes, redirects, stalls, bodies cut short or of unannounced
// size, and a web page (see the script).

#include "tests/support/serverprocess.h"
#include "tests/support/testsupport.h"

#include <filesystem>
#include <string>
#include <vector>

namespace gs::test {

class HttpServer {
public:
    // Starts the server (with a self-signed certificate when tls) and
    // returns once it accepts connections; throws std::runtime_error when
    // it cannot start. Requests then go to it whatever proxy the machine
    // has.
    explicit HttpServer(bool tls = false);

    // The folder /files/ serves.
    const std::filesystem::path& root() const { return m_root.path(); }
    // "http://127.0.0.1:PORT/" + path ("https://" with TLS).
    std::string url(const std::string& path) const;
    // The requests so far, one "path<TAB>If-None-Match" a line.
    std::vector<std::string> requests() const;

private:
    TempDir m_root;
    TempDir m_logFolder;
    bool m_tls = false;
    ServerProcess m_process;
};

} // namespace gs::test
