#include "utilities/help.h"

#include "tests/support/recordingopener.h"
#include "tests/support/testsupport.h"

namespace gs {
namespace {

using test::RecordingOpener;

class FakeRenderer : public ManualRenderer {
public:
    Status render(const fs::path& pdf) override {
        ++renders;
        if (!works)
            return failure(ErrorKind::Unwritable, "no fonts");
        test::writeBytes(pdf, "%PDF-1.4 manual");
        return {};
    }
    int renders = 0;
    bool works = true;
};

class Help : public testing::Test {
protected:
    test::PoolFixture program;
    RecordingOpener opener;
    FakeRenderer renderer;
    HelpCommands help{program.pool, program.dialogs, opener, renderer};
    fs::path manual = program.pool.folders().program / "GSLT_manual.pdf";
};

// A failed rendering leaves no file and says why; the manual is made when
// missing, then opened, and a manual on file is opened as it is.
TEST_F(Help, TheManualIsMadeWhenMissingAndThenOpened) {
    renderer.works = false;
    help.openUserManual();
    EXPECT_EQ(program.dialogs.messages(),
              std::vector<std::string>{"Error: The user manual could not be made. no fonts"});
    EXPECT_TRUE(test::folderEntries(program.pool.folders().program).empty());
    EXPECT_TRUE(opener.opened.empty());

    renderer.works = true;
    help.openUserManual();
    EXPECT_EQ(test::readBytes(manual), "%PDF-1.4 manual");
    test::writeBytes(manual, "%PDF-1.4 edited by hand");
    help.openUserManual();
    EXPECT_EQ(renderer.renders, 2);
    EXPECT_EQ(test::readBytes(manual), "%PDF-1.4 edited by hand");
    EXPECT_EQ(opener.opened, std::vector<std::string>(2, manual.string()));
}

TEST_F(Help, AFailedOpeningIsReported) {
    opener.works = false;
    help.openScoresPage();
    // Without a viewer the manual is still made, and the message says where.
    help.openUserManual();
    EXPECT_EQ(
        program.dialogs.messages(),
        (std::vector<std::string>{"Error: No browser or viewer could be started to show " +
                                      std::string(kScoresPageAddress) + ".",
                                  "Error: No PDF viewer could be started. The user manual is " +
                                      manual.string() + "; open it with any PDF viewer."}));
    EXPECT_TRUE(fs::exists(manual));
}

} // namespace
} // namespace gs
