#include "prefs/colors.h"

#include "tests/support/testsupport.h"

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

// ann, in slot 3, paints with Dallas's scheme 9.
class ColorSettingsWindow : public testing::Test {
protected:
    ColorSettingsWindow() {
        pool.currentUser = "ann";
        pool.users[3].name = "ann";
        pool.users[3].colorScheme = 9;
        pool.colorScheme = 9;
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
    EXPECT_EQ(pool.colorScheme, 12);
    EXPECT_EQ(colorSlots(pool.colorScheme).background, 0x008000u);
    EXPECT_EQ(pool.users[3].colorScheme, 9); // not stored until Close
}

TEST_F(ColorSettingsWindow, CloseStoresTheChoiceWithTheUser) {
    settings.open();
    settings.chooseScheme(12);
    settings.close();
    EXPECT_FALSE(settings.isOpen());
    EXPECT_EQ(pool.users[3].colorScheme, 12);
}

TEST_F(ColorSettingsWindow, SchemesOutsideTheOptionsCannotBeChosen) {
    settings.open();
    for (int scheme : {0, 33, -1}) {
        settings.chooseScheme(scheme);
        EXPECT_EQ(settings.selectedOption(), 9) << scheme;
        EXPECT_EQ(pool.colorScheme, 9) << scheme;
    }
}

TEST_F(ColorSettingsWindow, SchemeWithoutAnOptionSelectsNone) {
    pool.colorScheme = 0;
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
