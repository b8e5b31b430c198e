#pragma once

// The pool's own settings: PoolSettings.ini in the data folder, "key=value"
// lines (CR LF, Windows-1252, as every data file). The file is additive: a
// key this copy of the program does not know, a comment or a blank line is
// kept as it stands when the file is written back, so that a newer copy's
// settings survive an older one's write.

#include "result.h"

#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace gs {

struct Folders;

inline constexpr const char* kPoolSettingsFileName = "PoolSettings.ini";

// Where the public games file is fetched from by "update-games".
inline constexpr const char* kGamesUrlKey = "gamesUrl";

std::filesystem::path poolSettingsPath(const Folders& folders);

class Pool;

// Sets the keys in the pool's settings file and writes it, holding the pool
// lock from the read to the rename, so that a key another copy of the
// program wrote meanwhile is kept.
Status
storePoolSettings(const Pool& pool,
                  std::initializer_list<std::pair<std::string_view, std::string_view>> values);

class PoolSettings {
public:
    // Reads the file; a missing file holds no settings. Fails for a file
    // that exists but cannot be read.
    static Result<PoolSettings> load(const std::filesystem::path& path);

    // The value of the first line "key=value" (the key compared exactly,
    // spaces around key and value dropped), or nullopt.
    std::optional<std::string> value(std::string_view key) const;
    // Replaces the key's value in its line, or adds a line at the end.
    void set(std::string_view key, std::string_view value);

    // Writes every line back atomically.
    Status save(const std::filesystem::path& path) const;

    const std::vector<std::string>& lines() const { return m_lines; }

private:
    std::vector<std::string> m_lines;
};

} // namespace gs
