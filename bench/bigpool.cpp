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

BigPool::BigPool(int season) : m_home(makeHome()), pool(m_home) {
    fs::create_directories(pool.folders().program);
    if (Status imported = importSchedule(pool, GS_SCHEDULES_CSV); !imported)
        throw std::runtime_error(imported.error().message);
    if (season >= kFirstCommunitySeason)
        if (Status imported = importSchedule(pool, GS_COMMUNITY_CSV); !imported)
            throw std::runtime_error(imported.error().message);
    // Every game of the season is played: every pick is revealed and judged.
    pool.setReferenceDate(*Date::fromParts(season + 1, 3, 1));
    writeUserList(season);
    pool.setCurrentUser(kAdminUser);
    if (!loadUserList(pool))
        throw std::runtime_error("cannot load the user list");
    refreshPoolOrder(pool);
    writePickFiles(season);
}

BigPool::~BigPool() {
    std::error_code ec;
    fs::remove_all(m_home, ec);
}

void BigPool::writeUserList(int season) {
    std::string folder = pool.programFolderText();
    std::vector<std::string> lines = {std::to_string(season), "admin,1,9,1,,0," + folder,
                                      "PC,1,1,0,,0," + folder};
    for (int k = 3; k <= kPlayers; ++k)
        lines.push_back("player" + std::to_string(k) + ",1,1,0,,0," + folder);
    if (!writeLinesAtomic(pool.folders().program / "UserList.db", lines))
        throw std::runtime_error("cannot write the user list");
}

// Each player picks the visiting or the home team of every game, by a
// pattern of his own, so that the board is full of green and red.
void BigPool::writePickFiles(int year) {
    Result<Season> season = rebuildSeasonGames(pool);
    if (!season || season->year != year)
        throw std::runtime_error(season ? "the season is not in force" : season.error().message);
    for (int k = 1; k <= kPlayers; ++k) {
        std::string name = pool.users()[k].name;
        if (name == kComputerPlayer)
            continue;
        PickTable picks{};
        WeekTracker tracker;
        int week = 1;
        int game = 0;
        for (const Game& g : season->games) {
            if (tracker.isBoundary(g) && week < season->shape.weeks)
                ++week;
            bool home = (game++ * 7 + k) % 3 != 0;
            picks[week][(home ? g.home : g.visitor).number()] = 1;
        }
        if (!savePicks(pool, name, picks))
            throw std::runtime_error("cannot write a pick file");
    }
}

} // namespace gs::bench
