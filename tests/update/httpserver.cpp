#include "httpserver.h"

#include "core/textfile.h"

#include <stdlib.h>

namespace gs::test {

namespace {

std::filesystem::path requestLog(const TempDir& folder) {
    return folder.path() / "requests.log";
}

} // namespace

HttpServer::HttpServer(bool tls)
    : m_tls(tls), m_process({HTTP_SERVER_SCRIPT, root().string(), requestLog(m_logFolder).string(),
                             tls ? "tls" : "plain"},
                            true, "the HTTP server did not start") {
    for (const char* name : {"http_proxy", "https_proxy", "HTTPS_PROXY", "ALL_PROXY", "all_proxy"})
        ::unsetenv(name);
    // Our own check that it accepts connections is no request.
    std::error_code ec;
    std::filesystem::remove(requestLog(m_logFolder), ec);
}

std::string HttpServer::url(const std::string& path) const {
    return std::string(m_tls ? "https" : "http") +
           "://127.0.0.1:" + std::to_string(m_process.port()) + "/" + path;
}

std::vector<std::string> HttpServer::requests() const {
    Result<std::string> bytes = readFileBytes(requestLog(m_logFolder));
    if (!bytes)
        return {};
    return splitLines(*bytes);
}

} // namespace gs::test
