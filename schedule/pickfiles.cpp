#include "pickfiles.h"

#include "core/text.h"

#include <algorithm>
#include <string_view>

namespace gs {

namespace fs = std::filesystem;

namespace {

constexpr int kSpreadLines = kMaxSeasonGames;

bool isComputer(const std::string& player) {
    return player == kComputerPlayer;
}

// A name that would leave the player's folder or is no file name at all is
// never used to build a path.
Status checkFileName(const std::string& player) {
    if (isSafeFileName(player))
        return {};
    return failure("The name \"" + player + "\" cannot be used as a file name.");
}

std::string weekLine(const std::array<int, kTeamCount + 1>& week) {
    std::string line;
    line.reserve(2 * kTeamCount - 1);
    for (int t = 1; t <= kTeamCount; ++t) {
        if (t > 1)
            line += ',';
        line += std::to_string(week[t]).front();
    }
    return line;
}

std::vector<std::string> weekLines(const PickTable& picks) {
    std::vector<std::string> lines;
    lines.reserve(kWeeks + kSpreadLines);
    for (int w = 1; w <= kWeeks; ++w)
        lines.push_back(weekLine(picks[w]));
    return lines;
}

std::vector<std::string> splitAtCommas(std::string_view line) {
    std::vector<std::string> fields;
    size_t start = 0;
    while (true) {
        size_t comma = line.find(',', start);
        if (comma == std::string_view::npos) {
            fields.emplace_back(line.substr(start));
            return fields;
        }
        fields.emplace_back(line.substr(start, comma - start));
        start = comma + 1;
    }
}

} // namespace

fs::path pickFilePath(const Pool& pool, const std::string& player) {
    int slot = pool.userSlot(player);
    return pool.pickFolder(slot ? slot : kUserSlots) / (player + pool.seasonYear + ".dat");
}

fs::path oldScoresPath(const Folders& folders, int year) {
    return folders.program / ("oldscores" + std::to_string(year) + ".dat");
}

std::vector<std::string> emptyPickFileLines(const std::string& player) {
    std::vector<std::string> lines(kWeeks, weekLine({}));
    if (isComputer(player))
        lines.insert(lines.end(), kSpreadLines, "0");
    return lines;
}

PickFileContent readPickFile(const fs::path& path) {
    PickFileContent content;
    TextFile file = readTextFile(path);
    content.status = file.status;
    content.error = file.error;
    if (file.status != ReadStatus::Ok)
        return content;
    int weekLines = std::min<int>(kWeeks, static_cast<int>(file.lines.size()));
    for (int w = 1; w <= weekLines; ++w) {
        const std::string& line = file.lines[w - 1];
        for (int t = 1; t <= kTeamCount; ++t) {
            size_t position = 2 * static_cast<size_t>(t) - 2;
            if (position >= line.size())
                break;
            content.picks[w][t] =
                static_cast<int>(numericValue(std::string_view(line).substr(position, 1)));
        }
    }
    if (file.lines.size() > static_cast<size_t>(kWeeks))
        content.extraLines.assign(file.lines.begin() + kWeeks, file.lines.end());
    return content;
}

SpreadTable spreadsFromLines(const std::vector<std::string>& lines) {
    SpreadTable spreads{};
    for (int g = 1; g <= kSpreadLines; ++g) {
        size_t k = static_cast<size_t>(g) - 1;
        spreads[g] = k < lines.size() ? toInt16(numericValue(lines[k])) : 0;
    }
    return spreads;
}

Result<PlayerPicks> loadPicks(const Pool& pool, const std::string& player) {
    if (Status safe = checkFileName(player); !safe)
        return failure(safe.error());
    fs::path path = pickFilePath(pool, player);
    PickFileContent content = readPickFile(path);
    PlayerPicks loaded;
    if (content.status == ReadStatus::Missing) {
        if (Status created = writeLinesAtomic(path, emptyPickFileLines(player)); !created)
            return failure(created.error());
        return loaded;
    }
    // An unreadable file stays as it is: the picks in it may still be recovered.
    if (content.status == ReadStatus::Error)
        return failure("The pick file " + path.string() + " cannot be read: " + content.error);
    loaded.picks = content.picks;
    if (isComputer(player))
        loaded.spreads = spreadsFromLines(content.extraLines);
    else
        loaded.activeOrder = std::move(content.extraLines);
    return loaded;
}

Status savePicks(const Pool& pool, const std::string& player, const PickTable& picks) {
    if (Status safe = checkFileName(player); !safe)
        return safe;
    // The computer player's file holds its projection and spreads, which
    // saveComputerPicks keeps current; picks saved under its name must not
    // replace them.
    if (isComputer(player))
        return {};
    std::vector<std::string> lines = weekLines(picks);
    for (const std::string& name : pool.activePlayers.entries)
        lines.push_back(name);
    return writeLinesAtomic(pickFilePath(pool, player), lines);
}

Status saveComputerPicks(const Pool& pool, const Projection& projection) {
    fs::path path = pickFilePath(pool, kComputerPlayer);
    std::vector<std::string> lines = weekLines(projection.picks);
    for (int g = 1; g <= kSpreadLines; ++g)
        lines.push_back(std::to_string(projection.spreads[g]));
    std::string current;
    std::string error;
    if (readFileBytes(path, current, error) == ReadStatus::Ok && current == joinLines(lines))
        return {};
    return writeLinesAtomic(path, lines);
}

Status writeOldScores(const Folders& folders, int year, const TeamRecordTable& records) {
    std::vector<std::string> lines;
    lines.reserve(kTeamCount);
    for (int t = 1; t <= kTeamCount; ++t) {
        std::string line;
        for (int column = 1; column <= 5; ++column) {
            if (column > 1)
                line += ',';
            line += signedText(records[t][column]);
        }
        lines.push_back(std::move(line));
    }
    return writeLinesAtomic(oldScoresPath(folders, year), lines);
}

bool readOldScores(const Folders& folders, int year, TeamRecordTable& records) {
    TextFile file = readTextFile(oldScoresPath(folders, year));
    if (file.status != ReadStatus::Ok)
        return false;
    for (int t = 1; t <= kTeamCount; ++t) {
        size_t k = static_cast<size_t>(t) - 1;
        std::vector<std::string> fields =
            k < file.lines.size() ? splitAtCommas(file.lines[k]) : std::vector<std::string>{};
        for (int column = 1; column <= 5; ++column) {
            size_t f = static_cast<size_t>(column) - 1;
            records[t][column] = f < fields.size() ? numericValue(fields[f]) : 0.0;
        }
    }
    return true;
}

} // namespace gs
