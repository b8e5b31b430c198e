#include "publish/poolpage.h"

#include "core/codepage.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace gs {

namespace {

constexpr PageTheme kLight{
    .page = 0xFFFFFF,
    .raised = 0xF1F3F6,
    .text = 0x1A1D21,
    .muted = 0x555E6B,
    .accent = 0x0A58A8,
    .right = 0x146C2E,
    .rule = 0xC9CED6,
    .lines = {0x0072B2, 0xC2410C, 0x15803D, 0xA21CAF, 0x7A5C00, 0x4B5563, 0x6D28D9, 0x0F766E},
};

constexpr PageTheme kDark{
    .page = 0x14171B,
    .raised = 0x21262D,
    .text = 0xE8EAED,
    .muted = 0xA9B1BB,
    .accent = 0x7DB8FF,
    .right = 0x6BD68A,
    .rule = 0x3A414A,
    .lines = {0x56B4E9, 0xF97316, 0x4ADE80, 0xE879F9, 0xD9B44A, 0xCBD5E1, 0xA78BFA, 0x2DD4BF},
};

// Lines beyond the colours' count are told apart by their dashes as well.
constexpr int kDashCount = 3;

// A model's text (Windows-1252) as HTML text or an attribute's value.
std::string escaped(std::string_view cp1252) {
    const std::string utf8 = cp1252ToUtf8(cp1252);
    std::string html;
    html.reserve(utf8.size());
    for (char c : utf8) {
        switch (c) {
        case '&':
            html += "&amp;";
            break;
        case '<':
            html += "&lt;";
            break;
        case '>':
            html += "&gt;";
            break;
        case '"':
            html += "&quot;";
            break;
        case '\'':
            html += "&#39;";
            break;
        default:
            html += c;
        }
    }
    return html;
}

std::string hex(Rgb rgb) {
    char text[8];
    std::snprintf(text, sizeof text, "#%06X", static_cast<unsigned>(rgb & 0xFFFFFF));
    return text;
}

// A coordinate of the chart, to a tenth.
std::string coordinate(double value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 1);
    return std::string(text, end.ptr);
}

// A percentage as the shortest decimal text (62.5, 66.6667).
std::string shortest(double value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value);
    return std::string(text, end.ptr);
}

std::string themeVariables(const PageTheme& theme) {
    std::string css = "--page:" + hex(theme.page) + ";--raised:" + hex(theme.raised) +
                      ";--text:" + hex(theme.text) + ";--muted:" + hex(theme.muted) +
                      ";--accent:" + hex(theme.accent) + ";--right:" + hex(theme.right) +
                      ";--rule:" + hex(theme.rule);
    for (size_t i = 0; i < theme.lines.size(); ++i)
        css += ";--l" + std::to_string(i) + ":" + hex(theme.lines[i]);
    return css;
}

std::string styleSheet() {
    std::string css = ":root{color-scheme:light dark;" + themeVariables(kLight) +
                      "}\n@media (prefers-color-scheme:dark){:root{" + themeVariables(kDark) +
                      "}}\n";
    css += R"(*{box-sizing:border-box}
html{-webkit-text-size-adjust:100%;text-size-adjust:100%}
body{margin:0;background:var(--page);color:var(--text);font:16px/1.5 system-ui,-apple-system,"Segoe UI",Roboto,"Noto Sans",Arial,sans-serif;overflow-wrap:break-word}
.page{max-width:64rem;margin:0 auto;padding:1rem}
h1{font-size:1.5rem;line-height:1.25;margin:0;color:var(--accent)}
h2{font-size:1.2rem;margin:2rem 0 .5rem;color:var(--accent)}
p{margin:.25rem 0}
.note{color:var(--muted)}
a{color:var(--accent)}
nav ul{list-style:none;margin:.75rem 0 0;padding:0;display:flex;flex-wrap:wrap;gap:.25rem 1.25rem}
.scroll{overflow-x:auto;width:fit-content;max-width:100%;border:1px solid var(--rule);border-radius:4px}
.scroll:focus-visible{outline:2px solid var(--accent);outline-offset:2px}
table{border-collapse:collapse;font-variant-numeric:tabular-nums}
caption{caption-side:top;text-align:left;padding:.5rem .75rem;font-weight:600}
th,td{padding:.4rem .75rem;text-align:left;white-space:nowrap;border-top:1px solid var(--rule)}
thead th{background:var(--raised);vertical-align:bottom;white-space:normal}
tbody th{position:sticky;left:0;background:var(--page);font-weight:600;white-space:normal}
.game{white-space:nowrap}
.name{min-width:7rem}
tbody tr:nth-child(even),tbody tr:nth-child(even) th{background:var(--raised)}
td{white-space:normal}
.num{text-align:right;white-space:nowrap}
th button{font:inherit;color:inherit;background:none;border:0;padding:0;cursor:pointer;text-align:inherit}
th button:focus-visible{outline:2px solid var(--accent)}
th[aria-sort=ascending] button::after{content:" \25B2"}
th[aria-sort=descending] button::after{content:" \25BC"}
.pick{text-align:center}
td.pick{white-space:nowrap}
.right{color:var(--right);font-weight:700}
.right::after{content:" \2713"}
.wrong{color:var(--muted);text-decoration:line-through}
figure{margin:0}
.chart{display:block;width:100%;max-width:32rem;height:auto}
.chart text{fill:var(--muted);font-size:12px}
.chart .grid{stroke:var(--rule);stroke-width:1}
.chart .axis{stroke:var(--muted);stroke-width:1}
.chart polyline{fill:none;stroke-width:2;stroke-linejoin:round}
.d1{stroke-dasharray:6 3}
.d2{stroke-dasharray:2 3}
.legend{list-style:none;margin:.5rem 0 0;padding:0;display:flex;flex-wrap:wrap;gap:.25rem 1.25rem}
.legend li{display:flex;align-items:center;gap:.4rem;min-width:0}
.key{width:1.75rem;height:.75rem;flex:none}
footer{margin-top:2.5rem;padding-top:.5rem;border-top:1px solid var(--rule);color:var(--muted);font-size:.875rem}
@media (max-width:30rem){.page{padding:.75rem}table{font-size:.9rem}th,td{padding:.35rem .4rem}.name{min-width:6.5rem}}
)";
    for (size_t i = 0; i < kLight.lines.size(); ++i) {
        const std::string n = std::to_string(i);
        css += ".s" + n + "{stroke:var(--l" + n + ");fill:var(--l" + n + ")}\n";
    }
    return css;
}

// Sorting by a column: the header's captions become buttons; a first click
// sorts numbers largest first and names from A, a second the other way.
constexpr std::string_view kSortScript =
    R"(document.querySelectorAll("table.sortable").forEach(function (t) {
  var heads = t.tHead.rows[0].cells;
  Array.prototype.forEach.call(heads, function (h, i) {
    var b = document.createElement("button");
    b.type = "button";
    b.textContent = h.textContent;
    h.textContent = "";
    h.appendChild(b);
    b.addEventListener("click", function () {
      var num = h.hasAttribute("data-numbers"), now = h.getAttribute("aria-sort");
      var up = now ? now === "descending" : !num;
      Array.prototype.forEach.call(heads, function (o) { o.removeAttribute("aria-sort"); });
      h.setAttribute("aria-sort", up ? "ascending" : "descending");
      var body = t.tBodies[0], rows = Array.prototype.slice.call(body.rows);
      rows.sort(function (x, y) {
        var a = x.cells[i].textContent, c = y.cells[i].textContent;
        var r = num ? (parseFloat(a) || 0) - (parseFloat(c) || 0) : a.localeCompare(c);
        return up ? r : -r;
      });
      rows.forEach(function (r) { body.appendChild(r); });
    });
  });
});
)";

bool isNumber(std::string_view text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

// A column of figures, sorted by value: every cell a number or empty, and
// at least one a number.
std::vector<bool> numericColumns(const PageTable& table) {
    std::vector<bool> numeric(table.header.size(), false);
    for (size_t col = 0; col < numeric.size(); ++col) {
        bool any = false;
        bool all = true;
        for (const std::vector<std::string>& row : table.rows) {
            const std::string_view cell = col < row.size() ? row[col] : std::string_view();
            if (cell.empty())
                continue;
            any = true;
            all = all && isNumber(cell);
        }
        numeric[col] = any && all;
    }
    return numeric;
}

// A heading naming the section, which the navigation links to.
void openSection(std::string& html, const char* id, const std::string& heading) {
    html += "<section aria-labelledby=\"";
    html += id;
    html += "-heading\">\n<h2 id=\"";
    html += id;
    html += "-heading\">" + heading + "</h2>\n";
}

// A table that scrolls inside its own box when it is wider than the page;
// the box can take the keyboard's focus, so it can be scrolled without a
// pointer.
void openScrollBox(std::string& html, const std::string& label) {
    html += "<div class=\"scroll\" role=\"region\" tabindex=\"0\" aria-label=\"" + label + "\">\n";
}

void writeTable(std::string& html, const char* id, const PageTable& table, const char* emptyNote) {
    if (table.rows.empty()) {
        html += "<p class=\"note\">";
        html += emptyNote;
        html += "</p>\n";
        return;
    }
    const std::vector<bool> numeric = numericColumns(table);
    const std::string caption = escaped(table.caption);
    openScrollBox(html, caption);
    html += "<table class=\"sortable\" id=\"";
    html += id;
    html += "\">\n<caption>" + caption + "</caption>\n<thead><tr>";
    for (size_t col = 0; col < table.header.size(); ++col)
        html += std::string("<th scope=\"col\"") + (numeric[col] ? " data-numbers" : "") +
                (numeric[col] && col > 0 ? " class=\"num\"" : "") + ">" +
                escaped(table.header[col]) + "</th>";
    html += "</tr></thead>\n<tbody>\n";
    for (const std::vector<std::string>& row : table.rows) {
        html += "<tr>";
        for (size_t col = 0; col < table.header.size(); ++col) {
            const std::string text = col < row.size() ? escaped(row[col]) : std::string();
            // Figures align right; the rows' heads left, names given room
            // before they wrap.
            const char* cls = col > 0 ? (numeric[col] ? " class=\"num\"" : "")
                                      : (numeric[col] ? "" : " class=\"name\"");
            html += col == 0 ? std::string("<th scope=\"row\"") + cls + ">" + text + "</th>"
                             : std::string("<td") + cls + ">" + text + "</td>";
        }
        html += "</tr>\n";
    }
    html += "</tbody>\n</table>\n</div>\n";
}

void writePicks(std::string& html, const LockedPicks& picks) {
    if (picks.games.empty()) {
        html += picks.week > 0 ? "<p class=\"note\">No game of week " + std::to_string(picks.week) +
                                     " has kicked off yet.</p>\n"
                               : std::string("<p class=\"note\">No game has kicked off yet.</p>\n");
        return;
    }
    const std::string caption = "Games that have kicked off";
    openScrollBox(html, caption);
    html += "<table id=\"picks-table\">\n<caption>" + caption +
            "</caption>\n<thead><tr><th scope=\"col\">Game</th>";
    for (const std::string& player : picks.players)
        html += "<th scope=\"col\" class=\"pick\">" + escaped(player) + "</th>";
    html += "</tr></thead>\n<tbody>\n";
    for (const LockedGame& game : picks.games) {
        html += "<tr><th scope=\"row\" class=\"game\">" + escaped(game.visitor) + " at " +
                escaped(game.home) + "</th>";
        for (size_t p = 0; p < picks.players.size(); ++p) {
            const std::string& pick = p < game.picks.size() ? game.picks[p] : std::string();
            const char* mark = "";
            if (game.decided && !pick.empty())
                mark = pick == game.winner ? " right" : " wrong";
            html += std::string("<td class=\"pick") + mark + "\">" + escaped(pick) + "</td>";
        }
        html += "</tr>\n";
    }
    html += "</tbody>\n</table>\n</div>\n";
    html += "<p class=\"note\">Once a game is decided, a right pick is marked \xE2\x9C\x93 and a "
            "wrong one struck out.</p>\n";
}

// The chart's frame in the SVG's own units; the SVG scales to the width it
// is given, so its texts are sized for a phone's width.
constexpr double kChartWidth = 360;
constexpr double kChartHeight = 240;
constexpr double kPlotLeft = 40;
constexpr double kPlotRight = 350;
constexpr double kPlotTop = 10;
constexpr double kPlotBottom = 206;

void writeChart(std::string& html, const std::vector<ChartSeries>& chart) {
    int lastWeek = 0;
    double low = 100;
    double high = 0;
    for (const ChartSeries& series : chart)
        for (const ChartPoint& point : series.points) {
            lastWeek = std::max(lastWeek, point.week);
            low = std::min(low, point.percent);
            high = std::max(high, point.percent);
        }
    if (lastWeek < 1) {
        html += "<p class=\"note\">No week is complete yet.</p>\n";
        return;
    }
    // The percentages' range, widened to tens, at least ten wide.
    low = std::clamp(std::floor(low / 10) * 10, 0.0, 90.0);
    high = std::clamp(std::ceil(high / 10) * 10, low + 10, 100.0);
    const double weekStep = (kPlotRight - kPlotLeft) / std::max(1, lastWeek - 1);
    const auto x = [&](int week) {
        return lastWeek == 1 ? (kPlotLeft + kPlotRight) / 2 : kPlotLeft + (week - 1) * weekStep;
    };
    const auto y = [&](double percent) {
        return kPlotBottom - (percent - low) * (kPlotBottom - kPlotTop) / (high - low);
    };

    html += "<figure>\n<svg class=\"chart\" viewBox=\"0 0 " + coordinate(kChartWidth) + " " +
            coordinate(kChartHeight) +
            "\" role=\"img\" aria-labelledby=\"chart-caption\">\n<g class=\"grid\">";
    const double tenStep = high - low > 50 ? 20 : 10;
    std::string labels;
    for (double tick = low; tick <= high + 0.01; tick += tenStep) {
        html += "<line x1=\"" + coordinate(kPlotLeft) + "\" x2=\"" + coordinate(kPlotRight) +
                "\" y1=\"" + coordinate(y(tick)) + "\" y2=\"" + coordinate(y(tick)) + "\"/>";
        labels += "<text x=\"" + coordinate(kPlotLeft - 4) + "\" y=\"" + coordinate(y(tick) + 4) +
                  "\" text-anchor=\"end\">" + shortest(tick) + "%</text>";
    }
    html += "</g>\n<g class=\"axis\"><line x1=\"" + coordinate(kPlotLeft) + "\" x2=\"" +
            coordinate(kPlotLeft) + "\" y1=\"" + coordinate(kPlotTop) + "\" y2=\"" +
            coordinate(kPlotBottom) + "\"/><line x1=\"" + coordinate(kPlotLeft) + "\" x2=\"" +
            coordinate(kPlotRight) + "\" y1=\"" + coordinate(kPlotBottom) + "\" y2=\"" +
            coordinate(kPlotBottom) + "\"/></g>\n";
    // Every week's number while they fit, else every other one.
    const int weekLabelStep = lastWeek > 9 ? 2 : 1;
    for (int week = 1; week <= lastWeek; week += weekLabelStep)
        labels += "<text x=\"" + coordinate(x(week)) + "\" y=\"" + coordinate(kPlotBottom + 14) +
                  "\" text-anchor=\"middle\">" + std::to_string(week) + "</text>";
    labels += "<text x=\"" + coordinate((kPlotLeft + kPlotRight) / 2) + "\" y=\"" +
              coordinate(kChartHeight - 4) + "\" text-anchor=\"middle\">Week</text>";
    html += labels + "\n";

    std::string legend = "<ul class=\"legend\">\n";
    const size_t colours = kLight.lines.size();
    for (size_t i = 0; i < chart.size(); ++i) {
        const ChartSeries& series = chart[i];
        if (series.points.empty())
            continue;
        const std::string name = escaped(series.player);
        const std::string style = "s" + std::to_string(i % colours);
        const size_t dash = (i / colours) % kDashCount;
        const std::string dashClass = dash > 0 ? " class=\"d" + std::to_string(dash) + "\"" : "";
        html += "<g class=\"" + style + "\"><title>" + name + "</title><polyline" + dashClass +
                " points=\"";
        std::string dots;
        for (size_t p = 0; p < series.points.size(); ++p) {
            const ChartPoint& point = series.points[p];
            const std::string px = coordinate(x(point.week));
            const std::string py = coordinate(y(point.percent));
            html += (p > 0 ? " " : "") + px + "," + py;
            dots += "<circle cx=\"" + px + "\" cy=\"" + py + "\" r=\"2.5\"><title>" + name +
                    ": week " + std::to_string(point.week) + ", " + shortest(point.percent) +
                    "%</title></circle>";
        }
        html += "\"/>" + dots + "</g>\n";
        legend += "<li><svg class=\"key " + style +
                  "\" viewBox=\"0 0 28 10\" aria-hidden=\"true\"><line" + dashClass +
                  " x1=\"1\" x2=\"27\" y1=\"5\" y2=\"5\" stroke-width=\"3\"/></svg>" + name +
                  "</li>\n";
    }
    html += "</svg>\n<figcaption id=\"chart-caption\" class=\"note\">% Overall, the share of "
            "right picks of every week so far, after each complete week.</figcaption>\n";
    html += legend + "</ul>\n</figure>\n";
}

} // namespace

PageTable pageTableOf(const std::string& caption, const GridModel& grid) {
    PageTable table{caption, {}, {}};
    for (int r = 0; r < grid.rows(); ++r) {
        std::vector<std::string> cells;
        for (int c = 0; c < grid.cols(); ++c)
            cells.push_back(grid.cell(r, c).text);
        if (r == 0)
            table.header = std::move(cells);
        else
            table.rows.push_back(std::move(cells));
    }
    return table;
}

const PageTheme& lightPageTheme() {
    return kLight;
}
const PageTheme& darkPageTheme() {
    return kDark;
}

std::string renderPoolPage(const PoolPageModel& model) {
    const std::string season = std::to_string(model.season) + " season";
    const std::string picksHeading =
        model.picks.week > 0 ? "Week " + std::to_string(model.picks.week) + " picks" : "Picks";
    std::string html = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                       "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                       "<title>Pool standings, " +
                       season + "</title>\n<style>\n" + styleSheet() +
                       "</style>\n</head>\n<body>\n<div class=\"page\">\n<header>\n"
                       "<h1>Pool standings, " +
                       season + "</h1>\n";
    if (!model.writtenAt.empty())
        html += "<p class=\"note\">Written " + escaped(model.writtenAt) + "</p>\n";
    html += "<nav aria-label=\"On this page\"><ul><li><a href=\"#standings-heading\">Standings</a>"
            "</li><li><a href=\"#winners-heading\">Weekly winners</a></li><li><a "
            "href=\"#picks-heading\">" +
            picksHeading +
            "</a></li><li><a href=\"#chart-heading\">% Overall</a></li></ul></nav>\n"
            "</header>\n<main>\n";

    openSection(html, "standings", "Standings");
    writeTable(html, "standings-table", model.standings, "No player is active.");
    html += "</section>\n";
    openSection(html, "winners", "Weekly winners");
    writeTable(html, "winners-table", model.winners, "No week is decided yet.");
    html += "</section>\n";
    openSection(html, "picks", picksHeading);
    writePicks(html, model.picks);
    html += "</section>\n";
    openSection(html, "chart", "% Overall by week");
    writeChart(html, model.chart);
    html += "</section>\n</main>\n<footer><p>Written by " + escaped(model.programName) + " " +
            escaped(model.version) + "</p></footer>\n</div>\n<script>\n";
    html += kSortScript;
    html += "</script>\n</body>\n</html>\n";
    return html;
}

} // namespace gs
