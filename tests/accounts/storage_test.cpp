#include "core/codepage.h"
#include "core/filerollback.h"
#include "core/textfile.h"
#include "tests/support/testsupport.h"

#include <optional>

namespace gs {
namespace {

// A name or an argument is refused, or marked, where the code page lacks a
// character; a question mark is a character like any other.
TEST(CodePage, ExactlyRefusesAndMarkedMarksWhatTheCodePageLacks) {
    struct Case {
        const char* utf8;
        std::optional<std::string> exactly; // nothing: refused
        std::string marked;
    };
    for (const Case& c :
         {Case{"Zoë", "Zo\xEB", "Zo\xEB"}, Case{"who?", "who?", "who?"},
          Case{"a☃b", std::nullopt, "a\032b"}, Case{"Иван", std::nullopt, "\x1A\x1A\x1A\x1A"},
          Case{"a\xFF", std::nullopt, "a\x1A"}}) {
        EXPECT_EQ(utf8ToCp1252Exactly(c.utf8), c.exactly) << c.utf8;
        EXPECT_EQ(utf8ToCp1252Marked(c.utf8), c.marked) << c.utf8;
    }
}

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
