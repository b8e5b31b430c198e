#pragma once

// Sample data built from the bundled seasons, for tests and benchmarks
// alike; free of GoogleTest so that benchmarks can use it.

#include "schedule/gamesdb.h"

#include <filesystem>
#include <string>
#include <vector>

namespace gs::sample {

// Every game of the real schedules, in file order, with its scores; throws
// std::runtime_error when the file cannot be read or parsed.
std::vector<GameRecord> bundledGames();

// Which columns a data set's games file has.
enum class DataSetColumns {
    Read, // only the ones the score import reads, LF line ends
    Full, // also the ones such a file has besides them, CR LF line ends
};

// Games as a data set's games file lists them: team codes, ISO dates.
std::string dataSetGamesFile(const std::vector<GameRecord>& games, DataSetColumns columns);

} // namespace gs::sample
