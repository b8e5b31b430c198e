#include "core/codepage.h"
#include "core/filerollback.h"
#include "core/textfile.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>
#include <optional>

namespace gs {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::writeBytes;

struct ConversionCase {
    const char* name;
    std::string utf8;
    std::optional<std::string> exactly; // nothing: refused
    std::string marked;
};

void PrintTo(const ConversionCase& c, std::ostream* out) {
    *out << c.name;
}

class Conversion : public testing::TestWithParam<ConversionCase> {};

TEST_P(Conversion, RefusesOrMarksWhatTheCodePageLacks) {
    EXPECT_EQ(utf8ToCp1252Exactly(GetParam().utf8), GetParam().exactly);
    EXPECT_EQ(utf8ToCp1252Marked(GetParam().utf8), GetParam().marked);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Conversion,
    testing::Values(ConversionCase{"Ascii", "ann", "ann", "ann"},
                    ConversionCase{"Latin", "Zoë", "Zo\xEB", "Zo\xEB"},
                    ConversionCase{"EuroSign", "5€", "5\x80", "5\x80"},
                    ConversionCase{"QuestionMarkStays", "who?", "who?", "who?"},
                    ConversionCase{"Snowman", "a☃b", std::nullopt,
                                   "a\x1A"
                                   "b"},
                    ConversionCase{"Cyrillic", "Иван", std::nullopt, "\x1A\x1A\x1A\x1A"},
                    ConversionCase{"MalformedByte", "a\xFF", std::nullopt, "a\x1A"}),
    [](const auto& info) { return std::string(info.param.name); });

class Rollback : public testing::Test {
protected:
    test::TempDir dir;
    fs::path file(const char* name) const { return dir.path() / name; }
};

TEST_F(Rollback, PutsChangedFilesBackAndRemovesNewOnes) {
    writeBytes(file("kept.txt"), "old");
    FileRollback changes;
    ASSERT_TRUE(changes.remember(file("kept.txt")));
    ASSERT_TRUE(changes.remember(file("new.txt")));
    ASSERT_TRUE(writeFileAtomic(file("kept.txt"), "changed"));
    ASSERT_TRUE(writeFileAtomic(file("new.txt"), "made"));
    // Remembering again keeps the first state.
    ASSERT_TRUE(changes.remember(file("kept.txt")));
    ASSERT_TRUE(changes.restore());
    EXPECT_EQ(readBytes(file("kept.txt")), "old");
    EXPECT_FALSE(fs::exists(file("new.txt")));
}

TEST_F(Rollback, LeavesAloneWhatTheChangeNeverReached) {
    writeBytes(file("kept.txt"), "old");
    FileRollback changes;
    ASSERT_TRUE(changes.remember(file("kept.txt")));
    ASSERT_TRUE(changes.remember(file("never.txt")));
    const auto modified = fs::last_write_time(file("kept.txt"));
    ASSERT_TRUE(changes.restore());
    EXPECT_EQ(fs::last_write_time(file("kept.txt")), modified);
    EXPECT_FALSE(fs::exists(file("never.txt")));
}

} // namespace
} // namespace gs
