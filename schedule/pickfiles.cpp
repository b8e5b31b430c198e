#include "pickfiles.h"

#include "core/dialogs.h"
#include "core/text.h"

#include <algorithm>
#include <fstream>
#include <sstream>
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
bool refuseUnsafeName(const std::string& player) {
    if (isSafeFileName(player))
        return false;
    dialogs().message("The name \"" + player + "\" cannot be used as a file name.", "Error");
    return true;
}

void clearWeeks(PickTable& table) {
    for (auto& week : table)
        week.fill(0);
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

std::vector<std::string> pickFileLines(const std::string& player) {
    const PickTable& source = isComputer(player) ? State.ProjectedPicks : State.PicksTable;
    std::vector<std::string> lines;
    lines.reserve(kWeeks + kSpreadLines);
    for (int w = 1; w <= kWeeks; ++w)
        lines.push_back(weekLine(source[w]));
    if (isComputer(player)) {
        for (int g = 1; g <= kSpreadLines; ++g)
            lines.push_back(std::to_string(State.SpreadTable[g]));
        return lines;
    }
    for (const std::string& name : State.List5.entries)
        lines.push_back(name);
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

fs::path pickFilePath(const std::string& player) {
    int slot = userSlot(player);
    const std::string& folder = State.UserTable[slot ? slot : kUserSlots].folder;
    std::string fileName = player + State.SeasonYear + ".dat";
    // A slot without a folder (the usual state of slot 100) keeps its files
    // with the pool's data rather than in whatever the working folder is.
    if (folder.empty())
        return State.ProgramFolder / fileName;
    return fs::path(folder) / fileName;
}

fs::path oldScoresPath(int year) {
    return State.ProgramFolder / ("oldscores" + std::to_string(year) + ".dat");
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

void setSpreadsFromLines(const std::vector<std::string>& lines) {
    for (int g = 1; g <= kSpreadLines; ++g) {
        size_t k = static_cast<size_t>(g) - 1;
        State.SpreadTable[g] = k < lines.size() ? toInt16(numericValue(lines[k])) : 0;
    }
}

void LoadPicks(const std::string& player) {
    if (refuseUnsafeName(player)) {
        clearWeeks(State.PicksTable);
        return;
    }
    fs::path path = pickFilePath(player);
    PickFileContent content = readPickFile(path);
    if (content.status == ReadStatus::Missing) {
        clearWeeks(State.PicksTable);
        saveLines(path, emptyPickFileLines(player));
        return;
    }
    if (content.status == ReadStatus::Error) {
        // The file stays as it is: the picks in it may still be recovered.
        clearWeeks(State.PicksTable);
        dialogs().message("The pick file " + path.string() + " cannot be read: " + content.error,
                          "Error");
        return;
    }
    State.PicksTable = content.picks;
    if (isComputer(player)) {
        setSpreadsFromLines(content.extraLines);
        return;
    }
    State.SavedActivePlayers = std::move(content.extraLines);
}

bool SavePicks(const std::string& player) {
    if (refuseUnsafeName(player))
        return false;
    return saveLines(pickFilePath(player), pickFileLines(player));
}

bool savePicksIfChanged(const std::string& player) {
    if (refuseUnsafeName(player))
        return false;
    fs::path path = pickFilePath(player);
    std::vector<std::string> lines = pickFileLines(player);
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    std::ifstream in(path, std::ios::binary);
    if (in) {
        std::ostringstream current;
        current << in.rdbuf();
        if (!in.bad() && current.str() == bytes)
            return true;
    }
    return saveLines(path, lines);
}

bool writeOldScoresFile(int year) {
    std::vector<std::string> lines;
    lines.reserve(kTeamCount);
    for (int t = 1; t <= kTeamCount; ++t) {
        std::string line;
        for (int column = 1; column <= 5; ++column) {
            if (column > 1)
                line += ',';
            line += signedText(State.TeamRecords[t][column]);
        }
        lines.push_back(std::move(line));
    }
    return saveLines(oldScoresPath(year), lines);
}

bool WriteOldScores() {
    return writeOldScoresFile(seasonYearNumber());
}

bool ReadOldScores(int year) {
    TextFile file = readTextFile(oldScoresPath(year));
    if (file.status != ReadStatus::Ok)
        return false;
    for (int t = 1; t <= kTeamCount; ++t) {
        size_t k = static_cast<size_t>(t) - 1;
        std::vector<std::string> fields =
            k < file.lines.size() ? splitAtCommas(file.lines[k]) : std::vector<std::string>{};
        for (int column = 1; column <= 5; ++column) {
            size_t f = static_cast<size_t>(column) - 1;
            State.TeamRecords[t][column] = f < fields.size() ? numericValue(fields[f]) : 0.0;
        }
    }
    return true;
}

} // namespace gs
