#pragma once

// The exchange over an FTP directory, through libcurl.

#include "exchange/transport.h"

#include <memory>
#include <string>

namespace gs {

class FtpTransport : public Transport {
public:
    // The address is "host/dir" or "ftp://host/dir" alike; it may carry
    // "user:password@" before the host and ":port" after it, and its path,
    // if any, is the remote directory, relative to where the login starts.
    // The user part and the path are taken literally (no %-escapes), so a
    // password may hold "@" but not "/". Without a user name the login is
    // anonymous. An address that cannot name an FTP directory makes every
    // request report a malformed address, without connecting.
    explicit FtpTransport(const std::string& address, const ExchangeLimits& limits = {});
    ~FtpTransport() override;
    FtpTransport(const FtpTransport&) = delete;
    FtpTransport& operator=(const FtpTransport&) = delete;

    Outcome listNames(std::string& listing) override;
    Outcome fetch(const std::string& remoteName, const std::filesystem::path& localPath) override;
    Outcome send(const std::filesystem::path& localPath, const std::string& remoteName) override;
    Outcome remove(const std::string& remoteName) override;
    Outcome quit() override;
    void limit(const ExchangeLimits& limits, SteadyTime deadline) override;

    // The remote directory as a URL without user name or password, "" for an
    // address that cannot be used.
    const std::string& directoryUrl() const { return m_directoryUrl; }

private:
    struct Session;

    Session* session(Outcome& failure);
    Outcome perform(Session& session);
    Outcome renameRemote(const std::string& from, const std::string& to);
    Outcome replaceAside(const std::string& temporary, const std::string& remoteName,
                         const Outcome& refusal);
    void removeQuietly(const std::string& remoteName);

    std::string m_address;
    std::string m_directoryUrl;
    std::string m_user;
    std::string m_password;
    bool m_hasUser = false;
    std::string m_malformed; // why the address cannot be used
    ExchangeLimits m_limits;
    SteadyTime m_deadline = SteadyTime::max();
    std::unique_ptr<Session> m_session;
};

} // namespace gs
