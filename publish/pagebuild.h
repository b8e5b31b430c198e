#pragma once

// The pool's page as the pool stands: its model assembled from the same
// figures "User Statistics" and the `standings` command show, written to a
// file, and where it is published.

#include "core/dialogs.h"
#include "core/kickoff.h"
#include "core/pool.h"
#include "core/result.h"
#include "core/season.h"
#include "publish/poolpage.h"

#include <filesystem>
#include <functional>
#include <string>

namespace gs {

// The name a page takes at its page address and in a folder given with --out.
inline constexpr const char* kPageFileName = "index.html";
// The key of the page address in the pool's settings file.
inline constexpr const char* kPageAddressKey = "pageAddress";

// Where a page written without a folder goes: the home's pool-<season>.html.
std::filesystem::path homePagePath(const Pool& pool);

// The moment the pool's picks lock at: the pool's moment (now on the
// machine's clock for "today", a day and a time, or a day).
PoolMoment poolPageMoment(const Pool& pool);

// The weekly winners' table of the page: the rows the `winners` command
// prints (none, and the page says no week is decided yet, before the first).
PageTable weeklyWinnersTable(const Pool& pool, const Season& season);

// The page's model: the season, the moment written, the standings (the rows
// of `standings`, from the same routine), the winners given, the current
// week's picks of every active player for the games locked at `moment` and
// nothing of any other game, each player's "% Overall" after every complete
// week, and the program's name and version. What "User Statistics" could not
// read refuses the page, so that a published page never loses its figures to
// a damaged file; its warnings are told.
using WinnersOf = std::function<PageTable(const Season& season)>;
Result<PoolPageModel> assemblePoolPage(Pool& pool, Dialogs& dialogs, const PoolMoment& moment,
                                       const WinnersOf& winners = {});

// Assembles the page at the pool's moment with weeklyWinnersTable and writes it
// atomically to `file`.
Status writePoolPageFile(Pool& pool, Dialogs& dialogs, const std::filesystem::path& file);

// The page address kept in the pool's settings; "" when none is.
std::string storedPageAddress(const Pool& pool);
// Keeps the page address in the pool's settings, under the pool lock.
Status storePageAddress(const Pool& pool, const std::string& address);

} // namespace gs
