#include "settings/colors.h"

#include "tests/support/testsupport.h"

#include <cstdio>

namespace gs {
namespace {

// A colour as #RRGGBB, to compare and to read in assertion failures.
std::string hex(Rgb rgb) {
    char text[8];
    std::snprintf(text, sizeof text, "#%06X", rgb);
    return text;
}

// The slots a scheme paints with (set, background, button, text), the text
// and caption colours of its palette, and its caption: where a scheme's own
// colour does not read, another of its colours comes first, then black or
// white. Only the options 1..32 have a caption.
TEST(Schemes, PaintTheirColoursAndStandInsWhereTheyDoNotRead) {
    struct Case {
        int scheme;
        const char* shown;
    };
    const Case cases[] = {
        // Dallas: silver on navy reads as it is.
        {9, "set #000040 #C0C0C0 #C0C0C0 / #C0C0C0 #000000 Dallas Cowboys"},
        // Arizona: black on red does not read; the white of the buttons does.
        {1, "set #C00000 #FFFFFF #000000 / #FFFFFF #000000 Arizona Cardinals"},
        // Scheme 0 paints as Washington, the last of the table.
        {0, "set #C00000 #FFFF00 #FFFFFF / #FFFFFF #000000 "},
        {32, "set #C00000 #FFFF00 #FFFFFF / #FFFFFF #000000 Washington Redskins"},
        {31, "set #00C0C0 #FF0000 #000080 / #000080 #000000 Tennessee Titans"},
        // Jacksonville: olive on dark teal, and the button colour is olive too, so white.
        {15, "set #004040 #808000 #808000 / #FFFFFF #000000 Jacksonville Jaguars"},
        // Detroit: blue on silver reads; black on the blue button does not, nor
        // the blue text: the silver background does.
        {11, "set #C0C0C0 #0000FF #0000FF / #0000FF #C0C0C0 Detroit Lions"},
        // Miami: orange on teal does not read; black does; black on orange stays.
        {17, "set #00C0C0 #FF8000 #FF8000 / #000000 #000000 Miami Dolphins"},
        // Outside the table the slots are unset and paint black on black: the
        // text turns white.
        {33, "unset #000000 #000000 #000000 / #FFFFFF #FFFFFF "},
        {-1, "unset #000000 #000000 #000000 / #FFFFFF #FFFFFF "},
    };
    for (const Case& c : cases) {
        const ColorSlots slots = colorSlots(c.scheme);
        const SchemePalette p = schemePalette(slots);
        EXPECT_EQ(std::string(slots.set ? "set " : "unset ") + hex(slots.background) + " " +
                      hex(slots.button) + " " + hex(slots.text) + " / " + hex(p.text) + " " +
                      hex(p.buttonText) + " " + schemeCaption(c.scheme),
                  c.shown)
            << "scheme " << c.scheme;
    }
}

// Every scheme the windows can be painted with, 0..32 and one on either side
// of the table: each text reads on what it stands on (4.5:1, disabled text
// 3:1) and disabled text is visibly fainter; the grid's marks of won and lost
// picks read on its cells; and the scheme's own colours stay where they read.
TEST(SchemeContrast, EveryTextReadsOnWhatItStandsOn) {
    const double read = kReadableContrast;
    const double faint = kDisabledContrast;
    for (int scheme = -1; scheme <= kSchemeCount + 1; ++scheme) {
        const ColorSlots slots = colorSlots(scheme);
        const SchemePalette p = schemePalette(slots);
        struct Pair {
            const char* what;
            Rgb foreground;
            Rgb background;
            double minimum;
        };
        for (const Pair& pair :
             {Pair{"text", p.text, p.background, read},
              Pair{"caption", p.buttonText, p.button, read},
              Pair{"button colour as text", p.accent, p.background, read},
              Pair{"disabled text", p.disabledText, p.background, faint},
              Pair{"disabled caption", p.disabledButtonText, p.button, faint},
              Pair{"option ring", p.indicator, p.background, faint},
              Pair{"text beside disabled text", p.text, p.background,
                   1.3 * contrastRatio(p.disabledText, p.background)},
              Pair{"caption beside a disabled one", p.buttonText, p.button,
                   1.3 * contrastRatio(p.disabledButtonText, p.button)},
              Pair{"won", kGreen, kGridCell, read}, Pair{"won", kGreen, kFixedCell, read},
              Pair{"lost", kRed, kGridCell, read}, Pair{"lost", kRed, kFixedCell, read},
              Pair{"header", kBlack, kFixedCell, read}, Pair{"won cell", kBlack, kGreenCell, read},
              Pair{"lost cell", kBlack, kRedCell, read},
              Pair{"locked", kMutedText, kGridCell, read},
              Pair{"locked", kMutedText, kFixedCell, read}})
            EXPECT_GE(contrastRatio(pair.foreground, pair.background), pair.minimum)
                << "scheme " << scheme << ": " << pair.what << " " << hex(pair.foreground) << " on "
                << hex(pair.background);
        if (!slots.set)
            continue;
        EXPECT_EQ(hex(p.background) + hex(p.button), hex(slots.background) + hex(slots.button));
        EXPECT_TRUE(contrastRatio(slots.text, slots.background) < read || p.text == slots.text)
            << scheme << ": the scheme's text reads, yet " << hex(p.text) << " stands in";
        EXPECT_TRUE(contrastRatio(kBlack, slots.button) < read || p.buttonText == kBlack)
            << scheme << ": black reads on the button, yet " << hex(p.buttonText) << " stands in";
    }
}

// ann, in slot 3, paints with Dallas's scheme 9.
TEST(ColorSettingsWindow, AChoiceTakesEffectAtOnceAndCloseStoresIt) {
    test::PoolFixture program;
    Pool& pool = program.pool;
    pool.setCurrentUser("ann");
    test::editUser(pool, 3, [](UserSlot& ann) {
        ann.name = "ann";
        ann.colorScheme = 9;
    });
    pool.setColorScheme(9);
    ColorSettings settings{pool};
    settings.open();
    EXPECT_EQ(settings.selectedOption(), 9);
    for (int scheme : {0, 33, -1}) // outside the options: no choice
        settings.chooseScheme(scheme);
    EXPECT_EQ(settings.selectedOption(), 9);
    EXPECT_EQ(pool.colorScheme(), 9);
    settings.chooseScheme(12);
    EXPECT_EQ(settings.selectedOption(), 12);
    EXPECT_EQ(pool.colorScheme(), 12);
    EXPECT_EQ(pool.users()[3].colorScheme, 9); // not stored until Close
    settings.close();
    EXPECT_EQ(pool.users()[3].colorScheme, 12);

    pool.setColorScheme(0); // a scheme without an option selects none
    settings.open();
    EXPECT_EQ(settings.selectedOption(), 0);
}

} // namespace
} // namespace gs
