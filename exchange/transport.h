#pragma once

// The requests of the file exchange, over FTP or a shared folder.
//
// A transport performs one request at a time and returns when it has
// finished. Every request ends in one of four ways: done, an address that
// cannot be used at all, a refusal that trying again cannot change (a login
// turned down, a file too large, a server's "no such file" or "name not
// allowed", a rename it will not do, a name that is no file), or a failure
// that may clear by itself (a server that is down or stalls, a busy
// connection).

#include "exchange/exchangelimits.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

namespace gs {

enum class OutcomeKind { Done, MalformedAddress, Refused, Failure };

// The failure code of a request refused before anything was sent, because
// the remote name is not a plain file name.
inline constexpr long kRefusedNameCode = -1;
// The refusal code of a fetch or a send whose file is there but is none: a
// folder, a named pipe, a device.
inline constexpr long kNotAFileCode = -3;

struct Outcome {
    OutcomeKind kind = OutcomeKind::Done;
    // For a refusal or a failure: libcurl's error code over FTP, the
    // system's error number for a shared folder, or kRefusedNameCode.
    long code = 0;
    // What went wrong, for a person; never holds a password.
    std::string text;
    // For a fetch that is done: when the file was last written at the shared
    // place, as the FTP server (MDTM) or the shared folder gives it; none
    // when the place does not say.
    std::optional<std::chrono::sys_seconds> modified;

    bool isDone() const { return kind == OutcomeKind::Done; }

    static Outcome done() { return {}; }
    static Outcome malformedAddress(std::string text) {
        return {OutcomeKind::MalformedAddress, 0, std::move(text), {}};
    }
    static Outcome refused(long code, std::string text) {
        return {OutcomeKind::Refused, code, std::move(text), {}};
    }
    static Outcome failure(long code, std::string text) {
        return {OutcomeKind::Failure, code, std::move(text), {}};
    }
};

class Transport {
public:
    virtual ~Transport() = default;

    // The names of the remote directory, each line ended by CR LF.
    virtual Outcome listNames(std::string& listing) = 0;
    // Fetches a remote file. The local file is replaced only by a whole copy;
    // on failure it is left as it was. A fetch that is done says, where the
    // place can, when the file was last written there.
    virtual Outcome fetch(const std::string& remoteName,
                          const std::filesystem::path& localPath) = 0;
    // Sends a local file under a remote name. Readers never see a partial file
    // under that name, and a send that fails leaves the file that was there
    // as it was.
    virtual Outcome send(const std::filesystem::path& localPath, const std::string& remoteName) = 0;
    // Removes a remote file; a file that is not there counts as removed.
    virtual Outcome remove(const std::string& remoteName) = 0;
    // Ends the connection, if any. Always done.
    virtual Outcome quit() = 0;
    // Bounds the requests that follow: how long a server may take to let us
    // in or to make progress, how much a fetch may bring, and the time by
    // which every request must have ended. A shared folder answers at once
    // and has no use for them.
    virtual void limit(const ExchangeLimits& /*limits*/, SteadyTime /*deadline*/) {}
};

} // namespace gs
