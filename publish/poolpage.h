#pragma once

// The pool's web page: one self-contained `index.html` that players open in
// any browser, on a phone as on a desktop. The page is written from a plain
// model of what it shows; whoever assembles the model decides what may be
// shown (only picks of games that have kicked off), the renderer only lays
// it out. Every text of the model is Windows-1252, as the pool keeps it; the
// page is UTF-8.

#include "core/grid.h"
#include "core/version.h"

#include <array>
#include <string>
#include <vector>

namespace gs {

// A table as a command prints it: the header's captions and the rows' cell
// texts, in the order shown.
struct PageTable {
    std::string caption;
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
};

// A grid model's first row as the header, the others as rows.
PageTable pageTableOf(const std::string& caption, const GridModel& grid);

// One game of the week's picks: the teams' abbreviations and each player's
// pick, in the order of LockedPicks::players ("" where he picked neither).
struct LockedGame {
    std::string visitor;
    std::string home;
    bool decided = false; // both scores are in
    std::string winner;   // once decided, the winner's abbreviation; "" for a tie
    std::vector<std::string> picks;
};

// The current week's picks of the games that have kicked off, every player a
// column.
struct LockedPicks {
    int week = 0;
    std::vector<std::string> players;
    std::vector<LockedGame> games;
};

struct ChartPoint {
    int week = 0;
    double percent = 0; // overall percentage of weeks 1..week
};

// A player's "% Overall" after each complete week.
struct ChartSeries {
    std::string player;
    std::vector<ChartPoint> points;
};

struct PoolPageModel {
    int season = 0;
    std::string writtenAt; // the pool's moment the page was written: "11/2/2025 14:05"
    PageTable standings;
    PageTable winners;
    LockedPicks picks;
    std::vector<ChartSeries> chart;
    std::string programName = "Gridslate";
    std::string version = kVersion;
};

// The page, UTF-8, with its styles, its chart (SVG) and its one small
// sorting script inline: it asks for no file or address of any kind.
std::string renderPoolPage(const PoolPageModel& model);

// The page's colours in one theme. Every text colour reads on both
// backgrounds (4.5:1); each chart line stands out from the page (3:1).
struct PageTheme {
    Rgb page = 0;
    Rgb raised = 0; // table headers and every other row
    Rgb text = 0;
    Rgb muted = 0;  // notes, axis labels, wrong picks
    Rgb accent = 0; // headings and in-page links
    Rgb right = 0;  // a right pick
    Rgb rule = 0;   // borders and the chart's grid lines
    std::array<Rgb, 8> lines{};
};

// The light theme, and the dark one that a browser set to prefer dark
// colours shows.
const PageTheme& lightPageTheme();
const PageTheme& darkPageTheme();

} // namespace gs
