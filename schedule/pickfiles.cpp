#include "pickfiles.h"

#include "core/poollock.h"
#include "core/text.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string_view>
#include <unistd.h>

namespace gs {

namespace fs = std::filesystem;

namespace {

// A name that would leave the player's folder or is no file name at all is
// never used to build a path.
Status checkFileName(const std::string& player) {
    if (isSafeFileName(player))
        return {};
    return failure(ErrorKind::Refused,
                   "The name \"" + player + "\" cannot be used as a file name.");
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

std::vector<std::string> weekLines(const PickTable& picks, SeasonShape shape) {
    std::vector<std::string> lines;
    lines.reserve(static_cast<size_t>(shape.weeks + shape.maxGames));
    for (int w = 1; w <= shape.weeks; ++w)
        lines.push_back(weekLine(picks[w]));
    return lines;
}

} // namespace

SeasonShape poolSeasonShape(const Pool& pool) {
    return seasonShape(pool.seasonYear());
}

fs::path pickFilePath(const Pool& pool, const std::string& player) {
    int slot = pool.userSlot(player);
    return pool.pickFolder(slot ? slot : kUserSlots) /
           (player + std::to_string(pool.seasonYear()) + ".dat");
}

fs::path oldScoresPath(const Folders& folders, int year) {
    return folders.program / ("oldscores" + std::to_string(year) + ".dat");
}

std::vector<std::string> emptyPickFileLines(const std::string& player, SeasonShape shape) {
    std::vector<std::string> lines(static_cast<size_t>(shape.weeks), weekLine({}));
    if (isComputerPlayer(player))
        lines.insert(lines.end(), static_cast<size_t>(shape.maxGames), "0");
    return lines;
}

Result<PickFileContent> readPickFile(const fs::path& path, SeasonShape shape) {
    Result<std::vector<std::string>> lines = readTextFile(path);
    if (!lines)
        return failure(lines.error());
    PickFileContent content;
    int weekLines = std::min<int>(shape.weeks, static_cast<int>(lines->size()));
    for (int w = 1; w <= weekLines; ++w) {
        const std::string& line = (*lines)[w - 1];
        for (int t = 1; t <= kTeamCount; ++t) {
            size_t position = 2 * static_cast<size_t>(t) - 2;
            if (position >= line.size())
                break;
            // Anything but a 1 is no pick: a damaged value carried
            // forward would be written back and counted as a pick.
            content.picks[w][t] = line[position] == '1' ? 1 : 0;
        }
    }
    if (lines->size() > static_cast<size_t>(shape.weeks))
        content.extraLines.assign(lines->begin() + shape.weeks, lines->end());
    return content;
}

SpreadTable spreadsFromLines(const std::vector<std::string>& lines, SeasonShape shape) {
    SpreadTable spreads{};
    for (int g = 1; g <= shape.maxGames; ++g) {
        size_t k = static_cast<size_t>(g) - 1;
        double spread = k < lines.size() ? numericValue(lines[k]) : 0;
        spreads[g] = spread >= 0 && spread <= kMaxSpread ? toInt16(spread) : 0;
    }
    return spreads;
}

Result<PlayerPicks> loadPicks(const Pool& pool, const std::string& player) {
    if (Status safe = checkFileName(player); !safe)
        return failure(safe.error());
    fs::path path = pickFilePath(pool, player);
    SeasonShape shape = poolSeasonShape(pool);
    Result<PickFileContent> content = readPickFile(path, shape);
    PlayerPicks loaded;
    if (failedWith(content, ErrorKind::NotFound)) {
        // Another program (a second window, a command) may make the file at
        // the same moment, and may already have saved picks in it: the
        // empty file never replaces it, and the one that stands is read.
        Result<Placement> created = writeLinesIfAbsent(path, emptyPickFileLines(player, shape));
        if (!created)
            return failure(created.error());
        if (*created == Placement::Placed)
            return loaded;
        content = readPickFile(path, shape);
        if (failedWith(content, ErrorKind::NotFound))
            return failure(ErrorKind::NotFound,
                           "The pick file " + path.string() + " was removed while it was read.");
    }
    // An unreadable file stays as it is: the picks in it may still be recovered.
    if (!content)
        return failure(content.error().kind, "The pick file " + path.string() +
                                                 " cannot be read: " + content.error().message);
    loaded.picks = content->picks;
    if (isComputerPlayer(player))
        loaded.spreads = spreadsFromLines(content->extraLines, shape);
    else
        loaded.activeOrder = std::move(content->extraLines);
    return loaded;
}

Status savePicks(const Pool& pool, const std::string& player, const PickTable& picks) {
    if (Status safe = checkFileName(player); !safe)
        return safe;
    // A computer player's file holds its projection and spreads, which
    // only the projection writes; picks saved under its name must not
    // replace them.
    if (isComputerPlayer(player))
        return {};
    std::vector<std::string> lines = weekLines(picks, poolSeasonShape(pool));
    for (const std::string& name : pool.poolOrder())
        lines.push_back(name);
    Result<PoolLock> lock = lockPoolFiles(pool);
    if (!lock)
        return failure(lock.error());
    return writeLinesAtomic(pickFilePath(pool, player), lines);
}

Result<PickTable> savePicksOver(const Pool& pool, const std::string& player, const PickTable& picks,
                                const PickTable& shown) {
    if (Status safe = checkFileName(player); !safe)
        return failure(safe.error());
    if (isComputerPlayer(player))
        return picks;
    Result<PoolLock> lock = lockPoolFiles(pool);
    if (!lock)
        return failure(lock.error());
    const SeasonShape shape = poolSeasonShape(pool);
    const fs::path path = pickFilePath(pool, player);
    PickTable merged = picks;
    // A file that cannot be read now has nothing to keep.
    if (Result<PickFileContent> stored = readPickFile(path, shape)) {
        std::string clashes;
        for (int w = 1; w <= shape.weeks; ++w) {
            const auto& theirs = stored->picks[w];
            if (theirs == shown[w] || theirs == picks[w])
                continue;
            if (picks[w] == shown[w])
                merged[w] = theirs;
            else
                clashes += (clashes.empty() ? "" : ", ") + std::to_string(w);
        }
        if (!clashes.empty())
            return failure(ErrorKind::Changed,
                           "The picks in " + path.string() +
                               " were changed by another program since they were shown here, "
                               "in the weeks also changed here (week " +
                               clashes +
                               "). Nothing was saved; open the picks again and make "
                               "the change once more.");
    }
    std::vector<std::string> lines = weekLines(merged, shape);
    for (const std::string& name : pool.poolOrder())
        lines.push_back(name);
    if (Status written = writeLinesAtomic(path, lines); !written)
        return failure(written.error());
    return merged;
}

bool isTidyComputerFile(const std::vector<std::string>& lines, SeasonShape shape) {
    if (lines.size() != static_cast<size_t>(shape.weeks + shape.maxGames))
        return false;
    for (int w = 0; w < shape.weeks; ++w) {
        const std::string& line = lines[static_cast<size_t>(w)];
        if (line.size() != 2 * kTeamCount - 1)
            return false;
        for (size_t i = 0; i < line.size(); ++i)
            if (i % 2 ? line[i] != ',' : line[i] != '0' && line[i] != '1')
                return false;
    }
    for (size_t k = static_cast<size_t>(shape.weeks); k < lines.size(); ++k) {
        std::string spread = trimSpaces(lines[k]);
        bool digits =
            !spread.empty() && spread.size() <= 3 &&
            std::all_of(spread.begin(), spread.end(), [](char c) { return c >= '0' && c <= '9'; });
        if (!digits)
            return false;
    }
    return true;
}

namespace {

// Keeps a damaged file under a name of its own beside it (NAME.damaged,
// then NAME.damaged2, ...), as a second link so that the file never stops
// standing under its own name. Returns the name it is kept under.
Result<fs::path> keepBeside(const fs::path& path) {
    for (int n = 1; n <= 99; ++n) {
        fs::path kept = path;
        kept += n == 1 ? std::string(".damaged") : ".damaged" + std::to_string(n);
        if (::link(path.c_str(), kept.c_str()) == 0)
            return kept;
        if (errno == EEXIST)
            continue;
        // A file system without hard links: move it aside instead.
        if (errno == EPERM || errno == ENOTSUP || errno == EOPNOTSUPP) {
            if (::renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, kept.c_str(), RENAME_NOREPLACE) == 0)
                return kept;
            if (errno == EEXIST)
                continue;
        }
        return failure(ErrorKind::Unwritable, std::strerror(errno));
    }
    return failure(ErrorKind::Unwritable, "too many damaged copies are kept already");
}

} // namespace

Result<ComputerPicksSaved> saveComputerPicks(const Pool& pool, const Projection& projection) {
    ComputerNumbers spreads{};
    std::copy(projection.spreads.begin() + 1, projection.spreads.end(), spreads.begin());
    return saveComputerFile(pool, kComputerPlayer, projection.picks, spreads);
}

Result<ComputerPicksSaved> saveComputerFile(const Pool& pool, const std::string& player,
                                            const PickTable& picks,
                                            const ComputerNumbers& numbers) {
    fs::path path = pickFilePath(pool, player);
    SeasonShape shape = poolSeasonShape(pool);
    std::vector<std::string> lines = weekLines(picks, shape);
    for (int g = 0; g < shape.maxGames; ++g)
        lines.push_back(std::to_string(numbers[static_cast<size_t>(g)]));
    // Two programs projecting at once must not both keep the same damaged
    // file aside, nor write over each other's check.
    Result<PoolLock> lock = lockPoolFiles(pool);
    if (!lock)
        return failure(lock.error());
    Result<std::string> current = readFileBytes(path);
    if (current && *current == joinLines(lines))
        return ComputerPicksSaved{};
    ComputerPicksSaved saved;
    // Writing over a damaged file would leave a tidy-looking file with no
    // trace of what was there; the person may want to look at it.
    bool missing = failedWith(current, ErrorKind::NotFound);
    if (!missing && (!current || !isTidyComputerFile(splitLines(*current), shape))) {
        Result<fs::path> kept = keepBeside(path);
        if (!kept)
            return failure(kept.error().kind, "The computer player's file " + path.string() +
                                                  " is damaged and could not be kept aside (" +
                                                  kept.error().message +
                                                  "), so it was left as it is.");
        saved.notice = "The computer player's file " + path.string() +
                       " was damaged. It is kept as " + kept->filename().string() +
                       ", and the file was written afresh.";
    }
    if (Status written = writeLinesAtomic(path, lines); !written)
        return failure(written.error());
    return saved;
}

ComputerFileContent loadComputerFile(const Pool& pool, const std::string& player) {
    SeasonShape shape = poolSeasonShape(pool);
    Result<PickFileContent> content = readPickFile(pickFilePath(pool, player), shape);
    ComputerFileContent loaded;
    if (!content)
        return loaded;
    loaded.picks = content->picks;
    SpreadTable numbers = spreadsFromLines(content->extraLines, shape);
    std::copy(numbers.begin() + 1, numbers.end(), loaded.numbers.begin());
    return loaded;
}

Status writeOldScores(const Folders& folders, int year, const TeamRecordTable& records) {
    std::vector<std::string> lines;
    lines.reserve(kTeamCount);
    for (int t = 1; t <= kTeamCount; ++t) {
        std::string line;
        for (double TeamRecord::*count : kRecordCounts) {
            if (!line.empty())
                line += ',';
            line += signedText(records[t].*count);
        }
        lines.push_back(std::move(line));
    }
    return writeLinesAtomic(oldScoresPath(folders, year), lines);
}

Status readOldScores(const Folders& folders, int year, TeamRecordTable& records) {
    Result<std::vector<std::string>> lines = readTextFile(oldScoresPath(folders, year));
    if (!lines)
        return failure(lines.error());
    for (int t = 1; t <= kTeamCount; ++t) {
        size_t k = static_cast<size_t>(t) - 1;
        std::vector<std::string> fields =
            k < lines->size() ? splitFields((*lines)[k]) : std::vector<std::string>{};
        for (size_t f = 0; f < kRecordCounts.size(); ++f)
            records[t].*kRecordCounts[f] = f < fields.size() ? numericValue(fields[f]) : 0.0;
    }
    return {};
}

} // namespace gs
