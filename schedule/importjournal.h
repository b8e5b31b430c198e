#pragma once

// One import, one commit: the games table and the computer players' files
// whose numbers follow the table's order change together or not at all.
//
// An import writes each new file beside the old one (NAME.import), then the
// journal ImportJournal.txt naming them and the mark the table will carry
// once committed, then commits the table with that mark (gamesdb.h), then
// renames the new files into place and removes the journal. Whatever step a
// kill interrupts, finishInterruptedImport, run before the table is read
// again, renames the files that are left when the table carries the mark
// and removes them when it does not: the old pair or the new pair, never a
// mixture, and an import run again gives what one run would have.

#include "core/pool.h"
#include "core/result.h"
#include "gamesdb.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace gs {

inline constexpr const char* kImportJournalName = "ImportJournal.txt";

// A file that changes with the table, and its new lines.
struct StagedFile {
    std::filesystem::path target;
    std::vector<std::string> lines;
};

// Called after each step of the commit: the files staged, the table
// committed, each file renamed into place. Tests stop an import there.
using ImportStepHook = std::function<void()>;

// Replaces the seasons of the table (as GamesTable::replaceSeasons with
// `seen`) and the files together. The caller holds the pool lock. On
// failure before the table's commit nothing has changed; after it, the
// failure names the files the next start completes.
Status commitImport(const Pool& pool, GamesTable& table, const std::vector<GameRecord>& records,
                    const std::vector<GameRecord>& seen, const std::vector<StagedFile>& files,
                    const ImportStepHook& reached = {});

// Completes or undoes an import that a kill interrupted, under the pool
// lock; does nothing (and takes no lock) without a journal. Fails, leaving
// the journal for the next time, when the table cannot be read.
Status finishInterruptedImport(const Pool& pool, const ImportStepHook& reached = {});

} // namespace gs
