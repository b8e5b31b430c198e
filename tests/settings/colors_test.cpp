#include "settings/colors.h"

#include "tests/support/testsupport.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <ostream>

namespace gs {
namespace {

struct SchemeCase {
    const char* name;
    int scheme;
    ColorSlots expected;
};

void PrintTo(const SchemeCase& c, std::ostream* os) {
    *os << c.name << " (scheme " << c.scheme << ")";
}

class Schemes : public testing::TestWithParam<SchemeCase> {};

TEST_P(Schemes, PaintTheirColours) {
    const ColorSlots colors = colorSlots(GetParam().scheme);
    const ColorSlots& expected = GetParam().expected;
    EXPECT_EQ(colors.set, expected.set);
    EXPECT_EQ(colors.background, expected.background);
    EXPECT_EQ(colors.button, expected.button);
    EXPECT_EQ(colors.text, expected.text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Schemes,
    testing::Values(SchemeCase{"Dallas", 9, {true, 0x000040, 0xC0C0C0, 0xC0C0C0}},
                    SchemeCase{"Zero", 0, {true, 0xC00000, 0xFFFF00, 0xFFFFFF}},
                    SchemeCase{"Washington", 32, {true, 0xC00000, 0xFFFF00, 0xFFFFFF}},
                    SchemeCase{"Tennessee", 31, {true, 0x00C0C0, 0xFF0000, 0x000080}},
                    SchemeCase{"AboveTheTable", 33, {false, 0, 0, 0}},
                    SchemeCase{"Negative", -1, {false, 0, 0, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

// A colour as #RRGGBB in assertion failures.
std::string hex(Rgb rgb) {
    char text[8];
    std::snprintf(text, sizeof text, "#%06X", rgb);
    return text;
}

struct ColourPair {
    const char* what;
    Rgb foreground;
    Rgb background;
    double minimum;
};

// What the windows paint with a scheme, each text on what it stands on.
std::vector<ColourPair> paintedPairs(const SchemePalette& p) {
    return {
        {"label and option text on the background", p.text, p.background, kReadableContrast},
        {"button caption on the button", p.buttonText, p.button, kReadableContrast},
        {"button colour as text on the background", p.accent, p.background, kReadableContrast},
        {"disabled label on the background", p.disabledText, p.background, kDisabledContrast},
        {"disabled button caption", p.disabledButtonText, p.button, kDisabledContrast},
        {"option ring on the background", p.indicator, p.background, kDisabledContrast},
    };
}

// Every scheme the windows can be painted with: 0..32 and one outside the table.
std::vector<int> everyScheme() {
    std::vector<int> schemes;
    for (int scheme = -1; scheme <= kSchemeCount; ++scheme)
        schemes.push_back(scheme);
    return schemes;
}

TEST(SchemeContrast, EveryTextReadsOnWhatItStandsOn) {
    for (int scheme : everyScheme()) {
        const SchemePalette p = schemePalette(colorSlots(scheme));
        for (const ColourPair& pair : paintedPairs(p))
            EXPECT_GE(contrastRatio(pair.foreground, pair.background), pair.minimum)
                << "scheme " << scheme << ": " << pair.what << " " << hex(pair.foreground) << " on "
                << hex(pair.background);
    }
}

TEST(SchemeContrast, DisabledTextIsVisiblyFainter) {
    for (int scheme : everyScheme()) {
        const SchemePalette p = schemePalette(colorSlots(scheme));
        EXPECT_GE(contrastRatio(p.text, p.background),
                  1.3 * contrastRatio(p.disabledText, p.background))
            << "scheme " << scheme << ": " << hex(p.text) << " and " << hex(p.disabledText);
        EXPECT_GE(contrastRatio(p.buttonText, p.button),
                  1.3 * contrastRatio(p.disabledButtonText, p.button))
            << "scheme " << scheme << ": " << hex(p.buttonText) << " and "
            << hex(p.disabledButtonText);
    }
}

TEST(SchemeContrast, KeepsTheSchemesOwnColoursWhereTheyRead) {
    for (int scheme = 0; scheme <= kSchemeCount; ++scheme) {
        const ColorSlots slots = colorSlots(scheme);
        const SchemePalette p = schemePalette(slots);
        EXPECT_EQ(p.background, slots.background) << scheme;
        EXPECT_EQ(p.button, slots.button) << scheme;
        if (contrastRatio(slots.text, slots.background) >= kReadableContrast) {
            EXPECT_EQ(p.text, slots.text) << scheme;
        }
        if (contrastRatio(kBlack, slots.button) >= kReadableContrast) {
            EXPECT_EQ(p.buttonText, kBlack) << scheme;
        }
    }
}

struct StandInCase {
    const char* name;
    int scheme;
    Rgb text;
    Rgb buttonText;
};

void PrintTo(const StandInCase& c, std::ostream* os) {
    *os << c.name;
}

class SchemeStandIns : public testing::TestWithParam<StandInCase> {};

// Where a scheme's colour does not read, another of its colours comes
// first, then black or white.
TEST_P(SchemeStandIns, TakeTheSchemesOwnColourFirst) {
    const SchemePalette p = schemePalette(colorSlots(GetParam().scheme));
    EXPECT_EQ(hex(p.text), hex(GetParam().text));
    EXPECT_EQ(hex(p.buttonText), hex(GetParam().buttonText));
}

INSTANTIATE_TEST_SUITE_P(Schemes, SchemeStandIns,
                         testing::Values(
                             // Olive on dark teal: the button colour is olive too, so white.
                             StandInCase{"Jacksonville", 15, 0xFFFFFF, 0x000000},
                             // Blue on silver reads; black on the blue button does not, nor the
                             // blue text: the silver background does.
                             StandInCase{"Detroit", 11, 0x0000FF, 0xC0C0C0},
                             // Orange on teal does not read; black does; black on orange stays.
                             StandInCase{"Miami", 17, 0x000000, 0x000000},
                             // Dallas's silver on navy reads as it is.
                             StandInCase{"Dallas", 9, 0xC0C0C0, 0x000000},
                             // Unset slots paint black on black: the text turns white.
                             StandInCase{"AboveTheTable", 33, 0xFFFFFF, 0xFFFFFF}),
                         [](const auto& info) { return std::string(info.param.name); });

// The grid's cells and the marks of won and lost picks on them.
TEST(GridContrast, ResultMarksReadOnTheCells) {
    const std::vector<ColourPair> pairs = {
        {"winning pick on a cell", kGreen, kGridCell, kReadableContrast},
        {"winning pick on a header cell", kGreen, kFixedCell, kReadableContrast},
        {"losing pick on a cell", kRed, kGridCell, kReadableContrast},
        {"losing pick on a header cell", kRed, kFixedCell, kReadableContrast},
        {"text on a header cell", kBlack, kFixedCell, kReadableContrast},
        {"text on a won pick's cell", kBlack, kGreenCell, kReadableContrast},
        {"text on a lost pick's cell", kBlack, kRedCell, kReadableContrast},
    };
    for (const ColourPair& pair : pairs)
        EXPECT_GE(contrastRatio(pair.foreground, pair.background), pair.minimum)
            << pair.what << " " << hex(pair.foreground) << " on " << hex(pair.background);
}

TEST(ContrastRatio, MeasuresAsTheGuidelinesDo) {
    EXPECT_NEAR(contrastRatio(kBlack, kWhite), 21.0, 1e-9);
    EXPECT_NEAR(contrastRatio(kWhite, kWhite), 1.0, 1e-9);
    // The marks that did not read before.
    EXPECT_LT(contrastRatio(0x00C000, kWhite), kReadableContrast);
    EXPECT_LT(contrastRatio(0xFF0000, kWhite), kReadableContrast);
}

// ann, in slot 3, paints with Dallas's scheme 9.
class ColorSettingsWindow : public testing::Test {
protected:
    ColorSettingsWindow() {
        pool.setCurrentUser("ann");
        test::editUser(pool, 3, [](UserSlot& ann) {
            ann.name = "ann";
            ann.colorScheme = 9;
        });
        pool.setColorScheme(9);
    }

    test::PoolFixture program;
    Pool& pool = program.pool;
    ColorSettings settings{program.pool};
};

TEST_F(ColorSettingsWindow, OpensOnTheSchemeInForce) {
    settings.open();
    EXPECT_TRUE(settings.isOpen());
    EXPECT_EQ(settings.selectedOption(), 9);
}

TEST_F(ColorSettingsWindow, AChoiceTakesEffectAtOnce) {
    settings.open();
    settings.chooseScheme(12);
    EXPECT_EQ(settings.selectedOption(), 12);
    EXPECT_EQ(pool.colorScheme(), 12);
    EXPECT_EQ(colorSlots(pool.colorScheme()).background, 0x008000u);
    EXPECT_EQ(pool.users()[3].colorScheme, 9); // not stored until Close
}

TEST_F(ColorSettingsWindow, CloseStoresTheChoiceWithTheUser) {
    settings.open();
    settings.chooseScheme(12);
    settings.close();
    EXPECT_FALSE(settings.isOpen());
    EXPECT_EQ(pool.users()[3].colorScheme, 12);
}

TEST_F(ColorSettingsWindow, SchemesOutsideTheOptionsCannotBeChosen) {
    settings.open();
    for (int scheme : {0, 33, -1}) {
        settings.chooseScheme(scheme);
        EXPECT_EQ(settings.selectedOption(), 9) << scheme;
        EXPECT_EQ(pool.colorScheme(), 9) << scheme;
    }
}

TEST_F(ColorSettingsWindow, SchemeWithoutAnOptionSelectsNone) {
    pool.setColorScheme(0);
    settings.open();
    EXPECT_EQ(settings.selectedOption(), 0);
}

TEST(SchemeCaptions, OnlyTheOptionsOneToThirtyTwoHaveOne) {
    EXPECT_EQ(schemeCaption(1), "Arizona Cardinals");
    EXPECT_EQ(schemeCaption(19), "New York Giants");
    EXPECT_EQ(schemeCaption(32), "Washington Redskins");
    EXPECT_EQ(schemeCaption(0), "");
    EXPECT_EQ(schemeCaption(33), "");
}

} // namespace
} // namespace gs
