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
    testing::Values(ConversionCase{"Latin", "Zoë", "Zo\xEB", "Zo\xEB"},
                    ConversionCase{"EuroSign", "5€", "5\x80", "5\x80"},
                    ConversionCase{"QuestionMarkStays", "who?", "who?", "who?"},
                    ConversionCase{"Snowman", "a☃b", std::nullopt,
                                   "a\x1A"
                                   "b"},
                    ConversionCase{"Cyrillic", "Иван", std::nullopt, "\x1A\x1A\x1A\x1A"},
                    ConversionCase{"MalformedByte", "a\xFF", std::nullopt, "a\x1A"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Rollback, PutsChangedFilesBackAndLeavesAloneWhatTheChangeNeverReached) {
    test::TempDir dir;
    const fs::path kept = dir.path() / "kept.txt";
    const fs::path untouched = dir.path() / "untouched.txt";
    writeBytes(kept, "old");
    writeBytes(untouched, "old");
    const auto modified = fs::last_write_time(untouched);
    FileRollback changes;
    for (const char* name : {"kept.txt", "untouched.txt", "new.txt", "never.txt"})
        ASSERT_TRUE(changes.remember(dir.path() / name));
    ASSERT_TRUE(writeFileAtomic(kept, "changed"));
    ASSERT_TRUE(writeFileAtomic(dir.path() / "new.txt", "made"));
    // Remembering again keeps the first state.
    ASSERT_TRUE(changes.remember(kept));
    ASSERT_TRUE(changes.restore());
    EXPECT_EQ(readBytes(kept), "old");
    EXPECT_EQ(fs::last_write_time(untouched), modified);
    EXPECT_EQ(test::folderEntries(dir.path()),
              (std::vector<std::string>{"kept.txt", "untouched.txt"}));
}

} // namespace
} // namespace gs
