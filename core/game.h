#pragma once

// A game of a season as everything above the games table takes it: its
// teams, its day and its scores are values, read once from the table's
// record (gameOf in schedule/gamesdb.h), so that the statistics, the picks,
// the views and the exports count and compare and never parse.

#include "date.h"
#include "kickoff.h"
#include "league.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace gs {

// A final score: its points, and the text the table holds it as ("24", or
// " 24" as older copies of the program wrote it), so that a score shown or
// written back is the one that was read.
class Score {
public:
    // The score a field holds; nullopt for an empty field, a score not
    // entered. The points are the number the text starts with, as every
    // reader of the table's numbers takes them (0 without one).
    static std::optional<Score> parse(std::string_view text);

    double points() const { return m_points; }
    const std::string& text() const { return m_text; }

private:
    Score(double points, std::string text) : m_points(points), m_text(std::move(text)) {}
    double m_points = 0;
    std::string m_text;
};

struct Game {
    Team visitor;
    Team home;
    // None for a record without a date: it is played on the day of the game
    // before it.
    std::optional<Date> date;
    std::optional<Score> visitorScore; // none until entered
    std::optional<Score> homeScore;
    int week = 0;   // the official week the table gives it, 0 where it gives none
    int season = 0; // the season's year
    // The kickoff, where the table gives one (seasons from the community
    // games file); none for the bundled seasons.
    std::optional<Kickoff> kickoff;

    // Both scores are entered.
    bool scored() const { return visitorScore && homeScore; }
    // The visiting score is entered: the game counts in a team's record,
    // a missing home score as 0.
    bool entered() const { return visitorScore.has_value(); }
    double visitorPoints() const { return visitorScore ? visitorScore->points() : 0; }
    double homePoints() const { return homeScore ? homeScore->points() : 0; }
    // The team with more points, and the other; none for a tie, and so for
    // a game without scores.
    std::optional<Team> winner() const;
    std::optional<Team> loser() const;

    // Played before the day, or on or before it. A game without a date
    // counts as long past.
    bool playedBefore(const Date& day) const { return !date || *date < day; }
    bool playedBy(const Date& day) const { return !date || *date <= day; }
    // No longer open to picks at the pool's moment: at its kickoff, or on
    // its day (see isLocked). A game without a date is long past.
    bool lockedAt(const PoolMoment& moment) const {
        return !date || isLocked(*date, kickoff, moment);
    }

    // The teams' names in the game's season.
    const std::string& visitorName() const { return visitor.name(season); }
    const std::string& homeName() const { return home.name(season); }
    // The date as the table writes it, and its day's name; "" without one.
    std::string dateText() const { return date ? date->text() : std::string(); }
    // The kickoff "HH:MM" in Eastern time as the table holds it; "" without one.
    std::string kickoffText() const { return kickoff ? kickoff->text() : std::string(); }
    std::string dayName() const;
};

} // namespace gs
