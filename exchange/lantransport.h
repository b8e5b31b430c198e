#pragma once

// The exchange over a shared folder, with plain file copies.

#include "exchange/transport.h"

namespace gs {

class LanTransport : public Transport {
public:
    // The address is the shared folder's path.
    explicit LanTransport(std::filesystem::path folder);

    // The names of the folder's entries that are plain file names, files
    // or not (a fetch of a folder or a pipe then says what it is), sorted.
    Outcome listNames(std::string& listing) override;
    Outcome fetch(const std::string& remoteName, const std::filesystem::path& localPath) override;
    Outcome send(const std::filesystem::path& localPath, const std::string& remoteName) override;
    Outcome remove(const std::string& remoteName) override;
    Outcome quit() override;

private:
    // A failure when the shared folder cannot be reached, else done.
    Outcome reachFolder() const;

    std::filesystem::path m_folder;
};

} // namespace gs
