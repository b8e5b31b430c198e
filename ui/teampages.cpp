#include "teampages.h"

#include "controls.h"
#include "gridtableview.h"
#include "modelwidgets.h"
#include "textconv.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace gs {

namespace {

// A click or a keyboard move onto an entry.
void onEntryChosen(QListWidget* widget, QObject* context, std::function<void(int)> chosen) {
    QObject::connect(widget, &QListWidget::currentRowChanged, context, [chosen](int row) {
        if (row >= 0 && chosen)
            chosen(row);
    });
}

// The detail box's clicks go to the panel through the page's runner.
void connectDetail(TeamDetailBox* box, TeamDetailPanel& panel, const PanelPage::Runner& run) {
    box->onOpponentClicked = [&panel, run](OpponentList list, int index) {
        run([&panel, list, index] { panel.showMeetings(list, index); });
    };
    box->onRemainingClicked = [&panel, run](int index) {
        run([&panel, index] { panel.showRemainingGame(index); });
    };
}

} // namespace

QLabel* TeamDetailBox::label(const char* name, const QString& accessibleName) {
    auto* widget = named(new QLabel, name, accessibleName, PaintRole::Text);
    m_labels[name] = widget;
    return widget;
}

QListWidget* TeamDetailBox::list(const char* name, const QString& accessibleName) {
    auto* widget = named(new QListWidget, name, accessibleName);
    widget->setMinimumWidth(170);
    return widget;
}

TeamDetailBox::TeamDetailBox(const QString& name, QWidget* parent) : QGroupBox(parent) {
    named(this, name, "Team detail", PaintRole::Text);
    auto* layout = new QVBoxLayout(this);

    auto* record = new QGridLayout;
    record->setHorizontalSpacing(18);
    const std::pair<const char*, const char*> figures[] = {
        {"winsHeading", "wins"},
        {"lossesHeading", "losses"},
        {"tiesHeading", "ties"},
        {"pointsForHeading", "pointsFor"},
        {"pointsAgainstHeading", "pointsAgainst"},
    };
    const char* spoken[] = {"Wins", "Losses", "Ties", "Points for", "Points against"};
    for (int i = 0; i < 5; ++i) {
        QLabel* heading = label(figures[i].first, spoken[i]);
        QLabel* value = label(figures[i].second, QString(spoken[i]) + " value");
        heading->setAlignment(Qt::AlignCenter);
        value->setAlignment(Qt::AlignCenter);
        QFont bold = value->font();
        bold.setBold(true);
        value->setFont(bold);
        record->addWidget(heading, 0, i);
        record->addWidget(value, 1, i);
    }
    record->setColumnStretch(5, 1);
    layout->addLayout(record);

    auto* lists = new QGridLayout;
    m_beaten = list("beatenList", "Teams Beaten");
    m_lostTo = list("lostToList", "Teams Lost to");
    m_remaining = list("remainingList", "Teams Remaining To Play");
    m_division = list("divisionList", "Division");
    lists->addWidget(label("beatenHeading", "Teams Beaten"), 0, 0);
    lists->addWidget(m_beaten, 1, 0);
    lists->addWidget(label("lostToHeading", "Teams Lost to"), 0, 1);
    lists->addWidget(m_lostTo, 1, 1);
    lists->addWidget(label("remainingHeading", "Teams Remaining To Play"), 2, 0);
    lists->addWidget(m_remaining, 3, 0);
    lists->addWidget(label("divisionHeading", "Division"), 2, 1);
    lists->addWidget(m_division, 3, 1);
    layout->addLayout(lists, 1);

    auto* picked = new QHBoxLayout;
    picked->addWidget(label("pickedHeading", "Picked"));
    picked->addWidget(label("pickedCount", "Picked count"));
    picked->addWidget(label("timesCaption", "times"));
    picked->addStretch();
    layout->addLayout(picked);

    m_gameBox = named(new QGroupBox, "gameBox", "Game", PaintRole::Text);
    auto* game = new QGridLayout(m_gameBox);
    game->addWidget(label("firstDate", "First date"), 0, 0);
    game->addWidget(label("firstResult", "First result"), 0, 1);
    game->addWidget(label("secondDate", "Second date"), 1, 0);
    game->addWidget(label("secondResult", "Second result"), 1, 1);
    game->setColumnStretch(1, 1);
    layout->addWidget(m_gameBox);

    onEntryChosen(m_beaten, this, [this](int row) {
        if (onOpponentClicked)
            onOpponentClicked(OpponentList::Beaten, row);
    });
    onEntryChosen(m_lostTo, this, [this](int row) {
        if (onOpponentClicked)
            onOpponentClicked(OpponentList::LostTo, row);
    });
    onEntryChosen(m_remaining, this, [this](int row) {
        if (onRemainingClicked)
            onRemainingClicked(row);
    });
    // The division list is for reading only.
    m_division->setSelectionMode(QAbstractItemView::NoSelection);
}

void TeamDetailBox::render(const TeamDetailModel& m) {
    setVisible(m.frame.visible);
    setTitle(toQt(m.frame.caption));
    const std::pair<const char*, const ControlModel*> labels[] = {
        {"winsHeading", &m.winsHeading},
        {"lossesHeading", &m.lossesHeading},
        {"tiesHeading", &m.tiesHeading},
        {"pointsForHeading", &m.pointsForHeading},
        {"pointsAgainstHeading", &m.pointsAgainstHeading},
        {"wins", &m.wins},
        {"losses", &m.losses},
        {"ties", &m.ties},
        {"pointsFor", &m.pointsFor},
        {"pointsAgainst", &m.pointsAgainst},
        {"beatenHeading", &m.beatenHeading},
        {"lostToHeading", &m.lostToHeading},
        {"remainingHeading", &m.remainingHeading},
        {"divisionHeading", &m.divisionHeading},
        {"pickedHeading", &m.pickedHeading},
        {"pickedCount", &m.pickedCount},
        {"timesCaption", &m.timesCaption},
        {"firstDate", &m.firstDate},
        {"firstResult", &m.firstResult},
        {"secondDate", &m.secondDate},
        {"secondResult", &m.secondResult},
    };
    for (const auto& [name, model] : labels)
        showControl(m_labels.at(name), *model);
    showList(m_beaten, m.beaten);
    showList(m_lostTo, m.lostTo);
    showList(m_remaining, m.remaining);
    showList(m_division, m.division);
    m_gameBox->setVisible(m.gameBox.visible);
    m_gameBox->setTitle(toQt(m.gameBox.caption));
}

TeamStatisticsPage::TeamStatisticsPage(Pool& pool, Dialogs& dialogs, Runner run, QWidget* parent)
    : PanelPage(std::move(run), parent), m_panel(pool, dialogs) {
    setObjectName("teamStatisticsPage");
    auto* page = new QVBoxLayout(this);
    m_heading = named(new QLabel, "teamStatisticsHeading", "Team Statistics", PaintRole::Text);
    makeHeading(m_heading);
    m_hint = named(new QLabel, "teamStatisticsHint", "What the page shows", PaintRole::Text);
    page->addWidget(m_heading);
    page->addWidget(m_hint);
    auto* layout = new QHBoxLayout;
    page->addLayout(layout, 1);
    m_teams = named(new QListWidget, "teamList", "Teams");
    m_teams->setFixedWidth(220);
    m_detail = new TeamDetailBox("teamDetailBox");
    layout->addWidget(m_teams);
    layout->addWidget(m_detail, 1, Qt::AlignTop);
    layout->addStretch();

    onEntryChosen(m_teams, this,
                  [this](int row) { this->run([this, row] { m_panel.showTeam(row); }); });
    connectDetail(m_detail, m_panel, [this](const std::function<void()>& h) { this->run(h); });
}

void TeamStatisticsPage::open() {
    m_panel.open();
}

void TeamStatisticsPage::render() {
    showControl(m_heading, m_panel.model().heading);
    showControl(m_hint, m_panel.model().hint);
    showList(m_teams, m_panel.model().teams);
    m_detail->render(m_panel.detail());
}

TeamRankingPage::TeamRankingPage(Pool& pool, Dialogs& dialogs, Runner run, QWidget* parent)
    : PanelPage(std::move(run), parent), m_panel(pool, dialogs) {
    setObjectName("teamRankingPage");
    auto* layout = new QHBoxLayout(this);
    m_ranking = named(new GridTableView, "rankingGrid", "PC's Team Ranking List");
    m_ratingsHeading = named(new QLabel, "ratingsLabel", "Ratings", PaintRole::Text);
    m_ratings = named(new GridTableView, "ratingsGrid", "Team ratings");
    // Both lists are as wide as their columns and tight enough in their
    // rows that all 32 teams show in a window of ordinary height.
    for (auto [grid, twips] :
         {std::pair{m_ranking, kRankColumnTwips + kTeamColumnTwips + kRecordColumnTwips},
          std::pair{m_ratings, kTeamColumnTwips + kRatingColumnTwips + kRecordColumnTwips}}) {
        grid->setFixedWidth(grid->pixelsForWidth(twips) + 24);
        grid->setCompactRows();
    }
    auto* ratings = new QVBoxLayout;
    ratings->addWidget(m_ratingsHeading);
    ratings->addWidget(m_ratings, 1);
    m_detail = new TeamDetailBox("rankingDetailBox");
    layout->addWidget(m_ranking);
    layout->addLayout(ratings);
    layout->addWidget(m_detail, 1, Qt::AlignTop);
    layout->addStretch();

    m_ranking->onCellClicked = [this](int row, int) {
        this->run([this, row] { m_panel.showTeamOfRow(row); });
    };
    m_ratings->onCellClicked = [this](int row, int) {
        this->run([this, row] { m_panel.showTeamOfRatingRow(row); });
    };
    connectDetail(m_detail, m_panel, [this](const std::function<void()>& h) { this->run(h); });
}

void TeamRankingPage::open() {
    m_panel.open();
}

void TeamRankingPage::render() {
    m_ranking->render(m_panel.model().ranking);
    showControl(m_ratingsHeading, m_panel.model().ratingsHeading);
    m_ratings->render(m_panel.model().ratings);
    m_detail->render(m_panel.detail());
}

} // namespace gs
