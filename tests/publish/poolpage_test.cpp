#include "publish/poolpage.h"

#include "core/codepage.h"
#include "settings/colors.h"
#include "tests/support/testsupport.h"

#include <cstdlib>
#include <optional>
#include <set>
#include <sstream>
#include <unistd.h>

namespace gs {
namespace {

namespace fs = std::filesystem;

// Two players whose names need escaping, one with a Windows-1252 letter; a
// decided and an undecided game; two weeks of the chart.
PoolPageModel smallModel() {
    const std::string ann = "Ann & <Bo>";
    const std::string zoe = "Zo\xEB's \"Z\"";
    PoolPageModel model;
    model.season = 2025;
    model.writtenAt = "11/2/2025 14:05";
    model.standings = {"All Active User Totals",
                       {"User", "Correct", "Picks", "% Correct"},
                       {{ann, "10", "16", "62.5"}, {zoe, "9", "16", "56.25"}}};
    model.winners = {"Winners of each decided week",
                     {"Week", "Winners", "Correct", "Guess", "Total"},
                     {{"1", ann + "; " + zoe, "10", "45; 38", "41"}}};
    model.picks = {
        2,
        {ann, zoe},
        {{"NYJ", "NE", true, "NE", {"NE", "NYJ"}}, {"DAL", "NYG", false, "", {"DAL", ""}}}};
    model.chart = {{ann, {{1, 62.5}, {2, 60}}}, {zoe, {{1, 56.25}}}};
    return model;
}

// The page names everybody escaped and in UTF-8, marks the picks of decided
// games, draws the chart to scale and asks for nothing outside itself.
TEST(PoolPage, WritesItsModelEscapedAndSelfContained) {
    const std::string page = renderPoolPage(smallModel());
    const std::string fragments[] = {
        "<html lang=\"en\">",
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">",
        "<title>Pool standings, 2025 season</title>",
        "<p class=\"note\">Written 11/2/2025 14:05</p>",
        "<caption>All Active User Totals</caption>\n<thead><tr><th scope=\"col\">User</th><th "
        "scope=\"col\" data-numbers class=\"num\">Correct</th>",
        "<tr><th scope=\"row\" class=\"name\">Ann &amp; &lt;Bo&gt;</th>"
        "<td class=\"num\">10</td><td class=\"num\">16</td><td class=\"num\">62.5</td></tr>",
        "<th scope=\"row\" class=\"name\">Zo\xC3\xAB&#39;s &quot;Z&quot;</th>",
        "<td>Ann &amp; &lt;Bo&gt;; Zo\xC3\xAB&#39;s &quot;Z&quot;</td>"
        "<td class=\"num\">10</td><td>45; 38</td>",
        "<tr><th scope=\"row\" class=\"game\">NYJ at NE</th>"
        "<td class=\"pick right\">NE</td><td class=\"pick wrong\">NYJ</td></tr>\n"
        "<tr><th scope=\"row\" class=\"game\">DAL at NYG</th>"
        "<td class=\"pick\">DAL</td><td class=\"pick\"></td></tr>",
        // 50% to 70% high, weeks 1 and 2 at either end.
        "<title>Ann &amp; &lt;Bo&gt;</title><polyline points=\"40.0,83.5 350.0,108.0\"/>",
        "<footer><p>Written by Gridslate " + std::string(kVersion) + "</p></footer>",
    };
    for (const std::string& fragment : fragments)
        EXPECT_NE(page.find(fragment), std::string::npos) << fragment;
    for (const char* outside : {"http:", "https:", "//", "url(", "src=", "@import", "<link"})
        EXPECT_EQ(page.find(outside), std::string::npos) << outside;
    for (size_t at = page.find("href="); at != std::string::npos; at = page.find("href=", at + 1))
        EXPECT_EQ(page.substr(at, 7), "href=\"#");

    const std::string empty = renderPoolPage({});
    for (const char* note : {"No player is active.", "No week is decided yet.",
                             "No game has kicked off yet.", "No week is complete yet."})
        EXPECT_NE(empty.find(note), std::string::npos) << note;
}

// Every text colour reads on both backgrounds of each theme, and every chart
// line stands out from the page.
TEST(PoolPage, ThemesReadAtWcagContrast) {
    for (const PageTheme* theme : {&lightPageTheme(), &darkPageTheme()}) {
        for (Rgb background : {theme->page, theme->raised})
            for (Rgb text : {theme->text, theme->muted, theme->accent, theme->right})
                EXPECT_GE(contrastRatio(text, background), kReadableContrast)
                    << std::hex << text << " on " << background;
        for (Rgb line : theme->lines)
            EXPECT_GE(contrastRatio(line, theme->page), 3.0) << std::hex << line;
    }
}

// The browser's side: headless Chromium, as Debian installs it.
std::optional<fs::path> chromium() {
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin";
    for (size_t start = 0; start <= dirs.size();) {
        const size_t end = std::min(dirs.find(':', start), dirs.size());
        const fs::path candidate = fs::path(dirs.substr(start, end - start)) / "chromium";
        if (!candidate.parent_path().empty() && ::access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    return std::nullopt;
}

// The DOM of a page after its script ran, from one run of Chromium with a
// fresh profile. Chromium is kept off the network: the page is a file, and
// its background services are off.
std::string dumpDom(const fs::path& browser, const fs::path& dir, const fs::path& page,
                    const std::string& flags = {}) {
    static int runs = 0;
    const std::string run = std::to_string(++runs);
    const fs::path dom = dir / ("dom" + run + ".html");
    const fs::path log = dir / ("chromium" + run + ".log");
    const std::string command =
        "timeout 60 '" + browser.string() + "' --headless --disable-gpu --no-first-run " +
        "--disable-background-networking --disable-component-update --disable-sync " +
        (::geteuid() == 0 ? "--no-sandbox " : "") + "--user-data-dir='" +
        (dir / ("profile" + run)).string() + "' " + flags + " --dump-dom 'file://" + page.string() +
        "' > '" + dom.string() + "' 2> '" + log.string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command << "\n" << test::readBytes(log);
    return test::readBytes(dom);
}

// The text of an element of serialized HTML: its tags dropped and the
// entities a serializer writes in text read back.
std::string textOf(std::string html) {
    std::string text;
    for (size_t i = 0; i < html.size(); ++i) {
        if (html[i] == '<')
            i = html.find('>', i);
        else
            text += html[i];
    }
    for (auto [entity, character] : {std::pair{"&lt;", "<"},
                                     {"&gt;", ">"},
                                     {"&quot;", "\""},
                                     {"&#39;", "'"},
                                     {"&nbsp;", "\xC2\xA0"},
                                     {"&amp;", "&"}})
        for (size_t at = text.find(entity); at != std::string::npos; at = text.find(entity, at + 1))
            text.replace(at, std::string_view(entity).size(), character);
    return text;
}

// A table's rows, header first, as the browser has them.
std::vector<std::vector<std::string>> tableRows(const std::string& dom, const std::string& id) {
    std::vector<std::vector<std::string>> rows;
    const size_t start = dom.find("id=\"" + id + "\"");
    const size_t end = dom.find("</table>", start);
    if (start == std::string::npos || end == std::string::npos)
        return rows;
    for (size_t tr = dom.find("<tr", start); tr < end; tr = dom.find("<tr", tr + 1)) {
        const size_t trEnd = dom.find("</tr>", tr);
        rows.emplace_back();
        for (size_t cell = dom.find("<t", tr + 3); cell < trEnd; cell = dom.find("<t", cell + 1)) {
            const size_t open = dom.find('>', cell) + 1;
            const size_t close = dom.find(dom[cell + 2] == 'h' ? "</th>" : "</td>", open);
            rows.back().push_back(textOf(dom.substr(open, close - open)));
            cell = close;
        }
    }
    return rows;
}

// The small model with as many players and games as a pool has, and a season
// of weeks: the picks table is far wider than a phone.
PoolPageModel fullModel() {
    PoolPageModel model = smallModel();
    for (int p = 3; p <= 14; ++p) {
        const std::string name = "Player number " + std::to_string(p);
        model.standings.rows.push_back({name, std::to_string(20 - p), "16", "50"});
        model.picks.players.push_back(name);
        for (LockedGame& game : model.picks.games)
            game.picks.push_back(p % 2 ? game.home : game.visitor);
        ChartSeries series{name, {}};
        for (int week = 1; week <= 17; ++week)
            series.points.push_back({week, 40.0 + (p * 7 + week * 3) % 35});
        model.chart.push_back(series);
    }
    return model;
}

TEST(PoolPageInChromium, ShowsTheStandingsAndFitsAPhoneWithoutAsking) {
    const std::optional<fs::path> browser = chromium();
    if (!browser)
        GTEST_SKIP() << "no chromium on PATH: install Debian's chromium package to test the "
                        "pool's page in a browser";
    test::TempDir dir;
    const PoolPageModel model = fullModel();
    test::writeBytes(dir.path() / "index.html", renderPoolPage(model));

    const std::string dom = dumpDom(*browser, dir.path(), dir.path() / "index.html");
    std::vector<std::vector<std::string>> expected{model.standings.header};
    for (const std::vector<std::string>& row : model.standings.rows) {
        expected.emplace_back();
        for (const std::string& cell : row)
            expected.back().push_back(cp1252ToUtf8(cell));
    }
    EXPECT_EQ(tableRows(dom, "standings-table"), expected);
    // The sorting script ran: the captions became buttons.
    EXPECT_NE(dom.find("<th scope=\"col\"><button type=\"button\">User</button></th>"),
              std::string::npos);

    // Headless Chromium lays no window out narrower than 500 px, so frames
    // give the page a phone's width and a desktop's; each frame tells its
    // page's width, the width it shows, and how many requests the page made
    // over the network (a file the page named would be caught in its text).
    test::writeBytes(dir.path() / "harness.html", R"(<!DOCTYPE html>
<html><body>
<iframe id="phone" src="index.html" style="width:360px;height:800px;border:0"></iframe>
<iframe id="desktop" src="index.html" style="width:1280px;height:800px;border:0"></iframe>
<pre id="widths"></pre>
<script>
document.querySelectorAll("iframe").forEach(function (f) {
  f.addEventListener("load", function () {
    var page = f.contentDocument.documentElement;
    var fetched = f.contentWindow.performance.getEntriesByType("resource").length;
    document.getElementById("widths").textContent +=
      f.id + " " + page.scrollWidth + " " + page.clientWidth + " " + fetched + "\n";
  });
});
</script>
</body></html>
)");
    const std::string harness =
        dumpDom(*browser, dir.path(), dir.path() / "harness.html",
                "--allow-file-access-from-files --virtual-time-budget=5000");
    const size_t start = harness.find("<pre id=\"widths\">");
    ASSERT_NE(start, std::string::npos) << harness;
    const size_t end = harness.find("</pre>", start);
    std::istringstream widths(harness.substr(start + 17, end - start - 17));
    std::set<std::string> seen;
    std::string frame;
    int scrollWidth = 0;
    int clientWidth = 0;
    int fetched = 0;
    while (widths >> frame >> scrollWidth >> clientWidth >> fetched) {
        seen.insert(frame);
        EXPECT_LE(scrollWidth, clientWidth) << frame << " scrolls sideways";
        EXPECT_GT(clientWidth, 300) << frame;
        EXPECT_EQ(fetched, 0) << frame << " made requests";
    }
    EXPECT_EQ(seen, (std::set<std::string>{"desktop", "phone"})) << harness;
}

} // namespace
} // namespace gs
