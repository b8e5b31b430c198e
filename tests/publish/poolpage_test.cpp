#include "publish/poolpage.h"

#include "core/codepage.h"
#include "settings/colors.h"
#include "tests/support/chromium.h"
#include "tests/support/testsupport.h"

namespace gs {
namespace {

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

// The page at a phone's width and a desktop's: it fits both, asks for
// nothing, sorts, and shows the standings as the model has them.
TEST(PoolPageInChromium, ShowsTheStandingsAndFitsAPhoneWithoutAsking) {
    if (const std::string missing = test::chromiumMissing(); !missing.empty())
        GTEST_SKIP() << missing;
    test::TempDir dir;
    const PoolPageModel model = fullModel();
    test::writeBytes(dir.path() / "index.html", renderPoolPage(model));
    const std::string dom = test::framedPageDom(dir.path());

    std::string rows;
    for (const std::vector<std::string>& row : model.standings.rows) {
        rows += "\n";
        for (size_t c = 0; c < row.size(); ++c)
            rows += (c > 0 ? "\t" : "") + cp1252ToUtf8(row[c]);
    }
    EXPECT_EQ(test::harnessSays(dom, "standings"), "User\tCorrect\tPicks\t% Correct" + rows);
    EXPECT_EQ(test::harnessSays(dom, "phone-says"), "fits, requests 0, buttons 4");
    EXPECT_EQ(test::harnessSays(dom, "desktop-says"), "fits, requests 0, buttons 4");
}

} // namespace
} // namespace gs
