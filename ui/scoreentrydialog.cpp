#include "scoreentrydialog.h"

#include "controls.h"
#include "textconv.h"

#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace gs {

namespace {

void showLabel(QLabel* label, const ControlModel& model) {
    label->setText(toQt(model.caption));
    label->setEnabled(model.enabled);
}

} // namespace

ScoreEntryDialog::ScoreEntryDialog(std::unique_ptr<ScoreEntry> model, QWidget* parent)
    : PaintedDialog(parent), m_model(std::move(model)) {
    setObjectName("scoreEntryDialog");
    setAccessibleName("Enter Scores");
    setPaintRole(this, PaintRole::Background);
    m_visitorTeam = named(new QLabel, "visitorTeamLabel", "Visiting team", PaintRole::Text);
    m_homeTeam = named(new QLabel, "homeTeamLabel", "Home team", PaintRole::Text);
    m_gameDate = named(new QLabel, "gameDateLabel", "The game's date", PaintRole::Text);
    m_gamePosition =
        named(new QLabel, "gamePositionLabel", "The game's place in its week", PaintRole::Text);
    m_visitorScore = named(new QLineEdit, "visitorScoreEdit", "Visiting team's score");
    m_homeScore = named(new QLineEdit, "homeScoreEdit", "Home team's score");
    m_yearHeading =
        named(new QLabel, "seasonYearHeadingLabel", "Season Year heading", PaintRole::Text);
    m_year = named(new QLabel, "seasonYearLabel", "Season year", PaintRole::Text);
    m_firstDate =
        named(new QLabel, "firstDateLabel", "Date of the week's first game", PaintRole::Text);
    m_thru = named(new QLabel, "thruLabel", "thru", PaintRole::Text);
    m_lastDate =
        named(new QLabel, "lastDateLabel", "Date of the week's last game", PaintRole::Text);
    m_close = named(new QPushButton, "closeButton", "Close", PaintRole::Button);
    m_previous = named(new QPushButton, "previousGameButton", "Previous game", PaintRole::Button);
    m_next = named(new QPushButton, "nextGameButton", "Next game", PaintRole::Button);
    m_import = named(new QPushButton, "importScoresButton", "Import scores from a file",
                     PaintRole::Button);
    m_importSchedule = named(new QPushButton, "importScheduleButton",
                             "Import a schedule from a file", PaintRole::Button);
    m_chooseFile = [this] {
        return QFileDialog::getOpenFileName(this, "Import Scores", QString(),
                                            "CSV files (*.csv);;All files (*)");
    };
    m_chooseSchedule = [this] {
        return QFileDialog::getOpenFileName(this, "Import Schedule", QString(),
                                            "CSV files (*.csv);;All files (*)");
    };
    for (QLineEdit* box : {m_visitorScore, m_homeScore})
        box->setMaximumWidth(80);

    auto* layout = new QVBoxLayout(this);
    auto* when = new QHBoxLayout;
    QFont bold = m_gameDate->font();
    bold.setBold(true);
    m_gameDate->setFont(bold);
    when->addWidget(m_gameDate);
    when->addStretch();
    when->addWidget(m_gamePosition);
    layout->addLayout(when);
    auto* game = new QGridLayout;
    game->addWidget(m_visitorTeam, 0, 0);
    game->addWidget(m_visitorScore, 0, 1);
    game->addWidget(m_homeTeam, 1, 0);
    game->addWidget(m_homeScore, 1, 1);
    layout->addLayout(game);

    auto* season = new QHBoxLayout;
    season->addWidget(m_yearHeading);
    season->addWidget(m_year);
    season->addStretch();
    season->addWidget(m_firstDate);
    season->addWidget(m_thru);
    season->addWidget(m_lastDate);
    layout->addLayout(season);

    auto* weeks = new QGridLayout;
    for (int week = 1; week <= kMaxWeeks; ++week) {
        auto* option = named(new QRadioButton, QString("weekOption%1").arg(week),
                             QString("Week %1").arg(week), PaintRole::Option);
        option->setAutoExclusive(false);
        weeks->addWidget(option, (week - 1) / 6, (week - 1) % 6);
        m_weeks[week] = option;
        connect(option, &QRadioButton::clicked, this,
                [this, week] { run([this, week] { m_model->chooseWeek(week); }); });
    }
    layout->addLayout(weeks);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_previous);
    buttons->addWidget(m_next);
    buttons->addStretch();
    buttons->addWidget(m_importSchedule);
    buttons->addWidget(m_import);
    buttons->addWidget(m_close);
    layout->addLayout(buttons);

    connect(m_next, &QPushButton::clicked, this, [this] { run([this] { m_model->nextGame(); }); });
    connect(m_previous, &QPushButton::clicked, this,
            [this] { run([this] { m_model->previousGame(); }); });
    connect(m_close, &QPushButton::clicked, this, &ScoreEntryDialog::reject);
    connect(m_import, &QPushButton::clicked, this, &ScoreEntryDialog::importScores);
    connect(m_importSchedule, &QPushButton::clicked, this, &ScoreEntryDialog::importSchedule);

    render();
}

void ScoreEntryDialog::run(const std::function<void()>& handler) {
    m_model->visitorScore = fromQt(m_visitorScore->text());
    m_model->homeScore = fromQt(m_homeScore->text());
    handler();
    render();
}

void ScoreEntryDialog::importScores() {
    run([this] {
        m_model->importScores([this]() -> std::optional<std::filesystem::path> {
            QString chosen = m_chooseFile();
            if (chosen.isEmpty())
                return std::nullopt;
            return std::filesystem::path(QFile::encodeName(chosen).toStdString());
        });
    });
}

void ScoreEntryDialog::importSchedule() {
    run([this] {
        m_model->importSchedule([this]() -> std::optional<std::filesystem::path> {
            QString chosen = m_chooseSchedule();
            if (chosen.isEmpty())
                return std::nullopt;
            return std::filesystem::path(QFile::encodeName(chosen).toStdString());
        });
    });
}

void ScoreEntryDialog::reject() {
    bool canClose = false;
    run([&] { canClose = m_model->commitAndClose(); });
    if (canClose)
        QDialog::reject();
}

void ScoreEntryDialog::render() {
    const ScoreEntry& m = *m_model;
    setWindowTitle(toQt(m.caption));
    showLabel(m_visitorTeam, m.visitorTeam);
    showLabel(m_homeTeam, m.homeTeam);
    showLabel(m_gameDate, m.gameDate);
    showLabel(m_gamePosition, m.gamePosition);
    showLabel(m_yearHeading, m.seasonYearHeading);
    showLabel(m_year, m.seasonYear);
    showLabel(m_firstDate, m.firstDate);
    showLabel(m_thru, m.thru);
    showLabel(m_lastDate, m.lastDate);
    m_visitorScore->setText(toQt(m.visitorScore));
    m_homeScore->setText(toQt(m.homeScore));
    for (int week = 1; week <= kMaxWeeks; ++week) {
        m_weeks[week]->setVisible(m.weekOptions[week].visible);
        m_weeks[week]->setText(toQt(m.weekOptions[week].caption));
        m_weeks[week]->setEnabled(m.weekOptions[week].enabled);
        m_weeks[week]->setChecked(week == m.chosenWeek);
    }
    for (auto [button, model] :
         {std::pair{m_close, &m.closeButton}, std::pair{m_previous, &m.previousButton},
          std::pair{m_next, &m.nextButton}, std::pair{m_import, &m.importButton},
          std::pair{m_importSchedule, &m.importScheduleButton}}) {
        button->setText(toQt(model->caption));
        button->setEnabled(model->enabled);
    }
}

} // namespace gs
