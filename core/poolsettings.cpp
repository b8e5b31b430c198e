#include "poolsettings.h"

#include "pool.h"
#include "poollock.h"
#include "text.h"
#include "textfile.h"

namespace gs {

namespace {

// The key of a "key=value" line; nullopt for a comment or a line without "=".
std::optional<std::string> keyOf(std::string_view line) {
    std::string trimmed = trimSpaces(line);
    if (trimmed.empty() || trimmed[0] == '#' || trimmed[0] == ';')
        return std::nullopt;
    size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    return trimSpaces(line.substr(0, equals));
}

} // namespace

std::filesystem::path poolSettingsPath(const Folders& folders) {
    return folders.program / kPoolSettingsFileName;
}

Result<PoolSettings> PoolSettings::load(const std::filesystem::path& path) {
    PoolSettings settings;
    Result<std::vector<std::string>> lines = readTextFile(path);
    if (!lines && lines.error().kind != ErrorKind::NotFound)
        return failure(ErrorKind::Unreadable, "The settings file " + path.string() +
                                                  " cannot be read: " + lines.error().message);
    if (lines)
        settings.m_lines = std::move(*lines);
    return settings;
}

std::optional<std::string> PoolSettings::value(std::string_view key) const {
    for (const std::string& line : m_lines)
        if (keyOf(line) == key)
            return trimSpaces(std::string_view(line).substr(line.find('=') + 1));
    return std::nullopt;
}

void PoolSettings::set(std::string_view key, std::string_view value) {
    std::string line = std::string(key) + "=" + std::string(value);
    for (std::string& existing : m_lines)
        if (keyOf(existing) == key) {
            existing = line;
            return;
        }
    m_lines.push_back(line);
}

Status PoolSettings::save(const std::filesystem::path& path) const {
    return writeLinesAtomic(path, m_lines);
}

Status
storePoolSettings(const Pool& pool,
                  std::initializer_list<std::pair<std::string_view, std::string_view>> values) {
    Result<PoolLock> lock = lockPoolFiles(pool);
    if (!lock)
        return failure(lock.error());
    std::filesystem::path path = poolSettingsPath(pool.folders());
    Result<PoolSettings> settings = PoolSettings::load(path);
    if (!settings)
        return failure(settings.error());
    for (const auto& [key, value] : values)
        settings->set(key, value);
    return settings->save(path);
}

} // namespace gs
