#include "pickextras.h"

#include "core/poollock.h"
#include "core/text.h"
#include "core/textfile.h"

#include <algorithm>
#include <charconv>

namespace gs {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kExtension = ".tie";

std::optional<int> wholeNumber(std::string_view text, int low, int high) {
    std::string trimmed = trimSpaces(text);
    int value = 0;
    auto [end, ec] = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), value);
    if (ec != std::errc() || end != trimmed.data() + trimmed.size() || value < low || value > high)
        return std::nullopt;
    return value;
}

} // namespace

bool WeekExtras::empty() const {
    return !guess && std::all_of(values.begin(), values.end(), [](int v) { return v == 0; });
}

bool hasExtras(const ExtrasTable& extras) {
    return std::any_of(extras.begin(), extras.end(),
                       [](const WeekExtras& w) { return !w.empty(); });
}

std::string extrasFileName(const std::string& player, int season) {
    return player + std::to_string(season) + std::string(kExtension);
}

fs::path extrasFilePath(const Pool& pool, const std::string& player) {
    int slot = pool.userSlot(player);
    return pool.pickFolder(slot ? slot : kUserSlots) / extrasFileName(player, pool.seasonYear());
}

std::string extrasFileOwner(std::string_view fileName) {
    constexpr size_t kYearAndExtension = 8; // "2010.tie"
    if (fileName.size() <= kYearAndExtension ||
        upperAscii(fileName.substr(fileName.size() - 4)) != ".TIE")
        return {};
    std::string_view year = fileName.substr(fileName.size() - kYearAndExtension, 4);
    if (!std::all_of(year.begin(), year.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return {};
    return std::string(fileName.substr(0, fileName.size() - kYearAndExtension));
}

ExtrasTable parseExtras(const std::vector<std::string>& lines, SeasonShape shape) {
    ExtrasTable extras{};
    for (const std::string& line : lines) {
        std::vector<std::string> fields = splitFields(line);
        std::optional<int> week = wholeNumber(fields[0], 1, shape.weeks);
        if (!week)
            continue;
        WeekExtras& entry = extras[static_cast<size_t>(*week)];
        std::optional<int> points =
            fields.size() > 1 ? wholeNumber(fields[1], 0, kMaxGuess) : std::nullopt;
        std::optional<int> visitor =
            fields.size() > 2 ? wholeNumber(fields[2], 1, kTeamCount) : std::nullopt;
        std::optional<int> home =
            fields.size() > 3 ? wholeNumber(fields[3], 1, kTeamCount) : std::nullopt;
        if (points && visitor && home)
            entry.guess = TiebreakGuess{*points, *visitor, *home};
        for (int t = 1; t <= kTeamCount && static_cast<size_t>(t) + 3 < fields.size(); ++t)
            entry.values[static_cast<size_t>(t)] =
                wholeNumber(fields[static_cast<size_t>(t) + 3], 0, kTeamCount).value_or(0);
    }
    return extras;
}

std::vector<std::string> extrasLines(const ExtrasTable& extras, SeasonShape shape) {
    std::vector<std::string> lines;
    for (int w = 1; w <= shape.weeks; ++w) {
        const WeekExtras& entry = extras[static_cast<size_t>(w)];
        if (entry.empty())
            continue;
        std::string line = std::to_string(w) + ',';
        if (entry.guess)
            line += std::to_string(entry.guess->points) + ',' +
                    std::to_string(entry.guess->visitor) + ',' + std::to_string(entry.guess->home);
        else
            line += ",,";
        for (int t = 1; t <= kTeamCount; ++t)
            line += ',' + std::to_string(entry.values[static_cast<size_t>(t)]);
        lines.push_back(std::move(line));
    }
    return lines;
}

Result<ExtrasTable> loadExtras(const Pool& pool, const std::string& player) {
    if (!isSafeFileName(player))
        return ExtrasTable{};
    fs::path path = extrasFilePath(pool, player);
    Result<std::vector<std::string>> lines = readTextFile(path);
    if (failedWith(lines, ErrorKind::NotFound))
        return ExtrasTable{};
    if (!lines)
        return failure(lines.error().kind, "The tiebreaker file " + path.string() +
                                               " cannot be read: " + lines.error().message);
    return parseExtras(*lines, seasonShape(pool.seasonYear()));
}

ExtrasTable extrasForView(const Pool& pool, const std::string& player) {
    return loadExtras(pool, player).value_or(ExtrasTable{});
}

Status saveExtras(const Pool& pool, const std::string& player, const ExtrasTable& extras) {
    if (!isSafeFileName(player))
        return failure(ErrorKind::Refused,
                       "The name \"" + player + "\" cannot be used as a file name.");
    fs::path path = extrasFilePath(pool, player);
    Result<PoolLock> lock = lockPoolFiles(pool);
    if (!lock)
        return failure(lock.error());
    if (!hasExtras(extras) && !fileExists(path))
        return {};
    return writeLinesAtomic(path, extrasLines(extras, seasonShape(pool.seasonYear())));
}

} // namespace gs
