#include "tests/ui/uitest.h"

#include "ui/scoreentrydialog.h"

#include <QLabel>
#include <QRadioButton>

namespace gs {
namespace {

using ScoreImportWindow = test::MainWindowTest;

template <typename T> T* child(QWidget* dialog, const char* name) {
    T* found = dialog->findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
}

// Week 9 of 2010, as a data set's games file lists it.
const std::string kWeek9 = "season,game_type,gameday,away_team,home_team,away_score,home_score\n"
                           "2010,REG,2010-11-07,TB,ATL,21,27\n"
                           "2010,REG,2010-11-07,MIA,BAL,10,26\n"
                           "2010,REG,2010-11-07,CHI,BUF,22,19\n"
                           "2010,REG,2010-11-07,NO,CAR,34,3\n"
                           "2010,REG,2010-11-07,NE,CLE,14,34\n"
                           "2010,REG,2010-11-07,NYJ,DET,23,20\n"
                           "2010,REG,2010-11-07,SD,HOU,29,23\n"
                           "2010,REG,2010-11-07,ARI,MIN,24,27\n"
                           "2010,REG,2010-11-07,NYG,SEA,41,7\n"
                           "2010,REG,2010-11-07,KC,OAK,20,23\n"
                           "2010,REG,2010-11-07,IND,PHI,24,26\n"
                           "2010,REG,2010-11-07,DAL,GB,7,45\n"
                           "2010,REG,2010-11-08,PIT,CIN,27,21\n";

// The same games as the table holds them once entered.
const std::string kWeek9Entered = "Tampa Bay Buccaneers|Atlanta Falcons|11/7/2010| 21| 27|2010\n"
                                  "Miami Dolphins|Baltimore Ravens|11/7/2010| 10| 26|2010\n"
                                  "Chicago Bears|Buffalo Bills|11/7/2010| 22| 19|2010\n"
                                  "New Orleans Saints|Carolina Panthers|11/7/2010| 34| 3|2010\n"
                                  "New England Patriots|Cleveland Browns|11/7/2010| 14| 34|2010\n"
                                  "N.Y. Jets|Detroit Lions|11/7/2010| 23| 20|2010\n"
                                  "San Diego Chargers|Houston Texans|11/7/2010| 29| 23|2010\n"
                                  "Arizona Cardinals|Minnesota Vikings|11/7/2010| 24| 27|2010\n"
                                  "N.Y. Giants|Seattle Seahawks|11/7/2010| 41| 7|2010\n"
                                  "Kansas City Chiefs|Oakland Raiders|11/7/2010| 20| 23|2010\n"
                                  "Indianapolis Colts|Philadelphia Eagles|11/7/2010| 24| 26|2010\n"
                                  "Dallas Cowboys|Green Bay Packers|11/7/2010| 7| 45|2010\n"
                                  "Pittsburgh Steelers|Cincinnati Bengals|11/8/2010| 27| 21|2010\n";

TEST_F(ScoreImportWindow, ButtonImportsTheChosenFileAndTheWindowShowsIt) {
    program.pool.setDayOverride("11/9/2010"); // week 9 has been played
    std::filesystem::path file = program.home.path() / "games.csv";
    test::writeBytes(file, kWeek9);
    loginAsAdmin();
    trigger("weeklyPicksAction");
    EXPECT_EQ(find<QLabel>("weekNumberLabel")->text(), "9");

    int asked = 0;
    bool opened = withModal("enterScoresAction", [&](QWidget* widget) {
        auto* dialog = qobject_cast<ScoreEntryDialog*>(widget);
        ASSERT_NE(dialog, nullptr);
        dialog->setFileChooser([&] {
            ++asked;
            return QString::fromStdString(file.string());
        });
        QPushButton* importButton = child<QPushButton>(dialog, "importScoresButton");
        auto* visitor = child<QLineEdit>(dialog, "visitorScoreEdit");
        auto* home = child<QLineEdit>(dialog, "homeScoreEdit");
        auto* visitorTeam = child<QLabel>(dialog, "visitorTeamLabel");
        EXPECT_EQ(importButton->text(), "Import Scores...");
        EXPECT_TRUE(importButton->isEnabled());
        QTest::mouseClick(child<QRadioButton>(dialog, "weekOption1"), Qt::LeftButton);
        QTest::mouseClick(child<QRadioButton>(dialog, "weekOption9"), Qt::LeftButton);
        EXPECT_EQ(visitorTeam->text(), "Tampa Bay Buccaneers");

        // The score being typed is kept before the file is checked: the
        // same score then counts as already there.
        visitor->setText("21");
        home->setText("27");
        QTest::mouseClick(importButton, Qt::LeftButton);
        EXPECT_EQ(asked, 1);
        EXPECT_EQ(program.dialogs.messages(),
                  std::vector<std::string>{"Import Scores: Entered the scores of 12 games; 1 game "
                                           "already held its scores. No rows were skipped."});
        EXPECT_EQ(program.dialogs.kinds, std::vector<MessageKind>{MessageKind::Information});
        EXPECT_EQ(visitor->text(), " 21");
        EXPECT_EQ(home->text(), " 27");

        // The next game shows the score the file gave it.
        QTest::mouseClick(child<QPushButton>(dialog, "nextGameButton"), Qt::LeftButton);
        EXPECT_EQ(visitorTeam->text(), "Miami Dolphins");
        EXPECT_EQ(visitor->text(), " 10");
        EXPECT_EQ(home->text(), " 26");
        QTest::mouseClick(child<QPushButton>(dialog, "closeButton"), Qt::LeftButton);
    });
    ASSERT_TRUE(opened);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    // The panels show the new scores when opened again: week 9 is over.
    trigger("weeklyPicksAction");
    EXPECT_EQ(find<QLabel>("weekNumberLabel")->text(), "10");
    std::vector<GameRecord> week9;
    for (const GameRecord& r : test::tableRecords(program.pool))
        if (r.date == "11/7/2010" || r.date == "11/8/2010")
            week9.push_back(r);
    EXPECT_EQ(test::dumpRecords(week9), kWeek9Entered);
}

TEST_F(ScoreImportWindow, ScheduleButtonImportsTheChosenFileBesideTheScoresButton) {
    std::filesystem::path file = program.home.path() / "schedule.csv";
    test::writeBytes(file, "season,game_type,week,gameday,gametime,away_team,home_team,"
                           "away_score,home_score\n"
                           "2016,REG,1,2016-09-08,20:30,CAR,DEN,20,21\n");
    loginAsAdmin();
    bool opened = withModal("enterScoresAction", [&](QWidget* widget) {
        auto* dialog = qobject_cast<ScoreEntryDialog*>(widget);
        ASSERT_NE(dialog, nullptr);
        dialog->setScheduleChooser([&] { return QString::fromStdString(file.string()); });
        QPushButton* button = child<QPushButton>(dialog, "importScheduleButton");
        EXPECT_EQ(button->text(), "Import Schedule...");
        EXPECT_EQ(button->accessibleName(), "Import a schedule from a file");
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(program.dialogs.kinds, std::vector<MessageKind>{MessageKind::Information});
        QTest::mouseClick(child<QPushButton>(dialog, "closeButton"), Qt::LeftButton);
    });
    ASSERT_TRUE(opened);
    std::vector<GameRecord> records = test::tableRecords(program.pool);
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.back(), (GameRecord{"Carolina Panthers", "Denver Broncos", "9/8/2016", "20",
                                          "21", "2016", 1}));
}

// Enter Scores opens where the work is, says which game it shows, and
// leaves alone what nobody typed.
TEST_F(ScoreImportWindow, EnterScoresOpensOnTheFirstOpenGameAndSaysWhichItIs) {
    program.pool.setDayOverride("11/9/2010"); // week 9 has been played, not yet scored
    loginAsAdmin();
    const std::vector<GameRecord> before = test::tableRecords(program.pool);
    bool opened = withModal("enterScoresAction", [&](QWidget* dialog) {
        EXPECT_EQ(child<QLabel>(dialog, "visitorTeamLabel")->text(), "Tampa Bay Buccaneers");
        EXPECT_EQ(child<QLabel>(dialog, "gameDateLabel")->text(), "Sunday, 11/7/2010");
        EXPECT_EQ(child<QLabel>(dialog, "gamePositionLabel")->text(), "Game 1 of 13, week 9");
        EXPECT_TRUE(child<QRadioButton>(dialog, "weekOption9")->isChecked());
        // Back through week 8's scored games without typing, then away.
        QTest::mouseClick(child<QRadioButton>(dialog, "weekOption8"), Qt::LeftButton);
        EXPECT_EQ(child<QLabel>(dialog, "gamePositionLabel")->text(), "Game 1 of 13, week 8");
        for (int i = 0; i < 3; ++i)
            QTest::mouseClick(child<QPushButton>(dialog, "nextGameButton"), Qt::LeftButton);
        EXPECT_EQ(child<QLabel>(dialog, "gamePositionLabel")->text(), "Game 4 of 13, week 8");
        QTest::mouseClick(child<QPushButton>(dialog, "closeButton"), Qt::LeftButton);
    });
    ASSERT_TRUE(opened);
    EXPECT_EQ(test::dumpRecords(test::tableRecords(program.pool)), test::dumpRecords(before));
    EXPECT_TRUE(program.dialogs.shown.empty());
}

} // namespace
} // namespace gs
