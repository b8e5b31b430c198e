#include "game.h"

#include "text.h"

namespace gs {

std::optional<Score> Score::parse(std::string_view text) {
    if (text.empty())
        return std::nullopt;
    return Score(numericValue(text), std::string(text));
}

std::optional<Team> Game::winner() const {
    if (visitorPoints() > homePoints())
        return visitor;
    if (homePoints() > visitorPoints())
        return home;
    return std::nullopt;
}

std::optional<Team> Game::loser() const {
    std::optional<Team> won = winner();
    if (!won)
        return std::nullopt;
    return *won == visitor ? home : visitor;
}

std::string Game::dayName() const {
    return date ? gs::dayName(date->weekday()) : std::string();
}

} // namespace gs
