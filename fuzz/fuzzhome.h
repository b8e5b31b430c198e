#pragma once

// The one temporary home of a fuzzing process. Parsers that only read files
// get each input written into its data folder; creating a home per input
// would spend the run on mkdir and rmdir instead of on parsing.

#include "core/pool.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace gs::fuzz {

class FuzzHome {
public:
    // The home of this process: created on first use with its data folder,
    // removed when the process exits normally.
    static const FuzzHome& instance();

    const std::filesystem::path& path() const { return m_path; }
    Folders folders() const { return Folders::at(m_path); }

    // Replaces a file of the data folder with the bytes, and returns its
    // path. Not atomic: nothing else reads the home while an input runs.
    std::filesystem::path writeDataFile(const std::string& name, const uint8_t* data,
                                        size_t size) const;

    ~FuzzHome();
    FuzzHome(const FuzzHome&) = delete;
    FuzzHome& operator=(const FuzzHome&) = delete;

private:
    FuzzHome();
    std::filesystem::path m_path;
};

} // namespace gs::fuzz
