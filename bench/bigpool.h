#pragma once

// A big pool for the benchmarks of the windows: 100 active players with
// their pick files and a whole season, every game scored and every pick
// revealed, in a temporary home removed with it: 2010 (17 weeks, 256 games,
// from the bundled seasons) or 2021 (18 weeks, 272 games, from the
// community games file).

#include "core/dialogs.h"
#include "core/pool.h"

#include <filesystem>
#include <string>

namespace gs::bench {

inline constexpr int kPlayers = 100;

// Answers every question with OK and keeps the last message.
class QuietDialogs final : public Dialogs {
public:
    void message(MessageKind, const std::string& text, const std::string&) override {
        lastMessage = text;
    }
    bool confirm(const std::string&, const std::string&) override { return true; }
    std::string input(const std::string&, const std::string&, const std::string&) override {
        return {};
    }
    std::string lastMessage;
};

class BigPool {
public:
    explicit BigPool(int season = 2010);
    ~BigPool();
    BigPool(const BigPool&) = delete;
    BigPool& operator=(const BigPool&) = delete;

private:
    void writeUserList(int season);
    void writePickFiles(int season);

    std::filesystem::path m_home;

public:
    Pool pool;
    QuietDialogs dialogs;
};

} // namespace gs::bench
