#include "tests/ui/uitest.h"

#include "core/poolsettings.h"
#include "core/userlist.h"
#include "ui/gamesupdatedialog.h"

#include <QLabel>
#include <QProgressBar>

namespace gs {
namespace {

using GamesUpdateWindowTest = test::MainWindowTest;

template <typename T> T* child(QWidget* dialog, const char* name) {
    T* found = dialog->findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
}

TEST_F(GamesUpdateWindowTest, FileAddressFillsTheSeasonsShowingItsBytesAndASummary) {
    std::string file = test::communityCsv().string();
    test::writeBytes(poolSettingsPath(program.pool.folders()), "gamesUrl=file://" + file + "\r\n");
    loginAsAdmin();
    bool opened = withModal("updateGamesAction", [&](QWidget* widget) {
        ASSERT_NE(qobject_cast<GamesUpdateDialog*>(widget), nullptr);
        auto* close = child<QPushButton>(widget, "closeUpdateButton");
        auto* bar = child<QProgressBar>(widget, "gamesUpdateProgressBar");
        EXPECT_EQ(child<QLabel>(widget, "gamesFileAddressLabel")->text(),
                  QString::fromStdString("From file://" + file));
        QTRY_VERIFY_WITH_TIMEOUT(close->isEnabled(), 30000);
        EXPECT_FALSE(child<QPushButton>(widget, "cancelUpdateButton")->isEnabled());
        EXPECT_EQ(bar->maximum(), static_cast<int>(test::readBytes(file).size()));
        EXPECT_EQ(bar->value(), bar->maximum());
        EXPECT_EQ(child<QLabel>(widget, "updateStatusLabel")->text(),
                  "The games table was updated.");
        QTest::mouseClick(close, Qt::LeftButton);
    });
    ASSERT_TRUE(opened);
    ASSERT_EQ(program.dialogs.messages().size(), 1u);
    EXPECT_TRUE(program.dialogs.messages()[0].starts_with(
        "Update Schedule and Scores: Updated seasons 2016 to 2021 (1552 games)"))
        << program.dialogs.messages()[0];
    EXPECT_EQ(test::tableRecords(program.pool).size(), 1792u + 1552u);
}

TEST_F(GamesUpdateWindowTest, IsForAdministratorsOnly) {
    loginAsAdmin();
    const std::string folder = program.pool.programFolderText();
    test::writeBytes(userListPath(program.pool.folders()),
                     test::crlf({"2010", "admin,1,9,1,,0," + folder, "ann,1,5,0,,0," + folder}));
    trigger("logoutAction");
    login("ann");
    program.dialogs.clear();
    bool opened = withModal("updateGamesAction", [](QWidget*) {});
    EXPECT_FALSE(opened);
    EXPECT_EQ(program.dialogs.messages(),
              std::vector<std::string>{"Error: You do not have administrator control"});
}

} // namespace
} // namespace gs
