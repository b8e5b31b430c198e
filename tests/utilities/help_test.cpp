#include "utilities/help.h"

#include "core/version.h"
#include "tests/support/recordingopener.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

namespace gs {
namespace {

namespace fs = std::filesystem;

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
    fs::path manual = program.pool.folders.program / "GSLT_manual.pdf";

    size_t filesInProgramFolder() {
        return static_cast<size_t>(std::distance(
            fs::directory_iterator(program.pool.folders.program), fs::directory_iterator()));
    }
};

TEST_F(Help, TheManualIsMadeWhenMissingAndThenOpened) {
    help.openUserManual();
    EXPECT_EQ(renderer.renders, 1);
    EXPECT_EQ(test::readBytes(manual), "%PDF-1.4 manual");
    EXPECT_EQ(opener.opened, std::vector<std::string>{manual.string()});

    test::writeBytes(manual, "%PDF-1.4 edited by hand");
    help.openUserManual();
    EXPECT_EQ(renderer.renders, 1);
    EXPECT_EQ(test::readBytes(manual), "%PDF-1.4 edited by hand");
    EXPECT_EQ(opener.opened.size(), 2u);
    EXPECT_TRUE(program.dialogs.shown.empty());
}

TEST_F(Help, AFailedRenderingLeavesNoFileAndSaysWhy) {
    renderer.works = false;
    help.openUserManual();
    EXPECT_EQ(program.dialogs.messages(),
              std::vector<std::string>{"Error: The user manual could not be made. no fonts"});
    EXPECT_TRUE(opener.opened.empty());
    EXPECT_EQ(filesInProgramFolder(), 0u);
}

TEST_F(Help, PagesOpenThroughTheOpenerAndAFailureIsReported) {
    help.openScoresPage();
    help.openMakerPage();
    EXPECT_EQ(opener.opened, (std::vector<std::string>{kScoresPageAddress, kMakerPageAddress}));
    opener.works = false;
    help.openScoresPage();
    EXPECT_EQ(program.dialogs.messages(),
              std::vector<std::string>{"Error: No browser or viewer could be started to show " +
                                       std::string(kScoresPageAddress) + "."});
}

TEST_F(Help, WithoutAViewerTheManualSaysWhereItIs) {
    opener.works = false;
    help.openUserManual();
    EXPECT_EQ(program.dialogs.messages(),
              std::vector<std::string>{"Error: No PDF viewer could be started. The user manual "
                                       "is " +
                                       manualPath(program.pool.folders).string() +
                                       "; open it with any PDF viewer."});
    EXPECT_TRUE(std::filesystem::exists(manualPath(program.pool.folders)));
}

TEST(About, ShowsTheNameAndTheVersion) {
    AboutModel about = aboutModel();
    EXPECT_EQ(about.caption, "Gridslate");
    EXPECT_EQ(about.version, std::string("Version ") + kVersion);
}

} // namespace
} // namespace gs
