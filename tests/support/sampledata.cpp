#include "tests/support/sampledata.h"

#include "schedule/importer.h"

#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

namespace gs::sample {

namespace {

// The data sets' codes for the names of the bundled schedules.
const std::map<std::string, std::string> kCodeOfTeam = {
    {"Arizona Cardinals", "ARI"},   {"Atlanta Falcons", "ATL"},     {"Baltimore Ravens", "BAL"},
    {"Buffalo Bills", "BUF"},       {"Carolina Panthers", "CAR"},   {"Chicago Bears", "CHI"},
    {"Cincinnati Bengals", "CIN"},  {"Cleveland Browns", "CLE"},    {"Dallas Cowboys", "DAL"},
    {"Denver Broncos", "DEN"},      {"Detroit Lions", "DET"},       {"Green Bay Packers", "GB"},
    {"Houston Texans", "HOU"},      {"Indianapolis Colts", "IND"},  {"Jacksonville Jaguars", "JAX"},
    {"Kansas City Chiefs", "KC"},   {"Miami Dolphins", "MIA"},      {"Minnesota Vikings", "MIN"},
    {"N.Y. Giants", "NYG"},         {"N.Y. Jets", "NYJ"},           {"New England Patriots", "NE"},
    {"New Orleans Saints", "NO"},   {"Oakland Raiders", "OAK"},     {"Philadelphia Eagles", "PHI"},
    {"Pittsburgh Steelers", "PIT"}, {"San Diego Chargers", "SD"},   {"San Francisco 49ers", "SF"},
    {"Seattle Seahawks", "SEA"},    {"St. Louis Rams", "STL"},      {"Tampa Bay Buccaneers", "TB"},
    {"Tennessee Titans", "TEN"},    {"Washington Redskins", "WAS"},
};

// M/D/YYYY as YYYY-MM-DD.
std::string isoDate(const std::string& date) {
    size_t first = date.find('/');
    size_t second = date.find('/', first + 1);
    auto twoDigits = [](std::string part) { return part.size() < 2 ? "0" + part : part; };
    return date.substr(second + 1) + "-" + twoDigits(date.substr(0, first)) + "-" +
           twoDigits(date.substr(first + 1, second - first - 1));
}

// The real schedules of 2009..2015 with their scores.
std::filesystem::path schedulesCsv() {
    return GS_SCHEDULES_CSV;
}

// The whole file; throws std::runtime_error when it cannot be read.
std::string readWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

} // namespace

std::vector<GameRecord> bundledGames() {
    ScheduleParse parse = parseSchedule(readWholeFile(schedulesCsv()));
    if (!parse.ok)
        throw std::runtime_error(parse.error);
    return parse.records;
}

std::string dataSetGamesFile(const std::vector<GameRecord>& games, DataSetColumns columns) {
    bool full = columns == DataSetColumns::Full;
    std::string csv = full ? "game_id,season,game_type,week,gameday,weekday,gametime,away_team,"
                             "away_score,home_team,home_score,location,result,total,overtime,"
                             "stadium\r\n"
                           : "game_id,season,game_type,week,gameday,away_team,away_score,"
                             "home_team,home_score,location\n";
    for (const GameRecord& g : games) {
        const std::string& away = kCodeOfTeam.at(g.visitor);
        const std::string& home = kCodeOfTeam.at(g.home);
        csv += g.year + "_00_" + away + "_" + home + "," + g.year + ",REG,0," + isoDate(g.date) +
               (full ? ",Sunday,13:00," : ",") + away + "," + g.visitorScore + "," + home + "," +
               g.homeScore + (full ? ",Home,0,0,0,\"Stadium, City\"\r\n" : ",Home\n");
    }
    return csv;
}

} // namespace gs::sample
