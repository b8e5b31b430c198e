#include "bigpool.h"

#include "core/textfile.h"
#include "core/userlist.h"
#include "schedule/calendar.h"
#include "schedule/importer.h"
#include "schedule/pickfiles.h"
#include "schedule/seasongames.h"

#include <cstdlib>
#include <stdexcept>

namespace gs::bench {

namespace fs = std::filesystem;

namespace {

fs::path makeHome() {
    std::string pattern = (fs::temp_directory_path() / "gridslate-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    return pattern;
}

} // namespace

BigPool::BigPool() : m_home(makeHome()), pool(m_home) {
    fs::create_directories(pool.folders().program);
    if (Status imported = importSchedule(pool, GS_SCHEDULES_CSV); !imported)
        throw std::runtime_error(imported.error().message);
    // Every game of 2010 is played: every pick is revealed and judged.
    pool.setReferenceDate(*Date::fromParts(2011, 3, 1));
    writeUserList();
    pool.setCurrentUser(kAdminUser);
    if (!loadUserList(pool))
        throw std::runtime_error("cannot load the user list");
    refreshPoolOrder(pool);
    writePickFiles();
}

BigPool::~BigPool() {
    std::error_code ec;
    fs::remove_all(m_home, ec);
}

void BigPool::writeUserList() {
    std::string folder = pool.programFolderText();
    std::vector<std::string> lines = {"2010", "admin,1,9,1,,0," + folder, "PC,1,1,0,,0," + folder};
    for (int k = 3; k <= kPlayers; ++k)
        lines.push_back("player" + std::to_string(k) + ",1,1,0,,0," + folder);
    if (!writeLinesAtomic(pool.folders().program / "UserList.db", lines))
        throw std::runtime_error("cannot write the user list");
}

// Each player picks the visiting or the home team of every game, by a
// pattern of his own, so that the board is full of green and red.
void BigPool::writePickFiles() {
    Result<Season> season = rebuildSeasonGames(pool);
    if (!season)
        throw std::runtime_error(season.error().message);
    for (int k = 1; k <= kPlayers; ++k) {
        std::string name = pool.users()[k].name;
        if (name == kComputerPlayer)
            continue;
        PickTable picks{};
        WeekTracker tracker;
        int week = 1;
        int game = 0;
        for (const Game& g : season->games) {
            if (tracker.isBoundary(g.dateText()) && week < kWeeks)
                ++week;
            bool home = (game++ * 7 + k) % 3 != 0;
            picks[week][(home ? g.home : g.visitor).number()] = 1;
        }
        if (!savePicks(pool, name, picks))
            throw std::runtime_error("cannot write a pick file");
    }
}

} // namespace gs::bench
