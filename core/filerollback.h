#pragma once

// Puts files back as they were when a change that writes several of them
// fails part of the way: each file is remembered before it is first written,
// and a restore writes the old bytes back or removes a file that was new.

#include "result.h"
#include "textfile.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace gs {

class FileRollback {
public:
    // Keeps the file's bytes (or that it is missing) the first time a path
    // is named. Fails, keeping nothing, for a file that exists but cannot be
    // read: a change must not overwrite what it could not put back.
    Status remember(const std::filesystem::path& path);

    // Puts every remembered file back, the last remembered first. Fails with
    // the reasons of the files that could not be put back.
    Status restore();

private:
    struct Kept {
        std::filesystem::path path;
        std::optional<std::string> bytes;       // nothing: the file did not exist
        FileAccess access = FileAccess::Shared; // put back as it was
    };
    std::vector<Kept> m_kept;
};

} // namespace gs
