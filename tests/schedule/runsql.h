#pragma once

// Runs fixed SQL on a database file, made when missing (test set-up only;
// no values pasted in), and says whether it ran.

#include <filesystem>
#include <sqlite3.h>
#include <string>

namespace gs::test {

inline bool runSql(const std::filesystem::path& file, const std::string& sql) {
    sqlite3* db = nullptr;
    bool ran = sqlite3_open(file.c_str(), &db) == SQLITE_OK &&
               sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ran;
}

} // namespace gs::test
