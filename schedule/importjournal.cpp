#include "importjournal.h"

#include "core/poollock.h"
#include "core/textfile.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace gs {

namespace fs = std::filesystem;

namespace {

fs::path journalPath(const Pool& pool) {
    return pool.folders().program / kImportJournalName;
}

fs::path stagedPath(const fs::path& target) {
    fs::path staged = target;
    staged += ".import";
    return staged;
}

void step(const ImportStepHook& reached) {
    if (reached)
        reached();
}

// Makes a rename or a removal in the folder durable.
void syncFolder(const fs::path& folder) {
    int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

// Renames a staged file over its target; one renamed before is gone already.
Status place(const fs::path& target) {
    fs::path staged = stagedPath(target);
    if (::rename(staged.c_str(), target.c_str()) != 0) {
        if (errno == ENOENT)
            return {};
        return failure(ErrorKind::Unwritable,
                       "Cannot replace " + target.string() + ": " + std::strerror(errno));
    }
    syncFolder(target.parent_path());
    return {};
}

Status removeJournal(const fs::path& journal) {
    std::error_code ec;
    fs::remove(journal, ec);
    if (ec)
        return failure(ErrorKind::Unwritable,
                       "Cannot remove " + journal.string() + ": " + ec.message());
    syncFolder(journal.parent_path());
    return {};
}

} // namespace

Status commitImport(const Pool& pool, GamesTable& table, const std::vector<GameRecord>& records,
                    const std::vector<GameRecord>& seen, const std::vector<StagedFile>& files,
                    const ImportStepHook& reached) {
    if (files.empty())
        return table.replaceSeasons(records, &seen);
    Result<int> before = table.importMark();
    if (!before)
        return failure(before.error());
    // Any other number than the table's now tells the commit apart.
    const int mark = *before == INT_MAX ? 1 : *before + 1;
    std::vector<std::string> journal = {std::to_string(mark)};
    for (const StagedFile& file : files)
        journal.push_back(file.target.string());
    if (Status written = writeLinesAtomic(journalPath(pool), journal); !written)
        return written;
    step(reached);
    Status done;
    for (const StagedFile& file : files) {
        done = writeLinesAtomic(stagedPath(file.target), file.lines);
        if (!done)
            break;
        step(reached);
    }
    if (done)
        done = table.replaceSeasons(records, &seen, mark);
    if (!done) {
        // Nothing is committed: this removes the staged files and the journal.
        (void)finishInterruptedImport(pool);
        return done;
    }
    step(reached);
    return finishInterruptedImport(pool, reached);
}

Status finishInterruptedImport(const Pool& pool, const ImportStepHook& reached) {
    const fs::path journal = journalPath(pool);
    if (!fileExists(journal))
        return {};
    Result<PoolLock> lock = lockPoolFiles(pool);
    if (!lock)
        return failure(lock.error());
    auto unfinished = [&](const std::string& why) {
        return failure(ErrorKind::Unreadable, "An interrupted import of the games table could not "
                                              "be completed (" +
                                                  why + "); it will be at the next start.");
    };
    Result<std::vector<std::string>> lines = readTextFile(journal);
    if (failedWith(lines, ErrorKind::NotFound))
        return {}; // another copy finished it meanwhile
    if (!lines || lines->empty() || lines->front().empty() || lines->front().size() > 10 ||
        !std::all_of(lines->front().begin(), lines->front().end(),
                     [](char c) { return c >= '0' && c <= '9'; }))
        return unfinished(journal.string() + " cannot be read");
    const long long mark = std::stoll(lines->front());
    Result<int> stored = failure(ErrorKind::NotFound, "");
    if (Result<std::unique_ptr<GamesTable>> table = GamesTable::open(pool.gamesDatabasePath()))
        stored = (*table)->importMark();
    else
        stored = failure(table.error());
    // A missing table holds no import; any other that cannot be read may.
    if (!stored && fs::exists(pool.gamesDatabasePath()))
        return unfinished("the games table cannot be read: " + stored.error().message);
    const bool committed = stored && *stored == mark;
    for (size_t k = 1; k < lines->size(); ++k) {
        fs::path target = (*lines)[k];
        if (!committed) {
            std::error_code ec;
            fs::remove(stagedPath(target), ec);
            continue;
        }
        if (Status placed = place(target); !placed)
            return unfinished(placed.error().message);
        step(reached);
    }
    return removeJournal(journal);
}

} // namespace gs
