#pragma once

// The "Team Statistics" and "PC's Team Ranking List" pages (the latter with
// the teams' ratings beside PC's ranking), and the team detail box both of
// them show beside their team list or ranking grid.

#include "panelpage.h"
#include "results/teamviews.h"

#include <QGroupBox>
#include <functional>
#include <map>
#include <string>

class QLabel;
class QListWidget;

namespace gs {

class GridTableView;

// The detail box: record, opponents, division, picked count and the game
// box of one meeting or remaining game.
class TeamDetailBox : public QGroupBox {
    Q_OBJECT
public:
    // The box's own object name tells the two views' boxes apart.
    explicit TeamDetailBox(const QString& name, QWidget* parent = nullptr);
    void render(const TeamDetailModel& model);

    // A click on an entry of the beaten or lost-to list.
    std::function<void(OpponentList list, int index)> onOpponentClicked;
    // A click on an entry of the remaining list.
    std::function<void(int index)> onRemainingClicked;

private:
    QLabel* label(const char* name, const QString& accessibleName);
    QListWidget* list(const char* name, const QString& accessibleName);

    std::map<std::string, QLabel*> m_labels;
    QListWidget* m_beaten = nullptr;
    QListWidget* m_lostTo = nullptr;
    QListWidget* m_remaining = nullptr;
    QListWidget* m_division = nullptr;
    QGroupBox* m_gameBox = nullptr;
};

class TeamStatisticsPage : public PanelPage {
    Q_OBJECT
public:
    TeamStatisticsPage(Pool& pool, Dialogs& dialogs, Runner run, QWidget* parent = nullptr);

    void open() override;
    void render() override;
    const TeamStatisticsPanel& panel() const { return m_panel; }

private:
    TeamStatisticsPanel m_panel;
    QLabel* m_heading = nullptr;
    QLabel* m_hint = nullptr;
    QListWidget* m_teams = nullptr;
    TeamDetailBox* m_detail = nullptr;
};

class TeamRankingPage : public PanelPage {
    Q_OBJECT
public:
    TeamRankingPage(Pool& pool, Dialogs& dialogs, Runner run, QWidget* parent = nullptr);

    void open() override;
    void render() override;
    const TeamRankingPanel& panel() const { return m_panel; }

private:
    TeamRankingPanel m_panel;
    GridTableView* m_ranking = nullptr;
    QLabel* m_ratingsHeading = nullptr;
    GridTableView* m_ratings = nullptr;
    TeamDetailBox* m_detail = nullptr;
};

} // namespace gs
