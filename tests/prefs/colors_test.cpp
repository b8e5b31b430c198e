#include "prefs/colors.h"

#include "core/state.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

namespace gs {
namespace {

struct SchemeCase {
    const char* name;
    int scheme;
    ColorSlots expected;
};

class Schemes : public testing::TestWithParam<SchemeCase> {};

TEST_P(Schemes, PaintTheirColours) {
    State = ProgramState{};
    State.CurrentColorScheme = GetParam().scheme;
    ApplyColorScheme();
    const ColorSlots& expected = GetParam().expected;
    EXPECT_EQ(State.Colors.set, expected.set);
    EXPECT_EQ(State.Colors.background, expected.background);
    EXPECT_EQ(State.Colors.button, expected.button);
    EXPECT_EQ(State.Colors.text, expected.text);
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

TEST(ColorSettings, ChoiceShowsAtOnceAndIsKeptOnClose) {
    test::ProgramFixture program;
    State.CurrentUser = "ann";
    State.UserTable[3].name = "ann";
    State.UserTable[3].colorScheme = 9;
    State.CurrentColorScheme = 9;
    int repaints = 0;
    setColorSchemeListener([&] { ++repaints; });

    ColorSettingsWindow window;
    window.Form_Load();
    EXPECT_EQ(window.selectedOption, 9);
    window.Option_Click(12);
    EXPECT_EQ(State.CurrentColorScheme, 12);
    EXPECT_EQ(State.Colors.background, 0x008000u);
    EXPECT_EQ(State.UserTable[3].colorScheme, 9); // not stored until Close
    window.Command2_Click();
    EXPECT_EQ(State.UserTable[3].colorScheme, 12);
    EXPECT_EQ(repaints, 2);
    setColorSchemeListener({});
}

TEST(ColorSettings, SchemeWithoutAnOptionSelectsNone) {
    State = ProgramState{};
    State.CurrentColorScheme = 0;
    ColorSettingsWindow window;
    window.Form_Load();
    EXPECT_EQ(window.selectedOption, 0);
    EXPECT_EQ(schemeCaption(1), "Arizona Cardinals");
    EXPECT_EQ(schemeCaption(19), "New York Giants");
    EXPECT_EQ(schemeCaption(0), "");
}

} // namespace
} // namespace gs
